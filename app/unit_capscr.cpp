// The main form: start-up and shutdown, the single-instance guard, tray icon, hotkeys and menu.
#include "app/unit_capscr.h"

#include <cstring>

#include "app/app_texts.h"
#include "app/capture.h"
#include "app/qcapture.h"
#include "app/ufrm_about.h"
#include "app/unit_option.h"
#include "skin/core/skin_data.h"
#include "skin/res/skin_store.h"
#include "toolkit/controls/application.h"
#include "toolkit/core/class_builder.h"

const TClassInfo& TForm1::StaticClass() {
    static const TClassInfo& info = TClassBuilder<TForm1>("TForm1", &TForm::StaticClass())
                                        .Creatable()
                                        .Method<void(TObject*)>("FormCreate", &TForm1::FormCreate)
                                        .Method<void(TObject*)>("FormDestroy", &TForm1::FormDestroy)
                                        .Method<void(TObject*)>("Option1Click", &TForm1::Option1Click)
                                        .Method<void(TObject*)>("About1Click", &TForm1::About1Click)
                                        .Method<void(TObject*)>("Exit1Click", &TForm1::Exit1Click)
                                        .Method<void(TObject*)>("N3Click", &TForm1::N3Click)
                                        .Build();
    return info;
}

void TForm1::Loaded() {
    TForm::Loaded();
    PopupMenu1 = dynamic_cast<TPopupMenu*>(FindComponent("PopupMenu1"));
    SkinData1 = dynamic_cast<TSkinData*>(FindComponent("SkinData1"));
    SkinStore1 = dynamic_cast<TSkinStore*>(FindComponent("SkinStore1"));
}

bool TForm1::apponlyonetime() {
    // The mutex stays open for the life of the process: it is the running instance's mark.
    CreateMutexA(nullptr, FALSE, app_text::kMutexName);
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        MessageBoxA(Handle(), app_text::kAlreadyRunning, "", MB_ICONINFORMATION);
        return false;
    }
    return true;
}

NOTIFYICONDATAA TForm1::trayRecord() {
    NOTIFYICONDATAA nid{};
    nid.cbSize = NOTIFYICONDATAA_V2_SIZE; // 488
    nid.hWnd = Handle();
    nid.uID = 1;
    nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    nid.uCallbackMessage = WM_TRAYNOTIFY;
    nid.hIcon = Application->Icon()->Handle();
    std::strncpy(nid.szTip, app_text::kProgramName, sizeof(nid.szTip) - 1);
    return nid;
}

void TForm1::FormCreate(TObject*) {
    if (!apponlyonetime()) {
        Application->Terminate();
        ExitProcess(0);
    }
    RegisterHotKey(Handle(), kHotkeyPrintScreen, 0, VK_SNAPSHOT);
    RegisterHotKey(Handle(), kHotkeyCtrlAltC, MOD_CONTROL | MOD_ALT, 'C');
    NOTIFYICONDATAA nid = trayRecord();
    if (!Shell_NotifyIconA(NIM_ADD, &nid)) {
        MessageBoxA(nullptr, app_text::kTrayFailed, "", MB_OK);
        Application->Terminate();
    }
    // The tenth stored skin replaces the one read with the form.
    if (SkinData1) SkinData1->LoadFromStore(SkinStore1, 9);
    ShowInstructions();
}

void TForm1::FormDestroy(TObject*) {
    UnregisterHotKey(Handle(), kHotkeyPrintScreen);
    UnregisterHotKey(Handle(), kHotkeyCtrlAltC);
    NOTIFYICONDATAA nid = trayRecord();
    Shell_NotifyIconA(NIM_DELETE, &nid);
}

void TForm1::Option1Click(TObject*) {
    ShowInstructions();
}
void TForm1::About1Click(TObject*) {
    ShowAbout();
}
void TForm1::N3Click(TObject*) {
    CaptureRegion();
}

void TForm1::Exit1Click(TObject*) {
    if (Application->MessageBox(app_text::kConfirmClose, app_text::kConfirmCaption, MB_YESNO) == IDYES)
        Close();
}

void TForm1::hotkey(TMessage& message) {
    // The key and modifiers decide, not the identifier.
    const UINT vk = HIWORD(message.LParam), mods = LOWORD(message.LParam);
    if ((vk == 'C' && mods == (MOD_CONTROL | MOD_ALT)) || vk == VK_SNAPSHOT) CaptureFullScreen();
}

void TForm1::trayNotify(TMessage& message) {
    if (message.LParam != WM_RBUTTONDOWN) return;
    GetCursorPos(&trayPoint_);
    SetForegroundWindow(Handle());
    PopupMenu1->Popup(trayPoint_.x, trayPoint_.y);
}

void TForm1::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_HOTKEY: hotkey(message); return;
    case WM_TRAYNOTIFY: trayNotify(message); return;
    default: TForm::WndProc(message);
    }
}

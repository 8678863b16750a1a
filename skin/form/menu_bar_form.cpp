// The form skinner's side of the menu bar: taking the window's menu over and giving it back, the
// bar's items among the frame's mouse-sensitive objects, and keyboard access to the bar.
#include "skin/core/skin_data.h"
#include "skin/core/skin_manager.h"
#include "skin/form/win_skin_form.h"
#include "toolkit/controls/application.h"
#include "toolkit/controls/form.h"
#include "toolkit/controls/menus.h"

namespace {
// Keys Alt combines with that belong to the system: Alt+Space opens the system menu, Alt+'-' an
// MDI child's.
constexpr LPARAM kSystemMenuKey = ' ', kChildMenuKey = '-';
} // namespace

void TWinSkinForm::attachMenuBar() {
    if (MenuBarSkinner) detachMenuBar(false);
    MenuBarSkinner = std::make_unique<TWinSkinMenu>(*this, *SkinData, Form ? Form->Menu() : nullptr);
    MenuHeight = GetSystemMetrics(SM_CYMENU);
    if (!MenuBarSkinner->BuildItems()) {
        // No items: the window keeps its system menu bar.
        MenuBarSkinner.reset();
        MenuHeight = 0;
    }
}

void TWinSkinForm::detachMenuBar(bool giveMenuBack) {
    if (!MenuBarSkinner) return;
    const HMENU menu = MenuBarSkinner->MenuHandle;
    if (HotObject && dynamic_cast<TMenuBtn*>(HotObject)) HotObject = nullptr;
    // A menu of the bar may be open: it ends, and the bar goes once its loop has returned.
    if (MenuBarSkinner->Tracking()) {
        MenuBarSkinner->EndTracking();
        TrackingMenu = false;
        CurrentPopup = nullptr;
    }
    FreeWhenIdle(std::move(MenuBarSkinner));
    if (giveMenuBack && IsWindow(Handle) && menu && IsMenu(menu) && !GetMenu(Handle)) SetMenu(Handle, menu);
}

void TWinSkinForm::menuReattached() {
    if (!IsWindow(Handle) || !GetMenu(Handle)) return;
    if (!MenuBarSkinner) {
        // A menu that had no items when the form was skinned gets its bar with its first ones.
        if (!FrameSkinned || MdiKind == mkChild || !subclass_.Installed() || State == fsUnskinning) return;
        SavedMenu = GetMenu(Handle);
        attachMenuBar();
        if (!MenuBarSkinner) return;
        RecalcBorders();
        NotifyFrameChanged();
        return;
    }
    if (SkinData && SkinData->MenuUpdate()) {
        MenuBarSkinner->MenuChanged();
        SavedMenu = MenuBarSkinner->MenuHandle;
    }
    if (GetMenu(Handle)) SetMenu(Handle, nullptr);
}

void TWinSkinForm::menuChangedInToolkit(TMessage& m) {
    // The toolkit re-attaches its rebuilt menu; the system must not paint its frame meanwhile.
    const bool was = SkinData->FramePaintEnabled();
    SkinData->SetFramePaintEnabled(false);
    callOld(m);
    if (released()) return;
    SkinData->SetFramePaintEnabled(was);
    menuReattached();
    if (MenuBarSkinner) PaintFrame(nullptr);
}

bool TWinSkinForm::ActiveMdiChildMaximized() const {
    if (MdiKind != mkFrame || !MdiClient || !IsWindow(MdiClient)) return false;
    BOOL maximized = FALSE;
    const HWND active = HWND(SendMessageA(MdiClient, WM_MDIGETACTIVE, 0, LPARAM(&maximized)));
    return active && maximized;
}

TNCObject* TWinSkinForm::ObjectAt(POINT p) {
    if (TWinSysButton* b = ButtonAt(p)) return b;
    return MenuBarSkinner ? MenuBarSkinner->ItemAt(p) : nullptr;
}

LRESULT TWinSkinForm::onMenuBarClick(LPARAM lParam) {
    const POINT p = ScreenToFrame(POINT{short(LOWORD(lParam)), short(HIWORD(lParam))});
    if (!MenuBarSkinner || ButtonAt(p)) return 0;
    if (TMenuBtn* item = MenuBarSkinner->ItemAt(p)) MenuBarSkinner->OpenItem(item);
    return 0;
}

bool TWinSkinForm::onMenuKey(WPARAM wParam, LPARAM lParam) {
    if ((UINT(wParam) & 0xFFF0) != SC_KEYMENU || TrackingMenu || GetCapture()) return false;
    if (lParam == kSystemMenuKey || lParam == kChildMenuKey) return false;
    TMenuBtn* target = nullptr;
    if (lParam != 0 || !MenuBarSkinner) {
        if (MenuBarSkinner) target = MenuBarSkinner->FindAccelerator(wchar_t(lParam));
    } else {
        // F10 or Alt alone: the first item whose menu can open.
        target = MenuBarSkinner->FirstOpenable();
    }
    if (lParam != 0 && !target) return false;
    if (!target) return false;
    HotObject = target;
    target->MouseState = msPressed;
    target->Paint();
    MenuBarSkinner->OpenItem(target);
    return true;
}

void TWinSkinForm::onDialogChar(TMessage& m) {
    callOld(m);
    if (m.Result != 0 || released()) return;
    const bool altOnly =
        (GetKeyState(VK_MENU) < 0) && GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_SHIFT) >= 0;
    if (MenuBarSkinner && altOnly)
        if (TMenuBtn* item = MenuBarSkinner->FindAccelerator(wchar_t(m.WParam))) {
            RECT wr{};
            GetWindowRect(Handle, &wr);
            PostMessageA(Handle, SKM_MENUBARCLICK, 0,
                         MAKELPARAM(item->Rect.left + wr.left + 1, item->Rect.top + wr.top + 1));
            m.Result = 1;
            return;
        }
    // Forms without the bar pass the key to the form that has one.
    TCustomForm* next = nullptr;
    if (MdiKind == mkChild && SkinManager)
        next = SkinManager->MdiFrameForm();
    else if (Form && Application && Application->MainForm() != Form && !Form->Modal())
        next = Application->MainForm();
    if (next && next != Form && next->HandleAllocated())
        m.Result = next->Perform(TKN_DIALOGCHAR, m.WParam, m.LParam);
}

// Caption buttons and the frame's mouse handling: which buttons show and where, how they are
// painted in their states, what they do, the hover timer with its hints, and hit testing.
#include "skin/form/nc_objects.h"

#include <algorithm>

#include "skin/core/skin_data.h"
#include "skin/core/skin_manager.h"
#include "skin/form/win_skin_form.h"
#include "skin/paint/face_state.h"
#include "skin/paint/skin_paint.h"
#include "skin/paint/window_icon.h"
#include "toolkit/controls/application.h"
#include "toolkit/controls/form.h"
#include "toolkit/controls/menus.h"
#include "toolkit/core/class_builder.h"

const TClassInfo& TNCObject::StaticClass() {
    static const TClassInfo& info = TClassBuilder<TNCObject>("TNCObject", &TObject::StaticClass()).Build();
    return info;
}

const TClassInfo& TWinSysButton::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TWinSysButton>("TWinSysButton", &TNCObject::StaticClass()).Build();
    return info;
}

namespace {

POINT pointOf(LPARAM lParam) {
    return POINT{short(LOWORD(lParam)), short(HIWORD(lParam))};
}

win::IconHandle sizedIcon(HICON icon, int size) {
    return win::IconHandle(HICON(CopyImage(icon, IMAGE_ICON, size, size, LR_COPYFROMRESOURCE)));
}

} // namespace

const char* CaptionButtonHint(int action) {
    if (IsCloseAction(action) || IsMdiCloseAction(action)) return "Close";
    if (IsMaximizeAction(action)) return "Maximize";
    if (IsMinimizeAction(action) || IsMdiMinimizeAction(action)) return "Minimize";
    if (IsMdiRestoreAction(action)) return "Restore";
    return nullptr;
}

void TNCObject::MouseDown() {
    if (Form->HotObject && Form->HotObject != this) Form->HotObject->MouseLeave();
    if (!Visible) return;
    Form->HotObject = this;
    MouseState = msPressed;
    Paint();
}

void TNCObject::MouseUp() {
    if (!Visible) return;
    MouseState = msHot;
    Paint();
}

void TNCObject::MouseMove() {
    if (Form->HotObject == this) return;
    if (Form->HotObject) Form->HotObject->MouseLeave();
    if (!Visible) return;
    Form->HotObject = this;
    MouseState = msHot;
    Paint();
}

void TNCObject::MouseLeave() {
    if (!Visible) return;
    Form->HotObject = nullptr;
    MouseState = msNormal;
    Paint();
    Form->HideHint();
}

bool TWinSysButton::IsIconButton() const {
    return IsIconAction(ButtonData->Action);
}

void TWinSysButton::Paint() {
    if (!Place.Image || Place.Image->Empty() || !IsWindow(Form->Handle)) return;
    TFaceState state;
    state.Enabled = Enabled;
    state.Pressed = MouseState == msPressed;
    state.Hot = MouseState == msHot;
    win::WindowDC dc = win::WindowDC::Frame(Form->Handle);
    if (!dc) return;
    TCaptionButtonPlace place = Place;
    place.Rect = Rect;
    DrawCaptionButton(dc.Get(), place, state, Form->FrameArt());
}

TWinSysButton* TWinSkinForm::ButtonAt(POINT p) {
    for (auto& b : CaptionButtons)
        if (b->Visible && b->ButtonData->Action >= 0 && PtInRect(&b->Rect, p)) return b.get();
    return nullptr;
}

void TWinSkinForm::DrawIcon(HDC dc, const RECT& rect) {
    HWND main = Application && Application->MainForm() && Application->MainForm()->HandleAllocated()
                    ? Application->MainForm()->Handle()
                    : Handle;
    HICON icon = WindowIcon(main);
    if (!icon) {
        if (!IconBitmap.Empty()) DrawTransparentBitmap(dc, rect, IconBitmap, SKIN_KEY_COLOUR);
        return;
    }
    win::IconHandle copy = sizedIcon(icon, IconSize);
    if (copy) DrawIconEx(dc, rect.left, rect.top, copy.Get(), IconSize, IconSize, 0, nullptr, DI_NORMAL);
}

void TWinSkinForm::RebuildIconBitmap() {
    const int cx = GetSystemMetrics(SM_CXSMICON), cy = GetSystemMetrics(SM_CYSMICON);
    IconSize = cx;
    PaintIconOnKey(IconBitmap, WindowIcon(Handle), cx, cy, pf16bit);
}

POINT TWinSkinForm::ScreenToFrame(POINT p) const {
    ScreenToClient(Handle, &p);
    if (MdiKind == mkChild && WindowState == swMinimized) return p;
    return POINT{p.x + BorderLeft, p.y + CaptionHeight + MenuHeight};
}

void TWinSkinForm::HideHint() {
    HintElapsed = 0;
    if (SkinData) SkinData->HideCaptionHint();
}

void TWinSkinForm::onMdiChildCommand(UINT command) {
    if (MdiKind != mkFrame || !MdiClient) return;
    if (HWND child = HWND(SendMessageA(MdiClient, WM_MDIGETACTIVE, 0, 0)))
        SendMessageA(child, WM_SYSCOMMAND, command, 0);
}

void TWinSkinForm::PerformAction(TWinSysButton& button, POINT point) {
    const int action = button.ButtonData->Action;
    if (IsMaximizeAction(action)) {
        if (button.Enabled) ToggleMaximize();
        return;
    }
    if (IsMinimizeAction(action)) {
        if (button.Enabled) ToggleMinimize();
        return;
    }
    if (IsSystemMenuAction(action)) {
        ShowSystemPopup(POINT{point.x + 1, point.y + 1});
        return;
    }
    if (IsMdiMinimizeAction(action)) return onMdiChildCommand(SC_MINIMIZE);
    if (IsMdiRestoreAction(action)) return onMdiChildCommand(SC_RESTORE);
    if (IsMdiCloseAction(action)) return onMdiChildCommand(SC_CLOSE);
    switch (action) {
    case acClose: {
        MENUITEMINFOA info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_STATE;
        HMENU menu = SystemMenu ? SystemMenu : GetSystemMenu(Handle, FALSE);
        if (!menu || !GetMenuItemInfoA(menu, SC_CLOSE, FALSE, &info)) return;
        startHoverTimer(false);
        PostMessageA(Handle, WM_SYSCOMMAND, SC_CLOSE, 0);
        return;
    }
    case acHelp: PostMessageA(Handle, WM_SYSCOMMAND, SC_CONTEXTHELP, 0); return;
    default: PostMessageA(Handle, SKM_BUTTONACTION, WPARAM(action), 0);
    }
}

void TWinSkinForm::ToggleMaximize() {
    if (WindowState == swMaximized) {
        RestoreWindow();
        return;
    }
    if (MdiKind == mkChild && SkinManager) SkinManager->SetMdiMaximized(true);
    WindowState = swMaximized;
    PostMessageA(Handle, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    HotObject = nullptr;
}

void TWinSkinForm::ToggleMinimize() {
    if (WindowState == swMinimized) {
        RestoreWindow();
        return;
    }
    WindowState = swMinimized;
    // The minimised window and its taskbar button need their system menu.
    restoreSysMenuStyle();
    PostMessageA(Handle, WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

void TWinSkinForm::RestoreWindow() {
    WindowState = swNormal;
    PostMessageA(Handle, WM_SYSCOMMAND, SC_RESTORE, 0);
}

void TWinSkinForm::ShowSystemPopup(POINT point) {
    const DWORD now = GetTickCount();
    if (now - LastSysMenuTick > DoubleClickTime || LastSysMenuTick == 0) {
        if (SkinManager) SkinManager->SetMenuContext(mcSystemMenu);
        LastSysMenuTick = now;
        // The chosen item posts its WM_SYSCOMMAND.
        BuildSystemPopup().Popup(point.x, point.y);
    } else if (HotObject) {
        startHoverTimer(false);
        PostMessageA(Handle, WM_CLOSE, 0, 0);
    }
}

void TWinSkinForm::HoverTick() {
    if (!Active || TrackingMenu) return;
    auto it = std::find_if(CaptionButtons.begin(), CaptionButtons.end(),
                           [&](const auto& b) { return b.get() == HotObject; });
    const bool barItem =
        MenuBarSkinner && std::any_of(MenuBarSkinner->Items.begin(), MenuBarSkinner->Items.end(),
                                      [&](const auto& b) { return b.get() == HotObject; });
    // A hot object that is no longer one of ours (buttons or items rebuilt) is dropped unseen.
    if (HotObject && it == CaptionButtons.end() && !barItem) HotObject = nullptr;
    if (HotObject) {
        POINT cursor{};
        GetCursorPos(&cursor);
        const POINT p = ScreenToFrame(cursor);
        if (!PtInRect(&HotObject->Rect, p)) {
            HotObject->MouseLeave();
            HotObject = nullptr;
            HideHint();
            return;
        }
        // Menu-bar items have no hint.
        if (barItem) return;
        TWinSysButton& button = **it;
        HintElapsed += int(kHoverInterval);
        const int pause = 2 * (Application ? Application->HintPause() : 500);
        const int hidePause = Application ? Application->HintHidePause() : 2500;
        const int elapsed = HintElapsed;
        if (elapsed >= pause && elapsed < pause + hidePause) {
            if (const char* text = CaptionButtonHint(button.ButtonData->Action)) {
                RECT wr{};
                GetWindowRect(Handle, &wr);
                const RECT at{button.Rect.left + wr.left, cursor.y + 24, button.Rect.left + wr.left,
                              cursor.y + 24};
                SkinData->ShowCaptionHint(at, text);
            }
        } else if (elapsed >= pause + hidePause) {
            SkinData->HideCaptionHint();
        }
    } else if (SkinData->CaptionHint().HintShowing) {
        // The hovered button was dropped by a frame repaint: its hint goes with it.
        HideHint();
    }
    if (!HotObject && !Form && HoveredControl) {
        POINT cursor{};
        GetCursorPos(&cursor);
        RECT r{};
        GetWindowRect(HoveredControl, &r);
        if (!PtInRect(&r, cursor)) {
            SendMessageA(HoveredControl, TKN_MOUSELEAVE, 0, 0);
            HoveredControl = nullptr;
        }
    }
}

LRESULT TWinSkinForm::onNcHitTest(WPARAM wParam, LPARAM lParam) {
    LRESULT r = passOn(WM_NCHITTEST, wParam, lParam);
    if (r != HTNOWHERE && r != HTCAPTION) return r;
    const POINT p = ScreenToFrame(pointOf(lParam));
    if (p.y > 3) r = HTCAPTION;
    if (p.y > CaptionHeight && MenuHeight > 0) r = HTMENU;
    return r;
}

LRESULT TWinSkinForm::onNcMouseMove(WPARAM wParam, LPARAM lParam) {
    if (!Active) return 0;
    if (TNCObject* o = ObjectAt(ScreenToFrame(pointOf(lParam)))) {
        o->MouseMove();
        return 0;
    }
    if (HotObject) {
        HotObject->MouseLeave();
        HotObject = nullptr;
    }
    return passOn(WM_NCMOUSEMOVE, wParam, lParam);
}

LRESULT TWinSkinForm::onNcLButtonDown(WPARAM wParam, LPARAM lParam) {
    HideHint();
    if (TNCObject* o = ObjectAt(ScreenToFrame(pointOf(lParam)))) {
        if (!Active) SetForegroundWindow(Handle);
        o->MouseDown();
        // A menu-bar item opens its menu and stays hot meanwhile.
        if (auto* item = dynamic_cast<TMenuBtn*>(o); item && MenuBarSkinner) MenuBarSkinner->OpenItem(item);
        return 0;
    }
    // A maximised window cannot be dragged by its caption.
    if (WindowState == swMaximized && Active && wParam == HTCAPTION) wParam = HTMENU;
    return passOn(WM_NCLBUTTONDOWN, wParam, lParam);
}

LRESULT TWinSkinForm::onNcLButtonUp(WPARAM wParam, LPARAM lParam) {
    HideHint();
    const POINT p = ScreenToFrame(pointOf(lParam));
    if (TWinSysButton* b = ButtonAt(p)) {
        if (HotObject == b) {
            b->MouseUp();
            PerformAction(*b, pointOf(lParam));
        }
        return 0;
    }
    if (MenuBarSkinner && MenuBarSkinner->ItemAt(p)) return 0;
    return passOn(WM_NCLBUTTONUP, wParam, lParam);
}

LRESULT TWinSkinForm::onNcLButtonDblClk(WPARAM wParam, LPARAM lParam) {
    if (TWinSysButton* b = ButtonAt(ScreenToFrame(pointOf(lParam)))) {
        if (b->IsIconButton()) {
            startHoverTimer(false);
            PostMessageA(Handle, WM_SYSCOMMAND, SC_CLOSE, 0);
        }
        return 0;
    }
    if (WindowState != swNormal) {
        RestoreWindow();
        return 0;
    }
    if (BorderIcons & biMaxBox) {
        ToggleMaximize();
        return 0;
    }
    return passOn(WM_NCLBUTTONDBLCLK, wParam, lParam);
}

LRESULT TWinSkinForm::onNcRButtonDown(WPARAM wParam, LPARAM lParam) {
    HideHint();
    if (wParam == HTCAPTION && MdiKind != mkChild) {
        ShowSystemPopup(pointOf(lParam));
        return 0;
    }
    return passOn(WM_NCRBUTTONDOWN, wParam, lParam);
}

LRESULT TWinSkinForm::onSysCommand(WPARAM wParam, LPARAM lParam) {
    if (onMenuKey(wParam, lParam)) return 1;
    const UINT command = UINT(wParam) & 0xFFF0;
    if (!TrackingMenu && command == SC_KEYMENU && lParam == ' ') {
        POINT p{0, 0};
        ClientToScreen(Handle, &p);
        ShowSystemPopup(p);
        return 0;
    }
    switch (command) {
    case SC_MINIMIZE: WindowState = swMinimized; break;
    case SC_MAXIMIZE: WindowState = swMaximized; break;
    case SC_RESTORE:
        WindowState = swNormal;
        if (MdiKind == mkChild && SkinManager && SkinManager->MdiMaximized())
            SkinManager->SetMdiMaximized(false);
        break;
    default: break;
    }
    return passOn(WM_SYSCOMMAND, wParam, lParam);
}

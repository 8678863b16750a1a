// Caption buttons and the frame's mouse handling: which buttons show and where, how they are
// painted in their states, what they do, the hover timer with its hints, and hit testing.
#include "skin/form/nc_objects.h"

#include <algorithm>

#include "skin/core/skin_data.h"
#include "skin/core/skin_manager.h"
#include "skin/form/win_skin_form.h"
#include "skin/paint/skin_paint.h"
#include "toolkit/controls/application.h"
#include "toolkit/controls/form.h"
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

enum : int { acClose = 0, acMaximize = 1, acMinimize = 2, acIcon = 3, acHelp = 4 };

bool isIconAction(int a) {
    return a == 3 || a == 11;
}

int frames(const TDataSkinObject& r) {
    return std::max(1, int(r.Frame));
}

POINT pointOf(LPARAM lParam) {
    return POINT{short(LOWORD(lParam)), short(HIWORD(lParam))};
}

win::IconHandle sizedIcon(HICON icon, int size) {
    return win::IconHandle(HICON(CopyImage(icon, IMAGE_ICON, size, size, LR_COPYFROMRESOURCE)));
}

HICON windowIcon(HWND hwnd) {
    HICON icon = HICON(SendMessageA(hwnd, WM_GETICON, ICON_SMALL, 0));
    if (!icon) icon = HICON(SendMessageA(hwnd, WM_GETICON, ICON_BIG, 0));
    return icon;
}

} // namespace

const char* CaptionButtonHint(int action) {
    switch (action) {
    case 0:
    case 9:
    case 62: return "Close";
    case 1:
    case 22: return "Maximize";
    case 2:
    case 7:
    case 23:
    case 60: return "Minimize";
    case 8:
    case 61: return "Restore";
    default: return nullptr;
    }
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
    return isIconAction(ButtonData->Action);
}

void TWinSysButton::Paint() {
    if (ButtonData->Bitmap.Empty() || !IsWindow(Form->Handle)) return;
    int state = MouseState;
    if (!Enabled) state = ButtonData->Frame > 3 ? 4 : 1;
    if (ButtonData->Visibility == 100 && state == msHot) state = 4;
    win::WindowDC dc = win::WindowDC::Frame(Form->Handle);
    if (!dc) return;
    if (IsIconButton())
        Form->DrawIcon(dc.Get(), Rect);
    else
        DrawSkinFrame(dc.Get(), Rect, ButtonData->Bitmap, true, frames(*ButtonData),
                      std::min(state, frames(*ButtonData)));
}

bool TWinSkinForm::UpdateVisibility(TWinSysButton& button) {
    const TDataSkinSysButton& d = *button.ButtonData;
    const bool maxBox = BorderIcons & biMaxBox, minBox = BorderIcons & biMinBox;
    const bool help = BorderIcons & biHelpBox, sysMenu = BorderIcons & biSysMenuBox;
    const bool maximized = WindowState == swMaximized;
    auto condition = [&](int value, bool second, bool first) -> bool {
        switch (value) {
        case 0: return true;
        case 1: return maximized;
        case 2: return !maximized;
        case 3: return Active;
        case 4: return !Active;
        case 6:
        case 8: return second ? (minBox || maxBox) : ((minBox || maxBox) && sysMenu);
        case 7: return !maxBox;
        case 9: return !minBox;
        case 10: return second ? help : (help && !minBox && !maxBox);
        case 100:
            if (second) return first;
            // The MDI controls sit on the menu band, which needs a menu bar skinner.
            return false;
        case 200: return !second && !IsDialog && BorderKind == bkDialog;
        default:
            if (value >= 201 && value <= 999) return !second;
            if (value >= 1000 && value <= 2000)
                return !second &&
                       SendMessageA(Handle, SKM_BUTTONVISIBLE, WPARAM(value), LPARAM(d.Action)) > 0;
            // -1 and anything else: hidden (skins use -1 to hide a button).
            return false;
        }
    };
    const bool first = condition(d.Visibility, false, false);
    bool visible = first && condition(d.Visibility1, true, first);
    if (d.Action == acClose && !sysMenu) visible = false;
    if (d.Action == acMaximize) button.Enabled = maxBox && sysMenu;
    if (d.Action == acMinimize) button.Enabled = minBox && sysMenu;
    if ((isIconAction(d.Action) || d.Action == 12) && BorderKind == bkDialog) visible = false;
    button.Visible = visible;
    return visible;
}

void TWinSkinForm::LayoutButtons() {
    for (auto& b : CaptionButtons) {
        TDataSkinSysButton& d = *b->ButtonData;
        if (!UpdateVisibility(*b) || d.Bitmap.Empty()) continue;
        const int w = d.Bitmap.Width() / frames(d), h = d.Bitmap.Height();
        int x = 0, y = 0;
        switch (d.Align) {
        case 0:
            x = d.Xcoord;
            y = d.Ycoord;
            break;
        case 1:
            x = FrameWidth - d.Xcoord;
            y = d.Ycoord;
            break;
        case 2:
        case 8:
            x = CaptionTextRect.left - w - d.Xcoord;
            y = d.Ycoord;
            break;
        case 3:
        case 9:
            x = CaptionTextRect.right + d.Xcoord;
            y = d.Ycoord;
            break;
        case 100: {
            const int menuLeft = SkinData->MenuBar ? SkinData->MenuBar->LeftWidth : 0;
            x = FrameWidth - d.Xcoord - BorderRight - menuLeft;
            y = CaptionHeight + (MenuHeight - h) / 2;
            break;
        }
        default: break;
        }
        b->Rect = RECT{x, y, x + w, y + h};
    }
}

void TWinSkinForm::PaintButtons(HDC dc) {
    for (auto& b : CaptionButtons) {
        TDataSkinSysButton& d = *b->ButtonData;
        if (!b->Visible || d.Bitmap.Empty() || d.Visibility == 100) continue;
        if (b->IsIconButton()) {
            DrawIcon(dc, b->Rect);
            continue;
        }
        const int frame = (frames(d) < 4 || (Active && b->Enabled)) ? 1 : 4;
        DrawSkinFrame(dc, b->Rect, d.Bitmap, true, frames(d), frame);
    }
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
    HICON icon = windowIcon(main);
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
    IconBitmap.SetPixelFormat(pf16bit);
    IconBitmap.SetSize(cx, cy);
    HDC dc = IconBitmap.Canvas().Handle();
    {
        win::BrushHandle magenta(CreateSolidBrush(SKIN_KEY_COLOUR));
        const RECT all{0, 0, cx, cy};
        FillRect(dc, &all, magenta.Get());
    }
    if (HICON icon = windowIcon(Handle)) {
        win::IconHandle copy = sizedIcon(icon, cx);
        if (copy) DrawIconEx(dc, 0, 0, copy.Get(), cx, cy, 0, nullptr, DI_NORMAL);
    }
}

POINT TWinSkinForm::ScreenToFrame(POINT p) const {
    ScreenToClient(Handle, &p);
    if (MdiKind == 2 && WindowState == swMinimized) return p;
    return POINT{p.x + BorderLeft, p.y + CaptionHeight + MenuHeight};
}

void TWinSkinForm::HideHint() {
    if (!SkinData) return;
    SkinData->HideCaptionHint();
    SkinData->HintElapsed = 0;
}

void TWinSkinForm::onMdiChildCommand(UINT command) {
    if (MdiKind != 1 || !MdiClient) return;
    if (HWND child = HWND(SendMessageA(MdiClient, WM_MDIGETACTIVE, 0, 0)))
        SendMessageA(child, WM_SYSCOMMAND, command, 0);
}

void TWinSkinForm::PerformAction(TWinSysButton& button, POINT point) {
    const int action = button.ButtonData->Action;
    switch (action) {
    case 0: {
        MENUITEMINFOA info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_STATE;
        HMENU menu = SystemMenu ? SystemMenu : GetSystemMenu(Handle, FALSE);
        if (!menu || !GetMenuItemInfoA(menu, SC_CLOSE, FALSE, &info)) return;
        startHoverTimer(false);
        PostMessageA(Handle, WM_SYSCOMMAND, SC_CLOSE, 0);
        return;
    }
    case 1:
    case 22:
        if (button.Enabled) ToggleMaximize();
        return;
    case 2:
    case 23:
        if (button.Enabled) ToggleMinimize();
        return;
    case 3:
    case 11:
    case 12: ShowSystemPopup(POINT{point.x + 1, point.y + 1}); return;
    case 4: PostMessageA(Handle, WM_SYSCOMMAND, SC_CONTEXTHELP, 0); return;
    case 7:
    case 60: onMdiChildCommand(SC_MINIMIZE); return;
    case 8:
    case 61: onMdiChildCommand(SC_RESTORE); return;
    case 9:
    case 62: onMdiChildCommand(SC_CLOSE); return;
    default: PostMessageA(Handle, SKM_BUTTONACTION, WPARAM(action), 0);
    }
}

void TWinSkinForm::ToggleMaximize() {
    if (WindowState == swMaximized) {
        RestoreWindow();
        return;
    }
    if (MdiKind == 2 && SkinManager) SkinManager->SetMdiMaximized(true);
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
        if (SkinManager) SkinManager->MenuContext = mcSystemMenu;
        LastSysMenuTick = now;
        HMENU menu = SystemMenu ? SystemMenu : GetSystemMenu(Handle, FALSE);
        if (!menu || !IsMenu(menu)) return;
        const UINT command =
            UINT(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, point.x,
                                point.y, 0, Handle, nullptr));
        if (command) PostMessageA(Handle, WM_SYSCOMMAND, command, 0);
    } else if (HotObject) {
        startHoverTimer(false);
        PostMessageA(Handle, WM_CLOSE, 0, 0);
    }
}

void TWinSkinForm::HoverTick() {
    if (!Active || TrackingMenu) return;
    auto it = std::find_if(CaptionButtons.begin(), CaptionButtons.end(),
                           [&](const auto& b) { return b.get() == HotObject; });
    // A hot object that is no longer one of ours (buttons rebuilt) is dropped unseen.
    if (HotObject && it == CaptionButtons.end()) HotObject = nullptr;
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
        TWinSysButton& button = **it;
        SkinData->HintElapsed += int(kHoverInterval);
        const int pause = 2 * (Application ? Application->HintPause() : 500);
        const int hidePause = Application ? Application->HintHidePause() : 2500;
        const int elapsed = SkinData->HintElapsed;
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
    if (TWinSysButton* b = ButtonAt(ScreenToFrame(pointOf(lParam)))) {
        b->MouseMove();
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
    if (TWinSysButton* b = ButtonAt(ScreenToFrame(pointOf(lParam)))) {
        if (!Active) SetForegroundWindow(Handle);
        b->MouseDown();
        return 0;
    }
    // A maximised window cannot be dragged by its caption.
    if (WindowState == swMaximized && Active && wParam == HTCAPTION) wParam = HTMENU;
    return passOn(WM_NCLBUTTONDOWN, wParam, lParam);
}

LRESULT TWinSkinForm::onNcLButtonUp(WPARAM wParam, LPARAM lParam) {
    HideHint();
    if (TWinSysButton* b = ButtonAt(ScreenToFrame(pointOf(lParam)))) {
        if (HotObject == b) {
            b->MouseUp();
            PerformAction(*b, pointOf(lParam));
        }
        return 0;
    }
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
    if (wParam == HTCAPTION && MdiKind != 2) {
        ShowSystemPopup(pointOf(lParam));
        return 0;
    }
    return passOn(WM_NCRBUTTONDOWN, wParam, lParam);
}

LRESULT TWinSkinForm::onSysCommand(WPARAM wParam, LPARAM lParam) {
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
        if (MdiKind == 2 && SkinManager && SkinManager->MdiMaximized) SkinManager->SetMdiMaximized(false);
        break;
    default: break;
    }
    return passOn(WM_SYSCOMMAND, wParam, lParam);
}

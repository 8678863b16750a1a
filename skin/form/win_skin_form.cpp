// The form skinner's life cycle: analysis of the window and subclassing, the deferred attach,
// unskinning, release at window destruction and re-skinning.
#include "skin/form/win_skin_form.h"

#include "skin/core/skin_control.h"
#include "skin/core/skin_data.h"
#include "skin/core/skin_manager.h"
#include "toolkit/controls/form.h"
#include "toolkit/controls/menus.h"
#include "toolkit/core/prop_access.h"
#include "toolkit/graphics/system_fonts.h"

namespace {

std::string windowClassName(HWND hwnd) {
    char name[101] = {};
    GetClassNameA(hwnd, name, 101);
    return name;
}

HWND findMdiClient(HWND hwnd) {
    for (HWND c = GetWindow(hwnd, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        if (SameText(windowClassName(c), "MDIClient")) return c;
    return nullptr;
}

bool isNt50() {
    const DWORD v = GetVersion();
    return !(v & 0x80000000u) && LOBYTE(LOWORD(v)) == 5 && HIBYTE(LOWORD(v)) == 0;
}

} // namespace

TWinSkinForm::TWinSkinForm(HWND window, const std::string& className) {
    Handle = window;
    ClassName = className.empty() ? windowClassName(window) : className;
    DoubleClickTime = GetDoubleClickTime();
    CaptionFont = win::CreateSystemFont(win::SystemFont::Caption);
    MenuHeight = 0;
    Active = true;
    State = fsCreated;
}

TWinSkinForm::~TWinSkinForm() {
    HideHint();
    if (subclass_.Installed() && IsWindow(Handle)) ReleaseOnDestroy();
    // The bars' handlers call this skinner: none may outlive it.
    removeToolbarHandlers();
}

void TWinSkinForm::SkinForm(TSkinData* skin, TComponent* control) {
    SkinData = skin;
    Control = control;
    Form = dynamic_cast<TCustomForm*>(control);
    if (SkinData && SkinData->OnBeforeSkinForm) SkinData->OnBeforeSkinForm(control, Handle, ClassName);
    if (SkinData && InSet(SkinData->SkinControls(), xcMenuItem)) SetOrdProp(control, "AutoScroll", 0);
    InitSkin();
    if (FrameSkinned && Form && !hookedWindowProc_) {
        oldWindowProc_ = Form->WindowProc();
        Form->SetWindowProc([this](TMessage& m) { toolkitHook(m); });
        hookedWindowProc_ = true;
    }
    if (Form && SkinData) {
        SavedColor = Form->Color();
        Form->SetColor(SkinData->Colour(scButtonFace));
    }
    // At once, not at the deferred attach: a hidden form activated to open its popup menu (the
    // tray menu) opens it before the deferred attach can run.
    setMenusOwnerDraw(true);
}

void TWinSkinForm::SkinWindow(TSkinData* skin) {
    SkinData = skin;
    InitSkin();
}

void TWinSkinForm::InitSkin() {
    if (subclass_.Installed() || !SkinData || !IsWindow(Handle)) return;
    if (SkinManager) SkinManager->MarkStarted();
    const TSkinControlTypes controls = SkinData->SkinControls();
    FrameSkinned = InSet(controls, xcMainMenu);

    Style = DWORD(GetWindowLongA(Handle, GWL_STYLE));
    const DWORD exStyle = DWORD(GetWindowLongA(Handle, GWL_EXSTYLE));
    RightToLeft = exStyle & WS_EX_LEFTSCROLLBAR;
    IsChild = Style & WS_CHILD;
    IsDialog = ClassName == "#32770" || ClassName == "TMessageForm";
    IsUnicode = IsWindowUnicode(Handle);
    Owner = GetWindow(Handle, GW_OWNER);

    BorderIcons = 0;
    if ((Style & WS_SYSMENU) || SystemMenu) BorderIcons |= biSysMenuBox;
    if (Style & WS_MINIMIZEBOX) BorderIcons |= biMinBox;
    if (Style & WS_MAXIMIZEBOX) BorderIcons |= biMaxBox;
    if (exStyle & WS_EX_CONTEXTHELP) BorderIcons |= biHelpBox;
    readWindowState();
    if (HWND client = findMdiClient(Handle)) {
        MdiKind = mkFrame;
        MdiClient = client;
        if (SkinManager) {
            SkinManager->NoteMdiFrame(client, Form);
        }
    }
    if (exStyle & WS_EX_MDICHILD) {
        MdiKind = mkChild;
        if (InSet(SkinData->Options(), xoMDIChildBorder)) FrameSkinned = false;
    }

    BorderKind = bkFixed;
    if ((Style & WS_CAPTION) != WS_CAPTION)
        BorderKind = bkNoCaption;
    else if (Style & WS_THICKFRAME)
        BorderKind = bkSizeable;
    else if (Style & DS_MODALFRAME)
        BorderKind = bkDialog;
    if (exStyle & WS_EX_DLGMODALFRAME) BorderKind = bkDialog;
    if (IsDialog) BorderKind = bkDialog;

    if (isNt50() && ((exStyle & WS_EX_APPWINDOW) || (!Owner && MdiKind != mkChild)))
        BorderIcons |= biKeepSysMenu;

    if (SkinManager && SkinManager->HideDuringAttach() && !IsChild && FrameSkinned &&
        BorderKind != bkNoCaption) {
        Style &= ~WS_VISIBLE;
        SetWindowLongA(Handle, GWL_STYLE, LONG(Style));
    }
    // Windows 9x draws its own system menus; the owner-drawn one is not offered there.
    if (!UseWideApi()) SkinData->ExcludeSystemMenu();

    if (MdiKind == mkFrame) {
        SavedMenuUpdate = SkinData->MenuUpdate();
        mdiSubclass_.Install(MdiClient, win::SubclassKind::MdiClient,
                             [this](UINT msg, WPARAM wParam, LPARAM lParam) {
                                 TMessageDepth::Scope scope(Depth());
                                 return mdiClientMessage(msg, wParam, lParam);
                             });
    }
    subclass();

    if (FrameSkinned) {
        SavedMenu = GetMenu(Handle);
        if (SavedMenu && MdiKind != mkChild) attachMenuBar();
        RecalcBorders();
    } else {
        State = fsSkinned;
    }
    if (MdiKind == mkChild) {
        const int needed = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CXFRAME);
        if (CaptionHeight < needed) MenuHeight = needed - CaptionHeight;
        if (WindowState == swMaximized && SkinManager && !SkinManager->MdiMaximized())
            SkinManager->SetMdiMaximized(true);
    }
}

void TWinSkinForm::subclass() {
    subclass_.Install(
        Handle, win::SubclassKind::Form,
        [this](UINT msg, WPARAM wParam, LPARAM lParam) {
            TMessageDepth::Scope scope(Depth());
            return dispatch(msg, wParam, lParam);
        },
        [this] { State = fsDestroyed; });
}

// Teardown order: the toolkit form's message method first (it runs inside the window procedure),
// then the window's own procedure, then the MDI client's.
void TWinSkinForm::restoreProcedures() {
    if (hookedWindowProc_ && Form) {
        Form->SetWindowProc(oldWindowProc_);
        hookedWindowProc_ = false;
    }
    subclass_.Restore();
    mdiSubclass_.Restore();
}

void TWinSkinForm::readWindowState() {
    WINDOWPLACEMENT wp{};
    wp.length = sizeof(wp);
    if (!GetWindowPlacement(Handle, &wp)) return;
    switch (wp.showCmd) {
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE: WindowState = swMinimized; break;
    case SW_SHOWMAXIMIZED: WindowState = swMaximized; break;
    default: WindowState = swNormal;
    }
}

void TWinSkinForm::deferredAttach() {
    SystemMenu = GetSystemMenu(Handle, FALSE);
    RebuildIconBitmap();
    GetClientRect(Handle, &ClientRect);
    RECT wr{};
    GetWindowRect(Handle, &wr);
    SysFrameWidth = (wr.right - wr.left) - (ClientRect.right - ClientRect.left);
    SysFrameHeight = (wr.bottom - wr.top) - (ClientRect.bottom - ClientRect.top);

    if (SkinManager && SkinManager->TakeHideDuringAttach()) {
        Style = DWORD(GetWindowLongA(Handle, GWL_STYLE));
        if (!(Style & WS_VISIBLE)) {
            Style |= WS_VISIBLE;
            SetWindowLongA(Handle, GWL_STYLE, LONG(Style));
        }
    }
    if (Form) {
        attachAllControls();
        setMenusOwnerDraw(true);
    } else {
        attachChildWindows();
    }

    if (State == fsCreated && FrameSkinned) {
        if (MdiKind == mkChild) {
            if (WindowState == swMaximized) {
                if (SkinManager && SkinManager->MdiClient())
                    PostMessageA(SkinManager->MdiClient(), SKM_MDIREDRAW, WPARAM(Handle), 0);
            } else if (WindowState == swNormal) {
                State = fsResizing;
                PreserveClientSize(false);
                State = fsSkinned;
                UpdateRegion();
            }
        } else if (!IsChild && BorderKind != bkNoCaption && WindowState != swMinimized) {
            State = fsResizing;
            PreserveClientSize(false);
            State = fsSkinned;
            if (WindowState == swMaximized)
                NotifyFrameChanged();
            else
                UpdateRegion();
        }
    }
    skinCompleted();
    startHoverTimer(Active);
}

void TWinSkinForm::skinCompleted() {
    SendMessageA(Handle, SKM_FRAMESKINNED, 0, SKM_MAGIC);
    if (SkinData && SkinData->OnAfterSkinForm) SkinData->OnAfterSkinForm(Control, Handle, ClassName);
    State = fsSkinned;
}

void TWinSkinForm::startHoverTimer(bool on) {
    if (on && !hoverRunning_ && subclass_.Installed())
        hoverRunning_ = SetTimer(Handle, kHoverTimerId, kHoverInterval, nullptr) != 0;
    else if (!on && hoverRunning_) {
        KillTimer(Handle, kHoverTimerId);
        hoverRunning_ = false;
    }
}

void TWinSkinForm::removeSysMenuStyle() {
    if (BorderIcons & biKeepSysMenu) return;
    Style = DWORD(GetWindowLongA(Handle, GWL_STYLE));
    if (!(Style & WS_SYSMENU)) return;
    Style &= ~WS_SYSMENU;
    SetWindowLongA(Handle, GWL_STYLE, LONG(Style));
}

void TWinSkinForm::restoreSysMenuStyle() {
    if (BorderIcons & biKeepSysMenu) return;
    Style = DWORD(GetWindowLongA(Handle, GWL_STYLE));
    if (!(BorderIcons & biSysMenuBox) || !SystemMenu || !IsMenu(SystemMenu) || (Style & WS_SYSMENU)) return;
    Style |= WS_SYSMENU;
    SetWindowLongA(Handle, GWL_STYLE, LONG(Style));
}

void TWinSkinForm::Unskin() {
    if (!FrameSkinned) {
        UnskinControls();
        return;
    }
    HideHint();
    SystemPopup.reset();
    startHoverTimer(false);
    const bool wasSubclassed = subclass_.Installed();
    if (wasSubclassed) {
        restoreProcedures();
        freeChildSkinners();
    }
    setMenusOwnerDraw(false);
    MenuHandlers.GiveBackAll();
    if (Form && State != fsUnskinning) Form->SetColor(SavedColor);
    if (!IsWindow(Handle)) return;
    restoreSysMenuStyle();
    detachMenuBar(true);
    if (SavedMenu && IsMenu(SavedMenu) && !GetMenu(Handle)) SetMenu(Handle, SavedMenu);
    if (State != fsUnskinning && (MdiKind == mkChild || !IsChild) && wasSubclassed &&
        BorderKind != bkNoCaption) {
        RECT wr{};
        GetWindowRect(Handle, &wr);
        POINT topLeft{wr.left, wr.top};
        if (MdiKind == mkChild) ScreenToClient(GetParent(Handle), &topLeft);
        const int w = wr.right - wr.left + SysFrameWidth - BorderLeft - BorderRight;
        const int h = wr.bottom - wr.top + SysFrameHeight - CaptionHeight - BorderBottom;
        SetWindowPos(Handle, nullptr, topLeft.x, topLeft.y, w, h,
                     SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER);
    }
    SetWindowRgn(Handle, nullptr, TRUE);
    OwnsRegion = false;
    RegionWidth = RegionHeight = 0;
    State = fsSkinned;
}

void TWinSkinForm::Detach() {
    HideHint();
    startHoverTimer(false);
    restoreProcedures();
    freeChildSkinners();
}

void TWinSkinForm::ReleaseOnDestroy() {
    HideHint();
    SystemPopup.reset();
    detachMenuBar(false);
    MenuHandlers.GiveBackAll();
    startHoverTimer(false);
    restoreProcedures();
    freeChildSkinners();
}

void TWinSkinForm::UnskinControls() {
    startHoverTimer(false);
    freeChildSkinners();
    setMenusOwnerDraw(false);
    MenuHandlers.GiveBackAll();
    if (Form && State != fsUnskinning) Form->SetColor(SavedColor);
    restoreProcedures();
    if (State != fsUnskinning && IsWindow(Handle))
        for (HWND c = GetWindow(Handle, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
            InvalidateRect(c, nullptr, TRUE);
}

void TWinSkinForm::Reskin() {
    if (Form && SkinData) Form->SetColor(SkinData->Colour(scButtonFace));
    State = fsReskinning;
    // A copy: a skinner may not survive its own SkinChanged.
    const std::vector<TSkinControl*> children = ChildSkinners;
    for (TSkinControl* child : children)
        child->SkinChanged();
    if (FrameSkinned && Form) {
        SetPopupMenusOwnerDraw(Form, true);
        PreserveClientSize(true);
        Form->SetHeight(Form->Height() + 1);
        Form->SetHeight(Form->Height() - 1);
    } else if (FrameSkinned) {
        PreserveClientSize(true);
        UpdateRegion();
    }
    skinCompleted();
}

void TWinSkinForm::DiscardCaptionButtons() {
    HotObject = nullptr;
    CaptionButtons.clear();
}

void TWinSkinForm::MdiMaximizedChanged(bool maximized) {
    if (MdiKind != mkChild || !IsWindow(Handle)) return;
    if (maximized)
        RemoveRegion();
    else
        UpdateRegion();
    NotifyFrameChanged();
}

void TWinSkinForm::RemoveRegion() {
    if (!OwnsRegion) return;
    SetWindowRgn(Handle, nullptr, MdiKind == mkChild);
    OwnsRegion = false;
    RegionWidth = RegionHeight = 0;
}

void TWinSkinForm::NotifyFrameChanged() {
    SetWindowPos(Handle, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

LRESULT TWinSkinForm::mdiClientMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    auto pass = [&] { return mdiSubclass_.CallPrevious(msg, wParam, lParam); };
    switch (msg) {
    case WM_NCCALCSIZE:
        if (FrameSkinned && !InSet(SkinData->Options(), xoMDIScrollbar))
            SetWindowLongA(MdiClient, GWL_STYLE,
                           GetWindowLongA(MdiClient, GWL_STYLE) & ~LONG(WS_VSCROLL | WS_HSCROLL));
        return pass();
    case WM_MDICREATE: SkinData->SetMenuUpdate(false); return pass();
    case WM_MDIDESTROY: {
        LRESULT r = pass();
        if (FrameSkinned && SkinManager && !released()) {
            BOOL maximized = FALSE;
            HWND active = HWND(SendMessageA(MdiClient, WM_MDIGETACTIVE, 0, LPARAM(&maximized)));
            SkinManager->SetMdiMaximized(active && maximized);
            if (!active && MenuBarSkinner) {
                SkinData->SetMenuUpdate(SavedMenuUpdate);
                MenuBarSkinner->BuildItems();
                MenuBarSkinner->LayoutItems();
                PaintFrame(nullptr);
            }
        }
        return r;
    }
    case WM_MDISETMENU: {
        const LRESULT r = pass();
        if (FrameSkinned && !released()) {
            if (wParam && MenuBarSkinner) MenuBarSkinner->RebuildFromMdiMenu();
            SetMenu(Handle, nullptr);
            PaintFrame(nullptr);
        }
        return r;
    }
    case WM_MDITILE:
    case WM_MDICASCADE:
        if (FrameSkinned && SkinManager && SkinManager->MdiMaximized()) SkinManager->SetMdiMaximized(false);
        return pass();
    case SKM_MDIREDRAW:
        RedrawWindow(Handle, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        return 0;
    default: return pass();
    }
}

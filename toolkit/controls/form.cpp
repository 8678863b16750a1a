// TCustomForm: construction from the form resource, window styles of the border settings,
// showing, modal loops, closing, activation and keyboard navigation.
#include "toolkit/controls/form.h"

#include "toolkit/controls/actions.h"
#include "toolkit/controls/application.h"
#include "toolkit/controls/menus.h"
#include "toolkit/controls/register.h"
#include "toolkit/controls/window_class.h"
#include "toolkit/core/class_builder.h"
#include "toolkit/resource/form_resource.h"

const TEnumInfo& FormBorderStyleInfo() {
    static const TEnumInfo info{
        "TFormBorderStyle",
        {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"}};
    return info;
}
const TEnumInfo& BorderIconInfo() {
    static const TEnumInfo info{"TBorderIcon", {"biSystemMenu", "biMinimize", "biMaximize", "biHelp"}};
    return info;
}
const TEnumInfo& PositionInfo() {
    static const TEnumInfo info{"TPosition",
                                {"poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly",
                                 "poScreenCenter", "poDesktopCenter", "poMainFormCenter",
                                 "poOwnerFormCenter"}};
    return info;
}
const TEnumInfo& WindowStateInfo() {
    static const TEnumInfo info{"TWindowState", {"wsNormal", "wsMinimized", "wsMaximized"}};
    return info;
}
const TEnumInfo& FormStyleInfo() {
    static const TEnumInfo info{"TFormStyle", {"fsNormal", "fsMDIChild", "fsMDIForm", "fsStayOnTop"}};
    return info;
}

const TClassInfo& TCustomForm::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TCustomForm>("TCustomForm", &TWinControl::StaticClass())
            .Bool("Visible", &TCustomForm::Visible, &TCustomForm::SetVisible, false)
            .Enum("BorderStyle", FormBorderStyleInfo(), &TCustomForm::BorderStyle,
                  &TCustomForm::SetBorderStyle, bsSizeable)
            .Set("BorderIcons", BorderIconInfo(), 1, &TCustomForm::BorderIcons, &TCustomForm::SetBorderIcons,
                 7)
            .Enum("Position", PositionInfo(), &TCustomForm::Position, &TCustomForm::SetPosition, poDesigned)
            .Enum("WindowState", WindowStateInfo(), &TCustomForm::WindowState, &TCustomForm::SetWindowState,
                  wsNormal)
            .Enum("FormStyle", FormStyleInfo(), &TCustomForm::FormStyle, &TCustomForm::SetFormStyle, fsNormal)
            .Obj("Icon", &TCustomForm::Icon, &TCustomForm::SetIcon, true)
            .Obj("Menu", &TCustomForm::Menu, &TCustomForm::SetMenu)
            .Obj("WindowMenu", &TCustomForm::WindowMenu, &TCustomForm::SetWindowMenu)
            .Int("ModalResult", &TCustomForm::ModalResult, &TCustomForm::SetModalResult, 0)
            .Event("OnCreate", &TCustomForm::OnCreate)
            .Event("OnDestroy", &TCustomForm::OnDestroy)
            .Event("OnShow", &TCustomForm::OnShow)
            .Event("OnHide", &TCustomForm::OnHide)
            .Event("OnActivate", &TCustomForm::OnActivate)
            .Event("OnDeactivate", &TCustomForm::OnDeactivate)
            .Event("OnClose", &TCustomForm::OnClose)
            .Event("OnCloseQuery", &TCustomForm::OnCloseQuery)
            .Build();
    return info;
}

const TClassInfo& TForm::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TForm>("TForm", &TCustomForm::StaticClass()).Creatable().Build();
    return info;
}

TCustomForm::TCustomForm(TComponent* AOwner) : TWinControl(AOwner) {
    visible_ = false;
    width_ = 320;
    height_ = 240;
    Screen->AddForm(this);
    icon_.OnChange = TNotifyEvent([this](TObject*) { applyIcon(); });
}

TCustomForm::~TCustomForm() {
    SetStateFlag(csDestroying, true);
    if (constructed_ && OnDestroy) {
        try {
            OnDestroy(this);
        } catch (...) {
            HandleToolkitException();
        }
    }
    restoreMaximizedChild();
    SetMenu(nullptr);
    Screen->RemoveForm(this);
    Application->FormDestroyed(this);
    DestroyHandle();
}

void TCustomForm::AfterConstruction() {
    if (constructed_) return;
    constructed_ = true;
    RegisterControlClasses();
    std::string name = ResourceName();
    if (HRSRC res = FindResourceA(ToolkitInstance(), name.c_str(), MAKEINTRESOURCEA(10))) { // RT_RCDATA
        HGLOBAL block = LoadResource(ToolkitInstance(), res);
        auto* data = static_cast<const uint8_t*>(block ? LockResource(block) : nullptr);
        if (!data) throw EReadError("Cannot load the form resource " + name);
        TResourceNesting nesting;
        nesting.adopt = [this](TComponent* child, TComponent* parent) { SetChildParent(child, parent); };
        nesting.parentOf = [](const TComponent* child) -> TComponent* {
            if (auto* c = dynamic_cast<const TControl*>(child)) return c->Parent();
            if (auto* item = dynamic_cast<const TMenuItem*>(child)) return item->ParentComponent();
            if (auto* action = dynamic_cast<const TAction*>(child)) return action->ActionList();
            return nullptr;
        };
        ReadComponentResource(this, data, SizeofResource(ToolkitInstance(), res), nesting);
    }
    HandleNeeded();
    if (OnCreate) OnCreate(this);
    if (visible_) Perform(TKN_VISIBLECHANGED, 1);
}

bool TCustomForm::SetChildParent(TComponent* child, TComponent* parent) {
    if (auto* control = dynamic_cast<TControl*>(child)) {
        auto* container = dynamic_cast<TWinControl*>(parent);
        if (!container) return false;
        control->SetParent(container);
        return true;
    }
    if (auto* item = dynamic_cast<TMenuItem*>(child)) {
        if (auto* menu = dynamic_cast<TMenu*>(parent)) {
            menu->Items()->Add(item);
            return true;
        }
        if (auto* owner = dynamic_cast<TMenuItem*>(parent)) {
            owner->Add(item);
            return true;
        }
        return false;
    }
    if (auto* action = dynamic_cast<TAction*>(child)) {
        auto* list = dynamic_cast<TActionList*>(parent);
        if (!list) return false;
        action->SetActionList(list);
        return true;
    }
    return parent == this;
}

void TCustomForm::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.Style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    p.ExStyle = 0;
    p.WndParent = nullptr;
    if (!enabled_) p.Style |= WS_DISABLED;
    TBorderIcons icons = borderIcons_;
    switch (borderStyle_) {
    case bsNone:
        p.Style |= WS_POPUP;
        icons = 0;
        break;
    case bsSingle: p.Style |= WS_CAPTION; break;
    case bsSizeable: p.Style |= WS_CAPTION | WS_THICKFRAME; break;
    case bsDialog:
        p.Style |= WS_POPUP | WS_CAPTION;
        p.ExStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
        break;
    case bsToolWindow:
        p.Style |= WS_CAPTION;
        p.ExStyle |= WS_EX_TOOLWINDOW;
        break;
    case bsSizeToolWin:
        p.Style |= WS_CAPTION | WS_THICKFRAME;
        p.ExStyle |= WS_EX_TOOLWINDOW;
        break;
    }
    // A dialog frame has no minimise or maximise box. A tool window keeps the ones it asks for:
    // the system draws none on its small caption, but a skinned caption reads the style bits.
    if (borderStyle_ == bsDialog) icons &= BorderIconBit(biSystemMenu) | BorderIconBit(biHelp);
    if (icons & BorderIconBit(biSystemMenu)) p.Style |= WS_SYSMENU;
    if (icons & BorderIconBit(biMinimize)) p.Style |= WS_MINIMIZEBOX;
    if (icons & BorderIconBit(biMaximize)) p.Style |= WS_MAXIMIZEBOX;
    if ((icons & BorderIconBit(biHelp)) && !(p.Style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)))
        p.ExStyle |= WS_EX_CONTEXTHELP;
    if (formStyle_ == fsStayOnTop) p.ExStyle |= WS_EX_TOPMOST;
    if (formStyle_ == fsMDIChild) {
        TCustomForm* frame = MDIFrame();
        if (!frame)
            throw Exception("Cannot create the MDI child " + Name() + ": no MDI form has a client window");
        p.WndParent = frame->ClientHandle();
        p.Style = (p.Style & ~DWORD(WS_POPUP)) | WS_CHILD;
        p.ExStyle |= WS_EX_MDICHILD;
        // The client places (and sizes) a child left to the system as it cascades them.
        if (position_ == poDefault || position_ == poDefaultPosOnly) p.X = p.Y = CW_USEDEFAULT;
        if (position_ == poDefault || position_ == poDefaultSizeOnly) p.Width = p.Height = CW_USEDEFAULT;
    }
}

void TCustomForm::InitializeWnd() {
    TWinControl::InitializeWnd();
    applyIcon();
    attachMenu();
    if (formStyle_ == fsMDIForm) createMdiClient();
}

void TCustomForm::applyIcon() {
    if (!HandleAllocated()) return;
    HICON icon = icon_.Handle();
    if (!icon) icon = Application->Icon()->Handle();
    SendMessageA(handle_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageA(handle_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
}

void TCustomForm::attachMenu() {
    if (!HandleAllocated()) return;
    ::SetMenu(handle_, menu_ ? menu_->Handle() : nullptr);
    DrawMenuBar(handle_);
}

void TCustomForm::SetMenu(TMainMenu* value) {
    if (value == menu_) return;
    if (menu_) {
        menu_->RemoveFreeNotification(this);
        menu_->SetWindow(nullptr);
    }
    menu_ = value;
    if (menu_) {
        menu_->FreeNotification(this);
        menu_->SetWindow(this);
    }
    attachMenu();
}

void TCustomForm::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation != TOperation::opRemove) return;
    if (component == menu_) {
        menu_ = nullptr;
        if (HandleAllocated()) ::SetMenu(handle_, nullptr);
    }
    if (component == windowMenu_) {
        windowMenu_ = nullptr;
        relinkWindowMenu();
    }
}

void TCustomForm::controlRemoved(TControl* control) {
    for (TControl* c = activeControl_; c; c = c->Parent())
        if (c == control) {
            activeControl_ = nullptr;
            return;
        }
}

void TCustomForm::SetBorderStyle(TFormBorderStyle value) {
    if (value == borderStyle_) return;
    borderStyle_ = value;
    UpdateWindowStyle();
}

void TCustomForm::SetBorderIcons(TBorderIcons value) {
    if (value == borderIcons_) return;
    borderIcons_ = value;
    UpdateWindowStyle();
}

void TCustomForm::SetFormStyle(TFormStyle value) {
    if (value == formStyle_) return;
    auto mdi = [](TFormStyle style) { return style == fsMDIForm || style == fsMDIChild; };
    if (HandleAllocated() && (mdi(value) || mdi(formStyle_)))
        throw Exception("The MDI style of " + Name() + " must be chosen before its window exists");
    formStyle_ = value;
    // A child shows as it is made: the client lists it in the window menu at once.
    if (value == fsMDIChild) visible_ = true;
    if (HandleAllocated())
        SetWindowPos(handle_, value == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TCustomForm::SetWindowState(TWindowState value) {
    if (value == windowState_) return;
    windowState_ = value;
    if (HandleAllocated() && visible_ && formStyle_ == fsMDIChild && value != wsMinimized) {
        // The client keeps one child maximised at a time and merges it into the frame's menu bar.
        SendMessageA(GetParent(handle_), value == wsMaximized ? WM_MDIMAXIMIZE : WM_MDIRESTORE,
                     reinterpret_cast<WPARAM>(handle_), 0);
        return;
    }
    if (HandleAllocated() && visible_)
        ShowWindow(handle_, value == wsMinimized   ? SW_MINIMIZE
                            : value == wsMaximized ? SW_MAXIMIZE
                                                   : SW_RESTORE);
}

void TCustomForm::applyPosition() {
    RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    switch (position_) {
    case poScreenCenter:
    case poDesktopCenter: break;
    case poMainFormCenter:
    case poOwnerFormCenter: {
        TCustomForm* over = position_ == poOwnerFormCenter ? dynamic_cast<TCustomForm*>(Owner()) : nullptr;
        if (!over) over = Application->MainForm();
        if (over && over != this && over->Visible()) area = over->BoundsRect();
        break;
    }
    default: return;
    }
    int x = area.left + (area.right - area.left - width_) / 2;
    int y = area.top + (area.bottom - area.top - height_) / 2;
    SetBounds(x < 0 ? 0 : x, y < 0 ? 0 : y, width_, height_);
}

void TCustomForm::Show() {
    SetVisible(true);
    if (HandleAllocated() && formStyle_ == fsMDIChild) {
        SendMessageA(GetParent(handle_), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(handle_), 0);
        return;
    }
    if (HandleAllocated() && windowState_ != wsMinimized) {
        BringWindowToTop(handle_);
        SetForegroundWindow(handle_);
    }
}

void TCustomForm::VisibleChanged(TMessage&) {
    if (!visible_) {
        if (HandleAllocated()) ShowWindow(handle_, SW_HIDE);
        if (OnHide) OnHide(this);
        return;
    }
    HandleNeeded();
    if (!positioned_) {
        positioned_ = true;
        if (formStyle_ != fsMDIChild) applyPosition();
    }
    if (OnShow) OnShow(this);
    if (formStyle_ == fsMDIChild) {
        HWND client = GetParent(handle_);
        ShowWindow(handle_, windowState_ == wsMinimized ? SW_SHOWMINIMIZED : SW_SHOW);
        if (windowState_ == wsMaximized)
            SendMessageA(client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(handle_), 0);
        SendMessageA(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(handle_), 0);
        return;
    }
    ShowWindow(handle_, windowState_ == wsMinimized   ? SW_SHOWMINIMIZED
                        : windowState_ == wsMaximized ? SW_SHOWMAXIMIZED
                                                      : SW_SHOWNORMAL);
    if (formStyle_ == fsStayOnTop)
        SetWindowPos(handle_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

namespace {

struct DisabledWindows {
    HWND keep;
    std::vector<HWND> windows;
};

BOOL CALLBACK disableWindow(HWND hwnd, LPARAM param) {
    auto* d = reinterpret_cast<DisabledWindows*>(param);
    if (hwnd != d->keep && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) {
        d->windows.push_back(hwnd);
        EnableWindow(hwnd, FALSE);
    }
    return TRUE;
}

void enableWindows(const DisabledWindows& d) {
    for (HWND hwnd : d.windows)
        if (IsWindow(hwnd)) EnableWindow(hwnd, TRUE);
}

} // namespace

TModalResult TCustomForm::ShowModal() {
    if (visible_ || modal_) throw Exception("Cannot make a visible window modal");
    if (formStyle_ == fsMDIChild) throw Exception("Cannot make an MDI child modal");
    if (GetCapture()) ReleaseCapture();
    HandleNeeded();
    modal_ = true;
    modalResult_ = mrNone;
    DisabledWindows disabled{handle_, {}};
    EnumThreadWindows(GetCurrentThreadId(), disableWindow, reinterpret_cast<LPARAM>(&disabled));
    try {
        Show();
        while (true) {
            Application->HandleMessage();
            if (Application->Terminated()) {
                modalResult_ = mrCancel;
                break;
            }
            if (modalResult_ != mrNone) {
                closeModal();
                if (modalResult_ != mrNone) break;
            }
        }
    } catch (...) {
        enableWindows(disabled);
        modal_ = false;
        Hide();
        throw;
    }
    // Enable first, so activation returns to the window the dialog came from.
    enableWindows(disabled);
    modal_ = false;
    Hide();
    return modalResult_;
}

void TCustomForm::closeModal() {
    TCloseAction action = caNone;
    if (CloseQuery()) {
        action = caHide;
        DoClose(action);
    }
    if (action == caNone)
        modalResult_ = mrNone;
    else if (action == caFree)
        Release();
}

bool TCustomForm::CloseQuery() {
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::DoClose(TCloseAction& action) {
    if (OnClose) OnClose(this, action);
}

void TCustomForm::Close() {
    if (modal_) {
        modalResult_ = mrCancel;
        return;
    }
    if (!CloseQuery()) return;
    // A hidden MDI child would still be listed and cascaded: a closed child goes.
    TCloseAction action = formStyle_ == fsMDIChild ? caFree : caHide;
    DoClose(action);
    if (action == caNone) return;
    if (Application->MainForm() == this) {
        Application->Terminate();
        return;
    }
    switch (action) {
    case caHide: Hide(); break;
    case caMinimize: SetWindowState(wsMinimized); break;
    case caFree: Release(); break;
    default: break;
    }
}

void TCustomForm::Release() {
    PostMessageA(Handle(), TKN_RELEASE, 0, 0);
}

void TCustomForm::SetActiveControl(TWinControl* control) {
    if (control && control->ParentForm() != this) return;
    if (control && visible_ && control->CanFocus()) {
        ::SetFocus(control->Handle());
        return;
    }
    FocusChanged(control);
}

void TCustomForm::FocusChanged(TWinControl* control) {
    if (control == activeControl_) return;
    TWinControl* old = std::exchange(activeControl_, control);
    if (old) old->Perform(TKN_EXIT);
    if (control) control->Perform(TKN_ENTER);
    TMessage notice{TKN_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(control), 0};
    BroadcastDeep(this, notice, false);
}

void TCustomForm::SelectNext(TWinControl* current, bool forward) {
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty()) return;
    int n = int(list.size());
    int at = -1;
    for (int i = 0; i < n; ++i)
        if (list[size_t(i)] == current) at = i;
    for (int step = 1; step <= n; ++step) {
        int i = at < 0 ? (forward ? step - 1 : n - step) : ((at + (forward ? step : -step)) % n + n) % n;
        TWinControl* c = list[size_t(i)];
        if (c->TabStop() && c->CanFocus()) {
            SetActiveControl(c);
            return;
        }
    }
}

void TCustomForm::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_CLOSE: Close(); return;
    case WM_ACTIVATE: activated(m); return;
    case WM_SIZE: sized(m); break;
    case WM_DESTROY:
        // The menu belongs to its TMainMenu: take it away before the window destroys it, without
        // a maximised child's buttons in it.
        restoreMaximizedChild();
        ::SetMenu(handle_, nullptr);
        TWinControl::WndProc(m);
        clientHandle_ = nullptr;
        return;
    case WM_INITMENUPOPUP: DispatchMenuPopup(reinterpret_cast<HMENU>(m.WParam)); break;
    case WM_SETTEXT:
        if (formStyle_ == fsMDIChild) {
            // The window menu lists children by caption; the client reads them again on request.
            TWinControl::WndProc(m);
            SendMessageA(GetParent(handle_), WM_MDIREFRESHMENU, 0, 0);
            return;
        }
        break;
    case WM_MDIACTIVATE:
        if (formStyle_ == fsMDIChild) {
            mdiActivated(m);
            return;
        }
        break;
    case TKN_MENUCHANGED:
        attachMenu();
        relinkWindowMenu();
        return;
    case TKN_RELEASE:
        // Dispatched by someone else's loop: try again from the toolkit's.
        PostMessageA(handle_, TKN_RELEASE, 0, 0);
        return;
    case TKN_DIALOGKEY: dialogKey(m); return;
    case TKN_DIALOGCHAR: dialogChar(m); return;
    default: break;
    }
    TWinControl::WndProc(m);
}

void TCustomForm::activated(TMessage& m) {
    DefaultHandler(m);
    bool active = LOWORD(m.WParam) != WA_INACTIVE;
    Screen->FormActivated(this, active);
    Perform(active ? TKN_ACTIVATE : TKN_DEACTIVATE);
    if (active) {
        if (activeControl_ && activeControl_->HandleAllocated() && activeControl_->CanFocus())
            ::SetFocus(activeControl_->Handle());
        else if (!activeControl_)
            // Without a control that had the focus, the keyboard starts at the first tab stop.
            SelectNext(nullptr, true);
        if (OnActivate) OnActivate(this);
    } else if (OnDeactivate) {
        OnDeactivate(this);
    }
}

void TCustomForm::sized(TMessage& m) {
    if (!visible_) return;
    switch (m.WParam) {
    case SIZE_MINIMIZED: windowState_ = wsMinimized; break;
    case SIZE_MAXIMIZED: windowState_ = wsMaximized; break;
    case SIZE_RESTORED: windowState_ = wsNormal; break;
    default: break;
    }
}

void TCustomForm::dialogKey(TMessage& m) {
    if (m.WParam == VK_TAB && !(KeyboardShiftState() & (ssCtrl | ssAlt))) {
        SelectNext(activeControl_, !(KeyboardShiftState() & ssShift));
        m.Result = 1;
        return;
    }
    BroadcastDeep(this, m, true);
}

void TCustomForm::dialogChar(TMessage& m) {
    BroadcastDeep(this, m, true);
}

void BroadcastDeep(TWinControl* root, TMessage& m, bool stopAtResult) {
    for (TControl* c : std::vector<TControl*>(root->Controls())) {
        c->WindowProc()(m);
        if (stopAtResult && m.Result) return;
        if (auto* w = dynamic_cast<TWinControl*>(c)) {
            BroadcastDeep(w, m, stopAtResult);
            if (stopAtResult && m.Result) return;
        }
    }
}

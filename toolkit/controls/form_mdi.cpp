// MDI on TCustomForm: the frame's client window and default procedure, children made and ended
// through the client, the window menu, and arranging and listing the children.
#include "toolkit/controls/application.h"
#include "toolkit/controls/form.h"
#include "toolkit/controls/menus.h"
#include "toolkit/controls/window_class.h"

namespace {

// Identifiers the client gives its children's window-menu entries: far above the commands that
// menu items are given, below the system's.
constexpr UINT kFirstChildId = 0xFF00;

HMENU subMenuOf(TMenuItem* item) {
    return item ? item->Handle() : nullptr;
}

} // namespace

void TCustomForm::DefaultHandler(TMessage& m) {
    if (!HandleAllocated()) return;
    if (formStyle_ == fsMDIForm && clientHandle_) {
        m.Result = DefFrameProcA(handle_, clientHandle_, m.Msg, m.WParam, m.LParam);
        return;
    }
    if (formStyle_ == fsMDIChild) {
        m.Result = DefMDIChildProcA(handle_, m.Msg, m.WParam, m.LParam);
        return;
    }
    TWinControl::DefaultHandler(m);
}

HWND TCustomForm::CreateWindowHandle(const TCreateParams& p) {
    if (formStyle_ != fsMDIChild) return TWinControl::CreateWindowHandle(p);
    MDICREATESTRUCTA mcs{};
    mcs.szClass = p.WinClassName.c_str();
    mcs.szTitle = p.Caption.c_str();
    mcs.hOwner = ToolkitInstance();
    mcs.x = p.X;
    mcs.y = p.Y;
    mcs.cx = p.Width;
    mcs.cy = p.Height;
    mcs.style = p.Style;
    return reinterpret_cast<HWND>(SendMessageA(p.WndParent, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
}

void TCustomForm::DestroyWnd() {
    // The client takes its child off the window menu and out of the frame's menu bar.
    if (formStyle_ == fsMDIChild)
        if (HWND client = GetParent(handle_)) {
            SendMessageA(client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(handle_), 0);
            return;
        }
    TWinControl::DestroyWnd();
}

void TCustomForm::createMdiClient() {
    CLIENTCREATESTRUCT ccs{subMenuOf(windowMenu_), kFirstChildId};
    RECT r{};
    GetClientRect(handle_, &r);
    clientHandle_ = CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr,
                                    WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL |
                                        MDIS_ALLCHILDSTYLES,
                                    0, 0, r.right, r.bottom, handle_, nullptr, ToolkitInstance(), &ccs);
    if (!clientHandle_) throw Exception("Cannot create the MDI client window of " + Name());
}

void TCustomForm::SetWindowMenu(TMenuItem* value) {
    if (value == windowMenu_) return;
    if (windowMenu_) windowMenu_->RemoveFreeNotification(this);
    windowMenu_ = value;
    if (windowMenu_) windowMenu_->FreeNotification(this);
    relinkWindowMenu();
}

void TCustomForm::relinkWindowMenu() {
    if (!clientHandle_) return;
    // The window menu's HMENU changes when its level of the menu is made again; the frame's
    // own menu stays as it is.
    SendMessageA(clientHandle_, WM_MDISETMENU, 0, reinterpret_cast<LPARAM>(subMenuOf(windowMenu_)));
    SendMessageA(clientHandle_, WM_MDIREFRESHMENU, 0, 0);
    DrawMenuBar(handle_);
}

void TCustomForm::restoreMaximizedChild() {
    if (!clientHandle_ || !IsWindow(clientHandle_)) return;
    BOOL maximized = FALSE;
    auto child = reinterpret_cast<HWND>(
        SendMessageA(clientHandle_, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized)));
    if (child && maximized) SendMessageA(clientHandle_, WM_MDIRESTORE, reinterpret_cast<WPARAM>(child), 0);
}

void TCustomForm::mdiActivated(TMessage& m) {
    DefaultHandler(m);
    if (reinterpret_cast<HWND>(m.LParam) == handle_) {
        if (activeControl_ && activeControl_->HandleAllocated() && activeControl_->CanFocus())
            ::SetFocus(activeControl_->Handle());
        if (OnActivate) OnActivate(this);
    } else if (OnDeactivate) {
        OnDeactivate(this);
    }
}

void TCustomForm::Cascade() {
    if (clientHandle_) SendMessageA(clientHandle_, WM_MDICASCADE, 0, 0);
}

void TCustomForm::Tile() {
    if (clientHandle_) SendMessageA(clientHandle_, WM_MDITILE, MDITILE_HORIZONTAL, 0);
}

void TCustomForm::ArrangeIcons() {
    if (clientHandle_) SendMessageA(clientHandle_, WM_MDIICONARRANGE, 0, 0);
}

TCustomForm* TCustomForm::ActiveMDIChild() const {
    if (!clientHandle_) return nullptr;
    auto child = reinterpret_cast<HWND>(SendMessageA(clientHandle_, WM_MDIGETACTIVE, 0, 0));
    return dynamic_cast<TCustomForm*>(FindControl(child));
}

std::vector<TCustomForm*> TCustomForm::mdiChildren() const {
    std::vector<TCustomForm*> children;
    if (!clientHandle_) return children;
    for (HWND h = GetWindow(clientHandle_, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT))
        if (auto* form = dynamic_cast<TCustomForm*>(FindControl(h)); form && form->formStyle_ == fsMDIChild)
            children.push_back(form);
    // Stacking order puts the active child first already; say so rather than rely on it.
    if (TCustomForm* active = ActiveMDIChild()) {
        std::erase(children, active);
        children.insert(children.begin(), active);
    }
    return children;
}

int TCustomForm::MDIChildCount() const {
    return int(mdiChildren().size());
}

TCustomForm* TCustomForm::MDIChildren(int index) const {
    return mdiChildren().at(size_t(index));
}

TCustomForm* TCustomForm::MDIFrame() const {
    if (formStyle_ != fsMDIChild) return nullptr;
    if (handle_) {
        HWND client = GetParent(handle_);
        return dynamic_cast<TCustomForm*>(FindControl(client ? GetParent(client) : nullptr));
    }
    // Before its window exists: the main form when it is a frame, else the first frame there is.
    TCustomForm* main = Application->MainForm();
    if (main && main->clientHandle_) return main;
    for (TCustomForm* form : Screen->Forms())
        if (form->clientHandle_) return form;
    return nullptr;
}

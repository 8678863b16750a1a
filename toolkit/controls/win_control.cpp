// TWinControl: window creation, the message dispatch shared by all windowed controls,
// reflection of notifications, painting of windowless children and pointer tracking.
#include "toolkit/controls/win_control.h"

#include <algorithm>

#include "toolkit/controls/application.h"
#include "toolkit/controls/form.h"
#include "toolkit/controls/menus.h"
#include "toolkit/controls/mouse_state.h"
#include "toolkit/controls/window_class.h"
#include "toolkit/core/class_builder.h"

namespace {

int nextControlId = 1;

bool isMouseButtonMessage(UINT msg) {
    return msg >= WM_LBUTTONDOWN && msg <= WM_MBUTTONDBLCLK;
}

POINT messagePoint(LPARAM lParam) {
    return {short(LOWORD(lParam)), short(HIWORD(lParam))};
}

} // namespace

const TClassInfo& TWinControl::StaticClass() {
    static const TClassInfo& info = TClassBuilder<TWinControl>("TWinControl", &TControl::StaticClass())
                                        .Int("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder)
                                        .Bool("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop)
                                        .Build();
    return info;
}

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner), ctlId_(nextControlId++ & 0x7FFF) {}

TWinControl::~TWinControl() {
    SetStateFlag(csDestroying, true);
    DestroyHandle();
    // Children go with their parent, whoever owns them (an owner frees only what is left).
    while (!controls_.empty())
        delete controls_.back();
}

HWND TWinControl::Handle() {
    if (!handle_) {
        if (parent_) parent_->HandleNeeded();
        if (!handle_) CreateWnd();
    }
    return handle_;
}

void TWinControl::CreateParams(TCreateParams& p) {
    p.Caption = caption_;
    p.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    if (visible_) p.Style |= WS_VISIBLE;
    if (!enabled_) p.Style |= WS_DISABLED;
    if (tabStop_) p.Style |= WS_TABSTOP;
    p.X = left_;
    p.Y = top_;
    p.Width = width_;
    p.Height = height_;
    p.WndParent = parent_ ? parent_->Handle() : nullptr;
    p.WinClassName = ClassName();
}

void TWinControl::CreateWnd() {
    TCreateParams p;
    CreateParams(p);
    defWndProc_ = RegisterToolkitClass(p.WinClassName, p.SysClassName, p.WindowClassStyle);
    if (!defWndProc_) throw Exception("Cannot register the window class " + p.WinClassName);
    detail::SetCreatingControl(this);
    HWND hwnd = CreateWindowHandle(p);
    detail::SetCreatingControl(nullptr);
    if (!hwnd) throw Exception("Cannot create a window of class " + p.WinClassName);
    if (handle_ != hwnd) AttachHandle(hwnd);
    // The system may have adjusted the size (minimum sizes of captioned windows).
    RECT r;
    GetWindowRect(hwnd, &r);
    if (p.WndParent && (p.Style & WS_CHILD))
        MapWindowPoints(nullptr, p.WndParent, reinterpret_cast<POINT*>(&r), 2);
    left_ = r.left;
    top_ = r.top;
    width_ = r.right - r.left;
    height_ = r.bottom - r.top;
    InitializeWnd();
}

HWND TWinControl::CreateWindowHandle(const TCreateParams& p) {
    HMENU id = (p.Style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(ctlId_)) : nullptr;
    return CreateWindowExA(p.ExStyle, p.WinClassName.c_str(), p.Caption.c_str(), p.Style, p.X, p.Y, p.Width,
                           p.Height, p.WndParent, id, ToolkitInstance(), nullptr);
}

void TWinControl::DestroyWnd() {
    DestroyWindow(handle_);
}

void TWinControl::InitializeWnd() {
    SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), FALSE);
    if (pendingClientWidth_ >= 0 || pendingClientHeight_ >= 0) {
        int cw = std::exchange(pendingClientWidth_, -1), ch = std::exchange(pendingClientHeight_, -1);
        if (cw >= 0) SetClientWidth(cw);
        if (ch >= 0) SetClientHeight(ch);
    }
    for (TControl* c : std::vector<TControl*>(controls_))
        if (auto* w = dynamic_cast<TWinControl*>(c)) w->HandleNeeded();
}

void TWinControl::AttachHandle(HWND hwnd) {
    handle_ = hwnd;
    SetPropA(hwnd, MAKEINTATOM(ControlAtom()), this);
}

void TWinControl::detachHandle() {
    if (!handle_) return;
    RemovePropA(handle_, MAKEINTATOM(ControlAtom()));
    handle_ = nullptr;
}

void TWinControl::DestroyHandle() {
    if (!handle_) return;
    HWND hwnd = handle_;
    DestroyWnd();
    // A window destroyed from outside the toolkit's procedure still lets go of this control.
    if (handle_ == hwnd) detachHandle();
}

void TWinControl::RecreateWnd() {
    if (!handle_) return;
    // Whoever follows the window (a skinner) learns of it while the old one still exists.
    Perform(TKN_RECREATEWND);
    if (!handle_) return;
    DestroyHandle();
    if (!parent_ || parent_->HandleAllocated()) HandleNeeded();
}

LRESULT TWinControl::DispatchWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    TMessage m{msg, wParam, lParam, 0};
    try {
        windowProc_(m);
    } catch (...) {
        HandleToolkitException();
    }
    return m.Result;
}

void TWinControl::DefaultHandler(TMessage& m) {
    if (!handle_) return;
    m.Result =
        CallWindowProcA(defWndProc_ ? defWndProc_ : DefWindowProcA, handle_, m.Msg, m.WParam, m.LParam);
}

void TWinControl::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
        if (reflect(m)) return;
        break;
    case CN_CTLCOLORMSGBOX:
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORLISTBOX:
    case CN_CTLCOLORBTN:
    case CN_CTLCOLORDLG:
    case CN_CTLCOLORSCROLLBAR:
    case CN_CTLCOLORSTATIC: colorMessage(m); return;
    case WM_PAINT: paintHandler(m); return;
    case WM_PRINTCLIENT:
        if (defWndProc_ == DefWindowProcA) {
            printClient(m);
            return;
        }
        break;
    case WM_ERASEBKGND:
        if (defWndProc_ == DefWindowProcA) {
            eraseBackground(m);
            return;
        }
        break;
    case WM_SETCURSOR:
        if (setCursor(m)) return;
        break;
    case WM_MOUSEMOVE:
        trackMouse(m);
        if (forwardMouseToChild(m)) return;
        break;
    case WM_MOUSELEAVE: mouseLeft(m); break;
    case WM_CAPTURECHANGED:
        if (TControl* c = mouse_state::Captured(); c && c->parent_ == this) mouse_state::SetCaptured(nullptr);
        break;
    case WM_WINDOWPOSCHANGED: windowPosChanged(m); break;
    case WM_SETFOCUS: focusReceived(m); break;
    case WM_CONTEXTMENU: contextMenu(m); return;
    case WM_SETTEXT:
        DefaultHandler(m);
        if (m.LParam) caption_ = reinterpret_cast<const char*>(m.LParam);
        return;
    case WM_NCDESTROY:
        TControl::WndProc(m);
        detachHandle();
        return;
    case TKN_CHILDTEXTCOLOUR: m.Result = m.LParam; return;
    default:
        if (isMouseButtonMessage(m.Msg) && forwardMouseToChild(m)) return;
        break;
    }
    TControl::WndProc(m);
}

bool TWinControl::reflect(TMessage& m) {
    HWND child = nullptr;
    switch (m.Msg) {
    case WM_COMMAND:
        if (!m.LParam) return menuMessage(m);
        child = reinterpret_cast<HWND>(m.LParam);
        break;
    case WM_NOTIFY: child = reinterpret_cast<NMHDR*>(m.LParam)->hwndFrom; break;
    case WM_DRAWITEM: {
        auto* d = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
        if (d->CtlType == ODT_MENU) return menuMessage(m);
        child = d->hwndItem;
        break;
    }
    case WM_MEASUREITEM: {
        auto* mi = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
        if (mi->CtlType == ODT_MENU) return menuMessage(m);
        child = GetDlgItem(handle_, int(mi->CtlID));
        break;
    }
    default: child = reinterpret_cast<HWND>(m.LParam); break;
    }
    TWinControl* target = FindControl(child);
    if (!target || target == this) return false;
    m.Result = target->Perform(TKN_REFLECT + m.Msg, m.WParam, m.LParam);
    return true;
}

bool TWinControl::menuMessage(TMessage& m) {
    switch (m.Msg) {
    case WM_COMMAND:
        if (HIWORD(m.WParam) > 1 || !DispatchMenuCommand(LOWORD(m.WParam))) return false;
        m.Result = 0;
        return true;
    case WM_MEASUREITEM:
        if (!DispatchMenuMeasure(*reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam))) return false;
        m.Result = TRUE;
        return true;
    case WM_DRAWITEM:
        if (!DispatchMenuDraw(*reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam))) return false;
        m.Result = TRUE;
        return true;
    }
    return false;
}

void TWinControl::colorMessage(TMessage& m) {
    HDC dc = reinterpret_cast<HDC>(m.WParam);
    SetTextColor(dc, COLORREF(ColorToRGB(Font()->Color())));
    SetBkColor(dc, COLORREF(ColorToRGB(color_)));
    m.Result = reinterpret_cast<LRESULT>(ColorBrush());
}

HBRUSH TWinControl::ColorBrush() {
    if (!brush_ || brushColor_ != color_) {
        brush_.Reset(CreateSolidBrush(COLORREF(ColorToRGB(color_))));
        brushColor_ = color_;
    }
    return brush_.Get();
}

void TWinControl::eraseBackground(TMessage& m) {
    RECT r;
    GetClientRect(handle_, &r);
    FillRect(reinterpret_cast<HDC>(m.WParam), &r, ColorBrush());
    m.Result = 1;
}

void TWinControl::paintHandler(TMessage& m) {
    // System controls paint themselves; toolkit-drawn ones paint, then their windowless children.
    if (defWndProc_ != DefWindowProcA) {
        DefaultHandler(m);
        return;
    }
    if (HDC dc = reinterpret_cast<HDC>(m.WParam)) {
        RECT clip{};
        GetClipBox(dc, &clip);
        PaintWindow(dc);
        PaintControls(dc, clip);
        return;
    }
    win::PaintDC dc(handle_);
    if (!dc.Get()) return;
    PaintWindow(dc.Get());
    PaintControls(dc.Get(), dc.PaintRect());
}

void TWinControl::printClient(TMessage& m) {
    // Both halves go through WindowProc, so a hook that paints the control paints the copy too.
    if (m.LParam & PRF_ERASEBKGND) Perform(WM_ERASEBKGND, m.WParam);
    Perform(WM_PAINT, m.WParam);
}

void TWinControl::PaintControls(HDC dc, const RECT& update) {
    for (TControl* c : std::vector<TControl*>(controls_)) {
        if (dynamic_cast<TWinControl*>(c) || !c->visible_ || c->width_ <= 0 || c->height_ <= 0) continue;
        RECT r = c->BoundsRect(), both;
        if (!IntersectRect(&both, &r, &update)) continue;
        win::SaveDCGuard saved(dc);
        OffsetViewportOrgEx(dc, r.left, r.top, nullptr);
        IntersectClipRect(dc, 0, 0, c->width_, c->height_);
        c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    }
}

TControl* TWinControl::ControlAtPos(POINT p, bool allowDisabled, bool windowedToo) const {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        TControl* c = *it;
        if (!windowedToo && dynamic_cast<TWinControl*>(c)) continue;
        if (!c->visible_ || (!allowDisabled && !c->enabled_)) continue;
        RECT r = c->BoundsRect();
        if (PtInRect(&r, p)) return c;
    }
    return nullptr;
}

bool TWinControl::forwardMouseToChild(TMessage& m) {
    POINT p = messagePoint(m.LParam);
    TControl* target = mouse_state::Captured();
    if (target && target->parent_ != this) target = nullptr;
    if (!target) target = ControlAtPos(p);
    if (!target) return false;
    if (m.Msg == WM_LBUTTONDOWN || m.Msg == WM_LBUTTONDBLCLK) {
        mouse_state::SetCaptured(target);
        SetCapture(handle_);
    }
    target->Perform(m.Msg, m.WParam, MAKELPARAM(p.x - target->left_, p.y - target->top_));
    // Also when the child's handler freed it: the capture is ours to give back either way.
    if (m.Msg == WM_LBUTTONUP) {
        mouse_state::SetCaptured(nullptr);
        if (GetCapture() == handle_) ReleaseCapture();
    }
    // The window still does what its class does with the message; only the events went to the child.
    if (handle_) DefaultHandler(m);
    return true;
}

void TWinControl::trackMouse(TMessage& m) {
    TControl* over = ControlAtPos(messagePoint(m.LParam));
    if (!over) over = this;
    if (over != mouse_state::Hovered()) mouse_state::SetHovered(over, handle_);
}

void TWinControl::mouseLeft(TMessage&) {
    TControl* h = mouse_state::Hovered();
    if (h && (h == this || (h->parent_ == this && !dynamic_cast<TWinControl*>(h))))
        mouse_state::SetHovered(nullptr, nullptr);
}

bool TWinControl::setCursor(TMessage& m) {
    if (reinterpret_cast<HWND>(m.WParam) != handle_ || LOWORD(m.LParam) != HTCLIENT) return false;
    POINT p;
    GetCursorPos(&p);
    ::ScreenToClient(handle_, &p);
    TControl* c = ControlAtPos(p);
    HCURSOR cursor = CursorHandle((c ? c : this)->Cursor());
    if (!cursor) return false;
    ::SetCursor(cursor);
    m.Result = TRUE;
    return true;
}

void TWinControl::windowPosChanged(TMessage& m) {
    auto* wp = reinterpret_cast<const WINDOWPOS*>(m.LParam);
    bool topLevel = !(GetWindowLongA(handle_, GWL_STYLE) & WS_CHILD);
    // A minimised window's rectangle is a parking place, not its bounds.
    if ((wp->flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE) &&
        !(topLevel && IsIconic(handle_))) {
        RECT r;
        GetWindowRect(handle_, &r);
        if (HWND parentWnd = topLevel ? nullptr : GetParent(handle_))
            MapWindowPoints(nullptr, parentWnd, reinterpret_cast<POINT*>(&r), 2);
        left_ = r.left;
        top_ = r.top;
        width_ = r.right - r.left;
        height_ = r.bottom - r.top;
    }
}

void TWinControl::focusReceived(TMessage&) {
    if (TCustomForm* form = ParentForm(); form && form != this) form->FocusChanged(this);
}

void TWinControl::contextMenu(TMessage& m) {
    POINT screen = messagePoint(m.LParam);
    TControl* target = this;
    if (screen.x != -1 || screen.y != -1) {
        POINT p = screen;
        ::ScreenToClient(handle_, &p);
        if (TControl* c = ControlAtPos(p); c && c->PopupMenu()) target = c;
    } else {
        screen = ClientToScreen({width_ / 2, height_ / 2});
    }
    if (TPopupMenu* menu = target->PopupMenu(); menu && menu->AutoPopup()) {
        menu->SetPopupComponent(target);
        menu->Popup(screen.x, screen.y);
        m.Result = 1;
        return;
    }
    DefaultHandler(m);
}

void TWinControl::Broadcast(TMessage& m) {
    for (TControl* c : std::vector<TControl*>(controls_)) {
        c->windowProc_(m);
        if (m.Result) return;
    }
}

void TWinControl::insertControl(TControl* c) {
    controls_.push_back(c);
    c->parent_ = this;
    if (auto* w = dynamic_cast<TWinControl*>(c)) {
        tabList_.push_back(w);
        if (handle_) w->HandleNeeded();
    } else {
        c->Invalidate();
    }
    ChildBoundsChanged(c);
}

void TWinControl::removeControl(TControl* c) {
    c->Invalidate();
    if (TCustomForm* form = ParentForm()) form->controlRemoved(c);
    mouse_state::Forget(c);
    if (auto* w = dynamic_cast<TWinControl*>(c)) {
        std::erase(tabList_, w);
        if (!w->IsDestroying()) w->DestroyHandle();
    }
    std::erase(controls_, c);
    c->parent_ = nullptr;
    if (!IsDestroying()) ChildBoundsChanged(c);
}

int TWinControl::TabOrder() const {
    if (!parent_) return -1;
    const auto& list = parent_->tabList_;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : int(it - list.begin());
}

void TWinControl::SetTabOrder(int value) {
    if (!parent_) return;
    auto& list = parent_->tabList_;
    std::erase(list, this);
    size_t at = value < 0 ? list.size() : std::min(size_t(value), list.size());
    list.insert(list.begin() + std::ptrdiff_t(at), this);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const {
    for (TWinControl* c : tabList_) {
        list.push_back(c);
        c->GetTabOrderList(list);
    }
}

bool TWinControl::CanFocus() const {
    for (const TControl* c = this; c; c = c->parent_)
        if (!c->visible_ || !c->enabled_) return false;
    return true;
}

void TWinControl::SetFocus() {
    if (TCustomForm* form = ParentForm(); form && form != this && !form->Visible()) {
        form->SetActiveControl(this);
        return;
    }
    ::SetFocus(Handle());
}

int TWinControl::ClientWidth() const {
    if (handle_) {
        RECT r;
        GetClientRect(handle_, &r);
        return r.right;
    }
    return pendingClientWidth_ >= 0 ? pendingClientWidth_ : width_;
}

int TWinControl::ClientHeight() const {
    if (handle_) {
        RECT r;
        GetClientRect(handle_, &r);
        return r.bottom;
    }
    return pendingClientHeight_ >= 0 ? pendingClientHeight_ : height_;
}

void TWinControl::SetClientWidth(int value) {
    if (!handle_) {
        pendingClientWidth_ = value;
        return;
    }
    SetWidth(width_ + value - ClientWidth());
}

void TWinControl::SetClientHeight(int value) {
    if (!handle_) {
        pendingClientHeight_ = value;
        return;
    }
    SetHeight(height_ + value - ClientHeight());
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
    if (width < 0) width = 0;
    if (height < 0) height = 0;
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    if (parent_) parent_->ChildBoundsChanged(this);
    if (!handle_) return;
    if (!(GetWindowLongA(handle_, GWL_STYLE) & WS_CHILD) && IsIconic(handle_)) {
        WINDOWPLACEMENT wp{};
        wp.length = sizeof wp;
        GetWindowPlacement(handle_, &wp);
        wp.rcNormalPosition = BoundsRect();
        SetWindowPlacement(handle_, &wp);
        return;
    }
    SetWindowPos(handle_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TWinControl::Invalidate() {
    if (handle_) InvalidateRect(handle_, nullptr, TRUE);
}

void TWinControl::Update() {
    if (handle_) UpdateWindow(handle_);
}

void TWinControl::BringToFront() {
    TControl::BringToFront();
    if (handle_) SetWindowPos(handle_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TWinControl::UpdateWindowStyle() {
    if (!handle_) return;
    TCreateParams p;
    CreateParams(p);
    constexpr DWORD keep = WS_VISIBLE | WS_DISABLED | WS_MINIMIZE | WS_MAXIMIZE;
    DWORD style = (DWORD(GetWindowLongA(handle_, GWL_STYLE)) & keep) | (p.Style & ~keep);
    SetWindowLongA(handle_, GWL_STYLE, LONG(style));
    SetWindowLongA(handle_, GWL_EXSTYLE, LONG(p.ExStyle));
    SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TWinControl::VisibleChanged(TMessage& m) {
    if (handle_) {
        ShowWindow(handle_, visible_ ? SW_SHOWNA : SW_HIDE);
    } else if (visible_ && parent_ && parent_->HandleAllocated()) {
        HandleNeeded();
    }
}

void TWinControl::EnabledChanged(TMessage&) {
    if (handle_) EnableWindow(handle_, enabled_);
    Invalidate();
}

void TWinControl::SetEnabled(bool value) {
    // A window disabled from outside (a modal loop) is enabled again by asking, even when the
    // property already says so.
    if (value == enabled_ && !(handle_ && bool(IsWindowEnabled(handle_)) != value)) return;
    enabled_ = value;
    Perform(TKN_ENABLEDCHANGED);
}

void TWinControl::ColorChanged(TMessage&) {
    Invalidate();
    TMessage notice{TKN_PARENTCOLORCHANGED};
    Broadcast(notice);
}

void TWinControl::FontChanged(TMessage&) {
    if (handle_) SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), TRUE);
    Invalidate();
    TMessage notice{TKN_PARENTFONTCHANGED};
    Broadcast(notice);
}

void TWinControl::TextChanged(TMessage&) {
    if (handle_) SetWindowTextA(handle_, caption_.c_str());
    Invalidate();
}

// TControl and TGraphicControl: properties, notices and mouse events common to all controls.
#include "toolkit/controls/control.h"

#include "toolkit/controls/form.h"
#include "toolkit/controls/menus.h"
#include "toolkit/controls/mouse_state.h"
#include "toolkit/controls/win_control.h"
#include "toolkit/core/class_builder.h"

const TEnumInfo& MouseButtonInfo() {
    static const TEnumInfo info{"TMouseButton", {"mbLeft", "mbRight", "mbMiddle"}};
    return info;
}

const TIdentMap& CursorIdents() {
    static const TIdentMap map{{{crDefault, "crDefault"},
                                {crNone, "crNone"},
                                {crArrow, "crArrow"},
                                {crCross, "crCross"},
                                {crIBeam, "crIBeam"},
                                {crSizeNESW, "crSizeNESW"},
                                {crSizeNS, "crSizeNS"},
                                {crSizeNWSE, "crSizeNWSE"},
                                {crSizeWE, "crSizeWE"},
                                {crUpArrow, "crUpArrow"},
                                {crHourGlass, "crHourGlass"},
                                {crNo, "crNo"},
                                {crAppStart, "crAppStart"},
                                {crHelp, "crHelp"},
                                {crHandPoint, "crHandPoint"},
                                {crSizeAll, "crSizeAll"}}};
    return map;
}

HCURSOR CursorHandle(TCursor cursor) {
    LPCSTR id = nullptr;
    switch (cursor) {
    case crArrow: id = IDC_ARROW; break;
    case crCross: id = IDC_CROSS; break;
    case crIBeam: id = IDC_IBEAM; break;
    case crSizeNESW: id = IDC_SIZENESW; break;
    case crSizeNS: id = IDC_SIZENS; break;
    case crSizeNWSE: id = IDC_SIZENWSE; break;
    case crSizeWE: id = IDC_SIZEWE; break;
    case crUpArrow: id = IDC_UPARROW; break;
    case crHourGlass: id = IDC_WAIT; break;
    case crNo: id = IDC_NO; break;
    case crAppStart: id = IDC_APPSTARTING; break;
    case crHelp: id = IDC_HELP; break;
    case crHandPoint: id = IDC_HAND; break;
    case crSizeAll: id = IDC_SIZEALL; break;
    default: return nullptr;
    }
    return LoadCursorA(nullptr, id);
}

TShiftState KeysToShiftState(WPARAM keys) {
    TShiftState s = 0;
    if (keys & MK_SHIFT) s |= ssShift;
    if (keys & MK_CONTROL) s |= ssCtrl;
    if (keys & MK_LBUTTON) s |= ssLeft;
    if (keys & MK_RBUTTON) s |= ssRight;
    if (keys & MK_MBUTTON) s |= ssMiddle;
    if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
    return s;
}

TShiftState KeyboardShiftState() {
    TShiftState s = 0;
    if (GetKeyState(VK_SHIFT) < 0) s |= ssShift;
    if (GetKeyState(VK_CONTROL) < 0) s |= ssCtrl;
    if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
    return s;
}

const TClassInfo& TControl::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TControl>("TControl", &TComponent::StaticClass())
            .Int("Left", &TControl::Left, &TControl::SetLeft)
            .Int("Top", &TControl::Top, &TControl::SetTop)
            .Int("Width", &TControl::Width, &TControl::SetWidth)
            .Int("Height", &TControl::Height, &TControl::SetHeight)
            .Int("ClientWidth", &TControl::ClientWidth, &TControl::SetClientWidth)
            .Int("ClientHeight", &TControl::ClientHeight, &TControl::SetClientHeight)
            .Str("Caption", &TControl::Caption, &TControl::SetCaption)
            .Str("Text", &TControl::Text, &TControl::SetText)
            .Int("Color", &TControl::Color, &TControl::SetColor, clBtnFace, &ColorIdents())
            .Bool("ParentColor", &TControl::ParentColor, &TControl::SetParentColor)
            .Obj("Font", &TControl::Font, &TControl::SetFont, true)
            .Bool("ParentFont", &TControl::ParentFont, &TControl::SetParentFont, true)
            .Bool("Visible", &TControl::Visible, &TControl::SetVisible, true)
            .Bool("Enabled", &TControl::Enabled, &TControl::SetEnabled, true)
            .Str("Hint", &TControl::Hint, &TControl::SetHint)
            .Bool("ShowHint", &TControl::ShowHint, &TControl::SetShowHint, false)
            .Int("Cursor", &TControl::Cursor, &TControl::SetCursor, crDefault, &CursorIdents())
            .Obj("PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu)
            .Event("OnClick", &TControl::OnClick)
            .Event("OnDblClick", &TControl::OnDblClick)
            .Event("OnMouseDown", &TControl::OnMouseDown)
            .Event("OnMouseUp", &TControl::OnMouseUp)
            .Event("OnMouseMove", &TControl::OnMouseMove)
            .Event("OnMouseEnter", &TControl::OnMouseEnter)
            .Event("OnMouseLeave", &TControl::OnMouseLeave)
            .Build();
    return info;
}

TControl::TControl(TComponent* AOwner) : TComponent(AOwner) {
    windowProc_ = OwnWindowProc();
    font_.OnChange = TNotifyEvent([this](TObject*) { fontObjectChanged(); });
}

TControl::~TControl() {
    SetStateFlag(csDestroying, true);
    mouse_state::Forget(this);
    if (parent_) parent_->removeControl(this);
}

TWndMethod TControl::OwnWindowProc() {
    return [this](TMessage& m) { WndProc(m); };
}

void TControl::SetWindowProc(TWndMethod value) {
    windowProc_ = value ? std::move(value) : OwnWindowProc();
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
    TMessage m{msg, wParam, lParam, 0};
    windowProc_(m);
    return m.Result;
}

void TControl::SetParent(TWinControl* value) {
    if (value == parent_) return;
    if (value == this) throw Exception("A control cannot be its own parent");
    if (parent_) parent_->removeControl(this);
    if (value) {
        value->insertControl(this);
        ParentFontChanged();
        ParentColorChanged();
    }
}

TCustomForm* TControl::ParentForm() const {
    const TControl* c = this;
    while (c->parent_)
        c = c->parent_;
    return const_cast<TCustomForm*>(dynamic_cast<const TCustomForm*>(c));
}

void TControl::SetBounds(int left, int top, int width, int height) {
    if (width < 0) width = 0;
    if (height < 0) height = 0;
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    Invalidate(); // the old area of a windowless control
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    Invalidate();
    if (parent_) parent_->ChildBoundsChanged(this);
}

POINT TControl::ClientToScreen(POINT p) const {
    for (const TControl* c = this; c; c = c->parent_) {
        if (auto* w = dynamic_cast<const TWinControl*>(c); w && w->HandleAllocated()) {
            ::ClientToScreen(w->handle_, &p);
            return p;
        }
        p.x += c->left_;
        p.y += c->top_;
    }
    return p;
}

POINT TControl::ScreenToClient(POINT p) const {
    POINT origin = ClientToScreen({0, 0});
    return {p.x - origin.x, p.y - origin.y};
}

void TControl::SetVisible(bool value) {
    if (value == visible_) return;
    visible_ = value;
    Perform(TKN_VISIBLECHANGED, value ? 1 : 0);
}

bool TControl::Showing() const {
    for (const TControl* c = this; c; c = c->parent_)
        if (!c->visible_) return false;
    return true;
}

void TControl::SetEnabled(bool value) {
    if (value == enabled_) return;
    enabled_ = value;
    Perform(TKN_ENABLEDCHANGED);
}

void TControl::SetColor(TColor value) {
    parentColor_ = false;
    if (value == color_) return;
    color_ = value;
    Perform(TKN_COLORCHANGED);
}

void TControl::SetParentColor(bool value) {
    parentColor_ = value;
    ParentColorChanged();
}

void TControl::ParentColorChanged() {
    if (!parentColor_ || !parent_ || parent_->color_ == color_) return;
    color_ = parent_->color_;
    Perform(TKN_COLORCHANGED);
}

void TControl::SetParentFont(bool value) {
    parentFont_ = value;
    ParentFontChanged();
}

void TControl::ParentFontChanged() {
    if (!parentFont_ || !parent_) return;
    followingParent_ = true;
    font_.Assign(&parent_->font_);
    followingParent_ = false;
}

void TControl::fontObjectChanged() {
    if (!followingParent_) parentFont_ = false;
    Perform(TKN_FONTCHANGED);
}

void TControl::SetCaption(const std::string& value) {
    if (value == caption_) return;
    caption_ = value;
    Perform(TKN_TEXTCHANGED);
}

void TControl::SetCursor(TCursor value) {
    if (value == cursor_) return;
    cursor_ = value;
    Perform(TKN_CURSORCHANGED);
}

void TControl::SetPopupMenu(TPopupMenu* value) {
    if (popupMenu_) popupMenu_->RemoveFreeNotification(this);
    popupMenu_ = value;
    if (value) value->FreeNotification(this);
}

void TControl::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component == popupMenu_) popupMenu_ = nullptr;
}

void TControl::Invalidate() {
    if (!parent_ || !parent_->HandleAllocated() || width_ <= 0 || height_ <= 0) return;
    RECT r = BoundsRect();
    InvalidateRect(parent_->handle_, &r, TRUE);
}

void TControl::Update() {
    if (parent_) parent_->Update();
}

void TControl::BringToFront() {
    if (!parent_) return;
    auto& list = parent_->controls_;
    std::erase(list, this);
    list.push_back(this);
    Invalidate();
}

void TControl::Click() {
    if (OnClick) OnClick(this);
}

void TControl::DblClick() {
    if (OnDblClick) OnDblClick(this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
    if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

bool TControl::mouseButton(TMessage& m) {
    const UINT msg = m.Msg;
    const TMouseButton button = msg <= WM_LBUTTONDBLCLK   ? mbLeft
                                : msg <= WM_RBUTTONDBLCLK ? mbRight
                                                          : mbMiddle;
    const bool dbl = msg == WM_LBUTTONDBLCLK || msg == WM_RBUTTONDBLCLK || msg == WM_MBUTTONDBLCLK;
    const bool down = dbl || msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN;
    int x = short(LOWORD(m.LParam)), y = short(HIWORD(m.LParam));
    TShiftState shift = KeysToShiftState(m.WParam);
    // The program's handlers may free the control (a button that closes its panel).
    const std::shared_ptr<const bool> alive = LifeToken();
    if (down) {
        if (dbl) shift |= ssDouble;
        if (button == mbLeft) leftDown_ = true;
        if (dbl && button == mbLeft) DblClick();
        if (!*alive) return false;
        MouseDown(button, shift, x, y);
        return *alive;
    }
    bool click = button == mbLeft && leftDown_;
    if (button == mbLeft) leftDown_ = false;
    if (click && ClicksOnMouseUp() && x >= 0 && y >= 0 && x < ClientWidth() && y < ClientHeight()) Click();
    if (!*alive) return false;
    MouseUp(button, shift, x, y);
    return *alive;
}

void TControl::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        if (!mouseButton(m)) return;
        break;
    case WM_MOUSEMOVE:
        MouseMove(KeysToShiftState(m.WParam), short(LOWORD(m.LParam)), short(HIWORD(m.LParam)));
        break;
    case TKN_MOUSEENTER:
        if (OnMouseEnter) OnMouseEnter(this);
        return;
    case TKN_MOUSELEAVE:
        if (OnMouseLeave) OnMouseLeave(this);
        return;
    case TKN_VISIBLECHANGED: VisibleChanged(m); return;
    case TKN_ENABLEDCHANGED: EnabledChanged(m); return;
    case TKN_COLORCHANGED: ColorChanged(m); return;
    case TKN_FONTCHANGED: FontChanged(m); return;
    case TKN_TEXTCHANGED: TextChanged(m); return;
    case TKN_PARENTCOLORCHANGED: ParentColorChanged(); return;
    case TKN_PARENTFONTCHANGED: ParentFontChanged(); return;
    default:
        // Other notices and reflections nobody handled end here; the system never sees them.
        if (m.Msg >= TKN_BASE && m.Msg < TKN_REFLECT + 0x400) return;
        break;
    }
    DefaultHandler(m);
}

void TControl::DefaultHandler(TMessage&) {}

void TControl::VisibleChanged(TMessage&) {
    if (parent_ && parent_->HandleAllocated() && width_ > 0 && height_ > 0) {
        RECT r = BoundsRect();
        InvalidateRect(parent_->handle_, &r, TRUE);
    }
}
void TControl::EnabledChanged(TMessage&) {
    Invalidate();
}
void TControl::ColorChanged(TMessage&) {
    Invalidate();
}
void TControl::FontChanged(TMessage&) {
    Invalidate();
}
void TControl::TextChanged(TMessage&) {
    Invalidate();
}

const TClassInfo& TGraphicControl::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TGraphicControl>("TGraphicControl", &TControl::StaticClass()).Build();
    return info;
}

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner) {}

TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::PaintTo(HDC dc) {
    canvas_.SetHandle(dc);
    canvas_.Font().Assign(Font());
    try {
        Paint();
    } catch (...) {
        canvas_.SetHandle(nullptr);
        throw;
    }
    canvas_.SetHandle(nullptr);
}

void TGraphicControl::WndProc(TMessage& m) {
    if (m.Msg == WM_PAINT && m.WParam) {
        PaintTo(reinterpret_cast<HDC>(m.WParam));
        return;
    }
    TControl::WndProc(m);
}

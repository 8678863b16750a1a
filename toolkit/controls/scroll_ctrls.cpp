// TScrollBar, TControlScrollBar and TScrollBox.
#include "toolkit/controls/scroll_ctrls.h"

#include <algorithm>

#include "toolkit/controls/ext_ctrls.h"
#include "toolkit/core/class_builder.h"

const TEnumInfo& ScrollBarKindInfo() {
    static const TEnumInfo info{"TScrollBarKind", {"sbHorizontal", "sbVertical"}};
    return info;
}

namespace {

// The position a scroll code asks for, from `position` in steps of `line` and `page`.
int scrollTarget(HWND hwnd, int bar, TScrollCode code, int position, int line, int page, int min, int max) {
    switch (code) {
    case scLineUp: return position - line;
    case scLineDown: return position + line;
    case scPageUp: return position - page;
    case scPageDown: return position + page;
    case scPosition:
    case scTrack: {
        // The message carries only 16 bits of it; the bar knows all 32.
        SCROLLINFO si{};
        si.cbSize = sizeof si;
        si.fMask = SIF_TRACKPOS;
        return GetScrollInfo(hwnd, bar, &si) ? si.nTrackPos : position;
    }
    case scTop: return min;
    case scBottom: return max;
    case scEndScroll: break;
    }
    return position;
}

} // namespace

// ---- TScrollBar ----

const TClassInfo& TScrollBar::StaticClass() {
    using S = TScrollBar;
    static const TClassInfo& info =
        TClassBuilder<S>("TScrollBar", &TWinControl::StaticClass())
            .Creatable()
            .Enum("Kind", ScrollBarKindInfo(), &S::Kind, &S::SetKind, sbHorizontal)
            .Int("Min", &S::Min, &S::SetMin, 0)
            .Int("Max", &S::Max, &S::SetMax, 100)
            .Int("PageSize", &S::PageSize, &S::SetPageSize, 0)
            .Int("Position", &S::Position, &S::SetPosition, 0)
            .Int("SmallChange", &S::SmallChange, &S::SetSmallChange, 1)
            .Int("LargeChange", &S::LargeChange, &S::SetLargeChange, 1)
            .Bool("TabStop", &S::TabStop, &S::SetTabStop, true)
            .Event("OnChange", &S::OnChange)
            .Event("OnScroll", &S::OnScroll)
            .Build();
    return info;
}

TScrollBar::TScrollBar(TComponent* AOwner) : TWinControl(AOwner) {
    width_ = 121;
    height_ = GetSystemMetrics(SM_CYHSCROLL);
    SetTabStop(true);
}

void TScrollBar::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.SysClassName = "SCROLLBAR";
    p.Style |= kind_ == sbVertical ? SBS_VERT : SBS_HORZ;
}

void TScrollBar::InitializeWnd() {
    TWinControl::InitializeWnd();
    applyToWindow();
}

void TScrollBar::Loaded() {
    TWinControl::Loaded();
    SetParams(position_, min_, max_);
}

void TScrollBar::SetKind(TScrollBarKind value) {
    if (value == kind_) return;
    kind_ = value;
    // A bar turned on its side keeps its proportions.
    if (!IsLoading()) SetBounds(left_, top_, height_, width_);
    RecreateWnd();
}

int TScrollBar::highestPosition() const {
    return std::max(min_, max_ - std::max(pageSize_ - 1, 0));
}

void TScrollBar::SetPageSize(int value) {
    pageSize_ = std::max(value, 0);
    if (!IsLoading()) SetParams(position_, min_, max_);
}

void TScrollBar::SetParams(int position, int min, int max) {
    if (IsLoading()) {
        // Min, Max and Position come in any order; Loaded puts them together.
        position_ = position;
        min_ = min;
        max_ = max;
        return;
    }
    min_ = min;
    max_ = std::max(min, max);
    pageSize_ = std::min(pageSize_, max_ - min_ + 1);
    const int clamped = std::clamp(position, min_, highestPosition());
    const bool changed = clamped != position_;
    position_ = clamped;
    applyToWindow();
    if (changed && OnChange) OnChange(this);
}

void TScrollBar::applyToWindow() {
    if (!HandleAllocated()) return;
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMin = min_;
    si.nMax = max_;
    si.nPage = UINT(pageSize_);
    si.nPos = position_;
    SetScrollInfo(Handle(), SB_CTL, &si, TRUE);
}

void TScrollBar::scrolled(TMessage& m) {
    const auto code = TScrollCode(std::min<WPARAM>(LOWORD(m.WParam), scEndScroll));
    int pos =
        scrollTarget(Handle(), SB_CTL, code, position_, smallChange_, largeChange_, min_, highestPosition());
    if (OnScroll) OnScroll(this, code, pos);
    SetPosition(pos);
    m.Result = 0;
}

void TScrollBar::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CN_HSCROLL:
    case CN_VSCROLL: scrolled(m); return;
    default: break;
    }
    TWinControl::WndProc(m);
}

// ---- TControlScrollBar ----

const TClassInfo& TControlScrollBar::StaticClass() {
    using B = TControlScrollBar;
    static const TClassInfo& info = TClassBuilder<B>("TControlScrollBar", &TPersistent::StaticClass())
                                        .Int("Increment", &B::Increment, &B::SetIncrement, 8)
                                        .Int("Position", &B::Position, &B::SetPosition, 0)
                                        .Bool("Visible", &B::Visible, &B::SetVisible, true)
                                        .Build();
    return info;
}

void TControlScrollBar::Assign(const TPersistent* source) {
    if (auto* other = dynamic_cast<const TControlScrollBar*>(source)) {
        increment_ = other->increment_;
        SetVisible(other->visible_);
        SetPosition(other->position_);
        return;
    }
    TPersistent::Assign(source);
}

void TControlScrollBar::SetPosition(int value) {
    // Stored children already stand where this position put them.
    if (box_->IsLoading()) {
        position_ = value;
        return;
    }
    box_->scrollTo(*this, value);
}

void TControlScrollBar::SetVisible(bool value) {
    if (value == visible_) return;
    visible_ = value;
    if (!value) box_->scrollTo(*this, 0);
    box_->UpdateScrollBars();
}

bool TControlScrollBar::IsScrollBarVisible() const {
    return visible_ && range_ > box_->pageOf(*this);
}

// ---- TScrollBox ----

const TClassInfo& TScrollBox::StaticClass() {
    using S = TScrollBox;
    static const TClassInfo& info =
        TClassBuilder<S>("TScrollBox", &TWinControl::StaticClass())
            .Creatable()
            .Obj("HorzScrollBar", &S::HorzScrollBar, &S::SetHorzScrollBar, true)
            .Obj("VertScrollBar", &S::VertScrollBar, &S::SetVertScrollBar, true)
            .Enum("BorderStyle", BorderStyleInfo(), &S::BorderStyle, &S::SetBorderStyle, 1)
            .Build();
    return info;
}

TScrollBox::TScrollBox(TComponent* AOwner) : TWinControl(AOwner) {
    width_ = 185;
    height_ = 41;
}

void TScrollBox::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    if (borderStyle_ != 0) p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TScrollBox::InitializeWnd() {
    TWinControl::InitializeWnd();
    UpdateScrollBars();
}

void TScrollBox::Loaded() {
    TWinControl::Loaded();
    UpdateScrollBars();
}

void TScrollBox::SetBorderStyle(int value) {
    if (value == borderStyle_) return;
    borderStyle_ = value;
    UpdateWindowStyle();
    UpdateScrollBars();
}

void TScrollBox::ChildBoundsChanged(TControl*) {
    if (!arranging_) UpdateScrollBars();
}

int TScrollBox::pageOf(const TControlScrollBar& bar) const {
    return bar.kind_ == sbHorizontal ? ClientWidth() : ClientHeight();
}

void TScrollBox::UpdateScrollBars() {
    if (arranging_ || !HandleAllocated() || IsLoading() || IsDestroying()) return;
    arranging_ = true;
    // Measured from the unscrolled origin: children scrolled out of sight still count.
    int right = 0, bottom = 0;
    for (TControl* c : Controls()) {
        if (!c->Visible()) continue;
        right = std::max(right, c->Left() + c->Width() + horz_.position_);
        bottom = std::max(bottom, c->Top() + c->Height() + vert_.position_);
    }
    horz_.range_ = right;
    vert_.range_ = bottom;
    // A bar that appears narrows the client area across it: the second round sees that.
    for (int round = 0; round < 2; ++round) {
        for (TControlScrollBar* bar : {&horz_, &vert_}) {
            const int page = pageOf(*bar);
            const bool shown = bar->visible_ && bar->range_ > page;
            SCROLLINFO si{};
            si.cbSize = sizeof si;
            si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
            si.nMax = shown ? bar->range_ - 1 : 0;
            si.nPage = shown ? UINT(page) : 0;
            si.nPos = shown ? bar->position_ : 0;
            SetScrollInfo(Handle(), bar->kind_ == sbHorizontal ? SB_HORZ : SB_VERT, &si, TRUE);
        }
    }
    arranging_ = false;
    // A box grown or children gone may leave the children scrolled further than there is to see.
    for (TControlScrollBar* bar : {&horz_, &vert_})
        scrollTo(*bar, bar->IsScrollBarVisible() ? bar->position_ : 0);
}

void TScrollBox::scrollTo(TControlScrollBar& bar, int position) {
    const int highest = std::max(0, bar.range_ - pageOf(bar));
    position = bar.visible_ ? std::clamp(position, 0, highest) : 0;
    const int delta = position - bar.position_;
    if (delta == 0) return;
    bar.position_ = position;
    const bool wasArranging = std::exchange(arranging_, true);
    for (TControl* c : std::vector<TControl*>(Controls())) {
        if (bar.kind_ == sbHorizontal)
            c->SetBounds(c->Left() - delta, c->Top(), c->Width(), c->Height());
        else
            c->SetBounds(c->Left(), c->Top() - delta, c->Width(), c->Height());
    }
    arranging_ = wasArranging;
    if (HandleAllocated()) {
        SetScrollPos(Handle(), bar.kind_ == sbHorizontal ? SB_HORZ : SB_VERT, position, TRUE);
        Invalidate();
    }
}

void TScrollBox::ScrollInView(TControl* c) {
    if (!c || c->Parent() != this) return;
    if (c->Left() < 0 || c->Width() > ClientWidth())
        scrollTo(horz_, horz_.position_ + c->Left());
    else if (c->Left() + c->Width() > ClientWidth())
        scrollTo(horz_, horz_.position_ + c->Left() + c->Width() - ClientWidth());
    if (c->Top() < 0 || c->Height() > ClientHeight())
        scrollTo(vert_, vert_.position_ + c->Top());
    else if (c->Top() + c->Height() > ClientHeight())
        scrollTo(vert_, vert_.position_ + c->Top() + c->Height() - ClientHeight());
}

void TScrollBox::scrollMessage(TControlScrollBar& bar, TMessage& m) {
    const auto code = TScrollCode(std::min<WPARAM>(LOWORD(m.WParam), scEndScroll));
    const int page = pageOf(bar);
    scrollTo(bar, scrollTarget(Handle(), bar.kind_ == sbHorizontal ? SB_HORZ : SB_VERT, code, bar.position_,
                               bar.increment_, page, 0, bar.range_ - page));
    m.Result = 0;
}

void TScrollBox::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_HSCROLL:
        // The box's own bar (a control's notification carries the control's window).
        if (!m.LParam) {
            scrollMessage(horz_, m);
            return;
        }
        break;
    case WM_VSCROLL:
        if (!m.LParam) {
            scrollMessage(vert_, m);
            return;
        }
        break;
    case WM_MOUSEWHEEL:
        if (vert_.IsScrollBarVisible()) {
            scrollTo(vert_,
                     vert_.position_ - GET_WHEEL_DELTA_WPARAM(m.WParam) * 3 * vert_.increment_ / WHEEL_DELTA);
            m.Result = 0;
            return;
        }
        break;
    case WM_SIZE:
        TWinControl::WndProc(m);
        UpdateScrollBars();
        return;
    default: break;
    }
    TWinControl::WndProc(m);
}

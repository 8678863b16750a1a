// TTrackBar, TUpDown and TProgressBar.
#include "toolkit/controls/range_ctrls.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <utility>

#include "toolkit/core/class_builder.h"

namespace {

// The comctl32 classes exist once the library is initialised for them.
void needCommonControls(DWORD classes) {
    INITCOMMONCONTROLSEX icc{sizeof icc, classes};
    InitCommonControlsEx(&icc);
}

} // namespace

const TEnumInfo& TrackBarOrientationInfo() {
    static const TEnumInfo info{"TTrackBarOrientation", {"trHorizontal", "trVertical"}};
    return info;
}
const TEnumInfo& TickStyleInfo() {
    static const TEnumInfo info{"TTickStyle", {"tsNone", "tsAuto", "tsManual"}};
    return info;
}
const TEnumInfo& TickMarkInfo() {
    static const TEnumInfo info{"TTickMark", {"tmBottomRight", "tmTopLeft", "tmBoth"}};
    return info;
}
const TEnumInfo& UDOrientationInfo() {
    static const TEnumInfo info{"TUDOrientation", {"udHorizontal", "udVertical"}};
    return info;
}
const TEnumInfo& ProgressBarOrientationInfo() {
    static const TEnumInfo info{"TProgressBarOrientation", {"pbHorizontal", "pbVertical"}};
    return info;
}

// ---- TTrackBar ----

const TClassInfo& TTrackBar::StaticClass() {
    using T = TTrackBar;
    static const TClassInfo& info =
        TClassBuilder<T>("TTrackBar", &TWinControl::StaticClass())
            .Creatable()
            .Enum("Orientation", TrackBarOrientationInfo(), &T::Orientation, &T::SetOrientation, trHorizontal)
            .Int("Min", &T::Min, &T::SetMin, 0)
            .Int("Max", &T::Max, &T::SetMax, 10)
            .Int("Position", &T::Position, &T::SetPosition, 0)
            .Int("Frequency", &T::Frequency, &T::SetFrequency, 1)
            .Int("LineSize", &T::LineSize, &T::SetLineSize, 1)
            .Int("PageSize", &T::PageSize, &T::SetPageSize, 2)
            .Enum("TickStyle", TickStyleInfo(), &T::TickStyle, &T::SetTickStyle, tsAuto)
            .Enum("TickMarks", TickMarkInfo(), &T::TickMarks, &T::SetTickMarks, tmBottomRight)
            .Bool("TabStop", &T::TabStop, &T::SetTabStop, true)
            .Event("OnChange", &T::OnChange)
            .Build();
    return info;
}

TTrackBar::TTrackBar(TComponent* AOwner) : TWinControl(AOwner) {
    width_ = 150;
    height_ = 45;
    SetTabStop(true);
}

void TTrackBar::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    needCommonControls(ICC_BAR_CLASSES);
    p.SysClassName = TRACKBAR_CLASSA;
    p.Style |= orientation_ == trVertical ? TBS_VERT : TBS_HORZ;
    if (tickStyle_ == tsNone) p.Style |= TBS_NOTICKS;
    if (tickStyle_ == tsAuto) p.Style |= TBS_AUTOTICKS;
    if (tickMarks_ == tmTopLeft) p.Style |= TBS_TOP;
    if (tickMarks_ == tmBoth) p.Style |= TBS_BOTH;
}

void TTrackBar::InitializeWnd() {
    TWinControl::InitializeWnd();
    HWND h = Handle();
    SendMessageA(h, TBM_SETRANGEMIN, FALSE, min_);
    SendMessageA(h, TBM_SETRANGEMAX, FALSE, max_);
    SendMessageA(h, TBM_SETTICFREQ, WPARAM(frequency_), 0);
    SendMessageA(h, TBM_SETLINESIZE, 0, lineSize_);
    SendMessageA(h, TBM_SETPAGESIZE, 0, pageSize_);
    SendMessageA(h, TBM_SETPOS, TRUE, position_);
}

void TTrackBar::Loaded() {
    TWinControl::Loaded();
    SetParams(position_, min_, max_);
}

void TTrackBar::SetParams(int position, int min, int max) {
    if (IsLoading()) {
        position_ = position;
        min_ = min;
        max_ = max;
        return;
    }
    min_ = min;
    max_ = std::max(min, max);
    const int clamped = std::clamp(position, min_, max_);
    const bool changed = clamped != position_;
    position_ = clamped;
    if (HandleAllocated()) {
        SendMessageA(Handle(), TBM_SETRANGEMIN, FALSE, min_);
        SendMessageA(Handle(), TBM_SETRANGEMAX, FALSE, max_);
        SendMessageA(Handle(), TBM_SETTICFREQ, WPARAM(frequency_), 0);
        SendMessageA(Handle(), TBM_SETPOS, TRUE, position_);
    }
    if (changed && OnChange) OnChange(this);
}

void TTrackBar::SetOrientation(TTrackBarOrientation value) {
    if (value == orientation_) return;
    orientation_ = value;
    if (!IsLoading()) SetBounds(left_, top_, height_, width_);
    RecreateWnd();
}

void TTrackBar::SetFrequency(int value) {
    frequency_ = std::max(value, 1);
    if (HandleAllocated()) SendMessageA(Handle(), TBM_SETTICFREQ, WPARAM(frequency_), 0);
}

void TTrackBar::SetLineSize(int value) {
    lineSize_ = value;
    if (HandleAllocated()) SendMessageA(Handle(), TBM_SETLINESIZE, 0, value);
}

void TTrackBar::SetPageSize(int value) {
    pageSize_ = value;
    if (HandleAllocated()) SendMessageA(Handle(), TBM_SETPAGESIZE, 0, value);
}

void TTrackBar::SetTickStyle(TTickStyle value) {
    if (value == tickStyle_) return;
    tickStyle_ = value;
    RecreateWnd();
}

void TTrackBar::SetTickMarks(TTickMark value) {
    if (value == tickMarks_) return;
    tickMarks_ = value;
    RecreateWnd();
}

void TTrackBar::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CN_HSCROLL:
    case CN_VSCROLL:
        // The bar moved its thumb itself; Position follows.
        if (int pos = int(SendMessageA(Handle(), TBM_GETPOS, 0, 0)); pos != position_) {
            position_ = pos;
            if (OnChange) OnChange(this);
        }
        m.Result = 0;
        return;
    default: break;
    }
    TWinControl::WndProc(m);
}

// ---- TUpDown ----

const TClassInfo& TUpDown::StaticClass() {
    using U = TUpDown;
    static const TClassInfo& info =
        TClassBuilder<U>("TUpDown", &TWinControl::StaticClass())
            .Creatable()
            .Int("Min", &U::Min, &U::SetMin, 0)
            .Int("Max", &U::Max, &U::SetMax, 100)
            .Int("Position", &U::Position, &U::SetPosition, 0)
            .Int("Increment", &U::Increment, &U::SetIncrement, 1)
            .Enum("Orientation", UDOrientationInfo(), &U::Orientation, &U::SetOrientation, udVertical)
            .Bool("Wrap", &U::Wrap, &U::SetWrap, false)
            .Obj("Associate", &U::Associate, &U::SetAssociate)
            .Event("OnClick", &U::OnClick)
            .Build();
    return info;
}

TUpDown::TUpDown(TComponent* AOwner) : TWinControl(AOwner) {
    width_ = 17;
    height_ = 25;
}

void TUpDown::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    needCommonControls(ICC_UPDOWN_CLASS);
    p.SysClassName = UPDOWN_CLASSA;
    p.Style |= UDS_ARROWKEYS;
    if (orientation_ == udHorizontal) p.Style |= UDS_HORZ;
    if (wrap_) p.Style |= UDS_WRAP;
}

void TUpDown::InitializeWnd() {
    TWinControl::InitializeWnd();
    applyRange();
}

void TUpDown::Loaded() {
    TWinControl::Loaded();
    SetPosition(position_);
    placeBesideAssociate();
}

void TUpDown::applyRange() {
    if (!HandleAllocated()) return;
    SendMessageA(Handle(), UDM_SETRANGE32, WPARAM(min_), max_);
    UDACCEL accel{0, UINT(increment_)};
    SendMessageA(Handle(), UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
    SendMessageA(Handle(), UDM_SETPOS32, 0, position_);
}

// Min may lie above Max: the arrows then count down.
void TUpDown::SetMin(int value) {
    min_ = value;
    if (!IsLoading()) SetPosition(position_);
}

void TUpDown::SetMax(int value) {
    max_ = value;
    if (!IsLoading()) SetPosition(position_);
}

void TUpDown::SetIncrement(int value) {
    increment_ = std::max(value, 1);
    applyRange();
}

void TUpDown::SetPosition(int value) {
    if (IsLoading()) {
        position_ = value;
        return;
    }
    position_ = std::clamp(value, std::min(min_, max_), std::max(min_, max_));
    applyRange();
    showInAssociate();
}

void TUpDown::SetOrientation(TUDOrientation value) {
    if (value == orientation_) return;
    orientation_ = value;
    if (!IsLoading()) SetBounds(left_, top_, height_, width_);
    RecreateWnd();
}

void TUpDown::SetWrap(bool value) {
    if (value == wrap_) return;
    wrap_ = value;
    RecreateWnd();
}

void TUpDown::SetAssociate(TWinControl* value) {
    if (value == associate_ || value == this) return;
    if (associate_) associate_->RemoveFreeNotification(this);
    associate_ = value;
    if (!associate_) return;
    associate_->FreeNotification(this);
    if (IsLoading()) return;
    placeBesideAssociate();
    showInAssociate();
}

void TUpDown::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == associate_) associate_ = nullptr;
}

void TUpDown::showInAssociate() {
    if (associate_) associate_->SetText(std::to_string(position_));
}

void TUpDown::placeBesideAssociate() {
    if (!associate_ || associate_->Parent() != Parent()) return;
    SetBounds(associate_->Left() + associate_->Width(), associate_->Top(), width_, associate_->Height());
}

void TUpDown::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CN_NOTIFY:
        if (auto* nm = reinterpret_cast<NMUPDOWN*>(m.LParam); nm->hdr.code == UINT(UDN_DELTAPOS)) {
            lastButton_ = nm->iDelta > 0 ? btNext : btPrev;
            m.Result = 0; // the step goes ahead
            return;
        }
        break;
    case CN_HSCROLL:
    case CN_VSCROLL:
        // The arrows report where they went: one click, one step (or a wrap).
        if (LOWORD(m.WParam) == SB_THUMBPOSITION) {
            position_ = int(SendMessageA(Handle(), UDM_GETPOS32, 0, 0));
            showInAssociate();
            if (OnClick) OnClick(this, lastButton_);
        }
        m.Result = 0;
        return;
    default: break;
    }
    TWinControl::WndProc(m);
}

// ---- TProgressBar ----

const TClassInfo& TProgressBar::StaticClass() {
    using P = TProgressBar;
    static const TClassInfo& info = TClassBuilder<P>("TProgressBar", &TWinControl::StaticClass())
                                        .Creatable()
                                        .Int("Min", &P::Min, &P::SetMin, 0)
                                        .Int("Max", &P::Max, &P::SetMax, 100)
                                        .Int("Position", &P::Position, &P::SetPosition, 0)
                                        .Int("Step", &P::Step, &P::SetStep, 10)
                                        .Enum("Orientation", ProgressBarOrientationInfo(), &P::Orientation,
                                              &P::SetOrientation, pbHorizontal)
                                        .Bool("Smooth", &P::Smooth, &P::SetSmooth, false)
                                        .Build();
    return info;
}

TProgressBar::TProgressBar(TComponent* AOwner) : TWinControl(AOwner) {
    width_ = 150;
    height_ = 16;
}

void TProgressBar::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    needCommonControls(ICC_PROGRESS_CLASS);
    p.SysClassName = PROGRESS_CLASSA;
    if (orientation_ == pbVertical) p.Style |= PBS_VERTICAL;
    if (smooth_) p.Style |= PBS_SMOOTH;
}

void TProgressBar::InitializeWnd() {
    TWinControl::InitializeWnd();
    applyToWindow();
}

void TProgressBar::Loaded() {
    TWinControl::Loaded();
    SetPosition(position_);
}

void TProgressBar::applyToWindow() {
    if (!HandleAllocated()) return;
    SendMessageA(Handle(), PBM_SETRANGE32, WPARAM(min_), max_);
    SendMessageA(Handle(), PBM_SETPOS, WPARAM(position_), 0);
}

void TProgressBar::SetMin(int value) {
    min_ = value;
    if (!IsLoading()) SetPosition(position_);
}

void TProgressBar::SetMax(int value) {
    max_ = value;
    if (!IsLoading()) SetPosition(position_);
}

void TProgressBar::SetPosition(int value) {
    if (IsLoading()) {
        position_ = value;
        return;
    }
    max_ = std::max(min_, max_);
    position_ = std::clamp(value, min_, max_);
    applyToWindow();
}

void TProgressBar::StepIt() {
    StepBy(step_);
}

void TProgressBar::StepBy(int delta) {
    int next = position_ + delta;
    if (next > max_) next = min_ + (next - max_);
    SetPosition(next);
}

void TProgressBar::SetOrientation(TProgressBarOrientation value) {
    if (value == orientation_) return;
    orientation_ = value;
    if (!IsLoading()) SetBounds(left_, top_, height_, width_);
    RecreateWnd();
}

void TProgressBar::SetSmooth(bool value) {
    if (value == smooth_) return;
    smooth_ = value;
    RecreateWnd();
}

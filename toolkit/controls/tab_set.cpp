// TTabSet.
#include "toolkit/controls/tab_set.h"

#include <algorithm>
#include <numeric>
#include <string>

#include "toolkit/core/class_builder.h"

namespace {

// A tab is its caption plus this much; the skin engine lays the tabs out the same way.
constexpr int kTabPadding = 9;
// How far a tab's sides lean in towards its bottom edge.
constexpr int kSlant = 3;

} // namespace

const TClassInfo& TTabSet::StaticClass() {
    using S = TTabSet;
    static const TClassInfo& info = TClassBuilder<S>("TTabSet", &TWinControl::StaticClass())
                                        .Creatable()
                                        .Obj("Tabs", &S::Tabs, &S::SetTabs, true)
                                        .Int("TabIndex", &S::TabIndex, &S::SetTabIndex, -1)
                                        .Int("FirstIndex", &S::FirstIndex, &S::SetFirstIndex, 0)
                                        .Int("StartMargin", &S::StartMargin, &S::SetStartMargin, 5)
                                        .Int("EndMargin", &S::EndMargin, &S::SetEndMargin, 5)
                                        .Event("OnChange", &S::OnChange)
                                        .Build();
    return info;
}

TTabSet::TTabSet(TComponent* AOwner) : TWinControl(AOwner) {
    width_ = 185;
    height_ = 21;
    tabs_.OnChange = TNotifyEvent([this](TObject*) { tabsChanged(); });
    // Made first, so it is the first component the tab set owns.
    scroller_ = new TUpDown(this);
    scroller_->SetOrientation(udHorizontal);
    scroller_->SetVisible(false);
    scroller_->SetParent(this);
    scroller_->OnClick =
        TUDClickEvent([this](TObject*, TUDBtnType) { SetFirstIndex(scroller_->Position()); });
}

void TTabSet::Loaded() {
    TWinControl::Loaded();
    SetTabIndex(tabIndex_);
    layout();
}

void TTabSet::SetTabIndex(int value) {
    // Tabs may come after TabIndex in a stored text: Loaded checks the range.
    if (IsLoading()) {
        tabIndex_ = value;
        return;
    }
    if (value < -1 || value >= tabs_.Count()) value = -1;
    tabIndex_ = value;
    if (value >= 0 && value < firstIndex_) firstIndex_ = value;
    layout();
    while (value >= 0 && IsRectEmpty(&rects_[size_t(value)]) && firstIndex_ < value) {
        ++firstIndex_;
        layout();
    }
}

void TTabSet::SetFirstIndex(int value) {
    firstIndex_ = std::max(value, 0);
    layout();
}

void TTabSet::SetStartMargin(int value) {
    startMargin_ = value;
    layout();
}

void TTabSet::SetEndMargin(int value) {
    endMargin_ = value;
    layout();
}

void TTabSet::tabsChanged() {
    if (IsLoading()) return;
    tabIndex_ = std::min(tabIndex_, tabs_.Count() - 1);
    layout();
}

int TTabSet::tabWidth(HDC dc, int index) const {
    const std::string& text = tabs_.Strings(index);
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), int(text.size()), &size);
    return size.cx + kTabPadding;
}

void TTabSet::layout() {
    if (IsLoading()) return;
    const int count = tabs_.Count();
    std::vector<int> widths(size_t(count), 0);
    {
        win::MemoryDC dc(nullptr);
        win::SelectGuard font(dc.Get(), Font()->Handle());
        for (int i = 0; i < count; ++i)
            widths[size_t(i)] = tabWidth(dc.Get(), i);
    }
    const int w = ClientWidth(), h = ClientHeight();
    const int end = w - endMargin_;
    const bool arrows = startMargin_ + std::accumulate(widths.begin(), widths.end(), 0) > end;
    const int arrowHeight = std::min(h, GetSystemMetrics(SM_CYHSCROLL));
    const int arrowWidth = 2 * GetSystemMetrics(SM_CXHSCROLL);
    const int usable = arrows ? end - arrowWidth : end;

    // The first index from which every remaining tab fits: scrolling further shows nothing new.
    int lastFirst = 0;
    if (arrows) {
        lastFirst = std::max(count - 1, 0);
        for (int i = count - 1, x = startMargin_; i >= 0 && x + widths[size_t(i)] <= usable; --i) {
            x += widths[size_t(i)];
            lastFirst = i;
        }
    }
    firstIndex_ = std::clamp(firstIndex_, 0, lastFirst);

    rects_.assign(size_t(count), RECT{});
    for (int i = firstIndex_, x = startMargin_; i < count && x + widths[size_t(i)] <= usable; ++i) {
        rects_[size_t(i)] = {x, 0, x + widths[size_t(i)], h};
        x += widths[size_t(i)];
    }

    if (arrows) {
        scroller_->SetBounds(w - arrowWidth, (h - arrowHeight) / 2, arrowWidth, arrowHeight);
        scroller_->SetMax(lastFirst);
        scroller_->SetPosition(firstIndex_);
    }
    scroller_->SetVisible(arrows);
    Invalidate();
}

int TTabSet::VisibleTabs() const {
    return int(std::count_if(rects_.begin(), rects_.end(), [](const RECT& r) { return !IsRectEmpty(&r); }));
}

RECT TTabSet::ItemRect(int index) const {
    return index >= 0 && index < int(rects_.size()) ? rects_[size_t(index)] : RECT{};
}

int TTabSet::ItemAtPos(int x, int y) const {
    for (size_t i = 0; i < rects_.size(); ++i)
        if (PtInRect(&rects_[i], POINT{x, y})) return int(i);
    return -1;
}

void TTabSet::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    // OnChange may free the tab set.
    const auto alive = LifeToken();
    if (const int tab = ItemAtPos(x, y); button == mbLeft && tab >= 0 && tab != tabIndex_) {
        bool allow = true;
        if (OnChange) OnChange(this, tab, allow);
        if (!*alive) return;
        if (allow) SetTabIndex(tab);
    }
    TWinControl::MouseDown(button, shift, x, y);
}

void TTabSet::WndProc(TMessage& m) {
    if (m.Msg == WM_SIZE) {
        TWinControl::WndProc(m);
        layout();
        return;
    }
    TWinControl::WndProc(m);
}

void TTabSet::FontChanged(TMessage& m) {
    TWinControl::FontChanged(m);
    layout();
}

void TTabSet::paintTab(HDC dc, int index) {
    const RECT& r = rects_[size_t(index)];
    const bool selected = index == tabIndex_;
    // The selected tab is part of the page above it: same face, no edge between them.
    win::BrushHandle face(CreateSolidBrush(COLORREF(ColorToRGB(selected ? color_ : clWindow))));
    win::SelectGuard brush(dc, face.Get());
    win::SelectGuard pen(dc, GetStockObject(BLACK_PEN));
    const POINT outline[] = {
        {r.left, 0}, {r.left + kSlant, r.bottom - 2}, {r.right - kSlant, r.bottom - 2}, {r.right, 0}};
    Polygon(dc, outline, 4);
    if (selected) {
        win::PenHandle facePen(CreatePen(PS_SOLID, 1, COLORREF(ColorToRGB(color_))));
        win::SelectGuard edge(dc, facePen.Get());
        MoveToEx(dc, r.left + 1, 0, nullptr);
        LineTo(dc, r.right, 0);
    }
    RECT text = r;
    text.bottom -= 2;
    SetTextColor(dc, COLORREF(ColorToRGB(enabled_ ? Font()->Color() : clGrayText)));
    DrawTextA(dc, tabs_.Strings(index).c_str(), -1, &text,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_EXPANDTABS);
}

void TTabSet::PaintWindow(HDC dc) {
    RECT client{0, 0, ClientWidth(), ClientHeight()};
    FillRect(dc, &client, ColorBrush());
    win::SaveDCGuard saved(dc);
    SelectObject(dc, Font()->Handle());
    SetBkMode(dc, TRANSPARENT);
    // The edge the tabs hang from; the selected one is drawn last, over its neighbours.
    MoveToEx(dc, 0, 0, nullptr);
    LineTo(dc, client.right, 0);
    for (int i = 0; i < int(rects_.size()); ++i)
        if (i != tabIndex_ && !IsRectEmpty(&rects_[size_t(i)])) paintTab(dc, i);
    if (tabIndex_ >= 0 && !IsRectEmpty(&rects_[size_t(tabIndex_)])) paintTab(dc, tabIndex_);
}

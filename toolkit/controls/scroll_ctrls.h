// TScrollBar, a SCROLLBAR control whose scroll notifications move its Position, and TScrollBox,
// a container whose window scroll bars range over its children and scroll them.
#pragma once

#include "toolkit/controls/win_control.h"

enum TScrollBarKind { sbHorizontal, sbVertical };
const TEnumInfo& ScrollBarKindInfo();

// The scroll codes of WM_HSCROLL and WM_VSCROLL, in their order.
enum TScrollCode {
    scLineUp,
    scLineDown,
    scPageUp,
    scPageDown,
    scPosition,
    scTrack,
    scTop,
    scBottom,
    scEndScroll
};

// ScrollPos arrives as the position the scroll would move to; the handler may change it.
using TScrollEvent = TEvent<void(TObject* Sender, TScrollCode ScrollCode, int& ScrollPos)>;

class TScrollBar : public TWinControl {
    QS_DECLARE_CLASS()
  public:
    explicit TScrollBar(TComponent* AOwner);

    TScrollBarKind Kind() const { return kind_; }
    void SetKind(TScrollBarKind value);
    int Min() const { return min_; }
    void SetMin(int value) { SetParams(position_, value, max_); }
    int Max() const { return max_; }
    void SetMax(int value) { SetParams(position_, min_, value); }
    // Kept within Min .. Max - PageSize + 1, as the bar's thumb can go.
    int Position() const { return position_; }
    void SetPosition(int value) { SetParams(value, min_, max_); }
    // The thumb's share of the range; 0 for a fixed-size thumb.
    int PageSize() const { return pageSize_; }
    void SetPageSize(int value);
    int SmallChange() const { return smallChange_; }
    void SetSmallChange(int value) { smallChange_ = value; }
    int LargeChange() const { return largeChange_; }
    void SetLargeChange(int value) { largeChange_ = value; }
    void SetParams(int position, int min, int max);

    // After Position changed, by the user or in code.
    TNotifyEvent OnChange;
    // Each scroll notification, before Position follows it.
    TScrollEvent OnScroll;

  protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeWnd() override;
    void WndProc(TMessage& message) override;
    void Loaded() override;

  private:
    int highestPosition() const;
    void applyToWindow();
    void scrolled(TMessage& message);

    TScrollBarKind kind_ = sbHorizontal;
    int min_ = 0, max_ = 100, position_ = 0, pageSize_ = 0;
    int smallChange_ = 1, largeChange_ = 1;
};

class TScrollBox;

// One of a scroll box's window scroll bars: its range is the extent of the box's children.
class TControlScrollBar : public TPersistent {
    QS_DECLARE_CLASS()
  public:
    TControlScrollBar(TScrollBox* box, TScrollBarKind kind) : box_(box), kind_(kind) {}

    void Assign(const TPersistent* source) override;

    TScrollBarKind Kind() const { return kind_; }
    // The children's extent along the bar, measured from the unscrolled origin.
    int Range() const { return range_; }
    // How far the children are scrolled.
    int Position() const { return position_; }
    void SetPosition(int value);
    // Pixels per arrow click.
    int Increment() const { return increment_; }
    void SetIncrement(int value) { increment_ = value < 1 ? 1 : value; }
    // False keeps the bar away whatever the children's extent.
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    // The bar shows: visible and the children reach beyond the client area.
    bool IsScrollBarVisible() const;

  private:
    friend class TScrollBox;

    TScrollBox* box_;
    TScrollBarKind kind_;
    int range_ = 0, position_ = 0, increment_ = 8;
    bool visible_ = true;
};

class TScrollBox : public TWinControl {
    QS_DECLARE_CLASS()
  public:
    explicit TScrollBox(TComponent* AOwner);

    TControlScrollBar* HorzScrollBar() const { return &horz_; }
    void SetHorzScrollBar(TControlScrollBar* value) { horz_.Assign(value); }
    TControlScrollBar* VertScrollBar() const { return &vert_; }
    void SetVertScrollBar(TControlScrollBar* value) { vert_.Assign(value); }
    // bsSingle gives a sunken edge; the skin engine reads it by name.
    int BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(int value);

    // Measures the children again and sets the bars' ranges, pages and positions.
    void UpdateScrollBars();
    // Scrolls so that a child lies in the client area (as far as it fits).
    void ScrollInView(TControl* control);

  protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeWnd() override;
    void WndProc(TMessage& message) override;
    void Loaded() override;
    void ChildBoundsChanged(TControl* child) override;

  private:
    friend class TControlScrollBar;
    // Moves the children so that bar's position becomes `position` (clamped to the range).
    void scrollTo(TControlScrollBar& bar, int position);
    void scrollMessage(TControlScrollBar& bar, TMessage& message);
    int pageOf(const TControlScrollBar& bar) const;

    mutable TControlScrollBar horz_{this, sbHorizontal};
    mutable TControlScrollBar vert_{this, sbVertical};
    int borderStyle_ = 1;
    bool arranging_ = false; // the box moves its children itself
};

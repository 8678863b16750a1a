// TTabSet: a strip of tabs hanging from the bottom edge of what it sits under, drawn by the
// toolkit itself (no comctl32 tab control). While not every tab fits, horizontal scroll arrows (a
// TUpDown, the tab set's first owned component) move the first tab shown.
#pragma once

#include <vector>

#include "toolkit/controls/range_ctrls.h"
#include "toolkit/core/strings.h"

// Before a click selects tab NewTab; AllowChange false keeps the current one.
using TTabChangeEvent = TEvent<void(TObject* Sender, int NewTab, bool& AllowChange)>;

class TTabSet : public TWinControl {
    QS_DECLARE_CLASS()
  public:
    explicit TTabSet(TComponent* AOwner);

    TStrings* Tabs() const { return &tabs_; }
    void SetTabs(TStrings* value) { tabs_.Assign(value); }
    // The selected tab, -1 for none; out-of-range values give -1. A tab selected in code is
    // scrolled into view, without OnChange.
    int TabIndex() const { return tabIndex_; }
    void SetTabIndex(int value);
    // The leftmost tab shown; kept where the remaining tabs still fill the strip.
    int FirstIndex() const { return firstIndex_; }
    void SetFirstIndex(int value);
    // Space before the first tab and after the last (or the arrows).
    int StartMargin() const { return startMargin_; }
    void SetStartMargin(int value);
    int EndMargin() const { return endMargin_; }
    void SetEndMargin(int value);

    // How many tabs show, from FirstIndex on.
    int VisibleTabs() const;
    // The tab's rectangle in client coordinates; empty while it does not show.
    RECT ItemRect(int index) const;
    // The shown tab at a client point, -1 for none.
    int ItemAtPos(int x, int y) const;
    // The scroll arrows: visible only while not every tab fits.
    TUpDown* Scroller() const { return scroller_; }

    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;

    TTabChangeEvent OnChange;

  protected:
    void PaintWindow(HDC dc) override;
    void WndProc(TMessage& message) override;
    void Loaded() override;
    void FontChanged(TMessage& message) override;

  private:
    void tabsChanged();
    // Measures the tabs, decides whether the arrows show, and places the tabs from FirstIndex.
    void layout();
    int tabWidth(HDC dc, int index) const;
    void paintTab(HDC dc, int index);

    mutable TStrings tabs_;
    TUpDown* scroller_ = nullptr;
    int tabIndex_ = -1, firstIndex_ = 0;
    int startMargin_ = 5, endMargin_ = 5;
    std::vector<RECT> rects_; // one per tab, empty for those not shown
};

// The comctl32 tab controls ("SysTabControl32"): TTabControl, a strip of tabs over one display
// area that holds the control's children, and TPageControl, whose tabs each show one TTabSheet.
#pragma once

#include <vector>

#include "toolkit/controls/win_control.h"
#include "toolkit/core/strings.h"

class TImageList;
class TTabSheet;

enum TTabPosition { tpTop, tpBottom, tpLeft, tpRight };
const TEnumInfo& TabPositionInfo();
enum TTabStyle { tsTabs, tsButtons, tsFlatButtons };
const TEnumInfo& TabStyleInfo();

// Before the user's choice of another tab takes effect; AllowChange false keeps the current one.
using TTabChangingEvent = TEvent<void(TObject* Sender, bool& AllowChange)>;
// Before tab Index is closed (a close box on it was clicked); AllowClose false keeps its page.
using TTabCloseEvent = TEvent<void(TObject* Sender, int Index, bool& AllowClose)>;

// What both tab controls share: the window's styles, the image list, the display rectangle and
// the user's tab changes. The derived class says which tabs there are.
class TCustomTabControl : public TWinControl {
    QS_DECLARE_CLASS()
  public:
    explicit TCustomTabControl(TComponent* AOwner);

    // Left and right tabs stand in rows of their own (the window needs TCS_MULTILINE for them).
    TTabPosition TabPosition() const { return tabPosition_; }
    void SetTabPosition(TTabPosition value);
    TTabStyle Style() const { return style_; }
    void SetStyle(TTabStyle value);
    // Tabs that do not fit wrap into more rows instead of scrolling behind arrows.
    bool MultiLine() const { return multiLine_; }
    void SetMultiLine(bool value);
    TImageList* Images() const { return images_; }
    void SetImages(TImageList* value);

    // The client area the tabs leave (the client rectangle through TCM_ADJUSTRECT).
    RECT DisplayRect();
    // The tab under a client point, -1 for none.
    int IndexOfTabAt(int x, int y);

    // After the user chose another tab.
    TNotifyEvent OnChange;
    TTabChangingEvent OnChanging;

  protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeWnd() override;
    void WndProc(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;
    void FontChanged(TMessage& message) override;

    // The tabs the window shows, in order.
    virtual int TabCount() const = 0;
    virtual std::string TabText(int index) const = 0;
    virtual int TabImage(int index) const = 0;
    // The tab to select, -1 for none.
    virtual int SelectedTab() const = 0;
    // The user selected tab `index` (OnChanging allowed it).
    virtual void TabSelected(int index) = 0;
    // The display rectangle may have moved or changed size.
    virtual void DisplayChanged() {}

    // Gives the window the tabs again, selects SelectedTab, then DisplayChanged.
    void UpdateTabs();
    bool CanChange();

  private:
    void paint(TMessage& message);

    TTabPosition tabPosition_ = tpTop;
    TTabStyle style_ = tsTabs;
    bool multiLine_ = false;
    TImageList* images_ = nullptr;
};

// Tabs over one shared display area, the control's children in it: they keep their place in that
// rectangle when it moves (another TabPosition, more rows). Tab i shows image i of Images.
class TTabControl : public TCustomTabControl {
    QS_DECLARE_CLASS()
  public:
    explicit TTabControl(TComponent* AOwner);

    TStrings* Tabs() const { return &tabs_; }
    void SetTabs(TStrings* value) { tabs_.Assign(value); }
    // The selected tab, -1 for none; out-of-range values give -1.
    int TabIndex() const { return tabIndex_; }
    void SetTabIndex(int value);

  protected:
    void InitializeWnd() override;
    void Loaded() override;
    int TabCount() const override { return tabs_.Count(); }
    std::string TabText(int index) const override { return tabs_.Strings(index); }
    int TabImage(int index) const override { return index; }
    int SelectedTab() const override { return tabIndex_; }
    void TabSelected(int index) override;
    void DisplayChanged() override;

  private:
    void tabsChanged();

    mutable TStrings tabs_;
    int tabIndex_ = -1;
    // Where the display rectangle was when the children were last placed; known once the first
    // window has its tabs (the stored places of the children assume the tabs).
    bool displayKnown_ = false;
    RECT display_{};
};

// One tab per TTabSheet child whose TabVisible is set (tab i is the i-th such page); the active
// page fills the display rectangle and is the only one shown. A sheet freed from outside takes its
// tab with it, and a neighbouring page becomes active.
class TPageControl : public TCustomTabControl {
    QS_DECLARE_CLASS()
  public:
    explicit TPageControl(TComponent* AOwner);
    ~TPageControl() override;

    int PageCount() const { return int(pages_.size()); }
    TTabSheet* Pages(int index) const { return pages_.at(size_t(index)); }
    // Setting it in code shows the page without OnChanging or OnChange.
    TTabSheet* ActivePage() const { return active_; }
    void SetActivePage(TTabSheet* page);
    int ActivePageIndex() const;
    void SetActivePageIndex(int index);
    // The page whose tab shows next after `current` (before it when going back), round the end;
    // null when no tab shows.
    TTabSheet* FindNextPage(TTabSheet* current, bool goForward) const;
    // The page whose tab is `index` (tabs of hidden pages do not count); null when none.
    TTabSheet* PageOfTab(int index) const;
    // Whether tab `index` may be closed: OnCloseTab decides, and without a handler it may.
    bool CanCloseTab(int index);

    TTabCloseEvent OnCloseTab;

  protected:
    void Loaded() override;
    int TabCount() const override;
    std::string TabText(int index) const override;
    int TabImage(int index) const override;
    int SelectedTab() const override;
    void TabSelected(int index) override;
    void DisplayChanged() override;

  private:
    friend class TTabSheet;
    void insertPage(TTabSheet* page);
    void removePage(TTabSheet* page);
    void movePage(TTabSheet* page, int index);
    // A page's caption, image or tab visibility changed.
    void pageChanged(TTabSheet* page);
    int tabIndexOf(const TTabSheet* page) const;
    // Shows the active page in the display rectangle and hides the others.
    void showActivePage();

    std::vector<TTabSheet*> pages_;
    TTabSheet* active_ = nullptr;
};

// A page of a TPageControl, its parent. The page control decides its bounds and visibility.
class TTabSheet : public TWinControl {
    QS_DECLARE_CLASS()
  public:
    explicit TTabSheet(TComponent* AOwner);
    ~TTabSheet() override;

    void SetParent(TWinControl* value) override;
    TPageControl* PageControl() const { return pageControl_; }
    void SetPageControl(TPageControl* value) { SetParent(value); }
    // Its place among the page control's pages.
    int PageIndex() const;
    void SetPageIndex(int value);
    // Its tab's index in the window, -1 while the tab is hidden.
    int TabIndex() const;
    bool TabVisible() const { return tabVisible_; }
    void SetTabVisible(bool value);
    // Index in the page control's Images; -1 for none.
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value);

  protected:
    void TextChanged(TMessage& message) override;

  private:
    friend class TPageControl;

    TPageControl* pageControl_ = nullptr;
    bool tabVisible_ = true;
    int imageIndex_ = -1;
};

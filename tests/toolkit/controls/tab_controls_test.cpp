// Page controls, tab controls and tab sets read from a form resource: the tabs their windows show,
// the user's clicks (and a handler refusing them), the four tab positions, pages freed from
// outside, the tab set's scroll arrows, and a written text that reads back.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "tests/support/wintest.h"
#include "tests/toolkit/controls/test_forms.h"
#include "toolkit/controls/tab_ctrls.h"
#include "toolkit/controls/tab_set.h"
#include "toolkit/core/class_builder.h"
#include "toolkit/graphics/image_list.h"
#include "toolkit/resource/form_resource.h"

namespace {

class TTestTabForm : public TForm {
    QS_DECLARE_CLASS()
  public:
    explicit TTestTabForm(TComponent* owner) : TForm(owner) {}
    void Pages1Change(TObject*) { pageChanges.push_back(Find<TPageControl>("Pages1")->ActivePageIndex()); }
    void Pages1Changing(TObject*, bool& allow) {
        ++pageChangings;
        allow = !refuse;
    }
    void Pages1CloseTab(TObject*, int index, bool& allow) {
        closeRequests.push_back(index);
        allow = !refuse;
    }
    void Tabs1Change(TObject*) { tabChanges.push_back(Find<TTabControl>("Tabs1")->TabIndex()); }
    void Tabs1Changing(TObject*, bool& allow) { allow = !refuse; }
    void TabSet1Change(TObject*, int newTab, bool& allow) {
        tabSetRequests.push_back(newTab);
        allow = !refuse;
    }
    template <class C> C* Find(const char* name) { return dynamic_cast<C*>(FindComponent(name)); }

    bool refuse = false;
    int pageChangings = 0;
    std::vector<int> pageChanges, tabChanges, tabSetRequests, closeRequests;
};

const TClassInfo& TTestTabForm::StaticClass() {
    using F = TTestTabForm;
    static const TClassInfo& info =
        TClassBuilder<F>("TTestTabForm", &TForm::StaticClass())
            .Creatable()
            .Method<void(TObject*)>("Pages1Change", &F::Pages1Change)
            .Method<void(TObject*, bool&)>("Pages1Changing", &F::Pages1Changing)
            .Method<void(TObject*, int, bool&)>("Pages1CloseTab", &F::Pages1CloseTab)
            .Method<void(TObject*)>("Tabs1Change", &F::Tabs1Change)
            .Method<void(TObject*, bool&)>("Tabs1Changing", &F::Tabs1Changing)
            .Method<void(TObject*, int, bool&)>("TabSet1Change", &F::TabSet1Change)
            .Build();
    return info;
}

TResourceNesting FormNesting(TCustomForm* form) {
    TResourceNesting nesting;
    nesting.adopt = [form](TComponent* child, TComponent* parent) { form->SetChildParent(child, parent); };
    nesting.parentOf = [](const TComponent* child) -> TComponent* {
        auto* c = dynamic_cast<const TControl*>(child);
        return c ? c->Parent() : nullptr;
    };
    return nesting;
}

std::string tabText(HWND tabs, int index) {
    char text[64] = {};
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(tabs, TCM_GETITEMA, WPARAM(index), reinterpret_cast<LPARAM>(&item));
    return text;
}

int tabCount(HWND tabs) {
    return int(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
}

int curSel(HWND tabs) {
    return int(SendMessageA(tabs, TCM_GETCURSEL, 0, 0));
}

// Where a child window stands in its parent's client area.
RECT placeInParent(HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

RECT adjusted(HWND tabs) {
    RECT r;
    GetClientRect(tabs, &r);
    SendMessageA(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
    return r;
}

class TabControls : public ::testing::Test {
  protected:
    void SetUp() override {
        form = NewForm<TTestTabForm>(nullptr);
        pages = form->Find<TPageControl>("Pages1");
        tabs = form->Find<TTabControl>("Tabs1");
        tabSet = form->Find<TTabSet>("TabSet1");
        for (const char* name : {"Sheet1", "Sheet2", "Sheet3", "Sheet4"})
            sheets.push_back(form->Find<TTabSheet>(name));
        ASSERT_TRUE(pages && tabs && tabSet && sheets[0] && sheets[1] && sheets[2] && sheets[3]);
    }
    void TearDown() override { delete form; }

    void show() {
        form->Show();
        qs::test::PumpFor(50);
    }
    // Clicks the centre of tab `index` of a comctl32 tab control with the real pointer.
    void clickTab(TCustomTabControl* control, int index) {
        RECT r{};
        ASSERT_TRUE(
            SendMessageA(control->Handle(), TCM_GETITEMRECT, WPARAM(index), reinterpret_cast<LPARAM>(&r)));
        clickAt(control, {(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    }
    void clickAt(TWinControl* control, POINT p) {
        const POINT at = control->ClientToScreen(p);
        qs::test::MouseClickAt(at.x, at.y);
    }
    void expectOnlyActiveShows() {
        for (TTabSheet* s : sheets)
            if (s && s->HandleAllocated()) {
                EXPECT_EQ(qs::test::HasStyle(s->Handle(), WS_VISIBLE), s == pages->ActivePage()) << s->Name();
            }
    }

    TTestTabForm* form = nullptr;
    TPageControl* pages = nullptr;
    TTabControl* tabs = nullptr;
    TTabSet* tabSet = nullptr;
    std::vector<TTabSheet*> sheets;
};

TEST_F(TabControls, PageControlFromFormTextShowsItsActivePageInTheDisplayRectangle) {
    show();
    HWND h = pages->Handle();
    EXPECT_EQ(qs::test::WindowClassName(h), "TPageControl");
    EXPECT_EQ(qs::test::WindowClassName(sheets[0]->Handle()), "TTabSheet");
    ASSERT_EQ(pages->PageCount(), 4);
    EXPECT_EQ(pages->Pages(3), sheets[3]);
    EXPECT_EQ(sheets[0]->PageControl(), pages);
    ASSERT_EQ(tabCount(h), 3) << "a page whose tab is hidden has none";
    EXPECT_EQ(tabText(h, 0), "First");
    EXPECT_EQ(tabText(h, 2), "Fourth");
    EXPECT_EQ(sheets[2]->TabIndex(), -1);
    EXPECT_EQ(sheets[3]->TabIndex(), 2);

    EXPECT_EQ(pages->ActivePage(), sheets[1]);
    EXPECT_EQ(pages->ActivePageIndex(), 1);
    EXPECT_EQ(curSel(h), 1);
    expectOnlyActiveShows();
    RECT page = placeInParent(sheets[1]->Handle()), display = adjusted(h);
    EXPECT_TRUE(EqualRect(&page, &display));

    auto* images = form->Find<TImageList>("ImageList1");
    EXPECT_EQ(reinterpret_cast<HIMAGELIST>(SendMessageA(h, TCM_GETIMAGELIST, 0, 0)), images->Handle());
    TCITEMA item{};
    item.mask = TCIF_IMAGE;
    SendMessageA(h, TCM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(item.iImage, 0);
    SendMessageA(h, TCM_GETITEMA, 1, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(item.iImage, -1);
    EXPECT_TRUE(form->pageChanges.empty()) << "loading is no change";
}

TEST_F(TabControls, ClosingATabAsksOnCloseTabAndNeedsNoHandlerToBeAllowed) {
    EXPECT_TRUE(pages->CanCloseTab(2));
    form->refuse = true;
    EXPECT_FALSE(pages->CanCloseTab(0));
    EXPECT_EQ(form->closeRequests, (std::vector<int>{2, 0})) << "the handler from the form text";
    EXPECT_EQ(pages->PageOfTab(2), sheets[3]) << "hidden tabs do not count";
    EXPECT_EQ(pages->PageOfTab(3), nullptr);
    EXPECT_EQ(pages->PageCount(), 4) << "asking closes nothing";

    TPageControl bare(nullptr);
    EXPECT_TRUE(bare.CanCloseTab(0));
}

TEST_F(TabControls, PagesChangedInCodeFollowInTheWindow) {
    show();
    HWND h = pages->Handle();
    pages->SetActivePageIndex(0);
    EXPECT_EQ(curSel(h), 0);
    expectOnlyActiveShows();
    EXPECT_TRUE(form->pageChanges.empty()) << "a change in code fires no events";

    sheets[2]->SetTabVisible(true);
    ASSERT_EQ(tabCount(h), 4);
    EXPECT_EQ(tabText(h, 2), "Hidden");
    sheets[0]->SetCaption("Renamed");
    EXPECT_EQ(tabText(h, 0), "Renamed");
    sheets[3]->SetPageIndex(0);
    EXPECT_EQ(tabText(h, 0), "Fourth");
    EXPECT_EQ(pages->ActivePageIndex(), 1) << "the active page moved along";

    // Hiding the active page's tab passes the page on to the next tab.
    sheets[0]->SetTabVisible(false);
    EXPECT_EQ(pages->ActivePage(), sheets[1]);
    expectOnlyActiveShows();
}

TEST_F(TabControls, ClickingATabChangesThePageUnlessOnChangingRefuses) {
    show();
    clickTab(pages, 2);
    ASSERT_TRUE(qs::test::PumpUntil([&] { return !form->pageChanges.empty(); }));
    EXPECT_EQ(pages->ActivePage(), sheets[3]);
    EXPECT_EQ(form->pageChanges, (std::vector<int>{3}));
    EXPECT_EQ(form->pageChangings, 1);
    expectOnlyActiveShows();
    RECT page = placeInParent(sheets[3]->Handle()), display = adjusted(pages->Handle());
    EXPECT_TRUE(EqualRect(&page, &display));

    form->refuse = true;
    clickTab(pages, 0);
    ASSERT_TRUE(qs::test::PumpUntil([&] { return form->pageChangings == 2; }));
    qs::test::PumpFor(50);
    EXPECT_EQ(pages->ActivePage(), sheets[3]);
    EXPECT_EQ(curSel(pages->Handle()), 2);
    EXPECT_EQ(form->pageChanges.size(), 1u);
    expectOnlyActiveShows();
}

TEST_F(TabControls, EveryTabPositionReachesTheWindowStyleAndThePagesFollow) {
    struct Case {
        TTabPosition position;
        DWORD on, off;
    };
    const Case cases[] = {{tpBottom, TCS_BOTTOM, TCS_VERTICAL},
                          {tpLeft, TCS_VERTICAL | TCS_MULTILINE, TCS_RIGHT},
                          {tpRight, TCS_VERTICAL | TCS_RIGHT | TCS_MULTILINE, 0},
                          {tpTop, 0, TCS_BOTTOM | TCS_VERTICAL}};
    for (const Case& c : cases) {
        pages->SetTabPosition(c.position);
        HWND h = pages->Handle();
        EXPECT_TRUE(qs::test::HasStyle(h, c.on)) << c.position;
        EXPECT_EQ(GetWindowLongA(h, GWL_STYLE) & c.off, 0) << c.position;
        EXPECT_EQ(tabCount(h), 3);
        EXPECT_EQ(curSel(h), 1);
        RECT page = placeInParent(sheets[1]->Handle()), display = adjusted(h);
        EXPECT_TRUE(EqualRect(&page, &display)) << c.position;
        expectOnlyActiveShows();
    }
    tabs->SetStyle(tsFlatButtons);
    EXPECT_TRUE(qs::test::HasStyle(tabs->Handle(), TCS_BUTTONS | TCS_FLATBUTTONS));
    tabs->SetMultiLine(true);
    EXPECT_TRUE(qs::test::HasStyle(tabs->Handle(), TCS_MULTILINE));
    EXPECT_EQ(tabCount(tabs->Handle()), 3);
}

TEST_F(TabControls, AFreedSheetTakesItsTabAndPassesTheSelectionOn) {
    show();
    HWND h = pages->Handle();
    delete sheets[1];
    sheets[1] = nullptr;
    ASSERT_EQ(pages->PageCount(), 3);
    EXPECT_EQ(tabCount(h), 2);
    // The next page's tab is hidden: the one after it takes over.
    EXPECT_EQ(pages->ActivePage(), sheets[3]);
    EXPECT_EQ(curSel(h), 1);
    expectOnlyActiveShows();
    RECT page = placeInParent(sheets[3]->Handle()), display = adjusted(h);
    EXPECT_TRUE(EqualRect(&page, &display));

    // The last page gone, the nearest one before it with a tab.
    delete sheets[3];
    sheets[3] = nullptr;
    EXPECT_EQ(pages->ActivePage(), sheets[0]);
    EXPECT_EQ(tabCount(h), 1);
    EXPECT_EQ(curSel(h), 0);
    expectOnlyActiveShows();
    EXPECT_TRUE(form->pageChanges.empty());
}

TEST_F(TabControls, ASheetFreedInsideThePageControlsOwnClickLeavesItWorking) {
    show();
    // As a close box does: the press on a tab frees that tab's page and is consumed.
    TWndMethod previous = pages->WindowProc();
    pages->SetWindowProc([&](TMessage& m) {
        if (m.Msg == WM_LBUTTONDOWN) {
            const int tab = pages->IndexOfTabAt(short(LOWORD(m.LParam)), short(HIWORD(m.LParam)));
            for (TTabSheet*& s : sheets)
                if (s && tab >= 0 && s->TabIndex() == tab) {
                    delete s;
                    s = nullptr;
                    m.Result = 0;
                    return;
                }
        }
        previous(m);
    });
    clickTab(pages, 0);
    ASSERT_TRUE(qs::test::PumpUntil([&] { return !sheets[0]; }));
    EXPECT_EQ(pages->PageCount(), 3);
    EXPECT_EQ(tabCount(pages->Handle()), 2);
    EXPECT_EQ(pages->ActivePage(), sheets[1]) << "the active page stays when another goes";
    EXPECT_EQ(curSel(pages->Handle()), 0);
    clickTab(pages, 0);
    ASSERT_TRUE(qs::test::PumpUntil([&] { return !sheets[1]; }));
    EXPECT_EQ(pages->ActivePage(), sheets[3]);
    expectOnlyActiveShows();
    pages->SetWindowProc(nullptr);
}

TEST_F(TabControls, TabControlSelectsByClickAndKeepsItsChildrenInTheDisplayRectangle) {
    show();
    HWND h = tabs->Handle();
    EXPECT_EQ(qs::test::WindowClassName(h), "TTabControl");
    EXPECT_TRUE(qs::test::HasStyle(h, TCS_BUTTONS));
    ASSERT_EQ(tabCount(h), 3);
    EXPECT_EQ(tabText(h, 2), "Three");
    EXPECT_EQ(curSel(h), 1);

    clickTab(tabs, 2);
    ASSERT_TRUE(qs::test::PumpUntil([&] { return !form->tabChanges.empty(); }));
    EXPECT_EQ(tabs->TabIndex(), 2);
    form->refuse = true;
    clickTab(tabs, 0);
    qs::test::PumpFor(100);
    EXPECT_EQ(tabs->TabIndex(), 2);
    EXPECT_EQ(curSel(h), 2);
    EXPECT_EQ(form->tabChanges, (std::vector<int>{2}));

    tabs->Tabs()->Delete(2);
    EXPECT_EQ(tabs->TabIndex(), 1);
    EXPECT_EQ(curSel(h), 1);

    // The child keeps its offset from the display rectangle's corner wherever the tabs go.
    auto* inner = form->Find<TButton>("Inner1");
    EXPECT_EQ(inner->Top(), 50) << "stored places already allow for the tabs";
    RECT display = tabs->DisplayRect();
    const POINT offset{inner->Left() - display.left, inner->Top() - display.top};
    for (TTabPosition position : {tpLeft, tpBottom, tpTop}) {
        tabs->SetTabPosition(position);
        display = tabs->DisplayRect();
        RECT r = placeInParent(inner->Handle());
        EXPECT_EQ(r.left - display.left, offset.x) << position;
        EXPECT_EQ(r.top - display.top, offset.y) << position;
    }
}

TEST_F(TabControls, TabSetSelectsByClick) {
    show();
    EXPECT_EQ(qs::test::WindowClassName(tabSet->Handle()), "TTabSet");
    EXPECT_EQ(tabSet->VisibleTabs(), 3);
    RECT gamma = tabSet->ItemRect(2);
    ASSERT_FALSE(IsRectEmpty(&gamma));
    clickAt(tabSet, {(gamma.left + gamma.right) / 2, gamma.bottom / 2});
    ASSERT_TRUE(qs::test::PumpUntil([&] { return tabSet->TabIndex() == 2; }));
    EXPECT_EQ(form->tabSetRequests, (std::vector<int>{2}));

    form->refuse = true;
    RECT alpha = tabSet->ItemRect(0);
    clickAt(tabSet, {(alpha.left + alpha.right) / 2, alpha.bottom / 2});
    ASSERT_TRUE(qs::test::PumpUntil([&] { return form->tabSetRequests.size() == 2; }));
    EXPECT_EQ(tabSet->TabIndex(), 2);

    // Between the last tab and the end there is nothing to select.
    EXPECT_EQ(tabSet->ItemAtPos(tabSet->Width() - 3, 5), -1);
    EXPECT_EQ(tabSet->ItemAtPos((gamma.left + gamma.right) / 2, 5), 2);
}

TEST_F(TabControls, TabSetShowsArrowsOnlyWhenTheTabsDoNotFitAndScrollsWithThem) {
    TUpDown* arrows = tabSet->Scroller();
    ASSERT_GT(tabSet->ComponentCount(), 0);
    EXPECT_EQ(tabSet->Components()[0], arrows) << "the skin engine finds the arrows there";
    show();
    EXPECT_FALSE(IsWindowVisible(arrows->Handle()));
    EXPECT_EQ(qs::test::WindowClassName(arrows->Handle()), "TUpDown");
    EXPECT_TRUE(qs::test::HasStyle(arrows->Handle(), UDS_HORZ));

    for (int i = 0; i < 12; ++i)
        tabSet->Tabs()->Add("Extra tab " + std::to_string(i));
    ASSERT_TRUE(IsWindowVisible(arrows->Handle()));
    const int shown = tabSet->VisibleTabs();
    EXPECT_LT(shown, 15);
    RECT last = tabSet->ItemRect(shown - 1), place = placeInParent(arrows->Handle());
    EXPECT_LE(last.right, place.left) << "no tab under the arrows";

    // The right arrow moves the strip one tab on.
    clickAt(tabSet, {place.right - 4, (place.top + place.bottom) / 2});
    ASSERT_TRUE(qs::test::PumpUntil([&] { return tabSet->FirstIndex() == 1; }));
    EXPECT_TRUE(IsRectEmpty(&(last = tabSet->ItemRect(0))));
    EXPECT_EQ(tabSet->ItemRect(1).left, tabSet->StartMargin());
    clickAt(tabSet, {place.left + 4, (place.top + place.bottom) / 2});
    ASSERT_TRUE(qs::test::PumpUntil([&] { return tabSet->FirstIndex() == 0; }));

    // Selecting a tab out of view scrolls it in; the arrows stop where the last tab shows.
    tabSet->SetTabIndex(14);
    EXPECT_FALSE(IsRectEmpty(&(last = tabSet->ItemRect(14))));
    const int first = tabSet->FirstIndex();
    tabSet->SetFirstIndex(100);
    EXPECT_EQ(tabSet->FirstIndex(), first);
    EXPECT_EQ(arrows->Max(), first);

    while (tabSet->Tabs()->Count() > 3)
        tabSet->Tabs()->Delete(3);
    EXPECT_FALSE(IsWindowVisible(arrows->Handle()));
    EXPECT_EQ(tabSet->FirstIndex(), 0);
    EXPECT_EQ(tabSet->TabIndex(), 2);
}

TEST_F(TabControls, WrittenTextReadsBackToTheSameControls) {
    const std::string text = WriteComponentText(form, nullptr, FormNesting(form));
    EXPECT_NE(text.find("ActivePage = Sheet2"), std::string::npos);
    EXPECT_NE(text.find("TabVisible = False"), std::string::npos);
    EXPECT_EQ(text.find(" Visible = False"), std::string::npos)
        << "the page control shows and hides its pages";
    auto* copy = new TTestTabForm(nullptr);
    ReadComponentText(copy, text, {}, FormNesting(copy));
    auto* copyPages = copy->Find<TPageControl>("Pages1");
    ASSERT_EQ(copyPages->PageCount(), 4);
    EXPECT_EQ(copyPages->ActivePage(), copy->Find<TTabSheet>("Sheet2"));
    EXPECT_EQ(copyPages->Images(), copy->Find<TImageList>("ImageList1"));
    EXPECT_EQ(copy->Find<TTabSheet>("Sheet1")->ImageIndex(), 0);
    EXPECT_EQ(copy->Find<TTabControl>("Tabs1")->Style(), tsButtons);
    EXPECT_EQ(copy->Find<TTabControl>("Tabs1")->TabIndex(), 1);
    EXPECT_EQ(copy->Find<TTabSet>("TabSet1")->Tabs()->Count(), 3);
    EXPECT_EQ(WriteComponentText(copy, nullptr, FormNesting(copy)), text);
    delete copy;
}

} // namespace

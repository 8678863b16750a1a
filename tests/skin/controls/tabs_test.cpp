// Tab and page controls, tab sheets, tab sets and the centred label: the strip and page-frame
// arithmetic, the painters on plain tab windows read back pixel by pixel, and toolkit tab
// controls on a skinned form (close boxes clicked with the real pointer).
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "skin/controls/centred_label.h"
#include "skin/controls/skin_tabs.h"
#include "skin/controls/tab_geometry.h"
#include "skin/core/skin_manager.h"
#include "tests/skin/controls/control_fixture.h"
#include "tests/support/wintest.h"
#include "toolkit/controls/tab_ctrls.h"
#include "toolkit/controls/tab_set.h"
#include "toolkit/graphics/canvas.h"
#include "toolkit/graphics/rects.h"

using namespace qs::test;

// Rectangles compared in expectations (found beside RECT itself).
static bool operator==(const RECT& a, const RECT& b) {
    return EqualRect(&a, &b);
}

TEST(TabArithmetic, TheSideComesFromTheBottomAndVerticalStyles) {
    EXPECT_EQ(TabSideOfStyle(0), tabTop);
    EXPECT_EQ(TabSideOfStyle(TCS_BOTTOM), tabBottom);
    EXPECT_EQ(TabSideOfStyle(TCS_VERTICAL | TCS_MULTILINE), tabLeft);
    EXPECT_EQ(TabSideOfStyle(TCS_VERTICAL | TCS_RIGHT), tabRight);
}

TEST(TabArithmetic, PageFrameAndStripMeetOnTheTabsSide) {
    const TBox r{0, 0, 200, 100};
    const TBox display{10, 30, 190, 90};
    const TBox top = PageFrame(display, tabTop);
    EXPECT_EQ(top, (TBox{6, 27, 194, 94})) << "grown by 4, then 1 away from the tabs";
    EXPECT_EQ(TabStrip(r, top, tabTop), (TBox{0, 0, 200, 27}));
    EXPECT_EQ(PageFrame(display, tabBottom).Bottom, 93);
    EXPECT_EQ(TabStrip(r, PageFrame(display, tabBottom), tabBottom), (TBox{0, 93, 200, 100}));
    const TBox right = PageFrame(TBox{4, 4, 150, 96}, tabRight);
    EXPECT_EQ(right.Right, 153);
    const TBox strip = TabStrip(r, right, tabRight);
    EXPECT_EQ(strip, (TBox{153, 0, 200, 100}));
    EXPECT_EQ(StripBitmapSize(strip, tabRight).Width, 100) << "drawn lying down";
    EXPECT_EQ(StripBitmapSize(strip, tabRight).Height, 47);
    EXPECT_EQ(TabStrip(r, PageFrame(TBox{50, 4, 196, 96}, tabLeft), tabLeft), (TBox{0, 0, 47, 100}));
}

TEST(TabArithmetic, TabsLandInTheStripBeforeItIsTurned) {
    const TBox r{0, 0, 200, 100};
    const TBox tab{10, 20, 30, 60};
    EXPECT_EQ(TabInStrip(tab, tabTop, r, TBox{}, 200), (TBox{10, 21, 30, 61}));
    EXPECT_EQ(TabInStrip(TBox{10, 80, 50, 98}, tabBottom, r, TBox{0, 0, 200, 78}, 200),
              (TBox{10, 1, 50, 19}));
    // Left: the strip's x runs up the control (100 high), its y across.
    EXPECT_EQ(TabInStrip(tab, tabLeft, r, TBox{}, 100), (TBox{40, 10, 80, 30}));
    // Right: x runs down, y in from the right edge.
    EXPECT_EQ(TabInStrip(TBox{170, 20, 196, 60}, tabRight, r, TBox{}, 100), (TBox{19, 4, 59, 30}));
    EXPECT_EQ(CloseBox(TBox{10, 2, 70, 22}), (TBox{62, 4, 68, 10}));
}

TEST(TabArithmetic, TabSetFitAndLabelStart) {
    EXPECT_TRUE(TabSetTabFits(100, 5, 86, false));
    EXPECT_FALSE(TabSetTabFits(100, 5, 87, false));
    EXPECT_FALSE(TabSetTabFits(100, 5, 86, true)) << "the arrows take 12 more";
    EXPECT_TRUE(TabSetTabFits(100, 5, 74, true));
    EXPECT_EQ(LabelStart(laCentre, 60, 0, 16), 22);
    EXPECT_EQ(LabelStart(laCentre, 60, 30, 16), 7);
    EXPECT_EQ(LabelStart(laLeft, 60, 30, 16), 3);
    EXPECT_EQ(LabelStart(laRight, 60, 30, 16), 12);
    EXPECT_EQ(LabelStart(laCentre, 20, 40, 0), 1) << "too wide: one pixel in";
}

TEST(CentredLabel, AnIconWithoutCaptionIsCentredByItsWidth) {
    win::ImageListHandle images(ImageList_Create(16, 16, ILC_COLOR24, 1, 1));
    TBitmap icon(16, 16, pf24bit);
    FillRect(icon.Canvas().Handle(), std::data({RECT{0, 0, 16, 16}}), HBRUSH(GetStockObject(BLACK_BRUSH)));
    ASSERT_EQ(ImageList_Add(images.Get(), icon.Handle(), nullptr), 0);
    auto bmp = Canvas24(100, 40);
    TCentredLabel label;
    label.Images = images.Get();
    label.ImageIndex = 0;
    DrawCentredLabel(bmp->Canvas().Handle(), RECT{10, 5, 70, 35}, label);
    EXPECT_EQ(InkBounds(*bmp, 0xFFFFFF, RECT{0, 0, 100, 40}), (RECT{10 + 22, 5 + 7, 10 + 38, 5 + 23}));

    auto none = Canvas24(100, 40);
    label.ImageIndex = -1;
    DrawCentredLabel(none->Canvas().Handle(), RECT{10, 5, 70, 35}, label);
    EXPECT_EQ(InkBounds(*none, 0xFFFFFF, RECT{0, 0, 100, 40}), RECT{}) << "index -1: no icon";
    label.ImageIndex = 0;
    DrawCentredLabel(none->Canvas().Handle(), RECT{10, 5, 26, 35}, label);
    EXPECT_EQ(InkBounds(*none, 0xFFFFFF, RECT{0, 0, 100, 40}), RECT{}) << "an icon as wide as the box";
}

namespace {

// Plain tab windows on a plain parent, painted by a TSkinTab attached straight to them.
class PlainTabs : public ::testing::Test {
  protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TAB_CLASSES | ICC_UPDOWN_CLASS};
        InitCommonControlsEx(&icc);
        parent = PlainParent(360, 260);
    }
    void TearDown() override {
        skinner.reset();
        DestroyWindow(parent);
    }
    void Load(const ControlSkinOptions& o) { skin = LoadControlSkin(o); }
    // Three fixed-size tabs without text, tab 1 selected.
    HWND Tabs(DWORD style, int count = 3, const RECT& at = RECT{10, 10, 250, 190}) {
        HWND tabs = ChildWindow(parent, WC_TABCONTROLA, style, "", at);
        SendMessageA(tabs, TCM_SETITEMSIZE, 0, MAKELPARAM(50, 20));
        for (int i = 0; i < count; ++i) {
            std::string text = (style & TCS_FIXEDWIDTH) ? "" : "Tab " + std::to_string(i);
            TCITEMA item{};
            item.mask = TCIF_TEXT;
            item.pszText = text.data();
            SendMessageA(tabs, TCM_INSERTITEMA, WPARAM(i), reinterpret_cast<LPARAM>(&item));
        }
        SendMessageA(tabs, TCM_SETCURSEL, 1, 0);
        SendMessageA(tabs, TCM_SETCURFOCUS, 1, 0);
        return tabs;
    }
    TSkinTab* Attach(HWND window) {
        auto* s = new TSkinTab(nullptr);
        skinner.reset(s);
        s->AttachToWindow(window, skin.get(), nullptr, nullptr);
        return s;
    }
    std::unique_ptr<TBitmap> Drawn(HWND window) {
        RECT client{};
        GetClientRect(window, &client);
        auto bmp = Canvas24(client.right, client.bottom);
        skinner->DrawSkin(bmp->Canvas().Handle(), client);
        return bmp;
    }
    static RECT TabRect(HWND tabs, int i) {
        RECT r{};
        SendMessageA(tabs, TCM_GETITEMRECT, WPARAM(i), reinterpret_cast<LPARAM>(&r));
        return r;
    }
    static TBox Page(HWND tabs, TTabSide side) {
        RECT r{};
        GetClientRect(tabs, &r);
        SendMessageA(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
        return PageFrame(BoxOfRect(r), side);
    }

    HWND parent = nullptr;
    std::unique_ptr<TSkinData> skin;
    std::unique_ptr<TSkinControl> skinner;
};

} // namespace

TEST_F(PlainTabs, EverySideShowsTheSelectedFaceWithItsEdgeTurnedOutward) {
    Load(ControlSkinOptions{.Tabs = true});
    const struct {
        DWORD style;
        TTabSide side;
    } sides[] = {{0, tabTop},
                 {TCS_BOTTOM, tabBottom},
                 {TCS_VERTICAL | TCS_MULTILINE, tabLeft},
                 {TCS_VERTICAL | TCS_RIGHT | TCS_MULTILINE, tabRight}};
    for (const auto& c : sides) {
        SCOPED_TRACE(int(c.side));
        HWND tabs = Tabs(c.style | TCS_FIXEDWIDTH);
        Attach(tabs);
        auto bmp = Drawn(tabs);
        const RECT sel = TabRect(tabs, 1), other = TabRect(tabs, 0);
        const int cx = (sel.left + sel.right) / 2, cy = (sel.top + sel.bottom) / 2;
        EXPECT_EQ(Pixel(*bmp, cx, cy), kTab[1]) << "frame 2 at the selected tab";
        EXPECT_EQ(Pixel(*bmp, (other.left + other.right) / 2, (other.top + other.bottom) / 2), kTab[0]);
        // The edge of a top tab faces away from the page on every side.
        switch (c.side) {
        case tabTop: EXPECT_EQ(Pixel(*bmp, cx, sel.top + 1), kTabEdge); break;
        case tabBottom: EXPECT_EQ(Pixel(*bmp, cx, sel.bottom - 2), kTabEdge); break;
        case tabLeft: EXPECT_EQ(Pixel(*bmp, sel.left, cy), kTabEdge); break;
        case tabRight:
            EXPECT_EQ(Pixel(*bmp, sel.right - 1, cy), kTabEdge);
            EXPECT_NE(Pixel(*bmp, sel.left + 2, cy), kTabEdge);
            break;
        }
        EXPECT_NE(Pixel(*bmp, cx, cy), kTabEdge);
        skinner.reset();
        DestroyWindow(tabs);
    }
}

TEST_F(PlainTabs, RightTabsArePlacedAtThePageFramesRightEdge) {
    Load(ControlSkinOptions{.Tabs = true});
    HWND tabs = Tabs(TCS_VERTICAL | TCS_RIGHT | TCS_MULTILINE | TCS_FIXEDWIDTH);
    Attach(tabs);
    auto bmp = Drawn(tabs);
    const TBox page = Page(tabs, tabRight);
    RECT client{};
    GetClientRect(tabs, &client);
    const int below = client.bottom - 4; // under every tab
    ASSERT_GT(below, TabRect(tabs, 2).bottom);
    EXPECT_EQ(Pixel(*bmp, page.Right - 1, below), kTabBorder);
    EXPECT_EQ(Pixel(*bmp, page.Right, below), ColorToRGB(skin->Colour(scButtonFace))) << "the strip's fill";
    EXPECT_EQ(Pixel(*bmp, page.Left + 20, below), kTabBorder);
}

TEST_F(PlainTabs, AMissingTabsImageLeavesTheStripButDrawsThePageFrame) {
    Load(ControlSkinOptions{.Tabs = true, .TabsImage = false});
    HWND tabs = Tabs(TCS_FIXEDWIDTH);
    Attach(tabs);
    auto bmp = Drawn(tabs);
    const TBox page = Page(tabs, tabTop);
    EXPECT_EQ(InkBounds(*bmp, 0xFFFFFF, RECT{0, 0, 240, page.Top}), RECT{});
    EXPECT_EQ(Pixel(*bmp, page.Left + 10, page.Top + 10), kTabBorder);

    // On screen the control draws its own tabs under the frame.
    InvalidateRect(tabs, nullptr, TRUE);
    UpdateWindow(tabs);
    const Pixels shown = CaptureClient(tabs);
    const RECT sel = TabRect(tabs, 1);
    int native = 0;
    for (int y = 0; y < page.Top; ++y)
        for (int x = 0; x < shown.width; ++x) {
            const uint32_t c = shown.at(x, y) & 0xFFFFFF;
            EXPECT_TRUE(c != kTab[0] && c != kTab[1] && c != kTabEdge);
            native += c != 0xFFFFFF;
        }
    EXPECT_GT(native, RectWidth(sel)) << "the tabs' own outlines";
    EXPECT_EQ(shown.at(page.Left + 10, page.Top + 10) & 0xFFFFFF, kTabBorder);
}

TEST_F(PlainTabs, HostileSkinsDrawWhatTheyCanAndReadNothingOutside) {
    for (const ControlSkinOptions& o :
         {ControlSkinOptions{.Tabs = true, .TabsWidth = 3}, ControlSkinOptions{.Tabs = true, .TabsWidth = 7},
          ControlSkinOptions{.Tabs = true, .TabStyle = 1}}) {
        Load(o);
        for (DWORD style : {DWORD(0), DWORD(TCS_BOTTOM), DWORD(TCS_VERTICAL | TCS_MULTILINE),
                            DWORD(TCS_VERTICAL | TCS_RIGHT | TCS_MULTILINE)}) {
            HWND tabs = Tabs(style | TCS_FIXEDWIDTH);
            Attach(tabs);
            auto bmp = Drawn(tabs);
            const TBox page = Page(tabs, TabSideOfStyle(style));
            if (o.TabStyle == 1) {
                EXPECT_EQ(Pixel(*bmp, (page.Left + page.Right) / 2, (page.Top + page.Bottom) / 2), 0xFFFFFFu)
                    << "a pane style without a TabPane has no frame";
            }
            skinner.reset();
            DestroyWindow(tabs);
        }
    }
    Load(ControlSkinOptions{.Tabs = true, .TabStyle = 1, .TabPane = true});
    HWND tabs = Tabs(TCS_VERTICAL | TCS_MULTILINE | TCS_FIXEDWIDTH);
    Attach(tabs);
    auto bmp = Drawn(tabs);
    const TBox page = Page(tabs, tabLeft);
    EXPECT_EQ(Pixel(*bmp, (page.Left + page.Right) / 2, (page.Top + page.Bottom) / 2), kTabPane);
}

TEST_F(PlainTabs, AnOverflowingStripLeavesItsArrowsToTheirOwnSkinner) {
    Load(ControlSkinOptions{.Ranges = true, .Tabs = true});
    HWND tabs = Tabs(0, 12, RECT{10, 10, 200, 150});
    HWND arrows = FindWindowExA(tabs, nullptr, UPDOWN_CLASSA, nullptr);
    ASSERT_NE(arrows, nullptr);
    ASSERT_TRUE(IsWindowVisible(arrows));
    SkinnedWindow s(*skin, parent);
    auto* tab = dynamic_cast<TSkinTab*>(s.Skinner->ChildSkinnerOf(tabs));
    ASSERT_NE(tab, nullptr);
    ASSERT_NE(tab->UpDown, nullptr);
    EXPECT_EQ(s.Skinner->ChildSkinnerOf(arrows), tab->UpDown);

    RECT a{};
    GetWindowRect(arrows, &a);
    MapWindowPoints(nullptr, tabs, reinterpret_cast<POINT*>(&a), 2);
    RECT client{};
    GetClientRect(tabs, &client);
    auto bmp = Canvas24(client.right, client.bottom);
    tab->DrawSkin(bmp->Canvas().Handle(), client);
    EXPECT_EQ(InkBounds(*bmp, 0xFFFFFF, a), RECT{}) << "the strip is not copied over the arrows";
    EXPECT_NE(Pixel(*bmp, a.left - 3, (a.top + a.bottom) / 2), 0xFFFFFFu);

    InvalidateRect(tabs, nullptr, TRUE);
    UpdateWindow(tabs);
    PumpFor(30);
    const uint32_t shown = CaptureClient(arrows).at(4, RectHeight(a) / 2) & 0xFFFFFF;
    EXPECT_TRUE(shown == kArrowHorz[0] || shown == kArrowVert[0]) << std::hex << shown;
}

namespace {

class SkinnedTabs : public SkinnedFormTest {
  protected:
    TPageControl* Pages(int count, int tag = 0) {
        auto* pages = new TPageControl(form.get());
        pages->SetParent(form.get());
        pages->SetBounds(10, 10, 300, 200);
        pages->SetTag(tag);
        for (int i = 0; i < count; ++i) {
            auto* sheet = new TTabSheet(form.get());
            sheet->SetPageControl(pages);
            sheet->SetCaption("Page " + std::to_string(i));
        }
        return pages;
    }
};

} // namespace

TEST_F(SkinnedTabs, AClosedBoxAsksTheFormAndAZeroAnswerFreesThePage) {
    MakeForm(ControlSkinOptions{.Tabs = true});
    auto* pages = Pages(4, kCloseBoxTag);
    std::vector<int> asked;
    bool allow = false;
    pages->OnCloseTab = TTabCloseEvent([&](TObject*, int index, bool& allowClose) {
        asked.push_back(index);
        allowClose = allow;
    });
    Skin();
    auto* tab = dynamic_cast<TSkinTab*>(ChildSkinner(pages));
    ASSERT_NE(tab, nullptr);
    ASSERT_TRUE(tab->CloseButtons);
    EXPECT_NE(dynamic_cast<TSkinTabSheet*>(ChildSkinner(pages->Pages(0))), nullptr);
    InvalidateRect(pages->Handle(), nullptr, TRUE);
    UpdateWindow(pages->Handle());
    ASSERT_EQ(tab->CloseRects.size(), 4u);
    const auto clickBox = [&](int i) {
        const RECT box = tab->CloseRects[size_t(i)];
        const POINT at = pages->ClientToScreen(POINT{(box.left + box.right) / 2, (box.top + box.bottom) / 2});
        MouseClickAt(at.x, at.y);
        PumpFor(30);
    };
    TTabSheet* third = pages->Pages(2);

    clickBox(2);
    EXPECT_EQ(asked, (std::vector<int>{2})) << "SKM_TABCLOSE carried tab 2";
    EXPECT_EQ(pages->PageCount(), 4) << "refused";
    EXPECT_EQ(pages->ActivePageIndex(), 0) << "the click went no further";

    allow = true;
    clickBox(2); // soon after the first: a double click

    ASSERT_EQ(pages->PageCount(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_NE(pages->Pages(i), third);
    EXPECT_EQ(SendMessageA(skinned->Handle, SKM_TABCLOSE, WPARAM(form->Handle()), 0), 0)
        << "not a page control: the window's own answer";
}

TEST_F(SkinnedTabs, TabsOnTheSideHaveNoCloseBoxes) {
    MakeForm(ControlSkinOptions{.Tabs = true});
    auto* pages = Pages(2, kCloseBoxTag);
    pages->SetTabPosition(tpBottom);
    auto* plain = Pages(2);
    Skin();
    EXPECT_FALSE(dynamic_cast<TSkinTab*>(ChildSkinner(pages))->CloseButtons);
    EXPECT_FALSE(dynamic_cast<TSkinTab*>(ChildSkinner(plain))->CloseButtons);
}

TEST_F(SkinnedTabs, ATabSheetErasesWithTheFace) {
    MakeForm(ControlSkinOptions{.Tabs = true});
    auto* pages = Pages(2);
    Skin();
    HWND sheet = pages->Pages(0)->Handle();
    RECT client{};
    GetClientRect(sheet, &client);
    auto bmp = Canvas24(client.right, client.bottom);
    EXPECT_EQ(SendMessageA(sheet, WM_ERASEBKGND, WPARAM(bmp->Canvas().Handle()), 0), 1);
    const uint32_t face = ColorToRGB(skin->Colour(scButtonFace));
    EXPECT_EQ(Pixel(*bmp, 0, 0), face);
    EXPECT_EQ(Pixel(*bmp, client.right - 1, client.bottom - 1), face);
}

TEST_F(SkinnedTabs, ATabSetSkipsATabThatDoesNotFitButDrawsShorterOnesAfterIt) {
    MakeForm(ControlSkinOptions{.Tabs = true});
    auto* set = new TTabSet(form.get());
    set->SetParent(form.get());
    set->SetBounds(10, 10, 120, 24);
    set->Tabs()->Add("A");
    set->Tabs()->Add("A caption far too long to fit in the strip");
    set->Tabs()->Add("B");
    set->SetTabIndex(0);
    Skin();
    auto* skinner = dynamic_cast<TSkinTab31*>(ChildSkinner(set));
    ASSERT_NE(skinner, nullptr);
    ASSERT_NE(skinner->UpDown, nullptr);
    EXPECT_TRUE(skinner->UpDown->Horizontal);

    auto bmp = Canvas24(120, 24);
    skinner->DrawSkin(bmp->Canvas().Handle(), RECT{0, 0, 120, 24});
    HDC measure = bmp->Canvas().Handle();
    win::SelectGuard font(measure, set->Font()->Handle());
    SIZE a{};
    GetTextExtentPoint32A(measure, "A", 1, &a);
    const int second = set->StartMargin() + a.cx + kTabSetPadding;
    EXPECT_EQ(Pixel(*bmp, set->StartMargin() + 1, 12), kTab[1]) << "A, selected";
    EXPECT_EQ(Pixel(*bmp, second + 1, 12), kTab[0]) << "B, where the long tab would have been";
    EXPECT_EQ(Pixel(*bmp, 100, 12), ColorToRGB(skin->Colour(scButtonFace)));
}

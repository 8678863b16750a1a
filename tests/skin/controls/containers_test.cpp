// Group boxes, panels, raw containers, status bars, headers and list views: the painters on memory
// DCs read back pixel by pixel, and the skinners on skinned forms (header hover with the real pointer).
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "skin/controls/skin_containers.h"
#include "skin/core/skin_manager.h"
#include "tests/skin/controls/control_fixture.h"
#include "tests/support/wintest.h"
#include "toolkit/controls/ext_ctrls.h"
#include "toolkit/controls/group_box.h"
#include "toolkit/controls/header_ctrl.h"
#include "toolkit/controls/list_view.h"
#include "toolkit/controls/status_bar.h"
#include "toolkit/graphics/canvas.h"
#include "toolkit/graphics/rects.h"

using namespace qs::test;

// Rectangles compared in expectations (found beside RECT itself).
static bool operator==(const RECT& a, const RECT& b) {
    return EqualRect(&a, &b);
}

namespace {

constexpr TColor AsColor(uint32_t rgb) {
    return TColor(((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16));
}

class SkinnedContainers : public SkinnedFormTest {
  protected:
    template <class C> C* Add(TWinControl* parent, int left, int top, int w, int h) {
        auto* c = new C(form.get());
        c->SetParent(parent);
        c->SetBounds(left, top, w, h);
        return c;
    }
    // The skinner's painting of the whole control on a memory bitmap.
    static std::unique_ptr<TBitmap> Drawn(TSkinControl* skinner, TWinControl* control) {
        const RECT r{0, 0, control->Width(), control->Height()};
        auto bmp = Canvas24(r.right, r.bottom);
        skinner->DrawSkin(bmp->Canvas().Handle(), r);
        return bmp;
    }
    TStatusBar* Bar(int width = 300) {
        auto* bar = Add<TStatusBar>(form.get(), 10, 200, width, 22);
        bar->SetSizeGrip(false);
        return bar;
    }
};

uint32_t Rgb(COLORREF c) {
    return uint32_t(GetRValue(c)) << 16 | uint32_t(GetGValue(c)) << 8 | GetBValue(c);
}

int CountOf(TBitmap& bmp, uint32_t colour, const RECT& within) {
    int n = 0;
    for (int y = within.top; y < within.bottom; ++y)
        for (int x = within.left; x < within.right; ++x)
            n += Pixel(bmp, x, y) == colour;
    return n;
}

// The font height whose "0" is `pixels` high, or 0 when none is.
int FontHeightForZero(int pixels) {
    win::WindowDC screen = win::WindowDC::Screen();
    for (int height = -6; height >= -30; --height) {
        TFont font;
        font.SetHeight(height);
        win::SelectGuard selected(screen.Get(), font.Handle());
        SIZE zero{};
        GetTextExtentPoint32W(screen.Get(), L"0", 1, &zero);
        if (zero.cy == pixels) return height;
    }
    return 0;
}

} // namespace

TEST_F(SkinnedContainers, GroupBoxFrameSitsHalfTheZeroHeightDownUnderAnOpaqueCaption) {
    MakeForm(ControlSkinOptions{.ContainersColours = true});
    const int height = FontHeightForZero(13);
    if (!height) GTEST_SKIP() << "no font here draws a 13-pixel 0";
    auto* group = Add<TGroupBox>(form.get(), 10, 10, 200, 120);
    group->SetParentFont(false);
    group->Font()->SetHeight(height);
    group->SetCaption("Group");
    auto* shape = Add<TShape>(group, 40, 50, 30, 20);
    shape->Brush()->SetColor(clRed);
    Skin();
    auto* skinner = dynamic_cast<TSkinGroupBox*>(ChildSkinner(group));
    ASSERT_NE(skinner, nullptr);
    EXPECT_TRUE(skinner->PaintChildren);
    auto bmp = Drawn(skinner, group);
    EXPECT_EQ(Pixel(*bmp, 150, 5), kContainerShadow) << "13 div 2 - 1";
    EXPECT_EQ(Pixel(*bmp, 150, 4), kContainerFace);
    EXPECT_EQ(Pixel(*bmp, 150, 6), kContainerFace);
    EXPECT_EQ(Pixel(*bmp, 1, 60), kContainerShadow) << "the left side one pixel in";
    EXPECT_EQ(Pixel(*bmp, 198, 60), kContainerShadow);
    EXPECT_EQ(Pixel(*bmp, 100, 118), kContainerShadow);
    for (int x = 10; x < 30; ++x)
        EXPECT_NE(Pixel(*bmp, x, 5), kContainerShadow) << "the caption hides the frame at x = " << x;
    EXPECT_NE(InkBounds(*bmp, kContainerFace, RECT{8, 0, 60, 5}).right, 0) << "caption ink";
    EXPECT_EQ(Pixel(*bmp, 55, 60), 0xFF0000u) << "the windowless child is painted over the face";
}

TEST_F(SkinnedContainers, PanelsTakeTheFaceColourAndGetTheirOwnBackWhenUnskinned) {
    MakeForm(ControlSkinOptions{.ContainersColours = true});
    auto* panel = Add<TPanel>(form.get(), 10, 10, 100, 60);
    panel->SetColor(clTeal);
    Skin();
    EXPECT_NE(dynamic_cast<TSkinBox*>(ChildSkinner(panel)), nullptr);
    EXPECT_EQ(panel->Color(), AsColor(kContainerFace));
    skinned->Skinner->Unskin();
    EXPECT_EQ(panel->Color(), clTeal);
}

TEST(RawContainers, BoxHFillsTheFaceAndAnswersStaticsWithTheFaceBrush) {
    auto skin = LoadControlSkin(ControlSkinOptions{.ContainersColours = true});
    HWND parent = PlainParent();
    auto* s = new TSkinBoxH(nullptr);
    s->AttachToWindow(parent, skin.get(), nullptr, nullptr);
    ASSERT_TRUE(s->Attached);
    RECT window{};
    GetWindowRect(parent, &window);
    auto bmp = Canvas24(window.right - window.left, window.bottom - window.top);
    EXPECT_EQ(SendMessageA(parent, WM_ERASEBKGND, WPARAM(bmp->Canvas().Handle()), 0), 1);
    EXPECT_EQ(Pixel(*bmp, 5, 5), kContainerFace);
    HWND label = ChildWindow(parent, "STATIC", 0, "text", RECT{10, 10, 100, 30});
    EXPECT_EQ(SendMessageA(parent, WM_CTLCOLORSTATIC, WPARAM(bmp->Canvas().Handle()), LPARAM(label)),
              reinterpret_cast<LRESULT>(skin->FaceBrush()));
    EXPECT_EQ(GetBkColor(bmp->Canvas().Handle()), RGB(0xD0, 0xD8, 0xE0));
    s->Release();
    DestroyWindow(parent);
}

TEST_F(SkinnedContainers, SimpleModeWithoutTextIsOneLoweredPanelWithNothingOnIt) {
    MakeForm(ControlSkinOptions{.ContainersColours = true, .ContainersEdges = true});
    auto* bar = Bar();
    bar->Panels()->Add()->SetText("hidden in simple mode");
    bar->SetSimplePanel(true);
    Skin();
    TSkinControl* skinner = ChildSkinner(bar);
    ASSERT_NE(dynamic_cast<TSkinStatusBar*>(skinner), nullptr);
    auto bmp = Drawn(skinner, bar);
    EXPECT_EQ(Pixel(*bmp, 0, 0), kEdge[0]);
    EXPECT_EQ(InkBounds(*bmp, kEdge[0], RECT{0, 0, 300, 22}), RECT{}) << "a lowered panel, no text";
    bar->SetSimpleText("Ready");
    bmp = Drawn(skinner, bar);
    const RECT ink = InkBounds(*bmp, kEdge[0], RECT{0, 0, 300, 22});
    EXPECT_LT(ink.left, 10) << "left-aligned";
    EXPECT_GT(CountOf(*bmp, kStatusText, ink), 0) << "in the edges' text colour";
}

TEST_F(SkinnedContainers, PanelsAreWidenedByTwoAndTheLastReachesTheRightEdge) {
    MakeForm(ControlSkinOptions{.ContainersColours = true, .ContainersEdges = true});
    auto* bar = Bar();
    const TStatusPanelBevel bevels[] = {pbLowered, pbRaised, pbNone};
    for (int i = 0; i < 3; ++i) {
        TStatusPanel* panel = bar->Panels()->Add();
        panel->SetWidth(60 + 20 * i);
        panel->SetBevel(bevels[i]);
    }
    bar->Panels()->Items(0)->SetText("WWW");
    Skin();
    TSkinControl* skinner = ChildSkinner(bar);
    ASSERT_NE(skinner, nullptr);
    RECT parts[3]{};
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(SendMessageA(bar->Handle(), SB_GETRECT, WPARAM(i), reinterpret_cast<LPARAM>(&parts[i])));
    auto bmp = Drawn(skinner, bar);
    const int y = 11;
    EXPECT_EQ(Pixel(*bmp, parts[0].right + 1, y), kEdge[0]) << "panel 1, two pixels wider";
    EXPECT_EQ(Pixel(*bmp, parts[1].right + 1, y), kEdge[1]) << "panel 2, raised";
    EXPECT_EQ(Pixel(*bmp, parts[2].left + 5, y), kEdge[2]) << "panel 3, no bevel";
    EXPECT_EQ(Pixel(*bmp, 299, y), kEdge[2]) << "the last panel reaches the edge";
    EXPECT_GT(CountOf(*bmp, kStatusText, RECT{0, 0, parts[0].right, 22}), 0) << "the first panel's text";
}

TEST_F(SkinnedContainers, ARightToLeftPanelAlignedLeftDrawsItsTextAtTheRight) {
    MakeForm(ControlSkinOptions{.ContainersColours = true, .ContainersEdges = true});
    auto* bar = Bar();
    TStatusPanel* panel = bar->Panels()->Add();
    panel->SetText("Text");
    panel->SetBiDiMode(bdRightToLeft);
    Skin();
    auto bmp = Drawn(ChildSkinner(bar), bar);
    const RECT ink = InkBounds(*bmp, kEdge[0], RECT{0, 0, 300, 22});
    EXPECT_GT(ink.left, 200);
    EXPECT_GE(ink.right, 290);
    panel->SetBiDiMode(bdLeftToRight);
    bmp = Drawn(ChildSkinner(bar), bar);
    EXPECT_LT(InkBounds(*bmp, kEdge[0], RECT{0, 0, 300, 22}).left, 10);
}

TEST_F(SkinnedContainers, WithoutEdgesPanelsGetDrawnBevelsAndTheGripComesFromExtraImages) {
    MakeForm(ControlSkinOptions{.ContainersColours = true, .ContainersGrip = true});
    auto* bar = Bar();
    bar->SetSizeGrip(true);
    bar->Panels()->Add()->SetWidth(100);
    bar->Panels()->Add()->SetBevel(pbNone);
    Skin();
    auto bmp = Drawn(ChildSkinner(bar), bar);
    RECT first{};
    SendMessageA(bar->Handle(), SB_GETRECT, 0, reinterpret_cast<LPARAM>(&first));
    EXPECT_EQ(Pixel(*bmp, 50, first.top), Rgb(GetSysColor(COLOR_BTNSHADOW))) << "lowered: shadow on top";
    EXPECT_EQ(Pixel(*bmp, 50, first.bottom - 1), Rgb(GetSysColor(COLOR_BTNHIGHLIGHT)));
    EXPECT_EQ(Pixel(*bmp, 200, first.top), kContainerFace) << "no bevel";
    EXPECT_EQ(Pixel(*bmp, 298 - 4, 20 - 4), kContainerExtra[4]) << "the grip's frame at the corner";
    EXPECT_EQ(Pixel(*bmp, 299 - kGripSize, 21 - kGripSize), kContainerFace) << "magenta shows through";
    EXPECT_EQ(Pixel(*bmp, 299, 21), kContainerFace) << "one pixel in from the corner";
}

TEST_F(SkinnedContainers, OwnerDrawnPanelsAloneGoToTheDrawEventInsideTheirBevel) {
    MakeForm(ControlSkinOptions{.ContainersColours = true, .ContainersEdges = true});
    auto* bar = Bar();
    bar->Panels()->Add()->SetWidth(100);
    bar->Panels()->Add()->SetStyle(psOwnerDraw);
    std::vector<RECT> drawn;
    bar->OnDrawPanel = TDrawPanelEvent([&](TStatusBar* sb, TStatusPanel* panel, const RECT& r) {
        EXPECT_EQ(panel->Index(), 1);
        drawn.push_back(r);
        sb->Canvas().Brush().SetColor(clLime);
        sb->Canvas().FillRect(r);
    });
    Skin();
    drawn.clear();
    auto bmp = Drawn(ChildSkinner(bar), bar);
    ASSERT_EQ(drawn.size(), 1u);
    RECT part{};
    SendMessageA(bar->Handle(), SB_GETRECT, 1, reinterpret_cast<LPARAM>(&part));
    EXPECT_EQ(drawn[0].left, part.left + 2);
    EXPECT_EQ(drawn[0].right, 300 - 2) << "the last panel's rectangle reaches the edge";
    EXPECT_EQ(Pixel(*bmp, 200, 11), 0x00FF00u);
    EXPECT_EQ(Pixel(*bmp, part.left, 11), kEdge[0]) << "the bevel stays the skin's";
}

namespace {

class PlainHeader : public ::testing::Test {
  protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&icc);
        parent = PlainParent(460, 200);
    }
    void TearDown() override {
        if (skinner) skinner->Release();
        DestroyWindow(parent);
    }
    // Items 100 wide each, ending at 100 * count.
    HWND Header(int count, const RECT& at = RECT{10, 10, 410, 40}) {
        HWND h = ChildWindow(parent, WC_HEADERA, HDS_BUTTONS, "", at);
        for (int i = 0; i < count; ++i) {
            std::string text = "Item " + std::to_string(i);
            HDITEMA item{};
            item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
            item.pszText = text.data();
            item.cxy = 100;
            item.fmt = HDF_STRING | HDF_LEFT;
            SendMessageA(h, HDM_INSERTITEMA, WPARAM(i), reinterpret_cast<LPARAM>(&item));
        }
        return h;
    }
    TSkinHeader* Attach(HWND h, const ControlSkinOptions& o) {
        skin = LoadControlSkin(o);
        skinner = new TSkinHeader(nullptr);
        skinner->AttachToWindow(h, skin.get(), nullptr, nullptr);
        return skinner;
    }
    std::unique_ptr<TBitmap> Drawn(HWND h) {
        RECT client{};
        GetClientRect(h, &client);
        auto bmp = Canvas24(client.right, client.bottom);
        skinner->DrawSkin(bmp->Canvas().Handle(), client);
        return bmp;
    }

    HWND parent = nullptr;
    std::unique_ptr<TSkinData> skin;
    TSkinHeader* skinner = nullptr;
};

} // namespace

TEST_F(PlainHeader, TheRestRightOfTheLastItemGetsFrameOne) {
    HWND h = Header(3);
    Attach(h, ControlSkinOptions{.ContainersColours = true, .ContainersHeader = true});
    auto bmp = Drawn(h);
    EXPECT_EQ(Pixel(*bmp, 300, 2), kHeaderbar[0]);
    EXPECT_EQ(Pixel(*bmp, 399, 28), kHeaderbar[0]);
    EXPECT_EQ(Pixel(*bmp, 150, 2), kHeaderbar[0]);
    ASSERT_EQ(skinner->ItemRects.size(), 3u);
    EXPECT_EQ(skinner->ItemRects[1].left, 103);
    EXPECT_EQ(skinner->ItemRects[1].right, 197);
    skinner->HotIndex = 1;
    bmp = Drawn(h);
    EXPECT_EQ(Pixel(*bmp, 150, 2), kHeaderbar[1]) << "the hot item";
    EXPECT_EQ(Pixel(*bmp, 50, 2), kHeaderbar[0]);
    EXPECT_NE(InkBounds(*bmp, kHeaderbar[0], RECT{0, 0, 100, 30}).right, 0) << "the caption";
}

TEST_F(PlainHeader, WithoutHeaderbarTheHeaderKeepsItsOwnLook) {
    HWND h = Header(2);
    Attach(h, ControlSkinOptions{.ContainersColours = true});
    auto bmp = Drawn(h);
    EXPECT_EQ(InkBounds(*bmp, 0xFFFFFF, RECT{0, 0, 400, 30}), RECT{}) << "nothing drawn";
    TMessage erase{WM_ERASEBKGND, 0, 0, 0};
    EXPECT_TRUE(skinner->BeforeDefault(erase)) << "erasing passes on";
}

TEST_F(PlainHeader, TheRealPointerHighlightsEachItemInTurnAndLeavingClearsIt) {
    HWND h = Header(3);
    Attach(h, ControlSkinOptions{.ContainersColours = true, .ContainersHeader = true});
    InvalidateRect(h, nullptr, TRUE);
    UpdateWindow(h);
    const auto hotAt = [&](int x) {
        POINT p{x, 15};
        ClientToScreen(h, &p);
        for (int tries = 0; tries < 5; ++tries) {
            MouseMoveTo(p.x, p.y);
            if (PumpUntil([&] { return skinner->HotIndex == x / 100; }, 300)) break;
        }
        return skinner->HotIndex;
    };
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(hotAt(50 + 100 * i), i);
        PumpFor(20);
        EXPECT_EQ(CaptureClient(h).at(50 + 100 * i, 2) & 0xFFFFFF, kHeaderbar[1])
            << "item " << i << " shows hot";
        if (i > 0) EXPECT_EQ(CaptureClient(h).at(50 + 100 * (i - 1), 2) & 0xFFFFFF, kHeaderbar[0]);
    }
    POINT away{200, 150};
    ClientToScreen(parent, &away);
    MouseMoveTo(away.x, away.y);
    EXPECT_TRUE(PumpUntil([&] { return skinner->HotIndex == -1; }, 2000));
    PumpFor(20);
    EXPECT_EQ(CaptureClient(h).at(250, 2) & 0xFFFFFF, kHeaderbar[0]);
}

TEST_F(SkinnedContainers, ToolkitHeadersAndListViewHeadersAreSkinnedAndListViewsGetOverlays) {
    MakeForm(ControlSkinOptions{.Scroll = true, .ContainersColours = true, .ContainersHeader = true});
    auto* header = Add<THeaderControl>(form.get(), 10, 10, 300, 20);
    header->Sections()->Add()->SetText("Name");
    auto* view = Add<TListView>(form.get(), 10, 40, 200, 120);
    view->SetViewStyle(vsReport);
    view->Columns()->Add()->SetCaption("Name");
    view->Columns()->Add()->SetCaption("Size");
    for (int i = 0; i < 40; ++i)
        view->Items()->Add()->SetCaption("Row " + std::to_string(i));
    Skin();
    EXPECT_NE(dynamic_cast<TSkinHeader*>(ChildSkinner(header)), nullptr);
    auto* skinner = dynamic_cast<TSkinListView*>(ChildSkinner(view));
    ASSERT_NE(skinner, nullptr);
    HWND viewHeader = HWND(SendMessageA(view->Handle(), LVM_GETHEADER, 0, 0));
    ASSERT_NE(skinner->Header, nullptr);
    EXPECT_EQ(skinner->Header->Handle, viewHeader);
    EXPECT_EQ(SendMessageA(viewHeader, SKM_ISSKINNED, 0, 0), 1);
    ASSERT_TRUE(skinner->VertBar);
    EXPECT_TRUE(skinner->VertBar->Shown) << "40 rows need a vertical bar";
    InvalidateRect(viewHeader, nullptr, TRUE);
    UpdateWindow(viewHeader);
    RECT headerRect{};
    GetClientRect(viewHeader, &headerRect);
    EXPECT_EQ(CaptureClient(viewHeader).at(headerRect.right - 2, 2) & 0xFFFFFF, kHeaderbar[0]);
}

TEST_F(SkinnedContainers, HostileImagesTooNarrowForTheirFramesDrawNothingAndNeverReadOutside) {
    MakeForm(ControlSkinOptions{.ContainersColours = true,
                                .ContainersEdges = true,
                                .ContainersGrip = true,
                                .ContainersHeader = true});
    skin->StatusBarEdges->Bitmap.SetSize(2, 1);
    skin->ExtraImages->Bitmap.SetSize(3, 1);
    skin->ExtraImages->Frame = 2;
    skin->Headerbar->Bitmap.SetSize(1, 1);
    skin->Headerbar->Frame = 0;
    auto* bar = Bar();
    bar->SetSizeGrip(true);
    bar->Panels()->Add();
    bar->Panels()->Add();
    auto* header = Add<THeaderControl>(form.get(), 10, 10, 300, 20);
    header->Sections()->Add()->SetText("Name");
    Skin();
    auto bmp = Drawn(ChildSkinner(bar), bar);
    EXPECT_EQ(Pixel(*bmp, 299, 21), kContainerFace);
    bmp = Drawn(ChildSkinner(header), header);
    EXPECT_EQ(Pixel(*bmp, 299, 10), kHeaderbar[0]) << "a one-pixel image is one frame, stretched";
}

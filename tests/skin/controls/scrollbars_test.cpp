// Scroll bars: the arithmetic, the painter on a memory DC, overlays over a skinned memo's and list
// box's system bars driven by real input, and a combo drop-down list's own thumb dragging.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "skin/core/scroll_geometry.h"
#include "skin/core/scroll_overlay.h"
#include "skin/core/skin_scrollbar.h"
#include "tests/skin/controls/control_fixture.h"
#include "tests/support/wintest.h"
#include "toolkit/controls/list_box.h"
#include "toolkit/controls/memo.h"
#include "toolkit/controls/scroll_ctrls.h"
#include "toolkit/core/class_builder.h"
#include "toolkit/core/prop_access.h"
#include "toolkit/graphics/canvas.h"

using namespace qs::test;

TEST(ScrollArithmetic, ThicknessArrowsHitsAndDragLimits) {
    EXPECT_EQ(ScrollThickness(17, 16), 17);
    EXPECT_EQ(ScrollThickness(20, 16), 16) << "more than 2 away from the arrow size";
    EXPECT_EQ(ScrollThickness(13, 16), 16);
    EXPECT_EQ(ScrollArrowLength(20, 16), 10) << "two half-length arrows";
    EXPECT_EQ(ScrollArrowLength(32, 16), 16);

    EXPECT_EQ(DragThumbStart(30, 500, 16, 200, 40), 200 - 16 - 40);
    EXPECT_EQ(DragThumbStart(30, -500, 16, 200, 40), 16);
    EXPECT_EQ(DragThumbStart(30, 12, 16, 200, 40), 42);

    EXPECT_EQ(ScrollHitTest(15, 16, 40, 60, 200), spFirstArrow);
    EXPECT_EQ(ScrollHitTest(39, 16, 40, 60, 200), spPageBefore);
    EXPECT_EQ(ScrollHitTest(40, 16, 40, 60, 200), spThumb);
    EXPECT_EQ(ScrollHitTest(60, 16, 40, 60, 200), spPageAfter);
    EXPECT_EQ(ScrollHitTest(184, 16, 40, 60, 200), spSecondArrow);
}

TEST(ScrollArithmetic, OneTableGivesEveryPiecesFrame) {
    EXPECT_EQ(ScrollPieceFrame(TScrollPiece::UpArrow, false, false), 9);
    EXPECT_EQ(ScrollPieceFrame(TScrollPiece::UpArrow, true, false), 12);
    EXPECT_EQ(ScrollPieceFrame(TScrollPiece::UpArrow, true, true), 10);
    EXPECT_EQ(ScrollPieceFrame(TScrollPiece::RightArrow, true, false), 8);
    EXPECT_EQ(ScrollPieceFrame(TScrollPiece::HorzGrip, true, true), 18);
    EXPECT_EQ(ScrollPieceFrame(TScrollPiece::VertGrip, true, false), 22);
    EXPECT_EQ(ScrollPieceFrame(TScrollPiece::Thumb, true, false), 3);
    EXPECT_EQ(GripOffset(10, 16), -1) << "16 is not less than 10 + 2";
    EXPECT_EQ(GripOffset(13, 15), -1);
    EXPECT_EQ(GripOffset(30, 16), 7);
}

TEST(ScrollArithmetic, AScrollBarControlsThumb) {
    // 200 long, arrows 16: 168 usable; a page of 21 in 0..100 gives MulDiv(168, 20, 100) = 34.
    EXPECT_EQ(ControlThumb(200, 16, 0, 100, 21, 0), (TThumbExtent{16, 50}));
    EXPECT_EQ(ControlThumb(200, 16, 0, 100, 21, 50), (TThumbExtent{100, 134}));
    EXPECT_EQ(ControlThumb(200, 16, 0, 1000, 2, 500), (TThumbExtent{96, 104})) << "never under 8 pixels";
    EXPECT_EQ(ControlThumb(200, 16, 0, 100, 0, 100), (TThumbExtent{168, 184})) << "no page: an arrow long";
    EXPECT_EQ(ControlThumb(200, 16, 5, 5, 0, 5), (TThumbExtent{16, 32})) << "an empty range";
    EXPECT_EQ(PropertyThumb(200, 16, 0, 100, 21, 50), (TThumbExtent{100, 134}));
}

TEST(ScrollArithmetic, ComboListDraggingNeverPassesTheLastPage) {
    // min 0, max 99, page 10 over a 100-pixel track with a 10-pixel thumb.
    int last = 0;
    for (int offset = -50; offset <= 400; ++offset) {
        const int position = ComboThumbPosition(offset, 100, 10, 0, 99, 10);
        ASSERT_GE(position, 0);
        ASSERT_LE(position, 90) << "offset " << offset;
        ASSERT_GE(position, last) << "the position follows the thumb";
        last = position;
    }
    EXPECT_EQ(last, 90);
    EXPECT_EQ(ComboThumbPosition(45, 100, 10, 0, 99, 10), 45);
    EXPECT_EQ(ComboThumbPosition(500, 100, 16, 0, 50, 0), 42)
        << "without a page the thumb stops at the track's end";
    EXPECT_EQ(ComboThumbPosition(5, 10, 10, 0, 99, 10), 0) << "no room to move";
}

namespace {

// Paints a look with the skin on a white memory bitmap the bar's size.
class ScrollPainter : public ::testing::Test {
  protected:
    void Load(ControlSkinOptions o) {
        o.Scroll = true;
        skin = LoadControlSkin(o);
    }
    std::unique_ptr<TBitmap> Paint(const TScrollBarLook& look) {
        auto bmp = Canvas24(look.Width, look.Height);
        DrawScrollBarSkin(bmp->Canvas().Handle(), RECT{0, 0, look.Width, look.Height}, *skin, look);
        return bmp;
    }
    static TScrollBarLook Vertical(int length, TThumbExtent thumb) {
        TScrollBarLook look;
        look.Vertical = true;
        look.ArrowSize = 16;
        look.Width = 16;
        look.Height = length;
        look.Thumb = thumb;
        return look;
    }
    std::unique_ptr<TSkinData> skin;
};

} // namespace

TEST_F(ScrollPainter, ArrowsTrackThumbAndGripComeFromTheirFrames) {
    Load({});
    TScrollBarLook look = Vertical(200, TThumbExtent{40, 80});
    auto bmp = Paint(look);
    EXPECT_EQ(Pixel(*bmp, 8, 2), ScrollGlyph(9));
    EXPECT_EQ(Pixel(*bmp, 8, 197), ScrollGlyph(13));
    EXPECT_EQ(Pixel(*bmp, 8, 30), kScrollTrackVert[0]);
    EXPECT_EQ(Pixel(*bmp, 8, 42), kScrollThumbVert[0]);
    EXPECT_EQ(Pixel(*bmp, 8, 60), ScrollGlyph(20)) << "the grip in the thumb's middle";

    look.HotPart = spFirstArrow;
    EXPECT_EQ(Pixel(*Paint(look), 8, 2), ScrollGlyph(12)) << "hot";
    look.Tracking = true;
    EXPECT_EQ(Pixel(*Paint(look), 8, 2), ScrollGlyph(10)) << "pressed";
    look.HotPart = spThumb;
    bmp = Paint(look);
    EXPECT_EQ(Pixel(*bmp, 8, 42), kScrollThumbVert[1]);
    EXPECT_EQ(Pixel(*bmp, 8, 60), ScrollGlyph(21));
    EXPECT_EQ(Pixel(*bmp, 8, 2), ScrollGlyph(9));

    look = Vertical(200, TThumbExtent{40, 80});
    look.Enabled = false;
    bmp = Paint(look);
    EXPECT_EQ(Pixel(*bmp, 8, 60), kScrollTrackVert[2]) << "disabled: the track's third frame, no thumb";
}

TEST_F(ScrollPainter, AShortBarGetsTwoHalfArrowsAndASmallThumbNoGrip) {
    Load({});
    auto bmp = Paint(Vertical(20, TThumbExtent{}));
    EXPECT_EQ(Pixel(*bmp, 8, 9), ScrollGlyph(9));
    EXPECT_EQ(Pixel(*bmp, 8, 10), ScrollGlyph(13));

    bmp = Paint(Vertical(200, TThumbExtent{40, 50}));
    EXPECT_EQ(Pixel(*bmp, 8, 45), kScrollThumbVert[0]) << "a 10-pixel thumb has no room for a 16-pixel grip";
}

TEST_F(ScrollPainter, TheThicknessFollowsTheImageOnlyNearTheArrowSize) {
    TScrollBarLook look;
    look.ArrowSize = 16;
    look.Width = 200;
    look.Height = 20;
    look.Thumb = TThumbExtent{40, 80};
    Load({.ScrollGlyphHeight = 17});
    auto bmp = Paint(look);
    EXPECT_EQ(Pixel(*bmp, 2, 16), ScrollGlyph(1));
    EXPECT_NE(Pixel(*bmp, 2, 17), ScrollGlyph(1));
    Load({.ScrollGlyphHeight = 20});
    bmp = Paint(look);
    EXPECT_EQ(Pixel(*bmp, 2, 15), ScrollGlyph(1));
    EXPECT_NE(Pixel(*bmp, 2, 16), ScrollGlyph(1)) << "20 is too far from 16: 16 thick";
}

TEST_F(ScrollPainter, ARecordForOneOrientationOnlyLeavesTheOtherBarsPieceOut) {
    Load({.ScrollVertRecords = false});
    auto bmp = Paint(Vertical(200, TThumbExtent{40, 80}));
    EXPECT_EQ(Pixel(*bmp, 8, 2), ScrollGlyph(9)) << "the arrows still come from the strip";
    EXPECT_NE(Pixel(*bmp, 8, 30), kScrollTrackHorz[0]);
    EXPECT_NE(Pixel(*bmp, 8, 42), kScrollThumbHorz[0]);
    Load({.ScrollHorzRecords = false, .ScrollThumbFrames = 2});
    bmp = Paint(Vertical(200, TThumbExtent{40, 80}));
    EXPECT_EQ(Pixel(*bmp, 8, 30), kScrollTrackVert[0]) << "its own settings stand in for the missing ones";
    TScrollBarLook hot = Vertical(200, TThumbExtent{40, 80});
    hot.HotPart = spThumb;
    EXPECT_EQ(Pixel(*Paint(hot), 8, 42), kScrollThumbVert[0]) << "frame 3 beyond 2 frames: the normal one";
}

TEST_F(ScrollPainter, HostileImagesNeverReachBeyondTheirPixels) {
    for (const ControlSkinOptions& o :
         {ControlSkinOptions{.ScrollGlyphWidth = 0},
          ControlSkinOptions{.ScrollGlyphWidth = 1, .ScrollGlyphHeight = 3},
          ControlSkinOptions{.ScrollGlyphWidth = 3, .ScrollGlyphHeight = 7, .ScrollThumbFrames = 0},
          ControlSkinOptions{.ScrollHorzRecords = false, .ScrollVertRecords = false}}) {
        Load(o);
        for (int length : {0, 1, 7, 31, 200}) {
            TScrollBarLook look = Vertical(length, TThumbExtent{-5, length + 9});
            if (length == 0) continue;
            Paint(look);
            look.Thumb = TThumbExtent{20, 10};
            look.HotPart = spThumb;
            Paint(look);
        }
    }
    Load({.ScrollGlyphWidth = 0});
    auto bmp = Paint(Vertical(100, TThumbExtent{20, 40}));
    EXPECT_EQ(Pixel(*bmp, 8, 30), 0xFFFFFFu) << "no Scrollbar image: nothing drawn";
}

namespace {

// A memo whose control has a FixedColor, as grids do.
class TFixedMemo : public TMemo {
    QS_DECLARE_CLASS()
  public:
    using TMemo::TMemo;
    int FixedColor() const { return fixed_; }
    void SetFixedColor(int value) { fixed_ = value; }

  private:
    int fixed_ = 0x123456;
};

} // namespace

const TClassInfo& TFixedMemo::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TFixedMemo>("TFixedMemo", &TMemo::StaticClass())
            .Int("FixedColor", &TFixedMemo::FixedColor, &TFixedMemo::SetFixedColor)
            .Build();
    return info;
}

namespace {

int overlayCount(HWND parent) {
    int n = 0;
    for (HWND c = GetTopWindow(parent); c; c = GetWindow(c, GW_HWNDNEXT))
        if (WindowClassName(c) == "QsScrollOverlay") ++n;
    return n;
}

RECT screenRect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

RECT systemBar(HWND window, LONG id) {
    SCROLLBARINFO info{};
    info.cbSize = sizeof(info);
    GetScrollBarInfo(window, id, &info);
    return info.rcScrollBar;
}

bool sameRect(const RECT& a, const RECT& b) {
    return EqualRect(&a, &b) != 0;
}

uint32_t overlayPixel(const TWScrollbar& bar, int x, int y) {
    return CaptureWindowDC(bar.Window()).at(x, y) & 0xFFFFFF;
}

// A pointer move that returns at once: inside the system's tracking loop nothing may wait.
void moveNow(int x, int y) {
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = LONG((x * 65535 + (w - 1) / 2) / (w - 1));
    in.mi.dy = LONG((y * 65535 + (h - 1) / 2) / (h - 1));
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &in, sizeof(in));
}

// What a timer saw of an overlay while the system tracked a press on it.
struct TrackingWatch {
    TWScrollbar* Bar = nullptr;
    std::vector<uint32_t> Pixels;
    int Start = -1, End = -1, Hot = -2;
    POINT Target{};
};
TrackingWatch watch;

// Lets go of a press the system is tracking.
void CALLBACK releaseTracked(HWND, UINT, UINT_PTR, DWORD) {
    if (watch.Bar && watch.Bar->Tracking) MouseButton(true, false);
}

// Reads the pressed up arrow three times, then lets go.
void CALLBACK readPressedArrow(HWND, UINT, UINT_PTR, DWORD) {
    if (!watch.Bar || !watch.Bar->Tracking || watch.Pixels.size() >= 3) return;
    watch.Pixels.push_back(overlayPixel(*watch.Bar, 8, 3));
    if (watch.Pixels.size() == 3) MouseButton(true, false);
}

// Drags the thumb to Target, reads where the overlay drew it, then lets go.
void CALLBACK dragThumb(HWND, UINT, UINT_PTR, DWORD) {
    if (!watch.Bar || !watch.Bar->Tracking || watch.Start >= 0) return;
    POINT c{};
    GetCursorPos(&c);
    if (c.x < watch.Target.x - 5) {
        moveNow(watch.Target.x, watch.Target.y);
        return;
    }
    watch.Bar->Repaint();
    watch.Start = watch.Bar->ThumbStart;
    watch.End = watch.Bar->ThumbEnd;
    watch.Hot = watch.Bar->HotPart;
    MouseButtonAt(watch.Target.x, watch.Target.y, true, false);
}

class SkinnedScrollBars : public SkinnedFormTest {
  protected:
    template <class C> C* Memo(TScrollStyle bars, int lines, int left = 10, int top = 10) {
        auto* memo = new C(form.get());
        memo->SetParent(form.get());
        memo->SetBounds(left, top, 200, 150);
        memo->SetWordWrap(false);
        memo->SetScrollBars(bars);
        std::string text;
        for (int i = 0; i < lines; ++i)
            text += "line " + std::to_string(i) + " " + std::string(60, 'x') + "\r\n";
        SetWindowTextA(memo->Handle(), text.c_str());
        return memo;
    }
    TSkinScrollbar* Skinner(TControl* control) {
        return dynamic_cast<TSkinScrollbar*>(ChildSkinner(control));
    }
    void TearDown() override {
        MouseMoveTo(2, 2);
        SkinnedFormTest::TearDown();
    }
};

} // namespace

TEST_F(SkinnedScrollBars, OverlaysLieExactlyOverTheSystemBarsAndFollowThem) {
    MakeForm({.Scroll = true});
    auto* memo = Memo<TMemo>(ssBoth, 40);
    auto* list = new TListBox(form.get());
    list->SetParent(form.get());
    list->SetBounds(220, 10, 120, 60);
    for (int i = 0; i < 30; ++i)
        list->Items()->Add("item " + std::to_string(i));
    Skin();
    TSkinScrollbar* s = Skinner(memo);
    ASSERT_NE(s, nullptr);
    ASSERT_TRUE(s->VertBar && s->HorzBar);
    EXPECT_TRUE(s->VertBar->Shown);
    EXPECT_TRUE(sameRect(screenRect(s->VertBar->Window()), systemBar(memo->Handle(), OBJID_VSCROLL)));
    EXPECT_TRUE(sameRect(screenRect(s->HorzBar->Window()), systemBar(memo->Handle(), OBJID_HSCROLL)));
    EXPECT_EQ(GetWindowLongA(s->VertBar->Window(), GWL_EXSTYLE), WS_EX_TOOLWINDOW);
    const HWND front = GetWindow(memo->Handle(), GW_HWNDPREV);
    EXPECT_TRUE(front == s->HorzBar->Window() || front == s->VertBar->Window())
        << "directly in front of the memo";
    PumpFor(30);
    EXPECT_EQ(overlayPixel(*s->VertBar, 8, 3), ScrollGlyph(9));
    EXPECT_EQ(overlayPixel(*s->HorzBar, 3, 8), ScrollGlyph(1));

    TSkinScrollbar* l = Skinner(list);
    ASSERT_NE(l, nullptr);
    EXPECT_TRUE(l->VertBar->Shown);
    EXPECT_FALSE(l->HorzBar->Shown) << "a list box has no horizontal bar";
    EXPECT_TRUE(sameRect(screenRect(l->VertBar->Window()), systemBar(list->Handle(), OBJID_VSCROLL)));

    memo->SetBounds(30, 40, 160, 120);
    PumpFor(20);
    EXPECT_TRUE(sameRect(screenRect(s->VertBar->Window()), systemBar(memo->Handle(), OBJID_VSCROLL)));
    EXPECT_TRUE(sameRect(screenRect(s->HorzBar->Window()), systemBar(memo->Handle(), OBJID_HSCROLL)));

    memo->Hide();
    PumpFor(20);
    EXPECT_FALSE(IsWindowVisible(s->VertBar->Window()));
    EXPECT_FALSE(IsWindowVisible(s->HorzBar->Window()));
    memo->Show();
    PumpFor(20);
    EXPECT_TRUE(IsWindowVisible(s->VertBar->Window()));

    SetWindowTextA(memo->Handle(), "short");
    ShowScrollBar(memo->Handle(), SB_VERT, FALSE);
    s->RepositionBars();
    EXPECT_FALSE(IsWindowVisible(s->VertBar->Window())) << "the bar went: so does its overlay";
}

TEST_F(SkinnedScrollBars, TheArrowsHandTheClickToTheRealBarAndShowHotAndPressed) {
    MakeForm({.Scroll = true});
    auto* memo = Memo<TMemo>(ssVertical, 60);
    Skin();
    TSkinScrollbar* s = Skinner(memo);
    ASSERT_NE(s, nullptr);
    TWScrollbar& bar = *s->VertBar;
    const RECT r = screenRect(bar.Window());
    const POINT down{r.left + 8, r.bottom - 5};
    watch = TrackingWatch{.Bar = &bar};
    UINT_PTR timer = SetTimer(nullptr, 0, 60, releaseTracked);
    MouseMoveTo(down.x, down.y);
    MouseButtonAt(down.x, down.y, true, true);
    EXPECT_TRUE(PumpUntil([&] { return SendMessageA(memo->Handle(), EM_GETFIRSTVISIBLELINE, 0, 0) > 0; }))
        << "the memo scrolled";
    MouseButton(true, false);
    PumpFor(30);
    KillTimer(nullptr, timer);

    const POINT up{r.left + 8, r.top + 5};
    MouseMoveTo(up.x, up.y);
    EXPECT_TRUE(PumpUntil([&] { return bar.HotPart == spFirstArrow; }));
    EXPECT_EQ(overlayPixel(bar, 8, 3), ScrollGlyph(12)) << "hot";

    // While the system tracks the press (its own loop), a timer reads the overlay, then lets go.
    watch = TrackingWatch{.Bar = &bar};
    timer = SetTimer(nullptr, 0, 40, readPressedArrow);
    MouseButtonAt(up.x, up.y, true, true);
    PumpUntil([] { return watch.Pixels.size() >= 3; }, 3000);
    MouseButton(true, false);
    PumpFor(60);
    KillTimer(nullptr, timer);
    const std::vector<uint32_t> seen = watch.Pixels;
    watch = TrackingWatch{};
    ASSERT_FALSE(seen.empty()) << "the system's tracking ran";
    for (uint32_t p : seen)
        EXPECT_EQ(p, ScrollGlyph(10)) << "pressed while tracking";
    EXPECT_FALSE(bar.Tracking);
    EXPECT_NE(overlayPixel(bar, 8, 3), ScrollGlyph(10)) << "tracking over";
}

TEST_F(SkinnedScrollBars, ADraggedThumbStopsBeforeTheLastArrow) {
    MakeForm({.Scroll = true});
    auto* memo = Memo<TMemo>(ssHorizontal, 5);
    SetWindowTextA(memo->Handle(), std::string(400, 'w').c_str());
    Skin();
    TSkinScrollbar* s = Skinner(memo);
    ASSERT_NE(s, nullptr);
    TWScrollbar& bar = *s->HorzBar;
    ASSERT_TRUE(bar.Shown);
    SCROLLBARINFO info{};
    info.cbSize = sizeof(info);
    GetScrollBarInfo(memo->Handle(), OBJID_HSCROLL, &info);
    const int length = info.xyThumbBottom - info.xyThumbTop;
    const RECT r = screenRect(bar.Window());
    const POINT thumb{r.left + (info.xyThumbTop + info.xyThumbBottom) / 2, r.top + 8};

    watch = TrackingWatch{.Bar = &bar, .Target = POINT{700, thumb.y}};
    const UINT_PTR timer = SetTimer(nullptr, 0, 40, dragThumb);
    MouseMoveTo(thumb.x, thumb.y);
    MouseButtonAt(thumb.x, thumb.y, true, true);
    PumpUntil([] { return watch.Start >= 0; }, 3000);
    MouseButton(true, false);
    PumpFor(40);
    KillTimer(nullptr, timer);
    const TrackingWatch seen = watch;
    watch = TrackingWatch{};
    EXPECT_EQ(seen.Hot, spThumb);
    EXPECT_EQ(seen.Start, bar.BarLength - bar.ArrowSize - length);
    EXPECT_EQ(seen.End - seen.Start, length);
}
TEST_F(SkinnedScrollBars, AMemoMadeAgainStaysSkinnedOverItsNewWindow) {
    MakeForm({.Scroll = true});
    auto* memo = Memo<TMemo>(ssVertical, 40);
    Skin();
    TSkinScrollbar* before = Skinner(memo);
    ASSERT_NE(before, nullptr);
    const HWND oldWindow = memo->Handle();
    memo->SetScrollBars(ssBoth);
    ASSERT_NE(memo->Handle(), oldWindow) << "the window was made again";
    PumpFor(50);
    TSkinScrollbar* after = Skinner(memo);
    ASSERT_NE(after, nullptr);
    EXPECT_EQ(after->Handle, memo->Handle());
    EXPECT_EQ(std::count(skinned->Skinner->ChildSkinners.begin(), skinned->Skinner->ChildSkinners.end(),
                         static_cast<TSkinControl*>(after)),
              1);
    ASSERT_TRUE(after->VertBar && after->HorzBar);
    EXPECT_TRUE(sameRect(screenRect(after->VertBar->Window()), systemBar(memo->Handle(), OBJID_VSCROLL)));
    EXPECT_TRUE(sameRect(screenRect(after->HorzBar->Window()), systemBar(memo->Handle(), OBJID_HSCROLL)));
    EXPECT_EQ(overlayCount(form->Handle()), 2) << "the old skinner's overlays went with it";
    EXPECT_EQ(overlayPixel(*after->VertBar, 8, 3), ScrollGlyph(9));
}

TEST_F(SkinnedScrollBars, UnskinningGivesFixedColorBackAndFreesTheOverlays) {
    MakeForm({.Scroll = true});
    auto* memo = Memo<TFixedMemo>(ssVertical, 40);
    Skin();
    TSkinScrollbar* s = Skinner(memo);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(memo->FixedColor(), int(skin->Colour(scButtonFace)));
    EXPECT_EQ(overlayCount(form->Handle()), 2);
    s->Unskin();
    EXPECT_EQ(memo->FixedColor(), 0x123456);
    EXPECT_EQ(s->VertBar, nullptr);
    EXPECT_EQ(overlayCount(form->Handle()), 0);
}

TEST_F(SkinnedScrollBars, ADestroyedControlLeavesNoOverlayBehind) {
    MakeForm({.Scroll = true});
    Memo<TMemo>(ssBoth, 40);
    auto* second = Memo<TMemo>(ssBoth, 40, 10, 170);
    Skin();
    EXPECT_EQ(overlayCount(form->Handle()), 4);
    const DWORD users = UserObjectCount();
    delete second;
    PumpFor(20);
    EXPECT_EQ(overlayCount(form->Handle()), 2);
    EXPECT_LE(UserObjectCount(), users - 3) << "the memo and both overlays";
}

TEST_F(SkinnedScrollBars, AScrollBarControlsOverlayCoversItAndFollowsItsPosition) {
    MakeForm({.Scroll = true});
    auto* sb = new TScrollBar(form.get());
    sb->SetParent(form.get());
    sb->SetKind(sbVertical);
    sb->SetBounds(300, 10, 16, 200);
    sb->SetPageSize(21);
    sb->SetPosition(50);
    auto* memo = Memo<TMemo>(ssVertical, 40);
    Skin();
    TSkinScrollbar* owner = Skinner(memo);
    ASSERT_NE(owner, nullptr);
    TWScrollbar overlay;
    overlay.AttachToControl(owner, sb, 2);
    EXPECT_TRUE(overlay.Vertical);
    EXPECT_TRUE(sameRect(screenRect(overlay.Window()), screenRect(sb->Handle())));
    TBarGeometry g;
    ASSERT_TRUE(overlay.Geometry(g));
    SCROLLINFO si{sizeof(si), SIF_ALL};
    GetScrollInfo(sb->Handle(), SB_CTL, &si);
    EXPECT_EQ(g.Thumb, ControlThumb(200, overlay.ArrowSize, si.nMin, si.nMax, int(si.nPage), si.nPos));
    auto bmp = Canvas24(16, 200);
    overlay.DrawSkin(bmp->Canvas().Handle(), RECT{0, 0, 16, 200});
    EXPECT_EQ(Pixel(*bmp, 8, 2), ScrollGlyph(9));
    EXPECT_EQ(Pixel(*bmp, 8, (g.Thumb.Start + g.Thumb.End) / 2), ScrollGlyph(20));
}

namespace {

std::vector<WPARAM> listScrolls;
WNDPROC listProc = nullptr;
POINT dragFrom{};
int dragSteps = 0;

// Moves the pressed pointer down in steps far past the list, then lets go.
void CALLBACK dragListThumb(HWND, UINT, UINT_PTR, DWORD) {
    if (dragSteps < 0) return;
    if (++dragSteps <= 12) {
        moveNow(dragFrom.x, dragFrom.y + 60 * dragSteps);
        return;
    }
    MouseButtonAt(dragFrom.x, dragFrom.y + 720, true, false);
    dragSteps = -1;
}

LRESULT CALLBACK recordScrolls(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_VSCROLL) listScrolls.push_back(wParam);
    return CallWindowProcA(listProc, h, msg, wParam, lParam);
}

} // namespace

TEST(ComboListScrollBar, DraggingTheThumbNeverScrollsPastTheLastPage) {
    auto skin = LoadControlSkin({.Scroll = true});
    HWND parent = PlainParent(320, 400);
    HWND combo = ChildWindow(parent, "ComboBox", CBS_DROPDOWNLIST | WS_VSCROLL, "", RECT{10, 10, 200, 400});
    for (int i = 0; i < 100; ++i)
        SendMessageA(combo, CB_ADDSTRING, 0, LPARAM(("item " + std::to_string(i)).c_str()));
    COMBOBOXINFO cbi{};
    cbi.cbSize = sizeof(cbi);
    ASSERT_TRUE(GetComboBoxInfo(combo, &cbi));
    HWND list = cbi.hwndList;
    listScrolls.clear();
    listProc = WNDPROC(SetWindowLongPtrA(list, GWLP_WNDPROC, LONG_PTR(recordScrolls)));
    auto* skinner = new TComboxScrollBar(nullptr);
    skinner->AttachToWindow(list, skin.get(), nullptr, nullptr);
    ASSERT_TRUE(skinner->Attached);
    SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0);
    PumpFor(50);

    SCROLLBARINFO info{};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(GetScrollBarInfo(list, OBJID_VSCROLL, &info));
    SCROLLINFO si{sizeof(si), SIF_ALL};
    GetScrollInfo(list, SB_VERT, &si);
    const RECT frame = screenRect(list);
    const int barX = info.rcScrollBar.left - frame.left + 8;
    EXPECT_EQ(CaptureWindowDC(list).at(barX, info.rcScrollBar.top - frame.top + 3) & 0xFFFFFF, ScrollGlyph(9))
        << "the list's bar is painted from the skin";

    const POINT thumb{info.rcScrollBar.left + 8,
                      info.rcScrollBar.top + (info.xyThumbTop + info.xyThumbBottom) / 2};
    MouseMoveTo(thumb.x, thumb.y);
    dragFrom = thumb;
    dragSteps = 0;
    const UINT_PTR timer = SetTimer(nullptr, 0, 40, dragListThumb);
    MouseButtonAt(thumb.x, thumb.y, true, true);
    PumpUntil([] { return dragSteps < 0; }, 4000);
    PumpFor(60);
    KillTimer(nullptr, timer);

    std::vector<int> tracked;
    for (WPARAM w : listScrolls)
        if (LOWORD(w) == SB_THUMBTRACK) tracked.push_back(HIWORD(w));
    ASSERT_FALSE(tracked.empty()) << "the skinner dragged the thumb itself";
    const int highest = si.nMax - int(si.nPage) + 1;
    for (int p : tracked)
        EXPECT_LE(p, highest);
    EXPECT_GE(tracked.back(), highest - 1) << "dragged to the end";

    SendMessageA(combo, CB_SHOWDROPDOWN, FALSE, 0);
    skinner->Release();
    SetWindowLongPtrA(list, GWLP_WNDPROC, LONG_PTR(listProc));
    DestroyWindow(parent);
    MouseMoveTo(2, 2);
}

// Track bars, up-down controls and progress bars: the frame and fill arithmetic, the painters on
// plain windows read back pixel by pixel, and toolkit controls on a skinned form.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>

#include "skin/controls/range_geometry.h"
#include "skin/controls/skin_ranges.h"
#include "skin/form/attach_rules.h"
#include "tests/skin/controls/control_fixture.h"
#include "tests/support/wintest.h"
#include "toolkit/controls/range_ctrls.h"
#include "toolkit/graphics/canvas.h"

using namespace qs::test;

TEST(RangeArithmetic, UpDownFramesByArrowAndState) {
    EXPECT_EQ(UpDownFrame(akUp, asNormal), 1);
    EXPECT_EQ(UpDownFrame(akUp, asHot), 4);
    EXPECT_EQ(UpDownFrame(akDown, asNormal), 5);
    EXPECT_EQ(UpDownFrame(akDown, asPressed), 6);
    EXPECT_EQ(UpDownFrame(akLeft, asDisabled), 3);
    EXPECT_EQ(UpDownFrame(akRight, asDisabled), 7);
    EXPECT_EQ(UpDownFrame(akRight, asHot), 8);
}

TEST(RangeArithmetic, OnlyTheButtonUnderTheCursorShowsTheMouse) {
    TUpDownFacts f;
    f.Width = 17;
    f.Height = 30;
    f.Pressed = true;
    f.CursorY = 20;
    auto b = UpDownButtons(f);
    EXPECT_EQ(b[0].Kind, akUp);
    EXPECT_EQ(b[0].Box, (TBox{0, 0, 17, 15}));
    EXPECT_EQ(b[0].Frame(), 1) << "the up button at rest";
    EXPECT_EQ(b[1].Box, (TBox{0, 15, 17, 30}));
    EXPECT_EQ(b[1].Frame(), 6) << "the down button pressed";
    f.CursorY = 14;
    b = UpDownButtons(f);
    EXPECT_EQ(b[0].Frame(), 2);
    EXPECT_EQ(b[1].Frame(), 5);
    f.Pressed = false;
    f.Hot = true;
    f.CursorY = 29;
    EXPECT_EQ(UpDownButtons(f)[1].Frame(), 8);

    f = TUpDownFacts{};
    f.Width = 30;
    f.Height = 17;
    f.Horizontal = true;
    f.Enabled = false;
    f.Pressed = true;
    b = UpDownButtons(f);
    EXPECT_EQ(b[0].Kind, akLeft);
    EXPECT_EQ(b[0].Box, (TBox{0, 0, 15, 17}));
    EXPECT_EQ(b[0].Frame(), 3);
    EXPECT_EQ(b[1].Kind, akRight);
    EXPECT_EQ(b[1].Frame(), 7) << "disabled wins over pressed";
}

TEST(RangeArithmetic, AnUpDownInAnEditKeepsThreePixelsClearOfItsFrame) {
    const TBox edit{100, 100, 200, 121};
    EXPECT_EQ(KeepInsideEditFrame(TBox{0, 0, 17, 19}, TBox{183, 101, 200, 120}, edit), (TBox{0, 2, 14, 17}));
    EXPECT_EQ(KeepInsideEditFrame(TBox{0, 0, 10, 10}, TBox{150, 105, 160, 115}, edit), (TBox{0, 0, 10, 10}))
        << "well inside: untouched";
}

TEST(RangeArithmetic, ChannelSlicesCentreTheImageAcrossTheChannel) {
    // A 4-pixel channel with a 3-pixel image: (4 - 3) div 2 = 0.
    EXPECT_EQ(ChannelOffset(4, 3), 0);
    EXPECT_EQ(ChannelOffset(10, 3), 3);
    EXPECT_EQ(ChannelOffset(3, 5), 0) << "an image wider than the channel starts at its edge";
    auto h = ChannelSlices(TBox{8, 10, 108, 14}, 12, 3, 2, 2, false);
    EXPECT_EQ(h[0].Dest, (TBox{8, 10, 10, 13}));
    EXPECT_EQ(h[0].Source, (TBox{0, 0, 2, 3}));
    EXPECT_EQ(h[1].Dest, (TBox{10, 10, 106, 13}));
    EXPECT_EQ(h[1].Source, (TBox{2, 0, 10, 3}));
    EXPECT_EQ(h[2].Dest, (TBox{106, 10, 108, 13}));
    EXPECT_EQ(h[2].Source, (TBox{10, 0, 12, 3}));

    const TBox vertical = SwapAxes(TBox{10, 20, 30, 24});
    EXPECT_EQ(vertical, (TBox{20, 10, 24, 30}));
    auto v = ChannelSlices(vertical, 3, 12, 2, 2, true);
    EXPECT_EQ(v[0].Dest, (TBox{20, 10, 23, 12}));
    EXPECT_EQ(v[1].Dest, (TBox{20, 12, 23, 28}));
    EXPECT_EQ(v[1].Source, (TBox{0, 2, 3, 10}));
    EXPECT_EQ(v[2].Dest, (TBox{20, 28, 23, 30}));
    EXPECT_EQ(v[2].Source, (TBox{0, 10, 3, 12}));
}

TEST(RangeArithmetic, ProgressFillsOfBothStyles) {
    EXPECT_EQ(StretchedFill(100, 60, 10, 110), 50) << "the stretched style measures from the low limit";
    EXPECT_EQ(ChunkFill(110, 60, 110), 60) << "the chunk style from zero";
    EXPECT_EQ(ChunkFill(100, 60, 110), 55) << "rounded as MulDiv does";
    EXPECT_EQ(StretchedFill(100, 5, 5, 5), 0) << "an empty range fills nothing";
    EXPECT_EQ(StretchedFill(100, 0, 10, 110), 0) << "below the range";
    EXPECT_EQ(StretchedFill(100, 500, 10, 110), 100) << "beyond it";
    EXPECT_EQ(StretchedFill(100, 0, -50, 50), 50) << "a range below zero";
    EXPECT_EQ(ChunkFill(100, 0, 100), 0);
    EXPECT_EQ(ChunkFill(100, 50, 0), 0);
    EXPECT_EQ(ChunkFill(100, 300, 100), 100);
    EXPECT_EQ(MulDivRound(5, 1, 2), 3);
    EXPECT_EQ(MulDivRound(-5, 1, 2), -3);
    EXPECT_EQ(MulDivRound(1, 1, 0), -1);
}

TEST(RangeArithmetic, PlainUpDownAndProgressWindowsAreDecidedByClass) {
    EXPECT_EQ(DecideWindow("msctls_progress32", 0, kDefaultSkinControls).SkinnerKind(),
              TSkinnerKind::Progress);
    EXPECT_EQ(DecideWindow("msctls_updown32", 0, kDefaultSkinControls).SkinnerKind(), TSkinnerKind::UpDown);
    EXPECT_EQ(DecideWindow("msctls_updown32", 0, kDefaultSkinControls & ~SetOf(xcSpin)).SkinnerKind(),
              TSkinnerKind::None);
}

namespace {

// Plain range windows on a plain parent, each painted by a skinner attached straight to it.
class PlainRanges : public ::testing::Test {
  protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_PROGRESS_CLASS | ICC_UPDOWN_CLASS | ICC_BAR_CLASSES};
        InitCommonControlsEx(&icc);
        parent = PlainParent();
    }
    void TearDown() override {
        skinner.reset();
        DestroyWindow(parent);
    }
    void Load(const ControlSkinOptions& o) { skin = LoadControlSkin(o); }
    HWND Progress(DWORD style, int w, int h, int lo, int hi, int pos) {
        HWND bar = ChildWindow(parent, PROGRESS_CLASSA, style, "", RECT{10, 10, 10 + w, 10 + h});
        SendMessageA(bar, PBM_SETRANGE32, WPARAM(lo), hi);
        SendMessageA(bar, PBM_SETPOS, WPARAM(pos), 0);
        return bar;
    }
    template <class S> S* Attach(HWND window) {
        auto* s = new S(nullptr);
        skinner.reset(s);
        s->AttachToWindow(window, skin.get(), nullptr, nullptr);
        return s;
    }
    std::unique_ptr<TBitmap> Drawn(int w, int h) {
        auto bmp = Canvas24(w, h);
        skinner->DrawSkin(bmp->Canvas().Handle(), RECT{0, 0, w, h});
        return bmp;
    }

    HWND parent = nullptr;
    std::unique_ptr<TSkinData> skin;
    std::unique_ptr<TSkinControl> skinner;
};

} // namespace

TEST_F(PlainRanges, TheStretchedStyleFillsFromTheLowLimit) {
    Load(ControlSkinOptions{.Ranges = true});
    Attach<TSkinProgress>(Progress(0, 100, 20, 10, 110, 60));
    auto bmp = Drawn(100, 20);
    EXPECT_EQ(Pixel(*bmp, 0, 10), kBarFull);
    EXPECT_EQ(Pixel(*bmp, 49, 10), kBarFull);
    EXPECT_EQ(Pixel(*bmp, 50, 10), kBarEmpty) << "half of 10..110 at 60";
    EXPECT_EQ(Pixel(*bmp, 99, 19), kBarEmpty);
}

TEST_F(PlainRanges, TheChunkStyleFillsFromZeroInsideATwoPixelMargin) {
    Load(ControlSkinOptions{.Ranges = true, .ProgressStyle = 1});
    Attach<TSkinProgress>(Progress(0, 110, 20, 10, 110, 60));
    auto bmp = Drawn(110, 20);
    EXPECT_EQ(Pixel(*bmp, 2, 2), kChunk);
    EXPECT_EQ(Pixel(*bmp, 61, 17), kChunk) << "60 of 110 pixels, from x 2";
    EXPECT_EQ(Pixel(*bmp, 62, 10), kBarEmpty);
    EXPECT_EQ(Pixel(*bmp, 1, 10), kBarEmpty);
    EXPECT_EQ(Pixel(*bmp, 30, 1), kBarEmpty);
    EXPECT_EQ(Pixel(*bmp, 30, 18), kBarEmpty);
}

TEST_F(PlainRanges, TiledChunksSitCentredAtTheirOwnHeight) {
    Load(ControlSkinOptions{.Ranges = true, .ProgressStyle = 1, .ChunkTile = 1});
    Attach<TSkinProgress>(Progress(0, 110, 20, 0, 110, 60));
    auto bmp = Drawn(110, 20);
    const int top = (20 - kChunkHeight) / 2;
    EXPECT_EQ(Pixel(*bmp, 2, top), kChunk);
    EXPECT_EQ(Pixel(*bmp, 61, top + kChunkHeight - 1), kChunk);
    EXPECT_EQ(Pixel(*bmp, 62, top), kBarEmpty);
    EXPECT_EQ(Pixel(*bmp, 10, top - 1), kBarEmpty);
    EXPECT_EQ(Pixel(*bmp, 10, top + kChunkHeight), kBarEmpty);
}

TEST_F(PlainRanges, AVerticalBarFillsUpwardFromTheBottom) {
    Load(ControlSkinOptions{.Ranges = true});
    Attach<TSkinProgress>(Progress(PBS_VERTICAL, 20, 100, 0, 100, 25));
    auto bmp = Drawn(20, 100);
    EXPECT_EQ(Pixel(*bmp, 10, 99), kBarFull);
    EXPECT_EQ(Pixel(*bmp, 10, 75), kBarFull);
    EXPECT_EQ(Pixel(*bmp, 10, 74), kBarEmpty);
    EXPECT_EQ(Pixel(*bmp, 0, 0), kBarEmpty);
}

TEST_F(PlainRanges, ADisabledHorizontalUpDownShowsBothDisabledFrames) {
    Load(ControlSkinOptions{.Ranges = true});
    HWND spin = ChildWindow(parent, UPDOWN_CLASSA, UDS_HORZ | WS_DISABLED, "", RECT{10, 10, 50, 30});
    Attach<TSkinUpDown>(spin)->SetPressed(true);
    auto bmp = Drawn(40, 20);
    EXPECT_EQ(Pixel(*bmp, 5, 10), kArrowHorz[2]);
    EXPECT_EQ(Pixel(*bmp, 35, 10), kArrowHorz[6]);
}

TEST_F(PlainRanges, APressInTheLowerHalfShowsTheDownButtonPressed) {
    Load(ControlSkinOptions{.Ranges = true});
    HWND spin = ChildWindow(parent, UPDOWN_CLASSA, 0, "", RECT{10, 10, 30, 50});
    auto* s = Attach<TSkinUpDown>(spin);
    POINT lower{10, 35};
    ClientToScreen(spin, &lower);
    MouseMoveTo(lower.x, lower.y);
    PumpFor(20);
    s->SetPressed(true);
    auto bmp = Drawn(20, 40);
    EXPECT_EQ(Pixel(*bmp, 10, 5), kArrowVert[0]);
    EXPECT_EQ(Pixel(*bmp, 10, 35), kArrowVert[5]);
    s->SetPressed(false);
    bmp = Drawn(20, 40);
    EXPECT_EQ(Pixel(*bmp, 10, 35), kArrowVert[4]);
    MouseMoveTo(5, 5);
}

namespace {

class SkinnedRanges : public SkinnedFormTest {
  protected:
    template <class C> C* Add(int left, int top, int w, int h) {
        auto* c = new C(form.get());
        c->SetParent(form.get());
        c->SetBounds(left, top, w, h);
        return c;
    }
    static uint32_t At(HWND window, int x, int y) {
        InvalidateRect(window, nullptr, TRUE);
        UpdateWindow(window);
        return CaptureClient(window).at(x, y) & 0xFFFFFF;
    }
};

} // namespace

TEST_F(SkinnedRanges, ToolkitRangeControlsShowTheSkinAndTheirOwnLookWhenUnskinned) {
    MakeForm(ControlSkinOptions{.Ranges = true});
    auto* track = Add<TTrackBar>(10, 10, 200, 40);
    track->SetTickStyle(tsNone);
    track->SetParams(0, 0, 10);
    auto* spin = Add<TUpDown>(230, 10, 20, 40);
    auto* bar = Add<TProgressBar>(10, 70, 200, 16);
    bar->SetPosition(50);
    Skin();
    EXPECT_NE(dynamic_cast<TSkinTrackBar*>(ChildSkinner(track)), nullptr);
    EXPECT_NE(dynamic_cast<TSkinUpDown*>(ChildSkinner(spin)), nullptr);
    EXPECT_NE(dynamic_cast<TSkinProgress*>(ChildSkinner(bar)), nullptr);

    RECT thumb{}, channel{};
    SendMessageA(track->Handle(), TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    SendMessageA(track->Handle(), TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
    const POINT thumbMid{(thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2};
    const int channelY = channel.top + ChannelOffset(channel.bottom - channel.top, 3) + 1;
    EXPECT_EQ(At(track->Handle(), thumbMid.x, thumbMid.y), kThumb[1]);
    EXPECT_EQ(At(track->Handle(), channel.right - 10, channelY), kTrack);
    EXPECT_EQ(At(spin->Handle(), 10, 5), kArrowVert[0]);
    EXPECT_EQ(At(spin->Handle(), 10, 35), kArrowVert[4]);
    EXPECT_EQ(At(bar->Handle(), 20, 8), kBarFull);
    EXPECT_EQ(At(bar->Handle(), 180, 8), kBarEmpty);

    skinned->Skinner->Unskin();
    PumpFor(20);
    EXPECT_NE(At(track->Handle(), thumbMid.x, thumbMid.y), kThumb[1]);
    EXPECT_NE(At(track->Handle(), channel.right - 10, channelY), kTrack);
    EXPECT_NE(At(spin->Handle(), 10, 5), kArrowVert[0]);
    EXPECT_NE(At(bar->Handle(), 20, 8), kBarFull);
    EXPECT_NE(At(bar->Handle(), 180, 8), kBarEmpty);
}

TEST(PlainRangeWindows, APlainProgressBarIsSkinnedByItsClass) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&icc);
    auto skin = LoadControlSkin(ControlSkinOptions{.Ranges = true});
    HWND parent = PlainParent();
    HWND bar = ChildWindow(parent, PROGRESS_CLASSA, 0, "", RECT{10, 10, 210, 30});
    SendMessageA(bar, PBM_SETPOS, 50, 0);
    {
        SkinnedWindow s(*skin, parent);
        EXPECT_NE(dynamic_cast<TSkinProgress*>(s.Skinner->ChildSkinnerOf(bar)), nullptr);
        InvalidateRect(bar, nullptr, TRUE);
        UpdateWindow(bar);
        EXPECT_EQ(CaptureClient(bar).at(20, 10) & 0xFFFFFF, kBarFull);
        EXPECT_EQ(CaptureClient(bar).at(180, 10) & 0xFFFFFF, kBarEmpty);
        SendMessageA(bar, PBM_SETPOS, 100, 0);
        PumpFor(20);
        EXPECT_EQ(CaptureClient(bar).at(180, 10) & 0xFFFFFF, kBarFull) << "a new position shows at once";
    }
    DestroyWindow(parent);
}

TEST_F(SkinnedRanges, AClickedArrowShowsPressedWhileHeldAndStillSteps) {
    MakeForm(ControlSkinOptions{.Ranges = true});
    auto* spin = Add<TUpDown>(230, 10, 20, 40);
    spin->SetPosition(50);
    Skin();
    POINT lower{10, 35};
    ClientToScreen(spin->Handle(), &lower);
    MouseButtonAt(lower.x, lower.y, true, true);
    PumpFor(30);
    EXPECT_EQ(CaptureClient(spin->Handle()).at(10, 35) & 0xFFFFFF, kArrowVert[5]);
    EXPECT_EQ(CaptureClient(spin->Handle()).at(10, 5) & 0xFFFFFF, kArrowVert[0]);
    MouseButton(true, false);
    PumpFor(30);
    EXPECT_EQ(CaptureClient(spin->Handle()).at(10, 35) & 0xFFFFFF, kArrowVert[4]);
    EXPECT_EQ(spin->Position(), 49);
    MouseMoveTo(5, 5);
}

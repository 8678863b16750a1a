// What a parent shows behind a child control, painted into a memory DC the size of a button face
// and larger: the parent's erase and paint land shifted by the child's position and clipped to it.
#include <gtest/gtest.h>

#include <memory>

#include "skin/paint/control_background.h"
#include "tests/skin/paint/pixel_helpers.h"
#include "toolkit/handles.h"

using qs::test::MakeImage;
using qs::test::PixelAt;
using qs::test::PositionColour;

namespace {

constexpr uint32_t kErased = 0x0A141E;   // the parent's background, everywhere
constexpr uint32_t kSentinel = 0x5A5A5A; // the target before painting
constexpr int kPatternWidth = 100;       // the parent paints a position-coded picture this wide

TBitmap* pattern = nullptr;

// A parent that erases its whole client area and then paints the position-coded picture over the
// left part, into whatever DC the message carries.
LRESULT CALLBACK ParentProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    const auto dc = reinterpret_cast<HDC>(wp);
    if (msg == WM_ERASEBKGND) {
        RECT all{};
        GetClientRect(hwnd, &all);
        win::BrushHandle erase(CreateSolidBrush(RGB(0x0A, 0x14, 0x1E)));
        FillRect(dc, &all, erase.Get());
        return 1;
    }
    if (msg == WM_PAINT && dc) {
        BitBlt(dc, 0, 0, pattern->Width(), pattern->Height(), pattern->Canvas().Handle(), 0, 0, SRCCOPY);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

class ControlBackground : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        static const std::unique_ptr<TBitmap> picture = MakeImage(kPatternWidth, 200, PositionColour);
        pattern = picture.get();
    }
    void SetUp() override {
        WNDCLASSA wc{};
        wc.lpfnWndProc = ParentProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "QsBackgroundParent";
        RegisterClassA(&wc);
        wc.lpfnWndProc = DefWindowProcA;
        wc.lpszClassName = "QsBackgroundChild";
        RegisterClassA(&wc);
        parent = CreateWindowExA(0, "QsBackgroundParent", "", WS_POPUP, 0, 0, 200, 150, nullptr, nullptr,
                                 wc.hInstance, nullptr);
        // Straddles the pattern's right edge: columns 80..99 show the picture, 100..119 the erase.
        child = CreateWindowExA(0, "QsBackgroundChild", "", WS_CHILD | WS_VISIBLE, 80, 60, 40, 30, parent,
                                nullptr, wc.hInstance, nullptr);
        target.Canvas().Brush().SetColor(TColor(0x5A5A5A));
        target.Canvas().FillRect(RECT{0, 0, target.Width(), target.Height()});
    }
    void TearDown() override { DestroyWindow(parent); }

    HWND parent = nullptr, child = nullptr;
    TBitmap target{100, 80, pf24bit}; // larger than the child: what lies beyond it must stay
};

} // namespace

TEST_F(ControlBackground, TheParentsPaintingLandsAtTheChildsOffsetAndNowhereElse) {
    PaintControlBackground(child, target.Canvas().Handle());
    int outside = 0;
    for (int y = 0; y < target.Height(); ++y)
        for (int x = 0; x < target.Width(); ++x) {
            const uint32_t got = PixelAt(target, x, y);
            if (x >= 40 || y >= 30) {
                outside += got != kSentinel;
                continue;
            }
            const int px = 80 + x, py = 60 + y;
            const uint32_t want = px < kPatternWidth ? PositionColour(px, py) : kErased;
            EXPECT_EQ(got, want) << "at " << x << "," << y;
        }
    EXPECT_EQ(outside, 0) << "clipped to the child's rectangle";
}

TEST_F(ControlBackground, TheTargetDCIsLeftAsItWas) {
    const HDC dc = target.Canvas().Handle();
    PaintControlBackground(child, dc);
    POINT origin{-1, -1};
    GetViewportOrgEx(dc, &origin);
    EXPECT_EQ(origin.x, 0);
    EXPECT_EQ(origin.y, 0);
    win::RegionHandle clip(CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(GetClipRgn(dc, clip.Get()), 0) << "no clipping region left behind";
}

TEST_F(ControlBackground, AWindowWithoutParentPaintsNothing) {
    PaintControlBackground(parent, target.Canvas().Handle());
    PaintControlBackground(nullptr, target.Canvas().Handle());
    EXPECT_EQ(PixelAt(target, 0, 0), kSentinel);
    EXPECT_EQ(PixelAt(target, 99, 79), kSentinel);
}

// Pixel-exact checks of the painting primitives on memory bitmaps.
#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <vector>

#include "skin/paint/skin_paint.h"
#include "tests/skin/paint/pixel_helpers.h"
#include "tests/support/wintest.h"
#include "toolkit/handles.h"

using qs::test::MakeImage;
using qs::test::PixelAt;
using qs::test::PositionColour;

namespace {
constexpr uint32_t kMagenta = 0xFF00FF;
RECT rect(int l, int t, int r, int b) {
    return RECT{l, t, r, b};
}
} // namespace

TEST(BuildSkinBitmap, CornersAreCopiedOneToOneAndEdgesStretchAlongTheirLength) {
    auto img = MakeImage(30, 20, PositionColour);
    auto out = BuildSkinBitmap(rect(10, 10, 110, 60), *img, rect(4, 3, 5, 6), false, false, 1, 1);
    ASSERT_TRUE(out);
    ASSERT_EQ(out->Width(), 100);
    ASSERT_EQ(out->Height(), 50);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(PixelAt(*out, x, y), PositionColour(x, y)) << "top-left";
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(PixelAt(*out, 95 + x, 44 + y), PositionColour(25 + x, 14 + y)) << "bottom-right";
    EXPECT_EQ(PixelAt(*out, 0, 49), PositionColour(0, 19)) << "bottom-left";
    EXPECT_EQ(PixelAt(*out, 99, 0), PositionColour(29, 0)) << "top-right";
    // The left edge keeps its columns and stretches its rows.
    EXPECT_EQ(PixelAt(*out, 2, 3) >> 16, 2u);
    EXPECT_EQ(PixelAt(*out, 2, 43) & 0xFF00, uint32_t(13) << 8);
}

TEST(BuildSkinBitmap, MarginsCollapseInPairsWhenTheTargetIsTooSmall) {
    auto img = MakeImage(30, 20, PositionColour);
    // 8 wide < 4 + 5: the whole frame width is scaled into it; heights keep their margins.
    auto out = BuildSkinBitmap(rect(0, 0, 8, 40), *img, rect(4, 3, 5, 6), false, false, 1, 1);
    ASSERT_TRUE(out);
    // Columns sample the whole frame: the first from the left cap, the last from the right cap.
    EXPECT_LT(PixelAt(*out, 0, 0) >> 16, 4u);
    EXPECT_GE(PixelAt(*out, 7, 0) >> 16, 25u);
    EXPECT_EQ(PixelAt(*out, 7, 0) & 0xFFFF, PositionColour(0, 0) & 0xFFFF) << "rows keep their margins";
    EXPECT_EQ(PixelAt(*out, 7, 39) & 0xFFFF, PositionColour(0, 19) & 0xFFFF);
    auto flat = BuildSkinBitmap(rect(0, 0, 60, 8), *img, rect(4, 3, 5, 6), false, false, 1, 1);
    EXPECT_EQ(PixelAt(*flat, 0, 0), PositionColour(0, 0)) << "columns keep their margins";
    EXPECT_EQ(PixelAt(*flat, 59, 0) >> 16, 29u);
    EXPECT_GE((PixelAt(*flat, 0, 7) >> 8) & 0xFF, 14u) << "rows sample the whole frame height";
}

TEST(BuildSkinBitmap, TiledCentreRepeatsFromTheCentresTopLeft) {
    auto img = MakeImage(12, 12, PositionColour);
    // Centre of the frame: x 2..9, y 2..9 (8 x 8), repeated over a 40 x 30 centre.
    auto out = BuildSkinBitmap(rect(0, 0, 44, 34), *img, rect(2, 2, 2, 2), false, true, 1, 1);
    ASSERT_TRUE(out);
    for (int y = 2; y < 32; y += 5)
        for (int x = 2; x < 42; x += 3)
            EXPECT_EQ(PixelAt(*out, x, y), PositionColour(2 + (x - 2) % 8, 2 + (y - 2) % 8)) << x << "," << y;
    EXPECT_EQ(PixelAt(*out, 43, 33), PositionColour(11, 11)) << "the corner is not overwritten by tiles";
    EXPECT_EQ(PixelAt(*out, 42, 20) >> 16, 10u) << "the right edge survives the tiles' overrun";
}

TEST(BuildSkinBitmap, FramesVerticalAndHorizontalStartWhereTheyShould) {
    auto img = MakeImage(10, 40, PositionColour);
    auto second = BuildSkinBitmap(rect(0, 0, 10, 20), *img, rect(0, 0, 0, 0), true, false, 2, 2);
    EXPECT_EQ(PixelAt(*second, 0, 0), PositionColour(0, 20));
    EXPECT_EQ(PixelAt(*second, 9, 19), PositionColour(9, 39));
    auto wide = MakeImage(40, 10, PositionColour);
    auto third = BuildSkinBitmap(rect(0, 0, 10, 10), *wide, rect(0, 0, 0, 0), false, false, 4, 3);
    EXPECT_EQ(PixelAt(*third, 0, 0), PositionColour(20, 0));
    auto beyond = BuildSkinBitmap(rect(0, 0, 10, 10), *wide, rect(0, 0, 0, 0), false, false, 4, 9);
    EXPECT_EQ(PixelAt(*beyond, 0, 0), PositionColour(30, 0)) << "a frame number past the end takes the last";
}

TEST(BuildSkinBitmap, DegenerateTargetsAndImagesGiveNothing) {
    auto img = MakeImage(10, 10, PositionColour);
    EXPECT_FALSE(BuildSkinBitmap(rect(5, 5, 4, 9), *img, rect(0, 0, 0, 0), false, false, 1, 1));
    EXPECT_FALSE(BuildSkinBitmap(rect(5, 5, 9, 5), *img, rect(0, 0, 0, 0), false, false, 1, 1));
    TBitmap empty;
    EXPECT_FALSE(BuildSkinBitmap(rect(0, 0, 9, 9), empty, rect(0, 0, 0, 0), false, false, 1, 1));
    EXPECT_FALSE(BuildSkinBitmap(rect(0, 0, 9, 9), *img, rect(0, 0, 0, 0), false, false, 20, 1))
        << "frames narrower than a pixel";
}

namespace {

constexpr TKeyCopy kWays[] = {TKeyCopy::Pixels, TKeyCopy::MaskBlt, TKeyCopy::ThreeBlts};
const char* wayName(TKeyCopy how) {
    return how == TKeyCopy::Pixels ? "pixels" : how == TKeyCopy::MaskBlt ? "MaskBlt" : "three BitBlts";
}

void fill(HDC dc, const RECT& r, COLORREF colour) {
    win::BrushHandle brush(CreateSolidBrush(colour));
    FillRect(dc, &r, brush.Get());
}

// Key pixels scattered over rows that are no multiple of 4 or 16 pixels wide, with colours one
// step from the key beside them.
std::unique_ptr<TBitmap> speckled(int w, int h) {
    return MakeImage(w, h, [](int x, int y) -> uint32_t {
        switch ((x * 7 + y * 3) % 11) {
        case 0:
        case 4: return kMagenta;
        case 5: return 0xFF01FF;
        case 6: return 0xFE00FF;
        default: return PositionColour(x, y);
        }
    });
}

// A target DC over a fresh bitmap with a pattern in it, read back as COLORREFs.
struct Target {
    win::MemoryDC dc{nullptr};
    win::BitmapHandle bitmap;
    std::unique_ptr<win::SelectGuard> select;
    int w, h;

    Target(int width, int height, int bits, bool topDown) : w(width), h(height) {
        BITMAPINFO bi{};
        bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, topDown ? -h : h, 1, WORD(bits), BI_RGB, 0, 0, 0, 0, 0};
        void* pixels = nullptr;
        bitmap.Reset(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &pixels, nullptr, 0));
        select = std::make_unique<win::SelectGuard>(dc.Get(), bitmap.Get());
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                SetPixelV(dc.Get(), x, y, RGB(x * 5, 200 - y * 3, 77));
    }
    // In bitmap pixels, whatever mapping and clipping a case gave the DC.
    std::vector<COLORREF> Read() {
        GdiFlush();
        win::SaveDCGuard keep(dc.Get());
        SetMapMode(dc.Get(), MM_TEXT);
        SetViewportOrgEx(dc.Get(), 0, 0, nullptr);
        SetWindowOrgEx(dc.Get(), 0, 0, nullptr);
        SelectClipRgn(dc.Get(), nullptr);
        std::vector<COLORREF> v;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                v.push_back(GetPixel(dc.Get(), x, y));
        return v;
    }
};

} // namespace

TEST(TransparentCopies, EveryWayLeavesMagentaAndCopiesAColourOneStepOff) {
    auto img = MakeImage(6, 1, [](int x, int) -> uint32_t {
        const uint32_t colours[] = {kMagenta, 0xFF01FF, 0xFE00FF, 0xFF00FE, 0x123456, kMagenta};
        return colours[x];
    });
    for (TKeyCopy how : kWays) {
        SCOPED_TRACE(wayName(how));
        TBitmap target(8, 3, pf24bit);
        HDC dc = target.Canvas().Handle();
        fill(dc, rect(0, 0, 8, 3), RGB(0, 200, 0));
        SetTextColor(dc, RGB(1, 2, 3));
        SetBkColor(dc, RGB(4, 5, 6));
        ASSERT_TRUE(DrawTransparentBitmapBy(how, dc, rect(1, 1, 7, 2), *img, SKIN_KEY_COLOUR));
        EXPECT_EQ(PixelAt(target, 1, 1), 0x00C800u);
        EXPECT_EQ(PixelAt(target, 2, 1), 0xFF01FFu);
        EXPECT_EQ(PixelAt(target, 3, 1), 0xFE00FFu);
        EXPECT_EQ(PixelAt(target, 4, 1), 0xFF00FEu);
        EXPECT_EQ(PixelAt(target, 5, 1), 0x123456u);
        EXPECT_EQ(PixelAt(target, 6, 1), 0x00C800u);
        EXPECT_EQ(PixelAt(target, 1, 0), 0x00C800u) << "nothing outside the rectangle";
        EXPECT_EQ(GetTextColor(dc), RGB(1, 2, 3)) << "the DC's colours are put back";
        EXPECT_EQ(GetBkColor(dc), RGB(4, 5, 6));
    }

    // The same through the nine-slice path, stretched: key pixels stay key pixels and stay unpainted.
    TBitmap wide(30, 3, pf24bit);
    HDC wdc = wide.Canvas().Handle();
    fill(wdc, rect(0, 0, 30, 3), RGB(0, 0, 200));
    DrawSkinObject(wdc, rect(0, 0, 30, 3), *img, false, false, true, 1, 1, rect(0, 0, 0, 0));
    EXPECT_EQ(PixelAt(wide, 0, 1), 0x0000C8u);
    EXPECT_EQ(PixelAt(wide, 29, 1), 0x0000C8u);
    EXPECT_EQ(PixelAt(wide, 22, 1), 0x123456u);
}

TEST(TransparentCopies, PixelWayMatchesMaskBltThroughOriginsClippingAndEdges) {
    auto img = speckled(53, 9);
    struct Case {
        const char* name;
        int bits;
        bool topDown;
        RECT dest;
        void (*prepare)(HDC);
    };
    const Case cases[] = {
        {"plain", 24, false, rect(3, 2, 56, 11), [](HDC) {}},
        {"32-bit top-down", 32, true, rect(3, 2, 56, 11), [](HDC) {}},
        {"viewport origin", 24, false, rect(-2, 1, 51, 10),
         [](HDC dc) { SetViewportOrgEx(dc, 5, 4, nullptr); }},
        {"window origin", 24, true, rect(6, 6, 59, 15), [](HDC dc) { SetWindowOrgEx(dc, 3, 2, nullptr); }},
        {"clip rectangle", 32, false, rect(0, 0, 53, 9), [](HDC dc) { IntersectClipRect(dc, 10, 3, 40, 7); }},
        {"past every edge", 24, false, rect(-7, -3, 70, 30), [](HDC) {}},
        {"bigger than the bitmap", 24, false, rect(1, 1, 200, 100), [](HDC) {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Target byPixels(50, 14, c.bits, c.topDown), byMask(50, 14, c.bits, c.topDown);
        c.prepare(byPixels.dc.Get());
        c.prepare(byMask.dc.Get());
        ASSERT_EQ(ChooseKeyCopy(byPixels.dc.Get(), *img, SKIN_KEY_COLOUR), TKeyCopy::Pixels);
        ASSERT_TRUE(
            DrawTransparentBitmapBy(TKeyCopy::Pixels, byPixels.dc.Get(), c.dest, *img, SKIN_KEY_COLOUR));
        ASSERT_TRUE(
            DrawTransparentBitmapBy(TKeyCopy::MaskBlt, byMask.dc.Get(), c.dest, *img, SKIN_KEY_COLOUR));
        EXPECT_EQ(byPixels.Read(), byMask.Read());
    }
}

TEST(TransparentCopies, PixelsAreTakenOnlyWhereTheTargetCanBeRead) {
    auto img = speckled(20, 10);
    const TKeyCopy gdi = (GetVersion() & 0x80000000u) == 0 ? TKeyCopy::MaskBlt : TKeyCopy::ThreeBlts;
    {
        Target t(30, 12, 16, false);
        EXPECT_EQ(ChooseKeyCopy(t.dc.Get(), *img, SKIN_KEY_COLOUR), gdi) << "16-bit target";
        EXPECT_FALSE(
            DrawTransparentBitmapBy(TKeyCopy::Pixels, t.dc.Get(), rect(0, 0, 20, 10), *img, SKIN_KEY_COLOUR));
    }
    {
        Target t(30, 12, 24, false);
        SetMapMode(t.dc.Get(), MM_TWIPS);
        EXPECT_EQ(ChooseKeyCopy(t.dc.Get(), *img, SKIN_KEY_COLOUR), gdi) << "scaled mapping";
    }
    {
        Target t(30, 12, 24, false);
        EXPECT_EQ(ChooseKeyCopy(t.dc.Get(), *img, PALETTEINDEX(3)), gdi) << "not an RGB key";
        TBitmap indexed;
        indexed.Assign(img.get());
        indexed.SetPixelFormat(pf8bit);
        EXPECT_EQ(ChooseKeyCopy(t.dc.Get(), indexed, SKIN_KEY_COLOUR), gdi) << "8-bit bitmap";
    }
    EXPECT_EQ(ChooseKeyCopy(img->Canvas().Handle(), *img, SKIN_KEY_COLOUR), gdi) << "a bitmap onto itself";
    {
        win::WindowDC screen = win::WindowDC::Screen();
        EXPECT_EQ(ChooseKeyCopy(screen.Get(), *img, SKIN_KEY_COLOUR), gdi) << "screen DC";
    }
    // A clipping region with a hole falls back to GDI, which honours it.
    Target holed(30, 12, 24, false), reference(30, 12, 24, false);
    for (Target* t : {&holed, &reference})
        ExcludeClipRect(t->dc.Get(), 5, 3, 9, 6);
    EXPECT_EQ(ChooseKeyCopy(holed.dc.Get(), *img, SKIN_KEY_COLOUR), gdi);
    DrawTransparentBitmap(holed.dc.Get(), rect(2, 1, 22, 11), *img, SKIN_KEY_COLOUR);
    DrawTransparentBitmapBy(gdi, reference.dc.Get(), rect(2, 1, 22, 11), *img, SKIN_KEY_COLOUR);
    EXPECT_EQ(holed.Read(), reference.Read());
    EXPECT_EQ(GetPixel(holed.dc.Get(), 6, 4), RGB(30, 188, 77)) << "the hole is left alone";
}

TEST(TransparentCopies, RectanglesFarOutsideOrTooLargeDrawNothing) {
    auto img = speckled(20, 10);
    Target t(30, 12, 24, false), untouched(30, 12, 24, false);
    const RECT outside[] = {rect(INT_MAX - 10, INT_MAX - 10, INT_MAX, INT_MAX),
                            rect(INT_MIN, INT_MIN, INT_MIN + 15, INT_MIN + 8), rect(-25, 0, -5, 10),
                            rect(30, 12, 50, 22)};
    for (const RECT& r : outside) {
        DrawTransparentBitmap(t.dc.Get(), r, *img, SKIN_KEY_COLOUR);
        DrawSkinObject(t.dc.Get(), r, *img, false, false, true, 1, 1, rect(2, 2, 2, 2));
    }
    DrawSkinObject(t.dc.Get(), rect(0, 0, 100000, 100000), *img, false, true, true, 1, 1, rect(2, 2, 2, 2));
    EXPECT_EQ(t.Read(), untouched.Read());
}

TEST(BuildSkinBitmap, HostileMarginsAreHeldToTheFrame) {
    auto img = MakeImage(30, 20, PositionColour);
    // A sum of such margins would overflow; each is held to the frame instead, which then takes
    // the whole target (the pairs collapse) exactly as a target too small for real margins does.
    auto huge = BuildSkinBitmap(rect(0, 0, 40, 25), *img, rect(INT_MAX, INT_MAX, INT_MAX, INT_MAX), false,
                                false, 1, 1);
    auto whole = BuildSkinBitmap(rect(0, 0, 40, 25), *img, rect(0, 0, 0, 0), false, false, 1, 1);
    ASSERT_TRUE(huge && whole);
    for (int y = 0; y < 25; y += 6)
        for (int x = 0; x < 40; x += 7)
            EXPECT_EQ(PixelAt(*huge, x, y), PixelAt(*whole, x, y)) << x << "," << y;
    // Negative margins count as none.
    auto negative = BuildSkinBitmap(rect(0, 0, 40, 25), *img, rect(-5, -5, -5, -5), false, false, 1, 1);
    EXPECT_EQ(PixelAt(*negative, 39, 24), PixelAt(*whole, 39, 24));
    TBitmap strip(50, 20, pf24bit);
    DrawSkinStrip(strip.Canvas().Handle(), rect(0, 0, 50, 20), *img, false, false, 1, 1,
                  rect(INT_MAX, 0, INT_MAX, 0));
    StretchSkinStrip(strip.Canvas().Handle(), rect(0, 0, 50, 20), *img, false, 1, 1,
                     rect(INT_MIN, 0, INT_MAX, 0));
}

TEST(Strips, CapsKeepTheirWidthAndTheMiddleRepeats) {
    // Frame: 2-pixel left cap, 3-pixel middle, 1-pixel right cap.
    auto img = MakeImage(6, 4, PositionColour);
    TBitmap target(20, 4, pf24bit);
    DrawSkinStrip(target.Canvas().Handle(), rect(0, 0, 20, 4), *img, false, false, 1, 1, rect(2, 0, 1, 0));
    EXPECT_EQ(PixelAt(target, 0, 0), PositionColour(0, 0));
    EXPECT_EQ(PixelAt(target, 2, 1), PositionColour(2, 1));
    EXPECT_EQ(PixelAt(target, 5, 1), PositionColour(2, 1)) << "middle repeats every 3 pixels";
    EXPECT_EQ(PixelAt(target, 19, 3), PositionColour(5, 3)) << "right cap covers the overrun";

    TBitmap stretched(20, 4, pf24bit);
    StretchSkinStrip(stretched.Canvas().Handle(), rect(0, 0, 20, 4), *img, false, 1, 1, rect(2, 0, 1, 0));
    EXPECT_EQ(PixelAt(stretched, 1, 0), PositionColour(1, 0));
    EXPECT_EQ(PixelAt(stretched, 19, 0), PositionColour(5, 0));
    EXPECT_EQ(PixelAt(stretched, 18, 0) >> 16, 4u) << "middle stretched to the right cap";
}

TEST(Frames, StretchedAndCentredFramesComeFromTheRightCell) {
    auto img = MakeImage(12, 4, PositionColour); // 3 frames of 4 x 4
    TBitmap target(10, 10, pf24bit);
    HDC dc = target.Canvas().Handle();
    DrawSkinFrame(dc, rect(0, 0, 8, 8), *img, false, 3, 2);
    EXPECT_EQ(PixelAt(target, 0, 0), PositionColour(4, 0));
    EXPECT_EQ(PixelAt(target, 7, 7), PositionColour(7, 3));
    DrawSkinFrameCentered(dc, rect(0, 0, 10, 10), *img, false, 3, 3);
    EXPECT_EQ(PixelAt(target, 3, 3), PositionColour(8, 0));
    EXPECT_EQ(PixelAt(target, 6, 6), PositionColour(11, 3));
}

TEST(Primitives, RepeatedPaintingLeaksNoGdiObjects) {
    auto img = MakeImage(30, 20, [](int x, int) { return x % 7 == 0 ? kMagenta : 0x336699u; });
    TBitmap target(200, 100, pf24bit);
    HDC dc = target.Canvas().Handle();
    auto cycle = [&] {
        DrawSkinObject(dc, rect(0, 0, 200, 100), *img, false, true, true, 2, 1, rect(3, 3, 3, 3));
        DrawSkinStrip(dc, rect(0, 0, 150, 20), *img, false, true, 1, 1, rect(4, 0, 4, 0));
        StretchSkinStrip(dc, rect(0, 0, 150, 20), *img, false, 1, 1, rect(4, 0, 4, 0));
        DrawSkinFrame(dc, rect(0, 0, 40, 40), *img, true, 2, 2);
        DrawSkinFrameCentered(dc, rect(0, 0, 40, 40), *img, true, 2, 1);
        for (TKeyCopy how : kWays)
            DrawTransparentBitmapBy(how, dc, rect(5, 5, 35, 25), *img, SKIN_KEY_COLOUR);
    };
    cycle();
    const DWORD before = qs::test::GdiObjectCount();
    for (int i = 0; i < 200; ++i)
        cycle();
    EXPECT_EQ(qs::test::GdiObjectCount(), before);
}

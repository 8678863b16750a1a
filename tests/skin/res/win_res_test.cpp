// The Win32 side of the image utilities: gradients painted through a clip box, system colours from
// GetSysColor, and the pixel operations on toolkit bitmaps.
#include "skin/res/colour.h"
#include "skin/res/gradient.h"
#include "skin/res/win/bitmap_ops.h"
#include "skin/res/win/gradient_fill.h"
#include "skin/res/win/system_colours.h"
#include "toolkit/handles.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace qs;

namespace {

// A 32-bit top-down DIB section selected into a memory DC, filled with a marker colour.
struct Surface {
    win::MemoryDC dc{nullptr};
    win::BitmapHandle bitmap;
    uint32_t* bits = nullptr;
    int width, height;
    HGDIOBJ old = nullptr;

    Surface(int w, int h) : width(w), height(h) {
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bi.bmiHeader.biWidth = w;
        bi.bmiHeader.biHeight = -h;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        void* p = nullptr;
        bitmap.Reset(CreateDIBSection(dc.Get(), &bi, DIB_RGB_COLORS, &p, nullptr, 0));
        bits = static_cast<uint32_t*>(p);
        old = SelectObject(dc.Get(), bitmap.Get());
        for (int i = 0; i < w * h; ++i)
            bits[i] = 0x123456;
    }
    ~Surface() { SelectObject(dc.Get(), old); }
    // As a colour value (red lowest).
    int32_t At(int x, int y) {
        GdiFlush();
        const uint32_t v = bits[y * width + x];
        return int32_t((v >> 16 & 0xFF) | (v & 0xFF00) | (v & 0xFF) << 16);
    }
};

constexpr int32_t kMarker = 0x563412;

} // namespace

TEST(WinGradientFill, VerticalPaintsOnlyTheVisibleRowsWithTheirColours) {
    Surface s(4, 40);
    IntersectClipRect(s.dc.Get(), 0, 0, 4, 20);
    const RECT r{0, 0, 4, 40};
    GradientFill(s.dc.Get(), r, 0x000000, true, 0xFF80C0);
    const std::vector<int32_t> g = GradientSlot(GradientColors(40, 0x000000, 0xFF80C0));
    for (int y = 0; y < 20; ++y)
        EXPECT_EQ(s.At(2, y), g[size_t(y)]) << y;
    for (int y = 20; y < 40; ++y)
        EXPECT_EQ(s.At(2, y), kMarker) << y;
}

TEST(WinGradientFill, HorizontalStartsAtTheClipBoxAndKeepsTheFullRange) {
    Surface s(30, 3);
    IntersectClipRect(s.dc.Get(), 10, 0, 30, 3);
    GradientFill(s.dc.Get(), RECT{5, 0, 25, 3}, 0x0000FF, false, 0xFF0000);
    const std::vector<int32_t> g = GradientSlot(GradientColors(20, 0x0000FF, 0xFF0000));
    EXPECT_EQ(s.At(9, 1), kMarker);
    for (int x = 10; x < 25; ++x)
        EXPECT_EQ(s.At(x, 1), g[size_t(x - 5)]) << x;
    EXPECT_EQ(s.At(25, 1), kMarker);
}

TEST(WinGradientFill, EmptyOrInvisibleRectanglesPaintNothing) {
    Surface s(8, 8);
    GradientFill(s.dc.Get(), RECT{2, 2, 6, 2}, 0, true, 0xFFFFFF);
    GradientFill(s.dc.Get(), RECT{20, 20, 30, 30}, 0, true, 0xFFFFFF);
    GradientFill(s.dc.Get(), RECT{6, 2, 2, 6}, 0, false, 0xFFFFFF);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(s.At(x, y), kMarker);
}

TEST(WinGradientFill, SystemColoursComeFromGetSysColor) {
    const int32_t face = int32_t(GetSysColor(COLOR_BTNFACE));
    Surface s(1, 1);
    GradientFill(s.dc.Get(), RECT{0, 0, 1, 1}, int32_t(0xFF000000 | COLOR_BTNFACE), true,
                 int32_t(0xFF000000 | COLOR_BTNFACE));
    EXPECT_EQ(s.At(0, 0), face);
    UseSystemColours();
    EXPECT_EQ(ResolveColour(int32_t(0xFF000000 | COLOR_WINDOWTEXT)), int32_t(GetSysColor(COLOR_WINDOWTEXT)));
    EXPECT_EQ(Blend(int32_t(0xFF000000 | COLOR_BTNFACE), int32_t(0xFF000000 | COLOR_BTNFACE), 30), face);
    SetSysColourResolver(nullptr);
}

TEST(WinBitmapOps, RotationsResizeAndReplaceMagentaConvertsTo24Bits) {
    TBitmap bmp(2, 1, pf24bit);
    uint8_t* row = bmp.ScanLine(0);
    const uint8_t pixels[6] = {0xFF, 0x00, 0xFF, 0x01, 0x02, 0x03}; // magenta, then (3, 2, 1)
    std::memcpy(row, pixels, 6);
    RotateLeft(bmp);
    ASSERT_EQ(bmp.Width(), 1);
    ASSERT_EQ(bmp.Height(), 2);
    EXPECT_EQ(bmp.ScanLine(0)[0], 0x01); // B above A
    EXPECT_EQ(bmp.ScanLine(1)[0], 0xFF);
    RotateRight(bmp);
    MirrorHorizontal(bmp);
    EXPECT_EQ(bmp.ScanLine(0)[0], 0x01);
    FlipVertical(bmp);
    EXPECT_EQ(bmp.ScanLine(0)[0], 0x01);

    bmp.SetPixelFormat(pf32bit);
    ReplaceMagenta(bmp, 0x00FF00);
    EXPECT_EQ(bmp.PixelFormat(), pf24bit);
    EXPECT_EQ(bmp.ScanLine(0)[4], 0x00FF00 >> 8 & 0xFF); // the magenta pixel is now green
    EXPECT_EQ(bmp.ScanLine(0)[3], 0x00);
}

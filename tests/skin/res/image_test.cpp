// Colour blending, saturation, cached gradients and the 24-bit pixel operations.
#include "skin/res/assertion.h"
#include "skin/res/colour.h"
#include "skin/res/gradient.h"
#include "skin/res/image24.h"

#include <gtest/gtest.h>

using namespace qs;

namespace {
constexpr int32_t Rgb(int r, int g, int b) {
    return r | g << 8 | b << 16;
}

struct ResolverScope {
    TSysColourResolver previous;
    explicit ResolverScope(TSysColourResolver r) : previous(SetSysColourResolver(r)) {}
    ~ResolverScope() { SetSysColourResolver(previous); }
};
} // namespace

TEST(ImageColour, BlendWeightsArePercentBelowAHundredAndPerMilleFromThere) {
    EXPECT_EQ(Blend(Rgb(0, 0, 0), Rgb(255, 101, 10), 50), Rgb(128, 51, 5)); // halves round up
    EXPECT_EQ(Blend(Rgb(200, 0, 0), Rgb(0, 0, 100), 150), Rgb(30, 0, 85));
    EXPECT_EQ(Blend(Rgb(200, 0, 0), Rgb(0, 0, 0), 100), Rgb(20, 0, 0)); // 10 percent, not all
    EXPECT_EQ(Blend(Rgb(1, 2, 3), Rgb(9, 9, 9), 0), Rgb(9, 9, 9));
    EXPECT_EQ(Blend(Rgb(1, 2, 3), Rgb(9, 9, 9), 1000), Rgb(1, 2, 3));
}

TEST(ImageColour, SystemColoursGoThroughTheResolver) {
    ResolverScope scope([](int index) { return index == 15 ? Rgb(100, 100, 100) : Rgb(0, 0, 0); });
    EXPECT_EQ(ResolveColour(int32_t(0xFF00000F)), Rgb(100, 100, 100));
    EXPECT_EQ(ResolveColour(Rgb(1, 2, 3)), Rgb(1, 2, 3));
    EXPECT_EQ(Blend(int32_t(0xFF00000F), Rgb(0, 0, 0), 50), Rgb(50, 50, 50));
}

TEST(ImageColour, SaturationOfBrightAndDarkColours) {
    EXPECT_EQ(ColorSaturation(Rgb(255, 255, 255)), 0);
    EXPECT_EQ(ColorSaturation(Rgb(159, 0, 20)), 200);
    EXPECT_EQ(ColorSaturation(Rgb(255, 0, 0)), 255);
    EXPECT_EQ(ColorSaturation(Rgb(200, 100, 150)), 128); // 127.5 rounds to even
    EXPECT_EQ(ColorSaturation(Rgb(170, 169, 170)), 2);   // 1.5 rounds to even
    EXPECT_EQ(ColorSaturation(Rgb(160, 150, 160)), 16);
}

TEST(ImageGradient, ColoursRunFromFirstToLastWithTruncatedSteps) {
    TGradientCache cache;
    const std::vector<int32_t>& up = cache.Slot(cache.GradientColors(3, Rgb(0, 0, 0), Rgb(10, 100, 255)));
    EXPECT_EQ(up, (std::vector<int32_t>{Rgb(0, 0, 0), Rgb(5, 50, 128), Rgb(10, 100, 255)}));
    const std::vector<int32_t>& down = cache.Slot(cache.GradientColors(3, Rgb(255, 0, 0), Rgb(0, 0, 0)));
    EXPECT_EQ(down, (std::vector<int32_t>{Rgb(255, 0, 0), Rgb(128, 0, 0), Rgb(1, 0, 0)}));
    EXPECT_EQ(cache.Slot(cache.GradientColors(1, Rgb(0, 10, 200), Rgb(100, 20, 0))),
              (std::vector<int32_t>{Rgb(50, 15, 100)}));
}

TEST(ImageGradient, SlotsAreFoundAgainAndReusedInRotation) {
    TGradientCache cache;
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(cache.GradientColors(10 + i, 0, Rgb(255, 255, 255)), i);
    EXPECT_EQ(cache.GradientColors(12, 0, Rgb(255, 255, 255)), 2);
    EXPECT_EQ(cache.GradientColors(99, 0, 0), 0); // the seventeenth distinct gradient
    EXPECT_EQ(cache.GradientColors(10, 0, Rgb(255, 255, 255)), 1);
    // A falling gradient ends short of c2, so it is never found and always takes a new slot.
    const int a = cache.GradientColors(3, Rgb(255, 0, 0), 0);
    EXPECT_NE(cache.GradientColors(3, Rgb(255, 0, 0), 0), a);
    try {
        cache.GradientColors(0, 0, 0);
        FAIL() << "no assertion";
    } catch (const EAssertionFailed& e) {
        EXPECT_STREQ(e.what(), "Assertion failure (imgutil, line 302)");
    }
    EXPECT_EQ(&GradientSlot(GradientColors(4, 1, 1)), &GradientCache().Slot(GradientColors(4, 1, 1)));
}

namespace {
// A 3 x 2 image of distinct pixels: A B C over D E F.
TImage24 Sample() {
    TImage24 img(3, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            img.SetPixel(x, y, Rgb(10 * (y * 3 + x + 1), y, x));
    return img;
}
std::vector<int32_t> Pixels(const TImage24& img) {
    std::vector<int32_t> out;
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x)
            out.push_back(img.Pixel(x, y));
    return out;
}
} // namespace

TEST(ImagePixels, LayoutIsPaddedBgrRows) {
    TImage24 img(3, 2);
    EXPECT_EQ(img.Stride(), 12u);
    img.SetPixel(1, 1, Rgb(1, 2, 3));
    EXPECT_EQ(img.bits[12 + 3], 3); // blue first
    EXPECT_EQ(img.bits[12 + 5], 1);
}

TEST(ImagePixels, MirrorFlipAndRotations) {
    const TImage24 src = Sample();
    const std::vector<int32_t> p = Pixels(src); // A B C D E F
    TImage24 img = src;
    MirrorHorizontal(img);
    EXPECT_EQ(Pixels(img), (std::vector<int32_t>{p[2], p[1], p[0], p[5], p[4], p[3]}));
    img = src;
    FlipVertical(img);
    EXPECT_EQ(Pixels(img), (std::vector<int32_t>{p[3], p[4], p[5], p[0], p[1], p[2]}));
    img = src;
    RotateLeft(img); // C F / B E / A D
    ASSERT_EQ(img.width, 2);
    ASSERT_EQ(img.height, 3);
    EXPECT_EQ(Pixels(img), (std::vector<int32_t>{p[2], p[5], p[1], p[4], p[0], p[3]}));
    img = src;
    RotateRight(img); // D A / E B / F C
    EXPECT_EQ(Pixels(img), (std::vector<int32_t>{p[3], p[0], p[4], p[1], p[5], p[2]}));
    RotateLeft(img);
    EXPECT_EQ(Pixels(img), p);

    TImage24 pair(2, 1); // [A B]: left gives B over A, right gives A over B
    pair.SetPixel(0, 0, 1);
    pair.SetPixel(1, 0, 2);
    TImage24 left = pair, right = pair;
    RotateLeft(left);
    RotateRight(right);
    EXPECT_EQ(Pixels(left), (std::vector<int32_t>{2, 1}));
    EXPECT_EQ(Pixels(right), (std::vector<int32_t>{1, 2}));
}

TEST(ImagePixels, ReplaceMagentaTouchesOnlyTheKeyColour) {
    TImage24 img(2, 2);
    img.SetPixel(0, 0, kColourMagenta);
    img.SetPixel(1, 0, Rgb(255, 1, 255));
    img.SetPixel(0, 1, Rgb(254, 0, 255));
    img.SetPixel(1, 1, kColourMagenta);
    ReplaceMagenta(img, int32_t(0xFF102030)); // only the three low bytes are used
    EXPECT_EQ(Pixels(img), (std::vector<int32_t>{0x102030, Rgb(255, 1, 255), Rgb(254, 0, 255), 0x102030}));
}

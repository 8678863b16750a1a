// Regions cut from bitmaps: runs per row, the key's tolerance above it only, batching.
#include <gtest/gtest.h>

#include <vector>

#include "skin/paint/skin_paint.h"
#include "skin/paint/skin_region.h"
#include "tests/skin/paint/pixel_helpers.h"

using qs::test::MakeImage;

namespace {

std::vector<RECT> rectsOf(HRGN rgn) {
    DWORD size = GetRegionData(rgn, 0, nullptr);
    std::vector<uint8_t> buf(size);
    auto* data = reinterpret_cast<RGNDATA*>(buf.data());
    if (!size || !GetRegionData(rgn, size, data)) return {};
    const RECT* r = reinterpret_cast<const RECT*>(data->Buffer);
    return std::vector<RECT>(r, r + data->rdh.nCount);
}

} // namespace

TEST(RegionFromBitmap, AOnePixelColumnGivesOneSquarePerRow) {
    auto img = MakeImage(5, 7, [](int x, int) { return x == 2 ? 0x000000u : 0xFF00FFu; });
    win::RegionHandle rgn = RegionFromBitmap(*img, 10, 20, 1, 1, 1, SKIN_KEY_COLOUR);
    ASSERT_TRUE(rgn);
    // Vertically adjacent equal runs may be merged by GDI; the region must still be the column.
    RECT box{};
    GetRgnBox(rgn.Get(), &box);
    EXPECT_EQ(box.left, 12);
    EXPECT_EQ(box.right, 13);
    EXPECT_EQ(box.top, 20);
    EXPECT_EQ(box.bottom, 27);
    for (int y = 20; y < 27; ++y) {
        EXPECT_TRUE(PtInRegion(rgn.Get(), 12, y));
        EXPECT_FALSE(PtInRegion(rgn.Get(), 11, y));
        EXPECT_FALSE(PtInRegion(rgn.Get(), 13, y));
    }
}

TEST(RegionFromBitmap, ToleranceReachesAboveTheKeyOnly) {
    const uint32_t colours[] = {0xFF00FF, 0xFF01FF, 0xFF02FF, 0xFE00FF, 0xFF00FE, 0x000000};
    auto img = MakeImage(6, 1, [&](int x, int) { return colours[x]; });
    win::RegionHandle rgn = RegionFromBitmap(*img, 0, 0, 1, 1, 1, SKIN_KEY_COLOUR);
    EXPECT_FALSE(PtInRegion(rgn.Get(), 0, 0)) << "the key";
    EXPECT_FALSE(PtInRegion(rgn.Get(), 1, 0)) << "one step above the key";
    EXPECT_TRUE(PtInRegion(rgn.Get(), 2, 0)) << "two steps above";
    EXPECT_TRUE(PtInRegion(rgn.Get(), 3, 0)) << "below the key";
    EXPECT_TRUE(PtInRegion(rgn.Get(), 4, 0));
    EXPECT_TRUE(PtInRegion(rgn.Get(), 5, 0));
}

TEST(RegionFromBitmap, ManyRunsAcrossBatchesFormTheirUnion) {
    // A checkerboard of 90 x 100: 4 500 single-pixel runs, more than two batches.
    auto img = MakeImage(90, 100, [](int x, int y) { return (x + y) % 2 ? 0x101010u : 0xFF00FFu; });
    win::RegionHandle rgn = RegionFromBitmap(*img, 0, 0, 1, 1, 1, SKIN_KEY_COLOUR);
    int inside = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 90; ++x) {
            const bool in = PtInRegion(rgn.Get(), x, y);
            inside += in;
            ASSERT_EQ(in, (x + y) % 2 == 1) << x << "," << y;
        }
    EXPECT_EQ(inside, 4500);
    EXPECT_EQ(rectsOf(rgn.Get()).size(), 4500u);
}

TEST(RegionFromBitmap, NoOpaquePixelGivesAnEmptyRegion) {
    auto img = MakeImage(4, 4, [](int, int) { return 0xFF00FFu; });
    win::RegionHandle rgn = RegionFromBitmap(*img, 0, 0, 1, 1, 1, SKIN_KEY_COLOUR);
    ASSERT_TRUE(rgn);
    RECT box{};
    EXPECT_EQ(GetRgnBox(rgn.Get(), &box), NULLREGION);
    TBitmap empty;
    EXPECT_TRUE(RegionFromBitmap(empty, 0, 0, 1, 1, 1, SKIN_KEY_COLOUR));
}

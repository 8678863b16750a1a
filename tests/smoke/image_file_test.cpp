// The image writer every screenshot goes through: BMP round trip and PNG structure.
#include "tests/support/image_file.h"

#include <gtest/gtest.h>

using qs::test::Pixels;

TEST(ImageFile, BmpRoundTripKeepsPixelsAndRowPadding) {
    Pixels px(5, 3); // 15-byte rows pad to 16
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            px.at(x, y) = uint32_t(x * 40) << 16 | uint32_t(y * 90) << 8 | 0x0F;
    auto bytes = qs::test::EncodeBmp24(px);
    ASSERT_EQ(bytes.size(), 54u + 16u * 3u);
    Pixels back = qs::test::DecodeBmp24(bytes);
    ASSERT_EQ(back.width, 5);
    ASSERT_EQ(back.height, 3);
    EXPECT_EQ(back.data, px.data);
}

TEST(ImageFile, BmpDecoderRejectsTruncatedAndForeignData) {
    Pixels px(4, 4, 0x123456);
    auto bytes = qs::test::EncodeBmp24(px);
    bytes.resize(bytes.size() - 1);
    EXPECT_TRUE(qs::test::DecodeBmp24(bytes).empty());
    EXPECT_TRUE(qs::test::DecodeBmp24({'B', 'M'}).empty());
}

TEST(ImageFile, PngHasSignatureAndStoredBlocksForLargeImages) {
    Pixels px(300, 100, 0xFF00FF); // 90 100 raw bytes: two stored blocks
    auto png = qs::test::EncodePng(px);
    const uint8_t sig[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    ASSERT_GT(png.size(), 90100u);
    EXPECT_TRUE(std::equal(sig, sig + 8, png.begin()));
    EXPECT_EQ(std::string(png.end() - 8, png.end() - 4), "IEND");
}

// BMP decoding: files of every layout written by ImageMagick, hand-built RLE streams, lying
// headers, and the encoder's output read back.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "toolkit/core/little_endian.h"
#include "toolkit/graphics/bmp_decode.h"
#include "toolkit/graphics/bmp_encode.h"

namespace {

std::vector<uint8_t> readFixture(const std::string& name) {
    std::ifstream f(std::string(QS_GRAPHICS_FIXTURES) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

BmpImage decodeFixture(const std::string& name) {
    std::vector<uint8_t> d = readFixture(name);
    EXPECT_FALSE(d.empty()) << name;
    return DecodeBmp(d.data(), d.size());
}

// src.ppm of the fixtures, 0x00RRGGBB, top row first.
const uint32_t kSource[3][5] = {
    {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x000000},
    {0xFF00FF, 0xFFFF00, 0x00FFFF, 0x808080, 0xFF0000},
    {0x000000, 0xFF0000, 0xFF0000, 0xFF0000, 0xFFFFFF},
};

int channelDiff(uint32_t a, uint32_t b) {
    int worst = 0;
    for (int s = 0; s < 24; s += 8)
        worst = std::max(worst, std::abs(int((a >> s) & 255) - int((b >> s) & 255)));
    return worst;
}

// A BITMAPFILEHEADER + BITMAPINFOHEADER file around the given colour table and bits.
std::vector<uint8_t> makeBmp(int32_t w, int32_t h, int bpp, uint32_t compression,
                             const std::vector<uint32_t>& colors, const std::vector<uint8_t>& bits,
                             uint32_t sizeImage = 0) {
    std::vector<uint8_t> o{'B', 'M'};
    uint32_t off = uint32_t(14 + 40 + 4 * colors.size());
    PutLE32(o, uint32_t(off + bits.size()));
    PutLE32(o, 0);
    PutLE32(o, off);
    PutLE32(o, 40);
    PutLE32(o, uint32_t(w));
    PutLE32(o, uint32_t(h));
    PutLE16(o, 1);
    PutLE16(o, uint16_t(bpp));
    PutLE32(o, compression);
    PutLE32(o, sizeImage);
    PutLE32(o, 0);
    PutLE32(o, 0);
    PutLE32(o, uint32_t(colors.size()));
    PutLE32(o, 0);
    for (uint32_t c : colors)
        PutLE32(o, c);
    o.insert(o.end(), bits.begin(), bits.end());
    return o;
}

BmpImage decode(const std::vector<uint8_t>& d) {
    return DecodeBmp(d.data(), d.size());
}

unsigned indexAt(const BmpImage& img, int x, int y) {
    const uint8_t* row = img.Row(y);
    if (img.bitsPerPixel == 8) return row[x];
    return (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 15;
}

const std::vector<uint32_t> kSixteenColors = {0x000000, 0x111111, 0x222222, 0x333333, 0x444444, 0x555555,
                                              0x666666, 0x777777, 0x888888, 0x999999, 0xAAAAAA, 0xBBBBBB,
                                              0xCCCCCC, 0xDDDDDD, 0xEEEEEE, 0xFFFFFF};

} // namespace

TEST(BmpDecode, EveryLayoutOfTheSourceImageGivesItsPixels) {
    struct Case {
        const char* file;
        int bits;
        int tolerance; // 5-bit channels lose the low bits of 128
    } cases[] = {{"rgb24.bmp", 24, 0}, {"os2_24.bmp", 24, 0}, {"pal4.bmp", 4, 0},   {"rle8.bmp", 8, 0},
                 {"bf555.bmp", 16, 8}, {"bf565.bmp", 16, 8},  {"argb32.bmp", 32, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        BmpImage img = decodeFixture(c.file);
        ASSERT_EQ(img.width, 5);
        ASSERT_EQ(img.height, 3);
        EXPECT_EQ(img.bitsPerPixel, c.bits);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x)
                EXPECT_LE(channelDiff(img.PixelRGB(x, y), kSource[y][x]), c.tolerance) << x << "," << y;
    }
    EXPECT_EQ(decodeFixture("bf565.bmp").greenMask, 0x07E0u);
    EXPECT_EQ(decodeFixture("bf555.bmp").greenMask, 0x03E0u);
    EXPECT_EQ(decodeFixture("pal4.bmp").palette.size(), 16u);
}

TEST(BmpDecode, OneAndEightBitPalettesKeepTheirIndices) {
    BmpImage bw = decodeFixture("pal1.bmp");
    ASSERT_EQ(bw.bitsPerPixel, 1);
    ASSERT_EQ(bw.width, 10);
    const char* rows[2] = {"BBBWWWBBBW", "WWWBBBWWWB"};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 10; ++x)
            EXPECT_EQ(bw.PixelRGB(x, y), rows[y][x] == 'B' ? 0u : 0xFFFFFFu) << x << "," << y;

    BmpImage ramp = decodeFixture("pal8.bmp");
    ASSERT_EQ(ramp.bitsPerPixel, 8);
    ASSERT_EQ(ramp.palette.size(), 256u);
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(ramp.PixelRGB(i, 0), uint32_t(12 * i) << 16 | uint32_t(255 - 12 * i) << 8 | uint32_t(5 * i))
            << i;
}

TEST(BmpDecode, TopDownRowsAreReadInOrder) {
    std::vector<uint8_t> d = readFixture("rgb24.bmp");
    ASSERT_EQ(d.size(), 102u);
    // Negate the height and reverse the three 16-byte rows: the same image stored top-down.
    int32_t h = -3;
    std::memcpy(&d[22], &h, 4);
    std::vector<uint8_t> rows(d.begin() + 54, d.end());
    for (int y = 0; y < 3; ++y)
        std::memcpy(&d[54 + 16 * y], &rows[16 * (2 - y)], 16);
    BmpImage img = decode(d);
    ASSERT_EQ(img.height, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(img.PixelRGB(x, y), kSource[y][x]);
}

TEST(BmpDecode, Rle8RunsAbsoluteRunsDeltasAndEndOfLine) {
    // 6 x 3, bottom row first: run 3 of 7, absolute 3 (5,6,8 + pad), EOL;
    // delta (2,0), run 2 of 9, EOL; run 6 of 4, EOB. Unreached pixels stay index 0.
    std::vector<uint8_t> rle = {3, 7, 0, 3, 5, 6, 8, 0, 0, 0, 0, 2, 2, 0, 2, 9, 0, 0, 6, 4, 0, 1};
    BmpImage img = decode(makeBmp(6, 3, 8, 1, kSixteenColors, rle));
    ASSERT_EQ(img.bitsPerPixel, 8);
    const unsigned want[3][6] = {{4, 4, 4, 4, 4, 4}, {0, 0, 9, 9, 0, 0}, {7, 7, 7, 5, 6, 8}};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(indexAt(img, x, y), want[y][x]) << x << "," << y;
}

TEST(BmpDecode, RleRunsPastTheRowEndAreClipped) {
    // 3 x 2: run 5 of 1 on the bottom row, absolute 4 (2,3,4,5) on the top one: x stops at 3.
    std::vector<uint8_t> rle = {5, 1, 0, 0, 0, 4, 2, 3, 4, 5, 0, 1};
    BmpImage img = decode(makeBmp(3, 2, 8, 1, kSixteenColors, rle));
    const unsigned want[2][3] = {{2, 3, 4}, {1, 1, 1}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(indexAt(img, x, y), want[y][x]) << x << "," << y;
}

TEST(BmpDecode, Rle4AlternatesNibblesAndPadsAbsoluteRuns) {
    // 5 x 2: run 5 of 0x12 -> 1,2,1,2,1; EOL; absolute 3 nibbles 0xAB,0xC0 (2 bytes, even) -> A,B,C; EOB.
    std::vector<uint8_t> rle = {5, 0x12, 0, 0, 0, 3, 0xAB, 0xC0, 0, 1};
    BmpImage img = decode(makeBmp(5, 2, 4, 2, kSixteenColors, rle));
    ASSERT_EQ(img.bitsPerPixel, 4);
    const unsigned want[2][5] = {{10, 11, 12, 0, 0}, {1, 2, 1, 2, 1}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(indexAt(img, x, y), want[y][x]) << x << "," << y;
}

TEST(BmpDecode, LyingOrDamagedDataRaises) {
    const std::vector<uint8_t> good24 = readFixture("rgb24.bmp");
    auto with = [&](size_t at, std::vector<uint8_t> bytes) {
        std::vector<uint8_t> d = good24;
        std::copy(bytes.begin(), bytes.end(), d.begin() + long(at));
        return d;
    };
    std::vector<uint32_t> two = {0, 0xFFFFFF};
    // clrUsed promises 2 colour table entries; the data stops inside them.
    std::vector<uint8_t> shortTable = makeBmp(4, 1, 8, 0, two, {});
    shortTable.resize(14 + 40 + 6);
    struct Case {
        const char* what;
        std::vector<uint8_t> data;
    } cases[] = {
        {"truncated pixel rows", std::vector<uint8_t>(good24.begin(), good24.end() - 1)},
        {"only a file header", std::vector<uint8_t>(good24.begin(), good24.begin() + 14)},
        {"not BM", with(0, {'X', 'Y'})},
        {"offset past the end", with(10, {0xFF, 0xFF, 0, 0})},
        {"offset inside the header", with(10, {20, 0, 0, 0})},
        {"absurd width", with(18, {0xA0, 0x86, 0x01, 0})},         // 100000
        {"absurd area", with(18, {0, 0x40, 0, 0, 0, 0x40, 0, 0})}, // 16384 x 16384
        {"zero width", with(18, {0, 0, 0, 0})},
        {"header size past the data", with(14, {0, 1, 0, 0})},
        {"unknown header size", with(14, {20, 0, 0, 0})},
        {"bit depth 7", with(28, {7, 0})},
        {"unknown compression", with(30, {9, 0, 0, 0})},
        {"RLE8 on 24 bits", with(30, {1, 0, 0, 0})},
        {"colour table past the data", shortTable},
        {"RLE absolute run past the data", makeBmp(8, 1, 8, 1, two, {0, 6, 1, 1})},
        {"RLE delta outside", makeBmp(4, 2, 8, 1, two, {0, 2, 1, 5})},
        {"RLE past the last row", makeBmp(2, 1, 8, 1, two, {0, 0, 2, 1})},
        {"RLE size past the data", makeBmp(2, 1, 8, 1, two, {2, 1, 0, 1}, 500)},
        {"top-down RLE", makeBmp(2, -1, 8, 1, two, {2, 1, 0, 1})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_THROW(decode(c.data), EInvalidGraphic);
    }
}

TEST(BmpDecode, BitFieldsThatDoNotFitRaise) {
    // A BITMAPINFOHEADER with BI_BITFIELDS: three masks follow the header.
    auto fields = [](uint32_t r, uint32_t g, uint32_t b) {
        std::vector<uint8_t> d = makeBmp(1, 1, 16, 3, {}, {});
        std::vector<uint8_t> masks;
        PutLE32(masks, r);
        PutLE32(masks, g);
        PutLE32(masks, b);
        masks.insert(masks.end(), {0, 0, 0, 0});
        d.insert(d.end(), masks.begin(), masks.end());
        uint32_t off = 14 + 40 + 12;
        std::memcpy(&d[10], &off, 4);
        return d;
    };
    EXPECT_NO_THROW(decode(fields(0xF800, 0x07E0, 0x001F)));
    EXPECT_THROW(decode(fields(0xF800, 0x0FE0, 0x001F)), EInvalidGraphic);   // overlap
    EXPECT_THROW(decode(fields(0xF000, 0x0A00, 0x001F)), EInvalidGraphic);   // gap in a mask
    EXPECT_THROW(decode(fields(0xF80000, 0x07E0, 0x001F)), EInvalidGraphic); // wider than 16 bits
    EXPECT_THROW(decode(fields(0, 0, 0)), EInvalidGraphic);

    // Odd but valid fields (4-4-4) become 24-bit.
    std::vector<uint8_t> d = fields(0x0F00, 0x00F0, 0x000F);
    d[d.size() - 4] = 0x0F; // pixel 0x0F0F: red 15, green 0, blue 15
    d[d.size() - 3] = 0x0F;
    BmpImage img = decode(d);
    EXPECT_EQ(img.bitsPerPixel, 24);
    EXPECT_EQ(img.PixelRGB(0, 0), 0xFF00FFu);
}

TEST(BmpDecode, PackedDibWithoutFileHeader) {
    std::vector<uint8_t> d = readFixture("pal4.bmp");
    BmpImage img = DecodeDib(d.data() + 14, d.size() - 14);
    for (int x = 0; x < 5; ++x)
        EXPECT_EQ(img.PixelRGB(x, 0), kSource[0][x]);
}

TEST(BmpEncode, EncodedImagesDecodeToTheSamePixels) {
    for (const char* f :
         {"rgb24.bmp", "pal1.bmp", "pal4.bmp", "pal8.bmp", "bf555.bmp", "bf565.bmp", "argb32.bmp"}) {
        SCOPED_TRACE(f);
        BmpImage a = decodeFixture(f);
        std::vector<uint8_t> bytes = EncodeBmp(a);
        BmpImage b = DecodeBmp(bytes.data(), bytes.size());
        EXPECT_EQ(b.bitsPerPixel, a.bitsPerPixel);
        EXPECT_EQ(b.palette, a.palette);
        EXPECT_EQ(b.pixels, a.pixels);
    }
}

TEST(BmpDecode, MutatedFilesRaiseOrDecodeButNeverCrash) {
    std::mt19937 rng(1234);
    for (const char* f : {"rgb24.bmp", "rle8.bmp", "bf565.bmp", "os2_24.bmp", "pal1.bmp"}) {
        const std::vector<uint8_t> good = readFixture(f);
        for (int i = 0; i < 3000; ++i) {
            std::vector<uint8_t> d = good;
            int edits = 1 + int(rng() % 4);
            for (int e = 0; e < edits; ++e)
                d[rng() % std::min<size_t>(d.size(), 80)] = uint8_t(rng());
            if (rng() % 4 == 0) d.resize(rng() % d.size());
            try {
                BmpImage img = decode(d);
                ASSERT_GE(img.pixels.size(), img.Stride() * size_t(img.height));
            } catch (const EInvalidGraphic&) {
            }
        }
    }
}

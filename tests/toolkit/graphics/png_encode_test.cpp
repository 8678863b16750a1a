// The PNG writer read back by zlib: every filter and both deflate forms must give the pixels back.
#include "toolkit/graphics/png_encode.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <random>

namespace {

uint32_t be32(const std::vector<uint8_t>& b, size_t at) {
    return uint32_t(b[at]) << 24 | uint32_t(b[at + 1]) << 16 | uint32_t(b[at + 2]) << 8 | b[at + 3];
}

// Decodes what EncodePng writes (8-bit RGB, one IDAT); empty on a broken file.
std::vector<uint32_t> Decode(const std::vector<uint8_t>& png, int w, int h) {
    if (png.size() < 8 + 25 || be32(png, 16) != uint32_t(w) || be32(png, 20) != uint32_t(h)) return {};
    const size_t at = 33;
    const uint32_t n = be32(png, at);
    if (std::string(png.begin() + long(at + 4), png.begin() + long(at + 8)) != "IDAT") return {};
    const uint32_t crc = be32(png, at + 8 + n);
    if (crc != uint32_t(crc32(0, png.data() + at + 4, n + 4))) return {};
    const size_t stride = size_t(w) * 3;
    std::vector<uint8_t> raw(size_t(h) * (stride + 1));
    uLongf rawSize = uLongf(raw.size());
    if (uncompress(raw.data(), &rawSize, png.data() + at + 8, n) != Z_OK || rawSize != raw.size()) return {};
    std::vector<uint8_t> prev(stride, 0), row(stride);
    std::vector<uint32_t> px;
    for (int y = 0; y < h; ++y) {
        const uint8_t* f = raw.data() + size_t(y) * (stride + 1);
        for (size_t i = 0; i < stride; ++i) {
            const int a = i >= 3 ? row[i - 3] : 0, b = prev[i], c = i >= 3 ? prev[i - 3] : 0;
            const int p = a + b - c, pa = abs(p - a), pb = abs(p - b), pc = abs(p - c);
            const int paeth = pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
            const int pred[5] = {0, a, b, (a + b) / 2, paeth};
            if (f[0] > 4) return {};
            row[i] = uint8_t(f[1 + i] + pred[f[0]]);
        }
        for (int x = 0; x < w; ++x)
            px.push_back(uint32_t(row[3 * size_t(x)]) << 16 | uint32_t(row[3 * size_t(x) + 1]) << 8 |
                         row[3 * size_t(x) + 2]);
        prev = row;
    }
    return px;
}

} // namespace

TEST(PngEncode, NoiseGradientsAndFlatAreasComeBackExactlyInBothForms) {
    const int w = 301, h = 257; // odd sizes; more than one 64 Ki token block of literals
    std::mt19937 rng(7);
    std::vector<uint32_t> px(size_t(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint32_t& p = px[size_t(y) * w + x];
            if (y < 90)
                p = rng() & 0xFFFFFF;
            else if (y < 180)
                p = uint32_t(x & 0xFF) << 16 | uint32_t(y) << 8 | uint32_t((x + y) & 0xFF);
            else
                p = (x / 40) % 2 ? 0xFF00FF : 0x336699;
        }
    for (TPngDeflate mode : {TPngDeflate::Compressed, TPngDeflate::Stored}) {
        const std::vector<uint8_t> png = EncodePng(w, h, px.data(), mode);
        EXPECT_EQ(Decode(png, w, h), px) << (mode == TPngDeflate::Stored ? "stored" : "compressed");
        EXPECT_EQ(std::string(png.end() - 8, png.end() - 4), "IEND");
    }
}

TEST(PngEncode, FlatImagesShrinkAndTinyOnesStayValid) {
    std::vector<uint32_t> flat(640 * 480, 0xE0E0E0);
    const auto png = EncodePng(640, 480, flat.data());
    EXPECT_LT(png.size(), 4000u) << "921 600 raw bytes of one colour";
    EXPECT_EQ(Decode(png, 640, 480), flat);
    const uint32_t one = 0x123456;
    EXPECT_EQ(Decode(EncodePng(1, 1, &one), 1, 1), std::vector<uint32_t>{one});
}

TEST(PngEncode, ZlibStreamOfNothingInflatesToNothing) {
    const auto z = ZlibCompress({}, TPngDeflate::Compressed);
    uint8_t sink = 0;
    uLongf size = 1;
    EXPECT_EQ(uncompress(&sink, &size, z.data(), uLong(z.size())), Z_OK);
    EXPECT_EQ(size, 0u);
}

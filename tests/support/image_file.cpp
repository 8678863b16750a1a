// Uncompressed BMP, and PNG in stored deflate blocks from the toolkit's writer: exact, and
// readable by any viewer.
#include "tests/support/image_file.h"

#include "toolkit/graphics/png_encode.h"

#include <fstream>

namespace qs::test {
namespace {

void put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}
void put32(std::vector<uint8_t>& out, uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}
uint32_t get32(const std::vector<uint8_t>& in, size_t at) {
    return uint32_t(in[at]) | uint32_t(in[at + 1]) << 8 | uint32_t(in[at + 2]) << 16 | uint32_t(in[at + 3]) << 24;
}

} // namespace

std::vector<uint8_t> EncodeBmp24(const Pixels& px) {
    const uint32_t stride = (uint32_t(px.width) * 3 + 3) & ~3u;
    const uint32_t imageSize = stride * uint32_t(px.height);
    std::vector<uint8_t> out;
    out.reserve(54 + imageSize);
    out.push_back('B');
    out.push_back('M');
    put32(out, 54 + imageSize);
    put32(out, 0);
    put32(out, 54);
    put32(out, 40);
    put32(out, uint32_t(px.width));
    put32(out, uint32_t(px.height));
    put16(out, 1);
    put16(out, 24);
    put32(out, 0);
    put32(out, imageSize);
    put32(out, 3780);
    put32(out, 3780);
    put32(out, 0);
    put32(out, 0);
    for (int y = px.height - 1; y >= 0; --y) {
        size_t rowStart = out.size();
        for (int x = 0; x < px.width; ++x) {
            uint32_t c = px.at(x, y);
            out.push_back(uint8_t(c));
            out.push_back(uint8_t(c >> 8));
            out.push_back(uint8_t(c >> 16));
        }
        out.resize(rowStart + stride, 0);
    }
    return out;
}

Pixels DecodeBmp24(const std::vector<uint8_t>& in) {
    if (in.size() < 54 || in[0] != 'B' || in[1] != 'M') return {};
    const uint32_t offset = get32(in, 10);
    const int32_t w = int32_t(get32(in, 18));
    int32_t h = int32_t(get32(in, 22));
    const uint32_t bitsAndPlanes = get32(in, 26);
    if (bitsAndPlanes != (24u << 16 | 1u) || get32(in, 30) != 0 || w <= 0 || h == 0 || w > 65536) return {};
    const bool topDown = h < 0;
    if (topDown) h = -h;
    if (h > 65536) return {};
    const uint64_t stride = (uint64_t(w) * 3 + 3) & ~uint64_t(3);
    if (offset > in.size() || (in.size() - offset) / stride < uint64_t(h)) return {};
    Pixels px(w, h);
    for (int y = 0; y < h; ++y) {
        const uint8_t* row = in.data() + offset + stride * uint64_t(topDown ? y : h - 1 - y);
        for (int x = 0; x < w; ++x)
            px.at(x, y) = uint32_t(row[3 * x]) | uint32_t(row[3 * x + 1]) << 8 | uint32_t(row[3 * x + 2]) << 16;
    }
    return px;
}

std::vector<uint8_t> EncodePng(const Pixels& px) {
    // Stored blocks: screenshots are written often and looked at rarely.
    return ::EncodePng(px.width, px.height, px.data.data(), TPngDeflate::Stored);
}

bool SaveImage(const std::string& path, const Pixels& px) {
    const bool png = path.size() >= 4 && path.compare(path.size() - 4, 4, ".png") == 0;
    const std::vector<uint8_t> bytes = png ? EncodePng(px) : EncodeBmp24(px);
    std::ofstream f(path, std::ios::binary);
    f.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(f);
}

} // namespace qs::test

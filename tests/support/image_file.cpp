// Uncompressed BMP and PNG (stored deflate blocks): tiny, exact, and readable by any viewer.
#include "tests/support/image_file.h"

#include <array>
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
void put32be(std::vector<uint8_t>& out, uint32_t v) {
    for (int s = 24; s >= 0; s -= 8) out.push_back(uint8_t(v >> s));
}
uint32_t get32(const std::vector<uint8_t>& in, size_t at) {
    return uint32_t(in[at]) | uint32_t(in[at + 1]) << 8 | uint32_t(in[at + 2]) << 16 | uint32_t(in[at + 3]) << 24;
}

uint32_t crc32(const uint8_t* p, size_t n, uint32_t crc = 0) {
    static const auto table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t i = 0; i < 256; ++i) {
            uint32_t c = i;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    crc = ~crc;
    for (size_t i = 0; i < n; ++i) crc = table[(crc ^ p[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

void pngChunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& body) {
    put32be(out, uint32_t(body.size()));
    size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), body.begin(), body.end());
    put32be(out, crc32(out.data() + start, out.size() - start));
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
    std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> ihdr;
    put32be(ihdr, uint32_t(px.width));
    put32be(ihdr, uint32_t(px.height));
    ihdr.insert(ihdr.end(), {8, 2, 0, 0, 0}); // 8-bit RGB, no interlace
    pngChunk(out, "IHDR", ihdr);

    std::vector<uint8_t> raw;
    raw.reserve(size_t(px.height) * (size_t(px.width) * 3 + 1));
    for (int y = 0; y < px.height; ++y) {
        raw.push_back(0); // filter: none
        for (int x = 0; x < px.width; ++x) {
            uint32_t c = px.at(x, y);
            raw.push_back(uint8_t(c >> 16));
            raw.push_back(uint8_t(c >> 8));
            raw.push_back(uint8_t(c));
        }
    }
    // zlib stream of stored blocks (at most 65535 bytes each) and the Adler-32 of the data.
    std::vector<uint8_t> z = {0x78, 0x01};
    size_t pos = 0;
    do {
        size_t n = std::min<size_t>(65535, raw.size() - pos);
        z.push_back(pos + n == raw.size() ? 1 : 0);
        put16(z, uint32_t(n));
        put16(z, uint32_t(~n & 0xFFFF));
        z.insert(z.end(), raw.begin() + long(pos), raw.begin() + long(pos + n));
        pos += n;
    } while (pos < raw.size());
    uint32_t a = 1, b = 0;
    for (uint8_t v : raw) {
        a = (a + v) % 65521;
        b = (b + a) % 65521;
    }
    put32be(z, b << 16 | a);
    pngChunk(out, "IDAT", z);
    pngChunk(out, "IEND", {});
    return out;
}

bool SaveImage(const std::string& path, const Pixels& px) {
    const bool png = path.size() >= 4 && path.compare(path.size() - 4, 4, ".png") == 0;
    const std::vector<uint8_t> bytes = png ? EncodePng(px) : EncodeBmp24(px);
    std::ofstream f(path, std::ios::binary);
    f.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(f);
}

} // namespace qs::test

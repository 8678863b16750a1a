// BMP and PNG encoding for the skin generator. PNG uses stored deflate blocks: larger files, no codec.
#include "skins/generator/image_files.h"

#include <array>
#include <fstream>
#include <iterator>
#include <map>

namespace qs::skingen {
namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}
void Put32Be(std::vector<uint8_t>& out, uint32_t v) {
    for (int s = 24; s >= 0; s -= 8)
        out.push_back(uint8_t(v >> s));
}
uint32_t Get16(const std::vector<uint8_t>& in, size_t at) {
    return uint32_t(in[at]) | uint32_t(in[at + 1]) << 8;
}
uint32_t Get32(const std::vector<uint8_t>& in, size_t at) {
    return Get16(in, at) | Get16(in, at + 2) << 16;
}

void PutBmpHeaders(std::vector<uint8_t>& out, const Image& img, int bits, uint32_t paletteSize,
                   uint32_t imageSize) {
    const uint32_t offset = 54 + paletteSize * 4;
    out.push_back('B');
    out.push_back('M');
    Put32(out, offset + imageSize);
    Put32(out, 0);
    Put32(out, offset);
    Put32(out, 40);
    Put32(out, uint32_t(img.width()));
    Put32(out, uint32_t(img.height())); // positive: bottom-up rows, what every reader accepts
    Put16(out, 1);
    Put16(out, uint32_t(bits));
    Put32(out, 0);
    Put32(out, imageSize);
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, paletteSize);
    Put32(out, 0);
}

uint32_t Crc32(const uint8_t* p, size_t n) {
    static const auto table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t i = 0; i < 256; ++i) {
            uint32_t c = i;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    uint32_t crc = ~0u;
    for (size_t i = 0; i < n; ++i)
        crc = table[(crc ^ p[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

void PngChunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& body) {
    Put32Be(out, uint32_t(body.size()));
    const size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), body.begin(), body.end());
    Put32Be(out, Crc32(out.data() + start, out.size() - start));
}

} // namespace

std::vector<uint8_t> EncodeBmp(const Image& img, bool allowPalette) {
    std::map<Colour, uint8_t> palette;
    if (allowPalette) {
        for (Colour c : img.pixels()) {
            if (palette.size() > 256) break;
            palette.emplace(c, 0);
        }
    }
    std::vector<uint8_t> out;
    if (allowPalette && palette.size() <= 256) {
        uint8_t index = 0;
        for (auto& [c, i] : palette)
            i = index++;
        const uint32_t stride = (uint32_t(img.width()) + 3) & ~3u;
        PutBmpHeaders(out, img, 8, uint32_t(palette.size()), stride * uint32_t(img.height()));
        for (auto& [c, i] : palette)
            Put32(out, c); // B, G, R, 0 in file order
        for (int y = img.height() - 1; y >= 0; --y) {
            for (int x = 0; x < img.width(); ++x)
                out.push_back(palette[img.at(x, y)]);
            out.resize(out.size() + (stride - uint32_t(img.width())), 0);
        }
        return out;
    }
    const uint32_t stride = (uint32_t(img.width()) * 3 + 3) & ~3u;
    PutBmpHeaders(out, img, 24, 0, stride * uint32_t(img.height()));
    for (int y = img.height() - 1; y >= 0; --y) {
        for (int x = 0; x < img.width(); ++x) {
            const Colour c = img.at(x, y);
            out.push_back(uint8_t(Blue(c)));
            out.push_back(uint8_t(Green(c)));
            out.push_back(uint8_t(Red(c)));
        }
        out.resize(out.size() + (stride - uint32_t(img.width()) * 3), 0);
    }
    return out;
}

Image DecodeBmp(const std::vector<uint8_t>& in, int* bitsPerPixel) {
    if (in.size() < 54 || in[0] != 'B' || in[1] != 'M' || Get32(in, 14) < 40) return {};
    const uint32_t offset = Get32(in, 10), headerSize = Get32(in, 14);
    const int32_t w = int32_t(Get32(in, 18)), rawH = int32_t(Get32(in, 22));
    const uint32_t bits = Get16(in, 28), compression = Get32(in, 30);
    if (w <= 0 || rawH == 0 || w > 1 << 15 || rawH > 1 << 15 || rawH < -(1 << 15) || compression != 0)
        return {};
    if (bits != 8 && bits != 24) return {};
    const int h = rawH < 0 ? -rawH : rawH;
    const uint64_t stride = bits == 8 ? (uint64_t(w) + 3) & ~3ull : (uint64_t(w) * 3 + 3) & ~3ull;
    if (uint64_t(offset) + stride * uint64_t(h) > in.size()) return {};
    std::vector<Colour> palette;
    if (bits == 8) {
        uint32_t count = Get32(in, 46);
        if (count == 0 || count > 256) count = 256;
        const size_t at = 14 + headerSize;
        if (at + count * 4 > offset) return {};
        for (uint32_t i = 0; i < count; ++i)
            palette.push_back(Rgb(in[at + i * 4 + 2], in[at + i * 4 + 1], in[at + i * 4]));
    }
    Image img(w, h);
    for (int row = 0; row < h; ++row) {
        const int y = rawH < 0 ? row : h - 1 - row;
        const size_t base = offset + size_t(stride) * size_t(row);
        for (int x = 0; x < w; ++x) {
            if (bits == 8) {
                const uint8_t i = in[base + size_t(x)];
                if (i >= palette.size()) return {};
                img.set(x, y, palette[i]);
            } else {
                const size_t p = base + size_t(x) * 3;
                img.set(x, y, Rgb(in[p + 2], in[p + 1], in[p]));
            }
        }
    }
    if (bitsPerPixel) *bitsPerPixel = int(bits);
    return img;
}

std::vector<uint8_t> EncodePng(const Image& img) {
    std::vector<uint8_t> raw;
    raw.reserve(size_t(img.height()) * (size_t(img.width()) * 3 + 1));
    for (int y = 0; y < img.height(); ++y) {
        raw.push_back(0);
        for (int x = 0; x < img.width(); ++x) {
            const Colour c = img.at(x, y);
            raw.push_back(uint8_t(Red(c)));
            raw.push_back(uint8_t(Green(c)));
            raw.push_back(uint8_t(Blue(c)));
        }
    }
    std::vector<uint8_t> z = {0x78, 0x01};
    for (size_t at = 0; at < raw.size() || at == 0; at += 65535) {
        const size_t n = std::min<size_t>(65535, raw.size() - at);
        z.push_back(at + n >= raw.size() ? 1 : 0);
        Put16(z, uint32_t(n));
        Put16(z, uint32_t(~n & 0xFFFF));
        z.insert(z.end(), raw.begin() + long(at), raw.begin() + long(at + n));
        if (raw.empty()) break;
    }
    uint32_t a = 1, b = 0;
    for (uint8_t v : raw) {
        a = (a + v) % 65521;
        b = (b + a) % 65521;
    }
    Put32Be(z, b << 16 | a);

    std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> ihdr;
    Put32Be(ihdr, uint32_t(img.width()));
    Put32Be(ihdr, uint32_t(img.height()));
    ihdr.insert(ihdr.end(), {8, 2, 0, 0, 0});
    PngChunk(out, "IHDR", ihdr);
    PngChunk(out, "IDAT", z);
    PngChunk(out, "IEND", {});
    return out;
}

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream f(path, std::ios::binary);
    f.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(f);
}

std::vector<uint8_t> ReadFile(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

} // namespace qs::skingen

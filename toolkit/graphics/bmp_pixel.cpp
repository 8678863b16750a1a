// One-pixel reads of DIB rows.
#include "toolkit/graphics/bmp_pixel.h"

#include <bit>

uint8_t ExpandChannel(uint32_t value, uint32_t mask) {
    if (!mask) return 0;
    int shift = std::countr_zero(mask);
    int bits = std::popcount(mask);
    uint32_t x = (value & mask) >> shift;
    if (bits >= 8) return uint8_t(x >> (bits - 8));
    uint32_t r = 0;
    int filled = 0;
    while (filled < 8) {
        r = (r << bits) | x;
        filled += bits;
    }
    return uint8_t(r >> (filled - 8));
}

uint32_t ReadPixelRGB(const uint8_t* row, int x, int bitsPerPixel, const std::vector<uint32_t>& palette,
                      const BmpMasks& masks16) {
    auto lookup = [&](unsigned index) { return index < palette.size() ? palette[index] & 0xFFFFFF : 0u; };
    switch (bitsPerPixel) {
    case 1: return lookup((row[x >> 3] >> (7 - (x & 7))) & 1);
    case 4: return lookup((row[x >> 1] >> ((x & 1) ? 0 : 4)) & 15);
    case 8: return lookup(row[x]);
    case 16: {
        uint32_t v = row[2 * x] | (row[2 * x + 1] << 8);
        return (uint32_t(ExpandChannel(v, masks16.red)) << 16) |
               (uint32_t(ExpandChannel(v, masks16.green)) << 8) | ExpandChannel(v, masks16.blue);
    }
    case 24: {
        const uint8_t* p = row + 3 * x;
        return (uint32_t(p[2]) << 16) | (uint32_t(p[1]) << 8) | p[0];
    }
    case 32: {
        const uint8_t* p = row + 4 * x;
        return (uint32_t(p[2]) << 16) | (uint32_t(p[1]) << 8) | p[0];
    }
    default: return 0;
    }
}

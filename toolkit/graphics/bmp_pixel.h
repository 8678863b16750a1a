// Reading one pixel of a DIB-layout row as 0x00RRGGBB, shared by the decoder and TBitmap.
#pragma once

#include <cstdint>
#include <vector>

struct BmpMasks {
    uint32_t red = 0, green = 0, blue = 0, alpha = 0;
    static BmpMasks Rgb555() { return {0x7C00, 0x03E0, 0x001F, 0}; }
    static BmpMasks Rgb565() { return {0xF800, 0x07E0, 0x001F, 0}; }
    bool operator==(const BmpMasks&) const = default;
};

// The channel selected by mask, widened (or narrowed) to 8 bits by repeating its bits, as
// GDI does; 0 for an empty mask.
uint8_t ExpandChannel(uint32_t value, uint32_t mask);

// Pixel x of row: 1/4/8 bits through palette (missing entries are black), 16 through masks,
// 24 and 32 as B,G,R.
uint32_t ReadPixelRGB(const uint8_t* row, int x, int bitsPerPixel, const std::vector<uint32_t>& palette,
                      const BmpMasks& masks16);

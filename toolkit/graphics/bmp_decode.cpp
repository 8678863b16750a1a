// BMP decoding. Every offset and count taken from the data is checked against the data's
// size before use; RLE writes are checked against the image before they happen.
#include "toolkit/graphics/bmp_decode.h"

#include <bit>
#include <cstring>
#include <string>

#include "toolkit/graphics/bmp_pixel.h"

namespace {

enum : uint32_t { BI_RGB_ = 0, BI_RLE8_ = 1, BI_RLE4_ = 2, BI_BITFIELDS_ = 3, BI_ALPHABITFIELDS_ = 6 };

[[noreturn]] void fail(const std::string& why) {
    throw EInvalidGraphic("Invalid bitmap: " + why);
}

uint16_t u16(const uint8_t* p) {
    return uint16_t(p[0] | (p[1] << 8));
}
uint32_t u32(const uint8_t* p) {
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

struct Header {
    int width = 0;
    int height = 0; // rows, always positive
    bool topDown = false;
    int bits = 0;
    uint32_t compression = BI_RGB_;
    uint32_t sizeImage = 0;
    uint32_t colorsUsed = 0;
    size_t headerSize = 0;
    size_t paletteEntrySize = 4;
    BmpMasks masks;
    bool hasMasks = false;
};

bool contiguous(uint32_t m) {
    return m == 0 || std::has_single_bit((m >> std::countr_zero(m)) + 1);
}

void checkMasks(const BmpMasks& m, int bits) {
    uint32_t all[] = {m.red, m.green, m.blue, m.alpha};
    uint32_t seen = 0;
    for (uint32_t x : all) {
        if (!contiguous(x)) fail("bit field mask is not contiguous");
        if (seen & x) fail("bit field masks overlap");
        seen |= x;
    }
    if (!(m.red | m.green | m.blue)) fail("bit field masks are empty");
    if (bits == 16 && (seen >> 16)) fail("bit field mask wider than the pixel");
}

Header readHeader(const uint8_t* d, size_t n) {
    if (n < 4) fail("header past the end of the data");
    Header h;
    h.headerSize = u32(d);
    if (h.headerSize == 12) { // OS/2 BITMAPCOREHEADER
        if (n < 12) fail("header past the end of the data");
        h.width = u16(d + 4);
        h.height = u16(d + 6);
        h.bits = u16(d + 10);
        h.paletteEntrySize = 3;
    } else if (h.headerSize >= 40 && h.headerSize <= 4096) {
        if (n < h.headerSize) fail("header past the end of the data");
        int32_t w = int32_t(u32(d + 4));
        int32_t ht = int32_t(u32(d + 8));
        if (ht == INT32_MIN) fail("absurd dimensions");
        h.width = w;
        h.topDown = ht < 0;
        h.height = ht < 0 ? -ht : ht;
        h.bits = u16(d + 14);
        h.compression = u32(d + 16);
        h.sizeImage = u32(d + 20);
        h.colorsUsed = u32(d + 32);
        if (h.headerSize >= 52) {
            h.masks = {u32(d + 40), u32(d + 44), u32(d + 48), h.headerSize >= 56 ? u32(d + 52) : 0};
            h.hasMasks = true;
        }
    } else {
        fail("unknown header size " + std::to_string(h.headerSize));
    }
    if (h.width <= 0 || h.height <= 0) fail("empty or negative width or height");
    if (h.width > kBmpMaxSide || h.height > kBmpMaxSide || int64_t(h.width) * h.height > kBmpMaxPixels)
        fail("absurd dimensions " + std::to_string(h.width) + " x " + std::to_string(h.height));
    switch (h.bits) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32: break;
    default: fail("unsupported bit depth " + std::to_string(h.bits));
    }
    switch (h.compression) {
    case BI_RGB_: break;
    case BI_RLE8_:
        if (h.bits != 8) fail("RLE8 needs 8 bits per pixel");
        break;
    case BI_RLE4_:
        if (h.bits != 4) fail("RLE4 needs 4 bits per pixel");
        break;
    case BI_BITFIELDS_:
    case BI_ALPHABITFIELDS_:
        if (h.bits != 16 && h.bits != 32) fail("bit fields need 16 or 32 bits per pixel");
        break;
    default: fail("unsupported compression " + std::to_string(h.compression));
    }
    if (h.topDown && (h.compression == BI_RLE8_ || h.compression == BI_RLE4_)) fail("top-down RLE image");
    return h;
}

// Masks for the 16- and 32-bit layouts: from the file for bit fields, else the fixed ones.
BmpMasks pixelMasks(const Header& h, const uint8_t* d, size_t n, size_t& pos) {
    bool fields = h.compression == BI_BITFIELDS_ || h.compression == BI_ALPHABITFIELDS_;
    if (fields && !h.hasMasks) {
        size_t count = h.compression == BI_ALPHABITFIELDS_ ? 4 : 3;
        if (n - pos < 4 * count) fail("bit field masks past the end of the data");
        BmpMasks m{u32(d + pos), u32(d + pos + 4), u32(d + pos + 8), count == 4 ? u32(d + pos + 12) : 0};
        pos += 4 * count;
        checkMasks(m, h.bits);
        return m;
    }
    if (fields) {
        checkMasks(h.masks, h.bits);
        return h.masks;
    }
    if (h.bits == 16) return BmpMasks::Rgb555();
    return {0xFF0000, 0xFF00, 0xFF, 0};
}

std::vector<uint32_t> readPalette(const Header& h, const uint8_t* d, size_t n, size_t& pos) {
    size_t full = h.bits <= 8 ? size_t(1) << h.bits : 0;
    size_t count = h.colorsUsed ? size_t(h.colorsUsed) : full;
    if (h.bits > 8) {
        // A colour table beside true-colour pixels is only an optimisation hint: skip it.
        if (count > 256) fail("absurd colour table size");
        if ((n - pos) / h.paletteEntrySize < count) fail("colour table past the end of the data");
        pos += count * h.paletteEntrySize;
        return {};
    }
    if (count > full) count = full;
    if ((n - pos) / h.paletteEntrySize < count) fail("colour table past the end of the data");
    std::vector<uint32_t> pal(full, 0);
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* e = d + pos + i * h.paletteEntrySize;
        pal[i] = (uint32_t(e[2]) << 16) | (uint32_t(e[1]) << 8) | e[0];
    }
    pos += count * h.paletteEntrySize;
    return pal;
}

void putIndex(BmpImage& img, int x, int yBottomUp, unsigned index) {
    uint8_t* row = img.Row(img.height - 1 - yBottomUp);
    if (img.bitsPerPixel == 8) {
        row[x] = uint8_t(index);
    } else {
        uint8_t& b = row[x >> 1];
        b = (x & 1) ? uint8_t((b & 0xF0) | (index & 15)) : uint8_t((b & 0x0F) | ((index & 15) << 4));
    }
}

// RLE8 and RLE4: runs and absolute runs from the bottom row up, with end-of-line, end-of-
// bitmap and delta escapes. Pixels never reached stay index 0. Runs that go past the end of a
// row are clipped there, as GDI does: ImageMagick writes the row padding as pixels.
void decodeRle(BmpImage& img, const uint8_t* d, size_t n) {
    const bool four = img.bitsPerPixel == 4;
    const int w = img.width, h = img.height;
    int x = 0, y = 0;
    size_t pos = 0;
    while (n - pos >= 2) {
        unsigned a = d[pos], b = d[pos + 1];
        pos += 2;
        if (a > 0) {
            if (y >= h) fail("RLE data past the last row");
            for (unsigned i = 0; i < a; ++i, ++x)
                if (x < w) putIndex(img, x, y, four ? ((i & 1) ? b & 15 : b >> 4) : b);
            continue;
        }
        if (b == 0) { // end of line
            x = 0;
            ++y;
        } else if (b == 1) { // end of bitmap
            return;
        } else if (b == 2) { // delta
            if (n - pos < 2) fail("RLE delta past the end of the data");
            x += d[pos];
            y += d[pos + 1];
            pos += 2;
            if (x > w || y > h) fail("RLE delta moves outside the image");
        } else { // absolute run of b pixels, padded to a 16-bit boundary
            size_t bytes = four ? (b + 1) / 2 : b;
            size_t padded = (bytes + 1) & ~size_t(1);
            if (n - pos < padded) fail("RLE absolute run past the end of the data");
            if (y >= h) fail("RLE data past the last row");
            for (unsigned i = 0; i < b; ++i, ++x) {
                uint8_t v = d[pos + (four ? i / 2 : i)];
                if (x < w) putIndex(img, x, y, four ? ((i & 1) ? v & 15 : v >> 4) : v);
            }
            pos += padded;
        }
    }
}

// Bit fields the toolkit cannot keep as they are become B,G,R (or B,G,R,A with an alpha mask).
void convertFields(BmpImage& img, const uint8_t* src, size_t srcStride, int srcBits, const BmpMasks& m,
                   bool topDown) {
    img.bitsPerPixel = m.alpha ? 32 : 24;
    img.pixels.assign(img.Stride() * size_t(img.height), 0);
    const int bpp = img.bitsPerPixel / 8;
    for (int y = 0; y < img.height; ++y) {
        const uint8_t* s = src + size_t(topDown ? y : img.height - 1 - y) * srcStride;
        uint8_t* o = img.Row(y);
        for (int x = 0; x < img.width; ++x) {
            uint32_t v = srcBits == 16 ? u16(s + 2 * x) : u32(s + 4 * x);
            o[bpp * x] = ExpandChannel(v, m.blue);
            o[bpp * x + 1] = ExpandChannel(v, m.green);
            o[bpp * x + 2] = ExpandChannel(v, m.red);
            if (bpp == 4) o[bpp * x + 3] = ExpandChannel(v, m.alpha);
        }
    }
}

BmpImage decode(const uint8_t* d, size_t n, bool hasOffset, size_t bitsOffset) {
    Header h = readHeader(d, n);
    size_t pos = h.headerSize;
    BmpMasks masks = pixelMasks(h, d, n, pos);
    BmpImage img;
    img.width = h.width;
    img.height = h.height;
    img.bitsPerPixel = h.bits;
    img.palette = readPalette(h, d, n, pos);
    if (hasOffset) {
        if (bitsOffset < h.headerSize) fail("pixel data offset inside the header");
        if (bitsOffset > n) fail("pixel data offset past the end of the data");
        pos = bitsOffset;
    }
    const uint8_t* bits = d + pos;
    size_t avail = n - pos;

    if (h.compression == BI_RLE8_ || h.compression == BI_RLE4_) {
        if (h.sizeImage > avail) fail("compressed size past the end of the data");
        img.pixels.assign(img.Stride() * size_t(img.height), 0);
        decodeRle(img, bits, h.sizeImage ? h.sizeImage : avail);
        return img;
    }

    size_t stride = BmpImage::RowBytes(h.width, h.bits);
    if (avail / stride < size_t(h.height)) fail("pixel data past the end of the data");
    if (h.bits == 16 && !(masks == BmpMasks::Rgb555() || masks == BmpMasks::Rgb565())) {
        convertFields(img, bits, stride, 16, masks, h.topDown);
        return img;
    }
    if (h.bits == 32 && !(masks.red == 0xFF0000 && masks.green == 0xFF00 && masks.blue == 0xFF &&
                          (masks.alpha == 0 || masks.alpha == 0xFF000000u))) {
        convertFields(img, bits, stride, 32, masks, h.topDown);
        return img;
    }
    if (h.bits == 16) {
        img.redMask = masks.red;
        img.greenMask = masks.green;
        img.blueMask = masks.blue;
    }
    img.pixels.resize(stride * size_t(h.height));
    for (int y = 0; y < h.height; ++y)
        std::memcpy(img.Row(y), bits + size_t(h.topDown ? y : h.height - 1 - y) * stride, stride);
    return img;
}

} // namespace

BmpImage DecodeBmp(const uint8_t* data, size_t size) {
    if (!data || size < 14) fail("file header past the end of the data");
    if (data[0] != 'B' || data[1] != 'M') fail("not a BMP file");
    uint32_t offBits = u32(data + 10);
    // Some writers leave the offset 0: the pixels then follow the colour table.
    bool hasOffset = offBits != 0;
    if (hasOffset && offBits < 14) fail("pixel data offset inside the file header");
    return decode(data + 14, size - 14, hasOffset, hasOffset ? offBits - 14 : 0);
}

BmpImage DecodeDib(const uint8_t* data, size_t size) {
    if (!data) fail("no data");
    return decode(data, size, false, 0);
}

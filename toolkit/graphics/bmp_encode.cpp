// BMP writing: BITMAPINFOHEADER, bottom-up rows, the colour table of indexed images and the
// masks of 5-6-5 images.
#include "toolkit/graphics/bmp_encode.h"

namespace {
void put16(std::vector<uint8_t>& o, uint32_t v) {
    o.push_back(uint8_t(v));
    o.push_back(uint8_t(v >> 8));
}
void put32(std::vector<uint8_t>& o, uint32_t v) {
    put16(o, v & 0xFFFF);
    put16(o, v >> 16);
}
} // namespace

std::vector<uint8_t> EncodeBmp(const BmpImage& image) {
    const size_t stride = image.Stride();
    const bool indexed = image.bitsPerPixel <= 8;
    const size_t colors = indexed ? size_t(1) << image.bitsPerPixel : 0;
    const bool fields = image.bitsPerPixel == 16 && image.redMask && image.redMask != 0x7C00;
    const size_t offBits = 14 + 40 + (fields ? 12 : 0) + colors * 4;
    const size_t imageSize = stride * size_t(image.height);

    std::vector<uint8_t> o;
    o.reserve(offBits + imageSize);
    o.push_back('B');
    o.push_back('M');
    put32(o, uint32_t(offBits + imageSize));
    put32(o, 0);
    put32(o, uint32_t(offBits));
    put32(o, 40);
    put32(o, uint32_t(image.width));
    put32(o, uint32_t(image.height));
    put16(o, 1);
    put16(o, uint16_t(image.bitsPerPixel));
    put32(o, fields ? 3 : 0);
    put32(o, uint32_t(imageSize));
    put32(o, 3780); // 96 dpi in pixels per metre
    put32(o, 3780);
    put32(o, uint32_t(colors));
    put32(o, 0);
    if (fields) {
        put32(o, image.redMask);
        put32(o, image.greenMask);
        put32(o, image.blueMask);
    }
    for (size_t i = 0; i < colors; ++i)
        put32(o, i < image.palette.size() ? image.palette[i] & 0xFFFFFF : 0);
    for (int y = image.height - 1; y >= 0; --y) {
        const uint8_t* row = image.Row(y);
        if (image.pixels.size() >= stride * size_t(y + 1))
            o.insert(o.end(), row, row + stride);
        else
            o.insert(o.end(), stride, 0);
    }
    return o;
}

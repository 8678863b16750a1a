// BMP writing: BITMAPINFOHEADER, bottom-up rows, the colour table of indexed images and the
// masks of 5-6-5 images.
#include "toolkit/graphics/bmp_encode.h"

#include "toolkit/core/little_endian.h"

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
    PutLE32(o, uint32_t(offBits + imageSize));
    PutLE32(o, 0);
    PutLE32(o, uint32_t(offBits));
    PutLE32(o, 40);
    PutLE32(o, uint32_t(image.width));
    PutLE32(o, uint32_t(image.height));
    PutLE16(o, 1);
    PutLE16(o, uint16_t(image.bitsPerPixel));
    PutLE32(o, fields ? 3 : 0);
    PutLE32(o, uint32_t(imageSize));
    PutLE32(o, 3780); // 96 dpi in pixels per metre
    PutLE32(o, 3780);
    PutLE32(o, uint32_t(colors));
    PutLE32(o, 0);
    if (fields) {
        PutLE32(o, image.redMask);
        PutLE32(o, image.greenMask);
        PutLE32(o, image.blueMask);
    }
    for (size_t i = 0; i < colors; ++i)
        PutLE32(o, i < image.palette.size() ? image.palette[i] & 0xFFFFFF : 0);
    for (int y = image.height - 1; y >= 0; --y) {
        const uint8_t* row = image.Row(y);
        if (image.pixels.size() >= stride * size_t(y + 1))
            o.insert(o.end(), row, row + stride);
        else
            o.insert(o.end(), stride, 0);
    }
    return o;
}

std::vector<uint8_t> EncodeBmp24(int width, int height, const uint32_t* pixels) {
    BmpImage bmp;
    bmp.width = width;
    bmp.height = height;
    bmp.pixels.assign(bmp.Stride() * size_t(height > 0 ? height : 0), 0);
    for (int y = 0; y < height; ++y) {
        uint8_t* row = bmp.Row(y);
        for (int x = 0; x < width; ++x) {
            const uint32_t c = pixels[size_t(y) * size_t(width) + size_t(x)];
            row[3 * x] = uint8_t(c);
            row[3 * x + 1] = uint8_t(c >> 8);
            row[3 * x + 2] = uint8_t(c >> 16);
        }
    }
    return EncodeBmp(bmp);
}

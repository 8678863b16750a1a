// Pixel operations on 24-bit images; each builds its result and then replaces the source.
#include "skin/res/image24.h"

#include <cstring>

namespace qs {

int32_t TImage24::Pixel(int x, int y) const {
    const uint8_t* p = Row(y) + 3 * size_t(x);
    return int32_t(p[2] | p[1] << 8 | p[0] << 16);
}

void TImage24::SetPixel(int x, int y, int32_t colour) {
    uint8_t* p = Row(y) + 3 * size_t(x);
    p[0] = uint8_t(colour >> 16);
    p[1] = uint8_t(colour >> 8);
    p[2] = uint8_t(colour);
}

void ReplaceMagenta(TImage24& image, int32_t colour) {
    for (int y = 0; y < image.height; ++y) {
        uint8_t* p = image.Row(y);
        for (int x = 0; x < image.width; ++x, p += 3) {
            if (p[0] == 0xFF && p[1] == 0 && p[2] == 0xFF) {
                p[0] = uint8_t(colour >> 16);
                p[1] = uint8_t(colour >> 8);
                p[2] = uint8_t(colour);
            }
        }
    }
}

namespace {
// dest(x, y) = source(map(x, y)) over a w x h destination.
template <class Map> void Remap(TImage24& image, int w, int h, Map map) {
    TImage24 out(w, h);
    for (int y = 0; y < h; ++y) {
        uint8_t* d = out.Row(y);
        for (int x = 0; x < w; ++x, d += 3) {
            int sx = 0, sy = 0;
            map(x, y, sx, sy);
            std::memcpy(d, image.Row(sy) + 3 * size_t(sx), 3);
        }
    }
    image = std::move(out);
}
} // namespace

void MirrorHorizontal(TImage24& image) {
    const int w = image.width;
    Remap(image, w, image.height, [w](int x, int y, int& sx, int& sy) {
        sx = w - 1 - x;
        sy = y;
    });
}

void FlipVertical(TImage24& image) {
    TImage24 out(image.width, image.height);
    for (int y = 0; y < image.height; ++y)
        std::memcpy(out.Row(y), image.Row(image.height - 1 - y), 3 * size_t(image.width));
    image = std::move(out);
}

void RotateLeft(TImage24& image) {
    const int w = image.width;
    Remap(image, image.height, w, [w](int x, int y, int& sx, int& sy) {
        sx = w - 1 - y;
        sy = x;
    });
}

void RotateRight(TImage24& image) {
    const int h = image.height;
    Remap(image, h, image.width, [h](int x, int y, int& sx, int& sy) {
        sx = y;
        sy = h - 1 - x;
    });
}

} // namespace qs

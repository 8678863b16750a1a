// TBitmap wrappers over the portable 24-bit operations: copy the rows out, transform, copy back.
#include "skin/res/win/bitmap_ops.h"

#include <cstring>

namespace qs {

TImage24 ImageFromBitmap(TBitmap& bitmap) {
    bitmap.SetPixelFormat(pf24bit);
    TImage24 image(bitmap.Width(), bitmap.Height());
    for (int y = 0; y < image.height; ++y)
        std::memcpy(image.Row(y), bitmap.ScanLine(y), 3 * size_t(image.width));
    return image;
}

void ImageToBitmap(const TImage24& image, TBitmap& bitmap) {
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetSize(image.width, image.height);
    for (int y = 0; y < image.height; ++y)
        std::memcpy(bitmap.ScanLine(y), image.Row(y), 3 * size_t(image.width));
}

namespace {
template <class Op> void Apply(TBitmap& bitmap, Op op) {
    TImage24 image = ImageFromBitmap(bitmap);
    op(image);
    ImageToBitmap(image, bitmap);
}
} // namespace

void ReplaceMagenta(TBitmap& bitmap, int32_t colour) {
    Apply(bitmap, [colour](TImage24& i) { ReplaceMagenta(i, colour); });
}
void MirrorHorizontal(TBitmap& bitmap) {
    Apply(bitmap, [](TImage24& i) { MirrorHorizontal(i); });
}
void FlipVertical(TBitmap& bitmap) {
    Apply(bitmap, [](TImage24& i) { FlipVertical(i); });
}
void RotateLeft(TBitmap& bitmap) {
    Apply(bitmap, [](TImage24& i) { RotateLeft(i); });
}
void RotateRight(TBitmap& bitmap) {
    Apply(bitmap, [](TImage24& i) { RotateRight(i); });
}

} // namespace qs

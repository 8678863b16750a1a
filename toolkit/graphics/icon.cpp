// TIcon: icon handles, .ico reading (first image) and writing (one 32-bit image).
#include "toolkit/graphics/icon.h"

#include <cstring>
#include <vector>

#include "toolkit/core/class_builder.h"
#include "toolkit/core/little_endian.h"
#include "toolkit/graphics/canvas.h"

namespace {
uint16_t u16(const uint8_t* p) {
    return uint16_t(p[0] | (p[1] << 8));
}
uint32_t u32(const uint8_t* p) {
    return uint32_t(u16(p)) | (uint32_t(u16(p + 2)) << 16);
}

// GetIconInfo's bitmaps belong to the caller.
struct IconBitmaps {
    ICONINFO info{};
    win::BitmapHandle color, mask;
    explicit IconBitmaps(HICON icon) {
        if (icon && GetIconInfo(icon, &info)) {
            color.Reset(info.hbmColor);
            mask.Reset(info.hbmMask);
        }
    }
};

// The bits of `bitmap` as a bottom-up DIB of `bits` per pixel, rows padded to 4 bytes.
std::vector<uint8_t> dibBits(HBITMAP bitmap, int width, int height, int bits) {
    struct {
        BITMAPINFOHEADER h;
        RGBQUAD colors[2];
    } info{{sizeof(BITMAPINFOHEADER), width, height, 1, WORD(bits), BI_RGB, 0, 0, 0, 0, 0}, {}};
    std::vector<uint8_t> out(((size_t(width) * bits + 31) / 32) * 4 * size_t(height));
    win::WindowDC screen = win::WindowDC::Screen();
    if (!GetDIBits(screen.Get(), bitmap, 0, UINT(height), out.data(), reinterpret_cast<BITMAPINFO*>(&info),
                   DIB_RGB_COLORS))
        throw EInvalidGraphic("Cannot read the icon's pixels");
    return out;
}
} // namespace

const TClassInfo& TIcon::StaticClass() {
    static const TClassInfo& info = TClassBuilder<TIcon>("TIcon", &TGraphic::StaticClass()).Build();
    return info;
}

TIcon::~TIcon() = default;

void TIcon::adopt(HICON icon) {
    icon_.Reset(icon);
    width_ = height_ = 0;
    IconBitmaps b(icon);
    BITMAP bm{};
    if (b.color && GetObjectA(b.color.Get(), sizeof bm, &bm)) {
        width_ = bm.bmWidth;
        height_ = bm.bmHeight;
    } else if (b.mask && GetObjectA(b.mask.Get(), sizeof bm, &bm)) {
        width_ = bm.bmWidth;
        height_ = bm.bmHeight / 2; // a monochrome icon's mask holds AND and XOR halves
    }
    Changed();
}

void TIcon::Assign(const TPersistent* source) {
    if (!source) {
        adopt(nullptr);
        return;
    }
    if (auto* i = dynamic_cast<const TIcon*>(source)) {
        if (i != this) SetHandleCopy(i->Handle());
        return;
    }
    TGraphic::Assign(source);
}

void TIcon::SetHandle(HICON icon) {
    if (icon != icon_.Get()) adopt(icon);
}

void TIcon::SetHandleCopy(HICON icon) {
    adopt(icon ? CopyIcon(icon) : nullptr);
}

HICON TIcon::ReleaseHandle() {
    HICON h = icon_.Release();
    adopt(nullptr);
    return h;
}

void TIcon::LoadFromResourceName(HINSTANCE instance, const char* name, int width, int height) {
    HICON icon = HICON(LoadImageA(instance, name, IMAGE_ICON, width, height, 0));
    if (!icon) throw EInvalidGraphic("Icon resource not found");
    adopt(icon);
}

void TIcon::LoadFromResourceID(HINSTANCE instance, int id, int width, int height) {
    LoadFromResourceName(instance, MAKEINTRESOURCEA(id), width, height);
}

void TIcon::LoadFromStream(TStream& stream) {
    std::vector<uint8_t> d = stream.ReadAll();
    if (d.size() < 6 || u16(d.data()) != 0 || u16(d.data() + 2) != 1 || u16(d.data() + 4) == 0)
        throw EInvalidGraphic("Invalid icon: not an icon file");
    if (d.size() < 6 + 16) throw EInvalidGraphic("Invalid icon: directory past the end of the data");
    const uint32_t size = u32(d.data() + 6 + 8), offset = u32(d.data() + 6 + 12);
    if (offset > d.size() || size > d.size() - offset || size < 40)
        throw EInvalidGraphic("Invalid icon: image past the end of the data");
    HICON icon = CreateIconFromResourceEx(d.data() + offset, size, TRUE, 0x00030000, 0, 0, LR_DEFAULTCOLOR);
    if (!icon) throw EInvalidGraphic("Invalid icon: the image cannot be read");
    adopt(icon);
}

void TIcon::SaveToStream(TStream& stream) const {
    if (!icon_) return;
    IconBitmaps b(icon_.Get());
    if (!b.mask) throw EInvalidGraphic("Cannot read the icon");
    const int w = width_, h = height_;
    std::vector<uint8_t> image;
    PutLE32(image, 40);
    PutLE32(image, uint32_t(w));
    PutLE32(image, uint32_t(2 * h)); // XOR and AND images
    PutLE16(image, 1);
    PutLE16(image, b.color ? 32 : 1);
    for (int i = 0; i < 6; ++i)
        PutLE32(image, 0);
    if (b.color) {
        std::vector<uint8_t> xorBits = dibBits(b.color.Get(), w, h, 32);
        std::vector<uint8_t> andBits = dibBits(b.mask.Get(), w, h, 1);
        image.insert(image.end(), xorBits.begin(), xorBits.end());
        image.insert(image.end(), andBits.begin(), andBits.end());
    } else {
        PutLE32(image, 0x000000);
        PutLE32(image, 0xFFFFFF);
        // Bottom-up, the mask bitmap's lower (XOR) half comes first, as the file wants.
        std::vector<uint8_t> bits = dibBits(b.mask.Get(), w, 2 * h, 1);
        image.insert(image.end(), bits.begin(), bits.end());
    }
    std::vector<uint8_t> file;
    PutLE16(file, 0);
    PutLE16(file, 1);
    PutLE16(file, 1);
    file.push_back(uint8_t(w >= 256 ? 0 : w));
    file.push_back(uint8_t(h >= 256 ? 0 : h));
    file.push_back(0);
    file.push_back(0);
    PutLE16(file, 1);
    PutLE16(file, b.color ? 32 : 1);
    PutLE32(file, uint32_t(image.size()));
    PutLE32(file, 22);
    file.insert(file.end(), image.begin(), image.end());
    stream.Write(file.data(), file.size());
}

void TIcon::Draw(TCanvas& canvas, const RECT& dest) {
    HDC dc = canvas.Handle();
    if (!icon_ || !dc) return;
    DrawIconEx(dc, dest.left, dest.top, icon_.Get(), dest.right - dest.left, dest.bottom - dest.top, 0,
               nullptr, DI_NORMAL);
}

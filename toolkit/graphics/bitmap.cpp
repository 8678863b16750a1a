// TBitmap: DIB sections, pixel format conversion, BMP streaming and drawing (with a mask
// made from the pixels themselves for transparent bitmaps, so the key colour test is exact).
#include "toolkit/graphics/bitmap.h"

#include <algorithm>
#include <cstring>

#include "toolkit/core/class_builder.h"
#include "toolkit/graphics/bmp_decode.h"
#include "toolkit/graphics/bmp_encode.h"
#include "toolkit/graphics/bmp_pixel.h"

namespace {

struct DibInfo {
    BITMAPINFOHEADER header;
    RGBQUAD colors[256];
};

int screenBits() {
    win::WindowDC screen = win::WindowDC::Screen();
    int bits = GetDeviceCaps(screen.Get(), BITSPIXEL) * GetDeviceCaps(screen.Get(), PLANES);
    if (bits <= 1) return 1;
    if (bits <= 4) return 4;
    if (bits <= 8) return 8;
    if (bits <= 16) return 16;
    return bits <= 24 ? 24 : 32;
}

TColor rgbToColor(uint32_t rgb) {
    return TColor(((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16));
}
uint32_t colorToRgb(TColor c) {
    return rgbToColor(uint32_t(c));
} // the swap is its own inverse

std::vector<uint32_t> standardColors(int bits) {
    if (bits == 1) return {0x000000, 0xFFFFFF};
    if (bits == 4)
        return {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
                0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    if (bits != 8) return {};
    std::vector<uint32_t> c;
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                c.push_back(uint32_t(r * 51) << 16 | uint32_t(g * 51) << 8 | uint32_t(b * 51));
    for (int i = 1; c.size() < 256; ++i) {
        uint32_t v = uint32_t(i * 255 / 41);
        c.push_back(v << 16 | v << 8 | v);
    }
    return c;
}

int nearestIndex(const std::vector<uint32_t>& colors, uint32_t rgb) {
    int best = 0;
    long bestDist = -1;
    for (size_t i = 0; i < colors.size(); ++i) {
        long d = 0;
        for (int shift = 0; shift < 24; shift += 8) {
            long a = long((colors[i] >> shift) & 0xFF) - long((rgb >> shift) & 0xFF);
            d += a * a;
        }
        if (bestDist < 0 || d < bestDist) bestDist = d, best = int(i);
    }
    return best;
}

bool is565(TPixelFormat format, int bits) {
    return bits == 16 && format != pf15bit;
}

void fillInfo(DibInfo& info, int width, int height, int bits, TPixelFormat format,
              const std::vector<uint32_t>& colors) {
    std::memset(&info, 0, sizeof info);
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = width;
    info.header.biHeight = height; // bottom-up, as GDI prefers
    info.header.biPlanes = 1;
    info.header.biBitCount = WORD(bits);
    info.header.biCompression = is565(format, bits) ? BI_BITFIELDS : BI_RGB;
    if (bits <= 8) {
        info.header.biClrUsed = DWORD(1u << bits);
        for (size_t i = 0; i < colors.size() && i < 256; ++i)
            std::memcpy(&info.colors[i], &colors[i], 4);
    } else if (is565(format, bits)) {
        const DWORD masks[3] = {0xF800, 0x07E0, 0x001F};
        std::memcpy(info.colors, masks, sizeof masks);
    }
}

void fillWhite(uint8_t* bits, size_t size, int bpp, const std::vector<uint32_t>& colors) {
    uint8_t v = 0xFF;
    if (bpp <= 8) {
        int index = nearestIndex(colors, 0xFFFFFF);
        v = bpp == 1 ? (index ? 0xFF : 0) : bpp == 4 ? uint8_t(index * 0x11) : uint8_t(index);
    }
    std::memset(bits, v, size);
}

unsigned readIndex(const uint8_t* row, int x, int bpp) {
    if (bpp == 8) return row[x];
    if (bpp == 4) return (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 15;
    return (row[x >> 3] >> (7 - (x & 7))) & 1;
}

void writeIndex(uint8_t* row, int x, int bpp, unsigned v) {
    if (bpp == 8) {
        row[x] = uint8_t(v);
    } else if (bpp == 4) {
        uint8_t& b = row[x >> 1];
        b = (x & 1) ? uint8_t((b & 0xF0) | (v & 15)) : uint8_t((b & 0x0F) | ((v & 15) << 4));
    } else {
        uint8_t bit = uint8_t(0x80 >> (x & 7));
        row[x >> 3] = v ? (row[x >> 3] | bit) : (row[x >> 3] & ~bit);
    }
}

} // namespace

int PixelFormatBits(TPixelFormat format) {
    switch (format) {
    case pf1bit: return 1;
    case pf4bit: return 4;
    case pf8bit: return 8;
    case pf15bit:
    case pf16bit: return 16;
    case pf24bit: return 24;
    case pf32bit: return 32;
    default: return screenBits();
    }
}

// A DIB section not yet owned by a TBitmap.
struct TBitmap::Dib {
    win::BitmapHandle handle;
    uint8_t* bits = nullptr;
    int width = 0, height = 0, bpp = 24, stride = 0;
    TPixelFormat format = pf24bit;
    std::vector<uint32_t> colors;
};

// The bitmap's canvas: a memory DC kept for the canvas's life, with the DIB section selected
// while the canvas uses it. Releasing puts the DC's own bitmap back but keeps the DC, so an
// HDC someone still holds stays valid (it then draws on nothing).
class TBitmap::TBitmapCanvas : public TCanvas {
  public:
    explicit TBitmapCanvas(TBitmap& owner) : owner_(owner) {}
    ~TBitmapCanvas() override { Release(); }

    void Release() {
        SetHandle(nullptr);
        if (oldBitmap_) SelectObject(dc_.Get(), oldBitmap_);
        oldBitmap_ = nullptr;
    }

  protected:
    void CreateHandle() override {
        if (!dc_) dc_ = win::MemoryDC(nullptr);
        if (!dc_) return;
        if (owner_.dib_ && !oldBitmap_) oldBitmap_ = SelectObject(dc_.Get(), owner_.dib_.Get());
        SetHandle(dc_.Get());
    }

  private:
    TBitmap& owner_;
    win::MemoryDC dc_;
    HGDIOBJ oldBitmap_ = nullptr;
};

const TClassInfo& TBitmap::StaticClass() {
    static const TClassInfo& info = TClassBuilder<TBitmap>("TBitmap", &TGraphic::StaticClass()).Build();
    return info;
}

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height, TPixelFormat format) : format_(format) {
    bits_ = PixelFormatBits(format);
    SetSize(width, height);
}

TBitmap::~TBitmap() {
    canvas_.reset();
} // the canvas lets go of the DIB section before it is deleted

TBitmap::Dib TBitmap::createDib(int width, int height, TPixelFormat format, std::vector<uint32_t> colors) {
    Dib d;
    d.width = width;
    d.height = height;
    d.format = format;
    d.bpp = PixelFormatBits(format);
    if (d.bpp <= 8) {
        if (colors.empty()) colors = standardColors(d.bpp);
        colors.resize(size_t(1) << d.bpp, 0);
        d.colors = std::move(colors);
    }
    d.stride = int(BmpImage::RowBytes(width, d.bpp));
    if (width <= 0 || height <= 0) return d;
    if (width > kBmpMaxSide || height > kBmpMaxSide || int64_t(width) * height > kBmpMaxPixels)
        throw EInvalidGraphic("Bitmap too large: " + std::to_string(width) + " x " + std::to_string(height));
    DibInfo info;
    fillInfo(info, width, height, d.bpp, format, d.colors);
    void* bits = nullptr;
    d.handle.Reset(
        CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!d.handle || !bits)
        throw Exception("Cannot create a " + std::to_string(width) + " x " + std::to_string(height) +
                        " bitmap");
    d.bits = static_cast<uint8_t*>(bits);
    return d;
}

void TBitmap::releaseCanvasDC() {
    if (canvas_) canvas_->Release();
}

void TBitmap::adopt(Dib&& d) {
    releaseCanvasDC();
    palette_.Reset();
    dib_ = std::move(d.handle);
    bitsPtr_ = dib_ ? d.bits : nullptr;
    width_ = dib_ ? d.width : 0;
    height_ = dib_ ? d.height : 0;
    bits_ = d.bpp;
    stride_ = d.stride;
    format_ = d.format;
    colors_ = std::move(d.colors);
}

void TBitmap::changed() {
    Changed();
}

void TBitmap::copyPixelsFrom(const TBitmap& source) {
    GdiFlush();
    std::memcpy(bitsPtr_, source.bitsPtr_, size_t(stride_) * size_t(height_));
}

void TBitmap::Assign(const TPersistent* source) {
    if (!source) {
        Clear();
        return;
    }
    if (auto* b = dynamic_cast<const TBitmap*>(source)) {
        if (b == this) return;
        Dib d = createDib(b->width_, b->height_, b->format_, b->colors_);
        adopt(std::move(d));
        if (dib_) copyPixelsFrom(*b);
        transparentColor_ = b->transparentColor_;
        TGraphic::SetTransparent(b->Transparent());
        changed();
        return;
    }
    TGraphic::Assign(source);
}

void TBitmap::SetSize(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == width_ && height == height_ && (dib_ || !width || !height)) return;
    Dib d = createDib(width, height, format_, colors_);
    if (d.handle) {
        fillWhite(d.bits, size_t(d.stride) * height, d.bpp, d.colors);
        if (dib_) {
            // Keep the top-left part: whole bytes by copy, the pixels of a shared last byte one by one.
            GdiFlush();
            const int w = std::min(width, width_);
            const size_t wholeBytes = size_t(w) * bits_ / 8;
            for (int y = 0; y < std::min(height, height_); ++y) {
                const uint8_t* from = bitsPtr_ + size_t(height_ - 1 - y) * stride_;
                uint8_t* to = d.bits + size_t(height - 1 - y) * d.stride;
                std::memcpy(to, from, wholeBytes);
                if (bits_ < 8)
                    for (int x = int(wholeBytes * 8 / bits_); x < w; ++x)
                        writeIndex(to, x, bits_, readIndex(from, x, bits_));
            }
        }
    }
    adopt(std::move(d));
    changed();
}

void TBitmap::Clear() {
    if (!dib_) return;
    adopt(createDib(0, 0, format_, {}));
    changed();
}

void TBitmap::SetPixelFormat(TPixelFormat value) {
    if (value == format_) return;
    if (!dib_) {
        format_ = value;
        bits_ = PixelFormatBits(value);
        colors_.clear();
        return;
    }
    Dib d = createDib(width_, height_, value, {});
    // GDI converts (to the nearest colour of a new colour table); the two bitmaps sit in DCs
    // of their own for the copy.
    releaseCanvasDC();
    {
        win::MemoryDC from(nullptr), to(nullptr);
        win::SelectGuard selFrom(from.Get(), dib_.Get());
        win::SelectGuard selTo(to.Get(), d.handle.Get());
        BitBlt(to.Get(), 0, 0, width_, height_, from.Get(), 0, 0, SRCCOPY);
        GdiFlush();
    }
    adopt(std::move(d));
    changed();
}

uint32_t TBitmap::pixelRGB(int x, int memoryRow) const {
    const BmpMasks masks =
        bits_ == 16 ? (is565(format_, bits_) ? BmpMasks::Rgb565() : BmpMasks::Rgb555()) : BmpMasks{};
    return ReadPixelRGB(bitsPtr_ + size_t(memoryRow) * stride_, x, bits_, colors_, masks);
}

TColor TBitmap::TransparentColor() const {
    if (transparentColor_ != clDefault) return transparentColor_;
    if (!dib_) return clNone;
    GdiFlush();
    return rgbToColor(pixelRGB(0, 0)); // memory row 0 is the bottom row
}

void TBitmap::SetTransparentColor(TColor value) {
    if (value == transparentColor_) return;
    transparentColor_ = value;
    changed();
}

HBITMAP TBitmap::Handle() {
    releaseCanvasDC();
    return dib_.Get();
}

void TBitmap::SetHandle(HBITMAP bitmap) {
    if (!bitmap) {
        Clear();
        return;
    }
    win::BitmapHandle source(bitmap); // ours now: deleted when this returns
    DIBSECTION ds{};
    int got = GetObjectA(bitmap, sizeof ds, &ds);
    if (!got) throw EInvalidGraphic("Not a bitmap handle");
    const int bpp = ds.dsBm.bmBitsPixel * ds.dsBm.bmPlanes;
    TPixelFormat format = bpp == 1    ? pf1bit
                          : bpp == 4  ? pf4bit
                          : bpp == 8  ? pf8bit
                          : bpp <= 16 ? pf16bit
                          : bpp == 24 ? pf24bit
                                      : pf32bit;
    if (bpp == 16 && got == int(sizeof ds) && ds.dsBitfields[1] != 0x07E0) format = pf15bit;
    const int width = ds.dsBm.bmWidth, height = std::abs(ds.dsBm.bmHeight);
    Dib d = createDib(width, height, format, {});
    if (d.handle) {
        // GetDIBits writes our layout (and, for indexed formats, the source's colour table).
        DibInfo info;
        fillInfo(info, width, height, d.bpp, format, d.colors);
        win::WindowDC screen = win::WindowDC::Screen();
        if (!GetDIBits(screen.Get(), bitmap, 0, UINT(height), d.bits, reinterpret_cast<BITMAPINFO*>(&info),
                       DIB_RGB_COLORS))
            throw EInvalidGraphic("Cannot read the bitmap's pixels");
        if (d.bpp <= 8) {
            for (size_t i = 0; i < d.colors.size(); ++i)
                std::memcpy(&d.colors[i], &info.colors[i], 4);
            win::MemoryDC dc(nullptr);
            win::SelectGuard sel(dc.Get(), d.handle.Get());
            SetDIBColorTable(dc.Get(), 0, UINT(d.colors.size()), info.colors);
        }
    }
    adopt(std::move(d));
    changed();
}

HBITMAP TBitmap::ReleaseHandle() {
    releaseCanvasDC();
    HBITMAP h = dib_.Release();
    adopt(createDib(0, 0, format_, {}));
    changed();
    return h;
}

HBITMAP TBitmap::CopyHandle() const {
    if (!dib_) return nullptr;
    Dib d = createDib(width_, height_, format_, colors_);
    GdiFlush();
    std::memcpy(d.bits, bitsPtr_, size_t(stride_) * height_);
    return d.handle.Release();
}

HBITMAP TBitmap::CopyToDeviceBitmap() const {
    if (!dib_) return nullptr;
    GdiFlush();
    win::WindowDC screen = win::WindowDC::Screen();
    win::BitmapHandle ddb(CreateCompatibleBitmap(screen.Get(), width_, height_));
    if (!ddb) return nullptr;
    win::MemoryDC dc(screen.Get());
    win::SelectGuard sel(dc.Get(), ddb.Get());
    DibInfo info;
    fillInfo(info, width_, height_, bits_, format_, colors_);
    SetDIBitsToDevice(dc.Get(), 0, 0, DWORD(width_), DWORD(height_), 0, 0, 0, UINT(height_), bitsPtr_,
                      reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    GdiFlush();
    return ddb.Release();
}

std::vector<uint32_t> TBitmap::ColorTable() const {
    return HasPalette() ? colors_ : std::vector<uint32_t>{};
}

HPALETTE TBitmap::Palette() {
    if (!HasPalette()) return nullptr;
    if (!palette_) {
        struct {
            WORD version, count;
            PALETTEENTRY entries[256];
        } lp{0x300, WORD(colors_.size()), {}};
        for (size_t i = 0; i < colors_.size(); ++i)
            lp.entries[i] = {BYTE(colors_[i] >> 16), BYTE(colors_[i] >> 8), BYTE(colors_[i]), 0};
        palette_.Reset(CreatePalette(reinterpret_cast<LOGPALETTE*>(&lp)));
    }
    return palette_.Get();
}

uint8_t* TBitmap::ScanLine(int y) {
    if (!dib_ || y < 0 || y >= height_) throw Exception("Scan line index out of range");
    GdiFlush();
    return bitsPtr_ + size_t(height_ - 1 - y) * stride_;
}

const uint8_t* TBitmap::ScanLine(int y) const {
    return const_cast<TBitmap*>(this)->ScanLine(y);
}

TCanvas& TBitmap::Canvas() {
    if (!canvas_) canvas_ = std::make_unique<TBitmapCanvas>(*this);
    return *canvas_;
}

void TBitmap::LoadFromImage(const BmpImage& image) {
    TPixelFormat format;
    switch (image.bitsPerPixel) {
    case 1: format = pf1bit; break;
    case 4: format = pf4bit; break;
    case 8: format = pf8bit; break;
    case 16: format = image.redMask == 0xF800 ? pf16bit : pf15bit; break;
    case 24: format = pf24bit; break;
    case 32: format = pf32bit; break;
    default: throw EInvalidGraphic("Unsupported bit depth");
    }
    if (image.pixels.size() < image.Stride() * size_t(std::max(image.height, 0)))
        throw EInvalidGraphic("Image data is incomplete");
    Dib d = createDib(image.width, image.height, format, image.palette);
    for (int y = 0; y < d.height && d.bits; ++y)
        std::memcpy(d.bits + size_t(d.height - 1 - y) * d.stride, image.Row(y), size_t(d.stride));
    adopt(std::move(d));
    changed();
}

namespace {

// How much of `available` bytes from a BMP file header on the image takes: the declared size
// bounds it inside a longer block (a picture's data); a size of 0 or past the end means "the rest".
int64_t bmpExtent(const uint8_t (&fileHeader)[14], int64_t available) {
    const uint32_t declared = uint32_t(fileHeader[2]) | uint32_t(fileHeader[3]) << 8 |
                              uint32_t(fileHeader[4]) << 16 | uint32_t(fileHeader[5]) << 24;
    return declared >= 26 && int64_t(declared) <= available ? int64_t(declared) : available;
}

[[noreturn]] void noFileHeader() {
    throw EInvalidGraphic("Invalid bitmap: file header past the end of the data");
}

} // namespace

void TBitmap::LoadFromStream(TStream& stream) {
    const int64_t remaining = stream.Size() - stream.Position();
    uint8_t fileHeader[14];
    if (remaining < 14 || stream.Read(fileHeader, 14) != 14) noFileHeader();
    std::vector<uint8_t> bytes(static_cast<size_t>(bmpExtent(fileHeader, remaining)));
    std::memcpy(bytes.data(), fileHeader, 14);
    if (stream.Read(bytes.data() + 14, bytes.size() - 14) != bytes.size() - 14)
        throw EInvalidGraphic("Invalid bitmap: the stream ended early");
    LoadFromImage(DecodeBmp(bytes.data(), bytes.size()));
}

void TBitmap::LoadFromMemory(const uint8_t* data, size_t size) {
    uint8_t fileHeader[14];
    if (!data || size < 14) noFileHeader();
    std::memcpy(fileHeader, data, 14);
    LoadFromImage(DecodeBmp(data, size_t(bmpExtent(fileHeader, int64_t(size)))));
}

void TBitmap::SaveToStream(TStream& stream) const {
    if (!dib_) return;
    BmpImage img;
    img.width = width_;
    img.height = height_;
    img.bitsPerPixel = bits_;
    img.palette = colors_;
    if (bits_ == 16) {
        BmpMasks m = is565(format_, bits_) ? BmpMasks::Rgb565() : BmpMasks::Rgb555();
        img.redMask = m.red;
        img.greenMask = m.green;
        img.blueMask = m.blue;
    }
    img.pixels.resize(size_t(stride_) * height_);
    for (int y = 0; y < height_; ++y)
        std::memcpy(img.Row(y), ScanLine(y), size_t(stride_));
    std::vector<uint8_t> bytes = EncodeBmp(img);
    stream.Write(bytes.data(), bytes.size());
}

void TBitmap::LoadFromResourceName(HINSTANCE instance, const char* name) {
    HRSRC res = FindResourceA(instance, name, MAKEINTRESOURCEA(2) /* RT_BITMAP */);
    HGLOBAL data = res ? LoadResource(instance, res) : nullptr;
    const void* bytes = data ? LockResource(data) : nullptr;
    if (!bytes) throw EInvalidGraphic("Bitmap resource not found");
    LoadFromImage(DecodeDib(static_cast<const uint8_t*>(bytes), SizeofResource(instance, res)));
}

void TBitmap::LoadFromResourceID(HINSTANCE instance, int id) {
    LoadFromResourceName(instance, MAKEINTRESOURCEA(id));
}

// The pixels of the key colour as a bottom-up 1-bit image: 1 where the bitmap is transparent.
std::vector<uint8_t> TBitmap::transparencyMask(TColor key) const {
    const uint32_t rgb = colorToRgb(ColorToRGB(key));
    const size_t maskStride = BmpImage::RowBytes(width_, 1);
    std::vector<uint8_t> mask(maskStride * height_, 0);
    for (int row = 0; row < height_; ++row)
        for (int x = 0; x < width_; ++x)
            if (pixelRGB(x, row) == rgb) mask[row * maskStride + (x >> 3)] |= uint8_t(0x80 >> (x & 7));
    return mask;
}

void TBitmap::Draw(TCanvas& canvas, const RECT& dest) {
    HDC dc = canvas.Handle();
    if (!dib_ || !dc) return;
    GdiFlush();
    DibInfo info;
    fillInfo(info, width_, height_, bits_, format_, colors_);
    const BITMAPINFO* bmi = reinterpret_cast<const BITMAPINFO*>(&info);
    const int x = dest.left, y = dest.top, w = dest.right - dest.left, h = dest.bottom - dest.top;
    const int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
    if (!Transparent()) {
        StretchDIBits(dc, x, y, w, h, 0, 0, width_, height_, bitsPtr_, bmi, DIB_RGB_COLORS,
                      canvas.CopyMode());
    } else {
        // dest ^= src; dest &= mask (white where transparent); dest ^= src: transparent pixels
        // end as they were, the others as the source. The mask's own colour table makes the
        // AND independent of the DC's text and background colours.
        std::vector<uint8_t> mask = transparencyMask(TransparentColor());
        struct {
            BITMAPINFOHEADER header;
            RGBQUAD colors[2];
        } maskInfo{{sizeof(BITMAPINFOHEADER), width_, height_, 1, 1, BI_RGB, 0, 0, 0, 2, 0},
                   {{0, 0, 0, 0}, {255, 255, 255, 0}}};
        const BITMAPINFO* mbi = reinterpret_cast<const BITMAPINFO*>(&maskInfo);
        StretchDIBits(dc, x, y, w, h, 0, 0, width_, height_, bitsPtr_, bmi, DIB_RGB_COLORS, SRCINVERT);
        StretchDIBits(dc, x, y, w, h, 0, 0, width_, height_, mask.data(), mbi, DIB_RGB_COLORS, SRCAND);
        StretchDIBits(dc, x, y, w, h, 0, 0, width_, height_, bitsPtr_, bmi, DIB_RGB_COLORS, SRCINVERT);
    }
    SetStretchBltMode(dc, oldMode);
}

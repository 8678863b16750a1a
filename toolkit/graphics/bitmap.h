// TBitmap: an image in a DIB section of explicit depth, so pixels (the skins' magenta key
// colour above all) survive every copy exactly. It has a canvas on a memory DC of its own.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "toolkit/graphics/canvas.h"
#include "toolkit/graphics/colors.h"
#include "toolkit/graphics/graphic.h"
#include "toolkit/handles.h"

struct BmpImage;

// pfDevice is a DIB section at the screen's depth; pf15bit is 16-bit 5-5-5, pf16bit 5-6-5.
enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit };
int PixelFormatBits(TPixelFormat format);

class TBitmap : public TGraphic {
    QS_DECLARE_CLASS()
  public:
    TBitmap();
    // Width x height in the given format, filled white.
    TBitmap(int width, int height, TPixelFormat format = pf24bit);
    ~TBitmap() override;
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;

    // A deep copy of a TBitmap (pixels, palette, format, transparency); a TPicture holding one.
    void Assign(const TPersistent* source) override;

    int Width() const override { return width_; }
    int Height() const override { return height_; }
    bool Empty() const override { return !dib_; }
    void SetWidth(int value) { SetSize(value, height_); }
    void SetHeight(int value) { SetSize(width_, value); }
    // Keeps the format and the top-left part of the image; new area is white; 0 empties it.
    void SetSize(int width, int height);
    // Frees the image (the format stays).
    void Clear();

    TPixelFormat PixelFormat() const { return format_; }
    // Converts the pixels (into 1/4/8-bit: a black-and-white, 16-colour or 256-colour palette).
    void SetPixelFormat(TPixelFormat value);
    int BitsPerPixel() const { return bits_; }

    // The pixels a transparent Draw leaves unpainted. By default the bottom-left pixel's colour.
    TColor TransparentColor() const;
    void SetTransparentColor(TColor value); // clDefault: back to the bottom-left pixel

    // The DIB section, owned by the bitmap. Taking it lets the canvas release it first, so it may
    // be selected elsewhere or passed to GetDIBits; the canvas takes it back on its next use.
    HBITMAP Handle();
    // Adopts a bitmap (a device-dependent one is copied into a DIB section and deleted).
    void SetHandle(HBITMAP bitmap);
    // Gives the DIB section to the caller; the bitmap is empty afterwards.
    [[nodiscard]] HBITMAP ReleaseHandle();
    // A new DIB section with the same pixels, owned by the caller.
    [[nodiscard]] HBITMAP CopyHandle() const;
    // A new device-dependent copy (screen format), owned by the caller: what the clipboard keeps.
    [[nodiscard]] HBITMAP CopyToDeviceBitmap() const;

    // 1/4/8-bit bitmaps: the colour table (0x00RRGGBB entries) and a palette made from it.
    std::vector<uint32_t> ColorTable() const;
    bool HasPalette() const { return bits_ <= 8 && dib_; }
    HPALETTE Palette(); // owned by the bitmap; null without a colour table

    // Row y (0 = top) of the DIB section: B,G,R (pf24bit), B,G,R,X (pf32bit), packed indices
    // or 16-bit words otherwise. Valid until the bitmap changes size or format.
    uint8_t* ScanLine(int y);
    const uint8_t* ScanLine(int y) const;
    int RowBytes() const { return stride_; }

    TCanvas& Canvas();

    // BMP files of every common layout; a lying header raises EInvalidGraphic.
    void LoadFromStream(TStream& stream) override;
    // The same from a BMP file in memory, read where it lies.
    void LoadFromMemory(const uint8_t* data, size_t size);
    void SaveToStream(TStream& stream) const override;
    // A bitmap resource (RT_BITMAP) of the module.
    void LoadFromResourceName(HINSTANCE instance, const char* name);
    void LoadFromResourceID(HINSTANCE instance, int id);
    // A decoded image (pixels and palette as they are).
    void LoadFromImage(const BmpImage& image);

  protected:
    void Draw(TCanvas& canvas, const RECT& dest) override;

  private:
    class TBitmapCanvas;
    friend class TBitmapCanvas;

    struct Dib;
    static Dib createDib(int width, int height, TPixelFormat format, std::vector<uint32_t> colors);
    void adopt(Dib&& dib);
    void copyPixelsFrom(const TBitmap& source); // same size and format
    uint32_t pixelRGB(int x, int memoryRow) const;
    std::vector<uint8_t> transparencyMask(TColor key) const;
    void releaseCanvasDC();
    void changed();

    win::BitmapHandle dib_;
    uint8_t* bitsPtr_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    int bits_ = 24;
    int stride_ = 0;
    TPixelFormat format_ = pf24bit;
    TColor transparentColor_ = clDefault;
    std::vector<uint32_t> colors_; // 0x00RRGGBB, for 1/4/8 bits
    win::PaletteHandle palette_;
    std::unique_ptr<TBitmapCanvas> canvas_;
};

// The drawing primitives at window size: an 800x600 nine-slice skin object drawn to a memory DC,
// each way of its transparent copy, and a window region cut from an 800x600 frame bitmap with magenta
// corners.
//   skin_paint_bench [SKIN]   SKIN: a .skin path or a bundled id; default item9 (the program's skin)
#include <windows.h>

#include <cstdio>
#include <memory>
#include <utility>
#include <vector>

#include "bench/win32/bench_harness.h"
#include "bench/win32/bench_skins.h"
#include "skin/core/skin_data.h"
#include "skin/paint/skin_paint.h"
#include "skin/paint/skin_region.h"
#include "toolkit/graphics/colors.h"

using namespace qs::bench;

namespace {

constexpr int kWidth = 800, kHeight = 600;

int frames(const TDataSkinObject& r) {
    return r.Frame > 0 ? int(r.Frame) : 1;
}

void benchNineSlice(TReport& report, TDataSkinObject& object) {
    TBitmap target(kWidth, kHeight, pf24bit);
    HDC dc = target.Canvas().Handle();
    const RECT dest{0, 0, kWidth, kHeight};
    const RECT m = object.Margins();
    char source[96];
    std::snprintf(source, sizeof source, "%s %dx%d, %d frames, margins %ld,%ld,%ld,%ld", object.Name.c_str(),
                  object.Bitmap.Width(), object.Bitmap.Height(), frames(object), m.left, m.top, m.right,
                  m.bottom);
    const std::string size = SizeText(kWidth, kHeight);
    for (bool tile : {false, true})
        for (bool transparent : {false, true}) {
            const TFigures f = Measure([&] {
                DrawSkinObject(dc, dest, object.Bitmap, false, tile, transparent, frames(object), 1, m);
            });
            std::string name = "DrawSkinObject ";
            name += tile ? "tiled centre" : "stretched centre";
            name += transparent ? ", transparent" : ", opaque";
            report.Row(name, size, f, source);
        }
    const TFigures build = Measure([&] {
        std::unique_ptr<TBitmap> piece =
            BuildSkinBitmap(dest, object.Bitmap, m, false, false, frames(object), 1);
    });
    report.Row("BuildSkinBitmap stretched centre (no copy)", size, build, "the composing part of the above");
}

int keyCount(TBitmap& bitmap) {
    int n = 0;
    for (int y = 0; y < bitmap.Height(); ++y) {
        const uint8_t* row = bitmap.ScanLine(y);
        for (int x = 0; x < bitmap.Width(); ++x)
            n += row[3 * x] == 0xFF && row[3 * x + 1] == 0 && row[3 * x + 2] == 0xFF;
    }
    return n;
}

// The copying part alone, from a built piece to the target: each way of a transparent copy
// beside the opaque BitBlt, and the monochrome mask the GDI ways start with.
void benchKeyCopy(TReport& report, TDataSkinObject& object) {
    const RECT dest{0, 0, kWidth, kHeight};
    std::unique_ptr<TBitmap> piece =
        BuildSkinBitmap(dest, object.Bitmap, object.Margins(), false, false, frames(object), 1);
    TBitmap target(kWidth, kHeight, pf24bit);
    HDC dc = target.Canvas().Handle();
    HDC src = piece->Canvas().Handle();
    const std::string size = SizeText(kWidth, kHeight);
    const std::string keys = std::to_string(keyCount(*piece)) + " key pixels";
    report.Row("BitBlt SRCCOPY (the opaque copy)", size, Measure([&] {
                   BitBlt(dc, 0, 0, kWidth, kHeight, src, 0, 0, SRCCOPY);
                   GdiFlush();
               }),
               "24-bit DIB to 24-bit DIB");
    const std::pair<TKeyCopy, const char*> ways[] = {
        {TKeyCopy::Pixels, "DrawTransparentBitmap by pixels"},
        {TKeyCopy::MaskBlt, "DrawTransparentBitmap by MaskBlt"},
        {TKeyCopy::ThreeBlts, "DrawTransparentBitmap by 3 BitBlts"}};
    for (const auto& [how, name] : ways) {
        const TFigures f = Measure([&] {
            DrawTransparentBitmapBy(how, dc, dest, *piece, SKIN_KEY_COLOUR);
            GdiFlush();
        });
        report.Row(name, size, f,
                   how == ChooseKeyCopy(dc, *piece, SKIN_KEY_COLOUR) ? keys + ", the way taken" : keys);
    }
    win::BitmapHandle mask(CreateBitmap(kWidth, kHeight, 1, 1, nullptr));
    win::MemoryDC maskDC(dc);
    win::SelectGuard select(maskDC.Get(), mask.Get());
    SetBkColor(src, SKIN_KEY_COLOUR);
    report.Row("  of which the mask (BitBlt to 1 bit)", size, Measure([&] {
                   BitBlt(maskDC.Get(), 0, 0, kWidth, kHeight, src, 0, 0, SRCCOPY);
                   GdiFlush();
               }),
               "the GDI ways' first step");
}

// The whole frame as the form skinner lays it out: side borders full height, bottom and caption
// between them, client area in the face colour.
std::unique_ptr<TBitmap> frameBitmap(TSkinData& skin) {
    auto frame = std::make_unique<TBitmap>(kWidth, kHeight, pf24bit);
    HDC dc = frame->Canvas().Handle();
    const RECT all{0, 0, kWidth, kHeight};
    FillRect(dc, &all, skin.FaceBrush());
    TSkinBorders& b = skin.Borders;
    const int left = b.Left->Bitmap.Width() / frames(*b.Left),
              right = b.Right->Bitmap.Width() / frames(*b.Right);
    const int top = b.Top->Bitmap.Height() / frames(*b.Top),
              bottom = b.Bottom->Bitmap.Height() / frames(*b.Bottom);
    auto put = [&](TDataSkinBorder& border, const RECT& r, bool vertical) {
        std::unique_ptr<TBitmap> piece = BuildSkinBitmap(r, border.Bitmap, border.Margins(), vertical,
                                                         border.Tile != 1, frames(border), 1);
        if (piece)
            BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, piece->Canvas().Handle(), 0, 0,
                   SRCCOPY);
    };
    put(*b.Left, RECT{0, 0, left, kHeight}, false);
    put(*b.Right, RECT{kWidth - right, 0, kWidth, kHeight}, false);
    put(*b.Bottom, RECT{left, kHeight - bottom, kWidth - right, kHeight}, true);
    put(*b.Top, RECT{left, 0, kWidth - right, top}, true);
    return frame;
}

int keyPixels(TBitmap& bitmap) {
    HDC dc = bitmap.Canvas().Handle();
    int n = 0;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x : {0, 1, 2, 3, 4, 5, bitmap.Width() - 6, bitmap.Width() - 5, bitmap.Width() - 4,
                      bitmap.Width() - 3, bitmap.Width() - 2, bitmap.Width() - 1})
            n += GetPixel(dc, x, y) == SKIN_KEY_COLOUR;
    return n;
}

std::string regionShape(HRGN region) {
    const DWORD bytes = GetRegionData(region, 0, nullptr);
    std::vector<uint8_t> data(bytes);
    if (!bytes || !GetRegionData(region, bytes, reinterpret_cast<RGNDATA*>(data.data()))) return "?";
    return std::to_string(reinterpret_cast<RGNDATA*>(data.data())->rdh.nCount) + " rectangles";
}

void benchRegion(TReport& report, TSkinData& skin) {
    const std::string size = SizeText(kWidth, kHeight);
    std::unique_ptr<TBitmap> frame = frameBitmap(skin);
    win::RegionHandle shape = RegionFromBitmap(*frame, 0, 0, 1, 1, 1, SKIN_KEY_COLOUR);
    const TFigures f =
        Measure([&] { win::RegionHandle r = RegionFromBitmap(*frame, 0, 0, 1, 1, 1, SKIN_KEY_COLOUR); });
    report.Row("RegionFromBitmap frame with magenta corners", size, f,
               regionShape(shape.Get()) + ", " + std::to_string(keyPixels(*frame)) +
                   " key pixels in the edge columns");

    TBitmap opaque(kWidth, kHeight, pf24bit);
    const RECT all{0, 0, kWidth, kHeight};
    FillRect(opaque.Canvas().Handle(), &all, skin.FaceBrush());
    const TFigures plain =
        Measure([&] { win::RegionHandle r = RegionFromBitmap(opaque, 0, 0, 1, 1, 1, SKIN_KEY_COLOUR); });
    report.Row("RegionFromBitmap all opaque", size, plain, "baseline: one rectangle");
}

} // namespace

int main(int argc, char** argv) {
    const TSkinFile file = ChooseSkin(argc > 1 ? argv[1] : "", "item9");
    TReport report("skin_paint_bench: drawing primitives (" + file.Id + ")");
    TSkinData skin(nullptr);
    if (!LoadInto(skin, file) || !skin.Buttons || skin.Buttons->Bitmap.Empty()) {
        report.Note("skin " + file.Id + " not loaded or without a button image");
        return 1;
    }
    benchNineSlice(report, *skin.Buttons);
    benchKeyCopy(report, *skin.Buttons);
    benchRegion(report, skin);
    return 0;
}

// Each icon is a few flat shapes on magenta, which the image list takes as transparent.
#include "gallery/gallery_icons.h"

#include "toolkit/graphics/bitmap.h"
#include "toolkit/graphics/image_list.h"

namespace {

constexpr TColor kMask = TColor(0xFF00FF);
constexpr TColor kNavy = TColor(0x800000);
constexpr TColor kBlue = TColor(0xD07020);
constexpr TColor kGreen = TColor(0x20A020);
constexpr TColor kYellow = TColor(0x30C8F0);
constexpr TColor kBrown = TColor(0x206090);

void box(TCanvas& c, int left, int top, int right, int bottom, TColor fill, TColor line) {
    c.Brush().SetColor(fill);
    c.Pen().SetColor(line);
    c.Rectangle(left, top, right, bottom);
}

// A small window: white body, coloured title bar.
void window(TCanvas& c, int left, int top, int right, int bottom) {
    box(c, left, top, right, bottom, clWhite, kNavy);
    c.Brush().SetColor(kBlue);
    c.FillRect({left + 1, top + 1, right - 1, top + 4});
}

void newWindow(TCanvas& c) {
    window(c, 0, 1, 13, 13);
    c.Brush().SetColor(kGreen);
    c.FillRect({9, 10, 16, 13});
    c.FillRect({11, 8, 14, 15});
}

void open(TCanvas& c) {
    box(c, 1, 3, 7, 6, kYellow, kBrown);
    box(c, 1, 5, 15, 14, kYellow, kBrown);
}

void cascade(TCanvas& c) {
    window(c, 0, 0, 11, 10);
    window(c, 5, 6, 16, 16);
}

void tile(TCanvas& c) {
    window(c, 0, 0, 8, 8);
    window(c, 8, 0, 16, 8);
    window(c, 0, 8, 8, 16);
    window(c, 8, 8, 16, 16);
}

void refresh(TCanvas& c) {
    c.Brush().SetStyle(bsClear);
    c.Pen().SetColor(kGreen);
    c.Pen().SetWidth(2);
    c.Ellipse({2, 2, 14, 14});
    c.Pen().SetWidth(1);
    // The break in the circle, and the arrow's head at it.
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(kMask);
    c.FillRect({9, 0, 16, 7});
    c.Brush().SetColor(kGreen);
    c.FillRect({10, 2, 15, 4});
    c.FillRect({12, 2, 15, 7});
}

void about(TCanvas& c) {
    c.Brush().SetColor(kBlue);
    c.Pen().SetColor(kNavy);
    c.Ellipse({0, 0, 16, 16});
    c.Brush().SetColor(clWhite);
    c.FillRect({7, 3, 9, 5});
    c.FillRect({7, 6, 9, 13});
}

} // namespace

void DrawGalleryIcons(TImageList& list) {
    using Painter = void (*)(TCanvas&);
    const Painter painters[giCount] = {newWindow, open, cascade, tile, refresh, about};
    list.SetSize(16, 16);
    list.Clear();
    for (Painter paint : painters) {
        TBitmap icon;
        icon.SetPixelFormat(pf24bit);
        icon.SetSize(16, 16);
        TCanvas& c = icon.Canvas();
        c.Brush().SetColor(kMask);
        c.FillRect({0, 0, 16, 16});
        paint(c);
        list.AddMasked(icon, kMask);
    }
}

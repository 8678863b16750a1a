// TCanvas: lazy selection of the canvas's pen, brush and font into its DC.
#include "toolkit/graphics/canvas.h"

#include "toolkit/core/class_builder.h"
#include "toolkit/graphics/graphic.h"

const TClassInfo& TCanvas::StaticClass() {
    static const TClassInfo& info = TClassBuilder<TCanvas>("TCanvas", &TPersistent::StaticClass()).Build();
    return info;
}

TCanvas::TCanvas() {
    pen_.OnChange.fn = [this](TObject*) { penChanged(); };
    brush_.OnChange.fn = [this](TObject*) { brushChanged(); };
    font_.OnChange.fn = [this](TObject*) { fontChanged(); };
}

TCanvas::~TCanvas() {
    SetHandle(nullptr);
}

HDC TCanvas::Handle() {
    if (!dc_) CreateHandle();
    return dc_;
}

void TCanvas::SetHandle(HDC dc) {
    if (dc == dc_) return;
    DeselectObjects();
    dc_ = dc;
}

void TCanvas::DeselectObjects() {
    if (!dc_) return;
    if (selected_ & needPen) SelectObject(dc_, origPen_);
    if (selected_ & needBrush) SelectObject(dc_, origBrush_);
    if (selected_ & needFont) SelectObject(dc_, origFont_);
    selected_ = 0;
}

void TCanvas::penChanged() {
    if (dc_ && (selected_ & needPen)) {
        SelectObject(dc_, origPen_);
        selected_ &= ~unsigned(needPen);
    }
}

void TCanvas::brushChanged() {
    if (dc_ && (selected_ & needBrush)) {
        SelectObject(dc_, origBrush_);
        selected_ &= ~unsigned(needBrush);
    }
}

void TCanvas::fontChanged() {
    if (dc_ && (selected_ & needFont)) {
        SelectObject(dc_, origFont_);
        selected_ &= ~unsigned(needFont);
    }
}

// Selects what an operation needs and sets the DC attributes that go with it. The
// attributes are set every time: code outside the canvas may have changed them.
void TCanvas::require(unsigned what) {
    HDC dc = Handle();
    if (!dc) throw Exception("Canvas does not allow drawing");
    if (what & needPen) {
        if (!(selected_ & needPen)) {
            origPen_ = SelectObject(dc, pen_.Handle());
            selected_ |= needPen;
        }
        SetROP2(dc, PenModeToRop2(pen_.Mode()));
    }
    if (what & needBrush) {
        if (!(selected_ & needBrush)) {
            origBrush_ = SelectObject(dc, brush_.Handle());
            selected_ |= needBrush;
        }
        SetBrushOrgEx(dc, 0, 0, nullptr);
    }
    if (what & needFont) {
        if (!(selected_ & needFont)) {
            origFont_ = SelectObject(dc, font_.Handle());
            selected_ |= needFont;
        }
        SetTextColor(dc, COLORREF(ColorToRGB(font_.Color())));
    }
    if (what & (needBrush | needFont)) {
        // Hatched brushes and text cells show the brush colour behind them unless it is clear.
        SetBkColor(dc, COLORREF(ColorToRGB(brush_.Color())));
        SetBkMode(dc, brush_.Style() == bsClear ? TRANSPARENT : OPAQUE);
    }
}

POINT TCanvas::PenPos() {
    POINT p{};
    if (HDC dc = Handle()) GetCurrentPositionEx(dc, &p);
    return p;
}

void TCanvas::MoveTo(int x, int y) {
    require(0);
    MoveToEx(dc_, x, y, nullptr);
}

void TCanvas::LineTo(int x, int y) {
    require(needPen);
    ::LineTo(dc_, x, y);
}

void TCanvas::Rectangle(int left, int top, int right, int bottom) {
    require(needPen | needBrush);
    ::Rectangle(dc_, left, top, right, bottom);
}

void TCanvas::Ellipse(const RECT& r) {
    require(needPen | needBrush);
    ::Ellipse(dc_, r.left, r.top, r.right, r.bottom);
}

void TCanvas::FillRect(const RECT& r) {
    require(needBrush);
    ::FillRect(dc_, &r, brush_.Handle());
}

void TCanvas::FrameRect(const RECT& r) {
    require(needBrush);
    ::FrameRect(dc_, &r, brush_.Handle());
}

void TCanvas::CopyRect(const RECT& dest, TCanvas& source, const RECT& src) {
    require(0);
    HDC from = source.Handle();
    if (!from) return;
    int oldMode = SetStretchBltMode(dc_, COLORONCOLOR);
    StretchBlt(dc_, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, from, src.left,
               src.top, src.right - src.left, src.bottom - src.top, copyMode_);
    SetStretchBltMode(dc_, oldMode);
}

void TCanvas::Draw(int x, int y, TGraphic& graphic) {
    if (graphic.Empty()) return;
    RECT r{x, y, x + graphic.Width(), y + graphic.Height()};
    StretchDraw(r, graphic);
}

void TCanvas::StretchDraw(const RECT& dest, TGraphic& graphic) {
    if (graphic.Empty()) return;
    require(0);
    graphic.Draw(*this, dest);
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
    require(needFont);
    ExtTextOutA(dc_, x, y, 0, nullptr, text.data(), UINT(text.size()), nullptr);
}

void TCanvas::TextRect(const RECT& r, int x, int y, const std::string& text) {
    require(needFont);
    UINT options = ETO_CLIPPED | (brush_.Style() == bsClear ? 0 : ETO_OPAQUE);
    ExtTextOutA(dc_, x, y, options, &r, text.data(), UINT(text.size()), nullptr);
}

SIZE TCanvas::TextExtent(const std::string& text) {
    require(needFont);
    SIZE s{};
    GetTextExtentPoint32A(dc_, text.data(), int(text.size()), &s);
    return s;
}

TColor TCanvas::Pixel(int x, int y) {
    require(0);
    COLORREF c = GetPixel(dc_, x, y);
    return c == CLR_INVALID ? clNone : TColor(c);
}

void TCanvas::SetPixel(int x, int y, TColor color) {
    require(0);
    ::SetPixelV(dc_, x, y, COLORREF(ColorToRGB(color)));
}

RECT TCanvas::ClipRect() {
    RECT r{};
    if (HDC dc = Handle()) GetClipBox(dc, &r);
    return r;
}

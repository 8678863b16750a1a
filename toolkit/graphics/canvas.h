// TCanvas: drawing on a device context with the canvas's own Pen, Brush and Font. The objects
// are selected lazily, when an operation needs them, and deselected before they change and
// before the canvas lets go of its DC, so neither the DC nor a GDI object is ever left
// holding the other.
#pragma once

#include <windows.h>

#include <string>

#include "toolkit/graphics/graphics_objects.h"

class TGraphic;

class TCanvas : public TPersistent {
    QS_DECLARE_CLASS()
  public:
    TCanvas();
    ~TCanvas() override;
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    // The DC, created on demand by canvases that make their own (a bitmap's); null when none.
    HDC Handle();
    // Draws on a DC someone else owns (a paint or window DC); null lets go of the current one.
    void SetHandle(HDC dc);
    bool HandleAllocated() const { return dc_ != nullptr; }

    TPen& Pen() { return pen_; }
    TBrush& Brush() { return brush_; }
    TFont& Font() { return font_; }
    // Raster operation of CopyRect (SRCCOPY by default).
    DWORD CopyMode() const { return copyMode_; }
    void SetCopyMode(DWORD rop) { copyMode_ = rop; }

    POINT PenPos();
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    // Outline with the pen, inside with the brush (nothing inside with a clear brush).
    void Rectangle(int left, int top, int right, int bottom);
    void Rectangle(const RECT& r) { Rectangle(r.left, r.top, r.right, r.bottom); }
    void Ellipse(const RECT& r);
    void FillRect(const RECT& r);  // brush only
    void FrameRect(const RECT& r); // one-pixel frame in the brush
    // StretchBlt from source's rectangle with CopyMode, COLORONCOLOR.
    void CopyRect(const RECT& dest, TCanvas& source, const RECT& src);
    // The graphic at its own size (transparent bitmaps leave their TransparentColor unpainted).
    void Draw(int x, int y, TGraphic& graphic);
    void StretchDraw(const RECT& dest, TGraphic& graphic);

    // Text in the font; the background is the brush's colour, or left alone with a clear brush.
    void TextOut(int x, int y, const std::string& text);
    // The same, clipped to r.
    void TextRect(const RECT& r, int x, int y, const std::string& text);
    SIZE TextExtent(const std::string& text);
    int TextWidth(const std::string& text) { return TextExtent(text).cx; }
    int TextHeight(const std::string& text) { return TextExtent(text).cy; }

    TColor Pixel(int x, int y);
    void SetPixel(int x, int y, TColor color);
    RECT ClipRect();

  protected:
    // Canvases that own their DC make it here (SetHandle with it) and free it in ReleaseDC.
    virtual void CreateHandle() {}
    // Puts the DC's original pen, brush and font back; the DC itself is left alone.
    void DeselectObjects();

  private:
    enum : unsigned { needPen = 1, needBrush = 2, needFont = 4 };
    void require(unsigned what);
    void penChanged();
    void brushChanged();
    void fontChanged();

    HDC dc_ = nullptr;
    unsigned selected_ = 0;
    HGDIOBJ origPen_ = nullptr;
    HGDIOBJ origBrush_ = nullptr;
    HGDIOBJ origFont_ = nullptr;
    DWORD copyMode_ = SRCCOPY;
    TPen pen_;
    TBrush brush_;
    TFont font_;
};

// TFont, TPen and TBrush: the published descriptions of GDI objects. Each creates its handle
// on first use and tells OnChange when a property changes; the old handle is released only
// after OnChange has run, so a canvas can deselect it first.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "toolkit/core/component.h"
#include "toolkit/core/events.h"
#include "toolkit/graphics/colors.h"
#include "toolkit/handles.h"

class TGraphicsObject : public TPersistent {
    QS_DECLARE_CLASS()
  public:
    TNotifyEvent OnChange;

  protected:
    // Fires OnChange; call it after the new property value is in place.
    void Changed();
};

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = uint8_t; // bit n = TFontStyle n
constexpr TFontStyles FontStyleBit(TFontStyle s) {
    return TFontStyles(1u << s);
}
const TEnumInfo& FontStyleInfo();

enum TFontPitch { fpDefault, fpVariable, fpFixed };
const TEnumInfo& FontPitchInfo();

class TFont : public TGraphicsObject {
    QS_DECLARE_CLASS()
  public:
    TFont();
    ~TFont() override;
    TFont(const TFont&) = delete;
    TFont& operator=(const TFont&) = delete;

    void Assign(const TPersistent* source) override;

    std::string Name() const { return name_; }
    void SetName(const std::string& value);
    // Character height in pixels (negative, as stored) or cell height (positive).
    int Height() const { return height_; }
    void SetHeight(int value);
    // Points at the screen's 96 pixels per inch: Height = -Size * 96 / 72.
    int Size() const;
    void SetSize(int value);
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles value);
    int Charset() const { return charset_; } // 1 = DEFAULT_CHARSET, 134 = GB2312
    void SetCharset(int value);
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    TFontPitch Pitch() const { return pitch_; }
    void SetPitch(TFontPitch value);

    // Created on demand, owned by the font: do not delete it, do not keep it past a change.
    HFONT Handle() const;
    // Takes the description of an existing font (the handle itself stays the caller's).
    void SetFromHandle(HFONT font);
    // The equivalent LOGFONTA.
    LOGFONTA LogFont() const;

  private:
    void changed(); // drops the handle after OnChange

    std::string name_ = "MS Sans Serif";
    int height_ = -11;
    TFontStyles style_ = 0;
    int charset_ = DEFAULT_CHARSET;
    TColor color_ = clWindowText;
    TFontPitch pitch_ = fpDefault;
    mutable win::FontHandle handle_;
};

enum TPenMode {
    pmBlack,
    pmWhite,
    pmNop,
    pmNot,
    pmCopy,
    pmNotCopy,
    pmMergePenNot,
    pmMaskPenNot,
    pmMergeNotPen,
    pmMaskNotPen,
    pmMerge,
    pmNotMerge,
    pmMask,
    pmNotMask,
    pmXor,
    pmNotXor
};
const TEnumInfo& PenModeInfo();
int PenModeToRop2(TPenMode mode); // R2_ value

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
const TEnumInfo& PenStyleInfo();

class TPen : public TGraphicsObject {
    QS_DECLARE_CLASS()
  public:
    TPen() = default;
    ~TPen() override;
    TPen(const TPen&) = delete;
    TPen& operator=(const TPen&) = delete;

    void Assign(const TPersistent* source) override;

    TColor Color() const { return color_; }
    void SetColor(TColor value);
    // The raster mode a canvas applies when it selects the pen (pmNot inverts; colour unused).
    TPenMode Mode() const { return mode_; }
    void SetMode(TPenMode value);
    TPenStyle Style() const { return style_; }
    void SetStyle(TPenStyle value);
    int Width() const { return width_; }
    void SetWidth(int value);

    HPEN Handle() const; // owned by the pen, like TFont::Handle

  private:
    void changed(); // drops the handle after OnChange

    TColor color_ = clBlack;
    TPenMode mode_ = pmCopy;
    TPenStyle style_ = psSolid;
    int width_ = 1;
    mutable win::PenHandle handle_;
};

enum TBrushStyle {
    bsSolid,
    bsClear,
    bsHorizontal,
    bsVertical,
    bsFDiagonal,
    bsBDiagonal,
    bsCross,
    bsDiagCross
};
const TEnumInfo& BrushStyleInfo();

class TBrush : public TGraphicsObject {
    QS_DECLARE_CLASS()
  public:
    TBrush() = default;
    ~TBrush() override;
    TBrush(const TBrush&) = delete;
    TBrush& operator=(const TBrush&) = delete;

    void Assign(const TPersistent* source) override;

    TColor Color() const { return color_; }
    void SetColor(TColor value); // also makes a clear brush solid again
    // bsClear: a hollow brush; shapes are not filled and text is drawn with a transparent background.
    TBrushStyle Style() const { return style_; }
    void SetStyle(TBrushStyle value);

    // Owned by the brush (bsClear gives the stock hollow brush), like TFont::Handle.
    HBRUSH Handle() const;

  private:
    void changed(); // drops the handle after OnChange

    TColor color_ = clWhite;
    TBrushStyle style_ = bsSolid;
    mutable win::BrushHandle handle_;
};

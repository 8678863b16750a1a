// Check boxes and radio buttons painted with the skin's check and radio glyph strips, and
// TSkinObjImage, which hands controls that draw their own glyphs a strip cut from the same images.
#pragma once

#include "skin/controls/choice_frames.h"
#include "skin/core/skin_control.h"
#include "toolkit/graphics/bitmap.h"

class TDataSkinButton;

// What check boxes and radio buttons share: the glyph beside the caption, see-through erasing.
class TSkinChoiceButton : public TSkinControl {
    QS_DECLARE_CLASS()
  public:
    using TSkinControl::TSkinControl;

    void AttachToControl(TFormSkinner* skinForm, TSkinData* skin, bool setColour, TCanvas* canvas) override;
    void AttachToWindow(HWND window, TSkinData* skin, TFormSkinner* skinForm, TCanvas* canvas) override;
    bool BeforeDefault(TMessage& m) override;
    void AfterDefault(TMessage& m) override;
    void DrawSkin(HDC dc, const RECT& rect) override;
    // A new skin may have the glyph image the old one lacked, or lack it.
    void SkinChanged() override;

    // A toolkit control with the skin's glyph image: the whole control is painted. A plain window
    // keeps its own painting and gets only the glyph over it.
    bool Skinned = false;
    // The parent shows through (Tag 5555, or the skin says so).
    bool Transparent = false;

  protected:
    virtual TBitmap* glyphImage(TDataSkinButton& buttons) const = 0;
    virtual int glyphFrames(const TDataSkinButton& buttons) const = 0;
    virtual int glyphFrame(int frames) = 0;
    // The radio glyph stands one pixel in from the right edge with left text.
    virtual int leftTextInset() const { return 0; }
    bool propertyTrue(const char* name) const;

  private:
    void readSkin();
    void paint(HDC dc);
    void erase(HDC dc);
    void drawCaption(HDC dc, RECT text, UINT flags);
};

class TSkinCheckBox : public TSkinChoiceButton {
    QS_DECLARE_CLASS()
  public:
    using TSkinChoiceButton::TSkinChoiceButton;
    void AttachToControl(TFormSkinner* skinForm, TSkinData* skin, bool setColour, TCanvas* canvas) override;
    void AfterDefault(TMessage& m) override;

    // The last BM_SETCHECK value plus one (0: none yet).
    int LastCheck = 0;

  protected:
    TBitmap* glyphImage(TDataSkinButton& buttons) const override;
    int glyphFrames(const TDataSkinButton& buttons) const override;
    int glyphFrame(int frames) override;
};

class TSkinRadioButton : public TSkinChoiceButton {
    QS_DECLARE_CLASS()
  public:
    using TSkinChoiceButton::TSkinChoiceButton;

  protected:
    TBitmap* glyphImage(TDataSkinButton& buttons) const override;
    int glyphFrames(const TDataSkinButton& buttons) const override;
    int glyphFrame(int frames) override;
    int leftTextInset() const override { return 1; }
};

class TSkinObjImage : public TSkinControl {
    QS_DECLARE_CLASS()
  public:
    using TSkinControl::TSkinControl;

    void AttachToControl(TFormSkinner* skinForm, TSkinData* skin, bool setColour, TCanvas* canvas) override;
    void Unskin() override;
    void SkinChanged() override;

    TGlyphStripKind Kind = gsCheckNine;

  private:
    void handStrip();
};

// The strip of `kind` cut from source (frames side by side); blank cells are magenta. False,
// and strip untouched, when the source is empty.
bool BuildGlyphStrip(TGlyphStripKind kind, TBitmap& source, int sourceFrames, TBitmap& strip);

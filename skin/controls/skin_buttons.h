// The push-button skinners: TSkinButton (a plain push button), TSkinBitButton (a glyph or an
// image-list picture beside the caption), TSkinMenuButton (a drop-down arrow) and
// TSkinSpeedButton (a windowless tool button that can stay down). Each paints into FaceBitmap and
// copies it to the screen in one blit, so a button never flickers.
#pragma once

#include <string>

#include "skin/controls/button_painting.h"
#include "skin/core/skin_control.h"
#include "toolkit/graphics/bitmap.h"

class TDataSkinButton;

class TSkinButton : public TSkinControl {
    QS_DECLARE_CLASS()
  public:
    explicit TSkinButton(TComponent* owner);

    void AttachToControl(TFormSkinner* skinForm, TSkinData* skin, bool setColour, TCanvas* canvas) override;
    void AttachToWindow(HWND window, TSkinData* skin, TFormSkinner* skinForm, TCanvas* canvas) override;
    bool BeforeDefault(TMessage& m) override;
    void AfterDefault(TMessage& m) override;
    void DrawSkin(HDC dc, const RECT& rect) override;
    void SkinChanged() override;

    TBitmap FaceBitmap;
    // The parent shows through the face's magenta (Tag 5555, or the skin says so).
    bool Transparent = false;
    // Classes that raise their own mouse-down event get no forwarded one.
    bool SkipMouseForward = false;

  protected:
    // What a painter reads of the button when it paints.
    struct Look {
        bool Focused = false;
        bool Enabled = true;
        bool Default = false;
        std::wstring Caption;
    };
    Look readLook();
    // The face frame for look under `rules`.
    int faceFrame(const Look& look, std::span<const TFaceRule> rules) const;
    // The face bitmap sized to rect with the background and face frame `face` (none when 0)
    // drawn; null when the skin has no button face.
    HDC prepareFace(const RECT& rect, int face);
    // The caption's font: the control's, or the window's own.
    HFONT captionFont() const;
    TColor startTextColour() const;
    UINT readingFlags() const;
    bool focusRectWanted(const Look& look) const;
    void paintNow(HDC dc);
    void click();
    TDataSkinButton* buttons() const;
    void readTransparency();
};

class TSkinBitButton : public TSkinButton {
    QS_DECLARE_CLASS()
  public:
    using TSkinButton::TSkinButton;
    void DrawSkin(HDC dc, const RECT& rect) override;

    // A picture property that replaces "Glyph" ("PngImage").
    std::string GraphicProperty;

  protected:
    // The control's glyph: the picture property's, else "Glyph"; null when empty.
    TBitmap* glyphOf(const TControl* control) const;
    // Glyph and caption laid out in client, drawn on dc (the face bitmap).
    void drawGlyphAndCaption(HDC dc, const RECT& client, const TControl* control, int face, TGlyphIndex index,
                             const std::wstring& caption, bool enabled, bool speed, bool focusRect);
};

class TSkinMenuButton : public TSkinButton {
    QS_DECLARE_CLASS()
  public:
    using TSkinButton::TSkinButton;
    void DrawSkin(HDC dc, const RECT& rect) override;
};

class TSkinSpeedButton : public TSkinBitButton {
    QS_DECLARE_CLASS()
  public:
    using TSkinBitButton::TSkinBitButton;

    // Windowless: hooks the control's message method, repaints through it.
    void AttachToControl(TFormSkinner* skinForm, TSkinData* skin, bool setColour, TCanvas* canvas) override;
    void AttachToGraphic(TFormSkinner* skinForm, TSkinData* skin, TCanvas* canvas);
    bool BeforeDefault(TMessage& m) override;
    void AfterDefault(TMessage& m) override;
    void PaintWindow(HDC dc) override;
    void PaintSpeedButton(HDC dc, const RECT& rect);

    bool Painting = false;
};

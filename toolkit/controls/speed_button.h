// TSpeedButton: a windowless tool button with a glyph. Buttons of one parent sharing a non-zero
// GroupIndex act as one choice: pressing one puts it down and lets the others up.
#pragma once

#include "toolkit/controls/button_glyph.h"
#include "toolkit/controls/button_layout.h"
#include "toolkit/controls/control.h"

class TSpeedButton : public TGraphicControl {
    QS_DECLARE_CLASS()
  public:
    explicit TSpeedButton(TComponent* AOwner);

    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int value);
    // Only a grouped button stays down. A down one comes up again only through another of its
    // group, or by itself when AllowAllUp.
    bool Down() const { return down_; }
    void SetDown(bool value);
    // Shared by the whole group.
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool value);
    // Without a frame until the pointer comes over it.
    bool Flat() const { return flat_; }
    void SetFlat(bool value);
    // A flat button leaves its parent's background showing.
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    TBitmap* Glyph() const { return &glyph_; }
    void SetGlyph(TBitmap* value) { glyph_.Assign(value); }
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int value);
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout value);
    int Margin() const { return margin_; }
    void SetMargin(int value);
    int Spacing() const { return spacing_; }
    void SetSpacing(int value);

    // The pointer is over the button (between its mouse enter and leave notices).
    bool MouseInControl() const { return mouseInControl_; }
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

  protected:
    void Paint() override;
    void Loaded() override;
    void WndProc(TMessage& message) override;
    bool ClicksOnMouseUp() const override { return false; }

  private:
    template <class F> void forEachInGroup(F f);
    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
    void paintFrame(HDC dc, RECT& r) const;

    mutable TBitmap glyph_;
    int groupIndex_ = 0;
    bool down_ = false;
    bool allowAllUp_ = false;
    bool flat_ = false;
    bool transparent_ = true;
    int numGlyphs_ = 1;
    TButtonLayout layout_ = blGlyphLeft;
    int margin_ = -1;
    int spacing_ = 4;
    bool mouseInControl_ = false;
    bool dragging_ = false; // the left button went down here and is still held
    bool pressed_ = false;  // drawn pushed in while dragging over it
};

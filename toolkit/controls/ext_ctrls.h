// Extra controls: TPanel (a bevelled container), TShape, TImage and TBevel.
#pragma once

#include "toolkit/controls/std_ctrls.h"
#include "toolkit/controls/win_control.h"
#include "toolkit/graphics/picture.h"

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
const TEnumInfo& BevelCutInfo();
// A panel's own border: bsNone or bsSingle (the form border style's first two members).
const TEnumInfo& BorderStyleInfo();

// Draws `width` one-pixel rings inside r, top-left in `topLeft`, bottom-right in
// `bottomRight`, and leaves r inside them.
void Frame3D(HDC dc, RECT& r, TColor topLeft, TColor bottomRight, int width);

class TCustomPanel : public TWinControl {
    QS_DECLARE_CLASS()
  public:
    explicit TCustomPanel(TComponent* AOwner);

    TBevelCut BevelInner() const { return bevelInner_; }
    void SetBevelInner(TBevelCut value);
    TBevelCut BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TBevelCut value);
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int value);
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int value);
    int BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(int value);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);

  protected:
    void PaintWindow(HDC dc) override;

  private:
    TBevelCut bevelInner_ = bvNone;
    TBevelCut bevelOuter_ = bvRaised;
    int bevelWidth_ = 1;
    int borderWidth_ = 0;
    int borderStyle_ = 0;
    TAlignment alignment_ = taCenter;
};

class TPanel : public TCustomPanel {
    QS_DECLARE_CLASS()
  public:
    explicit TPanel(TComponent* AOwner) : TCustomPanel(AOwner) {}
};

enum TShapeType { stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle };
const TEnumInfo& ShapeTypeInfo();

class TShape : public TGraphicControl {
    QS_DECLARE_CLASS()
  public:
    explicit TShape(TComponent* AOwner);

    TShapeType Shape() const { return shape_; }
    void SetShape(TShapeType value);
    TPen* Pen() const { return &pen_; }
    void SetPen(TPen* value) { pen_.Assign(value); }
    TBrush* Brush() const { return &brush_; }
    void SetBrush(TBrush* value) { brush_.Assign(value); }

  protected:
    void Paint() override;

  private:
    TShapeType shape_ = stRectangle;
    mutable TPen pen_;
    mutable TBrush brush_;
};

class TImage : public TGraphicControl {
    QS_DECLARE_CLASS()
  public:
    explicit TImage(TComponent* AOwner);

    TPicture* Picture() const { return &picture_; }
    void SetPicture(TPicture* value) { picture_.Assign(value); }
    // The canvas of the picture's bitmap (one of the control's size is made when the picture
    // is empty); drawing on it shows once the control repaints.
    TCanvas& Canvas();
    bool Stretch() const { return stretch_; }
    void SetStretch(bool value);
    bool Center() const { return center_; }
    void SetCenter(bool value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);

  protected:
    void Paint() override;

  private:
    void pictureChanged();

    mutable TPicture picture_;
    bool stretch_ = false;
    bool center_ = false;
    bool transparent_ = false;
    bool autoSize_ = false;
};

enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
const TEnumInfo& BevelShapeInfo();
enum TBevelStyle { bsLowered, bsRaised };
const TEnumInfo& BevelStyleInfo();

class TBevel : public TGraphicControl {
    QS_DECLARE_CLASS()
  public:
    explicit TBevel(TComponent* AOwner);

    TBevelShape Shape() const { return shape_; }
    void SetShape(TBevelShape value);
    TBevelStyle Style() const { return style_; }
    void SetStyle(TBevelStyle value);

  protected:
    void Paint() override;

  private:
    TBevelShape shape_ = bsBox;
    TBevelStyle style_ = bsLowered;
};

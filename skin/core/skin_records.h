// The skin model's records: one per skinned object kind. An image holds `Frame` equally wide
// frames side by side (numbered from 1 at the left) with nine-slice margins; painters only read.
#pragma once

#include <windows.h>

#include <string>

#include "skin/core/caption_codes.h"
#include "toolkit/graphics/bitmap.h"
#include "toolkit/graphics/colors.h"

class TDataSkinObject {
  public:
    explicit TDataSkinObject(std::string name = {}) : Name(std::move(name)) {}
    virtual ~TDataSkinObject() = default;
    TDataSkinObject(const TDataSkinObject&) = delete;
    TDataSkinObject& operator=(const TDataSkinObject&) = delete;

    // The margins as the drawing primitives take them.
    RECT Margins() const { return RECT{LeftWidth, TopHeight, RightWidth, BottomHeight}; }
    // The frame count painters divide by: a stored 0 or less counts as one frame.
    int Frames() const { return Frame > 1 ? int(Frame) : 1; }

    int32_t LeftWidth = 0;
    int32_t TopHeight = 0;
    int32_t RightWidth = 0;
    int32_t BottomHeight = 0;
    TBitmap Bitmap;
    int32_t Trans = 0;
    // 0 stretch, 1 tile; the frame borders keep their "<side>Stretch" value here instead.
    int32_t Tile = 0;
    std::string Name;
    int32_t Frame = 0;
    int32_t Style = 0;
    TColor NormalColour = -1;
    TColor MouseOverColour = -1;
    TColor PressedColour = -1;
    TColor NormalColour2 = clBlack;
    TColor MouseOverColour2 = clBlack;
    TColor PressedColour2 = clBlack;
};

class TDataSkinBorder : public TDataSkinObject {
  public:
    using TDataSkinObject::TDataSkinObject;
    TBitmap Bitmap2;
};

class TDataSkinButton : public TDataSkinObject {
  public:
    using TDataSkinObject::TDataSkinObject;
    TBitmap CheckButton;
    TBitmap RadioButton;
    int32_t RadioButtonFrame = 0;
    int32_t CheckButtonFrame = 0;
    bool HasNormalColour2 = false;
    bool HasMouseOverColour2 = false;
    bool HasPressedColour2 = false;
};

// Where the caption text sits in the band (the Title record's TextAlignment).
enum TTitleAlignment : int32_t { txLeft = 0, txCentre = 1, txRight = 2 };

// The caption text: Bitmap is the text background, LeftWidth the horizontal text shift,
// TopHeight the vertical one, RightWidth the right clipping distance.
class TDataSkinTitle : public TDataSkinObject {
  public:
    using TDataSkinObject::TDataSkinObject;
    int32_t TextAlignment = 0;
    int32_t Textbackground = 0;
    int32_t FontHeight = 14;
    int32_t TXTBackleft = 0;
    int32_t TXTBackRight = 0;
    TColor ActiveText = clNone;
    TColor InActiveText = clNone;
};

// One caption button.
class TDataSkinSysButton : public TDataSkinObject {
  public:
    using TDataSkinObject::TDataSkinObject;
    int32_t Action = 0;
    int32_t Align = 0;
    int32_t Xcoord = 0;
    int32_t Ycoord = 0;
    int32_t CombineOp = -1;
    int32_t Visibility = 0;
    int32_t Visibility1 = 0;
};

// A group box's label background.
class TDataSkinBoxLabel : public TDataSkinObject {
  public:
    using TDataSkinObject::TDataSkinObject;
    int32_t BackgroundLeftShift = 0;
    int32_t BackgroundRightShift = 0;
    int32_t BackgroundAlignment = 0;
};

// The skin model's records: one per skinned object kind. An image holds `Frame` equally wide
// frames side by side (numbered from 1 at the left) with nine-slice margins; painters only read.
#pragma once

#include <windows.h>

#include <string>

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

// What a caption button does (its stored Action). Several values mean the same thing: skins of
// different generations use one or the other.
enum TCaptionAction : int32_t {
    acNone = -1, // a decoration that is never hit
    acClose = 0,
    acMaximize = 1,
    acMinimize = 2,
    acSystemMenu = 3,
    acHelp = 4,
    acMdiChildMinimize = 7,
    acMdiChildRestore = 8,
    acMdiChildClose = 9,
    acSystemMenuIcon = 11,
    acSystemMenuAlt = 12,
    acMaximizeAlt = 22,
    acMinimizeAlt = 23,
    acMdiChildMinimizeAlt = 60,
    acMdiChildRestoreAlt = 61,
    acMdiChildCloseAlt = 62,
};
constexpr bool IsCloseAction(int a) {
    return a == acClose;
}
constexpr bool IsMaximizeAction(int a) {
    return a == acMaximize || a == acMaximizeAlt;
}
constexpr bool IsMinimizeAction(int a) {
    return a == acMinimize || a == acMinimizeAlt;
}
// The buttons that show the window's icon.
constexpr bool IsIconAction(int a) {
    return a == acSystemMenu || a == acSystemMenuIcon;
}
constexpr bool IsSystemMenuAction(int a) {
    return IsIconAction(a) || a == acSystemMenuAlt;
}
constexpr bool IsMdiMinimizeAction(int a) {
    return a == acMdiChildMinimize || a == acMdiChildMinimizeAlt;
}
constexpr bool IsMdiRestoreAction(int a) {
    return a == acMdiChildRestore || a == acMdiChildRestoreAlt;
}
constexpr bool IsMdiCloseAction(int a) {
    return a == acMdiChildClose || a == acMdiChildCloseAlt;
}

// Where a caption button is anchored (its stored Align).
enum TCaptionAlign : int32_t {
    caLeftEdge = 0,      // Xcoord from the window's left edge
    caRightEdge = 1,     // Xcoord is the distance from the right edge to the button's left edge
    caBeforeText = 2,    // left of the caption text
    caAfterText = 3,     // right of the caption text
    caBeforeTextAlt = 8, // as 2
    caAfterTextAlt = 9,  // as 3
    caMenuBand = 100,    // on the menu band, from the right
};

// When a caption button shows (its stored Visibility and Visibility1): the first condition comes
// from Visibility, the second from Visibility1, and both must hold.
enum TCaptionVisibility : int32_t {
    cvNever = -1, // skins hide a button with it
    cvAlways = 0,
    cvMaximized = 1,
    cvNotMaximized = 2,
    cvActive = 3,
    cvInactive = 4,
    cvMinOrMaxBox = 6,
    cvNoMaxBox = 7,
    cvMinOrMaxBoxAlt = 8,
    cvNoMinBox = 9,
    cvHelpOnly = 10,
    cvMenuBand = 100,      // a maximised MDI child's controls on the frame's menu band
    cvDialogFrame = 200,   // a dialog-framed window that is not a dialog
    cvFirstOnlyFrom = 201, // 201..999: the first condition holds, the second never
    cvFirstOnlyTo = 999,
    cvAskWindowFrom = 1000, // 1000..2000: the window answers SKM_BUTTONVISIBLE
    cvAskWindowTo = 2000,
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

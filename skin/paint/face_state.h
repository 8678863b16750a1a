// Which frame of a skin image shows a control's state. Every painter asks here instead of writing
// its own chain of conditions: a face map is an ordered list of (condition, frame) rules, the
// first rule that holds wins, and a frame the image does not have gives the normal frame.
//
// The standard button face (frame 1 normal, 2 pressed, 3 disabled, 4 hot, 5 focused or default,
// with the priority disabled, pressed, hot, focused, normal) is kButtonFace; other pieces keep
// their own maps beside it as data.
#pragma once

#include <span>

// What a painter knows of the control when it paints.
struct TFaceState {
    bool Enabled = true;
    bool Pressed = false;
    bool Hot = false;
    bool Focused = false; // has the focus, or is the default button
    bool Checked = false;
    bool Active = true; // the window is active
};

enum class TFaceCondition { Disabled, Pressed, Hot, Focused, Checked, Inactive };

struct TFaceRule {
    TFaceCondition When;
    int Frame;
};

// Frames of the standard button face.
enum TFaceFrame : int { ffNormal = 1, ffPressed = 2, ffDisabled = 3, ffHot = 4, ffFocused = 5 };

// The first rule that holds gives the frame; none, or a frame beyond frameCount, gives frame 1.
int FaceFrame(const TFaceState& state, std::span<const TFaceRule> rules, int frameCount);

// Push buttons and every button-like face.
inline constexpr TFaceRule kButtonFace[] = {{TFaceCondition::Disabled, ffDisabled},
                                            {TFaceCondition::Pressed, ffPressed},
                                            {TFaceCondition::Hot, ffHot},
                                            {TFaceCondition::Focused, ffFocused}};
// Frame borders, the caption band and its text background: frame 2 while the window is inactive.
inline constexpr TFaceRule kFrameActivity[] = {{TFaceCondition::Inactive, 2}};
// A caption button drawn in a state change: 2 pressed, 3 hot, 4 disabled.
inline constexpr TFaceRule kCaptionButtonState[] = {
    {TFaceCondition::Disabled, 4}, {TFaceCondition::Pressed, 2}, {TFaceCondition::Hot, 3}};
// The same for the buttons on the menu band, whose hot frame is the fourth.
inline constexpr TFaceRule kMenuBandButtonState[] = {
    {TFaceCondition::Disabled, 4}, {TFaceCondition::Pressed, 2}, {TFaceCondition::Hot, 4}};
// A caption button at rest in the band: frame 4 when disabled or in an inactive window.
inline constexpr TFaceRule kCaptionButtonAtRest[] = {{TFaceCondition::Disabled, 4},
                                                     {TFaceCondition::Inactive, 4}};
// An up-down arrow button: 2 pressed, 3 disabled, 4 hot.
inline constexpr TFaceRule kArrowButtonState[] = {
    {TFaceCondition::Disabled, 3}, {TFaceCondition::Pressed, 2}, {TFaceCondition::Hot, 4}};
// A menu item: frame 4 while selected (the pointer or the keyboard is on it).
inline constexpr TFaceRule kMenuItemFace[] = {{TFaceCondition::Hot, 4}};
// A combo box's button: 2 pressed, 4 hot or focused, and 3 whenever it is disabled.
inline constexpr TFaceRule kComboButtonFace[] = {{TFaceCondition::Disabled, ffDisabled},
                                                 {TFaceCondition::Pressed, ffPressed},
                                                 {TFaceCondition::Hot, ffHot},
                                                 {TFaceCondition::Focused, ffHot}};
// The simple-style combo button: being disabled counts only when nothing else shows.
inline constexpr TFaceRule kSimpleComboButtonFace[] = {{TFaceCondition::Pressed, ffPressed},
                                                       {TFaceCondition::Hot, ffHot},
                                                       {TFaceCondition::Focused, ffHot},
                                                       {TFaceCondition::Disabled, ffDisabled}};

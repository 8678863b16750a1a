// The arithmetic of the range-control painters: which up-down frame shows each arrow, where a
// track-bar channel's three slices go, and how far a progress bar is filled. Plain functions over
// what the painters read from the window, so they are checked without one.
#pragma once

#include <array>

// A rectangle in the painters' terms (left, top, right, bottom), free of any window header.
struct TBox {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool operator==(const TBox&) const = default;
};

// ---- Up-down controls ----

enum TArrowKind : int { akUp = 0, akDown = 1, akLeft = 2, akRight = 3 };
// Button states as the up-down strips number them.
enum TArrowState : int { asNormal = 1, asPressed = 2, asDisabled = 3, asHot = 4 };

// The 1-based frame of an arrow button: up 1-4 and down 5-8 of the vertical strip, left 1-4 and
// right 5-8 of the horizontal one.
int UpDownFrame(TArrowKind kind, int state);

struct TUpDownFacts {
    int Width = 0, Height = 0;
    bool Horizontal = false;
    bool Enabled = true;
    bool Pressed = false;
    bool Hot = false;
    int CursorX = 0, CursorY = 0; // client coordinates
};

struct TArrowButton {
    TBox Box;
    TArrowKind Kind = akUp;
    int State = asNormal;
    int Frame() const { return UpDownFrame(Kind, State); }
};

// The two buttons (left or top first): the one under the cursor shows the mouse state, the other
// is at rest; both show disabled when the control is.
std::array<TArrowButton, 2> UpDownButtons(const TUpDownFacts& facts);

// An up-down inside an edit keeps 3 pixels clear of the edit's frame: `box` (the up-down's own
// client rectangle) shrunk where its screen rectangle comes closer than that to the edit's.
TBox KeepInsideEditFrame(TBox box, const TBox& upDownOnScreen, const TBox& editOnScreen);

// ---- Track-bar channels ----

// A vertical track bar reports its channel with x and y exchanged.
TBox SwapAxes(const TBox& box);
// Where an image `image` pixels across sits in `extent`: centred when smaller, else at 0.
int ChannelOffset(int extent, int image);

struct TSlice {
    TBox Dest;
    TBox Source;
};
// The three stretches of a channel image w x h into channel c: caps `first` and `last` pixels long
// along the channel (left/right, or top/bottom when vertical) at the image's own breadth, the
// middle stretched between them.
std::array<TSlice, 3> ChannelSlices(const TBox& c, int w, int h, int first, int last, bool vertical);

// ---- Progress bars ----

// Windows' MulDiv: a * b / c rounded half away from zero; -1 when c is 0.
int MulDivRound(int a, int b, int c);
// The filled part of `width` in the stretched style: (pos - lo) / (hi - lo) of it, kept within
// 0..width; nothing for an empty range.
int StretchedFill(int width, int pos, int lo, int hi);
// The filled part in the chunk style, which measures from zero: pos / hi of width, within 0..width.
int ChunkFill(int width, int pos, int hi);

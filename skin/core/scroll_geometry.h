// The arithmetic of the scroll-bar skinners, free of any window: where a scroll-bar control's
// thumb lies, how thick the skinned bar is drawn, how long its arrows are, where a dragged thumb
// may go, which part a point hits, which frame shows each piece, and which list position a
// dragged combo-list thumb stands for.
#pragma once

// Scroll-bar parts, numbered as the system's scroll codes so that WM_HSCROLL and WM_VSCROLL
// codes name them directly.
enum TScrollPart : int {
    spNone = -1,
    spFirstArrow = 0,
    spSecondArrow = 1,
    spPageBefore = 2,
    spPageAfter = 3,
    spThumb = 5
};

// Windows' MulDiv: a * b / c rounded half away from zero; -1 when c is 0.
int ScrollMulDiv(int a, int b, int c);

struct TThumbExtent {
    int Start = 0, End = 0;
    int Length() const { return End - Start; }
    bool operator==(const TThumbExtent&) const = default;
};

// A scroll-bar control's thumb from its scroll info. With a page the thumb is its share of the
// usable length (at least 8 pixels); without one it is an arrow long.
TThumbExtent ControlThumb(int barLength, int arrowSize, int min, int max, int page, int position);
// The same from a toolkit scroll bar's properties at a button press: no 8-pixel minimum there.
TThumbExtent PropertyThumb(int barLength, int arrowSize, int min, int max, int pageSize, int position);

// The thickness the pieces are drawn with: the Scrollbar image's height when it is within 2 of
// the arrow size, else the arrow size.
int ScrollThickness(int imageHeight, int arrowSize);
// The length of each arrow: the arrow size, or half the bar when two would not fit.
int ScrollArrowLength(int barLength, int arrowSize);
// A dragged thumb's start: it follows the pointer but stays between the arrows.
int DragThumbStart(int downThumbStart, int pointerMove, int arrowSize, int barLength, int thumbLength);
// The part under `along` (the distance from the bar's start).
TScrollPart ScrollHitTest(int along, int arrowSize, int thumbStart, int thumbEnd, int barLength);

// The pieces of the Scrollbar image and the thumb record.
enum class TScrollPiece { LeftArrow, RightArrow, UpArrow, DownArrow, HorzGrip, VertGrip, Thumb };
// The frame a piece shows: `active` is whether the bar's hot part is this piece's part,
// `tracking` whether a click is being handed on (pressed) rather than the pointer resting (hot).
int ScrollPieceFrame(TScrollPiece piece, bool active, bool tracking);
// Where the grip goes along the thumb (its offset from the thumb's start), or -1 when a grip
// `gripSize` long does not fit a thumb that long.
int GripOffset(int thumbLength, int gripSize);

// The list position a combo list's dragged thumb stands for. `offset` is how far the thumb's
// start has moved from the top of the track; trackLength the bar between its arrows.
int ComboThumbPosition(int offset, int trackLength, int thumbLength, int min, int max, int page);

// Scroll-bar arithmetic.
#include "skin/core/scroll_geometry.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

// A range of zero would divide by zero: the thumb then stays at the start.
constexpr int kEmptyRange = 9999999;
// A paged thumb is never drawn shorter than this.
constexpr int kMinimumThumb = 8;

struct TPieceFrames {
    int Normal, Pressed, Hot;
};
// Frames of the Scrollbar image (arrows and grips) and of the thumb record, by TScrollPiece.
constexpr TPieceFrames kPieceFrames[] = {
    {1, 2, 4}, {5, 6, 8}, {9, 10, 12}, {13, 14, 16}, {17, 18, 19}, {20, 21, 22}, {1, 2, 3},
};

int rangeOf(int min, int max) {
    return max == min ? kEmptyRange : max - min;
}

} // namespace

int ScrollMulDiv(int a, int b, int c) {
    if (c == 0) return -1;
    const int64_t p = int64_t(a) * b;
    const int64_t q = (std::llabs(p) + std::llabs(int64_t(c)) / 2) / std::llabs(int64_t(c));
    return int((p < 0) != (c < 0) ? -q : q);
}

TThumbExtent ControlThumb(int barLength, int arrowSize, int min, int max, int page, int position) {
    const int r = rangeOf(min, max);
    const int usable = barLength - 2 * arrowSize;
    TThumbExtent t;
    int length = 0;
    if (page > 0) {
        length = ScrollMulDiv(usable, page - 1, r);
        if (length > kMinimumThumb - 1) {
            t.Start = position == min ? arrowSize : ScrollMulDiv(usable, position - min, r) + arrowSize;
        } else {
            length = kMinimumThumb;
            t.Start = position == min ? arrowSize
                                      : ScrollMulDiv(usable - kMinimumThumb, position - min, r) + arrowSize;
        }
    } else {
        length = arrowSize;
        t.Start = position == min ? arrowSize
                                  : ScrollMulDiv(barLength - 3 * arrowSize, position - min, r) + arrowSize;
    }
    t.End = t.Start + length;
    return t;
}

TThumbExtent PropertyThumb(int barLength, int arrowSize, int min, int max, int pageSize, int position) {
    const int r = rangeOf(min, max);
    const int usable = barLength - 2 * arrowSize;
    TThumbExtent t;
    int length = arrowSize;
    if (pageSize != 0) {
        length = ScrollMulDiv(usable, pageSize - 1, r);
        t.Start = ScrollMulDiv(usable, position - min, r) + arrowSize;
    } else {
        t.Start = ScrollMulDiv(barLength - 3 * arrowSize, position - min, r) + arrowSize;
    }
    t.End = t.Start + length;
    return t;
}

int ScrollThickness(int imageHeight, int arrowSize) {
    return std::abs(imageHeight - arrowSize) > 2 ? arrowSize : imageHeight;
}

int ScrollArrowLength(int barLength, int arrowSize) {
    return barLength < 2 * arrowSize ? barLength / 2 : arrowSize;
}

int DragThumbStart(int downThumbStart, int pointerMove, int arrowSize, int barLength, int thumbLength) {
    const int highest = std::max(arrowSize, barLength - arrowSize - thumbLength);
    return std::clamp(downThumbStart + pointerMove, arrowSize, highest);
}

TScrollPart ScrollHitTest(int along, int arrowSize, int thumbStart, int thumbEnd, int barLength) {
    if (along < arrowSize) return spFirstArrow;
    if (along < thumbStart) return spPageBefore;
    if (along < thumbEnd) return spThumb;
    if (along < barLength - arrowSize) return spPageAfter;
    return spSecondArrow;
}

int ScrollPieceFrame(TScrollPiece piece, bool active, bool tracking) {
    const TPieceFrames& f = kPieceFrames[int(piece)];
    if (!active) return f.Normal;
    return tracking ? f.Pressed : f.Hot;
}

int GripOffset(int thumbLength, int gripSize) {
    if (gripSize <= 0 || gripSize >= thumbLength + 2) return -1;
    return (thumbLength - gripSize) / 2;
}

int ComboThumbPosition(int offset, int trackLength, int thumbLength, int min, int max, int page) {
    offset = std::max(offset, 0);
    int position = 0;
    if (page > 0) {
        const int movable = trackLength - thumbLength;
        if (offset > movable) offset = movable + 1;
        position = movable > 0 ? ScrollMulDiv(offset, max - min - page, movable) + min : min;
        position = std::min(position, max - page + 1);
    } else {
        offset = std::min(offset, trackLength - thumbLength);
        position = trackLength > 0 ? ScrollMulDiv(offset, max - min, trackLength) + min : min;
        position = std::min(position, max);
    }
    return std::max(position, min);
}

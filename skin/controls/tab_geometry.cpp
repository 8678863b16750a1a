// The tab painters' arithmetic.
#include "skin/controls/tab_geometry.h"

namespace {

constexpr uint32_t kStyleBottom = 0x2;    // TCS_BOTTOM, TCS_RIGHT with TCS_VERTICAL
constexpr uint32_t kStyleVertical = 0x80; // TCS_VERTICAL
// The page frame's overlap with the display rectangle.
constexpr int kFrameGrowth = 4;
// Room the tab set's scroll arrows take beyond a tab's padding.
constexpr int kArrowRoom = 12;

} // namespace

TTabSide TabSideOfStyle(uint32_t style) {
    const bool bottom = style & kStyleBottom, vertical = style & kStyleVertical;
    if (vertical) return bottom ? tabRight : tabLeft;
    return bottom ? tabBottom : tabTop;
}

TBox PageFrame(const TBox& display, TTabSide side) {
    TBox p{display.Left - kFrameGrowth, display.Top - kFrameGrowth, display.Right + kFrameGrowth,
           display.Bottom + kFrameGrowth};
    switch (side) {
    case tabTop: ++p.Top; break;
    case tabBottom: --p.Bottom; break;
    case tabLeft: ++p.Left; break;
    case tabRight: --p.Right; break;
    }
    return p;
}

TBox TabStrip(const TBox& r, const TBox& p, TTabSide side) {
    switch (side) {
    case tabBottom: return TBox{r.Left, p.Bottom, r.Right, r.Bottom};
    case tabLeft: return TBox{r.Left, r.Top, p.Left, r.Bottom};
    case tabRight: return TBox{p.Right, r.Top, r.Right, r.Bottom};
    case tabTop: break;
    }
    return TBox{r.Left, r.Top, r.Right, p.Top};
}

TStripSize StripBitmapSize(const TBox& strip, TTabSide side) {
    if (side == tabLeft || side == tabRight) return TStripSize{strip.Height(), strip.Width()};
    return TStripSize{strip.Width(), strip.Height()};
}

TBox TabInStrip(const TBox& t, TTabSide side, const TBox& r, const TBox& p, int ws) {
    switch (side) {
    case tabBottom: return TBox{t.Left, t.Top - p.Bottom - 1, t.Right, t.Bottom - p.Bottom - 1};
    // Turned anticlockwise afterwards: the strip's x runs up the control, its y across it.
    case tabLeft: return TBox{ws - t.Bottom, t.Left, ws - t.Top, t.Right};
    // Turned clockwise afterwards: x runs down the control, y in from its right edge.
    case tabRight: return TBox{t.Top - 1, r.Right - t.Right, t.Bottom - 1, r.Right - t.Left};
    case tabTop: break;
    }
    return TBox{t.Left, t.Top + 1, t.Right, t.Bottom + 1};
}

TBox CloseBox(const TBox& t) {
    return TBox{t.Right - 8, t.Top + 2, t.Right - 2, t.Top + 8};
}

bool TabSetTabFits(int usable, int x, int width, bool arrowsShow) {
    return usable >= x + width + kTabSetPadding + (arrowsShow ? kArrowRoom : 0);
}

int LabelStart(TLabelAlignment alignment, int boxWidth, int textWidth, int iconWidth) {
    int x = 3;
    if (alignment == laCentre) x = (boxWidth - textWidth - iconWidth) / 2;
    if (alignment == laRight) x = boxWidth - textWidth - iconWidth - 2;
    return x < 2 ? 1 : x;
}

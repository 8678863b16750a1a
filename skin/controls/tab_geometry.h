// The arithmetic of the tab painters: where the tabs are from the window style, the page and strip
// rectangles, where a tab lands in the strip (always drawn as a top strip and turned afterwards),
// the close boxes, which tabs of a tab set fit, and where a centred label starts. Plain functions
// over what the painters read from the window, so they are checked without one.
#pragma once

#include <cstdint>

#include "skin/controls/range_geometry.h"

enum TTabSide : int { tabTop = 0, tabBottom = 1, tabLeft = 2, tabRight = 3 };

// TCS_BOTTOM (also TCS_RIGHT) and TCS_VERTICAL pick the side.
TTabSide TabSideOfStyle(uint32_t style);

// The page frame: the display rectangle grown by 4 and moved 1 pixel away from the tabs.
TBox PageFrame(const TBox& display, TTabSide side);
// The band between the control's edge and the page frame on the tabs' side.
TBox TabStrip(const TBox& control, const TBox& page, TTabSide side);
// The strip bitmap lies as a top strip: left and right strips are turned sideways.
struct TStripSize {
    int Width = 0, Height = 0;
};
TStripSize StripBitmapSize(const TBox& strip, TTabSide side);
// A tab's window rectangle in the strip bitmap's coordinates, before the strip is turned.
TBox TabInStrip(const TBox& tab, TTabSide side, const TBox& control, const TBox& page, int stripWidth);

// The close box in the top-right corner of a tab (strip coordinates): 6 by 6, 2 pixels in.
TBox CloseBox(const TBox& tab);

// Whether a tab set's tab `width` wide, starting at x, fits in `usable`: the scroll arrows, when
// they show, take room beyond the tab's own 9 pixels of padding.
bool TabSetTabFits(int usable, int x, int width, bool arrowsShow);
// The tab set's padding around a caption.
constexpr int kTabSetPadding = 9;

enum TLabelAlignment : int { laLeft = 0, laCentre = 1, laRight = 2 };
// Where a label of an icon `iconWidth` wide and text `textWidth` wide starts in a box `boxWidth`
// wide; never closer than 1 pixel to the box's left edge.
int LabelStart(TLabelAlignment alignment, int boxWidth, int textWidth, int iconWidth);

// Skin painting for tool bars.
#include "skin/form/toolbar_paint.h"

#include "skin/core/skin_data.h"
#include "skin/core/skin_records.h"
#include "skin/paint/skin_paint.h"
#include "toolkit/graphics/rects.h"

int ToolbarButtonFrame(TCustomDrawState state) {
    if (state & cdsSelected) return 2;
    if (state & (cdsFocused | cdsHot)) return 4;
    if ((state & cdsDefault) && !(state & (cdsGrayed | cdsDisabled))) return 1;
    return 0;
}

TColor ToolbarButtonTextColour(const TDataSkinButton& b, int frame) {
    if (frame == 1 && b.HasNormalColour2) return b.NormalColour2;
    if (frame == 4 && b.HasMouseOverColour2) return b.MouseOverColour2;
    if (frame == 2 && b.HasPressedColour2) return b.PressedColour2;
    return clNone;
}

bool PaintToolbarBackground(HDC dc, const RECT& rect, TSkinData& skin) {
    if (!skin.Toolbar || skin.Toolbar->Bitmap.Empty() || InSet(skin.Options(), xoToolbarBK)) return false;
    TBitmap& image = skin.Toolbar->Bitmap;
    const int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, rect.left, rect.top, RectWidth(rect), RectHeight(rect), image.Canvas().Handle(), 0, 0,
               image.Width(), image.Height(), SRCCOPY);
    SetStretchBltMode(dc, oldMode);
    return true;
}

bool PaintToolbarButton(HDC dc, const RECT& bounds, TSkinData& skin, TCustomDrawState state) {
    TDataSkinButton* b = skin.Buttons.get();
    const int frame = ToolbarButtonFrame(state);
    if (!b || b->Bitmap.Empty() || frame == 0) return false;
    const TColor text = ToolbarButtonTextColour(*b, frame);
    if (text != clNone) SetTextColor(dc, ColorToRGB(text));
    RECT face = bounds;
    InflateRect(&face, -1, -1);
    DrawSkinObject(dc, face, b->Bitmap, false, false, b->Trans != 0, 5, frame, b->Margins());
    return true;
}

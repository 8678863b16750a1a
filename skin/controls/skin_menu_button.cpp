// TSkinMenuButton: a push button with a glyph on the left and a drop-down arrow after the caption.
#include "skin/controls/skin_buttons.h"
#include "skin/core/skin_data.h"
#include "skin/core/skin_records.h"
#include "toolkit/controls/control.h"
#include "toolkit/core/class_builder.h"
#include "toolkit/core/prop_access.h"
#include "toolkit/graphics/canvas.h"
#include "toolkit/graphics/rects.h"
#include "toolkit/handles.h"

const TClassInfo& TSkinMenuButton::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TSkinMenuButton>("TSkinMenuButton", &TSkinButton::StaticClass()).Build();
    return info;
}

namespace {

constexpr int kArrowHeight = 3;

// A small triangle pointing down, its tip at (x, y + 2).
void drawArrow(HDC dc, int x, int y, COLORREF colour) {
    win::PenHandle pen(CreatePen(PS_SOLID, 1, colour));
    win::BrushHandle brush(CreateSolidBrush(colour));
    win::SelectGuard usePen(dc, pen.Get());
    win::SelectGuard useBrush(dc, brush.Get());
    const POINT corners[] = {{x, y + 2}, {x - 3, y - 1}, {x + 3, y - 1}};
    Polygon(dc, corners, 3);
}

} // namespace

void TSkinMenuButton::DrawSkin(HDC dc, const RECT& rect) {
    TDataSkinButton* b = buttons();
    if (!b) return;
    Look look = readLook();
    look.Default = false; // no default frame: only the focus shows, as hot
    const int face = faceFrame(look, kMenuButtonFace);
    HDC faceDC = prepareFace(rect, face);
    if (!faceDC) return;
    const int cx = RectWidth(rect), cy = RectHeight(rect);
    win::SelectGuard font(faceDC, captionFont());

    const TControl* control = Control ? Control : RepaintTarget;
    auto* glyph = dynamic_cast<TBitmap*>(GetObjectProp(control, "Glyph"));
    if (glyph && glyph->Empty()) glyph = nullptr;
    const SIZE g = glyph ? SIZE{glyph->Width(), glyph->Height()} : SIZE{};
    SIZE t{};
    if (!look.Caption.empty()) {
        RECT bounds{0, 0, cx - g.cx - kMenuArrowWidth, cy};
        InflateRect(&bounds, -2, -2);
        DrawSkinText(faceDC, look.Caption, bounds, DT_CALCRECT | DT_WORDBREAK);
        t = SIZE{RectWidth(bounds), RectHeight(bounds)};
    }
    const TMenuButtonRow row = LayoutMenuButton(cx, g.cx, t.cx, int(GetIntProp(control, "Margin")),
                                                int(GetIntProp(control, "Spacing")));
    if (glyph) DrawGlyphCell(faceDC, *glyph, 1, giNormal, POINT{row.GlyphX, (cy - g.cy) / 2});
    const COLORREF oldColour = SetTextColor(
        faceDC,
        ColorToRGB(ButtonTextColour(*b, face, look.Enabled, startTextColour(), TColour2Use::AtRestOnly)));
    RECT text{row.TextX, (cy - t.cy + 1) / 2, 0, 0};
    text.right = text.left + t.cx;
    text.bottom = text.top + t.cy;
    if (!look.Caption.empty()) {
        const int oldMode = SetBkMode(faceDC, TRANSPARENT);
        DrawSkinText(faceDC, look.Caption, text, DT_WORDBREAK);
        SetBkMode(faceDC, oldMode);
    }
    SetTextColor(faceDC, oldColour);
    drawArrow(faceDC, row.ArrowX, (cy - kArrowHeight) / 2,
              GetSysColor(look.Enabled ? COLOR_WINDOWTEXT : COLOR_BTNSHADOW));
    if (focusRectWanted(look) && !look.Caption.empty()) {
        InflateRect(&text, 2, 2);
        DrawFocusRect(faceDC, &text);
    }
    BitBlt(dc, rect.left, rect.top, cx, cy, faceDC, 0, 0, SRCCOPY);
}

// Glyph and caption placement of glyph buttons.
#include "toolkit/controls/button_layout.h"

const TEnumInfo& ButtonLayoutInfo() {
    static const TEnumInfo info{"TButtonLayout",
                                {"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"}};
    return info;
}

namespace {

// The layout axis (x beside, y above or below) and the cross axis of a point or size.
struct Axes {
    bool horizontal;
    LONG& along(POINT& p) const { return horizontal ? p.x : p.y; }
    LONG& across(POINT& p) const { return horizontal ? p.y : p.x; }
    LONG along(SIZE s) const { return horizontal ? s.cx : s.cy; }
    LONG across(SIZE s) const { return horizontal ? s.cy : s.cx; }
};

} // namespace

RECT CaptionBounds(SIZE client, SIZE glyph, TButtonLayout layout) {
    RECT r{2, 2, client.cx - 2, client.cy - 2};
    if (layout == blGlyphLeft || layout == blGlyphRight)
        r.right -= glyph.cx + 2;
    else
        r.bottom -= glyph.cy + 2;
    return r;
}

TButtonLayoutResult LayoutButton(const TButtonLayoutInput& in) {
    const Axes ax{in.Layout == blGlyphLeft || in.Layout == blGlyphRight};
    TButtonLayoutResult out;
    POINT glyphPos{}, textPos{};
    ax.across(glyphPos) = (ax.across(in.Client) - ax.across(in.Glyph) + 1) / 2;
    ax.across(textPos) = (ax.across(in.Client) - ax.across(in.Text) + 1) / 2;

    const int client = ax.along(in.Client), glyph = ax.along(in.Glyph), text = ax.along(in.Text);
    int margin = in.Margin, spacing = in.Spacing;
    if (in.Text.cx == 0 || in.Glyph.cx == 0) spacing = 0;
    if (margin == -1 || in.Centred) {
        if (spacing == -1) {
            margin = (client - (glyph + text)) / 3;
            spacing = margin;
        } else {
            margin = (client - (glyph + spacing + text)) / 2 + in.CentredMarginBias;
        }
    } else if (spacing == -1) {
        spacing = (client - (margin + glyph) - text) / 2;
    }

    switch (in.Layout) {
    case blGlyphLeft:
        glyphPos.x = margin;
        textPos.x = margin + glyph + spacing;
        break;
    case blGlyphRight:
        glyphPos.x = client - margin - glyph;
        textPos.x = glyphPos.x - spacing - text;
        out.TextFlags = DT_RIGHT;
        break;
    case blGlyphTop:
        glyphPos.y = margin;
        textPos.y = margin + glyph + spacing;
        out.TextFlags = DT_CENTER;
        break;
    case blGlyphBottom:
        glyphPos.y = client - margin - glyph;
        textPos.y = glyphPos.y - spacing - text;
        out.TextFlags = DT_CENTER;
        break;
    }
    out.GlyphPos = glyphPos;
    out.TextRect = RECT{textPos.x, textPos.y, textPos.x + in.Text.cx, textPos.y + in.Text.cy};
    return out;
}

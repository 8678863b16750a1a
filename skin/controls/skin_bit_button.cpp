// TSkinBitButton: a push button with a glyph, an image-list picture or a picture property.
#include <algorithm>

#include "skin/controls/skin_buttons.h"
#include "skin/core/skin_data.h"
#include "skin/core/skin_records.h"
#include "toolkit/controls/button_layout.h"
#include "toolkit/controls/control.h"
#include "toolkit/core/class_builder.h"
#include "toolkit/core/prop_access.h"
#include "toolkit/graphics/canvas.h"
#include "toolkit/graphics/image_list.h"
#include "toolkit/graphics/rects.h"
#include "toolkit/handles.h"

const TClassInfo& TSkinBitButton::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TSkinBitButton>("TSkinBitButton", &TSkinButton::StaticClass()).Build();
    return info;
}

namespace {

TButtonLayout layoutOf(const TControl* control) {
    const int found = ButtonLayoutInfo().Find(GetEnumPropName(control, "Layout"));
    return found < 0 ? blGlyphLeft : TButtonLayout(found);
}

TImageList* imagesOf(const TControl* control) {
    if (GetIntProp(control, "ImageIndex") == -1) return nullptr;
    return dynamic_cast<TImageList*>(GetObjectProp(control, "Images"));
}

} // namespace

TBitmap* TSkinBitButton::glyphOf(const TControl* control) const {
    if (!control) return nullptr;
    const char* property = GraphicProperty.empty() ? "Glyph" : GraphicProperty.c_str();
    auto* glyph = dynamic_cast<TBitmap*>(GetObjectProp(control, property));
    return glyph && !glyph->Empty() ? glyph : nullptr;
}

void TSkinBitButton::drawGlyphAndCaption(HDC dc, const RECT& client, const TControl* control, int face,
                                         TGlyphIndex index, const std::wstring& caption, bool enabled,
                                         bool speed, bool focusRect) {
    const bool picture = !GraphicProperty.empty();
    TBitmap* glyph = glyphOf(control);
    const int numGlyphs = picture ? 1 : std::max<int>(1, int(GetIntProp(control, "NumGlyphs")));
    TImageList* images = glyph || speed ? nullptr : imagesOf(control);
    SIZE glyphSize{};
    if (glyph)
        glyphSize = SIZE{glyph->Width() / numGlyphs, glyph->Height()};
    else if (images)
        glyphSize = SIZE{images->Width(), images->Height()};

    const SIZE clientSize{RectWidth(client), RectHeight(client)};
    TButtonLayoutInput in;
    in.Client = clientSize;
    in.Glyph = glyphSize;
    in.Layout = layoutOf(control);
    if (!caption.empty()) {
        RECT bounds = CaptionBounds(clientSize, glyphSize, in.Layout);
        DrawSkinText(dc, caption, bounds, DT_CALCRECT | DT_WORDBREAK);
        in.Text = SIZE{RectWidth(bounds), RectHeight(bounds)};
    }
    in.Margin = int(GetIntProp(control, "Margin"));
    in.Spacing = int(GetIntProp(control, "Spacing"));
    in.Centred = SameText(GetEnumPropName(control, "Alignment"), "taCenter");
    in.CentredMarginBias = speed ? 1 : 0;
    const TButtonLayoutResult out = LayoutButton(in);
    const POINT at{client.left + out.GlyphPos.x, client.top + out.GlyphPos.y};

    if (glyph) {
        DrawGlyphCell(dc, *glyph, numGlyphs, picture ? giNormal : index, at);
    } else if (images) {
        const int normal = int(GetIntProp(control, "ImageIndex"));
        const int disabled = int(GetIntProp(control, "DisabledIndex"));
        if (enabled)
            images->Draw(dc, at.x, at.y, normal, true);
        else
            images->Draw(dc, at.x, at.y, disabled != -1 ? disabled : normal, false);
    }

    TDataSkinButton* b = buttons();
    const TColour2Use use = picture || speed ? TColour2Use::AtRestOnly : TColour2Use::Always;
    const COLORREF oldColour =
        SetTextColor(dc, ColorToRGB(ButtonTextColour(*b, face, enabled, startTextColour(), use)));
    if (!caption.empty()) {
        RECT text = out.TextRect;
        OffsetRect(&text, client.left, client.top);
        const int oldMode = SetBkMode(dc, TRANSPARENT);
        DrawSkinText(dc, caption, text, DT_WORDBREAK | out.TextFlags | (picture ? 0 : readingFlags()));
        SetBkMode(dc, oldMode);
        if (focusRect) {
            InflateRect(&text, 2, 2);
            DrawFocusRect(dc, &text);
        }
    }
    SetTextColor(dc, oldColour);
}

void TSkinBitButton::DrawSkin(HDC dc, const RECT& rect) {
    if (!buttons()) return;
    if (RepaintTarget && SameText(GetEnumPropName(RepaintTarget, "Visible"), "False")) return;
    const Look look = readLook();
    const int face = faceFrame(look, kButtonFace);
    HDC faceDC = prepareFace(rect, face);
    if (!faceDC) return;
    const RECT all{0, 0, RectWidth(rect), RectHeight(rect)};
    win::SelectGuard font(faceDC, captionFont());
    drawGlyphAndCaption(faceDC, all, Control, face, GlyphIndexFor(face, false), look.Caption, look.Enabled,
                        false, focusRectWanted(look) && !look.Caption.empty());
    BitBlt(dc, rect.left, rect.top, all.right, all.bottom, faceDC, 0, 0, SRCCOPY);
}

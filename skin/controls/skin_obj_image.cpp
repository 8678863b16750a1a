// TSkinObjImage: controls that draw their own check or radio glyphs get a glyph strip cut from the
// skin's images instead of a painter.
#include <algorithm>

#include "skin/controls/skin_choices.h"
#include "skin/core/form_skinner_base.h"
#include "skin/core/skin_data.h"
#include "skin/core/skin_records.h"
#include "skin/paint/skin_paint.h"
#include "toolkit/controls/win_control.h"
#include "toolkit/core/class_builder.h"
#include "toolkit/core/prop_access.h"
#include "toolkit/graphics/canvas.h"

const TClassInfo& TSkinObjImage::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TSkinObjImage>("TSkinObjImage", &TSkinControl::StaticClass()).Build();
    return info;
}

namespace {

// The decimal text of magenta as a colour property takes it.
constexpr const char* kMagentaText = "16711935";

} // namespace

bool BuildGlyphStrip(TGlyphStripKind kind, TBitmap& source, int sourceFrames, TBitmap& strip) {
    const int frames = std::max(1, sourceFrames);
    const int w = source.Width() / frames, h = source.Height();
    if (source.Empty() || w <= 0 || h <= 0) return false;
    const std::vector<int> cells = GlyphStripCells(kind, frames);
    strip.SetPixelFormat(pf24bit);
    strip.SetSize(w * int(cells.size()), h);
    HDC dc = strip.Canvas().Handle();
    const RECT all{0, 0, strip.Width(), h};
    win::BrushHandle blank(CreateSolidBrush(SKIN_KEY_COLOUR));
    FillRect(dc, &all, blank.Get());
    for (size_t i = 0; i < cells.size(); ++i)
        if (cells[i] >= 0 && cells[i] < frames)
            BitBlt(dc, int(i) * w, 0, w, h, source.Canvas().Handle(), cells[i] * w, 0, SRCCOPY);
    return true;
}

void TSkinObjImage::AttachToControl(TFormSkinner* skinForm, TSkinData* skin, bool, TCanvas* canvas) {
    auto* control = dynamic_cast<TWinControl*>(Owner());
    if (Attached || !control) return;
    SkinData = skin;
    SkinForm = skinForm;
    Canvas = canvas;
    Control = control;
    Handle = control->Handle();
    if (SkinForm) SkinForm->RegisterChildSkinner(this);
    handStrip();
    Attached = true;
    State = ctAttached;
}

void TSkinObjImage::handStrip() {
    TDataSkinButton* b = SkinData ? SkinData->Buttons.get() : nullptr;
    if (!b || !Control) return;
    const bool radio = Kind == gsRadioSix;
    TBitmap& source = radio ? b->RadioButton : b->CheckButton;
    TBitmap strip;
    if (!BuildGlyphStrip(Kind, source, radio ? b->RadioButtonFrame : b->CheckButtonFrame, strip)) return;
    if (Kind == gsCheckSix) {
        auto* glyph = dynamic_cast<TBitmap*>(GetObjectProp(GetObjectProp(Control, "Properties"), "Glyph"));
        if (!glyph) return;
        glyph->Assign(&strip);
        glyph->SetTransparentColor(TColor(SKIN_KEY_COLOUR));
        SetPropFromText(glyph, "Transparent", "False");
        return;
    }
    auto* glyphs = dynamic_cast<TBitmap*>(GetObjectProp(Control, "CustomGlyphs"));
    if (!glyphs) return;
    glyphs->Assign(&strip);
    SetPropFromText(Control, "transparentcolor", kMagentaText);
    SetPropFromText(Control, "UseCustomGlyphs", "False");
    SetPropFromText(Control, "UseCustomGlyphs", "True");
}

void TSkinObjImage::SkinChanged() {
    handStrip();
}

void TSkinObjImage::Unskin() {
    if (!SkinEnabled) return;
    SkinEnabled = false;
    if (!Control || State == ctWindowGone) return;
    if (Kind == gsCheckSix) {
        if (auto* glyph =
                dynamic_cast<TBitmap*>(GetObjectProp(GetObjectProp(Control, "Properties"), "Glyph")))
            glyph->Clear();
    } else {
        SetPropFromText(Control, "UseCustomGlyphs", "False");
    }
}

// The gallery's "Buttons" page.
#include "gallery/page_buttons.h"

#include "gallery/button_glyphs.h"
#include "toolkit/controls/bit_btn.h"
#include "toolkit/controls/speed_button.h"
#include "toolkit/core/class_builder.h"

const TClassInfo& TButtonsPage::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TButtonsPage>("TButtonsPage", &TForm::StaticClass()).Creatable().Build();
    return info;
}

void TButtonsPage::Loaded() {
    TForm::Loaded();
    // Each glyph has as many cells as its button says it uses.
    for (TComponent* c : Components()) {
        if (auto* bit = dynamic_cast<TBitBtn*>(c)) MakeButtonGlyph(*bit->Glyph(), bit->NumGlyphs());
        if (auto* speed = dynamic_cast<TSpeedButton*>(c))
            MakeButtonGlyph(*speed->Glyph(), speed->NumGlyphs());
    }
    if (auto* panel = dynamic_cast<TControl*>(FindComponent("PanelPattern"))) hatchPanel(panel);
}

void TButtonsPage::hatchPanel(TControl* panel) {
    hatch_.Reset(CreateHatchBrush(HS_DIAGCROSS, RGB(0, 0, 160)));
    TWndMethod own = panel->WindowProc();
    panel->SetWindowProc([this, panel, own](TMessage& m) {
        if (m.Msg != WM_ERASEBKGND) {
            own(m);
            return;
        }
        HDC dc = reinterpret_cast<HDC>(m.WParam);
        win::SaveDCGuard saved(dc);
        // The hatch keeps to the panel when drawn into a child's DC with a moved origin.
        POINT origin{};
        GetViewportOrgEx(dc, &origin);
        SetBrushOrgEx(dc, origin.x, origin.y, nullptr);
        SetBkColor(dc, RGB(255, 255, 224));
        RECT r{0, 0, panel->ClientWidth(), panel->ClientHeight()};
        FillRect(dc, &r, hatch_.Get());
        m.Result = 1;
    });
}

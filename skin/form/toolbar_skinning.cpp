// Tool bars under a skinned form: the form's custom-draw handlers on the bar, and taking them
// off again before the form skinner goes.
#include "skin/core/skin_data.h"
#include "skin/form/toolbar_paint.h"
#include "skin/form/win_skin_form.h"
#include "toolkit/controls/window_class.h"
#include "toolkit/core/prop_access.h"
#include "toolkit/graphics/canvas.h"

void TWinSkinForm::installToolbarHandlers(TControl& control) {
    SetPropFromText(&control, "Flat", "True");
    auto* bar = dynamic_cast<TToolBar*>(&control);
    if (!bar) return;
    // A bar keeps the handlers its program gave it.
    SkinnedToolbar given{bar->Handle(), !bar->OnCustomDraw, !bar->OnCustomDrawButton};
    if (given.Background)
        bar->OnCustomDraw = TTBCustomDrawEvent([this](TToolBar* sender, const RECT& rect, bool& defaultDraw) {
            PaintToolbarBackground(sender, rect, defaultDraw);
        });
    if (given.Buttons)
        bar->OnCustomDrawButton = TTBCustomDrawBtnEvent(
            [this](TToolBar* sender, TToolButton* button, TCustomDrawState state, bool& defaultDraw) {
                PaintToolbarButton(sender, button, state, defaultDraw);
            });
    if (given.Background || given.Buttons) toolbars_.push_back(given);
}

void TWinSkinForm::removeToolbarHandlers() {
    // By window: a bar may have gone before its form skinner.
    for (const SkinnedToolbar& given : toolbars_) {
        if (!IsWindow(given.Window)) continue;
        auto* bar = dynamic_cast<TToolBar*>(FindControl(given.Window));
        if (!bar) continue;
        if (given.Background) bar->OnCustomDraw = {};
        if (given.Buttons) bar->OnCustomDrawButton = {};
    }
    toolbars_.clear();
}

void TWinSkinForm::PaintToolbarBackground(TToolBar* sender, const RECT& rect, bool&) {
    if (SkinData && sender) ::PaintToolbarBackground(sender->Canvas().Handle(), rect, *SkinData);
}

void TWinSkinForm::PaintToolbarButton(TToolBar* sender, TToolButton* button, TCustomDrawState state, bool&) {
    if (!SkinData || !sender || !button || State != fsSkinned || InSet(SkinData->Options(), xoToolbarButton))
        return;
    if (::PaintToolbarButton(sender->Canvas().Handle(), button->BoundsRect(), *SkinData, state))
        sender->FaceDrawnByHandler();
}

// Tool bars under a skinned form: the form's custom-draw handlers on the bar, and taking them
// off again before the form skinner goes.
#include "skin/core/skin_data.h"
#include "skin/form/toolbar_paint.h"
#include "skin/form/win_skin_form.h"
#include "toolkit/core/prop_access.h"
#include "toolkit/graphics/canvas.h"

namespace {
// Our handlers carry this name, so taking them back leaves a handler the program set since.
constexpr char kSkinHandler[] = "TWinSkinForm.SkinToolbar";
} // namespace

void TWinSkinForm::installToolbarHandlers(TControl& control) {
    SetPropFromText(&control, "Flat", "True");
    auto* bar = dynamic_cast<TToolBar*>(&control);
    if (!bar || toolbars_.Watches(bar)) return;
    // A bar keeps the handlers its program gave it.
    const bool background = !bar->OnCustomDraw, buttons = !bar->OnCustomDrawButton;
    if (background) {
        bar->OnCustomDraw = TTBCustomDrawEvent([this](TToolBar* sender, const RECT& rect, bool& defaultDraw) {
            PaintToolbarBackground(sender, rect, defaultDraw);
        });
        bar->OnCustomDraw.methodName = kSkinHandler;
    }
    if (buttons) {
        bar->OnCustomDrawButton = TTBCustomDrawBtnEvent(
            [this](TToolBar* sender, TToolButton* button, TCustomDrawState state, bool& defaultDraw) {
                PaintToolbarButton(sender, button, state, defaultDraw);
            });
        bar->OnCustomDrawButton.methodName = kSkinHandler;
    }
    if (background || buttons) toolbars_.Watch(bar);
}

void TWinSkinForm::removeToolbarHandlers() {
    for (TComponent* c : toolbars_.Take()) {
        auto* bar = static_cast<TToolBar*>(c);
        if (bar->OnCustomDraw.methodName == kSkinHandler) bar->OnCustomDraw = {};
        if (bar->OnCustomDrawButton.methodName == kSkinHandler) bar->OnCustomDrawButton = {};
    }
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

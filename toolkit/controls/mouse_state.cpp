// Pointer tracking shared by all toolkit windows of the GUI thread.
#include "toolkit/controls/mouse_state.h"

#include "toolkit/controls/control.h"

namespace {
TControl* hovered = nullptr;
TControl* captured = nullptr;
} // namespace

namespace mouse_state {

TControl* Hovered() {
    return hovered;
}

void SetHovered(TControl* control, HWND window) {
    if (window) {
        TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, window, 0};
        TrackMouseEvent(&tme);
    }
    if (control == hovered) return;
    TControl* old = hovered;
    hovered = control;
    if (old) old->Perform(TKN_MOUSELEAVE);
    // The leave handler may have moved the pointer's owner on again.
    if (control && hovered == control) control->Perform(TKN_MOUSEENTER);
}

TControl* Captured() {
    return captured;
}
void SetCaptured(TControl* control) {
    captured = control;
}

void Forget(TControl* control) {
    if (hovered == control) hovered = nullptr;
    if (captured == control) captured = nullptr;
}

} // namespace mouse_state

// The two process-wide pointer facts the toolkit keeps on its GUI thread: which control the
// pointer is over (for the enter and leave notices) and which windowless control holds the
// mouse capture through its parent.
#pragma once

#include <windows.h>

class TControl;

namespace mouse_state {

TControl* Hovered();
// Makes `control` the one under the pointer: the previous one gets TKN_MOUSELEAVE, the new one
// TKN_MOUSEENTER, and `window` is asked to report when the pointer leaves it.
void SetHovered(TControl* control, HWND window);

TControl* Captured();
void SetCaptured(TControl* control);

// The control is going away: drop every reference to it, silently.
void Forget(TControl* control);

} // namespace mouse_state

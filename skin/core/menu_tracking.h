// Which kind of menu is about to open, and whether the menu bar is tracking: set by the form
// skinner and the menu bar, read when a popup-menu window appears, reset when the last one goes.
#pragma once

#include "skin/core/skin_types.h"

enum TMenuContext : int { mcPopup = 0, mcMenuBar = 1, mcSystemMenu = 2 };

struct TMenuTracking {
    int Context = mcPopup;
    bool Loop = false;

    void Reset() {
        Context = mcPopup;
        Loop = false;
    }
    // Whether a skin with these control groups skins a popup menu opening in this context.
    bool Wants(TSkinControlTypes groups) const {
        switch (Context) {
        case mcPopup: return InSet(groups, xcPopupMenu);
        case mcMenuBar: return InSet(groups, xcMainMenu) || InSet(groups, xcMenuItem);
        case mcSystemMenu: return InSet(groups, xcSystemMenu);
        default: return false;
        }
    }
};

// Subclassing of popup-menu windows; every message reaches the system's menu procedure.
#include "skin/form/popup_skinner.h"

TWinSkinPopMenu::TWinSkinPopMenu(HWND window, TSkinData* skin) {
    Handle = window;
    SkinData = skin;
    // The window may go before the manager hears of it: the subclass gives the procedure back at
    // WM_NCDESTROY on its own.
    subclass_.Install(window, win::SubclassKind::PopupMenu, [this](UINT msg, WPARAM wParam, LPARAM lParam) {
        return message(msg, wParam, lParam);
    });
}

TWinSkinPopMenu::~TWinSkinPopMenu() {
    Detach();
}

void TWinSkinPopMenu::Detach() {
    subclass_.Restore();
}

LRESULT TWinSkinPopMenu::message(UINT msg, WPARAM wParam, LPARAM lParam) {
    return subclass_.CallPrevious(msg, wParam, lParam);
}

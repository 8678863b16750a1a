// Subclassing of popup-menu windows; every message reaches the system's menu procedure.
#include "skin/form/popup_skinner.h"

namespace {
const char kPopupProp[] = "QsWinSkinPopMenu";
}

TWinSkinPopMenu::TWinSkinPopMenu(HWND window, TSkinData* skin) {
    Handle = window;
    SkinData = skin;
    if (!IsWindow(window)) return;
    SetPropA(window, kPopupProp, this);
    oldProc_ = WNDPROC(SetWindowLongPtrA(window, GWLP_WNDPROC, LONG_PTR(&PopupProc)));
}

TWinSkinPopMenu::~TWinSkinPopMenu() {
    Detach();
}

void TWinSkinPopMenu::Detach() {
    if (!oldProc_) return;
    if (IsWindow(Handle)) {
        SetWindowLongPtrA(Handle, GWLP_WNDPROC, LONG_PTR(oldProc_));
        RemovePropA(Handle, kPopupProp);
    }
    oldProc_ = nullptr;
}

LRESULT CALLBACK TWinSkinPopMenu::PopupProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<TWinSkinPopMenu*>(GetPropA(hwnd, kPopupProp));
    if (!self || !self->oldProc_) return DefWindowProcA(hwnd, msg, wParam, lParam);
    WNDPROC old = self->oldProc_;
    // The window may go before the manager hears of it: give it back its procedure first.
    if (msg == WM_NCDESTROY) self->Detach();
    return CallWindowProcA(old, hwnd, msg, wParam, lParam);
}

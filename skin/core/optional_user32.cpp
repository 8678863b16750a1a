// Optional user32 functions.
#include "skin/core/optional_user32.h"

const TOptionalUser32& OptionalUser32() {
    static const TOptionalUser32 fns = [] {
        TOptionalUser32 f;
        if (HMODULE user32 = GetModuleHandleA("user32.dll")) {
            f.GetScrollBarInfo = reinterpret_cast<decltype(f.GetScrollBarInfo)>(
                reinterpret_cast<void*>(GetProcAddress(user32, "GetScrollBarInfo")));
            f.TrackMouseEvent = reinterpret_cast<decltype(f.TrackMouseEvent)>(
                reinterpret_cast<void*>(GetProcAddress(user32, "TrackMouseEvent")));
            f.GetComboBoxInfo = reinterpret_cast<decltype(f.GetComboBoxInfo)>(
                reinterpret_cast<void*>(GetProcAddress(user32, "GetComboBoxInfo")));
        }
        return f;
    }();
    return fns;
}

bool SkinGetScrollBarInfo(HWND window, LONG objectId, SCROLLBARINFO* info) {
    auto fn = OptionalUser32().GetScrollBarInfo;
    return fn && fn(window, objectId, info);
}

void TrackMouseLeave(HWND window) {
    auto fn = OptionalUser32().TrackMouseEvent;
    if (!fn) return;
    TRACKMOUSEEVENT tme{};
    tme.cbSize = sizeof(tme);
    tme.dwFlags = TME_LEAVE;
    tme.hwndTrack = window;
    fn(&tme);
}

// The parent's background behind a control.
#include "skin/paint/control_background.h"

#include "toolkit/handles.h"

void PaintControlBackground(HWND control, HDC dc) {
    HWND parent = control ? GetParent(control) : nullptr;
    if (!parent || !dc) return;
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
    win::SaveDCGuard keep(dc);
    POINT old{};
    OffsetViewportOrgEx(dc, -r.left, -r.top, &old);
    IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
    SendMessageA(parent, WM_ERASEBKGND, WPARAM(dc), 0);
    SendMessageA(parent, WM_PAINT, WPARAM(dc), 0);
}

// The parent's background behind a control.
#include "skin/paint/control_background.h"

#include "toolkit/handles.h"

void PaintControlBackground(HWND control, HDC dc) {
    HWND parent = control ? GetParent(control) : nullptr;
    if (!parent || !dc) return;
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
    PaintParentBackground(parent, r, dc);
}

void PaintParentBackground(HWND parent, const RECT& r, HDC dc) {
    if (!parent || !dc) return;
    win::SaveDCGuard keep(dc);
    POINT old{};
    OffsetViewportOrgEx(dc, -r.left, -r.top, &old);
    IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
    SendMessageA(parent, WM_ERASEBKGND, WPARAM(dc), 0);
    SendMessageA(parent, WM_PAINT, WPARAM(dc), 0);
}

// Window icons on the key colour.
#include "skin/paint/window_icon.h"

#include "skin/paint/skin_paint.h"
#include "toolkit/handles.h"

HICON WindowIcon(HWND window) {
    if (!window) return nullptr;
    auto icon = HICON(SendMessageA(window, WM_GETICON, ICON_SMALL, 0));
    if (!icon) icon = HICON(SendMessageA(window, WM_GETICON, ICON_BIG, 0));
    return icon;
}

void PaintIconOnKey(TBitmap& image, HICON icon, int cx, int cy, TPixelFormat format) {
    image.SetPixelFormat(format);
    image.SetSize(cx, cy);
    HDC dc = image.Canvas().Handle();
    {
        win::BrushHandle magenta(CreateSolidBrush(SKIN_KEY_COLOUR));
        const RECT all{0, 0, cx, cy};
        FillRect(dc, &all, magenta.Get());
    }
    if (!icon) return;
    // A copy made at the target size picks the icon's own image of that size.
    win::IconHandle sized(HICON(CopyImage(icon, IMAGE_ICON, cx, cy, LR_COPYFROMRESOURCE)));
    DrawIconEx(dc, 0, 0, sized ? sized.Get() : icon, cx, cy, 0, nullptr, DI_NORMAL);
}

// GradientFill: one solid brush per line, only for the lines the clip box lets through.
#include "skin/res/win/gradient_fill.h"

#include "skin/res/gradient.h"
#include "toolkit/handles.h"

#include <algorithm>

namespace qs {

namespace {
int32_t Resolve(int32_t colour) {
    return colour < 0 ? int32_t(GetSysColor(colour & 0xFF)) : colour;
}
} // namespace

void GradientFill(HDC dc, const RECT& rect, int32_t c1, bool vertical, int32_t c2) {
    if (!RectVisible(dc, &rect)) return;
    c1 = Resolve(c1);
    c2 = Resolve(c2);
    RECT clip{};
    GetClipBox(dc, &clip);

    RECT band = rect;
    int n = 0, first = 0, last = 0;
    if (vertical) {
        n = rect.bottom - rect.top;
        if (n <= 0) return;
        first = std::max(0L, clip.top - rect.top);
        last = n - 1 - std::max(0L, rect.bottom - clip.bottom);
        band.top = rect.top + first;
        band.bottom = band.top + 1;
    } else {
        n = rect.right - rect.left;
        if (n <= 0) return;
        first = std::max(0L, clip.left - rect.left);
        last = n - 1 - std::max(0L, rect.right - clip.right);
        band.left = rect.left + first;
        band.right = band.left + 1;
    }

    const std::vector<int32_t>& colours = GradientSlot(GradientColors(n, c1, c2));
    for (int i = first; i <= last; ++i) {
        const win::BrushHandle brush(CreateSolidBrush(COLORREF(colours[size_t(i)])));
        FillRect(dc, &band, brush.Get());
        if (vertical) {
            OffsetRect(&band, 0, 1);
        } else {
            OffsetRect(&band, 1, 0);
        }
    }
}

} // namespace qs

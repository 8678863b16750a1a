// Pixel read-back through a 32-bit DIB section.
#include "toolkit/graphics/pixels32.h"

#include <algorithm>

#include "toolkit/handles.h"

namespace win {

std::vector<uint32_t> ReadPixels32(HDC source, int x, int y, int w, int h) {
    if (w <= 0 || h <= 0 || !source) return {};
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h; // top-down: row 0 first
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    BitmapHandle dib(CreateDIBSection(source, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    MemoryDC memory(source);
    if (!dib || !memory || !bits) return {};
    {
        SelectGuard selected(memory.Get(), dib.Get());
        if (!BitBlt(memory.Get(), 0, 0, w, h, source, x, y, SRCCOPY)) return {};
        GdiFlush();
    }
    const auto* px = static_cast<const uint32_t*>(bits);
    std::vector<uint32_t> out(px, px + size_t(w) * size_t(h));
    // The fourth byte is whatever the copy left there.
    std::transform(out.begin(), out.end(), out.begin(), [](uint32_t p) { return p & 0xFFFFFF; });
    return out;
}

} // namespace win

// The test pattern window; see pattern_window.h.
#include "tests/support/pattern_window.h"

#include "tests/support/wintest.h"
#include "toolkit/handles.h"

namespace qs::test {

namespace {
const char kClassName[] = "QsPatternWindow";
}

PatternWindow::PatternWindow(const RECT& bounds, int cellWidth, int cellHeight, bool topmost)
    : cellWidth_(cellWidth), cellHeight_(cellHeight) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = Proc;
    wc.cbWndExtra = sizeof(PatternWindow*);
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kClassName;
    RegisterClassA(&wc);
    hwnd_ = CreateWindowExA(WS_EX_TOOLWINDOW | (topmost ? WS_EX_TOPMOST : 0), kClassName, "", WS_POPUP,
                            bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top,
                            nullptr, nullptr, wc.hInstance, nullptr);
    SetWindowLongPtrA(hwnd_, 0, LONG_PTR(this));
    ShowWindow(hwnd_, SW_SHOW);
    UpdateWindow(hwnd_);
    PumpFor(200);
}

PatternWindow::~PatternWindow() {
    DestroyWindow(hwnd_);
}

// Red and green follow the cell's position; blue tells apart cells 256 pixels apart.
COLORREF PatternWindow::cellColour(int x, int y) {
    return RGB(x & 0xFF, y & 0xFF, ((x >> 8) | (y >> 8) << 2) * 40);
}

uint32_t PatternWindow::ColourAt(int x, int y) const {
    const COLORREF c = cellColour(x - x % cellWidth_, y - y % cellHeight_);
    return uint32_t(GetRValue(c)) << 16 | uint32_t(GetGValue(c)) << 8 | GetBValue(c);
}

LRESULT CALLBACK PatternWindow::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<PatternWindow*>(GetWindowLongPtrA(hwnd, 0));
    if (msg != WM_PAINT || !self) return DefWindowProcA(hwnd, msg, wp, lp);
    win::PaintDC dc(hwnd);
    RECT r;
    GetClientRect(hwnd, &r);
    for (int y = 0; y < r.bottom; y += self->cellHeight_)
        for (int x = 0; x < r.right; x += self->cellWidth_) {
            win::BrushHandle brush(CreateSolidBrush(cellColour(x, y)));
            RECT cell{x, y, x + self->cellWidth_, y + self->cellHeight_};
            FillRect(dc.Get(), &cell, brush.Get());
        }
    return 0;
}

} // namespace qs::test

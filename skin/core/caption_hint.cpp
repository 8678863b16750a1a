// The caption-button hint: a plain top-most popup in the system's tooltip colours.
#include "skin/core/caption_hint.h"

#include "toolkit/controls/window_class.h"
#include "toolkit/graphics/system_fonts.h"

namespace {
constexpr char kClassName[] = "TSkinHintWindow";
constexpr int kPadX = 3, kPadY = 2;
} // namespace

TCaptionHint::~TCaptionHint() {
    if (hwnd_) DestroyWindow(hwnd_);
}

HFONT TCaptionHint::font() {
    if (!font_) font_ = win::CreateSystemFont(win::SystemFont::Status);
    return font_ ? font_.Get() : HFONT(GetStockObject(DEFAULT_GUI_FONT));
}

HWND TCaptionHint::ensureWindow() {
    if (hwnd_) return hwnd_;
    const HINSTANCE inst = GetModuleHandleA(nullptr);
    EnsureWindowClass(kClassName, Proc, CS_SAVEBITS);
    hwnd_ = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kClassName, "", WS_POPUP | WS_BORDER, 0, 0, 0,
                            0, nullptr, nullptr, inst, this);
    return hwnd_;
}

RECT TCaptionHint::CalcHintRect(int maxWidth, const std::string& text) {
    RECT r{0, 0, maxWidth, 0};
    win::WindowDC screen = win::WindowDC::Screen();
    win::SelectGuard f(screen.Get(), font());
    DrawTextA(screen.Get(), text.c_str(), -1, &r, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    r.right += 2 * kPadX + 2;
    r.bottom += 2 * kPadY + 2;
    return r;
}

void TCaptionHint::ActivateHint(const RECT& r, const std::string& text) {
    HWND hwnd = ensureWindow();
    if (!hwnd) return;
    text_ = text;
    SetWindowPos(hwnd, HWND_TOPMOST, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
    InvalidateRect(hwnd, nullptr, TRUE);
}

void TCaptionHint::ReleaseHandle() {
    if (hwnd_) ShowWindow(hwnd_, SW_HIDE);
}

void TCaptionHint::paint(HWND hwnd) {
    win::PaintDC dc(hwnd);
    RECT r;
    GetClientRect(hwnd, &r);
    FillRect(dc.Get(), &r, GetSysColorBrush(COLOR_INFOBK));
    win::SelectGuard f(dc.Get(), font());
    SetBkMode(dc.Get(), TRANSPARENT);
    SetTextColor(dc.Get(), GetSysColor(COLOR_INFOTEXT));
    InflateRect(&r, -kPadX, -kPadY);
    DrawTextA(dc.Get(), text_.c_str(), -1, &r, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
}

LRESULT CALLBACK TCaptionHint::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(lp);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, LONG_PTR(cs->lpCreateParams));
    }
    auto* self = reinterpret_cast<TCaptionHint*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    switch (msg) {
    case WM_PAINT:
        if (self) {
            self->paint(hwnd);
            return 0;
        }
        break;
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_NCHITTEST: return HTTRANSPARENT;
    case WM_NCDESTROY:
        if (self) self->hwnd_ = nullptr;
        break;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

// The request timer's window.
#include "skin/core/request_timer.h"

#include "toolkit/controls/window_class.h"

namespace {
constexpr char kClassName[] = "TSkinManageTimer";
constexpr UINT_PTR kTimerId = 1;
} // namespace

TRequestTimer::TRequestTimer(std::function<void()> tick) : tick_(std::move(tick)) {
    EnsureWindowClass(kClassName, Proc);
    window_ = CreateWindowExA(0, kClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    if (window_) SetWindowLongPtrA(window_, GWLP_USERDATA, LONG_PTR(this));
}

TRequestTimer::~TRequestTimer() {
    timer_.Stop();
    if (window_) {
        SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
}

void TRequestTimer::Start(UINT ms) {
    if (window_) timer_.Start(window_, kTimerId, ms);
}

LRESULT CALLBACK TRequestTimer::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_TIMER && wParam == kTimerId) {
        if (auto* self = reinterpret_cast<TRequestTimer*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA))) {
            self->timer_.Stop();
            try {
                if (self->tick_) self->tick_();
            } catch (...) {
                // A request that fails is dropped; the next one starts afresh.
            }
        }
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

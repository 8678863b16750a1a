// The window procedure of a window the engine makes for an object of its own (a scroll-bar
// overlay, a media-player panel). The object comes as the creation parameter and is found again
// in GWLP_USERDATA. A window destroyed with its parent lets go of the object's handle, which is no
// longer the object's to destroy. Nothing thrown leaves the procedure: a paint that failed leaves
// the window as it was.
// T declares OwnWindowProc<T> a friend and has `win::WindowHandle window_` and
// `LRESULT handle(UINT, WPARAM, LPARAM)`.
#pragma once

#include <windows.h>

template <class T> LRESULT CALLBACK OwnWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE)
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          LONG_PTR(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
    auto* self = reinterpret_cast<T*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        if (self && self->window_.Get() == window) (void)self->window_.Release();
        self = nullptr;
    }
    if (!self || !self->window_) return DefWindowProcA(window, msg, wParam, lParam);
    try {
        return self->handle(msg, wParam, lParam);
    } catch (...) {
        return 0;
    }
}

// The class of T's windows, registered once: an arrow cursor and no background (T paints).
template <class T> ATOM OwnWindowClass(const char* name) {
    static const ATOM atom = [name] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = OwnWindowProc<T>;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.lpszClassName = name;
        return RegisterClassA(&wc);
    }();
    return atom;
}

// Owning wrappers for Win32 handles, one type per kind, all in one place (window subclassing, which
// owns a window procedure, is in subclass.h beside this file). Owners are movable and
// not copyable, so a handle has exactly one owner and is released once, on every path. A
// Borrowed<H> in a signature says "I use it, you keep it".
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <utility>

namespace win {

// A unique owner of one handle; Traits::Close(h) releases it.
template <class H, class Traits> class Unique {
  public:
    using Handle = H;

    Unique() noexcept = default;
    explicit Unique(H h) noexcept : h_(h) {}
    ~Unique() { Reset(); }
    Unique(Unique&& other) noexcept : h_(other.Release()) {}
    Unique& operator=(Unique&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    Unique(const Unique&) = delete;
    Unique& operator=(const Unique&) = delete;

    H Get() const noexcept { return h_; }
    explicit operator bool() const noexcept { return h_ != nullptr; }
    // Gives the handle up without releasing it.
    [[nodiscard]] H Release() noexcept { return std::exchange(h_, nullptr); }
    void Reset(H h = nullptr) noexcept {
        H old = std::exchange(h_, h);
        if (old) Traits::Close(old);
    }

  private:
    H h_ = nullptr;
};

// A handle someone else owns. Cheap to copy; never releases anything.
template <class H> class Borrowed {
  public:
    Borrowed() noexcept = default;
    Borrowed(H h) noexcept : h_(h) {}
    template <class T> Borrowed(const Unique<H, T>& owner) noexcept : h_(owner.Get()) {}
    H Get() const noexcept { return h_; }
    explicit operator bool() const noexcept { return h_ != nullptr; }

  private:
    H h_ = nullptr;
};

namespace detail {
struct GdiClose {
    static void Close(HGDIOBJ h) noexcept { DeleteObject(h); }
};
struct IconClose {
    static void Close(HICON h) noexcept { DestroyIcon(h); }
};
struct MenuClose {
    static void Close(HMENU h) noexcept { DestroyMenu(h); }
};
struct HookClose {
    static void Close(HHOOK h) noexcept { UnhookWindowsHookEx(h); }
};
struct MemoryDCClose {
    static void Close(HDC h) noexcept { DeleteDC(h); }
};
struct ImageListClose {
    static void Close(HIMAGELIST h) noexcept { ImageList_Destroy(h); }
};
struct KernelClose {
    static void Close(HANDLE h) noexcept { CloseHandle(h); }
};
struct WindowClose {
    static void Close(HWND h) noexcept {
        if (IsWindow(h)) DestroyWindow(h);
    }
};
} // namespace detail

// GDI objects (DeleteObject). Never reset one while it is selected into a DC: select it through
// a SelectGuard (or inside a SaveDCGuard) whose scope ends first.
using BitmapHandle = Unique<HBITMAP, detail::GdiClose>;
using BrushHandle = Unique<HBRUSH, detail::GdiClose>;
using PenHandle = Unique<HPEN, detail::GdiClose>;
using FontHandle = Unique<HFONT, detail::GdiClose>;
using RegionHandle = Unique<HRGN, detail::GdiClose>;
using PaletteHandle = Unique<HPALETTE, detail::GdiClose>;

// Icons made by CreateIconIndirect/CopyIcon/LoadImage without LR_SHARED. Shared icons from
// LoadIcon are not owned: hold them as Borrowed<HICON>.
using IconHandle = Unique<HICON, detail::IconClose>;
// A menu not attached to a window (a window destroys its own menu bar).
using MenuHandle = Unique<HMENU, detail::MenuClose>;
// A window we created and destroy ourselves. When something else destroys it first (its parent
// going), the owner must Release() it at WM_NCDESTROY so that a reused handle is never touched.
using WindowHandle = Unique<HWND, detail::WindowClose>;
using HookHandle = Unique<HHOOK, detail::HookClose>;
using ImageListHandle = Unique<HIMAGELIST, detail::ImageListClose>;

// Kernel objects: files, pipes, processes, threads. CreateFile's INVALID_HANDLE_VALUE is held as
// no handle, so one test of the owner covers both ways of failing.
class KernelHandle : public Unique<HANDLE, detail::KernelClose> {
  public:
    KernelHandle() noexcept = default;
    explicit KernelHandle(HANDLE h) noexcept : Unique(h == INVALID_HANDLE_VALUE ? nullptr : h) {}
};

// A memory DC (CreateCompatibleDC ... DeleteDC).
class MemoryDC : public Unique<HDC, detail::MemoryDCClose> {
  public:
    MemoryDC() noexcept = default;
    // Compatible with `reference`; null means the screen.
    explicit MemoryDC(HDC reference) noexcept : Unique(CreateCompatibleDC(reference)) {}
};

// A DC obtained from a window (GetDC, GetWindowDC, GetDCEx) and given back with ReleaseDC.
class WindowDC {
  public:
    WindowDC() noexcept = default;
    WindowDC(HWND hwnd, HDC dc) noexcept : hwnd_(hwnd), dc_(dc) {} // adopts a GetDCEx result
    static WindowDC Client(HWND hwnd) noexcept { return WindowDC(hwnd, GetDC(hwnd)); }
    static WindowDC Frame(HWND hwnd) noexcept { return WindowDC(hwnd, GetWindowDC(hwnd)); }
    static WindowDC Screen() noexcept { return WindowDC(nullptr, GetDC(nullptr)); }
    ~WindowDC() { Reset(); }
    WindowDC(WindowDC&& other) noexcept
        : hwnd_(std::exchange(other.hwnd_, nullptr)), dc_(std::exchange(other.dc_, nullptr)) {}
    WindowDC& operator=(WindowDC&& other) noexcept {
        if (this != &other) {
            Reset();
            hwnd_ = std::exchange(other.hwnd_, nullptr);
            dc_ = std::exchange(other.dc_, nullptr);
        }
        return *this;
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;

    HDC Get() const noexcept { return dc_; }
    HWND Window() const noexcept { return hwnd_; }
    explicit operator bool() const noexcept { return dc_ != nullptr; }
    void Reset() noexcept {
        if (dc_) ReleaseDC(hwnd_, dc_);
        dc_ = nullptr;
        hwnd_ = nullptr;
    }

  private:
    HWND hwnd_ = nullptr;
    HDC dc_ = nullptr;
};

// BeginPaint ... EndPaint for one WM_PAINT. Bound to its scope: not movable.
class PaintDC {
  public:
    explicit PaintDC(HWND hwnd) noexcept : hwnd_(hwnd) { dc_ = BeginPaint(hwnd, &ps_); }
    ~PaintDC() {
        if (dc_) EndPaint(hwnd_, &ps_);
    }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;

    HDC Get() const noexcept { return dc_; }
    const PAINTSTRUCT& Info() const noexcept { return ps_; }
    const RECT& PaintRect() const noexcept { return ps_.rcPaint; }

  private:
    HWND hwnd_;
    HDC dc_ = nullptr;
    PAINTSTRUCT ps_{};
};

// A window timer (SetTimer on a window and id ... KillTimer).
class WindowTimer {
  public:
    WindowTimer() noexcept = default;
    ~WindowTimer() { Stop(); }
    WindowTimer(WindowTimer&& other) noexcept
        : hwnd_(std::exchange(other.hwnd_, nullptr)), id_(std::exchange(other.id_, 0)) {}
    WindowTimer& operator=(WindowTimer&& other) noexcept {
        if (this != &other) {
            Stop();
            hwnd_ = std::exchange(other.hwnd_, nullptr);
            id_ = std::exchange(other.id_, 0);
        }
        return *this;
    }
    WindowTimer(const WindowTimer&) = delete;
    WindowTimer& operator=(const WindowTimer&) = delete;

    // (Re)starts the timer; WM_TIMER with `id` reaches `hwnd` every `ms`. False when SetTimer fails.
    bool Start(HWND hwnd, UINT_PTR id, UINT ms) noexcept {
        Stop();
        if (!SetTimer(hwnd, id, ms, nullptr)) return false;
        hwnd_ = hwnd;
        id_ = id;
        return true;
    }
    void Stop() noexcept {
        if (hwnd_) KillTimer(hwnd_, id_);
        hwnd_ = nullptr;
        id_ = 0;
    }
    bool Running() const noexcept { return hwnd_ != nullptr; }
    UINT_PTR Id() const noexcept { return id_; }

  private:
    HWND hwnd_ = nullptr;
    UINT_PTR id_ = 0;
};

// Selects a pen, brush, font or bitmap into a DC for one scope and puts the previous one back.
// (Regions are copied by SelectObject, not selected: use SelectClipRgn for them.)
class SelectGuard {
  public:
    SelectGuard(HDC dc, HGDIOBJ obj) noexcept : dc_(dc), old_(obj ? SelectObject(dc, obj) : nullptr) {}
    ~SelectGuard() {
        if (old_) SelectObject(dc_, old_);
    }
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;

  private:
    HDC dc_;
    HGDIOBJ old_;
};

// SaveDC ... RestoreDC: every attribute and selection made in between is undone.
class SaveDCGuard {
  public:
    explicit SaveDCGuard(HDC dc) noexcept : dc_(dc), saved_(SaveDC(dc)) {}
    ~SaveDCGuard() {
        if (saved_) RestoreDC(dc_, saved_);
    }
    SaveDCGuard(const SaveDCGuard&) = delete;
    SaveDCGuard& operator=(const SaveDCGuard&) = delete;

  private:
    HDC dc_;
    int saved_;
};

} // namespace win

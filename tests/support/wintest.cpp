// Win32 test support; see wintest.h.
#include "tests/support/wintest.h"

#include "toolkit/graphics/pixels32.h"
#include "toolkit/handles.h"

#include <cstdlib>
#include <vector>

namespace qs::test {

void PumpFor(DWORD ms) {
    const DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(1);
    } while (GetTickCount() - start < ms);
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start >= timeoutMs) return false;
        PumpFor(5);
    }
    return true;
}

HWND WaitForWindow(const char* className, const char* caption, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        HWND h = FindWindowA(className, caption);
        if (h) return h;
        if (GetTickCount() - start >= timeoutMs) return nullptr;
        PumpFor(10);
    }
}

HWND WaitForWindowGone(HWND hwnd, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (IsWindow(hwnd)) {
        if (GetTickCount() - start >= timeoutMs) return hwnd;
        PumpFor(10);
    }
    return nullptr;
}

Pixels CaptureScreen(const RECT& r) {
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0) return {};
    // Wine hands paint to X lazily; give it a moment so the copy sees the latest frame.
    PumpFor(20);
    win::WindowDC screen = win::WindowDC::Screen();
    Pixels px(w, h);
    std::vector<uint32_t> read = win::ReadPixels32(screen.Get(), r.left, r.top, w, h);
    if (!read.empty()) px.data = std::move(read);
    return px;
}

Pixels CaptureWindowDC(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    win::WindowDC dc = win::WindowDC::Frame(hwnd);
    Pixels px(r.right - r.left, r.bottom - r.top);
    std::vector<uint32_t> read = win::ReadPixels32(dc.Get(), 0, 0, px.width, px.height);
    if (!read.empty()) px.data = std::move(read);
    return px;
}

Pixels CaptureScreen() {
    RECT r{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return CaptureScreen(r);
}

Pixels CaptureWindow(HWND hwnd) {
    RECT r{};
    if (!GetWindowRect(hwnd, &r)) return {};
    return CaptureScreen(r);
}

Pixels CaptureClient(HWND hwnd) {
    RECT r{};
    if (!GetClientRect(hwnd, &r)) return {};
    POINT tl{0, 0};
    ClientToScreen(hwnd, &tl);
    OffsetRect(&r, tl.x, tl.y);
    return CaptureScreen(r);
}

namespace {
void sendKey(WORD vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = WORD(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &in, sizeof(in));
}
} // namespace

void KeyDown(WORD vk) {
    sendKey(vk, false);
}
void KeyUp(WORD vk) {
    sendKey(vk, true);
}
void KeyPress(WORD vk) {
    KeyDown(vk);
    KeyUp(vk);
}
void KeyChord(std::initializer_list<WORD> keys) {
    for (WORD k : keys)
        KeyDown(k);
    for (auto it = std::rbegin(keys); it != std::rend(keys); ++it)
        KeyUp(*it);
}

namespace {
DWORD buttonFlag(bool left, bool down) {
    return left ? (down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP)
                : (down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP);
}

// Absolute coordinates: relative moves come out scaled under Wine.
void sendMouseAt(int x, int y, DWORD flags) {
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = LONG((x * 65535 + (w - 1) / 2) / (w - 1));
    in.mi.dy = LONG((y * 65535 + (h - 1) / 2) / (h - 1));
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | flags;
    SendInput(1, &in, sizeof(in));
}
} // namespace

void MouseMoveTo(int x, int y) {
    // Under load Wine may replay an older pointer position after a move: move again until the
    // cursor is where it was sent (or a second has passed).
    const DWORD start = GetTickCount();
    DWORD sent = 0;
    for (;;) {
        if (GetTickCount() - sent >= 100) {
            sendMouseAt(x, y, 0);
            sent = GetTickCount();
        }
        PumpFor(5);
        POINT p{};
        GetCursorPos(&p);
        if ((std::abs(p.x - x) <= 1 && std::abs(p.y - y) <= 1) || GetTickCount() - start >= 1000) return;
    }
}

void MouseButton(bool left, bool down) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = buttonFlag(left, down);
    SendInput(1, &in, sizeof(in));
}

void MouseButtonAt(int x, int y, bool left, bool down) {
    sendMouseAt(x, y, buttonFlag(left, down));
}

void MouseClickAt(int x, int y, bool left) {
    MouseMoveTo(x, y);
    PumpFor(30);
    // The press and release carry the position: a plain press could take an older one.
    MouseButtonAt(x, y, left, true);
    PumpFor(30);
    MouseButtonAt(x, y, left, false);
    PumpFor(30);
}

std::optional<Pixels> ReadClipboardBitmap() {
    if (!OpenClipboard(nullptr)) return std::nullopt;
    std::optional<Pixels> result;
    if (auto bmp = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP))) {
        BITMAP info{};
        if (GetObjectA(bmp, sizeof(info), &info) && info.bmWidth > 0 && info.bmHeight > 0) {
            BITMAPINFO bi{};
            bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
            bi.bmiHeader.biWidth = info.bmWidth;
            bi.bmiHeader.biHeight = -info.bmHeight;
            bi.bmiHeader.biPlanes = 1;
            bi.bmiHeader.biBitCount = 32;
            bi.bmiHeader.biCompression = BI_RGB;
            std::vector<uint32_t> buf(size_t(info.bmWidth) * size_t(info.bmHeight));
            HDC screen = GetDC(nullptr);
            if (GetDIBits(screen, bmp, 0, UINT(info.bmHeight), buf.data(), &bi, DIB_RGB_COLORS)) {
                Pixels px(info.bmWidth, info.bmHeight);
                for (size_t i = 0; i < buf.size(); ++i)
                    px.data[i] = buf[i] & 0xFFFFFF;
                result = std::move(px);
            }
            ReleaseDC(nullptr, screen);
        }
    }
    CloseClipboard();
    return result;
}

std::string ScreenshotPath(const std::string& name) {
    const char* dir = std::getenv("QS_SCREENSHOT_DIR");
    return dir && *dir ? std::string(dir) + "\\" + name : name;
}

DWORD GdiObjectCount() {
    if (DWORD n = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return n;
    // Wine reports 0, but resolves a GDI handle given by its table index alone (no generation
    // in the high word), so probing every index counts the live objects.
    DWORD live = 0;
    for (uintptr_t index = 1; index < 0x10000; ++index)
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(index))) ++live;
    return live;
}
namespace {

BOOL CALLBACK countChild(HWND, LPARAM count) {
    ++*reinterpret_cast<DWORD*>(count);
    return TRUE;
}

// A top-level window and all its descendants (EnumChildWindows walks the whole tree).
BOOL CALLBACK countWindow(HWND window, LPARAM count) {
    ++*reinterpret_cast<DWORD*>(count);
    EnumChildWindows(window, countChild, count);
    return TRUE;
}

} // namespace

DWORD UserObjectCount() {
    if (const DWORD n = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS)) return n;
    // Wine answers 0: count this thread's windows, the USER objects a leak shows first.
    DWORD windows = 0;
    EnumThreadWindows(GetCurrentThreadId(), countWindow, LPARAM(&windows));
    return windows;
}

std::string WindowClassName(HWND hwnd) {
    char name[256] = {};
    GetClassNameA(hwnd, name, sizeof name);
    return name;
}

std::string WindowTextOf(HWND hwnd) {
    const int length = GetWindowTextLengthA(hwnd);
    std::string text(size_t(length) + 1, '\0');
    text.resize(size_t(GetWindowTextA(hwnd, text.data(), length + 1)));
    return text;
}

bool HasStyle(HWND hwnd, DWORD style) {
    return (DWORD(GetWindowLongA(hwnd, GWL_STYLE)) & style) == style;
}

} // namespace qs::test

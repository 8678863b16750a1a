// Screen read-back and the image file.
#include "gallery/window_shot.h"

#include <cstdint>
#include <vector>

#include "toolkit/graphics/bmp_encode.h"
#include "toolkit/graphics/pixels32.h"
#include "toolkit/graphics/png_encode.h"
#include "toolkit/handles.h"

namespace {

bool endsWithBmp(const std::wstring& path) {
    constexpr wchar_t kExtension[] = L".bmp";
    constexpr size_t n = 4;
    if (path.size() < n) return false;
    for (size_t i = 0; i < n; ++i)
        if (towlower(path[path.size() - n + i]) != kExtension[i]) return false;
    return true;
}

} // namespace

bool SaveWindowShot(HWND window, const std::wstring& path, std::string& error) {
    RECT r{};
    if (!GetWindowRect(window, &r) || r.right <= r.left || r.bottom <= r.top) {
        error = "the window has no area to capture";
        return false;
    }
    const int w = r.right - r.left, h = r.bottom - r.top;
    std::vector<uint32_t> pixels;
    {
        win::WindowDC screen = win::WindowDC::Screen();
        pixels = win::ReadPixels32(screen.Get(), r.left, r.top, w, h);
    }
    if (pixels.size() != size_t(w) * size_t(h)) {
        error = "the screen could not be read";
        return false;
    }
    const std::vector<uint8_t> bytes =
        endsWithBmp(path) ? EncodeBmp24(w, h, pixels.data()) : EncodePng(w, h, pixels.data());
    win::KernelHandle file(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (!file || !WriteFile(file.Get(), bytes.data(), DWORD(bytes.size()), &written, nullptr) ||
        written != bytes.size()) {
        error = "the screenshot could not be written (error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    return true;
}

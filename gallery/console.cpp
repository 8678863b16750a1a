// Standard handles first, the parent's console next, a message box last.
#include "gallery/console.h"

#include <windows.h>

#include "gallery/wide_text.h"
#include "toolkit/handles.h"

namespace {

bool writeTo(HANDLE handle, const std::string& utf8) {
    if (!handle || handle == INVALID_HANDLE_VALUE) return false;
    DWORD mode = 0;
    if (GetConsoleMode(handle, &mode)) {
        // A console shows wide text as it is; bytes would go through its code page.
        const std::wstring text = Wide(utf8);
        DWORD written = 0;
        return WriteConsoleW(handle, text.data(), DWORD(text.size()), &written, nullptr) != 0;
    }
    DWORD written = 0;
    return WriteFile(handle, utf8.data(), DWORD(utf8.size()), &written, nullptr) && written == utf8.size();
}

void write(DWORD which, const std::string& utf8, UINT boxIcon) {
    if (writeTo(GetStdHandle(which), utf8)) return;
    if (AttachConsole(ATTACH_PARENT_PROCESS)) {
        win::KernelHandle console(
            CreateFileA("CONOUT$", GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
        if (writeTo(console.Get(), utf8)) return;
    }
    MessageBoxW(nullptr, Wide(utf8).c_str(), L"Skin Gallery", MB_OK | boxIcon);
}

} // namespace

void WriteOut(const std::string& utf8) {
    write(STD_OUTPUT_HANDLE, utf8, MB_ICONINFORMATION);
}

void WriteError(const std::string& utf8) {
    write(STD_ERROR_HANDLE, utf8, MB_ICONERROR);
}

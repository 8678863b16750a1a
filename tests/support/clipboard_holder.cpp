// The clipboard held by a thread; see clipboard_holder.h.
#include "tests/support/clipboard_holder.h"

#include <windows.h>

namespace qs::test {

ClipboardHolder::ClipboardHolder() {
    std::promise<bool> opened;
    std::future<bool> isOpen = opened.get_future();
    thread_ = std::thread([opened = std::move(opened), released = release_.get_future()]() mutable {
        HWND owner = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                     GetModuleHandleA(nullptr), nullptr);
        const bool open = OpenClipboard(owner) != 0;
        opened.set_value(open);
        released.wait();
        if (open) CloseClipboard();
        DestroyWindow(owner);
    });
    holding_ = isOpen.get();
}

ClipboardHolder::~ClipboardHolder() {
    Release();
}

void ClipboardHolder::Release() {
    if (!thread_.joinable()) return;
    release_.set_value();
    thread_.join();
}

} // namespace qs::test

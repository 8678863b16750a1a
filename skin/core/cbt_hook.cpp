// The CBT hook procedure: one hook per process, so one active object.
#include "skin/core/cbt_hook.h"

namespace {
TCbtHook* activeHook = nullptr;
HHOOK activeHandle = nullptr;
} // namespace

TCbtHook::~TCbtHook() {
    if (activeHook == this) {
        activeHook = nullptr;
        activeHandle = nullptr;
    }
    hook_.Reset();
}

void TCbtHook::Install() {
    if (hook_) return;
    hook_.Reset(SetWindowsHookExA(WH_CBT, Proc, nullptr, GetCurrentThreadId()));
    if (!hook_) return;
    activeHook = this;
    activeHandle = hook_.Get();
}

LRESULT CALLBACK TCbtHook::Proc(int code, WPARAM wParam, LPARAM lParam) {
    const HHOOK handle = activeHandle;
    if (code >= 0 && activeHook && activeHook->handler_) {
        try {
            activeHook->handler_(code, wParam, lParam);
        } catch (...) {
            // A failed decision leaves that window as the system made it.
        }
    }
    return CallNextHookEx(handle, code, wParam, lParam);
}

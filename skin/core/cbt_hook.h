// The GUI thread's computer-based-training hook: window creation, activation and destruction
// reach one handler. The hook passes every notification on; nothing the handler throws crosses it.
#pragma once

#include <windows.h>

#include <functional>

#include "toolkit/handles.h"

class TCbtHook {
  public:
    using Handler = std::function<void(int code, WPARAM wParam, LPARAM lParam)>;

    explicit TCbtHook(Handler handler) : handler_(std::move(handler)) {}
    // Removes the hook; a notification already on its way then only passes on.
    ~TCbtHook();
    TCbtHook(const TCbtHook&) = delete;
    TCbtHook& operator=(const TCbtHook&) = delete;

    // For the current thread, no module. Once; later calls do nothing.
    void Install();
    bool Installed() const { return bool(hook_); }

  private:
    static LRESULT CALLBACK Proc(int code, WPARAM wParam, LPARAM lParam);

    Handler handler_;
    win::HookHandle hook_;
};

// The toolkit loop, driven until a condition holds; popup menus looked at and closed.
#include "tests/support/toolkit_loop.h"

#include "tests/support/wintest.h"
#include "toolkit/controls/application.h"

namespace qs::test {

bool RunToolkitUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        Application->ProcessMessages();
        if (done()) return true;
        if (GetTickCount() - start >= timeoutMs) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

std::unique_ptr<TTimer> CloseNextPopupMenu(std::function<void(HWND menu)> look) {
    auto timer = std::make_unique<TTimer>(nullptr);
    TTimer* t = timer.get();
    t->SetInterval(100);
    t->OnTimer = TNotifyEvent([t, look = std::move(look)](TObject*) {
        HWND menu = FindWindowA("#32768", nullptr);
        if (!menu || !IsWindowVisible(menu)) return;
        t->SetEnabled(false);
        // Wine shows what a window painted a little later.
        PumpFor(30);
        if (look) look(menu);
        KeyPress(VK_ESCAPE);
    });
    t->SetEnabled(true);
    return timer;
}

} // namespace qs::test

// The menu watcher's thread timer.
#include "tests/support/menu_watch.h"

#include <utility>

#include "tests/support/wintest.h"

namespace qs::test {

namespace {

struct State {
    MenuWatch watch;
    std::vector<HMENU> shown;
    int ticksOnSame = 0;
};
State* current = nullptr;

// A pointer move without pumping: a loop of ours here would take the menu loop's messages.
void movePointer(POINT to) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = LONG(to.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1));
    in.mi.dy = LONG(to.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1));
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &in, sizeof in);
}

void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD) {
    State& s = *current;
    HWND window = VisibleMenuWindow();
    if (!window) return;
    const HMENU menu = HMENU(SendMessageA(window, MN_GETHMENU, 0, 0));
    if (!s.shown.empty() && s.shown.back() == menu) {
        // What was asked of the open menu has not happened yet: ask again, or give up.
        if (++s.ticksOnSame > 40) EndMenu();
        if (s.watch.moveTo.x >= 0) movePointer(s.watch.moveTo);
        return;
    }
    s.shown.push_back(menu);
    s.ticksOnSame = 0;
    if (s.watch.moveTo.x >= 0 && s.shown.size() == 1) {
        movePointer(s.watch.moveTo);
        return;
    }
    s.watch.moveTo = POINT{-1, -1};
    if (!s.watch.keys.empty()) {
        if (s.watch.typeKeys)
            KeyPress(WORD(s.watch.keys.front()));
        else
            PostMessageA(window, WM_KEYDOWN, s.watch.keys.front(), 0);
        s.watch.keys.erase(s.watch.keys.begin());
        return;
    }
    if (s.watch.look) s.watch.look(window);
    EndMenu();
}

} // namespace

HWND VisibleMenuWindow() {
    for (HWND h = FindWindowExA(nullptr, nullptr, "#32768", nullptr); h;
         h = FindWindowExA(nullptr, h, "#32768", nullptr))
        if (IsWindowVisible(h)) return h;
    return nullptr;
}

std::vector<HMENU> WatchMenus(const std::function<void()>& open, MenuWatch watch) {
    State state{std::move(watch), {}, 0};
    State* outer = std::exchange(current, &state);
    const UINT_PTR timer = SetTimer(nullptr, 0, state.watch.everyMs, tick);
    open();
    KillTimer(nullptr, timer);
    current = outer;
    return state.shown;
}

} // namespace qs::test

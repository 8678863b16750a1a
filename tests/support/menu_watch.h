// Looking at popup menus from inside their modal loop: code that opens a menu returns only once
// it closes, so a thread timer watches the menus that show, presses keys in them or moves the
// pointer, and closes the last one.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

namespace qs::test {

// The open popup menu's window (the system keeps hidden menu windows besides), or null.
HWND VisibleMenuWindow();

struct MenuWatch {
    // Posted to each newly shown menu in turn, one key per menu.
    std::vector<WPARAM> keys;
    // The keys are typed instead (SendInput, to the focused window), as a user presses them.
    bool typeKeys = false;
    // Where the pointer goes once the first menu shows (the move the menu's own loop sees).
    POINT moveTo{-1, -1};
    // Sees the last menu before it is closed.
    std::function<void(HWND menu)> look;
    UINT everyMs = 60;
};

// Runs `open` and returns the menus (MN_GETHMENU) that showed, in order. A menu that shows for
// 40 ticks without anything asked of it happening is closed, so a test never hangs.
std::vector<HMENU> WatchMenus(const std::function<void()>& open, MenuWatch watch = {});

} // namespace qs::test

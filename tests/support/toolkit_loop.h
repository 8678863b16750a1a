// Waiting through the toolkit's own message loop: what the application does with a key (MDI
// system keys, menu shortcuts, dialog keys) happens only there, not in a plain dispatch loop.
// And popup menus, which run a loop of their own until they close.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "toolkit/controls/timer.h"

namespace qs::test {

// Runs TApplication::ProcessMessages until done() holds (true) or timeoutMs pass (false).
bool RunToolkitUntil(const std::function<bool()>& done, DWORD timeoutMs = 3000);

// For code that opens a popup menu and returns only once it closes: the returned timer waits for
// the next popup menu window to show, lets `look` see it (painted), then closes it with Esc.
std::unique_ptr<TTimer> CloseNextPopupMenu(std::function<void(HWND menu)> look = {});

} // namespace qs::test

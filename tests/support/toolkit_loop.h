// Waiting through the toolkit's own message loop: what the application does with a key (MDI
// system keys, menu shortcuts, dialog keys) happens only there, not in a plain dispatch loop.
#pragma once

#include <windows.h>

#include <functional>

namespace qs::test {

// Runs TApplication::ProcessMessages until done() holds (true) or timeoutMs pass (false).
bool RunToolkitUntil(const std::function<bool()>& done, DWORD timeoutMs = 3000);

} // namespace qs::test

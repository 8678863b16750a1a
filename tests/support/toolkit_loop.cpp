// The toolkit loop, driven until a condition holds.
#include "tests/support/toolkit_loop.h"

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

} // namespace qs::test

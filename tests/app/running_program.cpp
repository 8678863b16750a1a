// Starting and ending the program under test.
#include "tests/app/running_program.h"

#include "tests/support/wintest.h"

namespace qs::test {

namespace {
std::string programPath() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string p = path;
    return p.substr(0, p.find_last_of("\\/") + 1) + "Quillshot.exe";
}

struct Search {
    DWORD pid;
    const char* cls;
    const char* caption;
    bool visible;
    HWND found;
};

bool matches(HWND hwnd, const Search& s) {
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != s.pid || (s.visible && !IsWindowVisible(hwnd))) return false;
    char buf[256];
    if (s.cls && (!GetClassNameA(hwnd, buf, sizeof buf) || std::string(buf) != s.cls)) return false;
    if (s.caption) {
        buf[0] = 0;
        GetWindowTextA(hwnd, buf, sizeof buf);
        if (std::string(buf) != s.caption) return false;
    }
    return true;
}

BOOL CALLBACK findFirst(HWND hwnd, LPARAM lp) {
    auto* s = reinterpret_cast<Search*>(lp);
    if (!matches(hwnd, *s)) return TRUE;
    s->found = hwnd;
    return FALSE;
}

struct Count {
    Search search;
    int count;
};

BOOL CALLBACK countAll(HWND hwnd, LPARAM lp) {
    auto* c = reinterpret_cast<Count*>(lp);
    if (matches(hwnd, c->search)) ++c->count;
    return TRUE;
}
} // namespace

RunningProgram::RunningProgram() {
    STARTUPINFOA si{};
    si.cb = sizeof(si);
    std::string cmd = "\"" + programPath() + "\"";
    CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &info_);
}

RunningProgram::~RunningProgram() {
    if (Running()) {
        TerminateProcess(info_.hProcess, 1);
        WaitForSingleObject(info_.hProcess, 5000);
    }
    if (info_.hProcess) CloseHandle(info_.hProcess);
    if (info_.hThread) CloseHandle(info_.hThread);
}

bool RunningProgram::Running() const {
    return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

bool RunningProgram::WaitForExit(DWORD timeoutMs, DWORD* exitCode) const {
    const DWORD start = GetTickCount();
    while (Running()) {
        if (GetTickCount() - start > timeoutMs) return false;
        PumpFor(20);
    }
    if (exitCode) GetExitCodeProcess(info_.hProcess, exitCode);
    return true;
}

HWND RunningProgram::WaitForWindow(const char* className, const char* caption, DWORD timeoutMs,
                                   bool visible) const {
    const DWORD start = GetTickCount();
    for (;;) {
        Search s{info_.dwProcessId, className, caption, visible, nullptr};
        EnumWindows(findFirst, LPARAM(&s));
        if (s.found) return s.found;
        if (GetTickCount() - start > timeoutMs || !Running()) return nullptr;
        PumpFor(20);
    }
}

int RunningProgram::CountWindows(const char* className) const {
    Count c{{info_.dwProcessId, className, nullptr, false, nullptr}, 0};
    EnumWindows(countAll, LPARAM(&c));
    return c.count;
}

} // namespace qs::test

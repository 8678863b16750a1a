// Starting and ending a program under test, its output caught in temporary files.
#include "tests/support/running_program.h"

#include "tests/support/wintest.h"

namespace qs::test {

namespace {
std::wstring programPath(const std::string& exeName) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring p = path;
    return p.substr(0, p.find_last_of(L"\\/") + 1) + std::wstring(exeName.begin(), exeName.end());
}

std::wstring temporaryFile() {
    wchar_t dir[MAX_PATH] = {}, file[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, dir);
    GetTempFileNameW(dir, L"qsp", 0, file);
    return file;
}

// A file the child process writes to: inheritable, shared so the test can read it meanwhile.
win::KernelHandle inheritableFile(const std::wstring& path) {
    SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
    return win::KernelHandle(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &sa,
                                         CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
}

std::string readFile(const std::wstring& path) {
    if (path.empty()) return {};
    win::KernelHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                       nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    std::string text;
    char buffer[4096];
    DWORD read = 0;
    while (file && ReadFile(file.Get(), buffer, sizeof buffer, &read, nullptr) && read > 0)
        text.append(buffer, read);
    return text;
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

RunningProgram::RunningProgram(const std::string& exeName, const std::wstring& arguments,
                               bool captureOutput) {
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    win::KernelHandle out, err;
    if (captureOutput) {
        outPath_ = temporaryFile();
        errPath_ = temporaryFile();
        out = inheritableFile(outPath_);
        err = inheritableFile(errPath_);
        si.dwFlags = STARTF_USESTDHANDLES;
        si.hStdOutput = out.Get();
        si.hStdError = err.Get();
    }
    std::wstring cmd = L"\"" + programPath(exeName) + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
    PROCESS_INFORMATION info{};
    if (CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, captureOutput, 0, nullptr, nullptr, &si,
                       &info)) {
        process_.Reset(info.hProcess);
        thread_.Reset(info.hThread);
        processId_ = info.dwProcessId;
    }
}

RunningProgram::~RunningProgram() {
    if (Running()) {
        TerminateProcess(process_.Get(), 1);
        WaitForSingleObject(process_.Get(), 5000);
    }
    if (!outPath_.empty()) DeleteFileW(outPath_.c_str());
    if (!errPath_.empty()) DeleteFileW(errPath_.c_str());
}

bool RunningProgram::Running() const {
    return process_ && WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT;
}

bool RunningProgram::WaitForExit(DWORD timeoutMs, DWORD* exitCode) const {
    const DWORD start = GetTickCount();
    while (Running()) {
        if (GetTickCount() - start > timeoutMs) return false;
        PumpFor(20);
    }
    if (exitCode) GetExitCodeProcess(process_.Get(), exitCode);
    return true;
}

HWND RunningProgram::WaitForWindow(const char* className, const char* caption, DWORD timeoutMs,
                                   bool visible) const {
    const DWORD start = GetTickCount();
    for (;;) {
        Search s{processId_, className, caption, visible, nullptr};
        EnumWindows(findFirst, LPARAM(&s));
        if (s.found) return s.found;
        if (GetTickCount() - start > timeoutMs || !Running()) return nullptr;
        PumpFor(20);
    }
}

int RunningProgram::CountWindows(const char* className) const {
    Count c{{processId_, className, nullptr, false, nullptr}, 0};
    EnumWindows(countAll, LPARAM(&c));
    return c.count;
}

std::string RunningProgram::StdOut() const {
    return readFile(outPath_);
}

std::string RunningProgram::StdErr() const {
    return readFile(errPath_);
}

} // namespace qs::test

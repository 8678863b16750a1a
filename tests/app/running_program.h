// The capture program started by a test in its own process, ended when the test is done.
#pragma once

#include <windows.h>

#include <string>

namespace qs::test {

class RunningProgram {
  public:
    // Starts Quillshot.exe from the test's own folder.
    RunningProgram();
    ~RunningProgram();
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    DWORD ProcessId() const { return info_.dwProcessId; }
    bool Running() const;
    // Waits for the process to end; false on timeout.
    bool WaitForExit(DWORD timeoutMs, DWORD* exitCode = nullptr) const;
    // A top-level window of this process with the class and caption (null: any), waiting for it;
    // with `visible`, only once it shows.
    HWND WaitForWindow(const char* className, const char* caption, DWORD timeoutMs = 8000,
                       bool visible = false) const;
    // How many top-level windows of this class the process has, shown or not.
    int CountWindows(const char* className) const;

  private:
    PROCESS_INFORMATION info_{};
};

// CP936 bytes of the program's texts, for finding its windows.
namespace text {
inline constexpr char kInstructions[] = "\xcb\xb5\xc3\xf7";    // 说明
inline constexpr char kAbout[] = "\xb9\xd8\xd3\xda";           // 关于
inline constexpr char kClose[] = "\xb9\xd8\xb1\xd5";           // 关闭
inline constexpr char kOk[] = "\xc8\xb7\xb6\xa8";              // 确定
inline constexpr char kConfirm[] = "\xc7\xeb\xc8\xb7\xc8\xcf"; // 请确认
inline constexpr char kAlreadyRunning[] = "\xa1\xb0Quillshot\xa1\xb1\xd2\xd1\xd4\xcb\xd0\xd0\xa3\xa1";
} // namespace text

} // namespace qs::test

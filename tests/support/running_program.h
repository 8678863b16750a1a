// A program under test started in its own process, ended when the test is done.
#pragma once

#include <windows.h>

#include <string>

#include "toolkit/handles.h"

namespace qs::test {

class RunningProgram {
  public:
    // Starts `exeName` from the test's own folder with `arguments` (quoted as a command line
    // wants them). With `captureOutput` its standard output and error go to files that StdOut
    // and StdErr read back.
    explicit RunningProgram(const std::string& exeName, const std::wstring& arguments = L"",
                            bool captureOutput = false);
    ~RunningProgram();
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    DWORD ProcessId() const { return processId_; }
    bool Running() const;
    // Waits for the process to end; false on timeout.
    bool WaitForExit(DWORD timeoutMs, DWORD* exitCode = nullptr) const;
    // A top-level window of this process with the class and caption (null: any), waiting for it;
    // with `visible`, only once it shows.
    HWND WaitForWindow(const char* className, const char* caption, DWORD timeoutMs = 8000,
                       bool visible = false) const;
    // How many top-level windows of this class the process has, shown or not.
    int CountWindows(const char* className) const;
    // What the program wrote so far (UTF-8 as it wrote it).
    std::string StdOut() const;
    std::string StdErr() const;

  private:
    win::KernelHandle process_;
    win::KernelHandle thread_;
    DWORD processId_ = 0;
    std::wstring outPath_, errPath_;
};

} // namespace qs::test

// Names the torture case that was running when the process died or hung: a watchdog thread ends
// a case that runs too long, and the crash reporters print the case before the process goes.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

namespace qs::test {

class CaseWatch {
  public:
    // A case running longer than `limit` is reported as a hang, with where the thread that made
    // the watch is stuck, and the process ends (exit code 3). A crash is reported the same way.
    // QS_TORTURE_THROWS set: the stack of every C++ throw too (for addr2line on the executable).
    explicit CaseWatch(std::chrono::milliseconds limit);
    ~CaseWatch();
    CaseWatch(const CaseWatch&) = delete;
    CaseWatch& operator=(const CaseWatch&) = delete;

    void Begin(const std::string& label);
    void End();

  private:
    void watch();

    std::chrono::milliseconds limit_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::string label_;
    std::chrono::steady_clock::time_point started_;
    bool running_ = false;
    bool stopping_ = false;
    void* caseThread_ = nullptr; // the thread that made the watch runs the cases
    std::thread thread_;
};

} // namespace qs::test

#include "tests/torture/case_watch.h"

#include <windows.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>

namespace qs::test {

namespace {

// A fixed buffer: what the crash reporters read may be all that is left working.
char g_case[1024] = "no case";

void say(const char* what) {
    std::fprintf(stdout, "\n%s in case: %s\n", what, g_case);
    std::fflush(stdout);
    std::fprintf(stderr, "\n%s in case: %s\n", what, g_case);
    std::fflush(stderr);
}

// The return addresses of a stopped thread, for addr2line on the test executable.
void printStack(CONTEXT context) {
#ifdef _WIN64
    for (int depth = 0; depth < 32 && context.Rip; ++depth) {
        std::fprintf(stdout, "  at 0x%llx\n", static_cast<unsigned long long>(context.Rip));
        DWORD64 imageBase = 0;
        PRUNTIME_FUNCTION function = RtlLookupFunctionEntry(context.Rip, &imageBase, nullptr);
        if (!function) {
            // A leaf function: the return address is on top of the stack.
            context.Rip = *reinterpret_cast<DWORD64*>(context.Rsp);
            context.Rsp += 8;
            continue;
        }
        void* handlerData = nullptr;
        DWORD64 establisher = 0;
        RtlVirtualUnwind(UNW_FLAG_NHANDLER, imageBase, context.Rip, function, &context, &handlerData,
                         &establisher, nullptr);
    }
#else
    std::fprintf(stdout, "  at 0x%lx\n", static_cast<unsigned long>(context.Eip));
#endif
    std::fflush(stdout);
}

LONG WINAPI onUnhandled(EXCEPTION_POINTERS* info) {
    char what[96];
    std::snprintf(what, sizeof what, "CRASH (exception 0x%08lx at %p)", info->ExceptionRecord->ExceptionCode,
                  info->ExceptionRecord->ExceptionAddress);
    say(what);
    printStack(*info->ContextRecord);
    TerminateProcess(GetCurrentProcess(), 2);
    return EXCEPTION_EXECUTE_HANDLER;
}

void onAbort(int) {
    say("CRASH (abort)");
    TerminateProcess(GetCurrentProcess(), 2);
}

// GCC's code for a C++ exception raised through SEH.
constexpr DWORD kCppException = 0x20474343;

LONG WINAPI onThrow(EXCEPTION_POINTERS* info) {
    if (info->ExceptionRecord->ExceptionCode == kCppException) {
        std::fprintf(stdout, "THROW in case: %s\n", g_case);
        printStack(*info->ContextRecord);
    }
    return EXCEPTION_CONTINUE_SEARCH;
}

} // namespace

CaseWatch::CaseWatch(std::chrono::milliseconds limit) : limit_(limit) {
    // Where an exception that reached the application came from: every C++ throw's stack.
    if (std::getenv("QS_TORTURE_THROWS")) AddVectoredExceptionHandler(1, onThrow);
    SetUnhandledExceptionFilter(onUnhandled);
    std::signal(SIGABRT, onAbort);
    std::set_terminate([] {
        say("CRASH (terminate)");
        TerminateProcess(GetCurrentProcess(), 2);
    });
    HANDLE self = nullptr;
    DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(), &self, 0, FALSE,
                    DUPLICATE_SAME_ACCESS);
    caseThread_ = self;
    thread_ = std::thread([this] { watch(); });
}

CaseWatch::~CaseWatch() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    thread_.join();
    CloseHandle(caseThread_);
    std::strcpy(g_case, "no case");
}

void CaseWatch::Begin(const std::string& label) {
    std::lock_guard<std::mutex> lock(mutex_);
    std::snprintf(g_case, sizeof g_case, "%s", label.c_str());
    label_ = label;
    started_ = std::chrono::steady_clock::now();
    running_ = true;
    changed_.notify_all();
}

void CaseWatch::End() {
    std::lock_guard<std::mutex> lock(mutex_);
    running_ = false;
    std::strcpy(g_case, "between cases");
    changed_.notify_all();
}

void CaseWatch::watch() {
    std::unique_lock<std::mutex> lock(mutex_);
    while (!stopping_) {
        if (!running_) {
            changed_.wait(lock);
            continue;
        }
        const auto deadline = started_ + limit_;
        const std::string label = label_;
        if (changed_.wait_until(lock, deadline) == std::cv_status::timeout && running_ && label_ == label &&
            std::chrono::steady_clock::now() >= deadline) {
            char what[96];
            std::snprintf(what, sizeof what, "HANG (over %lld ms)", static_cast<long long>(limit_.count()));
            say(what);
            // Where the case's thread is stuck.
            if (SuspendThread(caseThread_) != DWORD(-1)) {
                CONTEXT context{};
                context.ContextFlags = CONTEXT_FULL;
                if (GetThreadContext(caseThread_, &context)) printStack(context);
            }
            TerminateProcess(GetCurrentProcess(), 3);
        }
    }
}

} // namespace qs::test

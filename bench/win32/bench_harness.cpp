#include "bench/win32/bench_harness.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace qs::bench {

namespace {

double counterFrequency() {
    static const double frequency = [] {
        LARGE_INTEGER f{};
        QueryPerformanceFrequency(&f);
        return double(f.QuadPart);
    }();
    return frequency;
}

// Wine exports its version from ntdll; on Windows the lookups fail and say so.
std::string wineVersion() {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    if (!ntdll) return "not Wine";
    using TVersion = const char*(__cdecl*)();
    using THost = void(__cdecl*)(const char** sysname, const char** release);
    auto version =
        reinterpret_cast<TVersion>(reinterpret_cast<void*>(GetProcAddress(ntdll, "wine_get_version")));
    auto host =
        reinterpret_cast<THost>(reinterpret_cast<void*>(GetProcAddress(ntdll, "wine_get_host_version")));
    if (!version) return "not Wine (Windows)";
    std::string text = std::string("Wine ") + version();
    if (host) {
        const char *sysname = nullptr, *release = nullptr;
        host(&sysname, &release);
        if (sysname && release) text += std::string(" on ") + sysname + " " + release;
    }
    return text;
}

double percentile(const std::vector<double>& sorted, double p) {
    const size_t i = std::min(sorted.size() - 1, size_t(p * double(sorted.size() - 1) + 0.5));
    return sorted[i];
}

void line() {
    std::printf("%s\n", std::string(118, '-').c_str());
}

} // namespace

double Now() {
    LARGE_INTEGER t{};
    QueryPerformanceCounter(&t);
    return double(t.QuadPart) / counterFrequency();
}

TFigures Measure(const std::function<void()>& body, const TRunLimits& limits) {
    return Measure([] {}, body, limits);
}

TFigures Measure(const std::function<void()>& setup, const std::function<void()>& body,
                 const TRunLimits& limits) {
    for (int i = 0; i < limits.Warmup; ++i) {
        setup();
        body();
    }
    std::vector<double> times;
    double total = 0;
    while (int(times.size()) < limits.MaxRuns &&
           (int(times.size()) < limits.MinRuns || total < limits.MaxSeconds)) {
        setup();
        const double start = Now();
        body();
        const double t = Now() - start;
        times.push_back(t);
        total += t;
    }
    TFigures f;
    f.Runs = int(times.size());
    if (times.empty()) return f;
    std::sort(times.begin(), times.end());
    f.Min = times.front();
    f.Median = percentile(times, 0.5);
    f.P90 = percentile(times, 0.9);
    f.Mean = total / double(times.size());
    return f;
}

std::string FormatDuration(double seconds) {
    char text[32];
    const double us = seconds * 1e6;
    if (us < 1000)
        std::snprintf(text, sizeof text, us < 100 ? "%.2f us" : "%.1f us", us);
    else if (us < 1e6)
        std::snprintf(text, sizeof text, us < 1e5 ? "%.2f ms" : "%.1f ms", us / 1000);
    else
        std::snprintf(text, sizeof text, "%.2f s", seconds);
    return text;
}

TReport::TReport(const std::string& program) {
    SYSTEM_INFO info{};
    GetNativeSystemInfo(&info);
    OSVERSIONINFOA os{};
    os.dwOSVersionInfoSize = sizeof(os);
    GetVersionExA(&os);
    std::printf("== %s\n", program.c_str());
    std::printf("machine: %s; reports Windows %lu.%lu build %lu; %lu processors; counter %.3f MHz\n",
                wineVersion().c_str(), os.dwMajorVersion, os.dwMinorVersion, os.dwBuildNumber,
                info.dwNumberOfProcessors, counterFrequency() / 1e6);
    std::printf("build: %s MinGW GCC %s, %s\n", sizeof(void*) == 8 ? "x86_64 (64-bit)" : "i686 (32-bit)",
                __VERSION__, QS_BENCH_BUILD_TYPE);
    line();
    std::printf("%-46s %-20s %5s %11s %11s %11s  %s\n", "benchmark", "size", "runs", "median", "min", "p90",
                "note");
    line();
    std::fflush(stdout);
}

TReport::~TReport() {
    line();
    std::fflush(stdout);
}

void TReport::Row(const std::string& name, const std::string& size, const TFigures& f,
                  const std::string& note) {
    std::printf("%-46s %-20s %5d %11s %11s %11s  %s\n", name.c_str(), size.c_str(), f.Runs,
                FormatDuration(f.Median).c_str(), FormatDuration(f.Min).c_str(),
                FormatDuration(f.P90).c_str(), note.c_str());
    std::fflush(stdout);
}

void TReport::Note(const std::string& text) {
    std::printf("  %s\n", text.c_str());
    std::fflush(stdout);
}

} // namespace qs::bench

// A small timing harness for the Win32 benchmarks (Google Benchmark does not build with MinGW):
// each body runs a few times to warm up, then is timed run by run with QueryPerformanceCounter;
// a report prints median, minimum and 90th percentile per benchmark in one table.
#pragma once

#include <functional>
#include <string>

namespace qs::bench {

// How many runs one benchmark gets: at least MinRuns, at most MaxRuns, and no more once
// MaxSeconds of timed runs have passed.
struct TRunLimits {
    int Warmup = 3;
    int MinRuns = 10;
    int MaxRuns = 500;
    double MaxSeconds = 1.5;
};

// Seconds.
struct TFigures {
    int Runs = 0;
    double Min = 0, Median = 0, P90 = 0, Mean = 0;
};

// Seconds since an arbitrary start, at the performance counter's resolution.
double Now();

TFigures Measure(const std::function<void()>& body, const TRunLimits& limits = {});
// setup runs before every body (warm-up runs included) and is not timed.
TFigures Measure(const std::function<void()>& setup, const std::function<void()>& body,
                 const TRunLimits& limits = {});

// A duration with a unit that keeps three or four significant digits ("412.3 us", "12.41 ms").
std::string FormatDuration(double seconds);

class TReport {
  public:
    // Prints the program name, the machine (Wine and host versions, processors, counter
    // frequency) and the column heads.
    explicit TReport(const std::string& program);
    ~TReport();
    TReport(const TReport&) = delete;
    TReport& operator=(const TReport&) = delete;

    void Row(const std::string& name, const std::string& size, const TFigures& figures,
             const std::string& note = {});
    // A line of its own under the table's rows (what was measured, a skipped case).
    void Note(const std::string& text);
};

} // namespace qs::bench

// What a soak prints as it goes: GDI and USER objects and private bytes at the start, at every
// tenth of the run, and at the end, with the peak of each.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>

namespace qs::test {

struct SoakReading {
    DWORD gdi = 0, user = 0;
    uint64_t privateBytes = 0;
};

// The process's counts now (GdiObjectCount, UserObjectCount, the private bytes it commits).
SoakReading ReadSoakCounts();

// A run's length from the environment (the soak script asks for long runs), else `fallback`.
int SoakCount(const char* variable, int fallback);

class SoakMeter {
  public:
    // Takes the start reading; `name` leads every line printed.
    SoakMeter(std::string name, int total);
    // Call after each of the run's steps (1 ... total): prints at every tenth.
    void Step(int done);
    const SoakReading& Start() const { return start_; }
    const SoakReading& Peak() const { return peak_; }
    const SoakReading& Last() const { return last_; }
    // Empty when the last reading is flat against the start: at most a few handles more (a leak
    // per step shows many times over that) and private bytes within 5 %; else what grew.
    std::string Growth() const;

  private:
    void print(const char* when, const SoakReading& r) const;

    std::string name_;
    int total_;
    int nextTenth_ = 1;
    SoakReading start_, peak_, last_;
};

} // namespace qs::test

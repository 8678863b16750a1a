#include "tests/support/soak_meter.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "tests/support/wintest.h"

namespace qs::test {

namespace {

// Committed private memory, region by region: Wine leaves the private-usage counter at 0.
uint64_t committedPrivateBytes() {
    uint64_t bytes = 0;
    MEMORY_BASIC_INFORMATION region{};
    for (const char* at = nullptr; VirtualQuery(at, &region, sizeof region) == sizeof region;) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) bytes += region.RegionSize;
        const char* next = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
        if (next <= at) break;
        at = next;
    }
    return bytes;
}

} // namespace

SoakReading ReadSoakCounts() {
    SoakReading r;
    r.gdi = GdiObjectCount();
    r.user = UserObjectCount();
    r.privateBytes = committedPrivateBytes();
    return r;
}

int SoakCount(const char* variable, int fallback) {
    const char* value = std::getenv(variable);
    const int n = value ? std::atoi(value) : 0;
    return n > 0 ? n : fallback;
}

SoakMeter::SoakMeter(std::string name, int total) : name_(std::move(name)), total_(std::max(total, 1)) {
    start_ = peak_ = last_ = ReadSoakCounts();
    print("start", start_);
}

void SoakMeter::Step(int done) {
    if (done * 10 < nextTenth_ * total_) return;
    last_ = ReadSoakCounts();
    peak_.gdi = std::max(peak_.gdi, last_.gdi);
    peak_.user = std::max(peak_.user, last_.user);
    peak_.privateBytes = std::max(peak_.privateBytes, last_.privateBytes);
    // A step may cross more than one tenth when the run is shorter than ten steps.
    while (nextTenth_ <= 10 && done * 10 >= nextTenth_ * total_)
        ++nextTenth_;
    char when[32];
    std::snprintf(when, sizeof when, "%3d%% (%d)", done * 100 / total_, done);
    print(when, last_);
    if (done >= total_) {
        std::printf("%s: start GDI %lu USER %lu private %.1f MB; peak GDI %lu USER %lu private %.1f MB; "
                    "end GDI %lu USER %lu private %.1f MB\n",
                    name_.c_str(), start_.gdi, start_.user, double(start_.privateBytes) / 1048576.0,
                    peak_.gdi, peak_.user, double(peak_.privateBytes) / 1048576.0, last_.gdi, last_.user,
                    double(last_.privateBytes) / 1048576.0);
        std::fflush(stdout);
    }
}

std::string SoakMeter::Growth() const {
    constexpr DWORD kHandleAllowance = 4;
    std::string growth;
    char line[160];
    if (last_.gdi > start_.gdi + kHandleAllowance) {
        std::snprintf(line, sizeof line, "GDI objects %lu -> %lu; ", start_.gdi, last_.gdi);
        growth += line;
    }
    if (last_.user > start_.user + kHandleAllowance) {
        std::snprintf(line, sizeof line, "USER objects %lu -> %lu; ", start_.user, last_.user);
        growth += line;
    }
    if (last_.privateBytes > start_.privateBytes + start_.privateBytes / 20) {
        std::snprintf(line, sizeof line, "private bytes %llu -> %llu; ",
                      static_cast<unsigned long long>(start_.privateBytes),
                      static_cast<unsigned long long>(last_.privateBytes));
        growth += line;
    }
    return growth;
}

void SoakMeter::print(const char* when, const SoakReading& r) const {
    std::printf("%s %s: GDI %lu, USER %lu, private %.1f MB\n", name_.c_str(), when, r.gdi, r.user,
                double(r.privateBytes) / 1048576.0);
    std::fflush(stdout);
}

} // namespace qs::test

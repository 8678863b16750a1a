// Gradient colour arrays: per channel c1 + (i * (c2 - c1) + n / 2) / n, truncated toward zero, so a
// falling channel may stop one step short of c2.
#include "skin/res/gradient.h"

#include "skin/res/assertion.h"

namespace qs {

int TGradientCache::GradientColors(int32_t count, int32_t c1, int32_t c2) {
    if (count <= 0) throw EAssertionFailed("Assertion failure", "imgutil", 302);
    for (int i = kSlots - 1; i >= 0; --i) {
        const std::vector<int32_t>& s = slots_[size_t(i)];
        if (s.size() == size_t(count) && s.front() == c1 && s.back() == c2) return i;
    }
    const int index = next_;
    next_ = (next_ + 1) % kSlots;
    std::vector<int32_t>& slot = slots_[size_t(index)];
    slot.resize(size_t(count));
    const int n = count - 1;
    auto channel = [](int32_t c, int shift) { return int64_t(c >> shift & 0xFF); };
    for (int i = 0; i <= n; ++i) {
        int32_t packed = 0;
        for (int shift = 0; shift <= 16; shift += 8) {
            const int64_t from = channel(c1, shift), dc = channel(c2, shift) - from;
            const int64_t v = n == 0 ? from + dc / 2 : from + (int64_t(i) * dc + n / 2) / n;
            packed |= int32_t(v) << shift;
        }
        slot[size_t(i)] = packed;
    }
    return index;
}

TGradientCache& GradientCache() {
    static TGradientCache cache;
    return cache;
}

} // namespace qs

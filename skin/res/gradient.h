// Two-colour gradients as colour arrays, cached in 16 slots reused in rotation, so repeated painting
// of same-sized areas does not recompute them.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace qs {

class TGradientCache {
  public:
    static constexpr int kSlots = 16;
    // Slot index of a gradient of count colours from c1 to c2: an existing one with the same length
    // and end colours, else a newly filled slot. count <= 0 is a programming error.
    int GradientColors(int32_t count, int32_t c1, int32_t c2);
    // Valid until the slot is refilled, 16 fills later.
    const std::vector<int32_t>& Slot(int index) const { return slots_[size_t(index)]; }

  private:
    std::array<std::vector<int32_t>, kSlots> slots_;
    int next_ = 0;
};

// The process-wide cache the painters share.
TGradientCache& GradientCache();
inline int GradientColors(int32_t count, int32_t c1, int32_t c2) {
    return GradientCache().GradientColors(count, c1, c2);
}
inline const std::vector<int32_t>& GradientSlot(int index) {
    return GradientCache().Slot(index);
}

} // namespace qs

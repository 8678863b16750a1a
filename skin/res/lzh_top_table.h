// The top levels of the LZH model's tree as one lookup, so the decoder takes the first kTopBits bits
// of a code in one step instead of one node at a time. The tree changes after every symbol, but the
// exchanges happen mostly among deep nodes of equal counts; the table is rebuilt only when one of the
// nodes it read has changed.
#pragma once

#include "skin/res/lzh_model.h"

#include <array>
#include <cstdint>

namespace qs::lzh {

constexpr int kTopBits = 6;

struct TopEntry {
    int16_t value = 0; // son value after the steps: a leaf code (>= kNodeCount) or the next pair
    int16_t node = 0;  // the node whose son entry gave value
    uint8_t bits = 0;  // code bits taken, 1 .. kTopBits
};

class LzhTopTable {
  public:
    // Rebuilds from model when a watched node has changed since the last build.
    void Refresh(LzhModel& model) {
        if (model.watchedChanged) Build(model);
    }
    // By the next kTopBits code bits, most significant first.
    const TopEntry& operator[](unsigned prefix) const { return entries_[prefix]; }

  private:
    void Build(LzhModel& model);
    void Fill(LzhModel& model, int node, int depth, unsigned prefix);
    std::array<TopEntry, 1u << kTopBits> entries_{};
};

} // namespace qs::lzh

// Filling the top-of-tree lookup by walking every path of up to kTopBits steps once.
#include "skin/res/lzh_top_table.h"

#include <cstddef>

namespace qs::lzh {

void LzhTopTable::Build(LzhModel& model) {
    model.watched.fill(0);
    model.watchedChanged = false;
    Fill(model, kRoot, 0, 0);
}

// node's son entry is read at depth steps below the root, reached by the code bits in prefix.
void LzhTopTable::Fill(LzhModel& model, int node, int depth, unsigned prefix) {
    model.watched[std::size_t(node)] = 1;
    const int value = model.son[std::size_t(node)];
    if (depth > 0 && (value >= kNodeCount || depth == kTopBits)) {
        const unsigned span = 1u << (kTopBits - depth);
        for (unsigned k = 0; k < span; ++k)
            entries_[prefix * span + k] = {int16_t(value), int16_t(node), uint8_t(depth)};
        return;
    }
    Fill(model, value, depth + 1, prefix << 1);
    Fill(model, value + 1, depth + 1, prefix << 1 | 1);
}

} // namespace qs::lzh

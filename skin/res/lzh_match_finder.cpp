// Binary-tree match finder. Inserting at the root splits the old tree along the search path, so the
// path meets the newest candidates first and stale ones (beyond the window) end the walk.
#include "skin/res/lzh_match_finder.h"

#include "skin/res/lzh_model.h"

#include <algorithm>

namespace qs::lzh {

LzhMatchFinder::LzhMatchFinder(const uint8_t* text, uint32_t end)
    : text_(text), end_(end), head_(new uint32_t[65536]), son_(new uint32_t[2 * kCyclic]) {
    std::fill_n(head_.get(), 65536, kNil);
    std::fill_n(son_.get(), 2 * kCyclic, kNil);
}

LzhMatchFinder::~LzhMatchFinder() = default;

Match LzhMatchFinder::Insert(uint32_t pos) {
    const uint8_t* cur = text_ + pos;
    const uint32_t h = uint32_t(cur[0]) | uint32_t(cur[1]) << 8;
    uint32_t cand = head_[h];
    head_[h] = pos;

    uint32_t* smaller = &son_[2 * (pos % kCyclic)];
    uint32_t* greater = smaller + 1;
    int lenSmaller = 2, lenGreater = 2; // every string of this tree starts with the same two bytes
    Match best;
    for (;;) {
        if (cand == kNil || pos - cand > uint32_t(kRingSize)) {
            *smaller = *greater = kNil;
            break;
        }
        const uint8_t* pb = text_ + cand;
        uint32_t* pair = &son_[2 * (cand % kCyclic)];
        int len = std::min(lenSmaller, lenGreater);
        while (len < kMaxMatch && pb[len] == cur[len])
            ++len;
        if (len > best.length) best = {len, int(pos - cand)};
        if (len == kMaxMatch) {
            // Equal as far as matches go: the new position replaces the old one.
            *smaller = pair[0];
            *greater = pair[1];
            break;
        }
        if (pb[len] < cur[len]) {
            *smaller = cand;
            smaller = pair + 1;
            cand = *smaller;
            lenSmaller = len;
        } else {
            *greater = cand;
            greater = pair;
            cand = *greater;
            lenGreater = len;
        }
    }
    best.length = std::min<int>(best.length, int(end_ - pos));
    if (best.length <= kThreshold) best = {};
    return best;
}

} // namespace qs::lzh

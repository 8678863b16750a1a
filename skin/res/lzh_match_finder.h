// Longest-match search for the LZH compressor: binary trees of the positions in the 4096-byte window,
// one per leading byte pair, each new position becoming the root (so a tree is also ordered by age).
#pragma once

#include <cstdint>
#include <memory>

namespace qs::lzh {

struct Match {
    int length = 0;   // 0 when there is no match of at least 3 bytes
    int distance = 0; // 1 .. 4096 bytes back
};

class LzhMatchFinder {
  public:
    // text must hold end + kMaxMatch - 1 readable bytes; bytes past end never count towards a match.
    LzhMatchFinder(const uint8_t* text, uint32_t end);
    ~LzhMatchFinder();

    // Adds position pos (every position once, in increasing order) and returns its longest match
    // with the earlier positions, the nearest one among equally long matches.
    Match Insert(uint32_t pos);

  private:
    static constexpr uint32_t kNil = 0xFFFFFFFFu;
    static constexpr uint32_t kCyclic = 8192; // more than the window, so a live node's slot is never reused
    const uint8_t* text_;
    uint32_t end_;
    std::unique_ptr<uint32_t[]> head_; // by first two bytes
    std::unique_ptr<uint32_t[]> son_;  // two links per cyclic slot: smaller, greater
};

} // namespace qs::lzh

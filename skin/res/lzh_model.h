// The adaptive Huffman model and position tables shared by the LZH decoder and encoder.
// Stored skins were written with exactly this model, so its arithmetic must not change.
#pragma once

#include <array>
#include <cstdint>

namespace qs::lzh {

constexpr int kRingSize = 4096;                            // N
constexpr int kMaxMatch = 60;                              // F
constexpr int kThreshold = 2;                              // matches are at least kThreshold + 1 long
constexpr int kSymbolCount = 256 + kMaxMatch - kThreshold; // 314: literals, then lengths 3..60
constexpr int kNodeCount = 2 * kSymbolCount - 1;           // T = 627
constexpr int kRoot = kNodeCount - 1;                      // R = 626
constexpr uint16_t kMaxFreq = 0x8000;
constexpr int kInitialFill = kRingSize - kMaxMatch; // 4036 spaces, and the first write position

// Upper 6 bits of a position, and the number of prefix bits, indexed by the first byte of its code.
struct PositionTables {
    std::array<uint8_t, 256> code{};
    std::array<uint8_t, 256> length{};
    // For the encoder: the lowest byte naming each upper value, and its prefix length.
    std::array<uint8_t, 64> encodeByte{};
    std::array<uint8_t, 64> encodeLength{};
};
const PositionTables& Positions();

class LzhModel {
  public:
    void Reset();
    // Counts one more occurrence of symbol s, rebuilding first when the root is saturated.
    // Inline: the decoder runs it after every symbol.
    void Update(int s) {
        if (freq[kRoot] == kMaxFreq) Rebuild();
        int c = prnt[s + kNodeCount];
        do {
            const uint16_t k = ++freq[c];
            if (k > freq[c + 1]) c = Exchange(c, k);
            c = prnt[c];
        } while (c != 0);
    }
    // Code bits of symbol s, root end first, written into bits; returns how many.
    // A path never exceeds the node count, so bits needs kNodeCount entries.
    int CodeOf(int s, uint8_t* bits) const;

    std::array<uint16_t, kNodeCount + 1> freq{};           // freq[T] is a 0xFFFF sentinel
    std::array<int16_t, kNodeCount + kSymbolCount> prnt{}; // prnt[T + s] is the leaf of symbol s
    std::array<int16_t, kNodeCount> son{};

  private:
    void Rebuild();
    // Moves node c, whose count k now exceeds its right neighbour's, past every smaller count; returns
    // its new index.
    int Exchange(int c, uint16_t k);
};

} // namespace qs::lzh

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
    void Update(int s) { Update(s, prnt[s + kNodeCount]); }
    // The same, given the leaf of s, which a decoder has just reached anyway.
    // Inline: the decoder runs it after every symbol.
    void Update(int s, int leaf) {
        if (freq[kRoot] == kMaxFreq) {
            Rebuild();
            leaf = prnt[s + kNodeCount];
        }
        // Two levels a step: the grandparent link halves the chain of dependent loads up to the root.
        int c = leaf;
        for (;;) {
            int p = prnt[c], g = grandparent[c];
            uint16_t k = ++freq[c];
            if (k > freq[c + 1]) {
                c = Exchange(c, k);
                p = prnt[c];
                g = grandparent[c];
            }
            if (p == 0) return;
            k = ++freq[p];
            if (k > freq[p + 1]) g = prnt[Exchange(p, k)];
            if (g == 0) return;
            c = g;
        }
    }
    // Code bits of symbol s, root end first, written into bits; returns how many.
    // A path never exceeds the node count, so bits needs kNodeCount entries.
    int CodeOf(int s, uint8_t* bits) const;

    // freq[T] and the entries after it are 0xFFFF sentinels, above any count: the exchange reads a
    // block of kScanBlock counts at a time.
    static constexpr int kScanBlock = 16;
    std::array<uint16_t, kNodeCount + kScanBlock> freq{};
    std::array<int16_t, kNodeCount + kSymbolCount> prnt{}; // prnt[T + s] is the leaf of symbol s
    std::array<int16_t, kNodeCount> son{};
    // grandparent[x] = prnt[prnt[x]] for every node x: derived from prnt, kept in step with it.
    std::array<int16_t, kNodeCount> grandparent{};

    // Lets a decoder cache the top levels of the tree: it marks the nodes whose son entries its cache
    // read, and watchedChanged is set when any of them changes (and by every reset or rebuild).
    std::array<uint8_t, kNodeCount> watched{};
    bool watchedChanged = true;

  private:
    void Rebuild();
    void LinkGrandparents();
    // Moves node c, whose count k now exceeds its right neighbour's, past every smaller count; returns
    // its new index.
    int Exchange(int c, uint16_t k) {
        // The counts are sorted, so the number below k in a block is how far the scan moves; counting
        // a whole block costs less than a loop whose exit the processor cannot predict.
        int l = c + 1;
        for (;;) {
            int below = 0;
            for (int i = 1; i <= kScanBlock; ++i)
                below += freq[l + i] < k;
            l += below;
            if (below < kScanBlock) break;
        }
        watchedChanged |= (watched[c] | watched[l]) != 0;
        freq[c] = freq[l];
        freq[l] = k;
        const int16_t i = son[c];
        son[c] = son[l];
        son[l] = i;
        Hang(l);
        Hang(c);
        return l;
    }
    // Points the children of node at it, and its grandchildren through it.
    void Hang(int node) {
        const int i = son[node];
        prnt[i] = int16_t(node);
        if (i >= kNodeCount) return;
        prnt[i + 1] = int16_t(node);
        grandparent[i] = grandparent[i + 1] = prnt[node];
        for (int child = i; child <= i + 1; ++child) {
            const int g = son[child];
            if (g < kNodeCount) grandparent[g] = grandparent[g + 1] = int16_t(node);
        }
    }
};

} // namespace qs::lzh

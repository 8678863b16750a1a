// Adaptive Huffman tree of the LZH codec: start state, update by node exchange, rebuild with halved counts.
#include "skin/res/lzh_model.h"

#include <algorithm>

namespace qs::lzh {

namespace {
PositionTables MakePositionTables() {
    PositionTables t;
    // (number of upper values, bytes per value, prefix length) in byte order.
    struct Band {
        int values, bytes, length;
    };
    const Band bands[] = {{1, 32, 3}, {3, 16, 4}, {8, 8, 5}, {12, 4, 6}, {24, 2, 7}, {16, 1, 8}};
    int byte = 0, value = 0;
    for (const Band& b : bands) {
        for (int v = 0; v < b.values; ++v, ++value) {
            t.encodeByte[value] = uint8_t(byte);
            t.encodeLength[value] = uint8_t(b.length);
            for (int k = 0; k < b.bytes; ++k, ++byte) {
                t.code[byte] = uint8_t(value);
                t.length[byte] = uint8_t(b.length);
            }
        }
    }
    return t;
}
} // namespace

const PositionTables& Positions() {
    static const PositionTables tables = MakePositionTables();
    return tables;
}

void LzhModel::Reset() {
    for (int s = 0; s < kSymbolCount; ++s) {
        freq[s] = 1;
        son[s] = int16_t(s + kNodeCount);
        prnt[s + kNodeCount] = int16_t(s);
    }
    for (int i = 0, j = kSymbolCount; j <= kRoot; i += 2, ++j) {
        freq[j] = uint16_t(freq[i] + freq[i + 1]);
        son[j] = int16_t(i);
        prnt[i] = prnt[i + 1] = int16_t(j);
    }
    std::fill(freq.begin() + kNodeCount, freq.end(), uint16_t(0xFFFF));
    prnt[kRoot] = 0;
    LinkGrandparents();
    watchedChanged = true;
}

void LzhModel::LinkGrandparents() {
    for (int x = 0; x < kNodeCount; ++x)
        grandparent[x] = prnt[prnt[x]];
}

void LzhModel::Rebuild() {
    watchedChanged = true;
    // Gather the leaves at the bottom with halved counts (never below 1).
    int j = 0;
    for (int i = 0; i < kNodeCount; ++i) {
        if (son[i] >= kNodeCount) {
            freq[j] = uint16_t((freq[i] + 1) / 2);
            son[j] = son[i];
            ++j;
        }
    }
    // Pair them up again; each new inner node goes after existing nodes of equal count.
    for (int i = 0, n = kSymbolCount; n < kNodeCount; i += 2, ++n) {
        const uint16_t f = uint16_t(freq[i] + freq[i + 1]);
        int k = n - 1;
        while (f < freq[k])
            --k;
        ++k;
        for (int m = n; m > k; --m) {
            freq[m] = freq[m - 1];
            son[m] = son[m - 1];
        }
        freq[k] = f;
        son[k] = int16_t(i);
    }
    for (int i = 0; i < kNodeCount; ++i) {
        const int k = son[i];
        if (k >= kNodeCount) {
            prnt[k] = int16_t(i);
        } else {
            prnt[k] = prnt[k + 1] = int16_t(i);
        }
    }
    LinkGrandparents();
}

int LzhModel::CodeOf(int s, uint8_t* bits) const {
    int depth = 0;
    for (int k = prnt[s + kNodeCount]; k != kRoot; k = prnt[k])
        bits[depth++] = uint8_t(k & 1);
    for (int a = 0, b = depth - 1; a < b; ++a, --b) {
        const uint8_t t = bits[a];
        bits[a] = bits[b];
        bits[b] = t;
    }
    return depth;
}

} // namespace qs::lzh

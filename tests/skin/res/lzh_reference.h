// An independent, bit-by-bit reference of the LZH stream format for the codec tests: its own model,
// its own position prefixes, a token writer and a token reader. Slow and plain on purpose.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

namespace qs::test {

struct LzhToken {
    int literal = -1; // 0..255, or -1 for a match
    int length = 0;   // 3..60
    int distance = 0; // 1..4096
};

class RefModel {
  public:
    std::vector<uint32_t> freq = std::vector<uint32_t>(628);
    std::vector<int> prnt = std::vector<int>(941);
    std::vector<int> son = std::vector<int>(627);
    int rebuilds = 0;

    RefModel() {
        for (int s = 0; s < 314; ++s) {
            freq[size_t(s)] = 1;
            son[size_t(s)] = s + 627;
            prnt[size_t(s + 627)] = s;
        }
        for (int j = 314, i = 0; j <= 626; ++j, i += 2) {
            freq[size_t(j)] = freq[size_t(i)] + freq[size_t(i + 1)];
            son[size_t(j)] = i;
            Hang(j);
        }
        freq[627] = 0xFFFF;
        prnt[626] = 0;
    }

    void Update(int s) {
        if (freq[626] == 0x8000) Rebuild();
        int c = prnt[size_t(s + 627)];
        do {
            const uint32_t k = ++freq[size_t(c)];
            if (k > freq[size_t(c + 1)]) {
                // freq is sorted: the last node still below k is just before the first one reaching it.
                const int l = int(std::lower_bound(freq.begin() + c + 1, freq.end(), k) - freq.begin()) - 1;
                freq[size_t(c)] = freq[size_t(l)];
                freq[size_t(l)] = k;
                std::swap(son[size_t(c)], son[size_t(l)]);
                Hang(c);
                Hang(l);
                c = l;
            }
            c = prnt[size_t(c)];
        } while (c != 0);
    }

    // Root end first.
    std::vector<int> Code(int s) const {
        std::vector<int> bits;
        for (int k = prnt[size_t(s + 627)]; k != 626; k = prnt[size_t(k)])
            bits.insert(bits.begin(), k & 1);
        return bits;
    }

  private:
    void Hang(int node) {
        const int k = son[size_t(node)];
        prnt[size_t(k)] = node;
        if (k < 627) prnt[size_t(k + 1)] = node;
    }
    void Rebuild() {
        ++rebuilds;
        std::vector<uint32_t> f;
        std::vector<int> sn;
        for (size_t i = 0; i < 627; ++i) {
            if (son[i] >= 627) {
                f.push_back((freq[i] + 1) / 2);
                sn.push_back(son[i]);
            }
        }
        for (size_t i = 0; f.size() < 627; i += 2) {
            const uint32_t sum = f[i] + f[i + 1];
            size_t k = f.size();
            while (k > 0 && sum < f[k - 1])
                --k;
            f.insert(f.begin() + long(k), sum);
            sn.insert(sn.begin() + long(k), int(i));
        }
        std::copy(f.begin(), f.end(), freq.begin());
        son = sn;
        for (int i = 0; i < 627; ++i)
            Hang(i);
    }
};

// Prefix of a position's upper six bits, from the band rule rather than a table.
inline void RefPositionPrefix(int upper, int& byte, int& bits) {
    struct Band {
        int first, count, start, step, len;
    };
    const Band bands[] = {{0, 1, 0, 32, 3},    {1, 3, 32, 16, 4},   {4, 8, 80, 8, 5},
                          {12, 12, 144, 4, 6}, {24, 24, 192, 2, 7}, {48, 16, 240, 1, 8}};
    for (const Band& b : bands) {
        if (upper >= b.first && upper < b.first + b.count) {
            byte = b.start + (upper - b.first) * b.step;
            bits = b.len;
            return;
        }
    }
}

class RefWriter {
  public:
    explicit RefWriter(int32_t textSize) {
        for (int i = 0; i < 4; ++i)
            bytes_.push_back(uint8_t(uint32_t(textSize) >> (8 * i)));
    }
    void Put(const LzhToken& t) {
        const int s = t.literal >= 0 ? t.literal : 253 + t.length;
        for (int b : model_.Code(s))
            Bit(b);
        model_.Update(s);
        if (t.literal >= 0) return;
        const int p = t.distance - 1;
        int byte = 0, bits = 0;
        RefPositionPrefix(p >> 6, byte, bits);
        for (int i = 7; i >= 8 - bits; --i)
            Bit((byte >> i) & 1);
        for (int i = 5; i >= 0; --i)
            Bit((p >> i) & 1);
    }
    std::vector<uint8_t> Finish() {
        while (nbits_ % 8 != 0)
            Bit(0);
        return bytes_;
    }

  private:
    void Bit(int b) {
        if (nbits_ % 8 == 0) bytes_.push_back(0);
        if (b) bytes_.back() |= uint8_t(0x80 >> (nbits_ % 8));
        ++nbits_;
    }
    std::vector<uint8_t> bytes_;
    RefModel model_;
    long nbits_ = 0;
};

struct RefDecoded {
    std::vector<uint8_t> data;
    std::vector<LzhToken> tokens;
    int maxCode = 0;
    int rebuilds = 0;
    long bitsUsed = 0;
};

inline RefDecoded RefDecode(const std::vector<uint8_t>& stream) {
    RefDecoded out;
    int32_t size = 0;
    for (int i = 0; i < 4; ++i)
        size |= int32_t(uint32_t(stream[size_t(i)]) << (8 * i));
    long bit = 32;
    auto next = [&] {
        const size_t byte = size_t(bit / 8);
        const int v = byte < stream.size() ? (stream[byte] >> (7 - bit % 8)) & 1 : 0;
        ++bit;
        return v;
    };
    RefModel model;
    std::vector<uint8_t> ring(4096, 0);
    std::fill(ring.begin(), ring.begin() + 4036, uint8_t(' '));
    int r = 4036;
    auto emit = [&](uint8_t b) {
        out.data.push_back(b);
        ring[size_t(r)] = b;
        r = (r + 1) % 4096;
    };
    while (long(out.data.size()) < size) {
        int c = model.son[626];
        int depth = 0;
        while (c < 627) {
            c = model.son[size_t(c + next())];
            ++depth;
        }
        out.maxCode = std::max(out.maxCode, depth);
        const int s = c - 627;
        model.Update(s);
        if (s < 256) {
            out.tokens.push_back({s, 0, 0});
            emit(uint8_t(s));
            continue;
        }
        int prefix = 0;
        for (int i = 0; i < 8; ++i)
            prefix = prefix << 1 | next();
        int upper = 0, byte = 0, bits = 0;
        for (upper = 0; upper < 64; ++upper) {
            RefPositionPrefix(upper, byte, bits);
            if ((prefix >> (8 - bits)) == (byte >> (8 - bits))) break;
        }
        bit -= 8 - bits; // only the prefix belongs to the position
        int low = 0;
        for (int i = 0; i < 6; ++i)
            low = low << 1 | next();
        const int p = upper * 64 + low;
        const int length = s - 253;
        out.tokens.push_back({-1, length, p + 1});
        const int start = (r - p - 1 + 4096) % 4096;
        for (int k = 0; k < length; ++k)
            emit(ring[size_t((start + k) % 4096)]);
    }
    out.rebuilds = model.rebuilds;
    out.bitsUsed = bit;
    return out;
}

} // namespace qs::test

// PNG writing: IHDR, one IDAT and IEND. The compressed form filters each row with whichever of the
// five PNG filters leaves the smallest residues, finds repeats with hash chains and codes each block
// with its own Huffman tables; contact sheets of skins (flat fills, gradients, repeated frames)
// shrink to a few percent of their raw size that way.
#include "toolkit/graphics/png_encode.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <queue>

namespace {

void put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}
void put32be(std::vector<uint8_t>& out, uint32_t v) {
    for (int s = 24; s >= 0; s -= 8)
        out.push_back(uint8_t(v >> s));
}

uint32_t crc32(const uint8_t* p, size_t n) {
    static const auto table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t i = 0; i < 256; ++i) {
            uint32_t c = i;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    uint32_t crc = ~0u;
    for (size_t i = 0; i < n; ++i)
        crc = table[(crc ^ p[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

uint32_t adler32(const std::vector<uint8_t>& data) {
    uint32_t a = 1, b = 0;
    size_t i = 0;
    while (i < data.size()) {
        // 5552 bytes is the longest run whose sums cannot overflow before the modulo.
        const size_t end = std::min(data.size(), i + 5552);
        for (; i < end; ++i) {
            a += data[i];
            b += a;
        }
        a %= 65521;
        b %= 65521;
    }
    return b << 16 | a;
}

void chunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& body) {
    put32be(out, uint32_t(body.size()));
    const size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), body.begin(), body.end());
    put32be(out, crc32(out.data() + start, out.size() - start));
}

// Deflate's bit order: values least significant bit first, Huffman codes most significant first.
class BitWriter {
  public:
    explicit BitWriter(std::vector<uint8_t>& out) : out_(out) {}
    void Bits(uint32_t value, int count) {
        acc_ |= uint64_t(value) << fill_;
        fill_ += count;
        while (fill_ >= 8) {
            out_.push_back(uint8_t(acc_));
            acc_ >>= 8;
            fill_ -= 8;
        }
    }
    void Code(uint32_t code, int length) {
        uint32_t reversed = 0;
        for (int i = 0; i < length; ++i)
            reversed |= ((code >> i) & 1u) << (length - 1 - i);
        Bits(reversed, length);
    }
    void Flush() {
        if (fill_ > 0) out_.push_back(uint8_t(acc_));
        acc_ = 0;
        fill_ = 0;
    }

  private:
    std::vector<uint8_t>& out_;
    uint64_t acc_ = 0;
    int fill_ = 0;
};

constexpr int kLengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                 31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr int kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                  2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr int kDistBase[30] = {1,    2,    3,    4,    5,    7,    9,    13,    17,    25,
                               33,   49,   65,   97,   129,  193,  257,  385,   513,   769,
                               1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr int kDistExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
// The order in which the code-length code's lengths are sent.
constexpr int kCodeLengthOrder[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};

int lengthSymbol(int length) {
    int s = 28;
    while (kLengthBase[s] > length)
        --s;
    return s;
}
int distSymbol(int dist) {
    int s = 29;
    while (kDistBase[s] > dist)
        --s;
    return s;
}

// A literal (length 0) or a repeat of length bytes from dist bytes back.
struct Token {
    uint16_t length;
    uint16_t value; // the literal byte, or the distance
};

constexpr int kWindow = 32768;
constexpr int kMinMatch = 3;
constexpr int kMaxMatch = 258;
constexpr int kMaxChain = 96;
constexpr int kHashBits = 15;

std::vector<Token> findRepeats(const std::vector<uint8_t>& d) {
    std::vector<Token> tokens;
    const size_t n = d.size();
    std::vector<int32_t> head(size_t(1) << kHashBits, -1), prev(kWindow, -1);
    auto hash = [&](size_t i) {
        return ((uint32_t(d[i]) << 10) ^ (uint32_t(d[i + 1]) << 5) ^ d[i + 2]) & ((1u << kHashBits) - 1);
    };
    auto insert = [&](size_t i) {
        if (i + kMinMatch > n) return;
        const uint32_t h = hash(i);
        prev[i % kWindow] = head[h];
        head[h] = int32_t(i);
    };
    auto longest = [&](size_t i, int& bestDist) {
        int best = 0;
        if (i + kMinMatch > n) return 0;
        const int limit = int(std::min<size_t>(kMaxMatch, n - i));
        int32_t candidate = head[hash(i)];
        for (int chain = 0; candidate >= 0 && chain < kMaxChain; ++chain) {
            const size_t c = size_t(candidate);
            if (i - c > size_t(kWindow - 1)) break;
            if (d[c + size_t(best)] == d[i + size_t(best)]) {
                int len = 0;
                while (len < limit && d[c + size_t(len)] == d[i + size_t(len)])
                    ++len;
                if (len > best) {
                    best = len;
                    bestDist = int(i - c);
                    if (len == limit) break;
                }
            }
            const int32_t next = prev[c % kWindow];
            if (next >= candidate) break; // the slot was reused by a newer position
            candidate = next;
        }
        return best >= kMinMatch ? best : 0;
    };

    size_t i = 0;
    while (i < n) {
        int dist = 0;
        const int len = longest(i, dist);
        if (len == 0) {
            tokens.push_back({0, d[i]});
            insert(i++);
            continue;
        }
        // One step of lazy matching: a longer repeat starting at the next byte wins.
        insert(i);
        int nextDist = 0;
        const int nextLen = len < 32 ? longest(i + 1, nextDist) : 0;
        if (nextLen > len) {
            tokens.push_back({0, d[i]});
            ++i;
            continue;
        }
        tokens.push_back({uint16_t(len), uint16_t(dist)});
        for (size_t k = 1; k < size_t(len); ++k)
            insert(i + k);
        i += size_t(len);
    }
    return tokens;
}

// Huffman code lengths of at most maxBits; every symbol with a non-zero count gets a code, and
// at least two symbols do, so every decoder accepts the table.
std::vector<int> codeLengths(std::vector<uint32_t> freq, int maxBits) {
    const size_t n = freq.size();
    for (size_t forced = 0,
                used = size_t(std::count_if(freq.begin(), freq.end(), [](uint32_t f) { return f; }));
         used < 2 && forced < n; ++forced)
        if (freq[forced] == 0) {
            freq[forced] = 1;
            ++used;
        }
    for (;;) {
        struct Node {
            uint64_t weight;
            int parent;
        };
        std::vector<Node> nodes;
        using Entry = std::pair<uint64_t, int>;
        std::priority_queue<Entry, std::vector<Entry>, std::greater<>> queue;
        std::vector<int> leafOf(n, -1);
        for (size_t s = 0; s < n; ++s)
            if (freq[s]) {
                leafOf[s] = int(nodes.size());
                queue.push({freq[s], int(nodes.size())});
                nodes.push_back({freq[s], -1});
            }
        while (queue.size() > 1) {
            const Entry a = queue.top();
            queue.pop();
            const Entry b = queue.top();
            queue.pop();
            const int parent = int(nodes.size());
            nodes.push_back({a.first + b.first, -1});
            nodes[size_t(a.second)].parent = parent;
            nodes[size_t(b.second)].parent = parent;
            queue.push({a.first + b.first, parent});
        }
        std::vector<int> lengths(n, 0);
        int longestCode = 0;
        for (size_t s = 0; s < n; ++s) {
            if (leafOf[s] < 0) continue;
            int depth = 0;
            for (int k = leafOf[s]; nodes[size_t(k)].parent >= 0; k = nodes[size_t(k)].parent)
                ++depth;
            lengths[s] = depth;
            longestCode = std::max(longestCode, depth);
        }
        if (longestCode <= maxBits) return lengths;
        // Too deep: flatten the counts and build again; rare, and it converges quickly.
        for (uint32_t& f : freq)
            if (f) f = (f + 1) / 2;
    }
}

std::vector<uint32_t> canonicalCodes(const std::vector<int>& lengths) {
    std::array<uint32_t, 17> count{}, next{};
    for (int l : lengths)
        if (l) ++count[size_t(l)];
    uint32_t code = 0;
    for (size_t bits = 1; bits <= 16; ++bits) {
        code = (code + count[bits - 1]) << 1;
        next[bits] = code;
    }
    std::vector<uint32_t> codes(lengths.size(), 0);
    for (size_t s = 0; s < lengths.size(); ++s)
        if (lengths[s]) codes[s] = next[size_t(lengths[s])]++;
    return codes;
}

// The run-length form of the two tables' lengths: symbols 0..15 literal, 16 repeat the previous
// 3..6 times, 17 zeros 3..10 times, 18 zeros 11..138 times; extra holds the repeat count's bits.
struct LengthRun {
    int symbol;
    int extra;
};
std::vector<LengthRun> runLengths(const std::vector<int>& all) {
    std::vector<LengthRun> runs;
    for (size_t i = 0; i < all.size();) {
        size_t j = i;
        while (j < all.size() && all[j] == all[i])
            ++j;
        int run = int(j - i);
        if (all[i] == 0) {
            while (run >= 11) {
                const int k = std::min(run, 138);
                runs.push_back({18, k - 11});
                run -= k;
            }
            if (run >= 3) {
                runs.push_back({17, run - 3});
                run = 0;
            }
        } else {
            runs.push_back({all[i], 0});
            --run;
            while (run >= 3) {
                const int k = std::min(run, 6);
                runs.push_back({16, k - 3});
                run -= k;
            }
        }
        for (; run > 0; --run)
            runs.push_back({all[i], 0});
        i = j;
    }
    return runs;
}

void writeBlock(BitWriter& w, const Token* tokens, size_t count, bool last) {
    std::vector<uint32_t> litFreq(286, 0), distFreq(30, 0);
    for (size_t i = 0; i < count; ++i) {
        if (tokens[i].length == 0) {
            ++litFreq[tokens[i].value];
        } else {
            ++litFreq[size_t(257 + lengthSymbol(tokens[i].length))];
            ++distFreq[size_t(distSymbol(tokens[i].value))];
        }
    }
    litFreq[256] = 1;
    std::vector<int> litLen = codeLengths(litFreq, 15), distLen = codeLengths(distFreq, 15);
    int hlit = 286, hdist = 30;
    while (hlit > 257 && litLen[size_t(hlit - 1)] == 0)
        --hlit;
    while (hdist > 1 && distLen[size_t(hdist - 1)] == 0)
        --hdist;

    std::vector<int> all(litLen.begin(), litLen.begin() + hlit);
    all.insert(all.end(), distLen.begin(), distLen.begin() + hdist);
    const std::vector<LengthRun> runs = runLengths(all);
    std::vector<uint32_t> clFreq(19, 0);
    for (const LengthRun& r : runs)
        ++clFreq[size_t(r.symbol)];
    const std::vector<int> clLen = codeLengths(clFreq, 7);
    int hclen = 19;
    while (hclen > 4 && clLen[size_t(kCodeLengthOrder[hclen - 1])] == 0)
        --hclen;

    const std::vector<uint32_t> litCode = canonicalCodes(litLen), distCode = canonicalCodes(distLen),
                                clCode = canonicalCodes(clLen);
    w.Bits(last ? 1 : 0, 1);
    w.Bits(2, 2); // dynamic Huffman codes
    w.Bits(uint32_t(hlit - 257), 5);
    w.Bits(uint32_t(hdist - 1), 5);
    w.Bits(uint32_t(hclen - 4), 4);
    for (int i = 0; i < hclen; ++i)
        w.Bits(uint32_t(clLen[size_t(kCodeLengthOrder[i])]), 3);
    static constexpr int kRunExtraBits[3] = {2, 3, 7};
    for (const LengthRun& r : runs) {
        w.Code(clCode[size_t(r.symbol)], clLen[size_t(r.symbol)]);
        if (r.symbol >= 16) w.Bits(uint32_t(r.extra), kRunExtraBits[r.symbol - 16]);
    }
    for (size_t i = 0; i < count; ++i) {
        const Token& t = tokens[i];
        if (t.length == 0) {
            w.Code(litCode[t.value], litLen[t.value]);
            continue;
        }
        const int ls = lengthSymbol(t.length), ds = distSymbol(t.value);
        w.Code(litCode[size_t(257 + ls)], litLen[size_t(257 + ls)]);
        w.Bits(uint32_t(t.length - kLengthBase[ls]), kLengthExtra[ls]);
        w.Code(distCode[size_t(ds)], distLen[size_t(ds)]);
        w.Bits(uint32_t(t.value - kDistBase[ds]), kDistExtra[ds]);
    }
    w.Code(litCode[256], litLen[256]);
}

void storedBlocks(std::vector<uint8_t>& z, const std::vector<uint8_t>& data) {
    size_t pos = 0;
    do {
        const size_t n = std::min<size_t>(65535, data.size() - pos);
        z.push_back(pos + n == data.size() ? 1 : 0);
        put16(z, uint32_t(n));
        put16(z, uint32_t(~n & 0xFFFF));
        z.insert(z.end(), data.begin() + long(pos), data.begin() + long(pos + n));
        pos += n;
    } while (pos < data.size());
}

uint8_t paeth(int a, int b, int c) {
    const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    return uint8_t(pa <= pb && pa <= pc ? a : pb <= pc ? b : c);
}

// Each row behind its filter byte; compressed output picks the filter with the smallest residues.
std::vector<uint8_t> filteredRows(int width, int height, const uint32_t* pixels, bool choose) {
    const size_t stride = size_t(width) * 3;
    std::vector<uint8_t> raw, row(stride), above(stride, 0), candidate(stride), best(stride);
    raw.reserve(size_t(height) * (stride + 1));
    for (int y = 0; y < height; ++y) {
        const uint32_t* src = pixels + size_t(y) * size_t(width);
        for (int x = 0; x < width; ++x) {
            row[3 * size_t(x)] = uint8_t(src[x] >> 16);
            row[3 * size_t(x) + 1] = uint8_t(src[x] >> 8);
            row[3 * size_t(x) + 2] = uint8_t(src[x]);
        }
        int bestFilter = 0;
        best = row;
        if (choose) {
            uint64_t bestCost = UINT64_MAX;
            for (int f = 0; f < 5; ++f) {
                uint64_t cost = 0;
                for (size_t i = 0; i < stride; ++i) {
                    const int a = i >= 3 ? row[i - 3] : 0, b = above[i], c = i >= 3 ? above[i - 3] : 0;
                    const int predicted = f == 0   ? 0
                                          : f == 1 ? a
                                          : f == 2 ? b
                                          : f == 3 ? (a + b) / 2
                                                   : paeth(a, b, c);
                    candidate[i] = uint8_t(row[i] - predicted);
                    cost += uint64_t(std::abs(int(int8_t(candidate[i]))));
                }
                if (cost < bestCost) {
                    bestCost = cost;
                    bestFilter = f;
                    best.swap(candidate);
                }
            }
        }
        raw.push_back(uint8_t(bestFilter));
        raw.insert(raw.end(), best.begin(), best.end());
        above = row;
    }
    return raw;
}

} // namespace

std::vector<uint8_t> ZlibCompress(const std::vector<uint8_t>& data, TPngDeflate deflate) {
    std::vector<uint8_t> z = {0x78, 0x01};
    if (deflate == TPngDeflate::Stored) {
        storedBlocks(z, data);
    } else {
        const std::vector<Token> tokens = findRepeats(data);
        BitWriter w(z);
        // Blocks of a bounded token count keep the tables fitted to the local statistics.
        constexpr size_t kBlockTokens = 1 << 16;
        size_t at = 0;
        do {
            const size_t count = std::min(kBlockTokens, tokens.size() - at);
            writeBlock(w, tokens.data() + at, count, at + count == tokens.size());
            at += count;
        } while (at < tokens.size());
        w.Flush();
    }
    put32be(z, adler32(data));
    return z;
}

std::vector<uint8_t> EncodePng(int width, int height, const uint32_t* pixels, TPngDeflate deflate) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> ihdr;
    put32be(ihdr, uint32_t(width));
    put32be(ihdr, uint32_t(height));
    ihdr.insert(ihdr.end(), {8, 2, 0, 0, 0}); // 8-bit RGB, deflate, adaptive filters, no interlace
    chunk(out, "IHDR", ihdr);
    chunk(out, "IDAT",
          ZlibCompress(filteredRows(width, height, pixels, deflate == TPngDeflate::Compressed), deflate));
    chunk(out, "IEND", {});
    return out;
}

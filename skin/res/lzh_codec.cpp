// TLZH decoding: the bit reader, the symbol and position decoders and the output window.
#include "skin/res/lzh_codec.h"

#include "skin/res/lzh_top_table.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <new>

namespace qs {

using namespace lzh;

namespace {
constexpr size_t kInputChunk = 64 * 1024;
constexpr size_t kOutputChunk = 64 * 1024;
// From the write position a match writes at most kMaxMatch + 7 bytes (see CopyMatch); a symbol starts
// below the flush point.
constexpr size_t kSlack = kMaxMatch + 16;

uint64_t LoadBigEndian64(const uint8_t* p) {
    uint64_t v = 0;
    for (int i = 0; i < 8; ++i)
        v = v << 8 | p[i];
    return v;
}

// Copies length bytes from distance back (1 .. kRingSize) to dst, with the semantics of a byte-by-byte
// copy: a source that overlaps the destination repeats the bytes just written. Writes at most
// max(14, length + 7) bytes; the caller's buffer has room for them and nothing past length is read yet.
void CopyMatch(uint8_t* dst, int distance, int length) {
    const uint8_t* src = dst - distance;
    if (distance >= 8) {
        // Each 8-byte piece reads only bytes written before it.
        for (int k = 0; k < length; k += 8)
            std::memcpy(dst + k, src + k, 8);
        return;
    }
    // A period below 8: lay down one whole number of periods of at least 8 bytes, then copy from there.
    static constexpr int kStep[8] = {0, 8, 8, 9, 8, 10, 12, 14};
    const int step = kStep[distance];
    for (int k = 0; k < step; ++k)
        dst[k] = src[k];
    for (int k = step; k < length; k += 8)
        std::memcpy(dst + k, dst + k - step, 8);
}
} // namespace

// The decoded stream, kept in one linear buffer: the last kRingSize bytes before the write position are
// the ring's contents, so a match is a plain backwards copy. Full chunks go to the writer and the
// history moves down to the front.
struct TLZH::Tables {
    LzhModel model;
    LzhTopTable top;
    std::array<uint8_t, kRingSize + kOutputChunk + kSlack> window{};
    std::array<uint8_t, kInputChunk> input{};
};

// Bits most significant first; past the end of input every byte reads as zero. It counts the padding
// bits it loaded, so the decoder can tell when a symbol came out of padding alone.
struct TLZH::BitReader {
    const TLzhRead& read;
    std::array<uint8_t, kInputChunk>& chunk;
    const uint8_t* next = nullptr;
    const uint8_t* end = nullptr;
    bool ended = false;
    uint64_t bits = 0; // next bit in bit 63
    int count = 0;
    uint64_t paddingBits = 0;

    // Leaves at least 56 bits in the buffer.
    void Refill() {
        if (end - next >= 8) {
            // Whole bytes only: the bits already held stay in place.
            bits |= LoadBigEndian64(next) >> count;
            next += (63 - count) >> 3;
            count |= 56;
            return;
        }
        while (count <= 56) {
            bits |= uint64_t(NextByte()) << (56 - count);
            count += 8;
        }
    }
    uint8_t NextByte() {
        if (next == end && !ended) {
            const size_t got = read(chunk.data(), chunk.size());
            next = chunk.data();
            end = next + got;
            ended = got == 0;
        }
        if (next == end) {
            paddingBits += 8;
            return 0;
        }
        return *next++;
    }
    int Bit() {
        if (count == 0) Refill();
        const int b = int(bits >> 63);
        bits <<= 1;
        --count;
        return b;
    }
    void Skip(int n) {
        bits <<= n;
        count -= n;
    }
    int Byte() {
        if (count < 8) Refill();
        const int b = int(bits >> 56);
        bits <<= 8;
        count -= 8;
        return b;
    }
    bool Overrun() const { return paddingBits > uint64_t(count); }
};

TLZH::TLZH() = default;
TLZH::~TLZH() = default;

void TLZH::AllocTables() {
    try {
        tables_ = std::make_unique<Tables>();
    } catch (const std::bad_alloc&) {
        throw ElzhException("LZH : Cannot get memory for dictionary tables");
    }
}

void TLZH::FreeTables() {
    tables_.reset();
}

int64_t TLZH::Decompress(int32_t textSize, const TLzhWrite& write, const TLzhRead& read) {
    if (textSize <= 0) return 0;
    AllocTables();
    struct Release {
        TLZH& codec;
        ~Release() { codec.FreeTables(); }
    } release{*this};

    Tables& t = *tables_;
    LzhModel& model = t.model;
    model.Reset();
    // The ring starts as kInitialFill spaces before the first write position; the bytes after them,
    // reachable only as the oldest ones, are zero.
    uint8_t* const window = t.window.data();
    std::fill_n(window + (kRingSize - kInitialFill), kInitialFill, uint8_t(' '));
    const PositionTables& pos = Positions();
    BitReader in{read, t.input};

    uint8_t* const history = window + kRingSize;
    uint8_t* const flushAt = history + kOutputChunk;
    uint8_t* out = history;
    int64_t produced = 0;
    while (produced < textSize) {
        if (in.count < 32) in.Refill();
        t.top.Refresh(model);
        const TopEntry& e = t.top[unsigned(in.bits >> (64 - kTopBits))];
        in.Skip(e.bits);
        int node = e.node, c = e.value;
        while (c < kNodeCount) {
            node = c + in.Bit();
            c = model.son[node];
        }
        c -= kNodeCount;
        model.Update(c, node);
        if (c < 256) {
            if (in.Overrun()) break;
            *out++ = uint8_t(c);
            ++produced;
        } else {
            int i = in.Byte();
            const int high = pos.code[i] << 6;
            for (int n = pos.length[i] - 2; n > 0; --n)
                i = (i << 1) + in.Bit();
            const int position = high | (i & 0x3F);
            if (in.Overrun()) break;
            const int length = c - 255 + kThreshold;
            CopyMatch(out, position + 1, length);
            out += length;
            produced += length;
        }
        if (out >= flushAt) {
            write(history, size_t(out - history));
            std::memmove(window, out - kRingSize, kRingSize);
            out = history;
        }
    }
    if (out > history) write(history, size_t(out - history));
    return produced;
}

std::vector<uint8_t> LzhCompress(const uint8_t* data, size_t size, TLzhParse parse) {
    std::vector<uint8_t> out;
    TLZH codec;
    codec.Compress(
        data, size, [&](const uint8_t* b, size_t n) { out.insert(out.end(), b, b + n); }, parse);
    return out;
}

TLzhStatus LzhDecompress(const uint8_t* data, size_t size, std::vector<uint8_t>& out, int32_t maxTextSize) {
    out.clear();
    if (size < 4) return TLzhStatus::lsNoHeader;
    const int32_t textSize = int32_t(uint32_t(data[0]) | uint32_t(data[1]) << 8 | uint32_t(data[2]) << 16 |
                                     uint32_t(data[3]) << 24);
    if (textSize > maxTextSize) return TLzhStatus::lsSizeTooLarge;
    if (textSize <= 0) return TLzhStatus::lsOk;

    // The output is sized once, from the header, so decoding never regrows and copies it. A hostile header
    // must not turn a few bytes into a large allocation: decoding stops before a symbol that needs bits past
    // the input, a literal costs at least 1 bit for 1 byte and a match at least 10 (a code bit, then 9 or
    // more position bits) for kMaxMatch bytes, so the input can expand to no more than this. A last match may
    // run up to kMaxMatch - 1 bytes past the size.
    constexpr uint64_t kBytesPerBit = std::max(1, (kMaxMatch + 9) / 10);
    const uint64_t reachable = uint64_t(size - 4) * 8 * kBytesPerBit;
    out.reserve(size_t(std::min<uint64_t>(uint64_t(textSize) + kMaxMatch, reachable)));
    size_t at = 4;
    TLZH codec;
    const int64_t produced = codec.Decompress(
        textSize, [&](const uint8_t* b, size_t n) { out.insert(out.end(), b, b + n); },
        [&](uint8_t* b, size_t n) {
            const size_t k = std::min(n, size - at);
            std::copy_n(data + at, k, b);
            at += k;
            return k;
        });
    return produced < textSize ? TLzhStatus::lsTruncated : TLzhStatus::lsOk;
}

} // namespace qs

// TLZH decoding: the bit reader, the symbol and position decoders and the ring-buffer copy loop.
#include "skin/res/lzh_codec.h"

#include <algorithm>
#include <array>
#include <new>

namespace qs {

using namespace lzh;

namespace {
constexpr size_t kIoChunk = 4096;
}

struct TLZH::Tables {
    LzhModel model;
    std::array<uint8_t, kRingSize + kMaxMatch - 1> ring{};
    std::array<uint8_t, kIoChunk> input{};
    std::array<uint8_t, kIoChunk> output{};
};

// Bits most significant first; past the end of input every byte reads as zero. It counts how many
// of the consumed bits were real, so the decoder can tell when a symbol came out of padding alone.
struct TLZH::BitReader {
    const TLzhRead& read;
    std::array<uint8_t, kIoChunk>& chunk;
    size_t chunkPos = 0;
    size_t chunkLen = 0;
    bool ended = false;
    uint64_t bits = 0; // next bit in bit 63
    int count = 0;
    uint64_t loadedBits = 0;
    uint64_t realBits = 0;

    uint8_t NextByte() {
        if (chunkPos == chunkLen && !ended) {
            chunkLen = read(chunk.data(), chunk.size());
            chunkPos = 0;
            ended = chunkLen == 0;
        }
        if (chunkPos == chunkLen) return 0;
        realBits += 8;
        return chunk[chunkPos++];
    }
    void Refill() {
        while (count <= 56) {
            bits |= uint64_t(NextByte()) << (56 - count);
            count += 8;
            loadedBits += 8;
        }
    }
    int Bit() {
        if (count == 0) Refill();
        const int b = int(bits >> 63);
        bits <<= 1;
        --count;
        return b;
    }
    int Byte() {
        if (count < 8) Refill();
        const int b = int(bits >> 56);
        bits <<= 8;
        count -= 8;
        return b;
    }
    bool Overrun() const { return loadedBits - uint64_t(count) > realBits; }
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
    std::fill_n(t.ring.begin(), kInitialFill, uint8_t(' '));
    const PositionTables& pos = Positions();
    BitReader in{read, t.input};

    size_t outLen = 0;
    auto put = [&](uint8_t b) {
        t.output[outLen++] = b;
        if (outLen == t.output.size()) {
            write(t.output.data(), outLen);
            outLen = 0;
        }
    };

    int r = kInitialFill;
    int64_t produced = 0;
    while (produced < textSize) {
        int c = model.son[kRoot];
        while (c < kNodeCount)
            c = model.son[c + in.Bit()];
        c -= kNodeCount;
        model.Update(c);
        if (c < 256) {
            if (in.Overrun()) break;
            put(uint8_t(c));
            t.ring[r] = uint8_t(c);
            r = (r + 1) & (kRingSize - 1);
            ++produced;
            continue;
        }
        int i = in.Byte();
        const int high = pos.code[i] << 6;
        for (int n = pos.length[i] - 2; n > 0; --n)
            i = (i << 1) + in.Bit();
        const int position = high | (i & 0x3F);
        if (in.Overrun()) break;
        // Byte by byte: the source may overlap what this match is writing.
        const int start = (r - position - 1) & (kRingSize - 1);
        const int length = c - 255 + kThreshold;
        for (int k = 0; k < length; ++k) {
            const uint8_t b = t.ring[(start + k) & (kRingSize - 1)];
            put(b);
            t.ring[r] = b;
            r = (r + 1) & (kRingSize - 1);
        }
        produced += length;
    }
    if (outLen > 0) write(t.output.data(), outLen);
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

    // Every symbol takes at least one bit and yields at most kMaxMatch bytes.
    const uint64_t reachable = uint64_t(size - 4) * 8 * kMaxMatch + kMaxMatch;
    out.reserve(size_t(std::min<uint64_t>(uint64_t(textSize), reachable)));
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

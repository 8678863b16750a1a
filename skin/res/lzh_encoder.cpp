// TLZH compression: a parse into literals and matches, coded with the same adaptive model the decoder
// keeps, so both sides stay in step symbol by symbol.
#include "skin/res/lzh_codec.h"

#include "skin/res/lzh_match_finder.h"

#include <array>
#include <cstring>
#include <limits>

namespace qs {

using namespace lzh;

namespace {

class BitWriter {
  public:
    explicit BitWriter(const TLzhWrite& write) : write_(write) { buffer_.reserve(kChunk); }

    void Put(uint32_t value, int count) { // count <= 32
        acc_ = acc_ << count | value;
        count_ += count;
        while (count_ >= 8) {
            count_ -= 8;
            buffer_.push_back(uint8_t(acc_ >> count_));
            if (buffer_.size() == kChunk) Flush();
        }
    }
    // Pads the last byte with zero bits.
    void Finish() {
        if (count_ > 0) buffer_.push_back(uint8_t(acc_ << (8 - count_)));
        count_ = 0;
        Flush();
    }

  private:
    static constexpr size_t kChunk = 64 * 1024;
    void Flush() {
        if (!buffer_.empty()) write_(buffer_.data(), buffer_.size());
        buffer_.clear();
    }
    const TLzhWrite& write_;
    std::vector<uint8_t> buffer_;
    uint64_t acc_ = 0;
    int count_ = 0;
};

class Encoder {
  public:
    explicit Encoder(const TLzhWrite& write) : bits_(write) { model_.Reset(); }

    void Literal(uint8_t b) { Symbol(b); }
    void Copy(const Match& m) {
        Symbol(255 - kThreshold + m.length);
        const PositionTables& t = Positions();
        const uint32_t p = uint32_t(m.distance - 1);
        const int upper = int(p >> 6);
        bits_.Put(uint32_t(t.encodeByte[upper]) >> (8 - t.encodeLength[upper]), t.encodeLength[upper]);
        bits_.Put(p & 0x3F, 6);
    }
    void Finish() { bits_.Finish(); }

  private:
    // Codes can be far longer than 16 bits on skewed data; each is sent whole.
    void Symbol(int s) {
        const int depth = model_.CodeOf(s, path_.data());
        int i = 0;
        for (; i + 8 <= depth; i += 8) {
            uint32_t v = 0;
            for (int k = 0; k < 8; ++k)
                v = v << 1 | path_[size_t(i + k)];
            bits_.Put(v, 8);
        }
        for (; i < depth; ++i)
            bits_.Put(path_[size_t(i)], 1);
        model_.Update(s);
    }

    BitWriter bits_;
    LzhModel model_;
    std::array<uint8_t, kNodeCount> path_{};
};

} // namespace

void TLZH::Compress(const uint8_t* data, size_t size, const TLzhWrite& write, TLzhParse parse) {
    if (size > size_t(std::numeric_limits<int32_t>::max()) - kInitialFill - kMaxMatch)
        throw std::length_error("LZH : text too large");
    const uint32_t n = uint32_t(size);
    const uint8_t header[4] = {uint8_t(n), uint8_t(n >> 8), uint8_t(n >> 16), uint8_t(n >> 24)};
    write(header, 4);
    if (size == 0) return;

    // The ring's initial spaces, then the text, then padding that no match may count.
    std::vector<uint8_t> text(kInitialFill + size + kMaxMatch, 0);
    std::memset(text.data(), ' ', kInitialFill);
    std::memcpy(text.data() + kInitialFill, data, size);
    const uint32_t end = uint32_t(kInitialFill + size);

    auto finder = std::make_unique<LzhMatchFinder>(text.data(), end);
    auto encoder = std::make_unique<Encoder>(write);
    for (uint32_t p = 0; p < uint32_t(kInitialFill); ++p)
        finder->Insert(p);

    uint32_t pos = kInitialFill;
    Match cur = finder->Insert(pos);
    while (pos < end) {
        if (cur.length == 0) {
            encoder->Literal(text[pos]);
            if (++pos < end) cur = finder->Insert(pos);
            continue;
        }
        uint32_t inserted = pos;
        if (parse == TLzhParse::lpLazy && pos + 1 < end) {
            const Match next = finder->Insert(pos + 1);
            inserted = pos + 1;
            if (next.length > cur.length) {
                encoder->Literal(text[pos]);
                ++pos;
                cur = next;
                continue;
            }
        }
        encoder->Copy(cur);
        pos += uint32_t(cur.length);
        while (++inserted < pos)
            finder->Insert(inserted);
        if (pos < end) cur = finder->Insert(pos);
    }
    encoder->Finish();
}

} // namespace qs

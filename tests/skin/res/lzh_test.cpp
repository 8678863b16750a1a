// The LZH codec against an independent bit-level reference: model start and rebuild, position codes,
// overlapping matches, the initial spaces, deep codes, truncated and hostile input.
#include "skin/res/lzh_codec.h"
#include "tests/skin/res/lzh_reference.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <string>

using namespace qs;
using qs::test::LzhToken;
using qs::test::RefDecode;
using qs::test::RefWriter;

namespace {

struct Rng {
    uint64_t s;
    uint32_t Next() {
        s ^= s << 13;
        s ^= s >> 7;
        s ^= s << 17;
        return uint32_t(s >> 16);
    }
    uint32_t Below(uint32_t n) { return Next() % n; }
};

std::vector<uint8_t> Bytes(const std::string& s) {
    return {s.begin(), s.end()};
}

std::vector<uint8_t> Decode(const std::vector<uint8_t>& stream, TLzhStatus expect = TLzhStatus::lsOk) {
    std::vector<uint8_t> out;
    EXPECT_EQ(LzhDecompress(stream.data(), stream.size(), out), expect);
    return out;
}

// Compresses with the codec, then checks the stream with both decoders and that the reference
// writer, given the tokens it found, reproduces the stream bit for bit.
qs::test::RefDecoded RoundTrip(const std::vector<uint8_t>& data, TLzhParse parse = TLzhParse::lpLazy) {
    const std::vector<uint8_t> stream = LzhCompress(data, parse);
    EXPECT_EQ(Decode(stream), data);
    qs::test::RefDecoded ref = RefDecode(stream);
    EXPECT_EQ(ref.data, data);
    RefWriter w{int32_t(data.size())};
    for (const LzhToken& t : ref.tokens)
        w.Put(t);
    EXPECT_EQ(w.Finish(), stream);
    return ref;
}

// Text, flat runs and noise: the mix of a skin's ini and bitmaps.
std::vector<uint8_t> MixedData(size_t size, uint64_t seed) {
    Rng rng{seed};
    std::vector<uint8_t> out;
    const std::string words[] = {"[Form]", "TopHeight=", "Trans=1", "caption.bmp", "\r\n", "Colour=", " "};
    while (out.size() < size) {
        switch (rng.Below(4)) {
        case 0: {
            const std::string& w = words[rng.Below(7)];
            out.insert(out.end(), w.begin(), w.end());
            break;
        }
        case 1: out.insert(out.end(), 1 + rng.Below(200), uint8_t(rng.Below(4) * 60)); break;
        case 2:
            for (uint32_t n = rng.Below(40); n > 0; --n)
                out.push_back(uint8_t(rng.Next()));
            break;
        default:
            for (uint32_t n = rng.Below(90), g = rng.Below(256); n > 0; --n)
                out.push_back(uint8_t(g++));
        }
    }
    out.resize(size);
    return out;
}

// Counts that make the tree a caterpillar: each count about the sum of all below the one before it,
// over a block of the ~305 symbols left at count 1. The block's leaves then sit 17 levels down.
std::vector<uint32_t> CaterpillarCounts(uint32_t limit) {
    const uint32_t block = 305, margin = 30;
    std::vector<uint32_t> counts = {block / 2, block + margin};
    std::vector<uint32_t> sums = {block + counts[0], block + counts[0] + counts[1]};
    for (;;) {
        const uint32_t next = sums[sums.size() - 2] + margin;
        if (sums.back() + next > limit) return counts;
        counts.push_back(next);
        sums.push_back(sums.back() + next);
    }
}

template <class T> void Shuffle(std::vector<T>& v, Rng& rng) {
    for (size_t i = v.size() - 1; i > 0; --i)
        std::swap(v[i], v[rng.Below(uint32_t(i + 1))]);
}

} // namespace

TEST(LzhModel, FreshTreeGivesTheCodesOfItsPairingOrder) {
    // Node x's parent is 314 + x / 2 at the start, so byte 0 sits 9 levels down on the path
    // 625 623 618 608 588 549 471 314 0, and length 60 (symbol 313) 8 levels down.
    EXPECT_EQ(LzhCompress(Bytes(std::string(1, '\0'))), (std::vector<uint8_t>{1, 0, 0, 0, 0xC6, 0x00}));
    RefWriter w(60);
    w.Put({-1, 60, 1});
    EXPECT_EQ(w.Finish(), (std::vector<uint8_t>{60, 0, 0, 0, 0xC5, 0x00, 0x00}));
    EXPECT_EQ(Decode({60, 0, 0, 0, 0xC5, 0x00, 0x00}), std::vector<uint8_t>(60, ' '));
}

TEST(LzhModel, CodecMatchesReferenceOnRandomTokenStreams) {
    for (uint64_t seed = 1; seed <= 20; ++seed) {
        Rng rng{seed * 7919};
        std::vector<LzhToken> tokens;
        size_t produced = 0;
        for (int i = 0; i < 3000; ++i) {
            if (rng.Below(3) == 0) {
                tokens.push_back({int(rng.Below(seed % 2 ? 256 : 8)), 0, 0});
                produced += 1;
            } else {
                const int len = 3 + int(rng.Below(58));
                tokens.push_back({-1, len, 1 + int(rng.Below(4096))});
                produced += size_t(len);
            }
        }
        RefWriter w{int32_t(produced)};
        for (const LzhToken& t : tokens)
            w.Put(t);
        const std::vector<uint8_t> stream = w.Finish();
        const qs::test::RefDecoded ref = RefDecode(stream);
        ASSERT_EQ(ref.data.size(), produced);
        EXPECT_EQ(Decode(stream), ref.data) << "seed " << seed;
        // Random tokens are rarely what the compressor would choose: recompress them too.
        RoundTrip(ref.data);
    }
}

TEST(LzhModel, RebuildsManyTimesOnLongStreams) {
    const std::vector<uint8_t> data = MixedData(3 << 20, 42);
    const qs::test::RefDecoded ref = RoundTrip(data);
    EXPECT_GT(ref.rebuilds, 20);
}

TEST(LzhModel, RandomBytesRebuildWithLiteralsOnly) {
    Rng rng{99};
    std::vector<uint8_t> data(200000);
    for (uint8_t& b : data)
        b = uint8_t(rng.Next());
    const qs::test::RefDecoded ref = RoundTrip(data);
    EXPECT_GE(ref.rebuilds, 5);
}

TEST(LzhModel, DecoderFollowsCodesDeeperThanSixteenLevels) {
    Rng rng{5};
    const std::vector<uint32_t> counts = CaterpillarCounts(32000);
    std::vector<uint8_t> data;
    for (size_t s = 0; s < counts.size(); ++s)
        data.insert(data.end(), counts[s], uint8_t('A' + s));
    Shuffle(data, rng);
    for (int b = 0xC0; b < 0x100; ++b)
        data.push_back(uint8_t(b)); // still at count 1: the deepest leaves
    RefWriter w{int32_t(data.size())};
    for (uint8_t b : data)
        w.Put({b, 0, 0});
    const std::vector<uint8_t> stream = w.Finish();
    EXPECT_GT(RefDecode(stream).maxCode, 16);
    EXPECT_EQ(Decode(stream), data);
}

TEST(LzhModel, CompressorEmitsCodesDeeperThanSixteenLevelsWhole) {
    // Back-to-back copies whose lengths have caterpillar counts, each chosen so it cannot run on into the
    // next; a few rare literals probe the tree while the old counts have been halved away.
    Rng rng{77};
    std::vector<uint8_t> data;
    for (int i = 0; i < 1024; ++i)
        data.push_back(uint8_t(rng.Next()));
    const std::vector<uint32_t> counts = CaterpillarCounts(16000);
    int probe = 0;
    for (int cycle = 0; cycle < 6; ++cycle) {
        std::vector<int> lengths;
        for (size_t s = 0; s < counts.size(); ++s)
            lengths.insert(lengths.end(), counts[s], 3 + int(s));
        Shuffle(lengths, rng);
        size_t after = 0; // source byte right after the previous copy
        int n = 0;
        for (int len : lengths) {
            if (cycle >= 4 && ++n % 700 == 0) {
                data.push_back(uint8_t(0xC0 + probe++ % 64));
                after = 0;
            }
            size_t from = 0;
            do {
                from = data.size() - size_t(len) -
                       rng.Below(uint32_t(std::min<size_t>(data.size(), 4000) - size_t(len)));
            } while (after != 0 && data[from] == data[after]);
            for (int k = 0; k < len; ++k)
                data.push_back(data[from + size_t(k)]);
            after = from + size_t(len);
        }
    }
    const qs::test::RefDecoded ref = RoundTrip(data);
    EXPECT_GT(ref.maxCode, 16);
}

TEST(LzhPositions, EveryDistanceRoundTripsThroughBothSides) {
    // One match per distance, from 1 to the whole ring, each from a fresh literal run.
    std::vector<LzhToken> tokens;
    size_t produced = 0;
    for (int d = 1; d <= 4096; ++d) {
        tokens.push_back({d & 0xFF, 0, 0});
        tokens.push_back({-1, 3, d});
        produced += 4;
    }
    RefWriter w{int32_t(produced)};
    for (const LzhToken& t : tokens)
        w.Put(t);
    const std::vector<uint8_t> stream = w.Finish();
    const qs::test::RefDecoded ref = RefDecode(stream);
    EXPECT_EQ(Decode(stream), ref.data);
    for (size_t i = 0; i < ref.tokens.size(); ++i)
        EXPECT_EQ(ref.tokens[i].distance, tokens[i].distance);
}

TEST(LzhPositions, CompressorReachesTheWholeWindow) {
    Rng rng{3};
    std::vector<uint8_t> block(4096);
    for (uint8_t& b : block)
        b = uint8_t(rng.Next());
    std::vector<uint8_t> data = block;
    data.insert(data.end(), block.begin(), block.begin() + 300);
    const qs::test::RefDecoded ref = RoundTrip(data);
    ASSERT_GT(ref.tokens.size(), 4096u);
    EXPECT_EQ(ref.tokens[4096].distance, 4096);
    EXPECT_EQ(ref.tokens[4096].length, 60);
    EXPECT_EQ(ref.tokens.size(), 4096u + 5u); // 300 bytes in five longest matches
}

TEST(LzhMatches, OverlappingCopiesRepeatWhatTheyWrite) {
    const std::vector<uint8_t> runs =
        Bytes("x" + std::string(500, 'a') + "xy" + std::string(300, 'y') + "abcabcabcabcabcabcabcabc");
    const qs::test::RefDecoded ref = RoundTrip(runs);
    ASSERT_GE(ref.tokens.size(), 3u);
    EXPECT_EQ(ref.tokens[2].distance, 1);
    EXPECT_EQ(ref.tokens[2].length, 60);
    bool periodic = false;
    for (const LzhToken& t : ref.tokens)
        periodic |= t.literal < 0 && t.distance == 3 && t.length > 3;
    EXPECT_TRUE(periodic);
}

TEST(LzhMatches, FirstMatchMayReachIntoTheInitialSpaces) {
    const std::vector<uint8_t> data = Bytes("        indented");
    const qs::test::RefDecoded ref = RoundTrip(data);
    ASSERT_FALSE(ref.tokens.empty());
    EXPECT_EQ(ref.tokens[0].literal, -1);
    EXPECT_EQ(ref.tokens[0].length, 8);
    // The reference decoder accepts a copy from before the first byte; so must the codec.
    RefWriter w(70);
    w.Put({'q', 0, 0});
    w.Put({-1, 60, 4000});
    w.Put({-1, 9, 61});
    const std::vector<uint8_t> stream = w.Finish();
    EXPECT_EQ(Decode(stream), RefDecode(stream).data);
    EXPECT_EQ(Decode(stream), Bytes("q" + std::string(60, ' ') + "q" + std::string(8, ' ')));
}

TEST(LzhMatches, EveryShortPeriodAndLengthCopiesLikeByteByByte) {
    // Distances below the decoder's 8-byte copy width repeat a pattern shorter than a copy; the
    // literal runs between matches keep the patterns different.
    std::vector<LzhToken> tokens;
    size_t produced = 0;
    for (int d = 1; d <= 20; ++d) {
        for (int len = 3; len <= 60; ++len) {
            for (int k = 0; k < 3; ++k)
                tokens.push_back({(d * 61 + len * 7 + k) & 0xFF, 0, 0});
            tokens.push_back({-1, len, d});
            produced += 3 + size_t(len);
        }
    }
    RefWriter w{int32_t(produced)};
    for (const LzhToken& t : tokens)
        w.Put(t);
    const std::vector<uint8_t> stream = w.Finish();
    EXPECT_EQ(Decode(stream), RefDecode(stream).data);
}

TEST(LzhMatches, FinalMatchPastTheSizeIsWrittenInFull) {
    RefWriter w(5);
    w.Put({'a', 0, 0});
    w.Put({-1, 6, 1});
    EXPECT_EQ(Decode(w.Finish()), Bytes("aaaaaaa"));
}

TEST(LzhMatches, LazyParseIsNoLargerThanGreedyAndBothRoundTrip) {
    const std::vector<uint8_t> data = MixedData(300000, 11);
    RoundTrip(data, TLzhParse::lpGreedy);
    EXPECT_LE(LzhCompress(data).size(), LzhCompress(data, TLzhParse::lpGreedy).size());
    EXPECT_LT(LzhCompress(data).size(), data.size() / 2);
}

TEST(LzhTruncated, EmptyAndNegativeSizesReadNothingAfterTheSize) {
    for (int32_t size : {0, -1, -100000}) {
        TLZH codec;
        int reads = 0, writes = 0;
        const int64_t produced = codec.Decompress(
            size, [&](const uint8_t*, size_t) { ++writes; },
            [&](uint8_t*, size_t) {
                ++reads;
                return size_t(0);
            });
        EXPECT_EQ(produced, 0);
        EXPECT_EQ(reads, 0);
        EXPECT_EQ(writes, 0);
    }
    EXPECT_EQ(LzhCompress(nullptr, 0), (std::vector<uint8_t>{0, 0, 0, 0}));
    EXPECT_TRUE(Decode({0, 0, 0, 0}).empty());
}

TEST(LzhTruncated, CutStreamsStopWithACorrectPrefix) {
    const std::vector<uint8_t> data = MixedData(50000, 8);
    const std::vector<uint8_t> stream = LzhCompress(data);
    for (size_t cut : {size_t(4), size_t(5), stream.size() / 3, stream.size() - 1}) {
        std::vector<uint8_t> part(stream.begin(), stream.begin() + long(cut));
        const std::vector<uint8_t> out = Decode(part, TLzhStatus::lsTruncated);
        ASSERT_LT(out.size(), data.size());
        EXPECT_TRUE(std::equal(out.begin(), out.end(), data.begin())) << "cut at " << cut;
    }
}

TEST(LzhTruncated, ShortReadsDecodeLikeOneBlock) {
    // The reader refills by words where it can and byte by byte at the end of each chunk it is given;
    // reads of a few bytes mix the two at every position. The output crosses several write chunks.
    const std::vector<uint8_t> data = MixedData(300000, 21);
    const std::vector<uint8_t> stream = LzhCompress(data);
    Rng rng{4};
    for (size_t cut : {stream.size(), stream.size() / 2}) {
        size_t at = 4;
        std::vector<uint8_t> out;
        TLZH codec;
        codec.Decompress(
            int32_t(data.size()), [&](const uint8_t* b, size_t n) { out.insert(out.end(), b, b + n); },
            [&](uint8_t* b, size_t n) {
                const size_t k = std::min({n, cut - at, size_t(1 + rng.Below(11))});
                std::copy_n(stream.data() + at, k, b);
                at += k;
                return k;
            });
        std::vector<uint8_t> whole;
        const std::vector<uint8_t> part(stream.begin(), stream.begin() + long(cut));
        LzhDecompress(part.data(), part.size(), whole);
        EXPECT_EQ(out, whole) << "cut at " << cut;
    }
}

TEST(LzhTruncated, HostileSizesAreBounded) {
    std::vector<uint8_t> out;
    const std::vector<uint8_t> huge = {0xFF, 0xFF, 0xFF, 0x7F, 0x00};
    EXPECT_EQ(LzhDecompress(huge.data(), huge.size(), out), TLzhStatus::lsSizeTooLarge);
    const std::vector<uint8_t> big = {0x00, 0x00, 0x00, 0x04, 0x00, 0x00, 0x00};
    EXPECT_EQ(LzhDecompress(big.data(), big.size(), out), TLzhStatus::lsTruncated);
    EXPECT_LE(out.size(), 3u * 8u * 60u);
    EXPECT_EQ(LzhDecompress(big.data(), 3, out), TLzhStatus::lsNoHeader);
}

TEST(LzhTruncated, OutputIsSizedOnceAndNeverBeyondWhatTheInputCanHold) {
    // A header claiming the largest size in front of a few hundred bytes gets room for those bytes only.
    std::vector<uint8_t> stream = LzhCompress(MixedData(5000, 3));
    for (int i = 0; i < 4; ++i)
        stream[size_t(i)] = uint8_t(uint32_t(kLzhMaxTextSize) >> (8 * i));
    stream.resize(200);
    std::vector<uint8_t> out;
    EXPECT_EQ(LzhDecompress(stream.data(), stream.size(), out), TLzhStatus::lsTruncated);
    EXPECT_LE(out.capacity(), 196u * 8u * 6u);
    // A faithful stream is decoded into the room its header asks for, with no regrowth on the way.
    const std::vector<uint8_t> data = MixedData(300000, 5);
    const std::vector<uint8_t> packed = LzhCompress(data);
    ASSERT_EQ(LzhDecompress(packed.data(), packed.size(), out), TLzhStatus::lsOk);
    EXPECT_EQ(out, data);
    EXPECT_LE(out.capacity(), data.size() + 60u);
}

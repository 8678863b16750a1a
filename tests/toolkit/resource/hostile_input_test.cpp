// Malformed and hostile binary resources raise EReadError: never a crash, an unbounded
// allocation or a half-read form.
#include <gtest/gtest.h>

#include <random>

#include "sample_form.h"
#include "toolkit/resource/binary_format.h"

namespace {

std::vector<uint8_t> SampleBytes() {
    TParentMap parents;
    auto form = ReadSample(&parents);
    return WriteComponentResource(form.get(), parents.Nesting());
}

TEST(HostileInput, EveryTruncationRaises) {
    std::vector<uint8_t> bytes = SampleBytes();
    for (size_t len = 0; len < bytes.size(); ++len) {
        TTestForm form(nullptr);
        EXPECT_THROW(ReadComponentResource(&form, bytes.data(), len), EReadError) << "length " << len;
        EXPECT_EQ(form.ComponentCount(), 0) << "length " << len;
    }
}

TEST(HostileInput, FlippedBytesReadOrRaiseAndWhatReadsWritesStably) {
    std::vector<uint8_t> bytes = SampleBytes();
    std::mt19937 rng(1234);
    for (int round = 0; round < 3000; ++round) {
        std::vector<uint8_t> bad = bytes;
        for (int k = 0; k < 1 + round % 3; ++k)
            bad[rng() % bad.size()] ^= uint8_t(1 + rng() % 255);
        TTestForm form(nullptr);
        try {
            ReadComponentResource(&form, bad);
        } catch (const EReadError&) {
            continue;
        }
        std::vector<uint8_t> once = WriteComponentResource(&form);
        TTestForm again(nullptr);
        ReadComponentResource(&again, once);
        EXPECT_EQ(WriteComponentResource(&again), once) << "round " << round;
    }
}

std::vector<uint8_t> Header() {
    return {'Q', 'S', 'F', 'R', 1, 0};
}
void Name8(std::vector<uint8_t>& b, const std::string& s) {
    b.push_back(uint8_t(s.size()));
    b.insert(b.end(), s.begin(), s.end());
}

void ExpectReadError(const std::vector<uint8_t>& bytes, const char* needle) {
    TTestForm form(nullptr);
    try {
        ReadComponentResource(&form, bytes);
        FAIL() << "no error, expected " << needle;
    } catch (const EReadError& e) {
        EXPECT_NE(std::string(e.what()).find(needle), std::string::npos) << e.what();
    }
}

TEST(HostileInput, HugeLengthsAreCheckedBeforeAllocating) {
    for (uint8_t tag : {8, 9, 11}) { // String, WString, Binary
        std::vector<uint8_t> b = Header();
        Name8(b, "TTestForm");
        Name8(b, "F");
        Name8(b, "Caption");
        b.insert(b.end(), {tag, 0xFE, 0xFF, 0xFF, 0x7F, 'x'});
        ExpectReadError(b, "unexpected end of data");
    }
}

TEST(HostileInput, DeepNestingIsRefused) {
    std::vector<uint8_t> b = Header();
    for (int i = 0; i < 100000; ++i) {
        Name8(b, "TTestWidget");
        Name8(b, "");
        b.push_back(0); // no properties; the next component is a child
    }
    ExpectReadError(b, "nest deeper");

    b = Header();
    Name8(b, "TTestForm");
    Name8(b, "F");
    for (int i = 0; i < 100000; ++i) {
        Name8(b, "Items");
        b.insert(b.end(), {12, 1}); // a collection whose first item starts with another collection
    }
    ExpectReadError(b, "nest deeper");
}

TEST(HostileInput, StructuralDamageIsNamed) {
    std::vector<uint8_t> good = SampleBytes();
    std::vector<uint8_t> b = good;
    b[0] = 'X';
    ExpectReadError(b, "bad signature");
    b = good;
    b[4] = 2;
    ExpectReadError(b, "unsupported version 2");
    b = good;
    b.push_back(0);
    ExpectReadError(b, "data after the end");

    b = Header();
    Name8(b, "TTestForm");
    Name8(b, "F");
    Name8(b, "Size");
    b.push_back(99);
    ExpectReadError(b, "unknown value tag 99");
}

} // namespace

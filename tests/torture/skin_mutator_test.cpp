// The mutator the torture runs depend on: the same case from the same seed, every kind in any
// run of that many cases, and each case changing the skin the way its description says.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "skin/res/skin_reader.h"
#include "tests/skin/core/test_skin.h"
#include "tests/support/skin_mutator.h"
#include "toolkit/graphics/bmp_decode.h"

using namespace qs;
using namespace qs::test;

namespace {

std::vector<uint8_t> SourceSkin() {
    TestSkin skin;
    skin.ini = "[Personality]\r\nLeft=left.bmp\r\nLeftFrame=2\r\nLeftTopHeight=24\r\nLeftBotHeight=6\r\n"
               "TextShift=24\r\n\r\n[Colours]\r\nButtonFace=212 208 200\r\n\r\n[Buttons]\r\n"
               "Bitmap=buttons.bmp\r\nLeftWidth=4\r\nRightWidth=4\r\nFrame=5\r\nTrans=0\r\n";
    skin.Bmp("left.bmp", 8, 60).Bmp("buttons.bmp", 100, 20, [](int x, int y) { return uint32_t(x * 2 + y); });
    return skin.Compressed();
}

struct Unpacked {
    bool read = false;
    std::vector<std::string> names;
    std::vector<std::vector<uint8_t>> data;
    const std::vector<uint8_t>* Member(const std::string& name) const {
        const auto it = std::find(names.begin(), names.end(), name);
        return it == names.end() ? nullptr : &data[size_t(it - names.begin())];
    }
    std::string Ini() const {
        const std::vector<uint8_t>* ini = Member("skin.ini");
        return ini ? std::string(ini->begin(), ini->end()) : std::string();
    }
};

Unpacked Unpack(const std::vector<uint8_t>& bytes) {
    Unpacked u;
    TSkinReader reader;
    u.read = reader.ReadArchive(bytes);
    if (!u.read) return u;
    u.names = reader.Names();
    size_t offset = 0;
    for (int32_t size : reader.Sizes()) {
        const auto from = reader.MemberData().begin() + long(offset);
        u.data.emplace_back(from, from + size);
        offset += size_t(size);
    }
    return u;
}

// The first word of a description names the member it changed.
std::string FirstWord(const std::string& s) {
    return s.substr(0, s.find(' '));
}

class Mutator : public ::testing::Test {
  protected:
    // The reader's message box text for refused archives, collected rather than printed.
    void SetUp() override {
        previous = SetSkinMessageSink([this](const std::string& text) { said += text; });
    }
    void TearDown() override { SetSkinMessageSink(previous); }
    TSkinMessageSink previous;
    std::string said;
    const std::vector<uint8_t> source = SourceSkin();
    const SkinMutator mutator{source};
    const Unpacked original = Unpack(source);
};

} // namespace

TEST_F(Mutator, TheSameSeedMakesTheSameCaseAndOthersDiffer) {
    for (const std::string& kind : SkinMutator::Kinds()) {
        SCOPED_TRACE(kind);
        const SkinMutation a = mutator.Mutate(kind, 42), b = mutator.Mutate(kind, 42);
        EXPECT_EQ(a.bytes, b.bytes);
        EXPECT_EQ(a.description, b.description);
        EXPECT_FALSE(a.description.empty());
        std::set<std::vector<uint8_t>> distinct;
        for (uint64_t seed = 0; seed < 20; ++seed)
            distinct.insert(mutator.Mutate(kind, seed).bytes);
        EXPECT_GT(distinct.size(), 2u);
        EXPECT_EQ(distinct.count(source), 0u) << "a case left the skin as it was";
    }
    EXPECT_THROW(mutator.Mutate("no-such-kind", 1), std::invalid_argument);
    EXPECT_THROW(SkinMutator(std::vector<uint8_t>{1, 2, 3}), std::invalid_argument);
}

TEST_F(Mutator, AnyRunOfKindsManyCasesHasEveryKindOnce) {
    const size_t kinds = SkinMutator::Kinds().size();
    for (uint64_t start : {0ull, 5ull, 1000ull}) {
        std::multiset<std::string> seen;
        for (uint64_t n = start; n < start + kinds; ++n)
            seen.insert(mutator.Case(9, n).kind);
        for (const std::string& kind : SkinMutator::Kinds())
            EXPECT_EQ(seen.count(kind), 1u) << kind;
    }
    EXPECT_EQ(mutator.Case(9, 3).bytes, mutator.Mutate(SkinMutator::Kinds()[3], CaseSeed(9, 3)).bytes);
}

TEST_F(Mutator, TheReaderTakesOrRefusesWhatTheVerdictSays) {
    for (const std::string& kind : SkinMutator::Kinds()) {
        for (uint64_t seed = 0; seed < 40; ++seed) {
            const SkinMutation m = mutator.Mutate(kind, seed);
            if (m.verdict == SkinVerdict::Either) continue;
            EXPECT_EQ(Unpack(m.bytes).read, m.verdict == SkinVerdict::Accepted)
                << kind << ": " << m.description;
        }
    }
    said.clear();
    EXPECT_FALSE(Unpack(mutator.Mutate("archive-version", 3).bytes).read);
    EXPECT_NE(said.find("Older Skin File"), std::string::npos);
}

TEST_F(Mutator, IniCasesChangeTheLinesTheySay) {
    for (uint64_t seed = 0; seed < 30; ++seed) {
        const SkinMutation m = mutator.Mutate("ini-value", seed);
        const std::string ini = Unpack(m.bytes).Ini();
        // "[Section] Key=value ..." names the line now in the ini.
        const std::string line = m.description.substr(m.description.find("] ") + 2);
        EXPECT_NE(ini.find("\r\n" + FirstWord(line) + "\r\n"), std::string::npos) << m.description;
        EXPECT_NE(ini, original.Ini());
    }
    for (uint64_t seed = 0; seed < 20; ++seed) {
        const SkinMutation m = mutator.Mutate("frame-count", seed);
        const std::string ini = Unpack(m.bytes).Ini();
        const std::string line = FirstWord(m.description.substr(m.description.find("] ") + 2));
        EXPECT_NE(line.find("Frame="), std::string::npos) << m.description;
        EXPECT_NE(ini.find(line), std::string::npos) << m.description;
        const long long count = std::stoll(line.substr(line.find('=') + 1));
        // Left is 8 wide, the buttons 100: none of these counts fits as frames.
        const long long width = line.rfind("LeftFrame", 0) == 0 ? 8 : 100;
        EXPECT_TRUE(count <= 0 || count > width) << m.description;
    }
    for (uint64_t seed = 0; seed < 20; ++seed) {
        const SkinMutation m = mutator.Mutate("margins", seed);
        const std::string value = FirstWord(m.description.substr(m.description.find('=') + 1));
        EXPECT_GT(std::stoll(value), 60) << m.description; // beyond the largest side of either image
    }
    const SkinMutation all = mutator.Mutate("ini-all", 4);
    const std::string ini = Unpack(all.bytes).Ini();
    const std::string value = all.description.substr(all.description.find('=') + 1);
    for (const char* key : {"LeftFrame=", "LeftTopHeight=", "TextShift=", "RightWidth=", "Trans="})
        EXPECT_NE(ini.find(key + value + "\r\n"), std::string::npos) << key << " in " << all.description;
    EXPECT_NE(ini.find("ButtonFace=212 208 200"), std::string::npos) << "colours are not numbers";
}

TEST_F(Mutator, MemberCasesChangeTheMembersTheySay) {
    for (uint64_t seed = 0; seed < 20; ++seed) {
        const Unpacked missing = Unpack(mutator.Mutate("member-missing", seed).bytes);
        EXPECT_EQ(missing.names.size(), original.names.size() - 1);

        const SkinMutation dup = mutator.Mutate("member-duplicated", seed);
        const Unpacked twice = Unpack(dup.bytes);
        EXPECT_EQ(std::count(twice.names.begin(), twice.names.end(), FirstWord(dup.description)), 2)
            << dup.description;

        const SkinMutation empty = mutator.Mutate("member-empty", seed);
        const Unpacked emptied = Unpack(empty.bytes);
        ASSERT_NE(emptied.Member(FirstWord(empty.description)), nullptr);
        EXPECT_TRUE(emptied.Member(FirstWord(empty.description))->empty());

        const SkinMutation cut = mutator.Mutate("member-truncated", seed);
        const std::string name = FirstWord(cut.description);
        const size_t kept = std::stoul(cut.description.substr(cut.description.find(" cut to ") + 8));
        const Unpacked shortened = Unpack(cut.bytes);
        EXPECT_EQ(shortened.Member(name)->size(), kept) << cut.description;
        EXPECT_LT(kept, original.Member(name)->size());

        const SkinMutation swapped = mutator.Mutate("member-swapped", seed);
        const Unpacked s = Unpack(swapped.bytes);
        const std::string other = swapped.description.substr(swapped.description.find(" and ") + 5);
        EXPECT_EQ(*s.Member(FirstWord(swapped.description)), *original.Member(FirstWord(other)));
    }
}

TEST_F(Mutator, ImageCasesMakeTheImagesTheySay) {
    for (uint64_t seed = 0; seed < 40; ++seed) {
        const SkinMutation m = mutator.Mutate("bmp-depth", seed);
        const Unpacked u = Unpack(m.bytes);
        const std::vector<uint8_t>& bmp = *u.Member(FirstWord(m.description));
        const size_t at = m.description.find_first_of("0123456789");
        const int depth = std::stoi(m.description.substr(at));
        EXPECT_EQ(bmp[28] | bmp[29] << 8, depth) << m.description;
        if (m.description.find("claiming") != std::string::npos) continue;
        const BmpImage image = DecodeBmp(bmp.data(), bmp.size());
        EXPECT_EQ(image.bitsPerPixel, depth) << m.description;
        EXPECT_EQ(image.height, FirstWord(m.description) == "left.bmp" ? 60 : 20) << m.description;
        if (m.description.find("top-down") != std::string::npos) {
            EXPECT_LT(int32_t(bmp[22] | bmp[23] << 8 | bmp[24] << 16 | uint32_t(bmp[25]) << 24), 0);
            // The colours came along, row order included (grey levels at the indexed depths).
            if (depth >= 16 && FirstWord(m.description) == "buttons.bmp") {
                EXPECT_EQ(image.PixelRGB(50, 19) & 0xF8, uint32_t(50 * 2 + 19) & 0xF8) << m.description;
            }
        }
    }
    for (uint64_t seed = 0; seed < 20; ++seed) {
        const SkinMutation m = mutator.Mutate("bmp-tiny", seed);
        const Unpacked u = Unpack(m.bytes);
        const std::vector<uint8_t>& bmp = *u.Member(FirstWord(m.description));
        const std::string size = m.description.substr(m.description.find(' ') + 1);
        const uint32_t w = bmp[18], h = bmp[22];
        EXPECT_EQ(std::to_string(w) + "x" + std::to_string(h), FirstWord(size)) << m.description;
        EXPECT_LE(w * h, 1u);
    }
    for (uint64_t seed = 0; seed < 20; ++seed) {
        const SkinMutation m = mutator.Mutate("bmp-header", seed);
        const Unpacked u = Unpack(m.bytes);
        const std::string name = FirstWord(m.description);
        EXPECT_NE(*u.Member(name), *original.Member(name)) << m.description;
    }
}

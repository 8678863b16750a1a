// Skin archives: the six versions and their skipped blocks, name-list rules, member look-up,
// the image-name rule, and hostile archives that must be refused without reading out of bounds.
#include "skin/res/lzh_codec.h"
#include "skin/res/skin_archive_writer.h"
#include "skin/res/skin_reader.h"

#include <gtest/gtest.h>

#include <string>

using namespace qs;

namespace {

std::vector<uint8_t> Bytes(const std::string& s) {
    return {s.begin(), s.end()};
}

void Put32(std::vector<uint8_t>& out, int32_t v) {
    for (int i = 0; i < 4; ++i)
        out.push_back(uint8_t(uint32_t(v) >> (8 * i)));
}

// An archive laid out by hand, independent of the writer: header, filler block, list, sizes, contents.
std::vector<uint8_t> RawArchive(int32_t version, int skipped, const std::string& list,
                                const std::vector<int32_t>& sizes, const std::string& contents,
                                int32_t listLength = -1) {
    std::vector<uint8_t> a;
    Put32(a, version);
    Put32(a, listLength >= 0 ? listLength : int32_t(list.size()));
    a.insert(a.end(), 8, 0xEE);
    a.insert(a.end(), size_t(skipped), 0xAB);
    a.insert(a.end(), list.begin(), list.end());
    for (int32_t s : sizes)
        Put32(a, s);
    a.insert(a.end(), contents.begin(), contents.end());
    return a;
}

// Collects what the reader would show in a message box.
struct MessageCapture {
    std::vector<std::string> shown;
    TSkinMessageSink previous;
    MessageCapture() {
        previous = SetSkinMessageSink([this](const std::string& t) { shown.push_back(t); });
    }
    ~MessageCapture() { SetSkinMessageSink(std::move(previous)); }
};

const char* const kOlder = "This is Older Skin File\rPlease update to new version !";

std::string Member(const TSkinReader& r, const std::string& name) {
    std::vector<uint8_t> out;
    r.GetMember(name, out);
    return {out.begin(), out.end()};
}

} // namespace

TEST(SkinArchiveVersions, EachVersionSkipsItsBlock) {
    const std::pair<int32_t, int> versions[] = {{20000, 0},  {30000, 256}, {40000, 80},
                                                {50000, 48}, {60000, 117}, {70000, 69}};
    for (auto [version, skipped] : versions) {
        TSkinReader r;
        ASSERT_TRUE(
            r.ReadArchive(LzhCompress(RawArchive(version, skipped, "a.ini\r\nb.bmp\r\n", {3, 4}, "[x]BM12"))))
            << version;
        EXPECT_EQ(r.Version(), version);
        EXPECT_EQ(r.Names(), (std::vector<std::string>{"a.ini", "b.bmp"}));
        EXPECT_EQ(Member(r, "a.ini"), "[x]");
        EXPECT_EQ(Member(r, "b.bmp"), "BM12");
        // The writer produces the same layout for every version.
        TSkinReader w;
        ASSERT_TRUE(
            w.ReadArchive(WriteCompressedSkin({{"a.ini", Bytes("[x]")}, {"b.bmp", Bytes("BM12")}}, version)));
        EXPECT_EQ(w.MemberData(), r.MemberData());
    }
}

TEST(SkinArchiveVersions, UnknownVersionsAndEmptyArchivesShowTheOlderSkinMessage) {
    MessageCapture capture;
    TSkinReader r;
    EXPECT_FALSE(r.ReadArchive(WriteCompressedSkin({{"a.ini", Bytes("x")}}, 10000)));
    EXPECT_FALSE(r.ReadArchive(WriteCompressedSkin({{"a.ini", Bytes("x")}}, 70001)));
    EXPECT_FALSE(r.ReadArchive(LzhCompress(nullptr, 0)));
    EXPECT_FALSE(r.ReadArchive(nullptr, 0));
    EXPECT_EQ(capture.shown, std::vector<std::string>(4, kOlder));
    EXPECT_EQ(r.Count(), 0);
    EXPECT_TRUE(r.MemberData().empty());
}

TEST(SkinArchiveVersions, ReadingAgainForgetsThePreviousSkin) {
    MessageCapture capture;
    TSkinReader r;
    ASSERT_TRUE(r.ReadArchive(WriteCompressedSkin({{"a.ini", Bytes("x")}})));
    EXPECT_FALSE(r.ReadArchive(WriteCompressedSkin({{"a.ini", Bytes("x")}}, 1)));
    EXPECT_EQ(Member(r, "a.ini"), "");
}

TEST(SkinArchiveNames, LineBreaksCaseAndDuplicates) {
    // CR, LF and CR LF each end a name; LF CR ends two; no name after the final break.
    TSkinReader r;
    ASSERT_TRUE(r.ReadArchive(LzhCompress(RawArchive(20000, 0, "Skin.INI\rTop.Bmp\nTOP.BMP\n\rlast.bmp\r\n",
                                                     {2, 3, 4, 0, 5}, "inTOPdupeLAST!"))));
    EXPECT_EQ(r.Names(), (std::vector<std::string>{"skin.ini", "top.bmp", "top.bmp", "", "last.bmp"}));
    EXPECT_EQ(Member(r, "TOP.bmp"), "TOP");    // the first of two equal names
    EXPECT_EQ(Member(r, "Last.BMP"), "LAST!"); // offsets skip the empty member
    EXPECT_EQ(Member(r, "missing.bmp"), "");

    std::vector<uint8_t> out;
    EXPECT_EQ(r.FindMember(".ini", out), "skin.ini");
    EXPECT_EQ(std::string(out.begin(), out.end()), "in");
    EXPECT_EQ(r.FindMember(".INI", out), ""); // the fragment is taken as given
    EXPECT_TRUE(out.empty());
    EXPECT_EQ(r.FindMember("st.b", out), "last.bmp");
}

TEST(SkinArchiveNames, WriterListsNamesWithCrLfAndRefusesWhatItCannotStore) {
    const std::vector<uint8_t> a = WriteSkinArchive({{"x.ini", {}}, {"y.bmp", Bytes("yy")}}, 20000);
    EXPECT_EQ(std::string(a.begin() + 16, a.begin() + 30), "x.ini\r\ny.bmp\r\n");
    EXPECT_THROW(WriteSkinArchive({{"a\nb", {}}}), std::invalid_argument);
    EXPECT_THROW(WriteSkinArchive(std::vector<TSkinMember>(1002)), std::invalid_argument);
    TSkinReader r;
    EXPECT_TRUE(r.ReadArchive(WriteCompressedSkin(std::vector<TSkinMember>(1001, {"m.bmp", {}}))));
    EXPECT_EQ(r.Count(), 1001);
}

TEST(SkinArchiveNames, ImageValuesNameTheirFilePart) {
    EXPECT_EQ(ImageMemberName("Blue\\Top.bmp"), "Top.bmp");
    EXPECT_EQ(ImageMemberName("c:top.bmp"), "top.bmp");
    EXPECT_EQ(ImageMemberName("a\\b:c\\d.e.bmp"), "d.e.bmp");
    EXPECT_EQ(ImageMemberName("Blue\\Top.BMP"), "");
    EXPECT_EQ(ImageMemberName("Blue\\"), "");
    EXPECT_EQ(ImageMemberName("top"), "");
    EXPECT_EQ(ImageMemberName("top.bmp.png"), "");
    TSkinReader r;
    ASSERT_TRUE(r.ReadArchive(WriteCompressedSkin({{"top.bmp", Bytes("BM")}})));
    EXPECT_EQ(Member(r, ImageMemberName("Folder\\Top.bmp")), "BM");
}

TEST(SkinArchiveHostile, InconsistentArchivesAreRefusedQuietly) {
    MessageCapture capture;
    const std::vector<std::vector<uint8_t>> bad = {
        RawArchive(70000, 69, "a.bmp\r\n", {2}, "xx", 5000),               // list past the data
        RawArchive(70000, 69, "a.bmp\r\n", {2}, "xx", 0x7FFFFFFF),         // list length near the int32 limit
        RawArchive(70000, 10, "", {}, ""),                                 // skipped block past the data
        RawArchive(20000, 0, "a.bmp\r\nb.bmp\r\n", {2}, ""),               // size table past the data
        RawArchive(20000, 0, "a.bmp\r\n", {3}, "xx"),                      // member past the data
        RawArchive(20000, 0, "a.bmp\r\nb.bmp\r\n", {-1, 3}, "xx"),         // negative size
        RawArchive(20000, 0, "a\r\nb\r\n", {0x7FFFFFFF, 0x7FFFFFFF}, "x"), // sizes whose sum overflows int32
        RawArchive(20000, 0, std::string(1002, '\n'), std::vector<int32_t>(1002, 0), ""), // 1002 names
        {0x20, 0x4E, 0x00, 0x00, 0x05},                                                   // header cut short
    };
    for (size_t i = 0; i < bad.size(); ++i) {
        TSkinReader r;
        EXPECT_FALSE(r.ReadArchive(LzhCompress(bad[i]))) << "case " << i;
        EXPECT_EQ(r.Count(), 0);
    }
    EXPECT_TRUE(capture.shown.empty());
}

TEST(SkinArchiveHostile, BrokenCompressedStreamsAreRefused) {
    MessageCapture capture;
    const std::vector<uint8_t> good = WriteCompressedSkin({{"a.ini", Bytes(std::string(5000, 'k'))}});
    TSkinReader r;
    EXPECT_FALSE(r.ReadArchive(std::vector<uint8_t>(good.begin(), good.end() - 3))); // bits run out
    EXPECT_FALSE(r.ReadArchive({0xFF, 0xFF, 0xFF, 0x7F, 1, 2, 3}));                  // absurd size
    EXPECT_FALSE(r.ReadArchive({0x00, 0x00, 0x00, 0x01, 0x55}));                     // 16 MB from one byte
    EXPECT_TRUE(capture.shown.empty());
    EXPECT_TRUE(r.ReadArchive(good));
}

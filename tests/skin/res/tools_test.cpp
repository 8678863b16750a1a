// The skin tools run in-process: pack, unpack, look-ups, the raw codec, and their refusals.
#include "skin/res/skin_archive_writer.h"
#include "tools/skin_tools.h"
#include "tools/tool_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

using namespace qs;
using namespace qs::tools;
namespace fs = std::filesystem;

namespace {

class SkinTools : public ::testing::Test {
  protected:
    fs::path dir;
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("qs_tools_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir);
        fs::create_directories(dir / "src");
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string P(const std::string& rel) const { return (dir / rel).string(); }
    void Write(const std::string& rel, const std::string& text) const {
        std::string error;
        ASSERT_TRUE(WriteFileBytes(P(rel), {text.begin(), text.end()}, error)) << error;
    }
    std::string Read(const std::string& rel) const {
        std::vector<uint8_t> b;
        std::string error;
        EXPECT_TRUE(ReadFileBytes(P(rel), b, error)) << error;
        return {b.begin(), b.end()};
    }
    int Run(int (*tool)(const Args&, std::ostream&, std::ostream&), const Args& args) {
        out.str("");
        err.str("");
        return tool(args, out, err);
    }
    std::ostringstream out, err;
};

} // namespace

TEST_F(SkinTools, PackThenUnpackListsTheIniFirstAndWritesLowerCasedNames) {
    Write("src/Blue.INI", "[Form]\r\nTop = Folder\\Top.bmp\r\n");
    Write("src/Top.bmp", std::string(4000, 'T'));
    Write("src/Aside.BMP", "BMa");
    Write("src/notes.txt", "ignored");
    ASSERT_EQ(Run(RunSkinPack, {P("src"), P("s.skin"), "--version", "40000"}), 0) << err.str();
    EXPECT_NE(err.str().find("notes.txt"), std::string::npos);
    ASSERT_EQ(Run(RunSkinUnpack, {P("s.skin"), P("out")}), 0) << err.str();
    EXPECT_EQ(out.str(), "version 40000\nblue.ini 30\naside.bmp 3\ntop.bmp 4000\n");
    EXPECT_EQ(Read("out/top.bmp"), std::string(4000, 'T'));
    EXPECT_EQ(Read("out/blue.ini"), Read("src/Blue.INI"));
    // --counted: the same skin behind its int32 byte count, as a form stores a SkinStream.
    ASSERT_EQ(Run(RunSkinPack, {P("src"), P("c.skin"), "--counted", "--version", "40000"}), 0) << err.str();
    const std::string plain = Read("s.skin"), counted = Read("c.skin");
    ASSERT_EQ(counted.size(), plain.size() + 4);
    EXPECT_EQ(counted.substr(4), plain);
    EXPECT_EQ(uint8_t(counted[0]) | uint8_t(counted[1]) << 8, int(plain.size()));
}

TEST_F(SkinTools, InfoAnswersLikeTheIniParser) {
    Write("src/a.ini", "[Form]\nTopHeight = 0x1F\nName = Blue Sky \n[Menu]\n[ Form ]\n");
    ASSERT_EQ(Run(RunSkinPack, {P("src"), P("s.skin")}), 0);
    for (const std::string& source : {P("s.skin"), std::string("--ini")}) {
        Args base = source == "--ini" ? Args{"--ini", P("src/a.ini")} : Args{source};
        auto with = [&](Args more) {
            Args a = base;
            a.insert(a.end(), more.begin(), more.end());
            return a;
        };
        ASSERT_EQ(Run(RunSkinInfo, with({"--sections"})), 0) << err.str();
        EXPECT_EQ(out.str(), "Form\nMenu\nForm\n");
        ASSERT_EQ(Run(RunSkinInfo, with({"form", "topheight", "--int", "-4"})), 0);
        EXPECT_EQ(out.str(), "31\n");
        ASSERT_EQ(Run(RunSkinInfo, with({"Form", "missing", "--int", "-4"})), 0);
        EXPECT_EQ(out.str(), "-4\n");
        ASSERT_EQ(Run(RunSkinInfo, with({"Form", "name"})), 0);
        EXPECT_EQ(out.str(), "Blue Sky\n");
        ASSERT_EQ(Run(RunSkinInfo, with({"Form", "missing", "--default", "x y"})), 0);
        EXPECT_EQ(out.str(), "x y\n");
        EXPECT_EQ(Run(RunSkinInfo, with({"Form", "k", "--int", "0x10"})), 2);
    }
}

TEST_F(SkinTools, RawCodecRoundTripsAndRefusesDamagedInput) {
    Write("plain", std::string(10000, 'z') + "tail");
    ASSERT_EQ(Run(RunSkinLzh, {"c", P("plain"), P("packed")}), 0);
    ASSERT_EQ(Run(RunSkinLzh, {"d", P("packed"), P("back")}), 0);
    EXPECT_EQ(Read("back"), Read("plain"));
    const std::string packed = Read("packed");
    Write("cut", packed.substr(0, packed.size() - 2));
    EXPECT_EQ(Run(RunSkinLzh, {"d", P("cut"), P("x")}), 1);
    EXPECT_NE(err.str().find("truncated"), std::string::npos);
    EXPECT_FALSE(fs::exists(dir / "x"));
    Write("huge", std::string("\xFF\xFF\xFF\x7F", 4));
    EXPECT_EQ(Run(RunSkinLzh, {"d", P("huge"), P("x")}), 1);
    EXPECT_EQ(Run(RunSkinLzh, {"d", P("missing"), P("x")}), 1);
}

TEST_F(SkinTools, FilesAreReadWholeAndRefusedWhenTheyCannotBe) {
    std::string bytes(300000, '\0');
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = char(i * 7 + i / 251);
    Write("big", bytes);
    EXPECT_EQ(Read("big"), bytes);
    Write("empty", "");
    EXPECT_EQ(Read("empty"), "");
    std::vector<uint8_t> got = {1, 2, 3};
    std::string error;
    EXPECT_FALSE(ReadFileBytes(P("src"), got, error));
    EXPECT_NE(error.find("folder"), std::string::npos);
    EXPECT_FALSE(ReadFileBytes(P("missing"), got, error));
    EXPECT_FALSE(WriteFileBytes(P("src"), {1}, error));
    EXPECT_FALSE(WriteFileBytes(P("nowhere/x"), {1}, error));
}

TEST_F(SkinTools, UsageErrorsAndHelp) {
    for (auto tool : {RunSkinLzh, RunSkinPack, RunSkinUnpack, RunSkinInfo}) {
        EXPECT_EQ(Run(tool, {"--help"}), 0);
        EXPECT_NE(out.str().find("usage:"), std::string::npos);
        EXPECT_EQ(Run(tool, {}), 2);
        EXPECT_NE(err.str().find("usage:"), std::string::npos);
    }
    EXPECT_EQ(Run(RunSkinLzh, {"x", "a", "b"}), 2);
    EXPECT_EQ(Run(RunSkinPack, {P("src"), P("s.skin"), "--version", "12345"}), 2);
    EXPECT_EQ(Run(RunSkinPack, {P("src"), P("s.skin"), "--bogus"}), 2);
    EXPECT_EQ(Run(RunSkinPack, {P("src"), P("s.skin")}), 1); // no ini
    EXPECT_EQ(Run(RunSkinPack, {P("nowhere"), P("s.skin")}), 1);
    EXPECT_EQ(Run(RunSkinInfo, {P("src")}), 1);
}

TEST_F(SkinTools, UnpackRefusesNamesThatLeaveTheFolderAndDamagedSkins) {
    std::string error;
    ASSERT_TRUE(
        WriteFileBytes(P("evil.skin"), WriteCompressedSkin({{"ok.bmp", {1}}, {"..\\evil.bmp", {2}}}), error));
    EXPECT_EQ(Run(RunSkinUnpack, {P("evil.skin"), P("out")}), 1);
    EXPECT_FALSE(fs::exists(dir / "out" / "ok.bmp"));
    Write("junk.skin", "not a skin at all");
    EXPECT_EQ(Run(RunSkinUnpack, {P("junk.skin"), P("out")}), 1);
    ASSERT_TRUE(WriteFileBytes(P("old.skin"), WriteCompressedSkin({{"a.ini", {}}}, 10000), error));
    EXPECT_EQ(Run(RunSkinUnpack, {P("old.skin"), P("out")}), 1);
    EXPECT_NE(err.str().find("This is Older Skin File Please update"), std::string::npos) << err.str();
    EXPECT_EQ(Run(RunSkinInfo, {P("junk.skin")}), 1);
    ASSERT_TRUE(WriteFileBytes(P("noini.skin"), WriteCompressedSkin({{"a.bmp", {1}}}), error));
    EXPECT_EQ(Run(RunSkinInfo, {P("noini.skin")}), 1);
    EXPECT_NE(err.str().find("no ini"), std::string::npos);
}

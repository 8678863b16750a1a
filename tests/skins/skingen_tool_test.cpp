// skingen as a command, in-process: the bundled themes packed directly equal the build's own packed skins,
// a refused theme writes nothing, and a five-line theme makes a skin as complete as the flagship.
#include "skins/generator/output.h"
#include "skins/generator/skingen_tool.h"
#include "tools/skin_tools.h"
#include "tools/tool_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <sstream>

namespace fs = std::filesystem;
using namespace qs;

namespace {

class SkinGen : public ::testing::Test {
  protected:
    fs::path dir;
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("qs_skingen_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string P(const std::string& rel) const { return (dir / rel).string(); }
    void Write(const std::string& rel, const std::string& text) const {
        std::string error;
        ASSERT_TRUE(tools::WriteFileBytes(P(rel), {text.begin(), text.end()}, error)) << error;
    }
    static std::vector<uint8_t> Read(const std::string& path) {
        std::vector<uint8_t> b;
        std::string error;
        EXPECT_TRUE(tools::ReadFileBytes(path, b, error)) << error;
        return b;
    }
    int Run(const tools::Args& args) {
        out.str("");
        err.str("");
        return skingen::RunSkinGen(args, out, err);
    }
    std::set<std::string> Listing() const {
        std::set<std::string> names;
        for (const auto& e : fs::directory_iterator(dir))
            names.insert(e.path().filename().string());
        return names;
    }
    // The section names of a packed skin's ini, through skininfo as a user would list them.
    std::set<std::string> Sections(const std::string& skin) {
        std::ostringstream o, e;
        EXPECT_EQ(tools::RunSkinInfo({skin, "--sections"}, o, e), 0) << e.str();
        std::set<std::string> names;
        std::istringstream in(o.str());
        for (std::string line; std::getline(in, line);)
            names.insert(line.rfind("Button", 0) == 0 && line != "Buttons"   ? "Button*"
                         : line.rfind("COLOUR", 0) == 0 && line != "Colours" ? "COLOUR*"
                                                                             : line);
        return names;
    }
    std::ostringstream out, err;
};

const char* const kIds[] = {"default", "item0", "item1", "item2", "item3", "item4",
                            "item5",   "item6", "item7", "item8", "item9"};

} // namespace

TEST_F(SkinGen, EveryBundledThemePacksToTheBuildsOwnSkinByteForByte) {
    for (const char* id : kIds) {
        SCOPED_TRACE(id);
        const std::string theme = std::string(QS_THEMES_DIR) + "/" + id + ".theme";
        ASSERT_EQ(Run({theme, P(std::string(id) + ".skin")}), 0) << err.str();
        const std::vector<uint8_t> built = Read(std::string(QS_SKINS_DIR) + "/" + id + ".skin");
        ASSERT_FALSE(built.empty());
        EXPECT_EQ(Read(P(std::string(id) + ".skin")), built);

        // The library entry gives the same bytes from the text alone.
        std::vector<uint8_t> packed;
        std::string error;
        const std::vector<uint8_t> text = Read(theme);
        ASSERT_TRUE(skingen::PackedSkinFromTheme({text.begin(), text.end()}, theme, packed, error)) << error;
        EXPECT_EQ(packed, built);
    }
}

TEST_F(SkinGen, FolderOutputPacksLikeTheDirectSkinAndLeavesOtherFilesAlone) {
    fs::create_directories(dir / "out");
    Write("out/notes.txt", "mine");
    Write("out/mint.ini", "stale");
    ASSERT_EQ(Run({QS_EXAMPLES_DIR "/mint.theme", P("out"), "--preview", P("sheet.png")}), 0) << err.str();
    ASSERT_EQ(Run({QS_EXAMPLES_DIR "/mint.theme", P("direct.skin")}), 0) << err.str();
    EXPECT_EQ(Read(P("out/notes.txt")), std::vector<uint8_t>({'m', 'i', 'n', 'e'}));
    fs::remove(dir / "out/notes.txt");
    std::ostringstream o, e;
    ASSERT_EQ(tools::RunSkinPack({P("out"), P("folder.skin")}, o, e), 0) << e.str();
    EXPECT_EQ(Read(P("folder.skin")), Read(P("direct.skin")));
    const std::vector<uint8_t> png = Read(P("sheet.png"));
    ASSERT_GT(png.size(), 8u);
    EXPECT_EQ(std::string(png.begin() + 1, png.begin() + 4), "PNG");
    EXPECT_EQ(Listing(), (std::set<std::string>{"out", "direct.skin", "folder.skin", "sheet.png"}))
        << "no scratch files are left beside the outputs";
}

TEST_F(SkinGen, ARefusedThemeNamesItsLineAndWritesNothing) {
    Write("typo.theme", "name = Typo\nface = 200 200 200\ncaption.hieght = 22\n");
    Write("range.theme", "name = Range\nborder = 40\n");
    Write("colour.theme", "accent = 10 20\n");
    Write("enum.theme", "buttons.style = fancy\n");
    fs::create_directories(dir / "kept");
    Write("kept/kept.ini", "old");
    const std::pair<const char*, const char*> cases[] = {
        {"typo.theme", ":3: unknown key \"caption.hieght\"; did you mean \"caption.height\"?\n"},
        {"range.theme", ":2: border is 40; it must be from 1 to 16\n"},
        {"colour.theme", ":1: accent needs a colour"},
        {"enum.theme", ":1: buttons.style is \"fancy\"; it must be one of flat, square, round, pill\n"},
    };
    const std::set<std::string> before = Listing();
    for (auto [theme, message] : cases) {
        SCOPED_TRACE(theme);
        for (const std::string& target : {P("new.skin"), P("newdir"), P("kept")}) {
            EXPECT_EQ(Run({P(theme), target, "--preview", P("sheet.png")}), 1);
            EXPECT_EQ(err.str().rfind(P(theme) + message, 0), 0u) << err.str();
        }
    }
    EXPECT_EQ(Listing(), before);
    EXPECT_EQ(Read(P("kept/kept.ini")), std::vector<uint8_t>({'o', 'l', 'd'}));
    EXPECT_EQ(fs::directory_iterator(dir / "kept")->path().filename(), "kept.ini");

    // A target that cannot be written is a failure, and nothing is left beside it either.
    Write("plain", "a file");
    EXPECT_EQ(Run({QS_EXAMPLES_DIR "/mint.theme", P("plain")}), 1);
    EXPECT_EQ(Run({QS_EXAMPLES_DIR "/mint.theme", P("missing/x.skin")}), 1);
    EXPECT_EQ(Listing().size(), before.size() + 1);

    std::vector<uint8_t> packed;
    std::string error;
    EXPECT_FALSE(skingen::PackedSkinFromTheme("\n\nradius = x\n", "live.theme", packed, error));
    EXPECT_EQ(error, "live.theme:3: radius needs a whole number, not \"x\"");
}

TEST_F(SkinGen, FiveLineThemeHasEverySectionOfTheFlagship) {
    ASSERT_EQ(Run({QS_EXAMPLES_DIR "/mint.theme", P("mint.skin")}), 0) << err.str();
    const std::set<std::string> flagship = Sections(std::string(QS_SKINS_DIR) + "/item9.skin");
    const std::set<std::string> mint = Sections(P("mint.skin"));
    for (const std::string& section : flagship)
        EXPECT_TRUE(mint.count(section)) << "mint lacks " << section;
    ASSERT_GT(flagship.size(), 35u);

    // The usual caption buttons are there, each with its image.
    std::ostringstream o, e;
    ASSERT_EQ(tools::RunSkinInfo({P("mint.skin"), "ButtonClose", "ButtonImage"}, o, e), 0) << e.str();
    EXPECT_EQ(o.str(), "btnclose.bmp\n");
}

TEST_F(SkinGen, UsageGoesToStandardErrorAndHelpToStandardOutput) {
    EXPECT_EQ(Run({"--help"}), 0);
    EXPECT_NE(out.str().find("usage: skingen"), std::string::npos);
    EXPECT_TRUE(err.str().empty());
    for (const tools::Args& bad :
         {tools::Args{}, tools::Args{"a.theme"}, tools::Args{"a.theme", "b", "c"},
          tools::Args{"a.theme", "b", "--preview"}, tools::Args{"a.theme", "--frob", "b"}}) {
        EXPECT_EQ(Run(bad), 2);
        EXPECT_TRUE(out.str().empty());
        EXPECT_NE(err.str().find("usage: skingen"), std::string::npos);
    }
    EXPECT_EQ(Run({P("absent.theme"), P("x.skin")}), 1);
    EXPECT_NE(err.str().find("cannot read"), std::string::npos);
}

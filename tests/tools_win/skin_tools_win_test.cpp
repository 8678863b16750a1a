// skinrender and skinpreview in-process: rendered pixels against the engine's own primitive on
// the same record, the tools' refusals, and the contact sheet of a bundled skin.
#include "skin/core/skin_data.h"
#include "skin/paint/skin_paint.h"
#include "tests/skin/core/test_skin.h"
#include "tests/support/bundled_skins.h"
#include "tests/support/image_file.h"
#include "tools/skin_tools_win.h"
#include "tools/tool_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

using namespace qs::tools;
using qs::test::Pixels;
namespace fs = std::filesystem;

namespace {

constexpr uint32_t kMagenta = 0xFF00FF;

// Every pixel tells where it came from; some are the key colour.
uint32_t Source(int x, int y) {
    return (x + 2 * y) % 7 == 0 ? kMagenta : uint32_t(x) << 16 | uint32_t(y) << 8 | 0x11;
}

// A MenuItem image of 20 x 50: five frames of 4 x 50 side by side, or of 20 x 10 stacked.
qs::test::TestSkin MenuSkin() {
    qs::test::TestSkin t;
    t.ini = "[MenuItem]\r\nImage=item.bmp\r\nLeftWidth=1\r\nTopHeight=2\r\nRightWidth=1\r\nBottomHeight=3\r\n"
            "Trans=1\r\n[Buttons]\r\nBitmap=face.bmp\r\nCheckButton=check.bmp\r\n";
    t.Bmp("item.bmp", 20, 50, Source).Bmp("face.bmp", 50, 10).Bmp("check.bmp", 26, 13, Source);
    return t;
}

class SkinToolsWin : public ::testing::Test {
  protected:
    fs::path dir;
    std::ostringstream out, err;

    void SetUp() override {
        dir =
            fs::temp_directory_path() /
            ("qs_tools_win_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        const std::vector<uint8_t> bytes = MenuSkin().Compressed();
        std::string error;
        ASSERT_TRUE(WriteFileBytes(P("menu.skin"), bytes, error)) << error;
        skin.SkinStream().Write(bytes.data(), bytes.size());
        ASSERT_TRUE(skin.LoadSkin());
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string P(const std::string& name) const { return (dir / name).string(); }
    int Render(Args args) {
        out.str("");
        err.str("");
        args.insert(args.begin(), P("menu.skin"));
        return RunSkinRender(args, out, err);
    }
    Pixels Output() const {
        std::vector<uint8_t> bytes;
        std::string error;
        EXPECT_TRUE(ReadFileBytes(P("out.bmp"), bytes, error)) << error;
        return qs::test::DecodeBmp24(bytes);
    }
    // What DrawSkinObject paints for the loaded MenuItem record.
    Pixels Reference(int w, int h, bool vertical, bool tile, int frame) {
        TDataSkinObject& r = *skin.MenuItem;
        TBitmap bmp(w, h, pf24bit);
        DrawSkinObject(bmp.Canvas().Handle(), RECT{0, 0, w, h}, r.Bitmap, vertical, tile, false, r.Frame,
                       frame, r.Margins());
        GdiFlush();
        Pixels px(w, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const uint8_t* p = bmp.ScanLine(y) + 3 * x;
                px.at(x, y) = uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
            }
        return px;
    }

    TSkinData skin{nullptr};
};

} // namespace

TEST_F(SkinToolsWin, RenderIsTheEnginesNineSliceOfTheChosenFrame) {
    ASSERT_EQ(Render({"MenuItem", "33", "27", "2", P("out.bmp")}), 0) << err.str();
    Pixels px = Output();
    ASSERT_EQ(px.width, 33);
    ASSERT_EQ(px.height, 27);
    EXPECT_EQ(px.data, Reference(33, 27, false, false, 2).data);
    EXPECT_EQ(px.at(0, 0), Source(4, 0)) << "frame 2 starts at x = 4";
    EXPECT_EQ(px.at(32, 26), Source(7, 49)) << "its bottom-right corner is copied unscaled";

    // Stacked frames: frame 3 of five 20 x 10 frames starts at y = 20; the centre tiles.
    ASSERT_EQ(Render({"menuitem", "45", "31", "3", P("out.bmp"), "--vertical", "--tile"}), 0) << err.str();
    px = Output();
    EXPECT_EQ(px.data, Reference(45, 31, true, true, 3).data);
    EXPECT_EQ(px.at(0, 0), Source(0, 20));
    EXPECT_EQ(px.at(44, 30), Source(19, 29));
    EXPECT_EQ(px.at(1 + 18, 2), Source(1, 22)) << "the tiled centre starts over after one source width";
}

TEST_F(SkinToolsWin, TransparentRenderShowsTheBackgroundWhereTheImageIsMagenta) {
    ASSERT_EQ(Render({"MenuItem", "40", "30", "1", P("out.bmp"), "--vertical"}), 0) << err.str();
    const Pixels opaque = Output();
    ASSERT_EQ(Render({"MenuItem", "40", "30", "1", P("out.bmp"), "--transparent", "2468AC", "--vertical"}), 0)
        << err.str();
    const Pixels px = Output();
    ASSERT_EQ(px.data.size(), opaque.data.size());
    int keyed = 0;
    for (size_t i = 0; i < px.data.size(); ++i) {
        keyed += opaque.data[i] == kMagenta;
        ASSERT_EQ(px.data[i], opaque.data[i] == kMagenta ? 0x2468ACu : opaque.data[i]) << "pixel " << i;
    }
    EXPECT_GT(keyed, 0);
}

TEST_F(SkinToolsWin, GlyphStripsAreSlotsWithTheirOwnFrameCount) {
    // 26 x 13 without CheckButtonFrame: 2 glyphs of 13, raised to the minimum of 4 frames.
    ASSERT_EQ(Render({"CheckButton", "6", "13", "4", P("out.bmp")}), 0) << err.str();
    EXPECT_EQ(Output().at(0, 0), Source(18, 0));
    EXPECT_EQ(Render({"CheckButton", "6", "13", "5", P("out.bmp")}), 1);
    EXPECT_NE(err.str().find("4 frame"), std::string::npos) << err.str();
}

TEST_F(SkinToolsWin, RenderRefusesBadArgumentsSlotsAndSkinsWithoutWriting) {
    struct Case {
        Args args;
        int status;
        const char* message;
    };
    std::string error;
    ASSERT_TRUE(WriteFileBytes(P("junk.skin"), {1, 2, 3, 4, 5, 6, 7, 8}, error));
    const Case cases[] = {
        {{"Nonsense", "10", "10", "1", P("out.bmp")}, 2, "unknown slot \"Nonsense\""},
        {{"Tabs", "10", "10", "1", P("out.bmp")}, 1, "has no Tabs image"},
        {{"SysButton3", "10", "10", "1", P("out.bmp")}, 1, "has no SysButton3"},
        {{"Tabs.Bitmap2", "10", "10", "1", P("out.bmp")}, 1, "has no Tabs.Bitmap2"},
        {{"MenuItem", "10", "10", "6", P("out.bmp")}, 1, "has 5 frame(s)"},
        {{"MenuItem", "0", "10", "1", P("out.bmp")}, 2, "W and H"},
        {{"MenuItem", "10", "9000", "1", P("out.bmp")}, 2, "W and H"},
        {{"MenuItem", "1O", "10", "1", P("out.bmp")}, 2, "W and H"},
        {{"MenuItem", "10", "10", "0", P("out.bmp")}, 2, "FRAME"},
        {{"MenuItem", "10", "10", "1", P("out.bmp"), "--transparent", "12345G"}, 2, "six hex digits"},
        {{"MenuItem", "10", "10", "1", P("out.bmp"), "--stretch"}, 2, "unknown option --stretch"},
        {{"MenuItem", "10", "10", "1"}, 2, "expected 6 arguments"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        EXPECT_EQ(Render(c.args), c.status);
        EXPECT_NE(err.str().find(c.message), std::string::npos) << err.str();
        EXPECT_FALSE(fs::exists(P("out.bmp")));
    }
    for (const char* file : {"junk.skin", "missing.skin"}) {
        SCOPED_TRACE(file);
        EXPECT_EQ(RunSkinRender({P(file), "MenuItem", "10", "10", "1", P("out.bmp")}, out, err), 1);
        EXPECT_FALSE(fs::exists(P("out.bmp")));
    }
}

TEST_F(SkinToolsWin, PreviewOfABundledSkinIsAReasonablePng) {
    const std::string bundled = qs::test::BundledSkinsDir() + "/item9.skin";
    ASSERT_EQ(RunSkinPreview({bundled, P("sheet.png")}, out, err), 0) << err.str();
    std::vector<uint8_t> png;
    std::string error;
    ASSERT_TRUE(ReadFileBytes(P("sheet.png"), png, error)) << error;
    ASSERT_GT(png.size(), 33u);
    const uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    EXPECT_TRUE(std::equal(signature, signature + 8, png.begin()));
    auto be32 = [&](size_t at) {
        return uint32_t(png[at]) << 24 | uint32_t(png[at + 1]) << 16 | uint32_t(png[at + 2]) << 8 |
               png[at + 3];
    };
    EXPECT_EQ(std::string(png.begin() + 12, png.begin() + 16), "IHDR");
    const uint32_t w = be32(16), h = be32(20);
    EXPECT_EQ(w, 760u);
    EXPECT_GT(h, 600u) << "a mock window and some forty pieces";
    EXPECT_LT(png.size(), size_t(w) * h * 3 / 10) << "compressed, not stored";
    EXPECT_EQ(std::string(png.end() - 8, png.end() - 4), "IEND");

    EXPECT_EQ(RunSkinPreview({bundled}, out, err), 2);
    EXPECT_EQ(RunSkinPreview({P("nothing.skin"), P("sheet2.png")}, out, err), 1);
    EXPECT_FALSE(fs::exists(P("sheet2.png")));
}

TEST_F(SkinToolsWin, PreviewOfAnAbsurdSkinFinishesWithinItsBounds) {
    // Frame counts, margins and caption-button places no skin author means: the sheet shows a
    // bounded number of frames of each piece and stays within its height.
    qs::test::TestSkin t;
    t.ini =
        "[Personality]\r\nTop=top.bmp\r\nTopFrame=1\r\nTopTopHeight=2147483647\r\nTopBotHeight=2147483647\r\n"
        "Left=side.bmp\r\nRight=side.bmp\r\nBottom=bottom.bmp\r\n"
        "[Track]\r\nImage=strip.bmp\r\nFrame=2147483647\r\nLeftWidth=2147483647\r\nRightWidth=-5\r\n"
        "[Headerbar]\r\nImage=strip.bmp\r\nFrame=4096\r\n"
        "[BUTTON1]\r\nButtonImage=strip.bmp\r\nAction=0\r\nAlign=1\r\nXcoord=-2147483647\r\n"
        "Ycoord=2147483647\r\nframe=2147483647\r\n";
    t.Bmp("top.bmp", 40, 24, Source).Bmp("side.bmp", 4, 40, Source).Bmp("bottom.bmp", 40, 4, Source);
    t.Bmp("strip.bmp", 400, 12, Source);
    std::string error;
    ASSERT_TRUE(WriteFileBytes(P("absurd.skin"), t.Compressed(), error)) << error;
    ASSERT_EQ(RunSkinPreview({P("absurd.skin"), P("sheet.png")}, out, err), 0) << err.str();
    std::vector<uint8_t> png;
    ASSERT_TRUE(ReadFileBytes(P("sheet.png"), png, error)) << error;
    ASSERT_GT(png.size(), 24u);
    const uint32_t h = uint32_t(png[20]) << 24 | uint32_t(png[21]) << 16 | uint32_t(png[22]) << 8 | png[23];
    EXPECT_LE(h, 4000u);
}

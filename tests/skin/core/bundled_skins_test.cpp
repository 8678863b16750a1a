// The eleven bundled skins load into the model as their descriptions say.
#include <gtest/gtest.h>

#include "skin/core/skin_data.h"
#include "skin/res/quick_ini.h"
#include "tests/support/bundled_skins.h"
#include "tests/support/wintest.h"

using qs::test::BundledSkinBytes;
using qs::test::BundledSkinsDir;
using qs::test::kBundledSkinIds;
using qs::test::ReadFileBytes;

TEST(BundledSkins, EachLoadsWithTheRecordsItsDescriptionStates) {
    for (const char* id : kBundledSkinIds) {
        SCOPED_TRACE(id);
        const std::vector<uint8_t>& skin = BundledSkinBytes(id);
        ASSERT_FALSE(skin.empty());
        const std::vector<uint8_t> text = ReadFileBytes(BundledSkinsDir() + "/" + id + "/" + id + ".ini");
        ASSERT_FALSE(text.empty());
        qs::TQuickIni ini;
        ini.LoadFromMemory(text.data(), text.size());

        TSkinData s(nullptr);
        s.SkinStream().Write(skin.data(), skin.size());
        ASSERT_TRUE(s.LoadSkin());
        const char* P = "Personality";
        EXPECT_EQ(s.Borders.Top->Frame, ini.ReadInteger(P, "TopFrame", 1));
        EXPECT_EQ(s.Borders.Top->LeftWidth, ini.ReadInteger(P, "TopTopHeight", 0));
        EXPECT_EQ(s.Borders.Left->BottomHeight, ini.ReadInteger(P, "LeftBotHeight", 0));
        EXPECT_FALSE(s.Borders.Top->Bitmap.Empty());
        EXPECT_FALSE(s.Buttons->Bitmap.Empty());
        EXPECT_EQ(s.Buttons->Frame, 5);
        EXPECT_EQ(s.Buttons->LeftWidth, ini.ReadInteger("Buttons", "LeftWidth", 0));
        EXPECT_EQ(s.Title->TextAlignment, ini.ReadInteger(P, "TextAlignment", 0));
        const std::string face = ini.ReadString("Colours", "ButtonFace", "");
        if (!face.empty()) {
            EXPECT_EQ(s.Colour(scButtonFace), ParseColour(face));
        }
        std::vector<std::string> sections;
        ini.ReadSections(&sections);
        size_t buttons = 0;
        for (const std::string& name : sections) {
            const std::string upper = UpperCase(name);
            if (upper.rfind("BUTTON", 0) == 0 && upper != "BUTTONS" && upper != "BUTTON.RADIO" &&
                upper != "BUTTON.CHECKBOX" && upper != "BUTTON" &&
                !(ini.ReadInteger(name, "Action", 0) == -1 && ini.ReadInteger(name, "Visibility", -1) != 0))
                ++buttons;
        }
        EXPECT_EQ(s.SysButtons.size(), buttons + 3);
        if (!ini.ReadString("Scrollbar", "Image", "").empty()) {
            ASSERT_TRUE(s.Scrollbar);
            EXPECT_EQ(s.Scrollbar->Frame, 23);
        }
    }
}

TEST(BundledSkins, SwitchingAmongThemLeaksNoGdiObjects) {
    std::vector<std::vector<uint8_t>> skins;
    for (const char* id : kBundledSkinIds)
        skins.push_back(BundledSkinBytes(id));
    TSkinData s(nullptr);
    auto load = [&](const std::vector<uint8_t>& bytes) {
        s.SkinStream().Clear();
        s.SkinStream().Write(bytes.data(), bytes.size());
        return s.LoadSkin();
    };
    for (const auto& b : skins)
        ASSERT_TRUE(load(b));
    const DWORD before = qs::test::GdiObjectCount();
    // Whole rounds, so the same skin is loaded at both counts (skins differ in their images).
    for (int i = 0; i < 220; ++i)
        load(skins[size_t(i) % skins.size()]);
    EXPECT_EQ(qs::test::GdiObjectCount(), before);
}

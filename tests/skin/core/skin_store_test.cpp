// The skin store: item names, copies, and loading an item into the skin component; what a form
// resource may store of the skin component.
#include <gtest/gtest.h>

#include "skin/core/skin_data.h"
#include "skin/core/skin_manager.h"
#include "skin/res/skin_store.h"
#include "tests/skin/core/test_skin.h"
#include "toolkit/resource/form_resource.h"

TEST(SkinStore, ItemsAreNamedAfterTheirIdAndNamesStayUnique) {
    TSkinStore store(nullptr);
    TSkinCollection& c = *store.Store();
    c.Add();
    c.Add();
    c.Delete(0);
    TSkinCollectionItem* third = c.Add();
    EXPECT_EQ(third->Name(), "SkinItem2") << "named after the ID, not the count";
    EXPECT_EQ(third->DisplayName(), "SkinItem2");
    third->SetName("SkinItem2");
    EXPECT_THROW(third->SetName("SkinItem1"), Exception);
    try {
        third->SetName("SkinItem1");
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "The name SkinItem1 is already used.");
    }
    EXPECT_EQ(third->Name(), "SkinItem2");
    third->SetName("skinitem1");
    EXPECT_EQ(third->Name(), "skinitem1") << "names compare with letter case";
    EXPECT_EQ(third->SkinData(), "Load Skin");
}

TEST(SkinStore, AssignCopiesNameAndTheWholeStream) {
    TSkinStore a(nullptr), b(nullptr);
    TSkinCollectionItem* src = a.Store()->Add();
    src->SetName("Blue");
    src->ReadDataStream({1, 2, 3, 4, 5});
    src->DataStream().SetPosition(3);
    b.SetStore(a.Store());
    ASSERT_EQ(b.Store()->Count(), 1);
    TSkinCollectionItem* copy = b.Store()->Items(0);
    EXPECT_EQ(copy->Name(), "Blue");
    EXPECT_EQ(copy->WriteDataStream(), (std::vector<uint8_t>{1, 2, 3, 4, 5}));
    EXPECT_EQ(copy->DataSize(), 5);
    EXPECT_EQ(src->DataStream().Position(), 3) << "the source keeps its position";
    b.SetStore(nullptr);
    EXPECT_EQ(b.Store()->Count(), 1);
}

TEST(SkinStore, LoadFromStoreReplacesTheSkinAndIgnoresIndicesPastTheEnd) {
    qs::test::TestSkin t;
    t.ini = "[Buttons]\r\nBitmap=b.bmp\r\n";
    t.Bmp("b.bmp", 64, 10);
    TSkinStore store(nullptr);
    store.Store()->Add()->ReadDataStream(t.Compressed());
    TSkinData skin(nullptr);
    skin.LoadFromStore(&store, 1);
    EXPECT_TRUE(skin.SkinPending()) << "index equal to the count: nothing happens";
    EXPECT_EQ(skin.SkinStream().Size(), 0);
    skin.LoadFromStore(&store, -1);
    EXPECT_EQ(skin.SkinStream().Size(), 0);
    skin.LoadFromStore(&store, 0);
    EXPECT_FALSE(skin.SkinPending());
    EXPECT_EQ(skin.Buttons->Bitmap.Width(), 64);
    EXPECT_EQ(skin.SkinStream().Size(), store.Store()->Items(0)->DataSize());
}

TEST(SkinData, ShownOnlyPropertiesStoredByAFormAreAcceptedAndNeverWritten) {
    TSkinData skin(nullptr);
    skin.SetName("SkinData1");
    ReadComponentText(&skin,
                      "object SkinData1: TSkinData\n"
                      "  Version = '1.0'\n"
                      "  SkinStore = 'c:\\\\skins\\\\old.skn'\n"
                      "  SkinFormtype = sfDialog\n"
                      "end\n",
                      {});
    EXPECT_EQ(skin.Version(), "5.40.07.15");
    EXPECT_EQ(skin.SkinFormtype(), sfDialog) << "the properties after them are read too";
    const std::string text = WriteComponentText(&skin, nullptr);
    EXPECT_EQ(text.find("Version"), std::string::npos);
    EXPECT_EQ(text.find("SkinStore"), std::string::npos);
    FreeSkinManager();
}

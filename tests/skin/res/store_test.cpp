// The skin store through a form resource: items, names and their DataStream bytes survive a
// write and a read, as the program's main form carries its ten skins.
#include "skin/res/skin_archive_writer.h"
#include "skin/res/skin_reader.h"
#include "skin/res/skin_store.h"
#include "toolkit/resource/form_resource.h"

#include <gtest/gtest.h>

TEST(SkinStoreResource, ItemsAndTheirSkinsRoundTripThroughTheBinaryResource) {
    TSkinStore store(nullptr);
    store.SetName("SkinStore1");
    const std::vector<uint8_t> blue = qs::WriteCompressedSkin({{"blue.ini", {'[', 'x', ']'}}});
    TSkinCollectionItem* a = store.Store()->Add();
    a->SetName("Blue");
    a->ReadDataStream(blue);
    store.Store()->Add(); // SkinItem1 with an empty stream

    const std::vector<uint8_t> resource = WriteComponentResource(&store);
    TSkinStore back(nullptr);
    ReadComponentResource(&back, resource);
    ASSERT_EQ(back.Store()->Count(), 2);
    EXPECT_EQ(back.Store()->Items(0)->Name(), "Blue");
    EXPECT_EQ(back.Store()->Items(0)->DataSize(), int32_t(blue.size()));
    EXPECT_EQ(back.Store()->Items(1)->Name(), "SkinItem1");
    EXPECT_EQ(back.Store()->Items(1)->DataSize(), 0);

    qs::TSkinReader reader;
    ASSERT_TRUE(reader.ReadArchive(back.Store()->Items(0)->WriteDataStream()));
    EXPECT_EQ(reader.Names(), std::vector<std::string>{"blue.ini"});
}

TEST(SkinStoreResource, AStoredItemSummaryIsAcceptedIgnoredAndNeverWritten) {
    TSkinStore store(nullptr);
    store.SetName("SkinStore1");
    ReadComponentText(&store,
                      "object SkinStore1: TSkinStore\n"
                      "  Store = <\n"
                      "    item\n"
                      "      Name = 'Blue'\n"
                      "      SkinData = 'whatever an older writer put here'\n"
                      "    end>\n"
                      "end\n",
                      {});
    ASSERT_EQ(store.Store()->Count(), 1);
    const std::string summary = store.Store()->Items(0)->SkinData();
    EXPECT_NE(summary, "whatever an older writer put here");
    EXPECT_EQ(WriteComponentText(&store, nullptr).find("SkinData"), std::string::npos);
}

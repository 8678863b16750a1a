// Memory streams: short reads at the end, growth on write past the end, copies.
#include <gtest/gtest.h>

#include "toolkit/core/stream.h"

TEST(MemoryStream, ReadsShortAtTheEndAndGrowsOnWrite) {
    TMemoryStream s;
    s.Write("abcdef", 6);
    s.SetPosition(4);
    char buf[8] = {};
    EXPECT_EQ(s.Read(buf, 8), 2u);
    EXPECT_EQ(std::string(buf, 2), "ef");
    EXPECT_EQ(s.Read(buf, 8), 0u);
    s.Seek(-1, TSeekOrigin::soEnd);
    s.Write("XYZ", 3);
    EXPECT_EQ(s.Size(), 8);
    s.SetPosition(100);
    EXPECT_EQ(s.Read(buf, 1), 0u);
    s.Seek(-50, TSeekOrigin::soCurrent);
    EXPECT_EQ(s.Position(), 50);
    s.SetSize(3);
    EXPECT_EQ(s.Position(), 3);
}

TEST(MemoryStream, CopyFromZeroCopiesTheWholeSource) {
    TMemoryStream src(std::vector<uint8_t>{1, 2, 3, 4});
    src.SetPosition(3);
    TMemoryStream dst;
    EXPECT_EQ(dst.CopyFrom(src, 0), 4);
    EXPECT_EQ(dst.Bytes(), (std::vector<uint8_t>{1, 2, 3, 4}));
    src.SetPosition(1);
    TMemoryStream part;
    EXPECT_EQ(part.CopyFrom(src, 10), 3) << "stops at the source's end";
}

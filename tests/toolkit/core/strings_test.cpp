// TStrings as stored texts carry it: lines joined and split at every kind of line ending.
#include <gtest/gtest.h>

#include "toolkit/core/prop_access.h"
#include "toolkit/core/strings.h"

TEST(Strings, TextSplitsAtAnyLineEndingAndJoinsWithCrLf) {
    TStrings list;
    int changes = 0;
    list.OnChange = TNotifyEvent([&](TObject*) { ++changes; });
    list.SetText("one\r\ntwo\nthree\rfour");
    ASSERT_EQ(list.Count(), 4);
    EXPECT_EQ(list.Strings(2), "three");
    EXPECT_EQ(list.Strings(3), "four");
    EXPECT_EQ(list.Text(), "one\r\ntwo\r\nthree\r\nfour\r\n");
    // Empty lines in the middle count; the ending of the last line adds none.
    list.SetText("a\r\n\r\nb\r\n");
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Strings(1), "");
    list.SetText("");
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(changes, 3);
}

TEST(Strings, EditsNotifyAndTextIsAPublishedProperty) {
    TStrings list, other;
    int changes = 0;
    list.OnChange = TNotifyEvent([&](TObject*) { ++changes; });
    list.Add("x");
    list.Add("y");
    list.Delete(5); // out of range: nothing
    list.Delete(0);
    EXPECT_EQ(list.IndexOf("y"), 0);
    EXPECT_EQ(list.IndexOf("x"), -1);
    list.Clear();
    list.Clear(); // already empty: no change
    EXPECT_EQ(changes, 4);

    SetPropFromText(&other, "Text", "p\r\nq");
    list.Assign(&other);
    EXPECT_EQ(GetStrProp(&list, "Text"), "p\r\nq\r\n");
    EXPECT_EQ(changes, 5);
}

// Writing components out and reading them back: identical resources, canonical text, defaults
// left out, nesting kept through the seam.
#include <gtest/gtest.h>

#include "sample_form.h"
#include "toolkit/resource/binary_format.h"

namespace {

TEST(RoundTrip, WrittenResourceReadsBackIdentical) {
    TParentMap parents;
    auto form = ReadSample(&parents);
    std::vector<uint8_t> bytes = WriteComponentResource(form.get(), parents.Nesting());

    TParentMap again;
    TTestForm copy(nullptr);
    ReadComponentResource(&copy, bytes, again.Nesting());
    EXPECT_EQ(WriteComponentResource(&copy, again.Nesting()), bytes);
    EXPECT_EQ(again.parents[Find(&copy, "Button1")], Find(&copy, "Panel1"));
    EXPECT_EQ(WriteComponentText(&copy, nullptr, again.Nesting()), kSampleForm);
}

TEST(RoundTrip, CanonicalTextSurvivesBinaryAndBack) {
    std::vector<uint8_t> bytes = CompileFormText(kSampleForm, {});
    EXPECT_EQ(FormResourceToText(bytes, nullptr), kSampleForm);
    EXPECT_EQ(EncodeFormResource(DecodeFormResource(bytes)), bytes);
}

TEST(RoundTrip, WithoutNestingEverythingIsWrittenAtTheTop) {
    auto form = ReadSample();
    TFormNode tree = WriteComponentTree(form.get());
    ASSERT_EQ(tree.children.size(), 4u);
    for (const TFormNode& c : tree.children)
        EXPECT_TRUE(c.children.empty());
}

TEST(RoundTrip, DefaultsAndEmptyValuesAreNotWritten) {
    TTestForm form(nullptr);
    form.SetName("F");
    auto* w = new TTestWidget(&form);
    w->SetName("W");
    TFormNode tree = WriteComponentTree(&form);
    ASSERT_EQ(tree.children.size(), 1u);
    // Size has no default, so it is always stored; Count is read-only; nothing else differs.
    ASSERT_EQ(tree.children[0].props.size(), 1u);
    EXPECT_EQ(tree.children[0].props[0].name, "Size");

    w->SetColor(clNone + 1);
    w->SetParts(0);
    w->Font()->SetHeight(9);
    w->skin = {1};
    tree = WriteComponentTree(&form);
    std::vector<std::string> names;
    for (const TFormProp& p : tree.children[0].props)
        names.push_back(p.name);
    EXPECT_EQ(names, (std::vector<std::string>{"Size", "Color", "Parts", "Font.Height", "SkinStream"}));
    EXPECT_TRUE(tree.children[0].props[2].value.members.empty()) << "an empty set differs from [wpTop]";
}

TEST(RoundTrip, ReferencesOutsideTheFormAreNotWritten) {
    TTestWidget outsider(nullptr);
    outsider.SetName("Elsewhere");
    TTestForm form(nullptr);
    form.SetBuddy(&outsider);
    for (const TFormProp& p : WriteComponentTree(&form).props)
        EXPECT_NE(p.name, "Buddy");
}

TEST(RoundTrip, NestingLoopsFallBackToTheTop) {
    TTestForm form(nullptr);
    auto* a = new TTestWidget(&form);
    auto* b = new TTestWidget(&form);
    a->SetName("A");
    b->SetName("B");
    TResourceNesting loop;
    loop.parentOf = [&](const TComponent* c) -> TComponent* { return c == a ? b : a; };
    TFormNode tree = WriteComponentTree(&form, loop);
    ASSERT_EQ(tree.children.size(), 2u);
    EXPECT_TRUE(tree.children[0].children.empty() && tree.children[1].children.empty());
}

} // namespace

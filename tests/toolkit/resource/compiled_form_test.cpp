// A form compiled by the build (formc via qs_add_form_resources): in the Windows build it is read
// from the executable's RCDATA "TTESTFORM", natively from the compiled file.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "test_classes.h"
#include "toolkit/resource/form_resource.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

std::vector<uint8_t> CompiledForm() {
#ifdef _WIN32
    HRSRC res = FindResourceA(nullptr, "TTESTFORM", MAKEINTRESOURCEA(10)); // RT_RCDATA
    if (!res) return {};
    HGLOBAL mem = LoadResource(nullptr, res);
    auto* data = static_cast<const uint8_t*>(LockResource(mem));
    return std::vector<uint8_t>(data, data + SizeofResource(nullptr, res));
#else
    std::ifstream in(QS_TEST_FORM_BIN, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
#endif
}

TEST(CompiledForm, CarriesCodePageTextAndTheReferencedFile) {
    std::vector<uint8_t> bytes = CompiledForm();
    ASSERT_FALSE(bytes.empty());
    TTestForm form(nullptr);
    ReadComponentResource(&form, bytes);
    EXPECT_EQ(form.Name(), "Form1");
    EXPECT_EQ(form.Caption(), "\xCB\xB5\xC3\xF7") << "说明 in code page 936";
    EXPECT_EQ(form.Title(), L"\x5173\x4E8E") << "关于 as UTF-16";
    ASSERT_EQ(form.Items()->Count(), 1);
    auto* item = static_cast<TTestItem*>(form.Items()->Item(0));
    EXPECT_EQ(std::string(item->data.begin(), item->data.end()), "QSTEST-PAYLOAD");
    auto* child = dynamic_cast<TTestWidget*>(form.FindComponent("Child1"));
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(child->Size(), 2);
    EXPECT_EQ(child->Owner(), &form);
}

} // namespace

// The button and choice controls in a form resource: values read from the text, properties by
// name, and a written text that reads back to the same controls.
#include <gtest/gtest.h>

#include "tests/toolkit/controls/test_forms.h"
#include "toolkit/core/prop_access.h"
#include "toolkit/resource/form_resource.h"

namespace {

TResourceNesting FormNesting(TCustomForm* form) {
    TResourceNesting nesting;
    nesting.adopt = [form](TComponent* child, TComponent* parent) { form->SetChildParent(child, parent); };
    nesting.parentOf = [](const TComponent* child) -> TComponent* {
        auto* c = dynamic_cast<const TControl*>(child);
        return c ? c->Parent() : nullptr;
    };
    return nesting;
}

class ControlsForm : public ::testing::Test {
  protected:
    void SetUp() override { form = NewForm<TTestControlsForm>(nullptr); }
    void TearDown() override { delete form; }
    TTestControlsForm* form = nullptr;
};

// What the resource says, checked on a form however it was read.
void ExpectStoredValues(TTestControlsForm* f) {
    auto* check = f->Find<TCheckBox>("Check1");
    ASSERT_NE(check, nullptr);
    EXPECT_EQ(check->State(), cbGrayed);
    EXPECT_TRUE(check->AllowGrayed());
    EXPECT_EQ(check->Alignment(), taLeftJustify);
    EXPECT_TRUE(f->Find<TRadioButton>("Radio1")->Checked());
    EXPECT_FALSE(f->Find<TRadioButton>("Radio2")->Checked());
    auto* inside = f->Find<TCheckBox>("GroupCheck");
    EXPECT_EQ(inside->Parent(), f->Find<TGroupBox>("Group1"));
    EXPECT_TRUE(inside->Checked());

    auto* group = f->Find<TRadioGroup>("RadioGroup1");
    ASSERT_EQ(group->Buttons().size(), 4u);
    EXPECT_EQ(group->Items()->Strings(3), "Black");
    EXPECT_EQ(group->ItemIndex(), 2);
    EXPECT_TRUE(group->Buttons()[2]->Checked());
    EXPECT_EQ(group->Columns(), 2);

    auto* bit = f->Find<TBitBtn>("BitBtn1");
    EXPECT_EQ(bit->Kind(), bkCancel);
    EXPECT_EQ(bit->Caption(), "Cancel");
    EXPECT_EQ(bit->ModalResult(), mrCancel);
    EXPECT_EQ(bit->Layout(), blGlyphTop);
    EXPECT_EQ(bit->NumGlyphs(), 2);
    EXPECT_EQ(bit->Spacing(), 2);
    EXPECT_EQ(bit->Margin(), 3);

    auto* speed = f->Find<TSpeedButton>("Speed1");
    EXPECT_TRUE(speed->Down());
    EXPECT_TRUE(speed->Flat());
    EXPECT_EQ(speed->GroupIndex(), 3);
    EXPECT_EQ(speed->NumGlyphs(), 4);
    EXPECT_EQ(speed->Layout(), blGlyphRight);
    EXPECT_TRUE(f->Find<TSpeedButton>("Speed2")->AllowAllUp());
    EXPECT_FALSE(f->Find<TSpeedButton>("Speed2")->Down());
}

TEST_F(ControlsForm, ReadsEveryControlFromItsResource) {
    ExpectStoredValues(form);
    // Read without firing clicks, and the windows carry the stored marks.
    EXPECT_EQ(SendMessageA(form->Find<TCheckBox>("Check1")->Handle(), BM_GETCHECK, 0, 0), BST_INDETERMINATE);
    EXPECT_EQ(SendMessageA(form->Find<TRadioButton>("Radio1")->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(ControlsForm, PropertiesAreReadableByName) {
    TObject* bit = form->FindComponent("BitBtn1");
    EXPECT_EQ(GetEnumPropName(bit, "Layout"), "blGlyphTop");
    EXPECT_EQ(GetEnumPropName(bit, "Kind"), "bkCancel");
    EXPECT_EQ(GetIntProp(bit, "NumGlyphs"), 2);
    EXPECT_EQ(GetIntProp(bit, "ImageIndex"), -1);
    EXPECT_EQ(GetIntProp(bit, "DisabledIndex"), -1);
    EXPECT_EQ(GetObjectProp(bit, "Glyph"), static_cast<TBitBtn*>(bit)->Glyph());
    EXPECT_EQ(GetObjectProp(bit, "Images"), nullptr);

    TObject* speed = form->FindComponent("Speed1");
    EXPECT_EQ(GetEnumPropName(speed, "Down"), "True");
    EXPECT_EQ(GetIntProp(speed, "GroupIndex"), 3);
    EXPECT_EQ(GetEnumPropName(speed, "Layout"), "blGlyphRight");
    EXPECT_NE(GetObjectProp(speed, "Glyph"), nullptr);
    EXPECT_EQ(GetIntProp(speed, "Spacing"), 4);
    EXPECT_EQ(GetIntProp(speed, "Margin"), -1);

    TObject* check = form->FindComponent("Check1");
    EXPECT_EQ(GetEnumPropName(check, "State"), "cbGrayed");
    EXPECT_EQ(GetEnumPropName(check, "Alignment"), "taLeftJustify");
    EXPECT_EQ(GetEnumPropName(check, "Checked"), "False");
    EXPECT_EQ(GetEnumPropName(form->FindComponent("Radio1"), "Checked"), "True");

    TObject* group = form->FindComponent("RadioGroup1");
    EXPECT_EQ(GetIntProp(group, "ItemIndex"), 2);
    EXPECT_EQ(GetIntProp(group, "Columns"), 2);
    EXPECT_EQ(GetStrProp(GetObjectProp(group, "Items"), "Text"), "Red\r\nGreen\r\nBlue\r\nBlack\r\n");
    SetPropFromText(form->FindComponent("Speed2"), "Down", "True");
    EXPECT_FALSE(form->Find<TSpeedButton>("Speed1")->Down());
}

TEST_F(ControlsForm, WrittenTextReadsBackToTheSameControls) {
    const std::string text = WriteComponentText(form, nullptr, FormNesting(form));
    // The radio group's own buttons are not the form's components.
    EXPECT_EQ(text.find("TRadioButton", text.find("RadioGroup1")), std::string::npos);

    auto* copy = new TTestControlsForm(nullptr);
    ReadComponentText(copy, text, {}, FormNesting(copy));
    ExpectStoredValues(copy);
    EXPECT_EQ(WriteComponentText(copy, nullptr, FormNesting(copy)), text);
    delete copy;
}

} // namespace

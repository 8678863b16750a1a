// A form read from its compiled resource: its tree, property values, window classes, events,
// references, and when Loaded and OnCreate run.
#include <gtest/gtest.h>

#include "tests/support/wintest.h"
#include "tests/toolkit/controls/test_forms.h"
#include "toolkit/controls/window_class.h"
#include "toolkit/core/prop_access.h"

namespace {

class FormResource : public ::testing::Test {
  protected:
    void SetUp() override {
        TLoadProbe::StaticClass();
        LoadLog().clear();
        form = NewForm<TTestForm1>(nullptr);
    }
    void TearDown() override { delete form; }
    TTestForm1* form = nullptr;
};

TEST_F(FormResource, BuildsTheTreeWithParentsAndOwner) {
    ASSERT_NE(form->Panel1, nullptr);
    ASSERT_NE(form->Label1, nullptr);
    EXPECT_EQ(form->Panel1->Parent(), form);
    EXPECT_EQ(form->Label1->Parent(), form->Panel1);
    EXPECT_EQ(form->Button1->Parent(), form);
    EXPECT_EQ(form->Label1->Owner(), form);
    EXPECT_EQ(form->Panel1->ControlCount(), 1);
    EXPECT_EQ(form->ControlCount(), 4); // panel, button, image, shape
    // Menu items sit in their menu, not on the form.
    ASSERT_NE(form->PopupMenu1, nullptr);
    ASSERT_EQ(form->PopupMenu1->Items()->Count(), 3);
    EXPECT_EQ(form->PopupMenu1->Items()->Item(0), form->Option1);
    EXPECT_TRUE(form->PopupMenu1->Items()->Item(1)->IsLine());
    EXPECT_TRUE(form->PopupMenu1->Items()->Item(2)->Checked());
    EXPECT_EQ(form->PopupMenu1->AutoHotkeys(), maManual);
}

TEST_F(FormResource, SetsPropertyValuesOfEveryKind) {
    EXPECT_EQ(form->Caption(), "Resource form");
    EXPECT_EQ(form->BorderStyle(), bsToolWindow);
    EXPECT_EQ(form->BorderIcons(), BorderIconBit(biSystemMenu) | BorderIconBit(biMinimize));
    EXPECT_EQ(form->ClientWidth(), 336);
    EXPECT_EQ(form->ClientHeight(), 224);
    EXPECT_EQ(form->Color(), clGray);
    EXPECT_EQ(form->Position(), poScreenCenter);
    EXPECT_EQ(form->PopupMenu(), form->PopupMenu1); // a reference resolved by name
    EXPECT_EQ(form->Panel1->BevelInner(), bvRaised);
    EXPECT_EQ(form->Panel1->BevelOuter(), bvLowered);
    EXPECT_EQ(form->Panel1->Tag(), 7);
    EXPECT_FALSE(form->Label1->AutoSize());
    EXPECT_TRUE(form->Label1->WordWrap());
    EXPECT_TRUE(form->Label1->Transparent());
    EXPECT_EQ(form->Label1->Caption(), "\xcb\xb5\xc3\xf7 text"); // code page 936 bytes
    EXPECT_EQ(form->Label1->Width(), 278);
    EXPECT_EQ(form->Label1->Font()->Height(), -12);
    EXPECT_EQ(form->Label1->Font()->Charset(), 134);
    EXPECT_FALSE(form->Label1->ParentFont());
    EXPECT_TRUE(form->Panel1->ParentFont());
    EXPECT_EQ(form->Button1->Caption(), "OK(&S)");
    EXPECT_EQ(form->Image1->Cursor(), crHandPoint);
    EXPECT_EQ(form->Shape1->Pen()->Color(), clMaroon);
    EXPECT_EQ(form->Timer1->Interval(), 300);
    EXPECT_FALSE(form->Timer1->Enabled());
    EXPECT_FALSE(form->Timer1->Running());
}

TEST_F(FormResource, LoadedRunsOncePerComponentAfterAllProperties) {
    // Root first, then the probes in creation order, each seeing both of its properties.
    ASSERT_EQ(LoadLog().size(), 3u);
    EXPECT_EQ(LoadLog()[0].name, "TestForm1");
    EXPECT_EQ(LoadLog()[1].name, "Probe2");
    EXPECT_EQ(LoadLog()[1].value, 2);
    EXPECT_EQ(LoadLog()[1].other, 3);
    EXPECT_EQ(LoadLog()[2].name, "Probe1");
    EXPECT_EQ(LoadLog()[2].value, 5);
    EXPECT_EQ(LoadLog()[2].other, 7);
    for (TComponent* c : form->Components())
        EXPECT_FALSE(c->IsLoading()) << c->Name();
}

TEST_F(FormResource, WindowsAreNamedAfterTheirClassesAndSuperclassTheSystemOnes) {
    EXPECT_TRUE(form->HandleAllocated());
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
    EXPECT_EQ(qs::test::WindowClassName(form->Handle()), "TTestForm1");
    EXPECT_EQ(qs::test::WindowClassName(form->Panel1->Handle()), "TPanel");
    EXPECT_EQ(qs::test::WindowClassName(form->Button1->Handle()), "TButton");
    EXPECT_EQ(GetParent(form->Panel1->Handle()), form->Handle());
    // A TButton is a BUTTON underneath: it answers the button messages.
    SendMessageA(form->Button1->Handle(), BM_SETSTATE, TRUE, 0);
    EXPECT_TRUE(SendMessageA(form->Button1->Handle(), BM_GETSTATE, 0, 0) & BST_PUSHED);
    WNDCLASSEXA system{}, ours{};
    system.cbSize = ours.cbSize = sizeof system;
    ASSERT_TRUE(GetClassInfoExA(nullptr, "BUTTON", &system));
    ASSERT_TRUE(GetClassInfoExA(ToolkitInstance(), "TButton", &ours));
    EXPECT_EQ(ours.cbWndExtra, system.cbWndExtra);
    char text[64] = {};
    GetWindowTextA(form->Button1->Handle(), text, sizeof text);
    EXPECT_STREQ(text, "OK(&S)");
    // Window styles follow the border settings.
    LONG style = GetWindowLongA(form->Handle(), GWL_STYLE);
    EXPECT_TRUE(GetWindowLongA(form->Handle(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & WS_THICKFRAME);
}

TEST_F(FormResource, OnCreateRunsAfterReadingWithTheHandleInPlace) {
    EXPECT_TRUE(form->createSawChildren);
    EXPECT_TRUE(form->createSawHandle);
    // Events bound to the form's published methods fire through the normal message path.
    SendMessageA(form->Button1->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(form->clicks, 1);
    EXPECT_EQ(form->Button1->OnClick.methodName, "Button1Click");
}

TEST_F(FormResource, OnDestroyRunsWhileTheWindowStillExists) {
    int before = TTestForm1::destroyed;
    HWND hwnd = form->Handle();
    delete form;
    form = nullptr;
    EXPECT_EQ(TTestForm1::destroyed, before + 1);
    EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(FormResource, ScreenListsFormsInCreationOrder) {
    auto* second = NewForm<TPlainForm>(nullptr);
    const auto& forms = Screen->Forms();
    ASSERT_GE(forms.size(), 2u);
    EXPECT_EQ(forms[forms.size() - 2], form);
    EXPECT_EQ(forms.back(), second);
    delete second;
    EXPECT_EQ(Screen->Forms().back(), form);
    EXPECT_EQ(Screen->Width(), GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(Screen->Height(), GetSystemMetrics(SM_CYSCREEN));
}

} // namespace

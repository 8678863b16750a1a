// The message path: a swapped WindowProc, the window property that leads back to the control,
// the notices, reflected notifications and properties by name on classes the caller does not know.
#include <gtest/gtest.h>

#include <cstdio>

#include "tests/support/wintest.h"
#include "tests/toolkit/controls/test_forms.h"
#include "toolkit/controls/window_class.h"
#include "toolkit/core/prop_access.h"

namespace {

class MessagePath : public ::testing::Test {
  protected:
    void SetUp() override {
        form = NewForm<TPlainForm>(nullptr);
        form->SetBounds(100, 100, 300, 200);
        panel = new TPanel(form);
        panel->SetParent(form);
        panel->SetBounds(10, 10, 200, 120);
        label = new TLabel(form);
        label->SetParent(panel);
        label->SetAutoSize(false);
        label->SetBounds(20, 20, 60, 20);
        button = new TButton(form);
        button->SetParent(form);
        button->SetBounds(220, 10, 70, 25);
    }
    void TearDown() override { delete form; }
    TPlainForm* form = nullptr;
    TPanel* panel = nullptr;
    TLabel* label = nullptr;
    TButton* button = nullptr;
};

TEST_F(MessagePath, SwappedWindowProcSeesMessagesFirstAndCanPassOrSwallow) {
    std::vector<std::string> order;
    TWndMethod saved = button->WindowProc();
    button->SetWindowProc([&](TMessage& m) {
        if (m.Msg == WM_SETTEXT) order.push_back("hook");
        if (m.Msg == WM_GETTEXTLENGTH) {
            m.Result = 99; // swallowed: the button's own handler never sees it
            return;
        }
        saved(m);
        if (m.Msg == WM_SETTEXT) order.push_back("after");
    });
    SetWindowTextA(button->Handle(), "Hooked");
    EXPECT_EQ(button->Caption(), "Hooked"); // the own handler ran, between the two
    EXPECT_EQ((std::vector<std::string>{"hook", "after"}), order);
    EXPECT_EQ(GetWindowTextLengthA(button->Handle()), 99);
    button->SetWindowProc(saved);
    EXPECT_EQ(GetWindowTextLengthA(button->Handle()), 6);
}

TEST_F(MessagePath, PerformGoesThroughWindowProcToo) {
    MessageSpy spy(label);
    label->Perform(WM_USER + 5, 1, 2);
    ASSERT_EQ(spy.Count(WM_USER + 5), 1);
    // A windowless control's messages come from its parent, through its WindowProc.
    SendMessageA(panel->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 25));
    SendMessageA(panel->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(30, 25));
    EXPECT_EQ(spy.Count(WM_LBUTTONDOWN), 1);
    EXPECT_EQ(spy.Count(WM_LBUTTONUP), 1);
    for (const TMessage& m : spy.seen)
        if (m.Msg == WM_LBUTTONDOWN) {
            EXPECT_EQ(m.LParam, MAKELPARAM(10, 5)); // in the label's coordinates
        }
}

TEST_F(MessagePath, WindowPropertyLeadsBackToTheControl) {
    const std::string name = ControlPropName();
    char thread[16];
    std::snprintf(thread, sizeof thread, "%.8lX", static_cast<unsigned long>(GetCurrentThreadId()));
    ASSERT_EQ(name.rfind("ControlOfs", 0), 0u);
    ASSERT_GE(name.size(), 10u + 8 + 8);
    EXPECT_EQ(name.substr(name.size() - 8), thread);
    // The instance part is the whole module address, also where it needs more than 8 digits (64-bit).
    const std::string instance = name.substr(10, name.size() - 18);
    EXPECT_EQ(std::stoull(instance, nullptr, 16), reinterpret_cast<uintptr_t>(GetModuleHandleA(nullptr)));
    ATOM atom = GlobalFindAtomA(name.c_str());
    ASSERT_NE(atom, 0);
    EXPECT_EQ(GetPropA(button->Handle(), MAKEINTATOM(atom)),
              static_cast<HANDLE>(static_cast<TWinControl*>(button)));
    EXPECT_EQ(GetPropA(form->Handle(), name.c_str()), static_cast<HANDLE>(static_cast<TWinControl*>(form)));
    EXPECT_EQ(FindControl(panel->Handle()), panel);
    EXPECT_EQ(FindControl(nullptr), nullptr);
    EXPECT_EQ(FindControl(GetDesktopWindow()), nullptr);
    // The property goes with the window.
    HWND old = panel->Handle();
    panel->DestroyHandle();
    EXPECT_FALSE(IsWindow(old));
    EXPECT_FALSE(panel->HandleAllocated());
    EXPECT_NE(panel->Handle(), nullptr); // made again on demand
    EXPECT_EQ(FindControl(panel->Handle()), panel);
}

TEST_F(MessagePath, VisibleAndEnabledNoticesCarryTheNewState) {
    MessageSpy spy(button);
    button->SetVisible(false);
    button->SetVisible(false); // no change, no notice
    ASSERT_EQ(spy.Count(TKN_VISIBLECHANGED), 1);
    EXPECT_EQ(spy.seen.front().WParam, 0u);
    EXPECT_FALSE(IsWindowVisible(button->Handle()));
    button->SetVisible(true);
    EXPECT_EQ(spy.Count(TKN_VISIBLECHANGED), 2);
    EXPECT_EQ(spy.seen.back().WParam, 1u);

    spy.seen.clear();
    button->SetEnabled(false);
    EXPECT_EQ(spy.Count(TKN_ENABLEDCHANGED), 1);
    EXPECT_FALSE(IsWindowEnabled(button->Handle()));
    button->SetEnabled(true);
    EXPECT_EQ(spy.Count(TKN_ENABLEDCHANGED), 2);
    EXPECT_TRUE(IsWindowEnabled(button->Handle()));

    MessageSpy labelSpy(label);
    label->SetEnabled(false);
    label->SetColor(clRed);
    label->SetCaption("x");
    EXPECT_EQ(labelSpy.Count(TKN_ENABLEDCHANGED), 1);
    EXPECT_EQ(labelSpy.Count(TKN_COLORCHANGED), 1);
    EXPECT_EQ(labelSpy.Count(TKN_TEXTCHANGED), 1);
}

TEST_F(MessagePath, NoticeSwallowedByAHookLeavesTheStateUnapplied) {
    MessageSpy spy(button);
    spy.swallow.push_back(TKN_ENABLEDCHANGED);
    button->SetEnabled(false);
    EXPECT_TRUE(IsWindowEnabled(button->Handle())); // the own handler applies it
}

TEST_F(MessagePath, MouseEnterAndLeaveFollowThePointerAcrossWindowlessChildren) {
    MessageSpy labelSpy(label), panelSpy(panel);
    int enters = 0, leaves = 0;
    label->OnMouseEnter = TNotifyEvent([&](TObject*) { ++enters; });
    label->OnMouseLeave = TNotifyEvent([&](TObject*) { ++leaves; });
    HWND p = panel->Handle();
    SendMessageA(p, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5)); // over the panel only
    EXPECT_EQ(panelSpy.Count(TKN_MOUSEENTER), 1);
    SendMessageA(p, WM_MOUSEMOVE, 0, MAKELPARAM(30, 25)); // onto the label
    EXPECT_EQ(panelSpy.Count(TKN_MOUSELEAVE), 1);
    EXPECT_EQ(labelSpy.Count(TKN_MOUSEENTER), 1);
    SendMessageA(p, WM_MOUSEMOVE, 0, MAKELPARAM(31, 25)); // still on it: nothing new
    EXPECT_EQ(labelSpy.Count(TKN_MOUSEENTER), 1);
    SendMessageA(p, WM_MOUSELEAVE, 0, 0); // the pointer left the panel's window
    EXPECT_EQ(labelSpy.Count(TKN_MOUSELEAVE), 1);
    EXPECT_EQ(enters, 1);
    EXPECT_EQ(leaves, 1);
}

TEST_F(MessagePath, RealPointerMovesSendEnterAndLeave) {
    form->Show();
    qs::test::PumpFor(100);
    MessageSpy spy(button);
    auto lastNotice = [&] {
        for (auto it = spy.seen.rbegin(); it != spy.seen.rend(); ++it)
            if (it->Msg == TKN_MOUSEENTER || it->Msg == TKN_MOUSELEAVE) return it->Msg;
        return UINT(0);
    };
    POINT inside = button->ClientToScreen({10, 10});
    POINT outside = form->ClientToScreen({150, 170});
    qs::test::MouseMoveTo(outside.x, outside.y);
    qs::test::PumpFor(100);
    qs::test::MouseMoveTo(inside.x, inside.y);
    qs::test::PumpUntil([&] { return lastNotice() == TKN_MOUSEENTER; });
    EXPECT_EQ(lastNotice(), UINT(TKN_MOUSEENTER));
    qs::test::MouseMoveTo(outside.x, outside.y);
    qs::test::PumpUntil([&] { return lastNotice() == TKN_MOUSELEAVE; });
    EXPECT_EQ(lastNotice(), UINT(TKN_MOUSELEAVE));
    // Wine may deliver a stale move to the form in between, giving an extra leave-enter pair;
    // the notices still pair up.
    EXPECT_GE(spy.Count(TKN_MOUSEENTER), 1);
    EXPECT_EQ(spy.Count(TKN_MOUSEENTER), spy.Count(TKN_MOUSELEAVE));
}

TEST_F(MessagePath, ParentsReflectNotificationsToTheirChildren) {
    MessageSpy spy(button);
    int clicks = 0;
    button->OnClick = TNotifyEvent([&](TObject*) { ++clicks; });
    SendMessageA(button->Handle(), BM_CLICK, 0, 0);
    ASSERT_EQ(spy.Count(CN_COMMAND), 1);
    for (const TMessage& m : spy.seen)
        if (m.Msg == CN_COMMAND) {
            EXPECT_EQ(HIWORD(m.WParam), BN_CLICKED);
        }
    EXPECT_EQ(clicks, 1);

    win::WindowDC dc = win::WindowDC::Client(button->Handle());
    button->SetColor(clYellow);
    LRESULT brush = SendMessageA(form->Handle(), WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc.Get()),
                                 reinterpret_cast<LPARAM>(button->Handle()));
    EXPECT_EQ(spy.Count(CN_CTLCOLORBTN), 1);
    LOGBRUSH lb{};
    ASSERT_TRUE(GetObjectA(reinterpret_cast<HGDIOBJ>(brush), sizeof lb, &lb));
    EXPECT_EQ(lb.lbColor, COLORREF(clYellow));
    // A child without a control object is left to the default handling.
    HWND raw =
        CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 5, 5, form->Handle(), nullptr, nullptr, nullptr);
    EXPECT_EQ(FindControl(raw), nullptr);
    SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(0, STN_CLICKED), reinterpret_cast<LPARAM>(raw));
    DestroyWindow(raw);
}

TEST_F(MessagePath, PropertiesByNameOnAClassTheCallerDoesNotKnow) {
    RegisterControlClasses();
    const TClassInfo* info = FindClassInfo("TPanel");
    ASSERT_NE(info, nullptr);
    ASSERT_TRUE(info->create);
    TObject* obj = info->create(form);
    ASSERT_TRUE(obj->InheritsFrom("TCustomPanel"));
    ASSERT_TRUE(obj->InheritsFrom("TWinControl"));
    SetPropFromText(obj, "Caption", "Named");
    SetPropFromText(obj, "Color", "clRed");
    SetPropFromText(obj, "BevelOuter", "bvLowered");
    SetPropFromText(obj, "Tag", "5555");
    SetPropFromText(obj, "Visible", "False");
    SetPropFromText(obj, "Width", "$40");
    EXPECT_EQ(GetWideStrProp(obj, "Caption"), L"Named");
    EXPECT_EQ(GetIntProp(obj, "Color"), clRed);
    EXPECT_EQ(GetEnumPropName(obj, "BevelOuter"), "bvLowered");
    EXPECT_EQ(GetEnumPropName(obj, "BorderStyle"), "bsNone");
    EXPECT_EQ(GetIntProp(obj, "Tag"), 5555);
    EXPECT_EQ(GetEnumPropName(obj, "Visible"), "False");
    EXPECT_EQ(GetIntProp(obj, "Width"), 64);
    EXPECT_EQ(GetIntProp(obj, "NoSuchProperty"), -1);
    TObject* font = GetObjectProp(obj, "Font");
    ASSERT_NE(font, nullptr);
    TObject* target = obj;
    const TPropInfo* name = FindPropPath(target, "Font.Name");
    ASSERT_NE(name, nullptr);
    name->setStr(target, "Arial");
    EXPECT_EQ(static_cast<TControl*>(obj)->Font()->Name(), "Arial");
    // Setting through properties reaches the window like the setters do.
    auto* panel2 = static_cast<TWinControl*>(obj);
    panel2->SetParent(form);
    char text[32] = {};
    GetWindowTextA(panel2->Handle(), text, sizeof text);
    EXPECT_STREQ(text, "Named");

    // An object reference and the form's own properties, by name.
    auto* menu = new TPopupMenu(form);
    EXPECT_TRUE(SetObjectProp(label, "PopupMenu", menu));
    EXPECT_EQ(GetObjectProp(label, "PopupMenu"), menu);
    SetPropFromText(label, "Transparent", "True");
    EXPECT_TRUE(label->Transparent());
    SetPropFromText(form, "BorderStyle", "bsDialog");
    EXPECT_TRUE(GetWindowLongA(form->Handle(), GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
    SetPropFromText(form, "Cursor", "crHandPoint");
    EXPECT_EQ(form->Cursor(), crHandPoint);
    delete menu;
    EXPECT_EQ(label->PopupMenu(), nullptr); // references are cleared when the target goes
}

} // namespace

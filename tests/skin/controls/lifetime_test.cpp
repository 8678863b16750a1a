// What a program does inside its own handlers, with skinners on the stack: a modeless dialog
// destroyed from its own button, a speed button freed by its OnClick, an OnClick that throws, a
// tool bar moved to another parent, a child subclassed on top of its skinner. The tests run
// under the poisoning allocator, so a skinner used after it was freed crashes at once.
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <vector>

#include "skin/core/message_depth.h"
#include "skin/core/skin_control.h"
#include "skin/core/skin_manager.h"
#include "tests/skin/controls/control_fixture.h"
#include "tests/support/running_program.h"
#include "tests/support/wintest.h"
#include "toolkit/controls/application.h"
#include "toolkit/controls/ext_ctrls.h"
#include "toolkit/controls/form.h"
#include "toolkit/controls/speed_button.h"
#include "toolkit/controls/std_ctrls.h"
#include "toolkit/controls/tool_bar.h"
#include "toolkit/subclass.h"

using namespace qs::test;

namespace {

// An in-memory dialog template: an edit, "OK" and "Cancel", as a find dialog has them.
std::vector<WORD> findTemplate() {
    std::vector<WORD> t;
    auto align = [&] {
        if (t.size() % 2) t.push_back(0);
    };
    auto dword = [&](DWORD v) {
        t.push_back(LOWORD(v));
        t.push_back(HIWORD(v));
    };
    auto text = [&](const wchar_t* s) {
        do
            t.push_back(WORD(*s));
        while (*s++);
    };
    dword(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_SETFONT | DS_MODALFRAME);
    dword(0);
    t.push_back(3);
    for (WORD v : {40, 40, 180, 60})
        t.push_back(v);
    t.push_back(0); // no menu
    t.push_back(0); // the dialog class
    text(L"Find");
    t.push_back(8);
    text(L"MS Shell Dlg");
    struct Item {
        DWORD style;
        short x, y, cx, cy;
        WORD id;
        WORD cls;
        const wchar_t* text;
    };
    const Item items[] = {
        {WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 6, 6, 168, 12, 100, 0x0081, L""},
        {WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 40, 30, 50, 16, IDOK, 0x0080, L"OK"},
        {WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 100, 30, 50, 16, IDCANCEL, 0x0080, L"Cancel"},
    };
    for (const Item& item : items) {
        if (t.size() % 2) t.push_back(0);
        while ((t.size() * 2) % 4)
            t.push_back(0);
        dword(item.style);
        dword(0);
        for (short v : {item.x, item.y, item.cx, item.cy})
            t.push_back(WORD(v));
        t.push_back(item.id);
        t.push_back(0xFFFF);
        t.push_back(item.cls);
        text(item.text);
        t.push_back(0);
    }
    align();
    return t;
}

INT_PTR CALLBACK findProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM) {
    if (msg == WM_INITDIALOG) return TRUE;
    if (msg == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        DestroyWindow(dialog);
        return TRUE;
    }
    return FALSE;
}

HWND openFind() {
    std::vector<WORD> t = findTemplate();
    return CreateDialogIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(t.data()),
                                      nullptr, findProc, 0);
}

POINT centreOf(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// A skinned find dialog, closed from its skinned OK button, by a real click or by Space (the
// native button then sends its click while the skinner is inside WM_KEYUP).
void closeFindFromItsOwnButton(TSkinData& skin, bool byKey) {
    HWND dialog = openFind();
    ASSERT_TRUE(dialog);
    SetForegroundWindow(dialog);
    auto skinned = std::make_unique<SkinnedWindow>(skin, dialog);
    HWND ok = GetDlgItem(dialog, IDOK);
    ASSERT_EQ(SendMessageA(ok, SKM_ISSKINNED, 0, 0), 1);
    if (byKey) {
        SetFocus(ok);
        KeyPress(VK_SPACE);
    } else {
        const POINT p = centreOf(ok);
        MouseClickAt(p.x, p.y);
    }
    ASSERT_TRUE(PumpUntil([&] { return !IsWindow(dialog); })) << "the dialog closes";
    EXPECT_TRUE(skinned->Skinner->ChildSkinners.empty());
    skinned.reset();
}

class Lifetime : public SkinnedFormTest {};

// A procedure someone else puts on top of a skinned window.
WNDPROC foreignBelow = nullptr;
LRESULT CALLBACK foreignOnTop(HWND h, UINT m, WPARAM w, LPARAM l) {
    return CallWindowProcA(foreignBelow, h, m, w, l);
}

} // namespace

TEST(LifetimeDialog, AModelessDialogClosedFromItsOwnSkinnedButtonFiftyTimes) {
    auto skin = LoadControlSkin();
    // GDI objects the first dialog creates for good (fonts, the class's brushes) are not leaks.
    closeFindFromItsOwnButton(*skin, true);
    const DWORD gdi = GdiObjectCount();
    for (int i = 0; i < 50; ++i) {
        SCOPED_TRACE(i);
        closeFindFromItsOwnButton(*skin, i % 2 == 0);
        if (HasFatalFailure()) return;
    }
    EXPECT_LE(GdiObjectCount(), gdi + 2);
}

// Run by the next test in a process of its own, with the deferred free switched off.
TEST(LifetimeDialog, DISABLED_ClosedByKeyWithoutTheDeferredFree) {
    TMessageDepth::Enabled() = false;
    auto skin = LoadControlSkin();
    for (int i = 0; i < 5; ++i)
        closeFindFromItsOwnButton(*skin, true);
}

TEST(LifetimeDialog, WithoutTheDeferredFreeTheDetectorCrashesTheProgram) {
    RunningProgram child("skin_controls_test.exe",
                         L"--gtest_also_run_disabled_tests "
                         L"--gtest_filter=LifetimeDialog.DISABLED_ClosedByKeyWithoutTheDeferredFree");
    DWORD code = 0;
    ASSERT_TRUE(child.WaitForExit(60000, &code));
    // 0 would be a pass, 1 a test failure: a freed skinner's call ends the process instead.
    EXPECT_NE(code, 0u);
    EXPECT_NE(code, 1u);
}

TEST_F(Lifetime, ASpeedButtonFreedByItsOwnOnClick) {
    MakeForm();
    auto* doomed = new TSpeedButton(form.get());
    doomed->SetParent(form.get());
    doomed->SetBounds(20, 20, 80, 30);
    doomed->SetCaption("Free me");
    bool clicked = false;
    doomed->OnClick = TNotifyEvent([&](TObject* sender) {
        clicked = true;
        delete sender;
    });
    auto* other = new TButton(form.get());
    other->SetParent(form.get());
    other->SetBounds(20, 80, 80, 30);
    int otherClicks = 0;
    other->OnClick = TNotifyEvent([&](TObject*) { ++otherClicks; });
    Skin();
    ASSERT_TRUE(ChildSkinner(doomed));
    const size_t skinners = skinned->Skinner->ChildSkinners.size();
    POINT p{60, 35};
    ClientToScreen(form->Handle(), &p);
    MouseClickAt(p.x, p.y);
    ASSERT_TRUE(PumpUntil([&] { return clicked; }));
    EXPECT_EQ(skinned->Skinner->ChildSkinners.size(), skinners - 1) << "its skinner went with it";
    POINT q{60, 95};
    ClientToScreen(form->Handle(), &q);
    MouseClickAt(q.x, q.y);
    EXPECT_TRUE(PumpUntil([&] { return otherClicks == 1; })) << "the form goes on working";
}

TEST_F(Lifetime, AnOnClickThatThrowsRunsOnceAndIsReportedOnce) {
    MakeForm();
    auto* button = new TButton(form.get());
    button->SetParent(form.get());
    button->SetBounds(20, 20, 100, 30);
    int calls = 0;
    bool fail = true;
    button->OnClick = TNotifyEvent([&](TObject*) {
        ++calls;
        if (fail) throw std::runtime_error("the program's own failure");
    });
    int reports = 0;
    Application->OnException = TExceptionEvent([&](TObject*, const std::exception_ptr&) { ++reports; });
    Skin();
    ASSERT_TRUE(ChildSkinner(button));
    POINT p{70, 35};
    ClientToScreen(form->Handle(), &p);
    MouseClickAt(p.x, p.y);
    PumpUntil([&] { return calls > 0; });
    PumpFor(100);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(reports, 1);
    fail = false;
    MouseClickAt(p.x, p.y);
    EXPECT_TRUE(PumpUntil([&] { return calls == 2; })) << "the button still clicks";
    EXPECT_EQ(reports, 1);
    Application->OnException = {};
}

TEST_F(Lifetime, AMouseDownThatThrowsLeavesOneClick) {
    MakeForm();
    auto* button = new TButton(form.get());
    button->SetParent(form.get());
    button->SetBounds(20, 20, 100, 30);
    int downs = 0, clicks = 0, reports = 0;
    button->OnMouseDown = TMouseEvent([&](TObject*, TMouseButton, TShiftState, int, int) {
        ++downs;
        throw std::runtime_error("the program's own failure");
    });
    button->OnClick = TNotifyEvent([&](TObject*) { ++clicks; });
    Application->OnException = TExceptionEvent([&](TObject*, const std::exception_ptr&) { ++reports; });
    Skin();
    POINT p{70, 35};
    ClientToScreen(form->Handle(), &p);
    MouseClickAt(p.x, p.y);
    PumpUntil([&] { return clicks > 0; });
    PumpFor(100);
    EXPECT_EQ(downs, 1);
    EXPECT_EQ(reports, 1);
    EXPECT_EQ(clicks, 1);
    Application->OnException = {};
}

TEST_F(Lifetime, AToolBarMovedToAnotherParentHasTheHandlersTakenBack) {
    MakeForm();
    auto* panel = new TPanel(form.get());
    panel->SetParent(form.get());
    panel->SetBounds(10, 100, 300, 60);
    auto* bar = new TToolBar(form.get());
    bar->SetParent(form.get());
    auto* button = new TToolButton(form.get());
    button->SetCaption("One");
    button->SetParent(bar);
    Skin();
    ASSERT_TRUE(bar->OnCustomDraw);
    ASSERT_TRUE(bar->OnCustomDrawButton);
    const HWND before = bar->Handle();
    bar->SetParent(panel);
    bar->HandleNeeded();
    PumpFor(30);
    (void)before;
    skinned.reset();
    EXPECT_FALSE(bar->OnCustomDraw) << "keyed by the bar, not by a window it may no longer have";
    EXPECT_FALSE(bar->OnCustomDrawButton);
    bar->Invalidate();
    UpdateWindow(bar->Handle());
    PumpFor(30);
}

TEST(LifetimeSubclass, AChildSubclassedOnTopIsSkinnedAgainAfterItsFormSkinnerWent) {
    auto skin = LoadControlSkin();
    HWND parent = PlainParent();
    HWND button = ChildWindow(parent, "button", BS_PUSHBUTTON, "OK", RECT{10, 10, 110, 40});
    auto skinned = std::make_unique<SkinnedWindow>(*skin, parent);
    ASSERT_EQ(SendMessageA(button, SKM_ISSKINNED, 0, 0), 1);
    // Someone else subclasses the button on top of its skinner.
    foreignBelow = WNDPROC(SetWindowLongPtrA(button, GWLP_WNDPROC, LONG_PTR(&foreignOnTop)));
    skinned.reset();
    EXPECT_NE(SendMessageA(button, SKM_ISSKINNED, 0, 0), 1) << "the skinner has gone";
    skinned = std::make_unique<SkinnedWindow>(*skin, parent);
    EXPECT_EQ(SendMessageA(button, SKM_ISSKINNED, 0, 0), 1);
    EXPECT_TRUE(skinned->Skinner->ChildSkinnerOf(button));
    skinned.reset();
    DestroyWindow(parent);
}

TEST(LifetimeSubclass, AnAttachThatCannotSubclassRegistersNothingAndMayBeTriedAgain) {
    auto skin = LoadControlSkin();
    HWND parent = PlainParent();
    HWND button = ChildWindow(parent, "button", BS_PUSHBUTTON, "OK", RECT{10, 10, 110, 40});
    auto skinner = std::make_unique<TWinSkinForm>(parent, "");
    skinner->SkinWindow(skin.get());
    {
        win::Subclass other;
        ASSERT_TRUE(other.Install(button, win::SubclassKind::Control,
                                  [&](UINT m, WPARAM w, LPARAM l) { return other.CallPrevious(m, w, l); }));
        skinner->AttachWindow(button);
        EXPECT_FALSE(skinner->ChildSkinnerOf(button)) << "nothing registered";
    }
    skinner->AttachWindow(button);
    EXPECT_TRUE(skinner->ChildSkinnerOf(button)) << "a later attach succeeds";
    EXPECT_EQ(SendMessageA(button, SKM_ISSKINNED, 0, 0), 1);
    skinner.reset();
    DestroyWindow(parent);
}

TEST(LifetimeDepth, AFreeAskedForInsideAMessageWaitsForTheOutermostOne) {
    struct Object {
        TMessageDepth& Depth() { return depth; }
        TMessageDepth depth;
        bool* freed;
        ~Object() { *freed = true; }
    };
    bool freed = false;
    auto object = std::make_unique<Object>();
    object->freed = &freed;
    Object* raw = object.get();
    {
        TMessageDepth::Scope outer(raw->Depth());
        {
            TMessageDepth::Scope inner(raw->Depth());
            FreeWhenIdle(std::move(object));
            EXPECT_FALSE(freed);
            EXPECT_FALSE(inner.Alive());
            EXPECT_TRUE(inner.Exists());
        }
        EXPECT_FALSE(freed) << "the outer message is still running";
    }
    EXPECT_TRUE(freed);
}

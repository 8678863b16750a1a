// Window subclassing: the character set of the installed procedure, the chain of previous
// procedures, failures passed on, and the teardown order on every path.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "toolkit/subclass.h"

namespace {

using win::Subclass;
using win::SubclassKind;

// What the windows' own procedures saw, in order.
std::vector<std::string> seen;
std::wstring lastWideText;
std::string lastAnsiText;

LRESULT CALLBACK ansiBase(HWND h, UINT msg, WPARAM w, LPARAM l) {
    if (msg == WM_SETTEXT) lastAnsiText = reinterpret_cast<const char*>(l);
    if (msg == WM_APP) {
        seen.push_back("base");
        return 7;
    }
    if (msg == WM_NCDESTROY) seen.push_back("base:ncdestroy");
    return DefWindowProcA(h, msg, w, l);
}

LRESULT CALLBACK wideBase(HWND h, UINT msg, WPARAM w, LPARAM l) {
    if (msg == WM_SETTEXT) lastWideText = reinterpret_cast<const wchar_t*>(l);
    return DefWindowProcW(h, msg, w, l);
}

HWND makeAnsiWindow() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = ansiBase;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "QsSubclassAnsi";
    RegisterClassA(&wc);
    return CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance,
                           nullptr);
}

HWND makeWideWindow() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = wideBase;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"QsSubclassWide";
    RegisterClassW(&wc);
    return CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance,
                           nullptr);
}

WNDPROC procOf(HWND h) {
    return reinterpret_cast<WNDPROC>(IsWindowUnicode(h) ? GetWindowLongPtrW(h, GWLP_WNDPROC)
                                                        : GetWindowLongPtrA(h, GWLP_WNDPROC));
}

// A procedure someone else puts on top of ours.
WNDPROC foreignPrevious = nullptr;
LRESULT CALLBACK foreign(HWND h, UINT msg, WPARAM w, LPARAM l) {
    if (msg == WM_APP) seen.push_back("foreign");
    return CallWindowProcA(foreignPrevious, h, msg, w, l);
}

class SubclassTest : public ::testing::Test {
  protected:
    void SetUp() override { seen.clear(); }
};

TEST_F(SubclassTest, EachWindowGetsTheVariantOfItsCharacterSet) {
    HWND wide = makeWideWindow(), ansi = makeAnsiWindow();
    Subclass w, a;
    ASSERT_TRUE(w.Install(wide, SubclassKind::Control,
                          [&](UINT m, WPARAM wp, LPARAM lp) { return w.CallPrevious(m, wp, lp); }));
    ASSERT_TRUE(a.Install(ansi, SubclassKind::Control,
                          [&](UINT m, WPARAM wp, LPARAM lp) { return a.CallPrevious(m, wp, lp); }));
    EXPECT_TRUE(w.Unicode());
    EXPECT_FALSE(a.Unicode());
    // Installing with the wrong variant would make the system convert: text beyond ANSI would not
    // survive the trip to a Unicode procedure.
    EXPECT_TRUE(IsWindowUnicode(wide));
    SetWindowTextW(wide, L"\u622A\u56FE caption");
    EXPECT_EQ(lastWideText, L"\u622A\u56FE caption");
    SetWindowTextA(ansi, "plain");
    EXPECT_EQ(lastAnsiText, "plain");
    w.Restore();
    a.Restore();
    EXPECT_EQ(procOf(wide), &wideBase);
    EXPECT_EQ(procOf(ansi), &ansiBase);
    DestroyWindow(wide);
    DestroyWindow(ansi);
}

TEST_F(SubclassTest, HandlerRunsFirstAndAFailureGoesOnToThePreviousProcedure) {
    HWND h = makeAnsiWindow();
    Subclass s;
    bool fail = false;
    ASSERT_TRUE(s.Install(h, SubclassKind::Form, [&](UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
        if (m == WM_APP) {
            seen.push_back("ours");
            if (fail) throw std::runtime_error("paint failed");
        }
        return s.CallPrevious(m, wp, lp);
    }));
    EXPECT_EQ(SendMessageA(h, WM_APP, 0, 0), 7);
    EXPECT_EQ(seen, (std::vector<std::string>{"ours", "base"}));
    seen.clear();
    fail = true;
    EXPECT_EQ(SendMessageA(h, WM_APP, 0, 0), 7);
    EXPECT_EQ(seen, (std::vector<std::string>{"ours", "base"}));
    // A failure after the previous procedure ran does not run it again.
    seen.clear();
    Subclass late;
    ASSERT_TRUE(late.Install(h, SubclassKind::Control, [&](UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
        const LRESULT r = late.CallPrevious(m, wp, lp);
        if (m == WM_APP) throw std::runtime_error("repaint failed");
        return r;
    }));
    fail = false;
    SendMessageA(h, WM_APP, 0, 0);
    EXPECT_EQ(seen, (std::vector<std::string>{"ours", "base"}));
    late.Restore();
    // One of each kind: a second install is refused and changes nothing.
    Subclass again;
    EXPECT_FALSE(again.Install(h, SubclassKind::Form, [](UINT, WPARAM, LPARAM) { return LRESULT(0); }));
    EXPECT_EQ(Subclass::Of(h, SubclassKind::Form), &s);
    DestroyWindow(h);
}

TEST_F(SubclassTest, KindsStackAndLeaveInAnyOrder) {
    HWND h = makeAnsiWindow();
    Subclass form, control;
    form.Install(h, SubclassKind::Form, [&](UINT m, WPARAM wp, LPARAM lp) {
        if (m == WM_APP) seen.push_back("form");
        return form.CallPrevious(m, wp, lp);
    });
    control.Install(h, SubclassKind::Control, [&](UINT m, WPARAM wp, LPARAM lp) {
        if (m == WM_APP) seen.push_back("control");
        return control.CallPrevious(m, wp, lp);
    });
    SendMessageA(h, WM_APP, 0, 0);
    EXPECT_EQ(seen, (std::vector<std::string>{"control", "form", "base"}));
    // The lower one leaves first: it cannot take its procedure out from under the upper one, so
    // it stays in the chain and only passes messages on.
    form.Restore();
    EXPECT_EQ(Subclass::Of(h, SubclassKind::Form), nullptr);
    seen.clear();
    EXPECT_EQ(SendMessageA(h, WM_APP, 0, 0), 7);
    EXPECT_EQ(seen, (std::vector<std::string>{"control", "base"}));
    control.Restore();
    seen.clear();
    SendMessageA(h, WM_APP, 0, 0);
    EXPECT_EQ(seen, (std::vector<std::string>{"base"}));
    // The pass-through link goes with the window.
    DestroyWindow(h);
    EXPECT_EQ(GetPropA(h, Subclass::PropertyName(SubclassKind::Form)), nullptr);
}

TEST_F(SubclassTest, WindowEndFollowsTheWrittenOrder) {
    HWND h = makeAnsiWindow();
    auto* s = new Subclass;
    WNDPROC procAtEnd = nullptr;
    bool propertyAtEnd = true;
    s->Install(
        h, SubclassKind::PopupMenu,
        [&](UINT m, WPARAM wp, LPARAM lp) {
            if (m == WM_NCDESTROY) seen.push_back("ours:ncdestroy");
            return s->CallPrevious(m, wp, lp);
        },
        [&] {
            seen.push_back("ended");
            procAtEnd = procOf(h);
            propertyAtEnd = GetPropA(h, Subclass::PropertyName(SubclassKind::PopupMenu)) != nullptr;
            delete s; // the owner may end itself here
        });
    DestroyWindow(h);
    EXPECT_EQ(seen, (std::vector<std::string>{"ours:ncdestroy", "base:ncdestroy", "ended"}));
    // By the time the owner hears of it, the window has its own procedure back and no property.
    EXPECT_EQ(procAtEnd, &ansiBase);
    EXPECT_FALSE(propertyAtEnd);
}

TEST_F(SubclassTest, ForeignSubclassOnTopKeepsWorkingAfterWeLeave) {
    HWND h = makeAnsiWindow();
    Subclass s;
    s.Install(h, SubclassKind::Control, [&](UINT m, WPARAM wp, LPARAM lp) {
        if (m == WM_APP) seen.push_back("ours");
        return s.CallPrevious(m, wp, lp);
    });
    foreignPrevious = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(h, GWLP_WNDPROC, LONG_PTR(&foreign)));
    s.Restore();
    EXPECT_EQ(procOf(h), &foreign);
    EXPECT_EQ(SendMessageA(h, WM_APP, 0, 0), 7);
    EXPECT_EQ(seen, (std::vector<std::string>{"foreign", "base"}));
    // The link we left in the chain serves the next owner of that kind.
    seen.clear();
    Subclass again;
    ASSERT_TRUE(again.Install(h, SubclassKind::Control, [&](UINT m, WPARAM wp, LPARAM lp) {
        if (m == WM_APP) seen.push_back("again");
        return again.CallPrevious(m, wp, lp);
    }));
    EXPECT_EQ(SendMessageA(h, WM_APP, 0, 0), 7);
    EXPECT_EQ(seen, (std::vector<std::string>{"foreign", "again", "base"}));
    again.Restore();
    // Restoring after the window is gone is harmless.
    DestroyWindow(h);
    s.Restore();
}

} // namespace

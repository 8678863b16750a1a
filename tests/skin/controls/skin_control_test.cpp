// The control-skin base on live windows: the message path, switching painting off and on, the
// focus rectangle, forwarded mouse presses and the teardown.
#include <gtest/gtest.h>

#include <memory>

#include "skin/core/skin_control.h"
#include "skin/core/skin_manager.h"
#include "tests/skin/controls/control_fixture.h"
#include "tests/support/wintest.h"
#include "toolkit/controls/form.h"
#include "toolkit/controls/std_ctrls.h"
#include "toolkit/graphics/canvas.h"
#include "toolkit/graphics/rects.h"

using namespace qs::test;

namespace {

// What reached the window's own procedure.
struct Seen {
    int paints = 0;
    int skinnedQuestions = 0;
};
Seen& seen() {
    static Seen s;
    return s;
}

LRESULT CALLBACK countingProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_PAINT) ++seen().paints;
    if (msg == SKM_ISSKINNED) ++seen().skinnedQuestions;
    return DefWindowProcA(h, msg, wParam, lParam);
}

HWND countingWindow(HWND parent) {
    static const char* cls = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = countingProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "QsCountingControl";
        RegisterClassA(&wc);
        return "QsCountingControl";
    }();
    return ChildWindow(parent, cls, 0, "", RECT{10, 10, 110, 40});
}

// A painter that only counts.
class CountingSkin : public TSkinControl {
  public:
    using TSkinControl::TSkinControl;
    void DrawSkin(HDC, const RECT&) override { ++draws; }
    int draws = 0;
};

class ThrowingSkin : public TSkinControl {
  public:
    using TSkinControl::TSkinControl;
    void DrawSkin(HDC, const RECT&) override { throw std::runtime_error("broken skin"); }
};

class SkinControlBase : public ::testing::Test {
  protected:
    void SetUp() override {
        seen() = {};
        parent = PlainParent();
        skin = LoadControlSkin();
    }
    void TearDown() override { DestroyWindow(parent); }
    HWND parent = nullptr;
    std::unique_ptr<TSkinData> skin;
};

} // namespace

TEST_F(SkinControlBase, SkinnedQuestionIsAnsweredWithoutReachingTheWindow) {
    HWND w = countingWindow(parent);
    CountingSkin s(nullptr);
    s.AttachToWindow(w, skin.get(), nullptr, nullptr);
    EXPECT_EQ(SendMessageA(w, SKM_ISSKINNED, 0, 0), 1);
    EXPECT_EQ(seen().skinnedQuestions, 0);
}

TEST_F(SkinControlBase, PaintingSwitchedOffKeepsTheSubclassAndOnRepaintsAtOnce) {
    HWND w = countingWindow(parent);
    const LONG_PTR own = GetWindowLongPtrA(w, GWLP_WNDPROC);
    CountingSkin s(nullptr);
    s.AttachToWindow(w, skin.get(), nullptr, nullptr);
    UpdateWindow(w);
    EXPECT_GT(s.draws, 0);

    SendMessageA(w, SKM_ENABLE, 0, 0);
    EXPECT_FALSE(s.SkinEnabled);
    EXPECT_NE(GetWindowLongPtrA(w, GWLP_WNDPROC), own) << "still subclassed";
    const int draws = s.draws, paints = seen().paints;
    InvalidateRect(w, nullptr, TRUE);
    UpdateWindow(w);
    EXPECT_EQ(s.draws, draws) << "nothing painted over the window";
    EXPECT_GT(seen().paints, paints) << "the window painted itself";

    SendMessageA(w, SKM_ENABLE, 1, 0);
    EXPECT_GT(s.draws, draws) << "repainted before SKM_ENABLE returned";
}

TEST_F(SkinControlBase, AFailingPainterLeavesTheWindowUsable) {
    HWND w = countingWindow(parent);
    ThrowingSkin s(nullptr);
    s.AttachToWindow(w, skin.get(), nullptr, nullptr);
    InvalidateRect(w, nullptr, TRUE);
    UpdateWindow(w);
    EXPECT_GT(seen().paints, 0);
    EXPECT_EQ(SendMessageA(w, SKM_ISSKINNED, 0, 0), 1);
}

TEST_F(SkinControlBase, DeletingTheSkinnerGivesTheProcedureBackAndLeavesTheFormList) {
    HWND w = countingWindow(parent);
    const LONG_PTR own = GetWindowLongPtrA(w, GWLP_WNDPROC);
    SkinnedWindow form(*skin, parent);
    auto* s = new CountingSkin(nullptr);
    s->AttachToWindow(w, skin.get(), form.Skinner.get(), nullptr);
    ASSERT_EQ(form.Skinner->ChildSkinnerOf(w), s);
    delete s;
    EXPECT_EQ(GetWindowLongPtrA(w, GWLP_WNDPROC), own);
    EXPECT_EQ(form.Skinner->ChildSkinnerOf(w), nullptr);
}

TEST_F(SkinControlBase, DestroyingAToolkitControlFreesItsSkinner) {
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBounds(80, 80, 300, 200);
    auto* button = new TButton(form.get());
    button->SetParent(form.get());
    form->Show();
    SkinnedWindow skinned(*skin, form->Handle(), form.get());
    TSkinControl* s = skinned.Skinner->ChildSkinnerOf(button);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->Control, button);
    delete button;
    EXPECT_TRUE(skinned.Skinner->ChildSkinners.empty());
}

TEST_F(SkinControlBase, CaptionFocusSurroundsTheTextAsDrawTextPlacesIt) {
    auto bmp = Canvas24(100, 20);
    HDC dc = bmp->Canvas().Handle();
    CountingSkin s(nullptr);
    s.Caption = L"Focus me";
    SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    RECT measured{0, 0, 100, 20};
    DrawSkinText(dc, s.Caption, measured, DT_CENTER | DT_CALCRECT | DT_NOCLIP);
    const int tw = RectWidth(measured), th = RectHeight(measured);
    s.DrawCaptionFocus(dc, DT_CENTER, RECT{0, 0, 100, 20});
    // The measured text moved by ((100 - tw) / 2, (20 - th) / 2 - 1), inflated by (2, 1).
    const RECT expected{(100 - tw) / 2 - 2, (20 - th) / 2 - 2, (100 - tw) / 2 + tw + 2, (20 - th) / 2 + th};
    const RECT ink = InkBounds(*bmp, 0xFFFFFF, RECT{0, 0, 100, 20});
    EXPECT_EQ(ink.left, expected.left);
    EXPECT_EQ(ink.top, expected.top);
    EXPECT_EQ(ink.right, expected.right);
    EXPECT_EQ(ink.bottom, expected.bottom);
}

TEST_F(SkinControlBase, AVeryWideControlTakesTheCursorPositionForItsMouseDown) {
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBounds(0, 0, 400, 200);
    auto* button = new TButton(form.get());
    button->SetParent(form.get());
    button->SetBounds(0, 0, 40000, 30);
    POINT got{-1, -1};
    button->OnMouseDown = TMouseEvent([&](TObject*, TMouseButton, TShiftState, int x, int y) {
        got = POINT{x, y};
    });
    form->Show();
    CountingSkin s(button);
    s.AttachToControl(nullptr, skin.get(), false, nullptr);
    POINT origin{0, 0};
    ClientToScreen(button->Handle(), &origin);
    MouseMoveTo(origin.x + 123, origin.y + 7);
    TMessage m{WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5), 0};
    s.ForwardMouseDown(m);
    EXPECT_EQ(got.x, 123);
    EXPECT_EQ(got.y, 7);

    button->SetWidth(300);
    s.ForwardMouseDown(m);
    EXPECT_EQ(got.x, 5) << "a control of ordinary size takes the message's position";
}

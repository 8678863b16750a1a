// Edits, combo boxes and date-time pickers: where the combo button goes, the frame each state
// draws (read back from a memory DC), hover under real input, the drop-down list's bar, and what
// unskinning and destroying leave behind.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "skin/controls/skin_edits.h"
#include "skin/core/skin_manager.h"
#include "tests/skin/controls/control_fixture.h"
#include "tests/support/wintest.h"
#include "toolkit/controls/combo_box.h"
#include "toolkit/controls/date_time.h"
#include "toolkit/controls/edit_ctrls.h"
#include "toolkit/graphics/canvas.h"
#include "toolkit/subclass.h"

using namespace qs::test;

namespace {

const int kCx = GetSystemMetrics(SM_CXHSCROLL);

bool sameRect(const RECT& a, const RECT& b) {
    return EqualRect(&a, &b) != FALSE;
}

} // namespace

TEST(ComboArithmetic, TheButtonSitsOnEitherSideCxPlusTwoWide) {
    const RECT w{0, 0, 120, 22};
    const TComboBoxes right = ComboBoxesFor(w, 17, false);
    EXPECT_TRUE(sameRect(right.Text, RECT{2, 2, 99, 20}));
    EXPECT_TRUE(sameRect(right.Button, RECT{101, 0, 120, 22}));
    EXPECT_TRUE(sameRect(right.Arrow, RECT{101, 0, 118, 22}));
    const TComboBoxes left = ComboBoxesFor(w, 17, true);
    EXPECT_TRUE(sameRect(left.Text, RECT{21, 2, 118, 20}));
    EXPECT_TRUE(sameRect(left.Button, RECT{0, 0, 19, 22}));
    EXPECT_TRUE(sameRect(left.Arrow, RECT{2, 0, 19, 22}));
}

TEST(ComboArithmetic, TheSimpleButtonIsTheImageWideAndNoHigherThanIt) {
    const RECT w{0, 0, 100, 40};
    EXPECT_TRUE(sameRect(SimpleComboButton(w, 16, 20, 17, false), RECT{82, 2, 98, 38}))
        << "an image at least a thumb high fills the inner height";
    EXPECT_TRUE(sameRect(SimpleComboButton(w, 16, 10, 17, false), RECT{82, 2, 98, 12}));
    EXPECT_TRUE(sameRect(SimpleComboButton(w, 16, 10, 17, true), RECT{2, 2, 18, 12}));
}

namespace {

// Plain windows on a plain parent, each with a skinner attached straight to it.
class PlainEdits : public ::testing::Test {
  protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_DATE_CLASSES | ICC_UPDOWN_CLASS};
        InitCommonControlsEx(&icc);
        parent = PlainParent();
    }
    void TearDown() override {
        skinner.reset();
        DestroyWindow(parent);
    }
    void Load(const ControlSkinOptions& o) { skin = LoadControlSkin(o); }
    template <class S> S* Attach(HWND window) {
        auto* s = new S(nullptr);
        skinner.reset(s);
        s->AttachToWindow(window, skin.get(), nullptr, nullptr);
        return s;
    }
    std::unique_ptr<TBitmap> Drawn(HWND window) {
        RECT r{};
        GetWindowRect(window, &r);
        const int w = r.right - r.left, h = r.bottom - r.top;
        auto bmp = Canvas24(w, h);
        skinner->DrawSkin(bmp->Canvas().Handle(), RECT{0, 0, w, h});
        return bmp;
    }
    HWND Combo(DWORD style, DWORD exStyle = 0) {
        HWND combo = CreateWindowExA(exStyle, "COMBOBOX", "", WS_CHILD | WS_VISIBLE | style, 10, 10, 160, 200,
                                     parent, HMENU(100), GetModuleHandleA(nullptr), nullptr);
        SendMessageA(combo, CB_ADDSTRING, 0, LPARAM("one"));
        return combo;
    }

    HWND parent = nullptr;
    std::unique_ptr<TSkinData> skin;
    std::unique_ptr<TSkinControl> skinner;
};

int comboWidth(HWND combo) {
    RECT r{};
    GetWindowRect(combo, &r);
    return r.right - r.left;
}

LRESULT CALLBACK plainProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(h, msg, wParam, lParam);
}

// A window class of another library's spin control.
const char* spinClass() {
    static const char* name = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = plainProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "QsRzSPINner";
        RegisterClassA(&wc);
        return "QsRzSPINner";
    }();
    return name;
}

} // namespace

TEST_F(PlainEdits, ADisabledDefaultComboShowsFrameThreeEvenWhenHot) {
    Load({.ComboButton = true});
    HWND combo = Combo(CBS_DROPDOWNLIST | WS_DISABLED);
    Attach<TSkinComBox>(combo)->SetHot(true);
    auto bmp = Drawn(combo);
    const int w = comboWidth(combo);
    EXPECT_EQ(Pixel(*bmp, w - 5, 10), kComboButton[2]);
    EXPECT_EQ(Pixel(*bmp, w / 2, 10), 0xFFFFFFu) << "the text area is the control's own";

    EnableWindow(combo, TRUE);
    bmp = Drawn(combo);
    EXPECT_EQ(Pixel(*bmp, w - 5, 10), kComboButton[3]) << "enabled, the hover shows";
}

TEST_F(PlainEdits, APressShowsOnlyWhileTheButtonIsDownOrTheListOpen) {
    Load({.ComboButton = true});
    HWND combo = Combo(CBS_DROPDOWNLIST);
    auto* s = Attach<TSkinComBox>(combo);
    const int w = comboWidth(combo);
    SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0);
    s->SetPressed(true);
    auto bmp = Drawn(combo);
    EXPECT_EQ(Pixel(*bmp, w - 5, 10), kComboButton[1]) << "pressed while the list it opened is down";
    SendMessageA(combo, CB_SHOWDROPDOWN, FALSE, 0);
    bmp = Drawn(combo);
    EXPECT_EQ(Pixel(*bmp, w - 5, 10), kComboButton[0]) << "the release went to the list";
    EXPECT_FALSE(s->Pressed());
}

TEST_F(PlainEdits, ADisabledButFocusedSimpleStyleComboShowsTheHotFrame) {
    Load({.ComboButton = true, .ComboStyle = 1});
    HWND combo = Combo(CBS_DROPDOWN);
    auto* s = Attach<TSkinComBox>(combo);
    ASSERT_NE(s->EditChild, nullptr);
    SetFocus(s->EditChild);
    // The style bit alone: disabling the window would move the focus away.
    SetWindowLongPtrA(combo, GWL_STYLE, GetWindowLongPtrA(combo, GWL_STYLE) | WS_DISABLED);
    auto bmp = Drawn(combo);
    RECT r{};
    GetWindowRect(combo, &r);
    const RECT button = SimpleComboButton(RECT{0, 0, r.right - r.left, r.bottom - r.top}, kComboButtonWidth,
                                          kComboButtonHeight, GetSystemMetrics(SM_CYVTHUMB), false);
    EXPECT_EQ(Pixel(*bmp, button.right - 3, button.top + 3), kComboButton[3]);
    EXPECT_TRUE(sameRect(s->HotRect, button));

    SetFocus(parent);
    bmp = Drawn(combo);
    EXPECT_EQ(Pixel(*bmp, button.right - 3, button.top + 3), kComboButton[2]) << "disabled, nothing else";
    EXPECT_EQ(Pixel(*bmp, 0, 0), ColorToRGB(skin->Colour(scButtonShadow)));
}

TEST_F(PlainEdits, AButtonOnTheLeftIsDrawnMirroredCxPlusTwoWide) {
    Load({.ComboButton = true});
    HWND combo = Combo(CBS_DROPDOWNLIST, WS_EX_LEFTSCROLLBAR);
    Attach<TSkinComBox>(combo);
    auto bmp = Drawn(combo);
    const int mid = 10;
    EXPECT_EQ(Pixel(*bmp, 0, mid), kComboButton[0]);
    EXPECT_EQ(Pixel(*bmp, kCx + 1, mid), kComboMarker) << "the mirrored image's marker is at its right";
    EXPECT_EQ(Pixel(*bmp, kCx + 2, mid), 0xFFFFFFu) << "the button ends after cx + 2 pixels";

    skinner.reset();
    HWND right = Combo(CBS_DROPDOWNLIST);
    Attach<TSkinComBox>(right);
    bmp = Drawn(right);
    const int w = comboWidth(right);
    EXPECT_EQ(Pixel(*bmp, w - kCx - 2, mid), kComboMarker) << "unmirrored on the right";
    EXPECT_EQ(Pixel(*bmp, w - 1, mid), kComboButton[0]);
    EXPECT_EQ(Pixel(*bmp, w - kCx - 3, mid), 0xFFFFFFu);
}

TEST_F(PlainEdits, TheCombinedStyleDrawsTheSunkEdgeAndTheButtonInOnePiece) {
    Load({.ComboButton = true, .ComboSunkEdge = true, .ComboExtra = true});
    ASSERT_EQ(skin->ComboButton->Style, 2);
    HWND combo = Combo(CBS_DROPDOWNLIST | WS_DISABLED);
    auto* s = Attach<TSkinComBox>(combo);
    auto bmp = Drawn(combo);
    const int w = comboWidth(combo);
    EXPECT_EQ(Pixel(*bmp, 0, 0), kSunkEdge[2]) << "the disabled frame of the edge";
    EXPECT_EQ(Pixel(*bmp, w / 2, 10), 0xFFFFFFu) << "the field stays the control's";
    EXPECT_EQ(s->HotRect.left, w - kCx - 2) << "hover is tracked on the button of a combined image too";

    skinner.reset();
    HWND left = Combo(CBS_DROPDOWNLIST | WS_DISABLED, WS_EX_LEFTSCROLLBAR);
    Attach<TSkinComBox>(left);
    bmp = Drawn(left);
    EXPECT_EQ(Pixel(*bmp, 2, 10), kComboButton[2]) << "the mirrored piece shows the same state";
    EXPECT_EQ(Pixel(*bmp, w - 1, 0), kSunkEdge[2]);
}

TEST_F(PlainEdits, AnExtendedComboGetsItsArrowOverItsFirstChildAndNoButton) {
    Load({.ComboButton = true});
    HWND combo = Combo(CBS_DROPDOWN);
    auto* s = new TSkinComBox(nullptr);
    s->FrameOnly = true;
    skinner.reset(s);
    s->AttachToWindow(combo, skin.get(), nullptr, nullptr);
    ASSERT_NE(s->EditChild, nullptr);
    RECT child{}, window{};
    GetWindowRect(s->EditChild, &child);
    GetWindowRect(combo, &window);
    OffsetRect(&child, -window.left, -window.top);
    auto bmp = Drawn(combo);
    EXPECT_EQ(Pixel(*bmp, (child.left + child.right) / 2, (child.top + child.bottom) / 2), kComboButton[0]);
    EXPECT_EQ(Pixel(*bmp, comboWidth(combo) - 3, 10), 0xFFFFFFu) << "no button of its own";
    EXPECT_EQ(Pixel(*bmp, 0, 0), 0xFFFFFFu) << "a combo without a non-client border gets no frame";
}

TEST_F(PlainEdits, WithoutAComboButtonImageNothingIsDrawn) {
    Load({.ComboSunkEdge = true, .ComboExtra = true});
    HWND combo = Combo(CBS_DROPDOWNLIST);
    Attach<TSkinComBox>(combo);
    auto bmp = Drawn(combo);
    EXPECT_EQ(InkBounds(*bmp, 0xFFFFFF, RECT{0, 0, comboWidth(combo), 20}).right, 0);
}

TEST_F(PlainEdits, AnEditBorderIsDrawnOnlyWhenTheEditHasOne) {
    Load({});
    HWND flat = ChildWindow(parent, "EDIT", 0, "flat", RECT{10, 10, 110, 32});
    Attach<TSkinEdit>(flat);
    auto bmp = Drawn(flat);
    EXPECT_EQ(InkBounds(*bmp, 0xFFFFFF, RECT{0, 0, 100, 22}).right, 0) << "no border, no skin frame";

    HWND sunk = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "sunk", WS_CHILD | WS_VISIBLE, 10, 40, 100, 22,
                                parent, nullptr, GetModuleHandleA(nullptr), nullptr);
    Attach<TSkinEdit>(sunk);
    bmp = Drawn(sunk);
    const uint32_t shadow = ColorToRGB(skin->Colour(scButtonShadow));
    EXPECT_EQ(Pixel(*bmp, 0, 0), shadow);
    EXPECT_EQ(Pixel(*bmp, 99, 21), shadow);
    EXPECT_EQ(Pixel(*bmp, 1, 1), 0xFFFFFFu);
}

TEST_F(PlainEdits, ASpinChildWhoseClassSaysSpinGetsAnUpDownSkinner) {
    Load({.Ranges = true});
    HWND edit = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "5", WS_CHILD | WS_VISIBLE, 10, 10, 100, 24, parent,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
    HWND other = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 60, 0, 10, 10, edit, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    HWND spin = CreateWindowExA(0, spinClass(), "", WS_CHILD | WS_VISIBLE, 80, 0, 16, 20, edit, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    auto* s = Attach<TSkinEdit>(edit);
    EXPECT_EQ(s->UpDown, nullptr) << "made at the first paint";
    Drawn(edit);
    ASSERT_NE(s->UpDown, nullptr);
    EXPECT_EQ(s->UpDown->Handle, spin);
    EXPECT_TRUE(s->UpDown->InEdit);
    EXPECT_EQ(SendMessageA(spin, SKM_ISSKINNED, 0, 0), 1);
    EXPECT_NE(SendMessageA(other, SKM_ISSKINNED, 0, 0), 1);

    skinner.reset();
    EXPECT_NE(SendMessageA(spin, SKM_ISSKINNED, 0, 0), 1) << "the spin's skinner goes with the edit's";
    skin->SetSkinControls(skin->SkinControls() & ~SetOf(xcSpin));
    auto* without = Attach<TSkinEdit>(edit);
    Drawn(edit);
    EXPECT_EQ(without->UpDown, nullptr) << "spin controls are not to be skinned";
}

TEST_F(PlainEdits, APickerNarrowerThanItsButtonStillGetsTheArrow) {
    Load({.ComboButton = true});
    HWND picker = CreateWindowExA(WS_EX_CLIENTEDGE, DATETIMEPICK_CLASSA, "", WS_CHILD | WS_VISIBLE, 10, 10,
                                  12, 22, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
    auto* s = Attach<TSkinDateTime>(picker);
    ASSERT_NE(s->Arrow, nullptr);
    HWND arrow = s->Arrow->Handle();
    EXPECT_EQ(GetParent(arrow), picker);
    EXPECT_EQ(s->Arrow->Left(), 12 - kCx - 4);
    EXPECT_EQ(s->Arrow->Width(), kCx);
    EXPECT_TRUE(HasStyle(picker, WS_CLIPCHILDREN));

    s->Unskin();
    EXPECT_EQ(s->Arrow, nullptr);
    EXPECT_FALSE(IsWindow(arrow)) << "the picker's own button shows again";
    EXPECT_FALSE(HasStyle(picker, WS_CLIPCHILDREN));
}

namespace {

class SkinnedEdits : public SkinnedFormTest {
  protected:
    template <class C> C* Add(int left, int top, int w, int h) {
        auto* c = new C(form.get());
        c->SetParent(form.get());
        c->SetBounds(left, top, w, h);
        return c;
    }
    static uint32_t WindowPixel(HWND window, int x, int y) {
        return CaptureWindowDC(window).at(x, y) & 0xFFFFFF;
    }
};

} // namespace

TEST_F(SkinnedEdits, EachToolkitControlGetsItsSkinner) {
    MakeForm({.ComboButton = true});
    auto* edit = Add<TEdit>(10, 10, 100, 22);
    auto* combo = Add<TComboBox>(10, 40, 120, 22);
    auto* date = Add<TDateTimePicker>(10, 70, 150, 22);
    auto* time = Add<TDateTimePicker>(10, 100, 150, 22);
    time->SetKind(dtkTime);
    Skin();
    EXPECT_NE(dynamic_cast<TSkinEdit*>(ChildSkinner(edit)), nullptr);
    EXPECT_NE(dynamic_cast<TSkinComBox*>(ChildSkinner(combo)), nullptr);
    EXPECT_NE(dynamic_cast<TSkinDateTime*>(ChildSkinner(date)), nullptr);
    EXPECT_NE(dynamic_cast<TSkinEdit*>(ChildSkinner(time)), nullptr)
        << "a time picker spins: only its border";
}

TEST_F(SkinnedEdits, TheButtonLightsWhileThePointerIsOnIt) {
    MakeForm({.ComboButton = true});
    auto* edit = Add<TEdit>(10, 10, 100, 22);
    auto* combo = Add<TComboBox>(10, 60, 160, 22);
    combo->SetStyle(csDropDownList);
    combo->Items()->Add("one");
    Skin();
    edit->SetFocus();
    auto* s = dynamic_cast<TSkinComBox*>(ChildSkinner(combo));
    ASSERT_NE(s, nullptr);
    HWND h = combo->Handle();
    // Hover is tracked against the button as last painted.
    RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    PumpFor(30);
    RECT r{};
    GetWindowRect(h, &r);
    const int w = r.right - r.left, y = (r.bottom - r.top) / 2;

    MouseMoveTo(r.left + 30, r.top + y);
    PumpFor(30);
    EXPECT_FALSE(s->Hot());
    MouseMoveTo(r.right - 6, r.top + y);
    EXPECT_TRUE(PumpUntil([&] { return s->Hot(); }));
    PumpFor(20);
    EXPECT_EQ(WindowPixel(h, w - 5, y), kComboButton[3]);
    MouseMoveTo(r.left + 30, r.top + y);
    EXPECT_TRUE(PumpUntil([&] { return !s->Hot(); }));
    PumpFor(20);
    EXPECT_EQ(WindowPixel(h, w - 5, y), kComboButton[0]);
    MouseMoveTo(2, 2);
}

TEST_F(SkinnedEdits, TheDropDownListsBarIsSkinnedUntilUnskinning) {
    MakeForm({.Scroll = true, .ComboButton = true});
    auto* combo = Add<TComboBox>(10, 10, 160, 22);
    combo->SetStyle(csDropDownList);
    combo->SetDropDownCount(5);
    for (int i = 0; i < 30; ++i)
        combo->Items()->Add("item " + std::to_string(i));
    Skin();
    auto* s = dynamic_cast<TSkinComBox*>(ChildSkinner(combo));
    ASSERT_NE(s, nullptr);
    ASSERT_NE(s->ListScrollbar, nullptr);
    HWND list = s->ListWindow;
    EXPECT_EQ(skinned->Skinner->ChildSkinnerOf(list), nullptr) << "the combo's skinner owns it, not the form";

    SendMessageA(combo->Handle(), CB_SHOWDROPDOWN, TRUE, 0);
    PumpFor(50);
    SCROLLBARINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetScrollBarInfo(list, OBJID_VSCROLL, &info));
    RECT frame{};
    GetWindowRect(list, &frame);
    EXPECT_EQ(WindowPixel(list, info.rcScrollBar.left - frame.left + 8, info.rcScrollBar.top - frame.top + 3),
              ScrollGlyph(9));
    SendMessageA(combo->Handle(), CB_SHOWDROPDOWN, FALSE, 0);
    PumpFor(20);

    skinned->Skinner->Unskin();
    PumpFor(20);
    EXPECT_EQ(ChildSkinner(combo), nullptr);
    EXPECT_EQ(win::Subclass::Of(list, win::SubclassKind::Control), nullptr)
        << "the list's skinner went with the combo's: the list has its own procedure";
}

TEST_F(SkinnedEdits, DestroyingAComboWithItsListOpenLeavesNothingBehind) {
    MakeForm({.Scroll = true, .ComboButton = true});
    auto* keep = Add<TEdit>(10, 100, 100, 22);
    Skin();
    const DWORD windowsBefore = UserObjectCount();
    auto* combo = Add<TComboBox>(10, 10, 160, 22);
    combo->SetStyle(csDropDown);
    for (int i = 0; i < 30; ++i)
        combo->Items()->Add("item " + std::to_string(i));
    skinned->Attach();
    auto* s = dynamic_cast<TSkinComBox*>(ChildSkinner(combo));
    ASSERT_NE(s, nullptr);
    ASSERT_NE(s->ListScrollbar, nullptr);
    ASSERT_NE(s->EditChild, nullptr);
    SendMessageA(combo->Handle(), CB_SHOWDROPDOWN, TRUE, 0);
    PumpFor(30);
    delete combo;
    PumpFor(30);
    EXPECT_EQ(UserObjectCount(), windowsBefore) << "the combo, its edit and its list are gone";
    for (TSkinControl* c : skinned->Skinner->ChildSkinners)
        EXPECT_NE(c, static_cast<TSkinControl*>(s));
    EXPECT_NE(ChildSkinner(keep), nullptr);
}

TEST_F(SkinnedEdits, ThePickersArrowLightsUnderThePointerAndOpensTheCalendar) {
    MakeForm({.ComboButton = true});
    auto* edit = Add<TEdit>(10, 10, 100, 22);
    auto* picker = Add<TDateTimePicker>(10, 60, 160, 24);
    Skin();
    edit->SetFocus();
    auto* s = dynamic_cast<TSkinDateTime*>(ChildSkinner(picker));
    ASSERT_NE(s, nullptr);
    ASSERT_NE(s->Arrow, nullptr);
    HWND arrow = s->Arrow->Handle();
    RECT r{};
    GetWindowRect(arrow, &r);
    const int midX = (r.right - r.left) / 2, midY = (r.bottom - r.top) / 2;
    PumpFor(20);
    EXPECT_EQ(WindowPixel(arrow, midX, midY), kComboButton[0]);

    MouseMoveTo(r.left + midX, r.top + midY);
    EXPECT_TRUE(PumpUntil([&] { return s->Arrow->Hot; }));
    PumpFor(20);
    EXPECT_EQ(WindowPixel(arrow, midX, midY), kComboButton[3]);

    MouseClickAt(r.left + midX, r.top + midY);
    EXPECT_TRUE(PumpUntil([&] { return SendMessageA(picker->Handle(), DTM_GETMONTHCAL, 0, 0) != 0; }))
        << "the press reached the picker's own button";
    KeyPress(VK_ESCAPE);
    PumpFor(30);
    MouseMoveTo(2, 2);
    EXPECT_TRUE(PumpUntil([&] { return !s->Arrow || !s->Arrow->Hot; }));
}

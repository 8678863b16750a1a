// Push-button painters: the face frame for each state, the caption, glyph cells and layout, the
// parent showing through, and what a click through the skin does.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "skin/controls/skin_buttons.h"
#include "tests/skin/controls/control_fixture.h"
#include "tests/support/wintest.h"
#include "toolkit/controls/bit_btn.h"
#include "toolkit/controls/button_layout.h"
#include "toolkit/controls/ext_ctrls.h"
#include "toolkit/controls/form.h"
#include "toolkit/controls/messages.h"
#include "toolkit/controls/speed_button.h"
#include "toolkit/controls/std_ctrls.h"
#include "toolkit/graphics/canvas.h"
#include "toolkit/graphics/colors.h"
#include "toolkit/graphics/rects.h"
#include "toolkit/handles.h"

using namespace qs::test;

namespace {

constexpr int kW = 90, kH = 30;
// A pixel of the face away from the corner and the caption.
constexpr POINT kFaceProbe{kFaceCorner + 2, kFaceCorner + 2};

uint32_t rgb(TColor c) {
    const uint32_t v = ColorToRGB(c);
    return (v & 0xFF) << 16 | (v & 0xFF00) | (v >> 16 & 0xFF);
}

class Buttons : public SkinnedFormTest {
  protected:
    void SetUp() override { MakeForm(); }
    TButton* AddButton(const char* caption, int top) {
        auto* b = new TButton(form.get());
        b->SetParent(form.get());
        b->SetBounds(10, top, kW, kH);
        b->SetCaption(caption);
        return b;
    }
    TSkinButton& SkinnerOf(TControl* c) {
        auto* s = dynamic_cast<TSkinButton*>(ChildSkinner(c));
        EXPECT_NE(s, nullptr);
        return *s;
    }
    // The face colour the skinner draws now.
    uint32_t Face(TControl* c) {
        auto bmp = Canvas24(kW, kH);
        SkinnerOf(c).DrawSkin(bmp->Canvas().Handle(), RECT{0, 0, kW, kH});
        return Pixel(*bmp, kFaceProbe.x, kFaceProbe.y);
    }
};

} // namespace

TEST_F(Buttons, FaceFramesFollowTheStatePriorities) {
    TButton* plain = AddButton("Plain", 10);
    TButton* other = AddButton("Other", 50);
    TButton* def = AddButton("Default", 90);
    def->SetDefault(true);
    Skin();
    other->SetFocus();
    EXPECT_EQ(Face(plain), kFace[0]) << "normal";
    EXPECT_EQ(Face(def), kFace[4]) << "default";
    plain->SetFocus();
    EXPECT_EQ(Face(plain), kFace[4]) << "focused";
    other->SetFocus();

    SendMessageA(plain->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(Face(plain), kFace[3]) << "hot";
    SendMessageA(plain->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(Face(plain), kFace[1]) << "pressed and hot: pressed";
    SendMessageA(plain->Handle(), WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(Face(plain), kFace[4]) << "the press gave it the focus";

    def->SetEnabled(false);
    EXPECT_EQ(Face(def), kFace[2]) << "a disabled default button";
}

TEST_F(Buttons, AMenuButtonShowsItsFocusAsHot) {
    TButton* b = AddButton("Menu", 10);
    TButton* other = AddButton("Other", 50);
    b->SetDefault(true);
    Skin();
    // A second skinner would be refused; the menu button replaces the push-button skinner.
    delete skinned->Skinner->ChildSkinnerOf(b);
    auto* menu = new TSkinMenuButton(b);
    menu->AttachToControl(skinned->Skinner.get(), skin.get(), false, nullptr);
    other->SetFocus();
    EXPECT_EQ(Face(b), kFace[0]) << "default means nothing to a menu button";
    b->SetFocus();
    EXPECT_EQ(Face(b), kFace[3]);
}

TEST_F(Buttons, TheScreenShowsWhatDrawSkinDraws) {
    TButton* b = AddButton("Screen", 10);
    Skin();
    AddButton("Focus", 50)->SetFocus();
    InvalidateRect(b->Handle(), nullptr, TRUE);
    UpdateWindow(b->Handle());
    const Pixels screen = CaptureClient(b->Handle());
    auto bmp = Canvas24(kW, kH);
    SkinnerOf(b).DrawSkin(bmp->Canvas().Handle(), RECT{0, 0, kW, kH});
    int differ = 0;
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x)
            differ += (screen.at(x, y) & 0xFFFFFF) != Pixel(*bmp, x, y);
    EXPECT_EQ(differ, 0);
    EXPECT_EQ(screen.at(1, 1) & 0xFFFFFF, rgb(clBtnFace)) << "the face colour behind the magenta corner";
}

TEST_F(Buttons, Tag5555ShowsTheParentThroughTheMagenta) {
    auto* panel = new TPanel(form.get());
    panel->SetParent(form.get());
    panel->SetBounds(120, 10, 200, 100);
    auto* b = new TButton(form.get());
    b->SetParent(panel);
    b->SetBounds(10, 10, kW, kH);
    b->SetTag(5555);
    Skin();
    // Skinning gives the panel the skin's face; a colour of the program's own set afterwards shows.
    panel->SetColor(clRed);
    auto bmp = Canvas24(kW, kH);
    SkinnerOf(b).DrawSkin(bmp->Canvas().Handle(), RECT{0, 0, kW, kH});
    EXPECT_EQ(Pixel(*bmp, 1, 1), 0xFF0000u);
    // The form's only tab stop has the focus: the focused face.
    EXPECT_EQ(Pixel(*bmp, kFaceProbe.x, kFaceProbe.y), GetFocus() == b->Handle() ? kFace[4] : kFace[0]);
}

TEST_F(Buttons, OnlyAPressThroughTheSkinClicks) {
    TButton* b = AddButton("Click", 10);
    int clicks = 0;
    b->OnClick = TNotifyEvent([&](TObject*) { ++clicks; });
    Skin();
    SendMessageA(b->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    PumpFor(20);
    EXPECT_EQ(clicks, 0) << "released without a press";
    SendMessageA(b->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(b->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    PumpFor(20);
    EXPECT_EQ(clicks, 1);
}

namespace {

int commands = 0;
WORD lastCommandId = 0;

LRESULT CALLBACK countCommands(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        ++commands;
        lastCommandId = LOWORD(wParam);
    }
    return DefWindowProcA(h, msg, wParam, lParam);
}

} // namespace

TEST(PlainButtons, AClickThroughTheSkinPostsOneCommand) {
    commands = 0;
    WNDCLASSA wc{};
    wc.lpfnWndProc = countCommands;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "QsCommandCounter";
    RegisterClassA(&wc);
    HWND parent = CreateWindowExA(0, "QsCommandCounter", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 60, 60, 300,
                                  200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    HWND button = ChildWindow(parent, "button", BS_PUSHBUTTON, "OK", RECT{10, 10, 100, 40}, 42);
    auto skin = LoadControlSkin();
    {
        SkinnedWindow s(*skin, parent);
        ASSERT_NE(s.Skinner->ChildSkinnerOf(button), nullptr);
        SetForegroundWindow(parent);
        RECT r{};
        GetWindowRect(button, &r);
        MouseClickAt(r.left + 20, r.top + 10);
        PumpFor(100);
        EXPECT_EQ(commands, 1) << "the skin's click only; the button never saw the press";
        EXPECT_EQ(lastCommandId, 42);
    }
    DestroyWindow(parent);
}

TEST(ButtonCaption, TheFirstPairOfBarsBreaksTheLineAndTheTextSitsOneAboveCentre) {
    EXPECT_EQ(PrepareButtonCaption(L"One||Two||Three"), L"One\r\nTwo||Three");
    EXPECT_EQ(PrepareButtonCaption(L"None"), L"None");

    auto drawn = Canvas24(120, 60), expected = Canvas24(120, 60);
    const std::wstring caption = PrepareButtonCaption(L"One||Two||Three");
    HDC dc = drawn->Canvas().Handle();
    SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    DrawCentredCaption(dc, caption, RECT{0, 0, 120, 60}, 0, false);

    HDC ref = expected->Canvas().Handle();
    SelectObject(ref, GetStockObject(DEFAULT_GUI_FONT));
    RECT m{2, 2, 118, 58};
    DrawTextW(ref, caption.c_str(), -1, &m,
              DT_CALCRECT | DT_NOCLIP | DT_WORDBREAK | DT_EXPANDTABS | DT_CENTER);
    const int tw = RectWidth(m), th = RectHeight(m);
    RECT at{(120 - tw) / 2, (60 - th) / 2 - 1, (120 - tw) / 2 + tw, (60 - th) / 2 - 1 + th};
    SetBkMode(ref, TRANSPARENT);
    DrawTextW(ref, caption.c_str(), -1, &at, DT_WORDBREAK | DT_EXPANDTABS | DT_CENTER);
    EXPECT_GT(th, 20) << "two lines";
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 120; ++x)
            ASSERT_EQ(Pixel(*drawn, x, y), Pixel(*expected, x, y)) << x << "," << y;
}

TEST(GlyphButtons, LayoutSpreadsMarginAndSpacingEvenly) {
    TButtonLayoutInput in;
    in.Client = SIZE{100, 24};
    in.Glyph = SIZE{16, 16};
    in.Text = SIZE{40, 13};
    in.Margin = -1;
    in.Spacing = -1;
    const TButtonLayoutResult out = LayoutButton(in);
    EXPECT_EQ(out.GlyphPos.x, 14);
    EXPECT_EQ(out.TextRect.left, 44);
}

TEST(GlyphButtons, CellsByStateAndTheEmbossedDisabledGlyph) {
    EXPECT_EQ(GlyphCell(giDisabled, 2), 1);
    EXPECT_EQ(GlyphCell(giDown, 3), 0) << "a fourth cell it does not have";
    EXPECT_EQ(GlyphCell(giPressed, 3), 2);
    EXPECT_EQ(GlyphIndexFor(ffHot, false), giNormal);

    // A black square on white; white (the bottom-left colour) is see-through.
    TBitmap glyph(16, 16, pf24bit);
    HDC g = glyph.Canvas().Handle();
    PatBlt(g, 0, 0, 16, 16, WHITENESS);
    PatBlt(g, 4, 4, 8, 8, BLACKNESS);
    auto bmp = Canvas24(20, 20, 0x00FF00);
    DrawGlyphCell(bmp->Canvas().Handle(), glyph, 1, giDisabled, POINT{0, 0});
    EXPECT_EQ(Pixel(*bmp, 8, 8), rgb(clBtnShadow)) << "the shape in shadow";
    EXPECT_EQ(Pixel(*bmp, 12, 12), rgb(clBtnHighlight)) << "its highlight one pixel down and right";
    EXPECT_EQ(Pixel(*bmp, 1, 1), 0x00FF00u) << "the background left alone";

    auto normal = Canvas24(20, 20, 0x00FF00);
    DrawGlyphCell(normal->Canvas().Handle(), glyph, 1, giNormal, POINT{0, 0});
    EXPECT_EQ(Pixel(*normal, 8, 8), 0u);
    EXPECT_EQ(Pixel(*normal, 1, 1), 0x00FF00u);
}

TEST_F(Buttons, AFlatSpeedButtonShowsItsFaceOnlyWhenHotOrDown) {
    auto* flat = new TSpeedButton(form.get());
    flat->SetParent(form.get());
    flat->SetBounds(10, 10, kW, kH);
    flat->SetFlat(true);
    flat->SetTransparent(false);
    auto* raised = new TSpeedButton(form.get());
    raised->SetParent(form.get());
    raised->SetBounds(10, 50, kW, kH);
    Skin();
    auto* s = dynamic_cast<TSkinSpeedButton*>(skinned->Skinner->ChildSkinnerOf(flat));
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->RepaintTarget, flat);
    auto face = [&](TSkinSpeedButton& skinner) {
        auto bmp = Canvas24(kW, kH);
        skinner.PaintSpeedButton(bmp->Canvas().Handle(), RECT{0, 0, kW, kH});
        return Pixel(*bmp, kFaceProbe.x, kFaceProbe.y);
    };
    EXPECT_EQ(face(*s), rgb(clBtnFace)) << "idle: the background only";
    flat->Perform(TKN_MOUSEENTER);
    EXPECT_EQ(face(*s), kFace[3]);
    flat->Perform(TKN_MOUSELEAVE);
    flat->SetGroupIndex(1); // only a grouped button stays down, and comes up when allowed
    flat->SetAllowAllUp(true);
    flat->SetDown(true);
    EXPECT_EQ(face(*s), kFace[1]);
    flat->SetDown(false);
    flat->SetEnabled(false);
    EXPECT_EQ(face(*s), rgb(clBtnFace)) << "disabled and flat: still only the background";

    auto* r = dynamic_cast<TSkinSpeedButton*>(skinned->Skinner->ChildSkinnerOf(raised));
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(face(*r), kFace[0]);
    // The paint the parent asks for goes through the skinner.
    InvalidateRect(form->Handle(), nullptr, TRUE);
    UpdateWindow(form->Handle());
    POINT at{10 + kFaceProbe.x, 50 + kFaceProbe.y};
    ClientToScreen(form->Handle(), &at);
    EXPECT_EQ(CaptureScreen(RECT{at.x, at.y, at.x + 1, at.y + 1}).at(0, 0) & 0xFFFFFF, kFace[0]);
}

TEST_F(Buttons, ABitButtonShowsTheGlyphCellOfItsState) {
    auto* b = new TBitBtn(form.get());
    b->SetParent(form.get());
    b->SetBounds(10, 10, 120, kH);
    b->SetCaption("Glyph");
    // Two cells: blue up, yellow disabled; the bottom-left pixel (magenta) is see-through.
    TBitmap glyph(32, 16, pf24bit);
    HDC g = glyph.Canvas().Handle();
    win::BrushHandle blue(CreateSolidBrush(RGB(0, 0, 255))), yellow(CreateSolidBrush(RGB(255, 255, 0))),
        key(CreateSolidBrush(RGB(255, 0, 255)));
    RECT cell0{0, 0, 16, 16}, cell1{16, 0, 32, 16}, corner0{0, 15, 1, 16}, corner1{16, 15, 17, 16};
    FillRect(g, &cell0, blue.Get());
    FillRect(g, &cell1, yellow.Get());
    FillRect(g, &corner0, key.Get());
    FillRect(g, &corner1, key.Get());
    b->SetGlyph(&glyph);
    b->SetNumGlyphs(2);
    Skin();
    auto count = [&](uint32_t colour) {
        auto bmp = Canvas24(120, kH);
        SkinnerOf(b).DrawSkin(bmp->Canvas().Handle(), RECT{0, 0, 120, kH});
        int n = 0;
        for (int y = 0; y < kH; ++y)
            for (int x = 0; x < 120; ++x)
                n += Pixel(*bmp, x, y) == colour;
        return n;
    };
    EXPECT_GT(count(0x0000FF), 200);
    EXPECT_EQ(count(0xFFFF00), 0);
    b->SetEnabled(false);
    EXPECT_EQ(count(0x0000FF), 0);
    EXPECT_GT(count(0xFFFF00), 200) << "the second cell";
}

TEST_F(Buttons, WithoutAFaceImageTheSystemPaintsThemUntilASkinBringsOne) {
    MakeForm(ControlSkinOptions{4, 4, true, false});
    TButton* push = AddButton("Push", 10);
    auto* bit = new TBitBtn(form.get());
    bit->SetParent(form.get());
    bit->SetBounds(10, 50, kW, kH);
    bit->SetCaption("Bit");
    TButton* menu = AddButton("Menu", 90);
    auto* speed = new TSpeedButton(form.get());
    speed->SetParent(form.get());
    speed->SetBounds(10, 130, kW, kH);
    speed->SetCaption("Speed");
    Skin();
    delete skinned->Skinner->ChildSkinnerOf(menu);
    (new TSkinMenuButton(menu))->AttachToControl(skinned->Skinner.get(), skin.get(), false, nullptr);
    ASSERT_NE(skinned->Skinner->ChildSkinnerOf(speed), nullptr);

    const std::vector<TControl*> buttons{push, bit, menu, speed};
    // What the screen shows of each button after the form and its children painted anew over a
    // magenta smear: a window whose paint is swallowed keeps the smear, and a windowless button
    // shows only the form's background.
    auto repaint = [&] {
        win::BrushHandle smear(CreateSolidBrush(RGB(255, 0, 255)));
        for (TControl* c : buttons) {
            auto* win = dynamic_cast<TWinControl*>(c);
            win::WindowDC dc = win::WindowDC::Client(win ? win->Handle() : form->Handle());
            RECT r = c->BoundsRect();
            if (win) OffsetRect(&r, -r.left, -r.top);
            FillRect(dc.Get(), &r, smear.Get());
        }
        RedrawWindow(form->Handle(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        PumpFor(30);
        return CaptureClient(form->Handle());
    };
    Pixels screen = repaint();
    for (TControl* c : buttons) {
        const RECT r = c->BoundsRect();
        int smeared = 0, ink = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) {
                smeared += (screen.at(x, y) & 0xFFFFFF) == kMagentaKey;
                ink += (screen.at(x, y) & 0xFFFFFF) == rgb(clBtnText);
            }
        EXPECT_EQ(smeared, 0) << c->ClassName() << " painted by the system";
        EXPECT_GT(ink, 10) << c->ClassName() << " with its caption";
        EXPECT_EQ(screen.at(r.left + kFaceProbe.x, r.top + kFaceProbe.y) & 0xFFFFFF, rgb(clBtnFace))
            << c->ClassName();
    }

    const auto bytes = ControlSkin().Compressed();
    skin->SkinStream().Clear();
    skin->SkinStream().Write(bytes.data(), bytes.size());
    ASSERT_TRUE(skin->LoadSkin());
    skinned->Skinner->Reskin();
    screen = repaint();
    for (TControl* c : buttons) {
        const RECT r = c->BoundsRect();
        const uint32_t probe = screen.at(r.left + kFaceProbe.x, r.top + kFaceProbe.y) & 0xFFFFFF;
        EXPECT_NE(std::find(std::begin(kFace), std::end(kFace), probe), std::end(kFace))
            << c->ClassName() << " skinned again: " << std::hex << probe;
    }
}

TEST(MenuButtonRow, TheArrowStaysInsideTheButton) {
    // A fixed margin with automatic spacing: the arrow's 8 pixels end one margin before the edge.
    TMenuButtonRow row = LayoutMenuButton(100, 0, 40, 4, -1);
    EXPECT_EQ(row.TextX, 20);
    EXPECT_EQ(row.ArrowX, 92);
    row = LayoutMenuButton(100, 16, 40, 4, -1);
    EXPECT_EQ(row.GlyphX, 4);
    EXPECT_EQ(row.TextX, 4 + 16 + 10);
    EXPECT_EQ(row.ArrowX, 30 + 40 + 20);
    // A caption too wide for the margin: no negative spacing, and the arrow still inside.
    row = LayoutMenuButton(100, 16, 80, 10, -1);
    EXPECT_EQ(row.TextX, 26);
    EXPECT_LE(row.ArrowX + 3, 99);
    // Automatic margin and spacing: four equal gaps; a fixed spacing centres the row.
    row = LayoutMenuButton(100, 0, 40, -1, -1);
    EXPECT_EQ(row.TextX, 26);
    EXPECT_EQ(row.ArrowX, 92);
    row = LayoutMenuButton(100, 0, 40, -1, 5);
    EXPECT_EQ(row.TextX, 26);
    EXPECT_EQ(row.ArrowX, 76);
}

TEST_F(Buttons, AMenuButtonWithAFixedMarginDrawsItsArrowInside) {
    auto* b = new TBitBtn(form.get());
    b->SetParent(form.get());
    b->SetBounds(10, 10, 100, kH);
    b->SetCaption("Menu");
    b->SetMargin(4);
    b->SetSpacing(-1);
    Skin();
    delete skinned->Skinner->ChildSkinnerOf(b);
    auto* menu = new TSkinMenuButton(b);
    menu->AttachToControl(skinned->Skinner.get(), skin.get(), false, nullptr);
    auto bmp = Canvas24(100, kH);
    menu->DrawSkin(bmp->Canvas().Handle(), RECT{0, 0, 100, kH});
    // Caption and arrow are both drawn in the window-text colour: the rightmost ink is the arrow.
    int right = -1;
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < 100; ++x)
            if (Pixel(*bmp, x, y) == rgb(clWindowText)) right = std::max(right, x);
    EXPECT_GT(right, 100 - 4 - kMenuArrowWidth);
    EXPECT_LT(right, 100 - 4);
}

namespace {

// A plain parent that paints itself red (its background is the skin's to erase).
LRESULT CALLBACK paintRed(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != WM_PAINT) return DefWindowProcA(h, msg, wParam, lParam);
    win::BrushHandle red(CreateSolidBrush(RGB(255, 0, 0)));
    RECT r{};
    GetClientRect(h, &r);
    if (wParam) {
        FillRect(HDC(wParam), &r, red.Get());
    } else {
        win::PaintDC paint(h);
        FillRect(paint.Get(), &r, red.Get());
    }
    return 0;
}

HWND RedParent() {
    static const char* cls = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = paintRed;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "QsRedParent";
        RegisterClassA(&wc);
        return "QsRedParent";
    }();
    return CreateWindowExA(0, cls, "", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 60, 60, 300, 200,
                           nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

} // namespace

TEST(PlainButtons, TheSkinsTransparentOptionShowsTheParentThroughTheFace) {
    HWND parent = RedParent();
    HWND button = ChildWindow(parent, "button", BS_PUSHBUTTON, "OK", RECT{10, 10, 10 + kW, 10 + kH}, 42);
    auto skin = LoadControlSkin();
    skin->SetOptions(skin->Options() | SetOf(xoTransparent));
    {
        SkinnedWindow s(*skin, parent);
        auto* skinner = dynamic_cast<TSkinButton*>(s.Skinner->ChildSkinnerOf(button));
        ASSERT_NE(skinner, nullptr);
        EXPECT_TRUE(skinner->Transparent);
        InvalidateRect(button, nullptr, TRUE);
        UpdateWindow(button);
        PumpFor(20);
        const Pixels screen = CaptureClient(button);
        EXPECT_EQ(screen.at(1, 1) & 0xFFFFFF, 0xFF0000u) << "the parent through the magenta corner";
        EXPECT_NE(
            std::find(std::begin(kFace), std::end(kFace), screen.at(kFaceProbe.x, kFaceProbe.y) & 0xFFFFFF),
            std::end(kFace))
            << "the face around it";
    }
    DestroyWindow(parent);
}

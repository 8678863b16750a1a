// Bit and speed buttons: stock kinds, the glyph cell each state draws, speed button groups, and
// the messages an outside painter relies on (pointer enter and leave, painting via WindowProc).
#include <gtest/gtest.h>

#include "tests/toolkit/controls/test_forms.h"

namespace {

constexpr COLORREF kKey = RGB(0, 255, 0);

// A strip of 16x16 cells filled with `colors`, the bottom-left pixel of each in the key colour.
void MakeStrip(TBitmap& glyph, std::initializer_list<TColor> colors) {
    glyph.SetSize(16 * int(colors.size()), 16);
    TCanvas& c = glyph.Canvas();
    int x = 0;
    for (TColor color : colors) {
        c.Brush().SetColor(color);
        c.FillRect({x, 0, x + 16, 16});
        c.SetPixel(x, 15, TColor(kKey));
        x += 16;
    }
}

struct Surface {
    Surface(int w, int h) : bmp(CreateBitmap(w, h, 1, 32, nullptr)), sel(mem.Get(), bmp.Get()) {}
    COLORREF at(int x, int y) const { return GetPixel(mem.Get(), x, y); }
    win::MemoryDC mem{nullptr};
    win::BitmapHandle bmp;
    win::SelectGuard sel;
};

class Buttons : public ::testing::Test {
  protected:
    void SetUp() override {
        form = NewForm<TPlainForm>(nullptr);
        form->SetBounds(100, 100, 400, 300);
    }
    void TearDown() override { delete form; }
    TPlainForm* form = nullptr;
};

TEST_F(Buttons, KindBringsCaptionModalResultAndDefaultOrCancel) {
    auto* b = new TBitBtn(form);
    b->SetParent(form);
    b->SetKind(bkOK);
    EXPECT_EQ(b->Caption(), "OK");
    EXPECT_EQ(b->ModalResult(), mrOk);
    EXPECT_TRUE(b->Default());
    b->SetKind(bkNo);
    EXPECT_EQ(b->Caption(), "&No");
    EXPECT_EQ(b->ModalResult(), mrNo);
    EXPECT_FALSE(b->Default());
    EXPECT_TRUE(b->Cancel());
    b->SetKind(bkAll);
    EXPECT_EQ(b->ModalResult(), mrAll);
    // Back to custom keeps what the kind gave.
    b->SetKind(bkCustom);
    EXPECT_EQ(b->Caption(), "&All");

    b->SetKind(bkRetry);
    SendMessageA(b->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(form->ModalResult(), mrRetry);
}

TEST_F(Buttons, BitButtonStaysOwnerDrawnWhenMadeDefault) {
    auto* b = new TBitBtn(form);
    b->SetParent(form);
    EXPECT_EQ(GetWindowLongA(b->Handle(), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
    b->SetDefault(true);
    EXPECT_EQ(GetWindowLongA(b->Handle(), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
}

TEST_F(Buttons, AQuickSecondClickOnABitButtonIsAClickToo) {
    auto* b = new TBitBtn(form);
    b->SetParent(form);
    int clicks = 0;
    b->OnClick = TNotifyEvent([&](TObject*) { ++clicks; });
    const LPARAM at = MAKELPARAM(5, 5);
    for (UINT down : {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK}) {
        SendMessageA(b->Handle(), down, MK_LBUTTON, at);
        SendMessageA(b->Handle(), WM_LBUTTONUP, 0, at);
    }
    EXPECT_EQ(clicks, 2);
}

class BitButtonGlyph : public Buttons {
  protected:
    void SetUp() override {
        Buttons::SetUp();
        button = new TBitBtn(form);
        button->SetParent(form);
        button->SetBounds(0, 0, 60, 30);
        button->SetMargin(4);
    }
    // The pixel at (x, y) of the glyph, drawn with the given item state.
    COLORREF glyphPixel(UINT itemState, int x, int y) {
        Surface s(60, 30);
        DRAWITEMSTRUCT d{};
        d.CtlType = ODT_BUTTON;
        d.hwndItem = button->Handle();
        d.hDC = s.mem.Get();
        d.rcItem = {0, 0, 60, 30};
        d.itemState = itemState;
        button->Perform(CN_DRAWITEM, 0, reinterpret_cast<LPARAM>(&d));
        // Margin 4 from the left, centred across: (30 - 16 + 1) / 2 = 7; pressed shifts by one.
        const int shift = (itemState & ODS_SELECTED) ? 1 : 0;
        return s.at(4 + x + shift, 7 + y + shift);
    }
    TBitBtn* button = nullptr;
};

TEST_F(BitButtonGlyph, EachStateDrawsItsCellWithoutTheKeyColour) {
    MakeStrip(*button->Glyph(), {clRed, clBlue, clYellow});
    button->SetNumGlyphs(3);
    EXPECT_EQ(glyphPixel(0, 8, 8), RGB(255, 0, 0));
    EXPECT_EQ(glyphPixel(ODS_DISABLED, 8, 8), RGB(0, 0, 255));
    EXPECT_EQ(glyphPixel(ODS_SELECTED, 8, 8), RGB(255, 255, 0));
    EXPECT_NE(glyphPixel(0, 0, 15), kKey);
    EXPECT_EQ(glyphPixel(0, 0, 15), GetSysColor(COLOR_BTNFACE));
}

TEST_F(BitButtonGlyph, MissingCellsFallBackToTheUpCellEmbossedWhenDisabled) {
    MakeStrip(*button->Glyph(), {clRed});
    EXPECT_EQ(glyphPixel(ODS_SELECTED, 8, 8), RGB(255, 0, 0));
    EXPECT_EQ(glyphPixel(ODS_DISABLED, 8, 8), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_NE(glyphPixel(ODS_DISABLED, 0, 15), kKey);
}

TEST_F(BitButtonGlyph, AnImageListStandsInForTheGlyph) {
    MakeStrip(*button->Glyph(), {clRed});
    auto* images = new TImageList(form);
    TBitmap strip;
    MakeStrip(strip, {clBlue, clMaroon});
    images->AddMasked(strip, TColor(kKey));
    button->SetImages(images);
    button->SetImageIndex(0);
    button->SetDisabledIndex(1);
    EXPECT_EQ(glyphPixel(0, 8, 8), RGB(0, 0, 255));
    EXPECT_EQ(glyphPixel(ODS_DISABLED, 8, 8), RGB(128, 0, 0));
    // Freeing the list lets go of it.
    delete images;
    EXPECT_EQ(button->Images(), nullptr);
    EXPECT_EQ(glyphPixel(0, 8, 8), RGB(255, 0, 0));
}

class SpeedGroup : public Buttons {
  protected:
    void SetUp() override {
        Buttons::SetUp();
        for (int i = 0; i < 3; ++i) {
            auto* b = new TSpeedButton(form);
            b->SetParent(form);
            b->SetBounds(10 + 30 * i, 10, 25, 25);
            b->SetGroupIndex(1);
            b->OnClick = TNotifyEvent([this](TObject*) { ++clicks; });
            group[i] = b;
        }
    }
    // A left click as the form passes it on: down and up at the button's centre.
    void press(TSpeedButton* b) {
        LPARAM at = MAKELPARAM(b->Left() + 5, b->Top() + 5);
        SendMessageA(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(form->Handle(), WM_LBUTTONUP, 0, at);
    }
    bool downs(bool a, bool b, bool c) const {
        return group[0]->Down() == a && group[1]->Down() == b && group[2]->Down() == c;
    }
    TSpeedButton* group[3] = {};
    int clicks = 0;
};

TEST_F(SpeedGroup, PressingOnePutsItDownAndTheOthersUp) {
    press(group[0]);
    EXPECT_TRUE(downs(true, false, false));
    press(group[2]);
    EXPECT_TRUE(downs(false, false, true));
    EXPECT_EQ(clicks, 2);
    // Without AllowAllUp the down one stays down, pressed or told.
    press(group[2]);
    group[2]->SetDown(false);
    EXPECT_TRUE(downs(false, false, true));
    EXPECT_EQ(clicks, 3);
    group[1]->SetDown(true);
    EXPECT_TRUE(downs(false, true, false));
}

TEST_F(SpeedGroup, AllowAllUpIsSharedAndLetsTheDownOneUp) {
    group[0]->SetAllowAllUp(true);
    EXPECT_TRUE(group[2]->AllowAllUp());
    press(group[1]);
    press(group[1]);
    EXPECT_TRUE(downs(false, false, false));
    group[2]->SetDown(true);
    group[2]->SetDown(false);
    EXPECT_TRUE(downs(false, false, false));
}

TEST_F(SpeedGroup, OnlySameIndexSiblingsAreOneGroup) {
    auto* other = new TSpeedButton(form);
    other->SetParent(form);
    other->SetGroupIndex(2);
    other->SetDown(true);
    auto* panel = new TPanel(form);
    panel->SetParent(form);
    auto* away = new TSpeedButton(form);
    away->SetParent(panel);
    away->SetGroupIndex(1);
    away->SetDown(true);
    group[0]->SetDown(true);
    EXPECT_TRUE(other->Down());
    EXPECT_TRUE(away->Down());
    // Ungrouped buttons spring back up.
    auto* plain = new TSpeedButton(form);
    plain->SetParent(form);
    plain->SetDown(true);
    EXPECT_FALSE(plain->Down());
    group[0]->SetGroupIndex(0);
    EXPECT_FALSE(group[0]->Down());
}

TEST_F(SpeedGroup, ReleasingOutsideIsNoClick) {
    SendMessageA(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(15, 15));
    SendMessageA(form->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(200, 200));
    SendMessageA(form->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(200, 200));
    EXPECT_EQ(clicks, 0);
    EXPECT_TRUE(downs(false, false, false));
}

TEST_F(SpeedGroup, PointerEnterAndLeaveReachTheButtonsWindowProc) {
    MessageSpy spy(group[1]);
    SendMessageA(form->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(45, 15));
    EXPECT_EQ(spy.Count(TKN_MOUSEENTER), 1);
    EXPECT_TRUE(group[1]->MouseInControl());
    SendMessageA(form->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(200, 200));
    EXPECT_EQ(spy.Count(TKN_MOUSELEAVE), 1);
    EXPECT_FALSE(group[1]->MouseInControl());
}

TEST_F(SpeedGroup, PaintingGoesThroughWindowProcWithTheDC) {
    MakeStrip(*group[0]->Glyph(), {clRed});
    group[0]->SetBounds(0, 0, 30, 30);
    Surface s(40, 40);
    MessageSpy spy(group[0]);
    form->Perform(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(s.mem.Get()), PRF_CLIENT);
    ASSERT_EQ(spy.Count(WM_PAINT), 1);
    EXPECT_EQ(spy.seen.back().WParam, reinterpret_cast<WPARAM>(s.mem.Get()));
    EXPECT_EQ(s.at(15, 15), RGB(255, 0, 0)); // the glyph, centred

    // A painter that takes WM_PAINT over leaves the button's own drawing out.
    spy.swallow.push_back(WM_PAINT);
    RECT all{0, 0, 40, 40};
    FillRect(s.mem.Get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    form->Perform(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(s.mem.Get()), PRF_CLIENT);
    EXPECT_EQ(s.at(15, 15), RGB(255, 255, 255));
}

} // namespace

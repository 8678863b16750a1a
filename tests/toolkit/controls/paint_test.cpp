// Painting of the toolkit-drawn controls into a memory DC: the pixels that matter.
#include <gtest/gtest.h>

#include "tests/toolkit/controls/test_forms.h"

namespace {

struct Surface {
    Surface(int w, int h) : bmp(CreateBitmap(w, h, 1, 32, nullptr)), sel(mem.Get(), bmp.Get()) {
        RECT r{0, 0, w, h};
        FillRect(mem.Get(), &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    COLORREF at(int x, int y) const { return GetPixel(mem.Get(), x, y); }
    win::MemoryDC mem{nullptr};
    win::BitmapHandle bmp;
    win::SelectGuard sel;
};

class Painting : public ::testing::Test {
  protected:
    void SetUp() override { form = NewForm<TPlainForm>(nullptr); }
    void TearDown() override { delete form; }
    TPlainForm* form = nullptr;
};

TEST_F(Painting, ShapeOfHeightOneIsALineInThePenColour) {
    auto* shape = new TShape(form);
    shape->SetParent(form);
    shape->SetBounds(0, 0, 50, 1);
    shape->Pen()->SetColor(clMaroon);
    Surface s(60, 4);
    shape->Perform(WM_PAINT, reinterpret_cast<WPARAM>(s.mem.Get()));
    EXPECT_EQ(s.at(0, 0), RGB(128, 0, 0));
    EXPECT_EQ(s.at(49, 0), RGB(128, 0, 0));
    EXPECT_EQ(s.at(50, 0), RGB(255, 255, 255));
}

TEST_F(Painting, PanelDrawsOuterThenInnerBevel) {
    auto* panel = new TPanel(form);
    panel->SetParent(form);
    panel->SetBounds(0, 0, 40, 30);
    panel->SetBevelOuter(bvLowered);
    panel->SetBevelInner(bvRaised);
    Surface s(40, 30);
    panel->Perform(WM_PAINT, reinterpret_cast<WPARAM>(s.mem.Get()));
    COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), light = GetSysColor(COLOR_BTNHIGHLIGHT);
    EXPECT_EQ(s.at(0, 0), shadow);   // lowered outer: dark top-left
    EXPECT_EQ(s.at(39, 29), light);  // light bottom-right
    EXPECT_EQ(s.at(1, 1), light);    // raised inner: light top-left
    EXPECT_EQ(s.at(38, 28), shadow); // dark bottom-right
}

TEST_F(Painting, FormPaintsItsWindowlessChildrenAtTheirPlaces) {
    form->SetColor(clWhite);
    auto* label = new TLabel(form);
    label->SetParent(form);
    label->SetAutoSize(false);
    label->SetBounds(10, 5, 30, 20);
    label->SetColor(clBlue);
    auto* image = new TImage(form);
    image->SetParent(form);
    image->SetBounds(50, 5, 8, 8);
    image->Canvas().Brush().SetColor(clLime);
    image->Canvas().FillRect({0, 0, 8, 8});
    Surface s(80, 40);
    form->Perform(WM_PAINT, reinterpret_cast<WPARAM>(s.mem.Get()));
    EXPECT_EQ(s.at(11, 6), RGB(0, 0, 255)); // the opaque label's background
    EXPECT_EQ(s.at(9, 6), RGB(255, 255, 255));
    EXPECT_EQ(s.at(53, 8), RGB(0, 255, 0)); // the image's bitmap
    label->SetTransparent(true);
    Surface t(80, 40);
    form->Perform(WM_PAINT, reinterpret_cast<WPARAM>(t.mem.Get()));
    EXPECT_EQ(t.at(38, 22), RGB(255, 255, 255)); // nothing of its own behind a transparent label
}

// What a see-through child shows: its parent's background, painted into the child's DC with the
// origin moved to the child's place.
TEST_F(Painting, PanelPaintsItsBackgroundIntoAChildsOffsetDC) {
    auto* panel = new TPanel(form);
    panel->SetParent(form);
    panel->SetBounds(0, 0, 100, 60);
    panel->SetColor(clRed);
    auto* child = new TButton(form);
    child->SetParent(panel);
    child->SetBounds(90, 20, 10, 10);
    Surface s(10, 10);
    SetViewportOrgEx(s.mem.Get(), -child->Left(), -child->Top(), nullptr);
    auto dc = reinterpret_cast<WPARAM>(s.mem.Get());
    panel->Perform(WM_ERASEBKGND, dc);
    panel->Perform(WM_PAINT, dc);
    EXPECT_EQ(s.at(95, 25), RGB(255, 0, 0));
    EXPECT_EQ(s.at(99, 25), GetSysColor(COLOR_BTNSHADOW)); // the raised bevel's right edge

    // The same through WM_PRINTCLIENT, and a hook that paints the background is asked too.
    int hooked = 0;
    TWndMethod own = panel->WindowProc();
    panel->SetWindowProc([&](TMessage& m) {
        if (m.Msg == WM_ERASEBKGND) ++hooked;
        own(m);
    });
    RECT all{90, 20, 100, 30};
    FillRect(s.mem.Get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    panel->Perform(WM_PRINTCLIENT, dc, PRF_CLIENT | PRF_ERASEBKGND);
    EXPECT_EQ(hooked, 1);
    EXPECT_EQ(s.at(95, 25), RGB(255, 0, 0));
    EXPECT_EQ(s.at(99, 25), GetSysColor(COLOR_BTNSHADOW));
    panel->SetWindowProc(own);
}

} // namespace

// The tool bar read from a form resource: its buttons in the bar's window, clicks, buttons
// changed in code, published properties, and the custom-draw events as the screen shows them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <map>

#include "tests/support/wintest.h"
#include "tests/toolkit/controls/test_forms.h"
#include "toolkit/controls/tool_bar.h"
#include "toolkit/core/class_builder.h"
#include "toolkit/core/prop_access.h"

namespace {

class TTestToolBarForm : public TForm {
    QS_DECLARE_CLASS()
  public:
    explicit TTestToolBarForm(TComponent* owner) : TForm(owner) {}
    void OpenButtonClick(TObject*) { ++openClicks; }
    void BoldButtonClick(TObject*) { ++boldClicks; }
    void ToolBar1CustomDraw(TToolBar* s, const RECT& r, bool& d) { drawBar(s, r, d); }
    void ToolBar1CustomDrawButton(TToolBar* s, TToolButton* b, TCustomDrawState st, bool& d) {
        drawButton(s, b, st, d);
    }

    int openClicks = 0, boldClicks = 0;
    std::function<void(TToolBar*, const RECT&, bool&)> drawBar = [](TToolBar*, const RECT&, bool&) {};
    std::function<void(TToolBar*, TToolButton*, TCustomDrawState, bool&)> drawButton =
        [](TToolBar*, TToolButton*, TCustomDrawState, bool&) {};
};

const TClassInfo& TTestToolBarForm::StaticClass() {
    using F = TTestToolBarForm;
    static const TClassInfo& info =
        TClassBuilder<F>("TTestToolBarForm", &TForm::StaticClass())
            .Creatable()
            .Method<void(TObject*)>("OpenButtonClick", &F::OpenButtonClick)
            .Method<void(TObject*)>("BoldButtonClick", &F::BoldButtonClick)
            .Method<void(TToolBar*, const RECT&, bool&)>("ToolBar1CustomDraw", &F::ToolBar1CustomDraw)
            .Method<void(TToolBar*, TToolButton*, TCustomDrawState, bool&)>("ToolBar1CustomDrawButton",
                                                                            &F::ToolBar1CustomDrawButton)
            .Build();
    return info;
}

constexpr uint32_t kRed = 0xFF0000, kBlue = 0x0000FF; // as the screen reads back (0x00RRGGBB)

class ToolBar : public ::testing::Test {
  protected:
    void SetUp() override {
        form = NewForm<TTestToolBarForm>(nullptr);
        bar = dynamic_cast<TToolBar*>(form->FindComponent("ToolBar1"));
        ASSERT_NE(bar, nullptr);
    }
    void TearDown() override { delete form; }

    TToolButton* button(const char* name) { return dynamic_cast<TToolButton*>(form->FindComponent(name)); }
    LRESULT send(UINT msg, WPARAM w, const void* l = nullptr) {
        return SendMessageA(bar->Handle(), msg, w, reinterpret_cast<LPARAM>(l));
    }
    // The bar's window has every button at its place, with its identifier and caption.
    void expectBarMatchesButtons() {
        ASSERT_EQ(send(TB_BUTTONCOUNT, 0), bar->ButtonCount());
        for (int i = 0; i < bar->ButtonCount(); ++i) {
            TToolButton* b = bar->Buttons(i);
            TBBUTTON tb{};
            char text[64] = {};
            RECT r{}, bounds = b->BoundsRect();
            send(TB_GETBUTTON, i, &tb);
            send(TB_GETBUTTONTEXTA, b->CommandId(), text);
            send(TB_GETITEMRECT, i, &r);
            EXPECT_EQ(tb.idCommand, b->CommandId()) << i;
            EXPECT_EQ(text, b->Style() == tbsSeparator ? "" : b->Caption()) << i;
            EXPECT_TRUE(EqualRect(&r, &bounds)) << i;
        }
    }
    POINT screenCentre(TToolButton* b) {
        RECT r = b->BoundsRect();
        return bar->ClientToScreen({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    }
    // The pixels of a button on screen other than `color`.
    int countOtherThan(TToolButton* b, uint32_t color) {
        RECT r = b->BoundsRect();
        POINT at = bar->ClientToScreen({r.left, r.top});
        OffsetRect(&r, at.x - r.left, at.y - r.top);
        int n = 0;
        for (uint32_t p : qs::test::CaptureScreen(r).data)
            n += p != color;
        return n;
    }
    int countOf(TToolButton* b, const std::function<bool(uint32_t)>& which) {
        RECT r = b->BoundsRect();
        POINT at = bar->ClientToScreen({r.left, r.top});
        OffsetRect(&r, at.x - r.left, at.y - r.top);
        int n = 0;
        for (uint32_t p : qs::test::CaptureScreen(r).data)
            n += which(p & 0xFFFFFF);
        return n;
    }
    void showWithPointerAway() {
        form->Show();
        POINT away = form->ClientToScreen({390, 150});
        qs::test::MouseMoveTo(away.x, away.y);
        qs::test::PumpFor(100);
    }

    TTestToolBarForm* form = nullptr;
    TToolBar* bar = nullptr;
};

TEST_F(ToolBar, ButtonsFromFormTextAreTheBarsButtonsInOrder) {
    const char* names[] = {"OpenButton", "Separator1", "BoldButton", "SaveButton"};
    ASSERT_EQ(bar->ButtonCount(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(bar->Buttons(i), button(names[i])) << names[i];
    EXPECT_NE(bar->Buttons(0)->CommandId(), bar->Buttons(2)->CommandId());
    expectBarMatchesButtons();
    TBBUTTON sep{}, check{};
    send(TB_GETBUTTON, 1, &sep);
    send(TB_GETBUTTON, 2, &check);
    EXPECT_TRUE(sep.fsStyle & BTNS_SEP);
    EXPECT_TRUE(check.fsStyle & BTNS_CHECK);
    EXPECT_FALSE(send(TB_ISBUTTONENABLED, button("SaveButton")->CommandId()));
    EXPECT_LT(button("OpenButton")->Left(), button("BoldButton")->Left());
}

TEST_F(ToolBar, ButtonsChangedInCodeKeepTheBarInStep) {
    auto* extra = new TToolButton(form);
    extra->SetCaption("Extra");
    extra->SetParent(bar);
    int extraClicks = 0;
    extra->OnClick = TNotifyEvent([&](TObject*) { ++extraClicks; });
    EXPECT_EQ(bar->Buttons(4), extra);
    expectBarMatchesButtons();

    delete button("OpenButton");
    button("BoldButton")->SetCaption("Heavy");
    EXPECT_EQ(bar->Buttons(0), button("Separator1"));
    expectBarMatchesButtons();
    // The bar's command reaches the button it names, wherever that now stands.
    SendMessageA(form->Handle(), WM_COMMAND, extra->CommandId(), reinterpret_cast<LPARAM>(bar->Handle()));
    EXPECT_EQ(extraClicks, 1);
    EXPECT_EQ(form->boldClicks, 0);

    extra->SetParent(form);
    EXPECT_EQ(bar->ButtonCount(), 3);
    expectBarMatchesButtons();
}

TEST_F(ToolBar, PublishedPropertiesByName) {
    EXPECT_EQ(GetEnumPropName(bar, "Flat"), "True");
    EXPECT_TRUE(GetWindowLongA(bar->Handle(), GWL_STYLE) & TBSTYLE_FLAT);
    SetPropFromText(bar, "Flat", "False");
    EXPECT_FALSE(GetWindowLongA(bar->Handle(), GWL_STYLE) & TBSTYLE_FLAT);
    EXPECT_EQ(bar->OnCustomDraw.methodName, "ToolBar1CustomDraw");
    EXPECT_EQ(GetObjectProp(bar, "Images"), nullptr);
    TComponent* menu = form->FindComponent("PopupMenu1");
    EXPECT_EQ(GetObjectProp(bar, "Menu"), menu);
    delete menu;
    EXPECT_EQ(bar->Menu(), nullptr);

    TToolButton* bold = button("BoldButton");
    EXPECT_EQ(GetEnumPropName(bold, "Style"), "tbsCheck");
    SetPropFromText(bold, "Down", "True");
    EXPECT_TRUE(send(TB_ISBUTTONCHECKED, bold->CommandId()));
}

TEST_F(ToolBar, ClicksRunOnClickOnceAndToggleCheckButtons) {
    showWithPointerAway();
    TToolButton* bold = button("BoldButton");
    POINT open = screenCentre(button("OpenButton")), at = screenCentre(bold);
    qs::test::MouseClickAt(open.x, open.y);
    EXPECT_TRUE(qs::test::PumpUntil([&] { return form->openClicks == 1; }));
    qs::test::MouseClickAt(at.x, at.y);
    EXPECT_TRUE(qs::test::PumpUntil([&] { return form->boldClicks == 1; }));
    EXPECT_TRUE(bold->Down());
    qs::test::MouseClickAt(at.x, at.y);
    EXPECT_TRUE(qs::test::PumpUntil([&] { return form->boldClicks == 2; }));
    EXPECT_FALSE(bold->Down());
    qs::test::PumpFor(100);
    EXPECT_EQ(form->openClicks, 1);
}

TEST_F(ToolBar, CustomDrawPaintsTheBarThroughItsCanvas) {
    RECT seen{};
    bool liveCanvas = false;
    form->drawBar = [&](TToolBar* sender, const RECT& r, bool&) {
        seen = r;
        liveCanvas = sender->Canvas().HandleAllocated();
        sender->Canvas().Brush().SetColor(clRed);
        sender->Canvas().FillRect(r);
    };
    showWithPointerAway();
    bar->Repaint();
    ASSERT_TRUE(qs::test::PumpUntil([&] { return liveCanvas; }));
    RECT client = bar->ClientRect();
    EXPECT_TRUE(EqualRect(&seen, &client));
    EXPECT_FALSE(bar->Canvas().HandleAllocated());
    // Right of the last button only the event's drawing shows.
    POINT p = bar->ClientToScreen({client.right - 4, client.bottom / 2});
    EXPECT_EQ(qs::test::CaptureScreen(RECT{p.x, p.y, p.x + 1, p.y + 1}).at(0, 0), kRed);
}

TEST_F(ToolBar, CustomDrawButtonSeesHotButtonsAndCanDrawThemAlone) {
    std::map<TToolButton*, TCustomDrawState> states;
    bool drawAlone = false;
    form->drawButton = [&](TToolBar* sender, TToolButton* b, TCustomDrawState state, bool& defaultDraw) {
        states[b] = state;
        sender->Canvas().Brush().SetColor(clBlue);
        sender->Canvas().FillRect(b->BoundsRect());
        defaultDraw = !drawAlone;
    };
    showWithPointerAway();
    TToolButton *open = button("OpenButton"), *bold = button("BoldButton");
    ASSERT_TRUE(qs::test::PumpUntil([&] { return states.count(open) && states.count(bold); }));
    EXPECT_FALSE(states[bold] & cdsHot);
    EXPECT_TRUE(states[button("SaveButton")] & cdsDisabled);
    POINT at = screenCentre(bold);
    qs::test::MouseMoveTo(at.x, at.y);
    EXPECT_TRUE(qs::test::PumpUntil([&] { return (states[bold] & cdsHot) != 0; }));
    EXPECT_FALSE(states[open] & cdsHot);

    // The bar draws the caption over the event's blue, unless told not to.
    qs::test::PumpFor(100);
    EXPECT_GT(countOtherThan(open, kBlue), 0);
    drawAlone = true;
    bar->Repaint();
    qs::test::PumpFor(100);
    EXPECT_EQ(countOtherThan(open, kBlue), 0);
}

TEST_F(ToolBar, AHandlerThatDrewTheFaceGetsTheCaptionInItsColourAndNoBackground) {
    TToolButton* bold = nullptr;
    form->drawButton = [&](TToolBar* sender, TToolButton* b, TCustomDrawState, bool&) {
        sender->Canvas().Brush().SetColor(clBlue);
        sender->Canvas().FillRect(b->BoundsRect());
        SetTextColor(sender->Canvas().Handle(), RGB(255, 255, 0));
        sender->FaceDrawnByHandler();
    };
    showWithPointerAway();
    bold = button("BoldButton");
    POINT at = screenCentre(bold);
    qs::test::MouseMoveTo(at.x, at.y);
    qs::test::PumpFor(200);
    // Hot, yet only the handler's blue and the caption in yellow: no hot background or edges
    // (greys and white), and no caption in the system's black.
    auto grey = [](uint32_t p) {
        const int r = int(p >> 16), g = int(p >> 8 & 0xFF), b = int(p & 0xFF);
        return std::abs(r - g) <= 2 && std::abs(g - b) <= 2 && r > 0x40;
    };
    EXPECT_EQ(countOf(bold, grey), 0);
    EXPECT_GT(countOf(bold, [](uint32_t p) { return p == 0xFFFF00; }), 0);
}
} // namespace

// The tool bar read from a form resource: its buttons in the bar's window, clicks by mouse,
// buttons changed in code, published properties, and the custom-draw events seen on screen.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>

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
    template <class C> C* Find(const std::string& name) { return dynamic_cast<C*>(FindComponent(name)); }

    void OpenButtonClick(TObject*) { ++openClicks; }
    void BoldButtonClick(TObject*) { ++boldClicks; }
    void ToolBar1CustomDraw(TToolBar* sender, const RECT& r, bool& defaultDraw) {
        if (drawBar) drawBar(sender, r, defaultDraw);
    }
    void ToolBar1CustomDrawButton(TToolBar* sender, TToolButton* button, TCustomDrawState state,
                                  bool& defaultDraw) {
        if (drawButton) drawButton(sender, button, state, defaultDraw);
    }

    int openClicks = 0;
    int boldClicks = 0;
    std::function<void(TToolBar*, const RECT&, bool&)> drawBar;
    std::function<void(TToolBar*, TToolButton*, TCustomDrawState, bool&)> drawButton;
};

const TClassInfo& TTestToolBarForm::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TTestToolBarForm>("TTestToolBarForm", &TForm::StaticClass())
            .Creatable()
            .Method<void(TObject*)>("OpenButtonClick", &TTestToolBarForm::OpenButtonClick)
            .Method<void(TObject*)>("BoldButtonClick", &TTestToolBarForm::BoldButtonClick)
            .Method<void(TToolBar*, const RECT&, bool&)>("ToolBar1CustomDraw",
                                                         &TTestToolBarForm::ToolBar1CustomDraw)
            .Method<void(TToolBar*, TToolButton*, TCustomDrawState, bool&)>(
                "ToolBar1CustomDrawButton", &TTestToolBarForm::ToolBar1CustomDrawButton)
            .Build();
    return info;
}

constexpr uint32_t kRed = 0xFF0000, kBlue = 0x0000FF; // as the screen reads back (0x00RRGGBB)

class ToolBar : public ::testing::Test {
  protected:
    void SetUp() override {
        form = NewForm<TTestToolBarForm>(nullptr);
        bar = form->Find<TToolBar>("ToolBar1");
        ASSERT_NE(bar, nullptr);
    }
    void TearDown() override { delete form; }

    TToolButton* button(const char* name) { return form->Find<TToolButton>(name); }
    TBBUTTON barButton(int index) {
        TBBUTTON tb{};
        SendMessageA(bar->Handle(), TB_GETBUTTON, WPARAM(index), reinterpret_cast<LPARAM>(&tb));
        return tb;
    }
    std::string barText(int commandId) {
        char text[64] = {};
        SendMessageA(bar->Handle(), TB_GETBUTTONTEXTA, WPARAM(commandId), reinterpret_cast<LPARAM>(text));
        return text;
    }
    // Every button: the bar's window has it at the same place, with its identifier and caption.
    void expectBarMatchesButtons() {
        ASSERT_EQ(SendMessageA(bar->Handle(), TB_BUTTONCOUNT, 0, 0), bar->ButtonCount());
        for (int i = 0; i < bar->ButtonCount(); ++i) {
            TToolButton* b = bar->Buttons(i);
            EXPECT_EQ(barButton(i).idCommand, b->CommandId()) << i;
            if (b->Style() != tbsSeparator) {
                EXPECT_EQ(barText(b->CommandId()), b->Caption()) << i;
            }
            RECT r{}, bounds = b->BoundsRect();
            SendMessageA(bar->Handle(), TB_GETITEMRECT, WPARAM(i), reinterpret_cast<LPARAM>(&r));
            EXPECT_TRUE(EqualRect(&r, &bounds)) << i;
        }
    }
    POINT screenCentre(TToolButton* b) {
        RECT r = b->BoundsRect();
        return bar->ClientToScreen({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    }
    qs::test::Pixels onScreen(TToolButton* b) {
        RECT r = b->BoundsRect();
        POINT origin = bar->ClientToScreen({r.left, r.top});
        OffsetRect(&r, origin.x - r.left, origin.y - r.top);
        return qs::test::CaptureScreen(r);
    }
    void showAndMovePointerAway() {
        form->Show();
        POINT away = form->ClientToScreen({390, 150});
        qs::test::MouseMoveTo(away.x, away.y);
        qs::test::PumpFor(100);
    }

    TTestToolBarForm* form = nullptr;
    TToolBar* bar = nullptr;
};

int countOtherThan(const qs::test::Pixels& px, uint32_t color) {
    int n = 0;
    for (uint32_t p : px.data)
        n += p != color;
    return n;
}

TEST_F(ToolBar, ButtonsFromFormTextAreTheBarsButtonsInOrder) {
    const char* names[] = {"OpenButton", "Separator1", "BoldButton", "SaveButton"};
    ASSERT_EQ(bar->ButtonCount(), 4);
    std::set<int> ids;
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(bar->Buttons(i), button(names[i])) << names[i];
        EXPECT_EQ(bar->Buttons(i)->Parent(), bar);
        ids.insert(bar->Buttons(i)->CommandId());
    }
    EXPECT_EQ(ids.size(), 4u);
    expectBarMatchesButtons();
    EXPECT_EQ(barText(button("OpenButton")->CommandId()), "Open");
    EXPECT_TRUE(barButton(1).fsStyle & BTNS_SEP);
    EXPECT_TRUE(barButton(2).fsStyle & BTNS_CHECK);
    EXPECT_FALSE(
        SendMessageA(bar->Handle(), TB_ISBUTTONENABLED, WPARAM(button("SaveButton")->CommandId()), 0));
    // Laid out left to right, within the bar.
    EXPECT_LT(button("OpenButton")->Left(), button("BoldButton")->Left());
    EXPECT_GT(button("OpenButton")->Width(), 0);
}

TEST_F(ToolBar, PublishedPropertiesReadAndWriteByName) {
    EXPECT_EQ(GetEnumPropName(bar, "Flat"), "True");
    EXPECT_TRUE(GetWindowLongA(bar->Handle(), GWL_STYLE) & TBSTYLE_FLAT);
    SetPropFromText(bar, "Flat", "False");
    EXPECT_FALSE(GetWindowLongA(bar->Handle(), GWL_STYLE) & TBSTYLE_FLAT);

    TComponent* menu = form->FindComponent("PopupMenu1");
    EXPECT_EQ(GetObjectProp(bar, "Menu"), menu);
    EXPECT_EQ(GetObjectProp(bar, "Images"), nullptr);
    EXPECT_EQ(bar->OnCustomDraw.methodName, "ToolBar1CustomDraw");
    EXPECT_EQ(bar->OnCustomDrawButton.methodName, "ToolBar1CustomDrawButton");

    TToolButton* bold = button("BoldButton");
    EXPECT_EQ(GetEnumPropName(bold, "Style"), "tbsCheck");
    EXPECT_EQ(GetIntProp(bold, "ImageIndex"), -1);
    SetPropFromText(bold, "Down", "True");
    EXPECT_TRUE(SendMessageA(bar->Handle(), TB_ISBUTTONCHECKED, WPARAM(bold->CommandId()), 0));

    delete menu;
    EXPECT_EQ(bar->Menu(), nullptr);
}

TEST_F(ToolBar, ClicksRunOnClickOnceAndToggleCheckButtons) {
    showAndMovePointerAway();
    TToolButton* bold = button("BoldButton");
    POINT open = screenCentre(button("OpenButton"));
    qs::test::MouseClickAt(open.x, open.y);
    EXPECT_TRUE(qs::test::PumpUntil([&] { return form->openClicks == 1; }));
    POINT at = screenCentre(bold);
    qs::test::MouseClickAt(at.x, at.y);
    EXPECT_TRUE(qs::test::PumpUntil([&] { return form->boldClicks == 1; }));
    EXPECT_TRUE(bold->Down());
    qs::test::MouseClickAt(at.x, at.y);
    EXPECT_TRUE(qs::test::PumpUntil([&] { return form->boldClicks == 2; }));
    EXPECT_FALSE(bold->Down());
    EXPECT_FALSE(SendMessageA(bar->Handle(), TB_ISBUTTONCHECKED, WPARAM(bold->CommandId()), 0));
    qs::test::PumpFor(100);
    EXPECT_EQ(form->openClicks, 1); // the release over the button is not a second click
}

TEST_F(ToolBar, ButtonsChangedInCodeKeepTheBarInStep) {
    auto* extra = new TToolButton(form);
    extra->SetCaption("Extra");
    extra->SetParent(bar);
    int extraClicks = 0;
    extra->OnClick = TNotifyEvent([&](TObject*) { ++extraClicks; });
    ASSERT_EQ(bar->ButtonCount(), 5);
    EXPECT_EQ(bar->Buttons(4), extra);
    expectBarMatchesButtons();

    delete button("OpenButton");
    button("BoldButton")->SetCaption("Heavy");
    ASSERT_EQ(bar->ButtonCount(), 4);
    EXPECT_EQ(bar->Buttons(0), button("Separator1"));
    expectBarMatchesButtons();

    // The bar's command reaches the button it names, wherever it now stands.
    SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(extra->CommandId(), BN_CLICKED),
                 reinterpret_cast<LPARAM>(bar->Handle()));
    EXPECT_EQ(extraClicks, 1);
    EXPECT_EQ(form->boldClicks, 0);

    // A button moved off the bar leaves it.
    extra->SetParent(form);
    EXPECT_EQ(bar->ButtonCount(), 3);
    expectBarMatchesButtons();
}

TEST_F(ToolBar, CustomDrawPaintsTheBarThroughItsCanvas) {
    RECT seen{};
    int calls = 0;
    bool liveCanvas = false;
    form->drawBar = [&](TToolBar* sender, const RECT& r, bool&) {
        ++calls;
        seen = r;
        liveCanvas = sender->Canvas().HandleAllocated();
        sender->Canvas().Brush().SetColor(clRed);
        sender->Canvas().FillRect(r);
    };
    showAndMovePointerAway();
    bar->Repaint();
    ASSERT_TRUE(qs::test::PumpUntil([&] { return calls > 0; }));
    RECT client = bar->ClientRect();
    EXPECT_TRUE(EqualRect(&seen, &client));
    EXPECT_TRUE(liveCanvas);
    EXPECT_FALSE(bar->Canvas().HandleAllocated()); // let go once the event is over

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
    showAndMovePointerAway();
    TToolButton* open = button("OpenButton");
    TToolButton* bold = button("BoldButton");
    ASSERT_TRUE(qs::test::PumpUntil([&] { return states.count(open) && states.count(bold); }));
    EXPECT_FALSE(states[bold] & cdsHot);
    EXPECT_TRUE(states[button("SaveButton")] & cdsDisabled);

    POINT at = screenCentre(bold);
    qs::test::MouseMoveTo(at.x, at.y);
    EXPECT_TRUE(qs::test::PumpUntil([&] { return (states[bold] & cdsHot) != 0; }));
    EXPECT_FALSE(states[open] & cdsHot);

    // The bar draws the caption over the event's blue, unless told not to.
    qs::test::PumpFor(100);
    EXPECT_GT(countOtherThan(onScreen(open), kBlue), 0);
    drawAlone = true;
    bar->Repaint();
    qs::test::PumpFor(100);
    EXPECT_EQ(countOtherThan(onScreen(open), kBlue), 0);
}

} // namespace

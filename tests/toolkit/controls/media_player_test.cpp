// The media player read from form text: its button sets as text both ways, cells cut evenly
// among the visible buttons, and the user's clicks reaching OnClick with their button.
#include <gtest/gtest.h>

#include <vector>

#include "tests/support/wintest.h"
#include "tests/toolkit/controls/test_forms.h"
#include "toolkit/controls/form.h"
#include "toolkit/controls/media_player.h"
#include "toolkit/core/class_builder.h"
#include "toolkit/core/prop_access.h"
#include "toolkit/resource/form_resource.h"

namespace {

TResourceNesting FormNesting(TCustomForm* form) {
    TResourceNesting nesting;
    nesting.adopt = [form](TComponent* child, TComponent* parent) { form->SetChildParent(child, parent); };
    nesting.parentOf = [](const TComponent* child) -> TComponent* {
        auto* c = dynamic_cast<const TControl*>(child);
        return c ? c->Parent() : nullptr;
    };
    return nesting;
}

class TTestMediaForm : public TForm {
    QS_DECLARE_CLASS()
  public:
    explicit TTestMediaForm(TComponent* owner) : TForm(owner) {}
    void PlayerClick(TObject*, TMPBtnType button, bool& doDefault) {
        clicks.push_back(button);
        defaults.push_back(doDefault);
    }
    std::vector<TMPBtnType> clicks;
    std::vector<bool> defaults;
};

const TClassInfo& TTestMediaForm::StaticClass() {
    using F = TTestMediaForm;
    static const TClassInfo& info =
        TClassBuilder<F>("TTestMediaForm", &TForm::StaticClass())
            .Creatable()
            .Method<void(TObject*, TMPBtnType, bool&)>("PlayerClick", &F::PlayerClick)
            .Build();
    return info;
}

constexpr const char* kForm = R"(object MediaForm: TTestMediaForm
  Left = 120
  Top = 120
  Caption = 'Media'
  ClientWidth = 300
  ClientHeight = 100
  object Player1: TMediaPlayer
    Left = 10
    Top = 10
    Width = 90
    Height = 30
    VisibleButtons = [btPlay,btPause,btStop]
    EnabledButtons = [btPlay,btPause,btNext]
    OnClick = PlayerClick
  end
end
)";

constexpr TMPBtnSet bit(TMPBtnType b) {
    return TMPBtnSet(1u << int(b));
}

class MediaPlayer : public ::testing::Test {
  protected:
    void SetUp() override {
        RegisterControlClasses();
        form = new TTestMediaForm(nullptr);
        ReadComponentText(form, kForm, {}, FormNesting(form));
        player = dynamic_cast<TMediaPlayer*>(form->FindComponent("Player1"));
        ASSERT_NE(player, nullptr);
    }
    void TearDown() override {
        qs::test::MouseMoveTo(2, 2);
        delete form;
    }
    POINT at(int x, int y) const { return player->ClientToScreen({x, y}); }

    TTestMediaForm* form = nullptr;
    TMediaPlayer* player = nullptr;
};

TEST_F(MediaPlayer, ButtonSetsComeFromTextAndGoBackToIt) {
    using B = TMPBtnType;
    EXPECT_EQ(player->VisibleButtons(), bit(B::btPlay) | bit(B::btPause) | bit(B::btStop));
    EXPECT_EQ(player->EnabledButtons(), bit(B::btPlay) | bit(B::btPause) | bit(B::btNext));
    EXPECT_EQ(player->ColoredButtons(), kAllMediaButtons) << "the default: every button";
    EXPECT_EQ(GetSetPropText(player, "VisibleButtons"), "[btPlay,btPause,btStop]");
    EXPECT_EQ(GetSetPropText(player, "ColoredButtons"),
              "[btPlay,btPause,btStop,btNext,btPrev,btStep,btBack,btRecord,btEject]");
    EXPECT_EQ(GetSetPropText(player, "Width"), "") << "not a set";

    SetPropFromText(player, "ColoredButtons", "[ btRecord , btEject ]");
    EXPECT_EQ(player->ColoredButtons(), bit(B::btRecord) | bit(B::btEject));
    SetPropFromText(player, "ColoredButtons", "[btRecord,btNothing]");
    EXPECT_EQ(player->ColoredButtons(), bit(B::btRecord) | bit(B::btEject))
        << "a text that does not fit is ignored";
    SetPropFromText(player, "ColoredButtons", "[]");
    EXPECT_EQ(player->ColoredButtons(), 0);

    const std::string text = WriteComponentText(form, nullptr, FormNesting(form));
    EXPECT_NE(text.find("VisibleButtons = [btPlay,btPause,btStop]"), std::string::npos);
    EXPECT_NE(text.find("ColoredButtons = []"), std::string::npos);
    auto* copy = new TTestMediaForm(nullptr);
    ReadComponentText(copy, text, {}, FormNesting(copy));
    auto* again = dynamic_cast<TMediaPlayer*>(copy->FindComponent("Player1"));
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->VisibleButtons(), player->VisibleButtons());
    EXPECT_EQ(again->EnabledButtons(), player->EnabledButtons());
    EXPECT_EQ(again->ColoredButtons(), 0);
    EXPECT_EQ(WriteComponentText(copy, nullptr, FormNesting(copy)), text);
    delete copy;
}

TEST_F(MediaPlayer, VisibleButtonsShareTheWidthAndALeftCellOwnsTheSharedEdge) {
    using B = TMPBtnType;
    EXPECT_EQ(player->ButtonAt(0), int(B::btPlay));
    EXPECT_EQ(player->ButtonAt(30), int(B::btPlay));
    EXPECT_EQ(player->ButtonAt(31), int(B::btPause));
    EXPECT_EQ(player->ButtonAt(61), int(B::btStop));
    EXPECT_EQ(player->ButtonAt(91), kNoMediaButton);
    EXPECT_EQ(player->ButtonRect(B::btStop).left, 60);
    const RECT hidden = player->ButtonRect(B::btEject);
    EXPECT_TRUE(IsRectEmpty(&hidden));
    player->SetWidth(101);
    EXPECT_EQ(player->ButtonAt(100), kNoMediaButton) << "the remainder after 3 x 33 is no button's";
    player->SetVisibleButtons(0);
    EXPECT_EQ(player->ButtonAt(10), kNoMediaButton);
}

TEST_F(MediaPlayer, ClicksReachOnClickWithTheirButtonOnlyWhenReleasedOnIt) {
    form->Show();
    qs::test::PumpFor(50);
    const POINT pause = at(45, 15), play = at(15, 15), stop = at(75, 15);
    qs::test::MouseClickAt(pause.x, pause.y);
    qs::test::PumpFor(30);
    ASSERT_EQ(form->clicks, std::vector<TMPBtnType>{TMPBtnType::btPause});
    EXPECT_TRUE(form->defaults[0]);

    qs::test::MouseMoveTo(play.x, play.y);
    qs::test::MouseButtonAt(play.x, play.y, true, true);
    qs::test::PumpFor(30);
    EXPECT_EQ(player->PressedButton(), int(TMPBtnType::btPlay));
    qs::test::MouseMoveTo(stop.x, stop.y);
    qs::test::PumpFor(30);
    EXPECT_EQ(player->PressedButton(), kNoMediaButton) << "the pointer left the pressed button";
    qs::test::MouseButtonAt(stop.x, stop.y, true, false);
    qs::test::PumpFor(30);
    EXPECT_EQ(form->clicks.size(), 1u) << "a press taken elsewhere clicks nothing";

    qs::test::MouseClickAt(stop.x, stop.y);
    qs::test::PumpFor(30);
    EXPECT_EQ(form->clicks.size(), 1u) << "stop is disabled";
    player->SetEnabled(false);
    qs::test::MouseClickAt(play.x, play.y);
    qs::test::PumpFor(30);
    EXPECT_EQ(form->clicks.size(), 1u) << "the whole player is disabled";
}

} // namespace

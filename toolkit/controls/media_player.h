// TMediaPlayer: a row of up to nine transport buttons (play, pause, stop, next, previous, step,
// back, record, eject), drawn by the toolkit itself. It plays nothing: a click reports its button
// to OnClick. The visible buttons share the width evenly (see media_buttons.h).
#pragma once

#include "toolkit/controls/media_buttons.h"
#include "toolkit/controls/win_control.h"

const TEnumInfo& MPBtnTypeInfo();

// A click on Button; DoDefault comes in true and says whether the player's own action should
// follow (it has none, but programs written for one set it).
using TMPClickEvent = TEvent<void(TObject* Sender, TMPBtnType Button, bool& DoDefault)>;

class TMediaPlayer : public TWinControl {
    QS_DECLARE_CLASS()
  public:
    explicit TMediaPlayer(TComponent* AOwner);

    TMPBtnSet VisibleButtons() const { return visible_; }
    void SetVisibleButtons(TMPBtnSet value);
    TMPBtnSet EnabledButtons() const { return enabled_buttons_; }
    void SetEnabledButtons(TMPBtnSet value);
    TMPBtnSet ColoredButtons() const { return colored_; }
    void SetColoredButtons(TMPBtnSet value);

    // The visible button at a client x (kNoMediaButton for none), and a visible button's cell.
    int ButtonAt(int x) const;
    RECT ButtonRect(TMPBtnType button) const;
    // The button held down under the pointer, kNoMediaButton for none.
    int PressedButton() const { return pointerOnPressed_ ? pressed_ : kNoMediaButton; }

    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;

    TMPClickEvent OnClick;

  protected:
    void PaintWindow(HDC dc) override;
    void WndProc(TMessage& message) override;
    bool ClicksOnMouseUp() const override { return false; }

  private:
    bool usable(int kind) const;
    void paintButton(HDC dc, int kind);

    TMPBtnSet visible_ = kAllMediaButtons;
    TMPBtnSet enabled_buttons_ = kAllMediaButtons;
    TMPBtnSet colored_ = kAllMediaButtons;
    int pressed_ = kNoMediaButton;
    bool pointerOnPressed_ = false;
};

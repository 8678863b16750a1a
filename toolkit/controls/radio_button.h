// TRadioButton: a BUTTON window (BS_RADIOBUTTON) whose mark the control keeps itself: checking
// one clears the other radio buttons of the same parent.
#pragma once

#include "toolkit/controls/check_box.h"

class TRadioButton : public TWinControl {
    QS_DECLARE_CLASS()
  public:
    explicit TRadioButton(TComponent* AOwner);

    bool Checked() const { return checked_; }
    // Checking clicks the button (OnClick) and clears its siblings.
    void SetChecked(bool value);
    TLeftRight Alignment() const { return alignment_; }
    void SetAlignment(TLeftRight value);

  protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeWnd() override;
    void WndProc(TMessage& message) override;
    bool ClicksOnMouseUp() const override { return false; }

  private:
    void clearSiblings();

    bool checked_ = false;
    TLeftRight alignment_ = taRightJustify;
};

// TCheckBox: a BUTTON window whose three states the control keeps itself (BS_3STATE), so a
// click can pass through the grayed state only when AllowGrayed says so.
#pragma once

#include "toolkit/controls/std_ctrls.h"

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
const TEnumInfo& CheckBoxStateInfo();

// The side the caption takes beside a check mark: taLeftJustify puts it on the left.
using TLeftRight = TAlignment;
const TEnumInfo& LeftRightInfo();

class TCustomCheckBox : public TWinControl {
    QS_DECLARE_CLASS()
  public:
    explicit TCustomCheckBox(TComponent* AOwner);

    TCheckBoxState State() const { return state_; }
    // A change clicks the box (OnClick), except while the form is being read.
    void SetState(TCheckBoxState value);
    bool Checked() const { return state_ == cbChecked; }
    void SetChecked(bool value) { SetState(value ? cbChecked : cbUnchecked); }
    bool AllowGrayed() const { return allowGrayed_; }
    void SetAllowGrayed(bool value) { allowGrayed_ = value; }
    TLeftRight Alignment() const { return alignment_; }
    void SetAlignment(TLeftRight value);

    // The next state a click gives: unchecked, checked, grayed (when allowed), round again.
    void Toggle();

  protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeWnd() override;
    void WndProc(TMessage& message) override;
    bool ClicksOnMouseUp() const override { return false; }

  private:
    TCheckBoxState state_ = cbUnchecked;
    bool allowGrayed_ = false;
    TLeftRight alignment_ = taRightJustify;
};

class TCheckBox : public TCustomCheckBox {
    QS_DECLARE_CLASS()
  public:
    explicit TCheckBox(TComponent* AOwner) : TCustomCheckBox(AOwner) {}
};

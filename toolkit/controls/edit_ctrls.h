// TCustomEdit and TEdit: a single-line EDIT whose text is the control's Text.
#pragma once

#include "toolkit/controls/win_control.h"

class TCustomEdit : public TWinControl {
    QS_DECLARE_CLASS()
  public:
    explicit TCustomEdit(TComponent* AOwner);

    // bsSingle gives a sunken edge; the skin engine reads it by name.
    int BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(int value);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value);
    // At most this many characters may be typed; 0 for no limit.
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int value);

    // After the text changed, by the user or in code.
    TNotifyEvent OnChange;

  protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeWnd() override;
    void WndProc(TMessage& message) override;
    void TextChanged(TMessage& message) override;

  private:
    // The window's text changed (typed, or set from outside): Text follows.
    void takeWindowText();

    int borderStyle_ = 1;
    bool readOnly_ = false;
    int maxLength_ = 0;
};

class TEdit : public TCustomEdit {
    QS_DECLARE_CLASS()
  public:
    using TCustomEdit::TCustomEdit;
};

// TMemo: a multi-line EDIT whose text is its Lines.
#pragma once

#include "toolkit/controls/win_control.h"
#include "toolkit/core/strings.h"

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
const TEnumInfo& ScrollStyleInfo();

class TMemo : public TWinControl {
    QS_DECLARE_CLASS()
  public:
    explicit TMemo(TComponent* AOwner);

    // The text, one entry per line; what the user types shows here at once.
    TStrings* Lines() const { return &lines_; }
    void SetLines(TStrings* value) { lines_.Assign(value); }
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle value);
    // Long lines break at the right edge; without it they scroll sideways.
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value);
    // bsSingle gives a sunken edge; the skin engine reads it by name.
    int BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(int value);

    // After the text changed, by the user or in code.
    TNotifyEvent OnChange;

  protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;

  private:
    void linesChanged();
    // The window's text was changed (typed, or set from outside): Lines follows.
    void takeWindowText();

    mutable TStrings lines_;
    TScrollStyle scrollBars_ = ssNone;
    bool wordWrap_ = true;
    bool readOnly_ = false;
    int borderStyle_ = 1;
    bool syncing_ = false; // Lines and the window are being brought together
};

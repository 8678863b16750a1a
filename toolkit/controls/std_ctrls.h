// Standard controls: TLabel (windowless text) and TButton (a BUTTON window).
#pragma once

#include "toolkit/controls/win_control.h"

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
const TEnumInfo& AlignmentInfo();

// True when `caption` marks `ch` as its accelerator ("&S" for 's' or 'S').
bool IsAccel(unsigned ch, const std::string& caption);

class TLabel : public TGraphicControl {
    QS_DECLARE_CLASS()
  public:
    explicit TLabel(TComponent* AOwner);

    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value);
    // Without a background of its own: the parent shows through between the letters.
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    // "&x" underlines x (and "&&" is one ampersand) unless this is off.
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool value);

  protected:
    void Paint() override;
    void WndProc(TMessage& message) override;
    void Loaded() override;

  private:
    UINT textFlags() const;
    void adjustBounds();
    TColor textColour();

    bool autoSize_ = true;
    bool wordWrap_ = false;
    bool transparent_ = false;
    bool showAccelChar_ = true;
    TAlignment alignment_ = taLeftJustify;
};

class TButton : public TWinControl {
    QS_DECLARE_CLASS()
  public:
    explicit TButton(TComponent* AOwner);

    // Enter clicks the default button (unless another button has the focus).
    bool Default() const { return default_; }
    void SetDefault(bool value);
    // Esc clicks the cancel button.
    bool Cancel() const { return cancel_; }
    void SetCancel(bool value) { cancel_ = value; }
    // Set on the form when clicked: a modal form closes with it.
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int value) { modalResult_ = value; }

    void Click() override;

  protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;
    bool ClicksOnMouseUp() const override { return false; }
    // The BUTTON style its window takes: a push button, or the default one.
    virtual DWORD ButtonStyle() const { return default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON; }

  private:
    bool active() const;
    void dialogKey(TMessage& message);

    bool default_ = false;
    bool cancel_ = false;
    int modalResult_ = 0;
};

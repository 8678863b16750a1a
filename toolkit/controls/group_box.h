// TGroupBox: a container drawn by the toolkit, an etched frame with the caption set into its top
// edge. Its children are real child windows.
#pragma once

#include "toolkit/controls/win_control.h"

class TCustomGroupBox : public TWinControl {
    QS_DECLARE_CLASS()
  public:
    explicit TCustomGroupBox(TComponent* AOwner);

  protected:
    void CreateParams(TCreateParams& params) override;
    void PaintWindow(HDC dc) override;
    // The height of a line of the caption's font: the frame starts half of it down.
    int CaptionHeight();
};

class TGroupBox : public TCustomGroupBox {
    QS_DECLARE_CLASS()
  public:
    explicit TGroupBox(TComponent* AOwner) : TCustomGroupBox(AOwner) {}
};

// Full-screen capture (unit capture): TForm4 waits minimised for 300 ms inside its modal loop,
// then copies the primary screen into its image and puts it on the clipboard.
#pragma once

#include "toolkit/controls/ext_ctrls.h"
#include "toolkit/controls/form.h"
#include "toolkit/controls/timer.h"

class TForm4 : public TForm {
    QS_DECLARE_CLASS()
  public:
    explicit TForm4(TComponent* owner) : TForm(owner) {}
    void Loaded() override;
    void Timer1Timer(TObject* Sender);

    TImage* Image1 = nullptr;
    TTimer* Timer1 = nullptr;
};

// When it returns, the clipboard holds a bitmap of the whole primary screen.
void CaptureFullScreen();

// Shared by both captures: hides the form, stops its timer, and makes the primary screen the
// picture of `image` at 1:1, sized to Screen.Width x Screen.Height.
void GrabScreen(TForm& form, TTimer& timer, TImage& image);

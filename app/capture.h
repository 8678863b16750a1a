// Full-screen capture (unit capture): TForm4 waits minimised for 300 ms inside its modal loop,
// then copies the primary screen into its image and puts it on the clipboard.
#pragma once

#include <exception>
#include <functional>

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
    // What kept the picture from the clipboard; reported once the modal loop has ended.
    std::exception_ptr Failure;
};

// When it returns, the clipboard holds a bitmap of the whole primary screen, unless another
// program held the clipboard: then the user has been told so once.
void CaptureFullScreen();

// Shared by both captures: hides the form, stops its timer, and makes the primary screen the
// picture of `image` at 1:1, sized to Screen.Width x Screen.Height.
void GrabScreen(TForm& form, TTimer& timer, TImage& image);

// Runs one step of a capture inside its modal loop and keeps what it throws in `failure`: an
// exception leaving the handler would skip the Close that alone ends the loop. False if it threw.
bool CaptureStep(std::exception_ptr& failure, const std::function<void()>& step);

// Shows a capture form minimised with its timer running, modally, until it closes; then reports
// `failure` (filled meanwhile by CaptureStep), with every window enabled again.
void RunCapture(TForm& form, TTimer& timer, const std::exception_ptr& failure);

// Region capture (unit qcapture): TForm5 freezes the screen in a borderless top-most overlay;
// the first click anchors a rubber band, the second puts the picked rectangle on the clipboard.
#pragma once

#include <exception>

#include "toolkit/controls/ext_ctrls.h"
#include "toolkit/controls/form.h"
#include "toolkit/controls/timer.h"

class TForm5 : public TForm {
    QS_DECLARE_CLASS()
  public:
    explicit TForm5(TComponent* owner) : TForm(owner) {}
    void Loaded() override;
    void Timer1Timer(TObject* Sender);
    void Image1MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void Image1MouseMove(TObject* Sender, TShiftState Shift, int X, int Y);

    TImage* Image1 = nullptr;
    TTimer* Timer1 = nullptr;
    // What kept the overlay from opening or the region from the clipboard; the overlay closes.
    std::exception_ptr Failure;
};

// When it returns, the clipboard holds the region the user picked, unless another program held
// the clipboard: then the user has been told so once.
void CaptureRegion();

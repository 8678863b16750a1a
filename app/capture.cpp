// Full-screen capture.
#include "app/capture.h"

#include "app/app_texts.h"
#include "toolkit/controls/application.h"
#include "toolkit/core/class_builder.h"
#include "toolkit/graphics/clipboard.h"

namespace {

// Set while the clipboard message is up: captures failing meanwhile (each hotkey still captures)
// add no second box.
bool reportingBusyClipboard = false;

// A clipboard held by another program is the failure the user can act on, and without a word
// they would paste the previous contents: say it once. Anything else goes to the caller.
void reportFailure(const std::exception_ptr& failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const EClipboardException&) {
        if (reportingBusyClipboard) return;
        reportingBusyClipboard = true;
        Application->MessageBox(app_text::kClipboardBusy, "", MB_OK | MB_ICONWARNING | MB_SETFOREGROUND);
        reportingBusyClipboard = false;
    }
}

} // namespace

const TClassInfo& TForm4::StaticClass() {
    static const TClassInfo& info = TClassBuilder<TForm4>("TForm4", &TForm::StaticClass())
                                        .Creatable()
                                        .Method<void(TObject*)>("Timer1Timer", &TForm4::Timer1Timer)
                                        .Build();
    return info;
}

void TForm4::Loaded() {
    TForm::Loaded();
    Image1 = dynamic_cast<TImage*>(FindComponent("Image1"));
    Timer1 = dynamic_cast<TTimer*>(FindComponent("Timer1"));
}

void GrabScreen(TForm& form, TTimer& timer, TImage& image) {
    form.Hide();
    timer.SetEnabled(false);
    const int w = Screen->Width(), h = Screen->Height();
    TBitmap shot(w, h, pfDevice);
    {
        win::WindowDC screen = win::WindowDC::Screen();
        BitBlt(shot.Canvas().Handle(), 0, 0, w, h, screen.Get(), 0, 0, SRCCOPY);
    }
    image.Picture()->SetGraphic(&shot);
    image.SetBounds(image.Left(), image.Top(), w, h);
}

bool CaptureStep(std::exception_ptr& failure, const std::function<void()>& step) {
    try {
        step();
        return true;
    } catch (...) {
        failure = std::current_exception();
        return false;
    }
}

void RunCapture(TForm& form, TTimer& timer, const std::exception_ptr& failure) {
    form.SetWindowState(wsMinimized);
    timer.SetEnabled(true);
    form.ShowModal();
    if (failure) reportFailure(failure);
}

void TForm4::Timer1Timer(TObject*) {
    CaptureStep(Failure, [this] {
        GrabScreen(*this, *Timer1, *Image1);
        Clipboard().Assign(*Image1->Picture());
    });
    Close();
}

void CaptureFullScreen() {
    std::unique_ptr<TForm4> form(NewForm<TForm4>(Application));
    RunCapture(*form, *form->Timer1, form->Failure);
}

// Full-screen capture.
#include "app/capture.h"

#include "toolkit/controls/application.h"
#include "toolkit/core/class_builder.h"
#include "toolkit/graphics/clipboard.h"

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

void TForm4::Timer1Timer(TObject*) {
    GrabScreen(*this, *Timer1, *Image1);
    Clipboard().Assign(*Image1->Picture());
    Close();
}

void CaptureFullScreen() {
    std::unique_ptr<TForm4> form(NewForm<TForm4>(Application));
    form->SetWindowState(wsMinimized);
    form->Timer1->SetEnabled(true);
    form->ShowModal();
}

// Region capture. Everything drawn on the overlay uses the inverting pen, so drawing a figure a
// second time restores the frozen screen exactly and the copied region shows neither crosshair
// nor frame.
#include "app/qcapture.h"

#include <algorithm>
#include <cstdlib>

#include "app/capture.h"
#include "toolkit/controls/application.h"
#include "toolkit/core/class_builder.h"
#include "toolkit/graphics/clipboard.h"

namespace {

// The selection of the overlay; a new region capture starts it afresh.
struct TSelection {
    bool crosshair = false;
    bool rubberBand = false;
    POINT last{-1, -1}; // crosshair position
    POINT anchor{0, 0}; // first click
    POINT corner{0, 0}; // latest position while rubber-banding
    POINT end{0, 0};    // second click
};
TSelection selection;

void invertingPen(TCanvas& canvas) {
    canvas.Pen().SetMode(pmNot);
    canvas.Pen().SetColor(clBlack);
    canvas.Brush().SetStyle(bsClear);
}

void crosshairAt(TCanvas& canvas, POINT p) {
    canvas.MoveTo(p.x, 0);
    canvas.LineTo(p.x, Screen->Height());
    canvas.MoveTo(0, p.y);
    canvas.LineTo(Screen->Width(), p.y);
}

void frame(TCanvas& canvas, POINT a, POINT b) {
    canvas.Rectangle(a.x, a.y, b.x, b.y);
}

} // namespace

const TClassInfo& TForm5::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TForm5>("TForm5", &TForm::StaticClass())
            .Creatable()
            .Method<void(TObject*)>("Timer1Timer", &TForm5::Timer1Timer)
            .Method<void(TObject*, TMouseButton, TShiftState, int, int)>("Image1MouseDown",
                                                                         &TForm5::Image1MouseDown)
            .Method<void(TObject*, TShiftState, int, int)>("Image1MouseMove", &TForm5::Image1MouseMove)
            .Build();
    return info;
}

void TForm5::Loaded() {
    TForm::Loaded();
    Image1 = dynamic_cast<TImage*>(FindComponent("Image1"));
    Timer1 = dynamic_cast<TTimer*>(FindComponent("Timer1"));
}

void TForm5::Timer1Timer(TObject*) {
    const bool shown = CaptureStep(Failure, [this] {
        GrabScreen(*this, *Timer1, *Image1);
        SetWindowState(wsMaximized);
        Show();
        selection.last = POINT{-1, -1};
        invertingPen(Image1->Canvas());
        selection.crosshair = true;
    });
    if (!shown) Close();
}

void TForm5::Image1MouseMove(TObject*, TShiftState, int X, int Y) {
    TCanvas& canvas = Image1->Canvas();
    if (selection.rubberBand) {
        frame(canvas, selection.anchor, selection.corner);
        frame(canvas, selection.anchor, POINT{X, Y});
        selection.corner = POINT{X, Y};
    } else if (selection.crosshair) {
        crosshairAt(canvas, selection.last);
        crosshairAt(canvas, POINT{X, Y});
        selection.last = POINT{X, Y};
    } else {
        return;
    }
    Image1->Repaint();
}

void TForm5::Image1MouseDown(TObject*, TMouseButton, TShiftState, int X, int Y) {
    TCanvas& canvas = Image1->Canvas();
    if (!selection.rubberBand) {
        selection.crosshair = false;
        crosshairAt(canvas, selection.last);
        selection.anchor = selection.corner = POINT{X, Y};
        selection.rubberBand = true;
        invertingPen(canvas);
        Image1->Repaint();
        return;
    }
    selection.end = POINT{X, Y};
    selection.rubberBand = false;
    frame(canvas, selection.anchor, selection.corner);
    CaptureStep(Failure, [&canvas] {
        const POINT a = selection.anchor, e = selection.end;
        // Two clicks on one row or column still give a picture: the one-pixel line under them.
        const int w = std::max<int>(std::abs(e.x - a.x), 1), h = std::max<int>(std::abs(e.y - a.y), 1);
        const int left = std::min(a.x, e.x), top = std::min(a.y, e.y);
        TBitmap region(w, h, pfDevice);
        BitBlt(region.Canvas().Handle(), 0, 0, w, h, canvas.Handle(), left, top, SRCCOPY);
        Clipboard().Assign(region);
    });
    Close();
}

void CaptureRegion() {
    selection = TSelection{};
    std::unique_ptr<TForm5> form(NewForm<TForm5>(Application));
    RunCapture(*form, *form->Timer1, form->Failure);
}

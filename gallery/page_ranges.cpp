// The gallery's "Ranges" page.
#include "gallery/page_ranges.h"

#include "toolkit/controls/range_ctrls.h"
#include "toolkit/controls/timer.h"
#include "toolkit/core/class_builder.h"

const TClassInfo& TRangesPage::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TRangesPage>("TRangesPage", &TForm::StaticClass())
            .Creatable()
            .Method<void(TObject*)>("AnimateTimerTimer", &TRangesPage::AnimateTimerTimer)
            .Build();
    return info;
}

void TRangesPage::Loaded() {
    TForm::Loaded();
    moving_[0] = dynamic_cast<TProgressBar*>(FindComponent("ProgressAnimated"));
    moving_[1] = dynamic_cast<TProgressBar*>(FindComponent("ProgressVertAnimated"));
    timer_ = dynamic_cast<TTimer*>(FindComponent("AnimateTimer"));
}

void TRangesPage::AnimateTimerTimer(TObject*) {
    // StepIt starts over from Min past Max.
    for (TProgressBar* bar : moving_)
        if (bar) bar->StepIt();
}

void TRangesPage::HoldStill() {
    if (timer_) timer_->SetEnabled(false);
    for (TProgressBar* bar : moving_)
        if (bar) bar->SetPosition(kStillPosition);
}

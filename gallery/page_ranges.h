// The "Ranges" page: track bars, up-downs (one keeping a text's number) and progress bars in both
// orientations, smooth and in chunks; two of the bars are kept moving by a timer.
#pragma once

#include "gallery/pages.h"
#include "toolkit/controls/form.h"

class TProgressBar;
class TTimer;

class TRangesPage : public TForm, public GalleryAnimation {
    QS_DECLARE_CLASS()
  public:
    // Where the moving bars stop for a screenshot.
    static constexpr int kStillPosition = 40;

    explicit TRangesPage(TComponent* owner) : TForm(owner) {}
    void HoldStill() override;
    // The timer's tick: the moving bars step on, and start over once full.
    void AnimateTimerTimer(TObject* Sender);

  protected:
    void Loaded() override;

  private:
    TTimer* timer_ = nullptr;
    TProgressBar* moving_[2] = {};
};

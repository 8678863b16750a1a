// "New window": a plain MDI child of the gallery, to see a skinned child frame, its caption
// buttons, and a maximised child's buttons in the frame's menu bar.
#pragma once

#include "toolkit/controls/form.h"

class TGalleryChild : public TForm {
    QS_DECLARE_CLASS()
  public:
    explicit TGalleryChild(TComponent* owner) : TForm(owner) {}
    void CloseClick(TObject* Sender);
};

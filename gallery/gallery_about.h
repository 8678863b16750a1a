// The gallery's small modal about box.
#pragma once

#include "toolkit/controls/form.h"

class TGalleryAbout : public TForm {
    QS_DECLARE_CLASS()
  public:
    explicit TGalleryAbout(TComponent* owner) : TForm(owner) {}
};

// Creates the box, shows it modally and frees it.
void ShowGalleryAbout();

// The "Text" page: edits with and without a border, a spin edit, combo boxes in every style (one
// with its button on the left, one disabled, an extended one) and date-time pickers in date and
// time modes.
#pragma once

#include "toolkit/controls/form.h"

class TTextPage : public TForm {
    QS_DECLARE_CLASS()
  public:
    explicit TTextPage(TComponent* owner) : TForm(owner) {}
};

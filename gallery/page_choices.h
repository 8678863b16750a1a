// The "Choices" page: check boxes in every state, radio buttons, a group box holding controls of
// its own, a radio group, and a check box (Tag 99) that skinning leaves standard.
#pragma once

#include "toolkit/controls/form.h"

class TChoicesPage : public TForm {
    QS_DECLARE_CLASS()
  public:
    explicit TChoicesPage(TComponent* owner) : TForm(owner) {}
};

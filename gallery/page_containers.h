// The "Containers" page: group boxes (one painting a label, one holding a panel), panels with
// their bevels, a header, a report list view long enough to scroll, a tool bar, and two status
// bars: three panels with a size grip, and one in simple mode.
#pragma once

#include "toolkit/controls/form.h"

class TContainersPage : public TForm {
    QS_DECLARE_CLASS()
  public:
    explicit TContainersPage(TComponent* owner) : TForm(owner) {}
};

// The "Tabs" page: page controls with their tabs on each of the four sides, one with more tabs
// than fit, one (Tag 7777) that is to get close boxes on its tabs, one with button-style tabs, a
// tab control sharing one area among its tabs, and a tab set.
#pragma once

#include "toolkit/controls/form.h"

class TTabsPage : public TForm {
    QS_DECLARE_CLASS()
  public:
    explicit TTabsPage(TComponent* owner) : TForm(owner) {}
};

// The "Lists" page: a memo longer and wider than its window, a list box with both scroll bars, a
// scroll box whose children reach past it, and stand-alone scroll bars (one disabled).
#pragma once

#include "toolkit/controls/form.h"
#include "toolkit/controls/list_box.h"

// A list box whose horizontal bar ranges over its widest line (measured when its window is made).
class TWideListBox : public TListBox {
    QS_DECLARE_CLASS()
  public:
    explicit TWideListBox(TComponent* owner) : TListBox(owner) {}

  protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeWnd() override;
};

class TListsPage : public TForm {
    QS_DECLARE_CLASS()
  public:
    explicit TListsPage(TComponent* owner) : TForm(owner) {}
};

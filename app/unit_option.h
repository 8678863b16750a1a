// The instructions dialog (unit Unit_option), shown at every start.
#pragma once

#include "toolkit/controls/ext_ctrls.h"
#include "toolkit/controls/form.h"
#include "toolkit/controls/std_ctrls.h"

class TForm3 : public TForm {
    QS_DECLARE_CLASS()
  public:
    explicit TForm3(TComponent* owner) : TForm(owner) {}
    void Button1Click(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
};

// Creates the dialog, shows it modally and frees it.
void ShowInstructions();

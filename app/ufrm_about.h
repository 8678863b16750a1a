// The about dialog (unit ufrm_about) with the link to the program's home page.
#pragma once

#include "toolkit/controls/ext_ctrls.h"
#include "toolkit/controls/form.h"
#include "toolkit/controls/std_ctrls.h"

class Tfrm_about : public TForm {
    QS_DECLARE_CLASS()
  public:
    explicit Tfrm_about(TComponent* owner) : TForm(owner) {}
    void Loaded() override;
    void Button1Click(TObject* Sender);
    void Label_urlClick(TObject* Sender);
    void Label_urlMouseEnter(TObject* Sender);
    void Label_urlMouseLeave(TObject* Sender);

    TLabel* Label_url = nullptr;
};

void ShowAbout();

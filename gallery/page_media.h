// The "Media" page: a media player with some buttons hidden and one disabled, one with all nine
// buttons uncoloured, one (Tag 99) that skinning leaves standard, and a label that says which
// button was clicked last.
#pragma once

#include "toolkit/controls/form.h"
#include "toolkit/controls/media_player.h"

class TMediaPage : public TForm {
    QS_DECLARE_CLASS()
  public:
    explicit TMediaPage(TComponent* owner) : TForm(owner) {}

    void PlayerClick(TObject* sender, TMPBtnType button, bool& doDefault);
};

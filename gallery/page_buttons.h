// The "Buttons" page: push buttons, bit buttons in every layout with one to three glyph cells,
// flat, raised and grouped speed buttons, and a button over a patterned panel that shows whether
// a skinned button lets its parent's background through.
#pragma once

#include "toolkit/controls/form.h"
#include "toolkit/handles.h"

class TButtonsPage : public TForm {
    QS_DECLARE_CLASS()
  public:
    explicit TButtonsPage(TComponent* owner) : TForm(owner) {}

  protected:
    void Loaded() override;

  private:
    void hatchPanel(TControl* panel);

    win::BrushHandle hatch_;
};

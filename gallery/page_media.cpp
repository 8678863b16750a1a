// The gallery's "Media" page: the player and the label come from its form text.
#include "gallery/page_media.h"

#include <string>

#include "toolkit/controls/std_ctrls.h"
#include "toolkit/core/class_builder.h"

const TClassInfo& TMediaPage::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TMediaPage>("TMediaPage", &TForm::StaticClass())
            .Creatable()
            .Method<void(TObject*, TMPBtnType, bool&)>("PlayerClick", &TMediaPage::PlayerClick)
            .Build();
    return info;
}

void TMediaPage::PlayerClick(TObject*, TMPBtnType button, bool&) {
    if (auto* label = dynamic_cast<TLabel*>(FindComponent("ClickedLabel")))
        label->SetCaption(std::string("Clicked: ") + MediaButtonName(int(button)));
}

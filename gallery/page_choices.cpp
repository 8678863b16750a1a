// The gallery's "Choices" page: everything it holds comes from its form text.
#include "gallery/page_choices.h"

#include "toolkit/core/class_builder.h"

const TClassInfo& TChoicesPage::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TChoicesPage>("TChoicesPage", &TForm::StaticClass()).Creatable().Build();
    return info;
}

// The gallery's "Text" page: everything it holds comes from its form text.
#include "gallery/page_text.h"

#include "toolkit/core/class_builder.h"

const TClassInfo& TTextPage::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TTextPage>("TTextPage", &TForm::StaticClass()).Creatable().Build();
    return info;
}

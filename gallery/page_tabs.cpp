// The gallery's "Tabs" page: everything it holds comes from its form text.
#include "gallery/page_tabs.h"

#include "toolkit/core/class_builder.h"

const TClassInfo& TTabsPage::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TTabsPage>("TTabsPage", &TForm::StaticClass()).Creatable().Build();
    return info;
}

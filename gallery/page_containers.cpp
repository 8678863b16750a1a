// The gallery's "Containers" page: everything it holds comes from its form text.
#include "gallery/page_containers.h"

#include "toolkit/core/class_builder.h"

const TClassInfo& TContainersPage::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TContainersPage>("TContainersPage", &TForm::StaticClass()).Creatable().Build();
    return info;
}

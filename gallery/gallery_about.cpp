// The about box: its button's ModalResult closes it.
#include "gallery/gallery_about.h"

#include <memory>

#include "toolkit/controls/application.h"
#include "toolkit/core/class_builder.h"

const TClassInfo& TGalleryAbout::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TGalleryAbout>("TGalleryAbout", &TForm::StaticClass()).Creatable().Build();
    return info;
}

void ShowGalleryAbout() {
    std::unique_ptr<TGalleryAbout> box(NewForm<TGalleryAbout>(Application));
    box->ShowModal();
}

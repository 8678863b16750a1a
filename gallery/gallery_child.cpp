// The gallery's plain MDI child.
#include "gallery/gallery_child.h"

#include "toolkit/core/class_builder.h"

const TClassInfo& TGalleryChild::StaticClass() {
    static const TClassInfo& info = TClassBuilder<TGalleryChild>("TGalleryChild", &TForm::StaticClass())
                                        .Creatable()
                                        .Method<void(TObject*)>("CloseClick", &TGalleryChild::CloseClick)
                                        .Build();
    return info;
}

void TGalleryChild::CloseClick(TObject*) {
    Close();
}

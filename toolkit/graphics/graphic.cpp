// TGraphic: the shared parts of bitmaps and icons.
#include "toolkit/graphics/graphic.h"

#include "toolkit/core/class_builder.h"

const TClassInfo& TGraphic::StaticClass() {
    static const TClassInfo& info = TClassBuilder<TGraphic>("TGraphic", &TPersistent::StaticClass()).Build();
    return info;
}

void TGraphic::SetTransparent(bool value) {
    if (value == transparent_) return;
    transparent_ = value;
    Changed();
}

void TGraphic::Changed() {
    if (OnChange) OnChange(this);
}

void TGraphic::LoadFromFile(const std::string& path) {
    TMemoryStream s;
    if (!s.LoadFromFile(path)) throw EInvalidGraphic("Cannot read " + path);
    LoadFromStream(s);
}

void TGraphic::SaveToFile(const std::string& path) const {
    TMemoryStream s;
    SaveToStream(s);
    if (!s.SaveToFile(path)) throw Exception("Cannot write " + path);
}

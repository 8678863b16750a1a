// TPicture: one graphic, copied in and out, and its stored "Data" form.
#include "toolkit/graphics/picture.h"

#include "toolkit/core/class_builder.h"

const TClassInfo& TPicture::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TPicture>("TPicture", &TPersistent::StaticClass())
            .Binary("Data", &TPicture::ReadData, &TPicture::WriteData, &TPicture::HasData)
            .Build();
    return info;
}

TPicture::~TPicture() {
    if (graphic_) graphic_->OnChange = {};
}

void TPicture::changed() {
    if (OnChange) OnChange(this);
}

void TPicture::replace(std::unique_ptr<TGraphic> graphic) {
    graphic_ = std::move(graphic);
    if (graphic_) graphic_->OnChange.fn = [this](TObject*) { changed(); };
    changed();
}

void TPicture::SetGraphic(const TGraphic* graphic) {
    std::unique_ptr<TGraphic> copy;
    if (dynamic_cast<const TBitmap*>(graphic))
        copy = std::make_unique<TBitmap>();
    else if (dynamic_cast<const TIcon*>(graphic))
        copy = std::make_unique<TIcon>();
    else if (graphic)
        throw EConvertError("Cannot keep a " + graphic->ClassName() + " in a picture");
    if (copy) copy->Assign(graphic);
    replace(std::move(copy));
}

TBitmap& TPicture::Bitmap() {
    if (!dynamic_cast<TBitmap*>(graphic_.get())) replace(std::make_unique<TBitmap>());
    return static_cast<TBitmap&>(*graphic_);
}

TIcon& TPicture::Icon() {
    if (!dynamic_cast<TIcon*>(graphic_.get())) replace(std::make_unique<TIcon>());
    return static_cast<TIcon&>(*graphic_);
}

void TPicture::Assign(const TPersistent* source) {
    if (!source) {
        replace(nullptr);
    } else if (auto* p = dynamic_cast<const TPicture*>(source)) {
        if (p != this) SetGraphic(p->Graphic());
    } else if (auto* g = dynamic_cast<const TGraphic*>(source)) {
        SetGraphic(g);
    } else {
        TPersistent::Assign(source);
    }
}

bool TPicture::AssignTo(TPersistent* dest) const {
    auto* g = dynamic_cast<TGraphic*>(dest);
    if (!g) return false;
    if (!graphic_) {
        g->Assign(nullptr);
        return true;
    }
    if (&graphic_->ClassType() != &g->ClassType()) return false;
    g->Assign(graphic_.get());
    return true;
}

void TPicture::ReadData(const std::vector<uint8_t>& data) {
    if (data.empty()) {
        replace(nullptr);
        return;
    }
    const size_t n = data[0];
    if (1 + n > data.size()) throw EInvalidGraphic("Invalid picture data: class name past the end");
    const std::string kind(data.begin() + 1, data.begin() + 1 + long(n));
    std::unique_ptr<TGraphic> g;
    if (SameText(kind, "TBitmap"))
        g = std::make_unique<TBitmap>();
    else if (SameText(kind, "TIcon"))
        g = std::make_unique<TIcon>();
    else
        throw EInvalidGraphic("Invalid picture data: unknown graphic class " + kind);
    TMemoryStream s(std::vector<uint8_t>(data.begin() + 1 + long(n), data.end()));
    g->LoadFromStream(s);
    replace(std::move(g));
}

std::vector<uint8_t> TPicture::WriteData() const {
    if (Empty()) return {};
    const std::string& kind = graphic_->ClassName();
    TMemoryStream s;
    uint8_t n = uint8_t(kind.size());
    s.Write(&n, 1);
    s.Write(kind.data(), kind.size());
    graphic_->SaveToStream(s);
    return s.Bytes();
}

// The test classes' run-time information.
#include "test_classes.h"

#include <stdexcept>

#include "toolkit/core/class_builder.h"

namespace {
const TEnumInfo& KindInfo() {
    static const TEnumInfo info{"TWidgetKind", {"wkPlain", "wkFancy", "wkLoud"}};
    return info;
}
const TEnumInfo& PartInfo() {
    static const TEnumInfo info{"TWidgetPart", {"wpTop", "wpBottom", "wpLeft", "wpRight"}};
    return info;
}
const TIdentMap& ColorIdents() {
    static const TIdentMap m{{{clGray, "clGray"}, {clNone, "clNone"}, {0xFF, "clRed"}}};
    return m;
}
} // namespace

std::vector<std::string>& LoadedLog() {
    static std::vector<std::string> log;
    return log;
}

const TClassInfo& TTestFont::StaticClass() {
    static const TClassInfo& info = TClassBuilder<TTestFont>("TTestFont", &TPersistent::StaticClass())
                                        .Str("Name", &TTestFont::Name, &TTestFont::SetName)
                                        .Int("Height", &TTestFont::Height, &TTestFont::SetHeight, 0)
                                        .Build();
    return info;
}

const TClassInfo& TTestItem::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TTestItem>("TTestItem", &TCollectionItem::StaticClass())
            .Str("Name", &TTestItem::Name, &TTestItem::SetName)
            .Int("Value", &TTestItem::Value, &TTestItem::SetValue, 0)
            .Obj("Buddy", &TTestItem::Buddy, &TTestItem::SetBuddy)
            .Binary("Data", &TTestItem::ReadData, &TTestItem::WriteData, &TTestItem::DataStored)
            .Build();
    return info;
}

const TClassInfo& TTestWidget::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TTestWidget>("TTestWidget", &TComponent::StaticClass())
            .Creatable()
            .Int("Size", &TTestWidget::Size, &TTestWidget::SetSize)
            .Int("Color", &TTestWidget::Color, &TTestWidget::SetColor, clNone, &ColorIdents())
            .Bool("Flat", &TTestWidget::Flat, &TTestWidget::SetFlat, false)
            .Enum("Kind", KindInfo(), &TTestWidget::Kind, &TTestWidget::SetKind, wkPlain)
            .Set("Parts", PartInfo(), 1, &TTestWidget::Parts, &TTestWidget::SetParts, 1 << wpTop)
            .Str("Caption", &TTestWidget::Caption, &TTestWidget::SetCaption)
            .WStr("Title", &TTestWidget::Title, &TTestWidget::SetTitle)
            .Int<TTestWidget, int32_t>("Count", &TTestWidget::Count, nullptr)
            .Obj("Buddy", &TTestWidget::Buddy, &TTestWidget::SetBuddy)
            .Obj<TTestWidget, TTestFont>("Font", &TTestWidget::Font, nullptr, true)
            .Obj("Items", &TTestWidget::Items, &TTestWidget::SetItems, true)
            .Event("OnClick", &TTestWidget::OnClick)
            .Binary("SkinStream", &TTestWidget::ReadSkin, &TTestWidget::WriteSkin, &TTestWidget::SkinStored)
            .Build();
    return info;
}

const TClassInfo& TTestForm::StaticClass() {
    static const TClassInfo& info = TClassBuilder<TTestForm>("TTestForm", &TTestWidget::StaticClass())
                                        .Creatable()
                                        .Method<void(TObject*)>("WidgetClick", &TTestForm::WidgetClick)
                                        .Method<int(int)>("Measure", &TTestForm::Measure)
                                        .Build();
    return info;
}

TTestWidget::TTestWidget(TComponent* owner)
    : TComponent(owner), font_(new TTestFont),
      items_(
          new TCollection(this, TTestItem::StaticClass(), [](TCollection* c) { return new TTestItem(c); })) {}

TTestWidget::~TTestWidget() {
    delete items_;
    delete font_;
}

void TTestWidget::SetSize(int32_t v) {
    if (v < 0) throw std::invalid_argument("Size must not be negative");
    size_ = v;
    loadingWhileSet = IsLoading();
}

void TTestWidget::ReadSkin(const std::vector<uint8_t>& v) {
    if (v.size() < 4) throw std::invalid_argument("SkinStream without its count");
    int32_t n = int32_t(uint32_t(v[0]) | uint32_t(v[1]) << 8 | uint32_t(v[2]) << 16 | uint32_t(v[3]) << 24);
    if (n <= 0) return; // nothing stored: keep what there is
    if (size_t(n) != v.size() - 4) throw std::invalid_argument("SkinStream count does not match its bytes");
    skin.assign(v.begin() + 4, v.end());
}

std::vector<uint8_t> TTestWidget::WriteSkin() const {
    auto n = uint32_t(skin.size());
    std::vector<uint8_t> out;
    out.reserve(4 + skin.size());
    for (int i = 0; i < 4; ++i)
        out.push_back(uint8_t(n >> (8 * i)));
    out.insert(out.end(), skin.begin(), skin.end());
    return out;
}

void TTestWidget::Loaded() {
    TComponent::Loaded();
    LoadedLog().push_back(Name());
}

void TTestForm::Loaded() {
    TTestWidget::Loaded();
    if (auto* last = dynamic_cast<TTestWidget*>(FindComponent("Last"))) lastSizeAtLoaded = last->Size();
}

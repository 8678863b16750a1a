// Fuzz target: bytes given to the form-resource reader either read into a form or raise
// EReadError; what reads is written out and read again to the same bytes. The same input as form
// text either parses or raises EReadError, and what parses writes text that parses back equal.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "toolkit/core/class_builder.h"
#include "toolkit/core/collection.h"
#include "toolkit/resource/form_resource.h"

namespace {

enum TFuzzMode { fmOff, fmOn, fmAuto };

const TEnumInfo& ModeInfo() {
    static const TEnumInfo info{"TFuzzMode", {"fmOff", "fmOn", "fmAuto"}};
    return info;
}

class TFuzzItem : public TCollectionItem {
    QS_DECLARE_CLASS()
  public:
    using TCollectionItem::TCollectionItem;
    std::string Text() const { return text_; }
    void SetText(const std::string& v) { text_ = v; }
    std::vector<uint8_t> data;

  private:
    void ReadData(const std::vector<uint8_t>& v) { data = v; }
    std::vector<uint8_t> WriteData() const { return data; }
    std::string text_;
};

class TFuzzPart : public TComponent {
    QS_DECLARE_CLASS()
  public:
    explicit TFuzzPart(TComponent* owner)
        : TComponent(owner),
          items_(this, TFuzzItem::StaticClass(), [](TCollection* c) { return new TFuzzItem(c); }) {}
    int32_t Number() const { return number_; }
    void SetNumber(int32_t v) { number_ = v; }
    bool Flag() const { return flag_; }
    void SetFlag(bool v) { flag_ = v; }
    TFuzzMode Mode() const { return mode_; }
    void SetMode(TFuzzMode v) { mode_ = v; }
    uint32_t Modes() const { return modes_; }
    void SetModes(uint32_t v) { modes_ = v; }
    std::wstring Title() const { return title_; }
    void SetTitle(const std::wstring& v) { title_ = v; }
    TFuzzPart* Link() const { return link_; }
    void SetLink(TFuzzPart* v) { link_ = v; }
    TCollection* Items() const { return const_cast<TCollection*>(&items_); }
    TNotifyEvent OnPing;
    void Ping(TObject*) {}

  private:
    int32_t number_ = 0;
    bool flag_ = false;
    TFuzzMode mode_ = fmOff;
    uint32_t modes_ = 0;
    std::wstring title_;
    TFuzzPart* link_ = nullptr;
    TCollection items_;
};

const TClassInfo& TFuzzItem::StaticClass() {
    static const TClassInfo& info = TClassBuilder<TFuzzItem>("TFuzzItem", &TCollectionItem::StaticClass())
                                        .Str("Text", &TFuzzItem::Text, &TFuzzItem::SetText)
                                        .Binary("Data", &TFuzzItem::ReadData, &TFuzzItem::WriteData)
                                        .Build();
    return info;
}

const TClassInfo& TFuzzPart::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TFuzzPart>("TFuzzPart", &TComponent::StaticClass())
            .Creatable()
            .Int("Number", &TFuzzPart::Number, &TFuzzPart::SetNumber, 0)
            .Bool("Flag", &TFuzzPart::Flag, &TFuzzPart::SetFlag, false)
            .Enum("Mode", ModeInfo(), &TFuzzPart::Mode, &TFuzzPart::SetMode, fmOff)
            .Set("Modes", ModeInfo(), 1, &TFuzzPart::Modes, &TFuzzPart::SetModes, 0)
            .WStr("Title", &TFuzzPart::Title, &TFuzzPart::SetTitle)
            .Obj("Link", &TFuzzPart::Link, &TFuzzPart::SetLink)
            .Obj("Items", &TFuzzPart::Items, nullptr, true)
            .Event("OnPing", &TFuzzPart::OnPing)
            .Method<void(TObject*)>("Ping", &TFuzzPart::Ping)
            .Build();
    return info;
}

void fuzzBinary(const uint8_t* data, size_t size) {
    std::vector<uint8_t> once;
    {
        TFuzzPart root(nullptr);
        try {
            ReadComponentResource(&root, data, size);
        } catch (const EReadError&) {
            return;
        }
        once = WriteComponentResource(&root);
    }
    TFuzzPart again(nullptr);
    ReadComponentResource(&again, once);
    if (WriteComponentResource(&again) != once) abort();
}

void fuzzText(const uint8_t* data, size_t size) {
    TFormTextOptions options;
    options.loadFile = [](const std::string& path, std::vector<uint8_t>& bytes) {
        bytes.assign(path.begin(), path.end());
        return true;
    };
    TFormNode tree;
    try {
        tree = ParseFormText(std::string(reinterpret_cast<const char*>(data), size), options);
    } catch (const EReadError&) {
        return;
    }
    std::string text = FormTreeToText(tree, nullptr);
    if (!(ParseFormText(text, options) == tree)) abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TFuzzPart::StaticClass(); // registers the class before any resource names it
    fuzzBinary(data, size);
    fuzzText(data, size);
    return 0;
}

// The object model seen from a caller that knows nothing of the classes: properties of every kind
// by name, inheritance, sets as text, events bound by method name, ownership and collections.
#include <gtest/gtest.h>

#include "toolkit/core/class_builder.h"
#include "toolkit/core/collection.h"
#include "toolkit/core/component.h"
#include "toolkit/core/prop_access.h"

namespace {

enum TShade { shLight, shDark, shVivid };
const TEnumInfo& ShadeInfo() {
    static const TEnumInfo info{"TShade", {"shLight", "shDark", "shVivid"}};
    return info;
}
const TIdentMap& Idents() {
    static const TIdentMap m{{{0x808080, "clGray"}, {0xFF, "clRed"}}};
    return m;
}

class TGadget : public TComponent {
    QS_DECLARE_CLASS()
  public:
    explicit TGadget(TComponent* owner) : TComponent(owner) {}
    int32_t Color() const { return color_; }
    void SetColor(int32_t v) { color_ = v; }
    bool Flat() const { return flat_; }
    void SetFlat(bool v) { flat_ = v; }
    TShade Shade() const { return shade_; }
    void SetShade(TShade v) { shade_ = v; }
    uint32_t Parts() const { return parts_; }
    void SetParts(uint32_t v) { parts_ = v; }
    std::string Caption() const { return caption_; }
    void SetCaption(const std::string& v) { caption_ = v; }
    std::wstring Title() const { return title_; }
    void SetTitle(const std::wstring& v) { title_ = v; }
    TGadget* Buddy() const { return buddy_; }
    void SetBuddy(TGadget* v) { buddy_ = v; }

    TNotifyEvent OnPoke;
    int pokes = 0;
    void Poked(TObject*) { ++pokes; }

  private:
    int32_t color_ = 0;
    bool flat_ = false;
    TShade shade_ = shLight;
    uint32_t parts_ = 0;
    std::string caption_;
    std::wstring title_;
    TGadget* buddy_ = nullptr;
};

class TBigGadget : public TGadget {
    QS_DECLARE_CLASS()
  public:
    using TGadget::TGadget;
    int32_t Size() const { return size_; }
    void SetSize(int32_t v) { size_ = v; }

  private:
    int32_t size_ = 7;
};

const TClassInfo& TGadget::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TGadget>("TGadget", &TComponent::StaticClass())
            .Creatable()
            .Int("Color", &TGadget::Color, &TGadget::SetColor, 0, &Idents())
            .Bool("Flat", &TGadget::Flat, &TGadget::SetFlat, false)
            .Enum("Shade", ShadeInfo(), &TGadget::Shade, &TGadget::SetShade, shLight)
            .Set("Parts", ShadeInfo(), 2, &TGadget::Parts, &TGadget::SetParts)
            .Str("Caption", &TGadget::Caption, &TGadget::SetCaption)
            .WStr("Title", &TGadget::Title, &TGadget::SetTitle)
            .Obj("Buddy", &TGadget::Buddy, &TGadget::SetBuddy)
            .Event("OnPoke", &TGadget::OnPoke)
            .Method<void(TObject*)>("Poked", &TGadget::Poked)
            .Build();
    return info;
}

const TClassInfo& TBigGadget::StaticClass() {
    static const TClassInfo& info = TClassBuilder<TBigGadget>("TBigGadget", &TGadget::StaticClass())
                                        .Creatable()
                                        .Int("Size", &TBigGadget::Size, &TBigGadget::SetSize, 7)
                                        .Bool("Flat", &TGadget::Flat, &TGadget::SetFlat, true)
                                        .Build();
    return info;
}

// Reached only through the registry, as the engine reaches classes it has never heard of.
TComponent* Create(const std::string& className, TComponent* owner) {
    TBigGadget::StaticClass();
    const TClassInfo* info = FindClassInfo(className);
    return info && info->create ? info->create(owner) : nullptr;
}

} // namespace

TEST(Properties, EveryKindReadsAndWritesByNameOnAnUnknownClass) {
    TComponent root(nullptr);
    TComponent* g = Create("tbiggadget", &root);
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->ClassName(), "TBigGadget");

    SetPropFromText(g, "color", "$1F");
    EXPECT_EQ(GetIntProp(g, "Color"), 0x1F);
    SetPropFromText(g, "Color", "clGray");
    EXPECT_EQ(GetIntProp(g, "Color"), 0x808080);
    SetPropFromText(g, "Color", "-2");
    EXPECT_EQ(GetIntProp(g, "Color"), -2);

    SetPropFromText(g, "Shade", "shVivid");
    EXPECT_EQ(GetEnumPropName(g, "Shade"), "shVivid");
    EXPECT_EQ(GetIntProp(g, "Shade"), 2);
    SetPropFromText(g, "Shade", "shNone"); // unknown member: ignored
    EXPECT_EQ(GetEnumPropName(g, "Shade"), "shVivid");

    SetPropFromText(g, "Flat", "False");
    EXPECT_EQ(GetEnumPropName(g, "Flat"), "False");
    SetPropFromText(g, "Caption", "Quillshot");
    EXPECT_EQ(GetWideStrProp(g, "Caption"), L"Quillshot");
    SetPropFromText(g, "Title", "ignored"); // wide strings are not set from 8-bit text
    EXPECT_EQ(GetWideStrProp(g, "Title"), L"");

    TComponent* other = Create("TGadget", &root);
    EXPECT_TRUE(SetObjectProp(g, "Buddy", other));
    EXPECT_EQ(GetObjectProp(g, "Buddy"), other);
    EXPECT_TRUE(SetObjectProp(g, "Buddy", &root)) << "a value of the wrong class is stored as nil";
    EXPECT_EQ(GetObjectProp(g, "Buddy"), nullptr);

    EXPECT_EQ(GetIntProp(g, "NoSuchProp"), -1);
    EXPECT_EQ(GetIntProp(g, "Caption"), -1) << "a string is not ordinal";
    EXPECT_EQ(GetEnumPropName(g, "Color"), "");
    EXPECT_EQ(GetObjectProp(g, "Color"), nullptr);
    EXPECT_EQ(GetIntProp(nullptr, "Color"), -1);
    SetPropFromText(g, "NoSuchProp", "1"); // ignored, not raised
}

TEST(Properties, SubclassesInheritAndMayRepublishWithNewDefaults) {
    const TClassInfo& big = TBigGadget::StaticClass();
    EXPECT_TRUE(big.InheritsFrom("TGadget"));
    EXPECT_TRUE(big.InheritsFrom("tcomponent"));
    EXPECT_FALSE(TGadget::StaticClass().InheritsFrom("TBigGadget"));
    ASSERT_NE(big.FindProp("Tag"), nullptr);
    EXPECT_EQ(big.FindProp("Flat")->defaultOrd, 1);

    std::vector<std::string> names;
    for (const TPropInfo* p : big.AllProps())
        names.push_back(p->name);
    const std::vector<std::string> expected = {"Name",    "Tag",   "Color", "Flat",   "Shade", "Parts",
                                               "Caption", "Title", "Buddy", "OnPoke", "Size"};
    EXPECT_EQ(names, expected);
}

TEST(Properties, SetsHaveATextFormByMemberName) {
    const TEnumInfo& e = ShadeInfo();
    EXPECT_EQ(SetToText(e, 0b101), "[shLight,shVivid]");
    EXPECT_EQ(SetToText(e, 0), "[]");
    uint64_t m = 99;
    ASSERT_TRUE(TextToSet(e, " [ shvivid , shDark ] ", m));
    EXPECT_EQ(m, 0b110u);
    ASSERT_TRUE(TextToSet(e, "[]", m));
    EXPECT_EQ(m, 0u);
    EXPECT_FALSE(TextToSet(e, "[shLight,,shDark]", m));
    EXPECT_FALSE(TextToSet(e, "[shNone]", m));
    EXPECT_FALSE(TextToSet(e, "shLight", m));
}

TEST(Properties, IntegerTextForms) {
    int64_t v = 0;
    EXPECT_TRUE(TextToInt("$FF", v) && v == 255);
    EXPECT_TRUE(TextToInt("0x10", v) && v == 16);
    EXPECT_TRUE(TextToInt(" -12 ", v) && v == -12);
    EXPECT_FALSE(TextToInt("12a", v));
    EXPECT_FALSE(TextToInt("$", v));
    EXPECT_FALSE(TextToInt("", v));
}

TEST(Events, StoredMethodNamesBindToPublishedMethods) {
    TComponent root(nullptr);
    auto* g = static_cast<TGadget*>(Create("TGadget", &root));
    const TMethodInfo* m = g->ClassType().FindMethod("poked");
    ASSERT_NE(m, nullptr);
    const TPropInfo* ev = g->ClassType().FindProp("OnPoke");
    ASSERT_EQ(ev->kind, TTypeKind::Event);
    ASSERT_EQ(ev->eventSignature, m->signature);
    ev->setEvent(g, m->name, m->bind(g));
    ASSERT_TRUE(g->OnPoke);
    g->OnPoke(g);
    EXPECT_EQ(g->pokes, 1);
    EXPECT_EQ(ev->getEventName(g), "Poked");
    ev->setEvent(g, "", std::any());
    EXPECT_FALSE(g->OnPoke);
}

namespace {
class TWatcher : public TComponent {
  public:
    using TComponent::TComponent;
    TComponent* gone = nullptr;

  protected:
    void Notification(TComponent* c, TOperation op) override {
        if (op == TOperation::opRemove) gone = c;
    }
};
} // namespace

TEST(Components, OwnerFreesWhatItOwnsAndNamesAreUniquePerOwner) {
    auto* root = new TComponent(nullptr);
    auto* a = new TComponent(root);
    a->SetName("Button1");
    auto* b = new TComponent(root);
    EXPECT_THROW(b->SetName("button1"), Exception);
    EXPECT_EQ(b->Name(), "");
    b->SetName("Button2");
    EXPECT_EQ(root->FindComponent("BUTTON2"), b);
    EXPECT_EQ(root->ComponentCount(), 2);
    delete a;
    EXPECT_EQ(root->ComponentCount(), 1);
    EXPECT_EQ(root->Components().front(), b);

    TWatcher watcher(nullptr);
    watcher.FreeNotification(b);
    delete root; // frees b, which tells the watcher
    EXPECT_EQ(watcher.gone, b);
}

TEST(Components, LoadedClearsTheLoadingFlag) {
    TComponent c(nullptr);
    c.SetStateFlag(csLoading, true);
    EXPECT_TRUE(c.IsLoading());
    c.Loaded();
    EXPECT_FALSE(c.IsLoading());
}

namespace {
class TNamedItem : public TCollectionItem {
    QS_DECLARE_CLASS()
  public:
    explicit TNamedItem(TCollection* c) : TCollectionItem(c) {}
    std::string label;
    void Assign(const TPersistent* src) override {
        if (auto* s = dynamic_cast<const TNamedItem*>(src))
            label = s->label;
        else
            TCollectionItem::Assign(src);
    }
};
const TClassInfo& TNamedItem::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TNamedItem>("TNamedItem", &TCollectionItem::StaticClass()).Build();
    return info;
}
TCollection* MakeCollection() {
    return new TCollection(nullptr, TNamedItem::StaticClass(),
                           [](TCollection* c) { return new TNamedItem(c); });
}
} // namespace

TEST(Collections, IdsCountInCreationOrderAndAreNeverReused) {
    std::unique_ptr<TCollection> c(MakeCollection());
    c->Add();
    c->Add();
    c->Add();
    c->Delete(1);
    TCollectionItem* fourth = c->Add();
    EXPECT_EQ(c->Count(), 3);
    EXPECT_EQ(c->Item(0)->ID(), 0);
    EXPECT_EQ(c->Item(1)->ID(), 2);
    EXPECT_EQ(fourth->ID(), 3);
    EXPECT_EQ(fourth->Index(), 2);
}

TEST(Collections, AssignCopiesItemByItem) {
    std::unique_ptr<TCollection> a(MakeCollection()), b(MakeCollection());
    static_cast<TNamedItem*>(a->Add())->label = "one";
    static_cast<TNamedItem*>(a->Add())->label = "two";
    b->Add();
    b->Assign(a.get());
    ASSERT_EQ(b->Count(), 2);
    EXPECT_EQ(static_cast<TNamedItem*>(b->Item(1))->label, "two");
    EXPECT_EQ(b->Item(0)->ID(), 1) << "copied items are new items of the target";

    TComponent notACollection(nullptr);
    EXPECT_THROW(b->Assign(&notACollection), EConvertError);
}

// Component classes for the form-resource tests: a form-like root with published methods, and a
// widget with a property of every kind, an owned sub-object, a collection and two binary
// properties (one count-prefixed, one raw in the collection items).
#pragma once

#include <string>
#include <vector>

#include "toolkit/core/collection.h"
#include "toolkit/core/component.h"
#include "toolkit/core/events.h"

enum TWidgetKind { wkPlain, wkFancy, wkLoud };
enum TWidgetPart { wpTop, wpBottom, wpLeft, wpRight };

// Every Loaded call, in order, as "Name".
std::vector<std::string>& LoadedLog();

class TTestFont : public TPersistent {
    QS_DECLARE_CLASS()
  public:
    std::string Name() const { return name_; }
    void SetName(const std::string& v) { name_ = v; }
    int32_t Height() const { return height_; }
    void SetHeight(int32_t v) { height_ = v; }

  private:
    std::string name_;
    int32_t height_ = 0;
};

class TTestWidget;

class TTestItem : public TCollectionItem {
    QS_DECLARE_CLASS()
  public:
    using TCollectionItem::TCollectionItem;
    std::string Name() const { return name_; }
    void SetName(const std::string& v) { name_ = v; }
    int32_t Value() const { return value_; }
    void SetValue(int32_t v) { value_ = v; }
    TTestWidget* Buddy() const { return buddy_; }
    void SetBuddy(TTestWidget* v) { buddy_ = v; }
    std::vector<uint8_t> data;

  private:
    void ReadData(const std::vector<uint8_t>& v) { data = v; }
    std::vector<uint8_t> WriteData() const { return data; }
    bool DataStored() const { return !data.empty(); }
    std::string name_;
    int32_t value_ = 0;
    TTestWidget* buddy_ = nullptr;
};

class TTestWidget : public TComponent {
    QS_DECLARE_CLASS()
  public:
    explicit TTestWidget(TComponent* owner);
    ~TTestWidget() override;

    int32_t Size() const { return size_; }
    void SetSize(int32_t v);
    int32_t Color() const { return color_; }
    void SetColor(int32_t v) { color_ = v; }
    bool Flat() const { return flat_; }
    void SetFlat(bool v) { flat_ = v; }
    TWidgetKind Kind() const { return kind_; }
    void SetKind(TWidgetKind v) { kind_ = v; }
    uint32_t Parts() const { return parts_; }
    void SetParts(uint32_t v) { parts_ = v; }
    std::string Caption() const { return caption_; }
    void SetCaption(const std::string& v) { caption_ = v; }
    std::wstring Title() const { return title_; }
    void SetTitle(const std::wstring& v) { title_ = v; }
    int32_t Count() const { return 3; }
    TTestWidget* Buddy() const { return buddy_; }
    void SetBuddy(TTestWidget* v) { buddy_ = v; }
    TTestFont* Font() const { return font_; }
    TCollection* Items() const { return items_; }
    void SetItems(TCollection* v) { items_->Assign(v); }

    TNotifyEvent OnClick;
    std::vector<uint8_t> skin;    // SkinStream: int32 count, then the bytes
    bool loadingWhileSet = false; // csLoading was on when Size was set

    void Loaded() override;

  private:
    void ReadSkin(const std::vector<uint8_t>& v);
    std::vector<uint8_t> WriteSkin() const;
    bool SkinStored() const { return !skin.empty(); }

    int32_t size_ = 0;
    int32_t color_ = 0x1FFFFFFF;
    bool flat_ = false;
    TWidgetKind kind_ = wkPlain;
    uint32_t parts_ = 1 << wpTop;
    std::string caption_;
    std::wstring title_;
    TTestWidget* buddy_ = nullptr;
    TTestFont* font_;
    TCollection* items_;
};

class TTestForm : public TTestWidget {
    QS_DECLARE_CLASS()
  public:
    using TTestWidget::TTestWidget;
    int clicks = 0;
    void WidgetClick(TObject*) { ++clicks; }
    int Measure(int v) { return v; }
    int32_t lastSizeAtLoaded = -1; // the Size of component "Last" when the form's Loaded ran

    void Loaded() override;
};

// The colour names the widgets use.
enum : int32_t { clGray = 0x808080, clNone = 0x1FFFFFFF };

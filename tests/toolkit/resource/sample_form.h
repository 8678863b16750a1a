// A form in canonical text (as the writer emits it) using every kind of value, and a nesting
// that records parents the way the controls layer would.
#pragma once

#include <map>
#include <memory>

#include "test_classes.h"
#include "toolkit/resource/form_resource.h"

inline const char* const kSampleForm = R"(object Form1: TTestForm
  Size = 10
  Color = clGray
  Caption = 'Quillshot'
  Font.Name = 'Arial'
  Font.Height = -12
  object Panel1: TTestWidget
    Size = 0
    Buddy = Last
    object Button1: TTestWidget
      Tag = 7
      Size = 3
      Color = 123456
      Flat = True
      Kind = wkLoud
      Parts = [wpBottom,wpRight]
      Caption = 'It''s'#13#10'two lines'
      Title = W'wide'#9'title'
      OnClick = WidgetClick
    end
  end
  object Store: TTestWidget
    Size = 1
    Items = <
      item
        Name = 'First'
        Value = 5
        Data = {
          DEADBEEF}
      end
      item
        Name = 'Second'
        Buddy = Button1
      end>
    SkinStream = {
      03000000AABBCC}
  end
  object Last: TTestWidget
    Size = 42
  end
end
)";

// Parents as the adopt hook reported them, answered back when writing.
struct TParentMap {
    std::map<const TComponent*, TComponent*> parents;
    TResourceNesting Nesting() {
        TResourceNesting n;
        n.adopt = [this](TComponent* child, TComponent* parent) { parents[child] = parent; };
        n.parentOf = [this](const TComponent* child) {
            auto it = parents.find(child);
            return it == parents.end() ? nullptr : it->second;
        };
        return n;
    }
};

inline std::unique_ptr<TTestForm> ReadSample(TParentMap* parents = nullptr) {
    auto form = std::make_unique<TTestForm>(nullptr);
    TFormTextOptions options;
    options.fileName = "sample.txt";
    ReadComponentText(form.get(), kSampleForm, options, parents ? parents->Nesting() : TResourceNesting{});
    return form;
}

template <class T = TTestWidget> T* Find(const TComponent* root, const char* name) {
    return dynamic_cast<T*>(root->FindComponent(name));
}

// The draw and measure handlers a form skinner gives toolkit menu items, item by item, with the
// handlers the items had before: all of them are given back when the skinner lets go of its
// form, and an item that is freed first is forgotten.
#pragma once

#include <vector>

#include "toolkit/controls/menus.h"
#include "toolkit/core/component.h"

class TMenuHandlerLedger : public TComponent {
  public:
    TMenuHandlerLedger() : TComponent(nullptr) {}
    ~TMenuHandlerLedger() override;

    // Gives the item `draw` and `measure` (an empty one leaves that handler as it is), keeping
    // what the item had so that it gets it back.
    void Install(TMenuItem* item, TMenuDrawItemEvent draw, TMenuMeasureItemEvent measure);
    // The item's own handlers back; nothing when it has none of ours.
    void GiveBack(TMenuItem* item);
    void GiveBackAll();
    // Whether the item's measuring handler is one installed here.
    bool MeasuresFor(const TMenuItem* item) const;
    size_t Count() const { return entries_.size(); }

  protected:
    void Notification(TComponent* component, TOperation operation) override;

  private:
    struct Entry {
        TMenuItem* Item;
        bool Draw, Measure;
        TMenuDrawItemEvent OwnDraw;
        TMenuMeasureItemEvent OwnMeasure;
    };
    Entry* find(const TMenuItem* item);
    void restore(Entry& entry);

    std::vector<Entry> entries_;
};

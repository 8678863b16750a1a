// The form skinner's menu-item handlers and the items' own, given back.
#include "skin/form/menu_handlers.h"

#include <algorithm>
#include <utility>

TMenuHandlerLedger::~TMenuHandlerLedger() {
    GiveBackAll();
}

TMenuHandlerLedger::Entry* TMenuHandlerLedger::find(const TMenuItem* item) {
    auto it = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.Item == item; });
    return it == entries_.end() ? nullptr : &*it;
}

bool TMenuHandlerLedger::MeasuresFor(const TMenuItem* item) const {
    return std::any_of(entries_.begin(), entries_.end(),
                       [&](const Entry& e) { return e.Item == item && e.Measure; });
}

void TMenuHandlerLedger::Install(TMenuItem* item, TMenuDrawItemEvent draw, TMenuMeasureItemEvent measure) {
    if (!item || (!draw.fn && !measure.fn)) return;
    Entry* e = find(item);
    if (!e) {
        entries_.push_back(Entry{item, false, false, {}, {}});
        e = &entries_.back();
        FreeNotification(item);
    }
    // What the item has now is its own unless it is ours from before.
    if (draw.fn) {
        if (!e->Draw) e->OwnDraw = std::move(item->OnDrawItem);
        item->OnDrawItem = std::move(draw);
        e->Draw = true;
    }
    if (measure.fn) {
        if (!e->Measure) e->OwnMeasure = std::move(item->OnMeasureItem);
        item->OnMeasureItem = std::move(measure);
        e->Measure = true;
    }
}

void TMenuHandlerLedger::restore(Entry& e) {
    if (e.Draw) e.Item->OnDrawItem = std::move(e.OwnDraw);
    if (e.Measure) e.Item->OnMeasureItem = std::move(e.OwnMeasure);
    RemoveFreeNotification(e.Item);
}

void TMenuHandlerLedger::GiveBack(TMenuItem* item) {
    auto it = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.Item == item; });
    if (it == entries_.end()) return;
    Entry e = std::move(*it);
    entries_.erase(it);
    restore(e);
}

void TMenuHandlerLedger::GiveBackAll() {
    std::vector<Entry> all = std::move(entries_);
    entries_.clear();
    for (Entry& e : all)
        restore(e);
}

void TMenuHandlerLedger::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != TOperation::opRemove) return;
    entries_.erase(
        std::remove_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.Item == component; }),
        entries_.end());
}

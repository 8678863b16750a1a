// Finding, taking out and purging registered skinners.
#include "skin/core/skinner_registry.h"

#include <algorithm>

namespace {

template <class List, class Pred> typename List::value_type takeIf(List& list, Pred pred) {
    auto it = std::find_if(list.begin(), list.end(), pred);
    if (it == list.end()) return nullptr;
    typename List::value_type taken = std::move(*it);
    list.erase(it);
    return taken;
}

template <class List> typename List::value_type takeLast(List& list) {
    if (list.empty()) return nullptr;
    typename List::value_type taken = std::move(list.back());
    list.pop_back();
    return taken;
}

} // namespace

TFormSkinner* TSkinnerRegistry::FindForm(HWND window) const {
    if (!window) return nullptr;
    for (const auto& s : forms_)
        if (s->Handle == window) return s.get();
    return nullptr;
}

std::unique_ptr<TFormSkinner> TSkinnerRegistry::TakeForm(HWND window) {
    return takeIf(forms_, [&](const auto& s) { return s->Handle == window; });
}

std::unique_ptr<TFormSkinner> TSkinnerRegistry::TakeForm(const TFormSkinner* skinner) {
    return takeIf(forms_, [&](const auto& s) { return s.get() == skinner; });
}

std::unique_ptr<TFormSkinner> TSkinnerRegistry::TakeLastForm() {
    return takeLast(forms_);
}

void TSkinnerRegistry::PurgeDestroyedForms() {
    for (size_t i = forms_.size(); i-- > 0;)
        if (forms_[i]->State == fsDestroyed) {
            // Out of the list first: a skinner's destructor may look the registry up. One still
            // inside a message of its window goes when that returns.
            std::unique_ptr<TFormSkinner> gone = std::move(forms_[i]);
            forms_.erase(forms_.begin() + long(i));
            FreeWhenIdle(std::move(gone));
        }
}

bool TSkinnerRegistry::HasPopup(HWND window) const {
    return std::any_of(popups_.begin(), popups_.end(), [&](const auto& p) { return p->Handle == window; });
}

std::unique_ptr<TPopupSkinner> TSkinnerRegistry::TakePopup(HWND window) {
    return takeIf(popups_, [&](const auto& p) { return p->Handle == window; });
}

std::unique_ptr<TPopupSkinner> TSkinnerRegistry::TakeLastPopup() {
    return takeLast(popups_);
}

void TSkinnerRegistry::MarkPopupsForMenuBar() {
    for (auto& p : popups_)
        p->BelongsToMenuBar = true;
}

void TSkinnerRegistry::AssignMenuToPopup(HMENU menu) {
    for (auto it = popups_.rbegin(); it != popups_.rend(); ++it)
        if (!(*it)->Menu) {
            (*it)->Menu = menu;
            return;
        }
}

TBitmap* TSkinnerRegistry::FindPopupBitmap(HMENU menu) const {
    TPopupSkinner* p = FindPopupByMenu(menu);
    return p ? p->Background() : nullptr;
}

TPopupSkinner* TSkinnerRegistry::FindPopupByMenu(HMENU menu) const {
    if (!menu) return nullptr;
    for (const auto& p : popups_)
        if (p->Menu == menu) return p.get();
    return nullptr;
}

// The skin manager's registries: the form skinner of every skinned top-level window and the popup
// skinner of every open popup menu. The registry is each skinner's one owner; taking one out hands
// it to the caller, who frees it.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "skin/core/form_skinner_base.h"

class TSkinnerRegistry {
  public:
    using FormList = std::vector<std::unique_ptr<TFormSkinner>>;
    using PopupList = std::vector<std::unique_ptr<TPopupSkinner>>;

    void AddForm(std::unique_ptr<TFormSkinner> skinner) { forms_.push_back(std::move(skinner)); }
    TFormSkinner* FindForm(HWND window) const;
    std::unique_ptr<TFormSkinner> TakeForm(HWND window);
    std::unique_ptr<TFormSkinner> TakeForm(const TFormSkinner* skinner);
    std::unique_ptr<TFormSkinner> TakeLastForm();
    // Frees, from the last to the first, the skinners whose window has been destroyed.
    void PurgeDestroyedForms();
    const FormList& Forms() const { return forms_; }

    void AddPopup(std::unique_ptr<TPopupSkinner> skinner) { popups_.push_back(std::move(skinner)); }
    bool HasPopup(HWND window) const;
    std::unique_ptr<TPopupSkinner> TakePopup(HWND window);
    std::unique_ptr<TPopupSkinner> TakeLastPopup();
    const PopupList& Popups() const { return popups_; }

    void MarkPopupsForMenuBar();
    // Gives the menu to the most recently added popup skinner that has none.
    void AssignMenuToPopup(HMENU menu);
    TBitmap* FindPopupBitmap(HMENU menu) const;
    // The popup skinner showing that menu, or null.
    TPopupSkinner* FindPopupByMenu(HMENU menu) const;

  private:
    FormList forms_;
    PopupList popups_;
};

// The popup-menu skinner: for now it only takes the "#32768" window over and gives it back;
// the menu keeps the system's look.
#pragma once

#include "skin/core/form_skinner_base.h"
#include "toolkit/subclass.h"

class TWinSkinPopMenu : public TPopupSkinner {
  public:
    TWinSkinPopMenu(HWND window, TSkinData* skin);
    ~TWinSkinPopMenu() override;
    TWinSkinPopMenu(const TWinSkinPopMenu&) = delete;
    TWinSkinPopMenu& operator=(const TWinSkinPopMenu&) = delete;

    void Detach() override;

  private:
    LRESULT message(UINT msg, WPARAM wParam, LPARAM lParam);

    win::Subclass subclass_;
};

// The popup-menu window skinner: every "#32768" window the manager catches is painted from the
// skin's MenuBackground image, its 3-pixel frame included; the items (owner-drawn by the form
// skinners) draw their piece of that image behind them.
//
// Windows gives the menu window a 3-pixel non-client frame, painted here at WM_NCPAINT and
// WM_PRINT. Some platforms (Wine) give it none and draw that frame inside the client area at
// WM_PAINT: there the frame strips are painted over it after the menu has painted itself.
#pragma once

#include <memory>

#include "skin/core/form_skinner_base.h"
#include "toolkit/graphics/bitmap.h"
#include "toolkit/subclass.h"

class TWinSkinPopMenu : public TPopupSkinner {
  public:
    TWinSkinPopMenu(HWND window, TSkinData* skin);
    ~TWinSkinPopMenu() override;
    TWinSkinPopMenu(const TWinSkinPopMenu&) = delete;
    TWinSkinPopMenu& operator=(const TWinSkinPopMenu&) = delete;

    void Detach() override;
    TBitmap* Background() override { return background_.get(); }
    // Where the menu's client area starts in its window: item rectangles are client coordinates.
    POINT ClientOffset() const override;

  private:
    LRESULT message(UINT msg, WPARAM wParam, LPARAM lParam);
    bool canPaint() const;
    // The window-sized background image, built afresh for the current size.
    TBitmap* buildBackground();
    LRESULT onNcPaint(WPARAM wParam, LPARAM lParam);
    LRESULT onPrint(WPARAM wParam, LPARAM lParam);
    LRESULT onPaint(WPARAM wParam, LPARAM lParam);
    LRESULT onEraseBackground(WPARAM wParam, LPARAM lParam);

    win::Subclass subclass_;
    std::unique_ptr<TBitmap> background_;
};

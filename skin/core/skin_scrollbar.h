// The scroll-bar skinners. TSkinScrollbar lays overlays over the window scroll bars of a toolkit
// control (memos, list boxes, grids, scroll boxes); TSkinScrollbarH does the same for a plain
// window (the list of a simple combo box); TComboxScrollBar paints a combo drop-down list's
// vertical bar into the list's non-client area and drags its thumb itself.
#pragma once

#include <memory>

#include "skin/core/scroll_overlay.h"
#include "skin/core/skin_control.h"

class TWinControl;

class TSkinScrollbar : public TSkinControl {
    QS_DECLARE_CLASS()
  public:
    using TSkinControl::TSkinControl;
    ~TSkinScrollbar() override;

    // Attaching a toolkit control is the scroll-bar attach.
    void AttachToControl(TFormSkinner* skinForm, TSkinData* skin, bool setColour, TCanvas* canvas) override;
    virtual void AttachScrollbars(TWinControl* control, TSkinData* skin, TFormSkinner* skinForm,
                                  TCanvas* canvas);
    void RepositionBars();
    void Unskin() override;
    void SkinChanged() override;
    bool BeforeDefault(TMessage& m) override;
    void AfterDefault(TMessage& m) override;
    void DrawSkin(HDC dc, const RECT& rect) override;

    std::unique_ptr<TWScrollbar> HorzBar, VertBar;
    bool DrawBorder = false;
    bool SingleMode = false;
    TColor SavedFixedColor = 0;
    bool FixedColorReplaced = false;

  private:
    void drawBorder(HDC dc);
    void setFixedColor();
    void freeBars();
};

class TSkinScrollbarH : public TSkinControl {
    QS_DECLARE_CLASS()
  public:
    using TSkinControl::TSkinControl;
    ~TSkinScrollbarH() override;

    void AttachToWindow(HWND window, TSkinData* skin, TFormSkinner* skinForm, TCanvas* canvas) override;
    void Unskin() override;
    void AfterDefault(TMessage& m) override;
    void DrawSkin(HDC dc, const RECT& rect) override;

    std::unique_ptr<TWScrollbar> HorzBar, VertBar;
};

class TComboxScrollBar : public TSkinControl {
    QS_DECLARE_CLASS()
  public:
    using TSkinControl::TSkinControl;

    bool BeforeDefault(TMessage& m) override;
    void AfterDefault(TMessage& m) override;
    void DrawSkin(HDC dc, const RECT& rect) override;

    int ArrowSize = GetSystemMetrics(SM_CXHSCROLL);
    int BarLength = 0;
    int ThumbStart = 0, ThumbEnd = 0;

  private:
    // Drags the thumb from a press at `screen` until the button is released.
    void trackThumb(POINT screen);
};

// The corner square between two shown bars, in the window's coordinates.
RECT ScrollCorner(HWND window, const TWScrollbar& vert, const TWScrollbar& horz);

// The tab skinners. TSkinTab paints tab and page controls (the strip of tabs on any side, drawn as
// a top strip and turned, and the frame around the page); TSkinTabSheet the pages; TSkinTabBtn tab
// controls whose tabs are buttons; TSkinTab31 the bottom-tab tab set; TSkinAdvPage gives page
// controls that take tab background pictures two made from the skin. A tab control's scroll arrows
// (its "msctls_updown32" child) get a TSkinUpDown of their own.
#pragma once

#include <string>
#include <vector>

#include "skin/controls/centred_label.h"
#include "skin/controls/skin_ranges.h"
#include "skin/controls/tab_geometry.h"
#include "skin/core/skin_control.h"
#include "toolkit/graphics/bitmap.h"

// A page control with this Tag and its tabs at the top shows a close box on each tab.
constexpr int32_t kCloseBoxTag = 7777;

// Tab texts are fetched into a buffer of this many characters.
constexpr int kTabTextLength = 80;

inline TBox BoxOfRect(const RECT& r) {
    return TBox{int(r.left), int(r.top), int(r.right), int(r.bottom)};
}
inline RECT RectOfBox(const TBox& b) {
    return RECT{b.Left, b.Top, b.Right, b.Bottom};
}

struct TTabItem {
    std::wstring Text;
    int Image = -1;
};
// Tab `index` of a tab control window, as wide or ANSI text.
TTabItem FetchTabItem(HWND tabs, int index, bool unicode);
// A label for the tabs of a tab control window: its image list, enabled state and reading order.
TCentredLabel TabLabel(HWND tabs);

// Paints the windowless children of `control` that meet `update` onto dc, as the control's own
// paint would after its window drew itself.
void PaintWindowlessChildren(TControl* control, HDC dc, const RECT& update);

// Finds the scroll-arrow child of `host`'s window and gives it `upDown` (once); the arrows'
// window while it shows, else null. The host frees the arrows' skinner when it goes and learns of
// its going through a free notification.
HWND SkinTabArrows(TSkinControl& host, TSkinUpDown*& upDown);
void ReleaseTabArrows(TSkinControl& host, TSkinUpDown*& upDown);

class TSkinTab : public TSkinControl {
    QS_DECLARE_CLASS()
  public:
    using TSkinControl::TSkinControl;
    ~TSkinTab() override;

    void AttachToControl(TFormSkinner* skinForm, TSkinData* skin, bool setColour, TCanvas* canvas) override;
    void AttachToWindow(HWND window, TSkinData* skin, TFormSkinner* skinForm, TCanvas* canvas) override;
    bool BeforeDefault(TMessage& m) override;
    void DrawSkin(HDC dc, const RECT& rect) override;
    void SkinChanged() override;

    // The Tabs image, flipped for bottom tabs.
    TBitmap TabImage;
    // The page frame, turned to the tabs' side; empty when the skin has none.
    TBitmap BorderImage;
    TBitmap Strip;
    TTabSide Position = tabTop;
    // Each tab's close box in strip coordinates (the control's own for top tabs).
    std::vector<RECT> CloseRects;
    bool CloseButtons = false;
    // The control's windowless children are painted over the skin.
    bool PaintChildren = false;
    TSkinUpDown* UpDown = nullptr;

  protected:
    void Notification(TComponent* component, TOperation operation) override;

  private:
    void attached();
    void prepareImages();
    // The control's own colour behind the tabs, the skin's face for the system's.
    TColor stripColour() const;
    void drawStrip(HDC dc, const RECT& rect, const TBox& page, HWND arrows);
    void drawPageFrame(HDC dc, const TBox& page);
    bool closeBoxClicked(const TMessage& m);
    // Asks the skin form, then frees the page of tab `index` when it agrees.
    void closeTab(int index);
};

class TSkinTabSheet : public TSkinControl {
    QS_DECLARE_CLASS()
  public:
    using TSkinControl::TSkinControl;

    bool BeforeDefault(TMessage& m) override;
    void DrawSkin(HDC dc, const RECT& rect) override;
    bool FillsFace() const override { return true; }
};

class TSkinTabBtn : public TSkinControl {
    QS_DECLARE_CLASS()
  public:
    using TSkinControl::TSkinControl;

    bool BeforeDefault(TMessage& m) override;
    void DrawSkin(HDC dc, const RECT& rect) override;
};

class TSkinTab31 : public TSkinControl {
    QS_DECLARE_CLASS()
  public:
    using TSkinControl::TSkinControl;

    // The tab set draws itself in its own window procedure: its window is subclassed, so the
    // skin paints first and takes the update region away from it.
    void AttachToControl(TFormSkinner* skinForm, TSkinData* skin, bool setColour, TCanvas* canvas) override;
    bool BeforeDefault(TMessage& m) override;
    void DrawSkin(HDC dc, const RECT& rect) override;
    void SkinChanged() override;

    // The Tabs image flipped: the tabs hang down.
    TBitmap TabImage;
    TControl* Scroller = nullptr;
    TSkinUpDown* UpDown = nullptr;

  protected:
    void AfterDefault(TMessage& m) override;
    void Notification(TComponent* component, TOperation operation) override;

  private:
    void prepareImage();
};

class TSkinAdvPage : public TSkinControl {
    QS_DECLARE_CLASS()
  public:
    using TSkinControl::TSkinControl;
    ~TSkinAdvPage() override;

    void AttachToControl(TFormSkinner* skinForm, TSkinData* skin, bool setColour, TCanvas* canvas) override;
    void DrawSkin(HDC dc, const RECT& rect) override;
    void SkinChanged() override;
    void Unskin() override;

    // 4: the control's tab background pictures are made from the skin.
    int Mode = 0;
    TSkinUpDown* UpDown = nullptr;

  protected:
    void Notification(TComponent* component, TOperation operation) override;

  private:
    // Both pictures from the skin's tab frames, or empty ones.
    void setBackgrounds(bool fromSkin);
};

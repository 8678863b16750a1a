// The container skinners. TSkinGroupBox redraws group boxes as a rounded frame under their
// caption; TSkinBox gives panels (and tool bars) the skin's face colour; TSkinBoxH does the same
// for raw dialogs and tool-bar windows and their static children; TSkinSizer flattens raw
// scroll-bar windows (size boxes) to the face; TSkinStatusBar repaints status bars panel by panel;
// TSkinHeader repaints header controls with hover; TSkinListView is a scroll-bar skinner that also
// skins its list view's header.
#pragma once

#include <string>
#include <vector>

#include "skin/core/skin_control.h"
#include "skin/core/skin_scrollbar.h"
#include "skin/paint/face_state.h"

class TStatusPanel;

class TSkinGroupBox : public TSkinControl {
    QS_DECLARE_CLASS()
  public:
    using TSkinControl::TSkinControl;

    void AttachToControl(TFormSkinner* skinForm, TSkinData* skin, bool setColour, TCanvas* canvas) override;
    bool BeforeDefault(TMessage& m) override;
    void DrawSkin(HDC dc, const RECT& rect) override;
    bool FillsFace() const override { return true; }

    // A toolkit group box: its paint is taken over whole, windowless children included.
    bool PaintChildren = false;

  private:
    void drawCaptionAndFrame(HDC dc, const RECT& rect);
    COLORREF captionColour() const;
};

// Not hooked: the control keeps painting itself, in the face colour it is given.
class TSkinBox : public TSkinControl {
    QS_DECLARE_CLASS()
  public:
    using TSkinControl::TSkinControl;

    void AttachToControl(TFormSkinner* skinForm, TSkinData* skin, bool setColour, TCanvas* canvas) override;
    // The panel paints itself on the face colour it was given; it only asks here for the colour
    // of its caption and of the labels on it.
    void AfterDefault(TMessage&) override {}
};

class TSkinBoxH : public TSkinControl {
    QS_DECLARE_CLASS()
  public:
    using TSkinControl::TSkinControl;

    bool BeforeDefault(TMessage& m) override;
};

class TSkinSizer : public TSkinControl {
    QS_DECLARE_CLASS()
  public:
    using TSkinControl::TSkinControl;

    void DrawSkin(HDC dc, const RECT& rect) override;
};

// What the status-bar painter knows of one panel.
struct TStatusPanelView {
    RECT Rect{};
    std::wstring Text;
    // DT_LEFT, DT_CENTER or DT_RIGHT, reading order already applied.
    UINT Alignment = DT_LEFT;
    // Frame of StatusBarEdges: 1 lowered, 2 raised, 3 no bevel.
    int Kind = 1;
    bool PlainText = true;
    // The toolkit panel, for the owner-draw event; null for a raw window.
    TStatusPanel* Panel = nullptr;
};

class TSkinStatusBar : public TSkinControl {
    QS_DECLARE_CLASS()
  public:
    using TSkinControl::TSkinControl;

    bool BeforeDefault(TMessage& m) override;
    void DrawSkin(HDC dc, const RECT& rect) override;

  private:
    bool simpleMode() const;
    std::wstring simpleText() const;
    bool rightToLeft() const;
    // The panels whose rectangles the window gives, with the widening the painter applies.
    std::vector<TStatusPanelView> panels(const RECT& rect) const;
    void drawBackground(HDC dc, const RECT& r, int kind);
    void drawText(HDC dc, RECT r, const std::wstring& text, UINT alignment);
    void drawSizeGrip(HDC dc, const RECT& rect);
    // OnDrawPanel for the owner-drawn panels, over what the painter copied to dc.
    void drawOwnerPanels(HDC dc, const RECT& rect, const std::vector<TStatusPanelView>& views);
    COLORREF captionColour() const;
};

class TSkinHeader : public TSkinControl {
    QS_DECLARE_CLASS()
  public:
    using TSkinControl::TSkinControl;
    ~TSkinHeader() override;

    void AttachToControl(TFormSkinner* skinForm, TSkinData* skin, bool setColour, TCanvas* canvas) override;
    void AttachToWindow(HWND window, TSkinData* skin, TFormSkinner* skinForm, TCanvas* canvas) override;
    bool BeforeDefault(TMessage& m) override;
    void AfterDefault(TMessage& m) override;
    void DrawSkin(HDC dc, const RECT& rect) override;

    // Each item's rectangle narrowed by 3 on both sides: the hover areas.
    std::vector<RECT> ItemRects;
    int HotIndex = -1;

  private:
    bool hasImage() const;
    void drawItem(HDC dc, int index, const RECT& r, HIMAGELIST images);
    void setHot(int index);
    COLORREF captionColour() const;
};

class TSkinListView : public TSkinScrollbar {
    QS_DECLARE_CLASS()
  public:
    using TSkinScrollbar::TSkinScrollbar;
    ~TSkinListView() override;

    void AttachScrollbars(TWinControl* control, TSkinData* skin, TFormSkinner* skinForm,
                          TCanvas* canvas) override;

    TSkinHeader* Header = nullptr;

  protected:
    void Notification(TComponent* component, TOperation operation) override;
};

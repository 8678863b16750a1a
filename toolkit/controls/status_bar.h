// TStatusBar: a comctl32 status bar ("msctls_statusbar32") that shows either one simple text or a
// row of panels, each with its own text, width, alignment and bevel; owner-drawn panels are
// painted by OnDrawPanel.
#pragma once

#include <string>

#include "toolkit/controls/menus.h"
#include "toolkit/controls/std_ctrls.h"
#include "toolkit/controls/win_control.h"
#include "toolkit/core/collection.h"
#include "toolkit/graphics/canvas.h"

class TStatusBar;

enum TStatusPanelStyle { psText, psOwnerDraw };
const TEnumInfo& StatusPanelStyleInfo();
enum TStatusPanelBevel { pbNone, pbLowered, pbRaised };
const TEnumInfo& StatusPanelBevelInfo();

class TStatusPanel : public TCollectionItem {
    QS_DECLARE_CLASS()
  public:
    explicit TStatusPanel(TCollection* collection);

    std::string Text() const { return text_; }
    void SetText(const std::string& value);
    int Width() const { return width_; }
    void SetWidth(int value);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    TStatusPanelBevel Bevel() const { return bevel_; }
    void SetBevel(TStatusPanelBevel value);
    TStatusPanelStyle Style() const { return style_; }
    void SetStyle(TStatusPanelStyle value);
    TBiDiMode BiDiMode() const { return biDiMode_; }
    void SetBiDiMode(TBiDiMode value);

    void Assign(const TPersistent* source) override;
    std::string DisplayName() const override { return text_.empty() ? ClassName() : text_; }

  private:
    void changed();

    std::string text_;
    int width_ = 50;
    TAlignment alignment_ = taLeftJustify;
    TStatusPanelBevel bevel_ = pbLowered;
    TStatusPanelStyle style_ = psText;
    TBiDiMode biDiMode_ = bdLeftToRight;
};

// The panels of a status bar. Panels are added and removed through it (Add, Delete, Clear), so
// the window follows.
class TStatusPanels : public TCollection {
    QS_DECLARE_CLASS()
  public:
    explicit TStatusPanels(TStatusBar* bar);

    TStatusBar* Bar() const { return bar_; }
    TStatusPanel* Add();
    TStatusPanel* Items(int index) const { return static_cast<TStatusPanel*>(Item(index)); }
    void Delete(int index);
    void Clear();

  private:
    TStatusBar* bar_;
};

using TDrawPanelEvent = TEvent<void(TStatusBar* StatusBar, TStatusPanel* Panel, const RECT& Rect)>;

class TStatusBar : public TWinControl {
    QS_DECLARE_CLASS()
  public:
    explicit TStatusBar(TComponent* AOwner);
    ~TStatusBar() override;

    TStatusPanels* Panels() const { return &panels_; }
    void SetPanels(TStatusPanels* value) { panels_.Assign(value); }
    // One text across the whole bar instead of the panels.
    bool SimplePanel() const { return simplePanel_; }
    void SetSimplePanel(bool value);
    std::string SimpleText() const { return simpleText_; }
    void SetSimpleText(const std::string& value);
    bool SizeGrip() const { return sizeGrip_; }
    void SetSizeGrip(bool value);
    TBiDiMode BiDiMode() const { return biDiMode_; }
    void SetBiDiMode(TBiDiMode value);

    // The canvas OnDrawPanel draws on (bound to the paint DC during the call).
    TCanvas& Canvas() { return canvas_; }
    // Runs OnDrawPanel for `panel` on dc within rect; false without a handler.
    bool DrawPanel(TStatusPanel* panel, HDC dc, const RECT& rect);

    TDrawPanelEvent OnDrawPanel;

  protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeWnd() override;
    void Loaded() override;
    void WndProc(TMessage& message) override;

  private:
    friend class TStatusPanel;
    friend class TStatusPanels;
    // Gives the window the panels (or the simple text) again.
    void updatePanels();

    mutable TStatusPanels panels_;
    bool simplePanel_ = false;
    std::string simpleText_;
    bool sizeGrip_ = true;
    TBiDiMode biDiMode_ = bdLeftToRight;
    TCanvas canvas_;
};

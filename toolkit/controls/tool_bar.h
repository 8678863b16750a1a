// TToolBar, a comctl32 tool bar ("ToolbarWindow32") with custom-draw events, and TToolButton,
// one of its buttons: a windowless child of the bar that the bar's window draws.
#pragma once

#include "toolkit/controls/win_control.h"

class TMenu;
class TImageList;
class TToolBar;

// What a custom-drawn item is showing (comctl32's CDIS_* item states).
enum TCustomDrawStateFlag : unsigned {
    cdsSelected = 1,
    cdsGrayed = 2,
    cdsDisabled = 4,
    cdsChecked = 8,
    cdsFocused = 16,
    cdsDefault = 32,
    cdsHot = 64,
    cdsMarked = 128,
    cdsIndeterminate = 256
};
using TCustomDrawState = unsigned; // a set of TCustomDrawStateFlag

enum TToolButtonStyle { tbsButton, tbsCheck, tbsSeparator };
const TEnumInfo& ToolButtonStyleInfo();

class TToolButton : public TGraphicControl {
    QS_DECLARE_CLASS()
  public:
    explicit TToolButton(TComponent* AOwner);
    ~TToolButton() override;

    // A button shows only on a TToolBar; it keeps the place it was given among the bar's buttons.
    void SetParent(TWinControl* value) override;
    TToolBar* ToolBar() const { return bar_; }

    // Index in the bar's Images; -1 for none.
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value);
    TToolButtonStyle Style() const { return style_; }
    void SetStyle(TToolButtonStyle value);
    // Pushed in; a check button toggles it on each click.
    bool Down() const { return down_; }
    void SetDown(bool value);
    // Neighbouring grouped check buttons act as one choice: one down at a time.
    bool Grouped() const { return grouped_; }
    void SetGrouped(bool value);
    // The command identifier the bar's window knows the button by (WM_COMMAND, TB_* messages).
    int CommandId() const { return commandId_; }

  protected:
    void VisibleChanged(TMessage& message) override;
    void EnabledChanged(TMessage& message) override;
    void TextChanged(TMessage& message) override;

  private:
    friend class TToolBar;
    // The bar's layout decides where the button is; this records it without moving anything.
    void placeAt(const RECT& r);

    TToolBar* bar_ = nullptr;
    int commandId_;
    int imageIndex_ = -1;
    TToolButtonStyle style_ = tbsButton;
    bool down_ = false;
    bool grouped_ = false;
};

using TTBCustomDrawEvent = TEvent<void(TToolBar* Sender, const RECT& ARect, bool& DefaultDraw)>;
using TTBCustomDrawBtnEvent =
    TEvent<void(TToolBar* Sender, TToolButton* Button, TCustomDrawState State, bool& DefaultDraw)>;

class TToolBar : public TWinControl {
    QS_DECLARE_CLASS()
  public:
    explicit TToolBar(TComponent* AOwner);
    ~TToolBar() override;

    // Holds the custom-draw DC while OnCustomDraw or OnCustomDrawButton runs.
    TCanvas& Canvas() { return canvas_; }
    // Buttons without a frame until the pointer comes over them (TBSTYLE_FLAT).
    bool Flat() const { return flat_; }
    void SetFlat(bool value);
    // A menu whose items the bar's owner may show as buttons; the bar itself only keeps it.
    TMenu* Menu() const { return menu_; }
    void SetMenu(TMenu* value);
    TImageList* Images() const { return images_; }
    void SetImages(TImageList* value);

    int ButtonCount() const { return int(buttons_.size()); }
    TToolButton* Buttons(int index) const { return buttons_.at(size_t(index)); }

    // Before the bar paints (CDDS_PREPAINT); ARect is the client rectangle. DefaultDraw false
    // answers CDRF_SKIPDEFAULT: the bar leaves out what of its own drawing the system lets it.
    TTBCustomDrawEvent OnCustomDraw;
    // Before each button paints (CDDS_ITEMPREPAINT); DefaultDraw false leaves that button undrawn.
    // The text colour the handler leaves in the canvas's DC is the caption's.
    TTBCustomDrawBtnEvent OnCustomDrawButton;
    // Called by an OnCustomDrawButton handler that painted the button's face itself: the bar then
    // draws only the button's image and caption over it, without its own background and edges.
    void FaceDrawnByHandler() { faceDrawn_ = true; }

  protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeWnd() override;
    void WndProc(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;
    void FontChanged(TMessage& message) override;

  private:
    friend class TToolButton;
    void buttonAdded(TToolButton* button);
    void buttonRemoved(TToolButton* button);
    // A button's state (down, enabled, visible) changed; the rest needs rebuildButtons.
    void buttonStateChanged(TToolButton* button);
    // Gives the window the image list and the buttons again, in order, and reads back where it
    // laid them out.
    void rebuildButtons();
    void placeButtons();
    TToolButton* findButton(int commandId) const;
    void command(TMessage& message);
    void customDraw(TMessage& message);

    TCanvas canvas_;
    std::vector<TToolButton*> buttons_;
    TMenu* menu_ = nullptr;
    TImageList* images_ = nullptr;
    bool flat_ = false;
    bool faceDrawn_ = false; // the current button's handler drew its face
};

// The single-line text controls keep their own client area; the skin redraws only their border
// and their buttons. TSkinEdit draws an edit's border (and skins a spin control inside it);
// TSkinComBox the frame and drop-down button of a combo box, with the button's hover and press
// states and the drop-down list's scroll bar; TSkinDateTime a date-time picker's border, with a
// TArrowButton of its own laid over the picker's drop-down button.
#pragma once

#include <windows.h>

#include <memory>

#include "skin/controls/skin_ranges.h"
#include "skin/core/skin_control.h"
#include "skin/core/skin_scrollbar.h"
#include "toolkit/controls/win_control.h"

// Where a combo box's button goes in its window rectangle w (at 0, 0) for a button cx wide: the
// text area the native control keeps, the button and the arrow inside it.
struct TComboBoxes {
    RECT Text;
    RECT Button;
    RECT Arrow;
};
TComboBoxes ComboBoxesFor(const RECT& w, int cx, bool buttonOnLeft);
// The simple-style button in w: the inner rectangle's last (or first) `imageWidth` pixels, and
// no higher than the image when that is lower than `thumb`.
RECT SimpleComboButton(const RECT& w, int imageWidth, int imageHeight, int thumb, bool buttonOnLeft);

class TSkinEdit : public TSkinControl {
    QS_DECLARE_CLASS()
  public:
    using TSkinControl::TSkinControl;
    ~TSkinEdit() override;

    void Unskin() override;
    void AfterDefault(TMessage& m) override;
    void DrawSkin(HDC dc, const RECT& rect) override;

    // The skinner of a spin window inside the edit, made at the first paint.
    std::unique_ptr<TSkinUpDown> UpDown;

  private:
    void attachSpin();
    void printBorder(HDC dc);
};

class TSkinComBox : public TSkinControl {
    QS_DECLARE_CLASS()
  public:
    using TSkinControl::TSkinControl;
    ~TSkinComBox() override;

    void AttachToControl(TFormSkinner* skinForm, TSkinData* skin, bool setColour, TCanvas* canvas) override;
    void AttachToWindow(HWND window, TSkinData* skin, TFormSkinner* skinForm, TCanvas* canvas) override;
    void Unskin() override;
    void AfterDefault(TMessage& m) override;
    void DrawSkin(HDC dc, const RECT& rect) override;

    DWORD WindowStyle = 0;
    DWORD WindowExStyle = 0;
    COMBOBOXINFO Info{};
    HWND ListWindow = nullptr;
    HWND EditChild = nullptr;
    // The button's rectangle at the last paint, in window coordinates; hover is tracked on it.
    RECT HotRect{};
    // An extended combo box: only the frame and the arrow are drawn.
    bool FrameOnly = false;
    std::unique_ptr<TComboxScrollBar> ListScrollbar;
    std::unique_ptr<TSkinScrollbarH> ListScrollbarH;

  private:
    bool fillInfo();
    void attachChildren(bool listSkinners);
    void hookEditChild();
    LRESULT editChildMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    void freeChildren();
    void mouseMoved(LPARAM position);
    void releaseLostPress();
    int faceState(bool simple) const;
    void drawFrame(HDC dc, const RECT& w) const;
    void drawFrameOnly(HDC dc, const RECT& w, int state);
    void drawSimple(HDC dc, const RECT& w);
    void drawButton(HDC dc, const RECT& w, int state);

    win::Subclass editHook_;
};

class TSkinDateTime : public TSkinControl {
    QS_DECLARE_CLASS()
  public:
    using TSkinControl::TSkinControl;
    ~TSkinDateTime() override;

    void AttachToControl(TFormSkinner* skinForm, TSkinData* skin, bool setColour, TCanvas* canvas) override;
    void AttachToWindow(HWND window, TSkinData* skin, TFormSkinner* skinForm, TCanvas* canvas) override;
    void Unskin() override;
    void AfterDefault(TMessage& m) override;
    void DrawSkin(HDC dc, const RECT& rect) override;

    class TArrowButton;
    std::unique_ptr<TArrowButton> Arrow;

  private:
    void makeArrow();
    void removeArrow();
    int arrowLeft(const RECT& w) const;

    bool addedClipChildren_ = false;
};

// The skin's drop-down arrow over a date-time picker's own button; a press on it is handed to the
// picker, which opens its calendar. Nested: the up-down geometry has a TArrowButton of its own.
class TSkinDateTime::TArrowButton : public TWinControl {
    QS_DECLARE_CLASS()
  public:
    TArrowButton(TSkinDateTime* picker, HWND pickerWindow, TControl* pickerControl);

    // Moves to `left` in the picker's client area, as high as the picker allows.
    void Place(int left);

    TSkinDateTime* Picker;
    HWND PickerWindow;
    TControl* PickerControl;
    int ButtonWidth = GetSystemMetrics(SM_CXHSCROLL);
    bool Hot = false;

  protected:
    void CreateParams(TCreateParams& params) override;
    void PaintWindow(HDC dc) override;
    void WndProc(TMessage& message) override;

  private:
    int pickerHeight() const;
};

// The white-inside-shadow frame of edits, extended combo boxes and date-time pickers, drawn when
// the window has a border (its client area is smaller than the window both ways).
bool HasNonClientBorder(HWND window);

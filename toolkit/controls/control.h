// TControl: the base of every visual toolkit object (bounds, visibility, enabled state, colour,
// font, caption, tag, hint, cursor, mouse events and the replaceable message method), and
// TGraphicControl, a windowless control that its parent paints.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "toolkit/controls/messages.h"
#include "toolkit/core/component.h"
#include "toolkit/core/events.h"
#include "toolkit/graphics/canvas.h"
#include "toolkit/graphics/colors.h"
#include "toolkit/graphics/graphics_objects.h"

class TWinControl;
class TCustomForm;
class TPopupMenu;

enum TMouseButton { mbLeft, mbRight, mbMiddle };
const TEnumInfo& MouseButtonInfo();

// Modifier keys and mouse buttons held during an input event.
using TShiftState = uint8_t;
enum : TShiftState {
    ssShift = 1,
    ssAlt = 2,
    ssCtrl = 4,
    ssLeft = 8,
    ssRight = 16,
    ssMiddle = 32,
    ssDouble = 64
};
// From a mouse message's key flags (MK_*) plus the Alt key's current state.
TShiftState KeysToShiftState(WPARAM keys);
// From the current keyboard state (Shift, Ctrl, Alt).
TShiftState KeyboardShiftState();

// Cursor identifiers; stored texts use the names ("crHandPoint").
using TCursor = int16_t;
enum : TCursor {
    crDefault = 0,
    crNone = -1,
    crArrow = -2,
    crCross = -3,
    crIBeam = -4,
    crSizeNESW = -6,
    crSizeNS = -7,
    crSizeNWSE = -8,
    crSizeWE = -9,
    crUpArrow = -10,
    crHourGlass = -11,
    crNo = -18,
    crAppStart = -19,
    crHelp = -20,
    crHandPoint = -21,
    crSizeAll = -22
};
const TIdentMap& CursorIdents();
// The system cursor for an identifier (shared, not owned); null for crDefault and crNone.
HCURSOR CursorHandle(TCursor cursor);

using TMouseEvent = TEvent<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = TEvent<void(TObject* Sender, TShiftState Shift, int X, int Y)>;

class TControl : public TComponent {
    QS_DECLARE_CLASS()
  public:
    explicit TControl(TComponent* AOwner);
    ~TControl() override;

    TWinControl* Parent() const { return parent_; }
    virtual void SetParent(TWinControl* value);
    // The form this control sits on (itself for a form), or null.
    TCustomForm* ParentForm() const;

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int value) { SetBounds(value, top_, width_, height_); }
    void SetTop(int value) { SetBounds(left_, value, width_, height_); }
    void SetWidth(int value) { SetBounds(left_, top_, value, height_); }
    void SetHeight(int value) { SetBounds(left_, top_, width_, value); }
    virtual void SetBounds(int left, int top, int width, int height);
    RECT BoundsRect() const { return {left_, top_, left_ + width_, top_ + height_}; }
    // The client area (0, 0, ClientWidth, ClientHeight).
    virtual int ClientWidth() const { return width_; }
    virtual int ClientHeight() const { return height_; }
    virtual void SetClientWidth(int value) { SetWidth(value); }
    virtual void SetClientHeight(int value) { SetHeight(value); }
    RECT ClientRect() const { return {0, 0, ClientWidth(), ClientHeight()}; }
    POINT ClientToScreen(POINT p) const;
    POINT ScreenToClient(POINT p) const;

    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible here and in every parent up to a visible top-level window.
    bool Showing() const;
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool value);

    TColor Color() const { return color_; }
    void SetColor(TColor value);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool value);
    TFont* Font() const { return &font_; }
    void SetFont(TFont* value) { font_.Assign(value); }
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool value);

    std::string Caption() const { return caption_; }
    void SetCaption(const std::string& value);
    std::string Text() const { return caption_; }
    void SetText(const std::string& value) { SetCaption(value); }
    std::string Hint() const { return hint_; }
    void SetHint(const std::string& value) { hint_ = value; }
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool value) { showHint_ = value; }
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor value);
    TPopupMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(TPopupMenu* value);

    // The message method every message of this control goes through. It starts as the
    // control's own handler (WndProc); a hook replaces it and calls the one it replaced.
    const TWndMethod& WindowProc() const { return windowProc_; }
    void SetWindowProc(TWndMethod value);
    // The control's own handler, wrapped as a message method (what WindowProc starts as).
    TWndMethod OwnWindowProc();
    // Sends a message through WindowProc, synchronously; returns its Result.
    LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);

    // The actions behind the events, callable by whoever stands in for the user (a skinner).
    virtual void Click();
    virtual void DblClick();
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);

    // Asks for a repaint (the parent's area for a windowless control).
    virtual void Invalidate();
    // Repaints now.
    virtual void Update();
    void Repaint() {
        Invalidate();
        Update();
    }
    // Moves the control to the top of its siblings' order.
    virtual void BringToFront();

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

  protected:
    friend class TWinControl;

    // The control's own message handling: one dispatch, small named handlers.
    virtual void WndProc(TMessage& message);
    // What is left once WndProc is done: the system procedure for a window, nothing otherwise.
    virtual void DefaultHandler(TMessage& message);
    void Notification(TComponent* component, TOperation operation) override;
    // Left-button releases over the control count as clicks (labels, images, panels, forms).
    virtual bool ClicksOnMouseUp() const { return true; }
    // True while the left button went down on this control and has not been released.
    bool MouseCaptured() const { return leftDown_; }

    virtual void VisibleChanged(TMessage& message);
    virtual void EnabledChanged(TMessage& message);
    virtual void ColorChanged(TMessage& message);
    virtual void FontChanged(TMessage& message);
    virtual void TextChanged(TMessage& message);
    // The parent's colour or font changed: a control that follows it takes the new one.
    void ParentColorChanged();
    void ParentFontChanged();

    std::string caption_;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = true;
    bool enabled_ = true;
    TColor color_ = clBtnFace;
    bool parentColor_ = false;
    bool parentFont_ = true;

  private:
    // False when one of the program's handlers freed the control meanwhile.
    // A button message (WM_LBUTTONDOWN ... WM_MBUTTONDBLCLK) as the control's mouse events.
    bool mouseButton(TMessage& message);
    void fontObjectChanged();

    TWinControl* parent_ = nullptr;
    mutable TFont font_;
    bool followingParent_ = false; // the font is being copied from the parent, not set by the user
    std::string hint_;
    bool showHint_ = false;
    TCursor cursor_ = crDefault;
    TPopupMenu* popupMenu_ = nullptr;
    bool leftDown_ = false;
    TWndMethod windowProc_;
};

// A control without a window of its own: its parent gives it mouse messages and paints it.
class TGraphicControl : public TControl {
    QS_DECLARE_CLASS()
  public:
    explicit TGraphicControl(TComponent* AOwner);
    ~TGraphicControl() override;

    // The canvas while painting (on the parent's paint DC, origin at the control's top-left).
    TCanvas& Canvas() { return canvas_; }
    // Paints the control on dc, whose origin is the control's top-left corner.
    void PaintTo(HDC dc);

  protected:
    void WndProc(TMessage& message) override;
    virtual void Paint() {}

  private:
    TCanvas canvas_;
};

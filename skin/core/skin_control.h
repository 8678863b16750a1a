// TSkinControl: the base of every control skinner. A skinner never replaces its control: it swaps
// a toolkit control's WindowProc for its own, or subclasses a plain window, and every message then
// passes SkinWndProc: BeforeDefault, the control's own procedure, AfterDefault. Painters override
// DrawSkin(dc, rect), which PaintWindow calls on the window's DC or the one a message carries.
//
// Teardown, in this order (the destructor, on every path): the toolkit control's WindowProc goes
// back, the window's own procedure goes back (win::Subclass), the skinner leaves its form
// skinner's list; then the component goes.
//
// Lifetime: a program's code runs inside SkinWndProc (an OnClick frees its button, a dialog
// procedure destroys the dialog). Every message is a TMessageDepth scope: Release() asked for
// during a message frees the skinner when its outermost message returns, and nothing after the
// control's own procedure touches a skinner that was freed or released meanwhile. An exception
// out of the control's own procedure is the program's: it reaches the application's exception
// handler once and is never retried; only a failure of ours lets the message go on.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "skin/core/message_depth.h"
#include "toolkit/controls/control.h"
#include "toolkit/core/component.h"
#include "toolkit/subclass.h"

class TBitmap;
class TCanvas;
class TFormSkinner;
class TSkinData;

// Mouse-state bits of a skinner.
enum : uint8_t { hsHot = 1, hsPressed = 2 };
// A control with this Tag lets its parent show through the see-through parts of its face.
constexpr int32_t kSeeThroughTag = 5555;
// Where a skinner is in its life.
enum TControlSkinState : int { ctConstructed = 0, ctAttached = 1, ctWindowGone = 6 };

class TSkinControl : public TComponent {
    QS_DECLARE_CLASS()
  public:
    explicit TSkinControl(TComponent* owner);
    ~TSkinControl() override;

    // A toolkit control (the owner): its WindowProc is swapped for SkinWndProc.
    virtual void AttachToControl(TFormSkinner* skinForm, TSkinData* skin, bool setColour, TCanvas* canvas);
    // A plain window: its procedure is subclassed.
    virtual void AttachToWindow(HWND window, TSkinData* skin, TFormSkinner* skinForm, TCanvas* canvas);
    // Painting off; the control's colour back (unless its window is gone).
    virtual void Unskin();
    // True: the control's own procedure runs, then AfterDefault. False: the message is complete.
    virtual bool BeforeDefault(TMessage& m);
    virtual void AfterDefault(TMessage& m);
    // Paints on dc, or on the window's own DC when dc is null; a failure leaves the standard look.
    virtual void PaintWindow(HDC dc);
    virtual void DrawSkin(HDC dc, const RECT& rect);
    // The skin changed: the colour follows it, then a repaint.
    virtual void SkinChanged();
    // The control shows the skin's face (its colour replaced, or the face painted): text over it,
    // its own caption or a windowless child's, takes the skin's text colour.
    virtual bool FillsFace() const { return SetColour; }

    // Every message of the skinned control passes here; nothing is thrown out of it.
    void SkinWndProc(TMessage& m);
    // The control's own handling: the saved WindowProc, or the previous window procedure. An
    // exception out of it goes to the application's handler.
    void CallDefault(TMessage& m);
    // Leaves the form skinner's list and frees the skinner, now or when its outermost message
    // has returned (messages in between go straight to the control).
    void Release();
    TMessageDepth& Depth() { return depth_; }
    void Repaint();

    bool Hot() const { return MouseState & hsHot; }
    bool Pressed() const { return MouseState & hsPressed; }
    void SetHot(bool on) { MouseState = on ? uint8_t(MouseState | hsHot) : uint8_t(MouseState & ~hsHot); }
    void SetPressed(bool on) {
        MouseState = on ? uint8_t(MouseState | hsPressed) : uint8_t(MouseState & ~hsPressed);
    }

    // Shared helpers of the painters.
    void FillFace(HDC dc, const RECT& rect) const;
    static void FillColour(HDC dc, const RECT& rect, TColor colour);
    // The parent's "Color", or `fallback` without a control, a parent or such a property.
    TColor ParentColour(TColor fallback) const;
    void FillParentFace(HDC dc, const RECT& rect) const;
    LONG_PTR GetLong(HWND window, int index) const;
    // The focus rectangle around Caption as DrawText would place it with `format` in rect.
    void DrawCaptionFocus(HDC dc, UINT format, const RECT& rect) const;
    // The control's mouse-down event for a left press, at the message's position (or the cursor's,
    // for a control too large for 16-bit coordinates).
    void ForwardMouseDown(const TMessage& m) const;

    uint8_t MouseState = 0;
    TCanvas* Canvas = nullptr;
    bool MessageHandled = false;
    bool IsRawWindow = false;
    std::wstring Caption;
    bool SkinEnabled = true;
    bool IsUnicode = false;
    TSkinData* SkinData = nullptr;
    HWND Handle = nullptr;
    TWndMethod SavedWindowProc;
    TControl* Control = nullptr;
    RECT WindowRect{};
    TControl* RepaintTarget = nullptr;
    bool SetColour = false;
    TColor SavedColor = 0;
    bool Attached = false;
    int State = ctConstructed;
    TFormSkinner* SkinForm = nullptr;

  protected:
    // Answers a WM_PAINT the painter takes over: DrawSkin on the message's dc, or between
    // BeginPaint and EndPaint; a failure leaves what was there.
    void paintMessage(HDC dc, const RECT& rect);
    // Swaps the toolkit control's message method (also for windowless controls).
    void hookControl(TControl* control);
    void unhook();

  private:
    // Whether the control's own procedure has run for the message being handled.
    struct DefaultCall {
        bool ran = false;
    };
    void route(TMessage& m, const TMessageDepth::Scope& scope);

    win::Subclass subclass_;
    bool hookedControl_ = false;
    DefaultCall* defaultCall_ = nullptr;
    TMessageDepth depth_;
};

// Runs the program's code (a control's own procedure or event): what it throws is the program's
// and reaches the application's exception handler, once.
void RunProgramCode(const std::function<void()>& code);
// A window's text as UTF-16: GetWindowTextW on the NT platform, else WM_GETTEXT (1000 bytes) from
// the ANSI code page.
std::wstring GetWindowTextWide(HWND window);
std::wstring AnsiToWide(const std::string& text);
// DrawTextW on the NT platform, else DrawTextA of the text in the ANSI code page; the height.
int DrawSkinText(HDC dc, const std::wstring& text, RECT& rect, UINT format);
// The glyph embossed as a disabled button shows it: face colour, the glyph's shape in highlight
// offset by (1, 1), then in shadow.
void CreateDisabledGlyph(const TBitmap& glyph, TBitmap& result);
// destination gets source's size, pixel format and picture.
void CopyBitmap(const TBitmap& source, TBitmap& destination);
bool IsPopupWindow(HWND window);
// Clears a skinner's hover state (the toolkit's mouse-leave notice).
void ResetHover(HWND window);

// TWScrollbar: a small borderless window laid exactly over one system scroll bar. It paints the
// skin there and hands every click to the real bar underneath, whose state it then mirrors.
// Kinds: 0 the target's horizontal window scroll bar, 1 its vertical one, 2 the target is itself
// a scroll-bar control.
//
// DrawScrollBarSkin is the painter, a function of the bar's size, state and the skin; the overlay
// and the combo-list skinner gather those values from their windows and call it.
#pragma once

#include <windows.h>

#include "skin/core/scroll_geometry.h"
#include "toolkit/handles.h"

class TSkinControl;
class TSkinData;
class TWinControl;

// What a scroll bar looks like at one moment.
struct TScrollBarLook {
    bool Vertical = false;
    int ArrowSize = 0;
    int Width = 0, Height = 0; // the bar
    bool Enabled = true;
    TThumbExtent Thumb;
    int HotPart = spNone;
    bool Tracking = false;
    // A scroll-bar control: composed at the skin's thickness and stretched into rect.
    bool Stretch = false;
};

// Paints the bar at rect's top-left corner (or stretched into rect). Nothing without a Scrollbar
// image; a missing track or thumb record leaves that piece out.
void DrawScrollBarSkin(HDC dc, const RECT& rect, TSkinData& skin, const TScrollBarLook& look);

// The system's view of one bar.
struct TBarGeometry {
    RECT Bar{}; // on screen for kinds 0 and 1, in the parent's client area for kind 2
    TThumbExtent Thumb;
    bool Hidden = false;
    bool Disabled = false;
};

class TWScrollbar {
  public:
    TWScrollbar();
    ~TWScrollbar();
    TWScrollbar(const TWScrollbar&) = delete;
    TWScrollbar& operator=(const TWScrollbar&) = delete;

    void AttachToControl(TSkinControl* owner, TWinControl* control, int kind);
    void AttachToWindow(TSkinControl* owner, HWND window, int kind);
    // Follows the bar: placed over it and shown, or hidden when the bar or its window is.
    void UpdatePosition();
    void HideBar();
    TScrollPart HitTest(POINT p) const;
    // Paints the overlay now.
    void Repaint();
    void SetEnabled(bool enabled);
    // The overlay's picture, on any dc whose rect is the overlay's client area.
    void DrawSkin(HDC dc, const RECT& rect);
    // False when the geometry cannot be had.
    bool Geometry(TBarGeometry& g) const;
    HWND Window() const { return window_.Get(); }

    TSkinControl* Owner = nullptr;
    HWND Target = nullptr;
    TWinControl* TargetControl = nullptr;
    int Kind = 0;
    bool Vertical = false;
    int ArrowSize = 0;
    int BarLength = 0;
    int ThumbStart = 0, ThumbEnd = 0;
    int HotPart = spNone;
    bool Tracking = false;
    POINT DownCursor{};
    int DownThumbStart = 0;
    bool Shown = false;
    RECT ClientBox{};

  private:
    template <class T> friend LRESULT CALLBACK OwnWindowProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam);
    void create(HWND parent);
    void mouseMove(LPARAM lParam);
    void buttonDown(LPARAM lParam);
    void buttonUp(LPARAM lParam);
    // The thumb a press starts from: a scroll-bar control's from its properties.
    TThumbExtent pressThumb(const TBarGeometry& g) const;
    LPARAM targetPoint(LPARAM lParam) const;

    win::WindowHandle window_;
};

// TSkinMP: a media player covered by a TWMediaPlayer panel of ours, which draws the visible
// buttons with the skin's Buttons faces and the engine's glyphs, and hands presses and releases
// to the player underneath, which does the clicking.
//
// TSkinScControl: a stand-alone scroll-bar control covered by a scroll-bar overlay (kind 2), kept
// placed over it and refreshed as it scrolls.
#pragma once

#include <array>
#include <memory>

#include "skin/core/scroll_overlay.h"
#include "skin/core/skin_control.h"
#include "toolkit/controls/media_buttons.h"
#include "toolkit/graphics/bitmap.h"
#include "toolkit/handles.h"

class TSkinMP;
class TWinControl;

// The panel's colour left out of every glyph.
constexpr COLORREF kMediaGlyphKey = RGB(128, 128, 0);

struct TMediaButtonSlot {
    bool Visible = false, Enabled = false, Colored = false;
    // Enabled, disabled and coloured; a glyph missing from the program stays empty.
    TBitmap Glyph[3];
};

class TWMediaPlayer {
  public:
    // The glyphs are loaded here, from the program's bitmap resources.
    explicit TWMediaPlayer(TSkinMP* skinner);
    ~TWMediaPlayer();
    TWMediaPlayer(const TWMediaPlayer&) = delete;
    TWMediaPlayer& operator=(const TWMediaPlayer&) = delete;

    // Covers the control: made as its sibling and placed.
    void Attach(TWinControl* media);
    // The control's bounds, parent and visibility; hidden while the skin has no button faces.
    void Place();
    void Invalidate();
    // Reads the control's button sets into ButtonSlots and VisibleCount.
    void ReadButtons();
    // The visible kind whose cell holds x (both edges included); kNoMediaButton for none.
    int HitTest(int x) const;
    // The panel's picture on any dc whose rect is the panel's client area.
    void DrawSkin(HDC dc, const RECT& rect);
    HWND Window() const { return window_.Get(); }

    std::array<TMediaButtonSlot, kMediaButtonKinds> ButtonSlots;
    TWinControl* MediaControl = nullptr;
    TSkinMP* Skinner = nullptr;
    int VisibleCount = 0;
    int ButtonWidth = 0;
    bool ButtonHeld = false;
    int PressedIndex = kNoMediaButton;
    int HitIndex = kNoMediaButton;

  private:
    template <class T> friend LRESULT CALLBACK OwnWindowProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam);
    void buttonDown(WPARAM keys, LPARAM at);
    void buttonUp(WPARAM keys, LPARAM at);
    int hitAt(LPARAM at);
    void drawButton(HDC dc, const RECT& cell, int kind);

    win::WindowHandle window_;
};

class TSkinMP : public TSkinControl {
    QS_DECLARE_CLASS()
  public:
    using TSkinControl::TSkinControl;
    ~TSkinMP() override;

    void AttachToControl(TFormSkinner* skinForm, TSkinData* skin, bool setColour, TCanvas* canvas) override;
    void Unskin() override;
    void AfterDefault(TMessage& m) override;
    // The control itself is covered: its paints refresh the panel.
    void DrawSkin(HDC dc, const RECT& rect) override;
    void SkinChanged() override;

    std::unique_ptr<TWMediaPlayer> Player;
};

class TSkinScControl : public TSkinControl {
    QS_DECLARE_CLASS()
  public:
    using TSkinControl::TSkinControl;
    ~TSkinScControl() override;

    // Binds the overlay instead of painting the control.
    void AttachToControl(TFormSkinner* skinForm, TSkinData* skin, bool setColour, TCanvas* canvas) override;
    void Unskin() override;
    void AfterDefault(TMessage& m) override;
    void DrawSkin(HDC dc, const RECT& rect) override;
    void SkinChanged() override;

    std::unique_ptr<TWScrollbar> EmbeddedScrollbar;

  private:
    void reposition();
};

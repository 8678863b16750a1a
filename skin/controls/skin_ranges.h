// The range-control skinners. TSkinTrackBar lets the track bar draw itself and takes over its
// channel and thumb through custom draw; TSkinUpDown paints both arrow buttons of an up-down;
// TSkinProgress paints a progress bar stretched from the skin's bar image, or in chunks.
#pragma once

#include "skin/core/skin_control.h"

class TSkinTrackBar : public TSkinControl {
    QS_DECLARE_CLASS()
  public:
    using TSkinControl::TSkinControl;

    // The base repaint after a skin change is enough: the bar asks for its channel and thumb
    // again as it paints.
    bool BeforeDefault(TMessage& m) override;

  private:
    void drawThumb(HDC dc);
    void drawChannel(HDC dc);
};

class TSkinUpDown : public TSkinControl {
    QS_DECLARE_CLASS()
  public:
    using TSkinControl::TSkinControl;

    bool BeforeDefault(TMessage& m) override;
    void DrawSkin(HDC dc, const RECT& rect) override;

    // Found inside an edit: it keeps clear of the edit's frame.
    bool InEdit = false;
    // Serves a tab set: its buttons lie side by side whatever its style says.
    bool Horizontal = false;

  private:
    void drawButton(HDC dc, const RECT& box, int kind, int frame, int state);
};

class TSkinProgress : public TSkinControl {
    QS_DECLARE_CLASS()
  public:
    using TSkinControl::TSkinControl;

    bool BeforeDefault(TMessage& m) override;
    void AfterDefault(TMessage& m) override;
    void DrawSkin(HDC dc, const RECT& rect) override;

  private:
    void drawStretched(HDC dc, int w, int h);
    void drawChunks(HDC dc, int w, int h);
};

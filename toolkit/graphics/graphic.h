// TGraphic: the abstract image a canvas draws and a picture holds (TBitmap, TIcon).
#pragma once

#include <windows.h>

#include <string>

#include "toolkit/core/component.h"
#include "toolkit/core/events.h"
#include "toolkit/core/stream.h"
#include "toolkit/graphics/bmp_decode.h" // EInvalidGraphic

class TCanvas;

class TGraphic : public TPersistent {
    QS_DECLARE_CLASS()
  public:
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual bool Empty() const = 0;
    // Transparent graphics leave some pixels of the destination alone when drawn.
    virtual bool Transparent() const { return transparent_; }
    virtual void SetTransparent(bool value);

    // Raise EInvalidGraphic on a damaged or foreign stream; the graphic is unchanged then.
    virtual void LoadFromStream(TStream& stream) = 0;
    virtual void SaveToStream(TStream& stream) const = 0;
    void LoadFromFile(const std::string& path);
    void SaveToFile(const std::string& path) const;

    TNotifyEvent OnChange;

  protected:
    friend class TCanvas;
    virtual void Draw(TCanvas& canvas, const RECT& dest) = 0;
    void Changed();

  private:
    bool transparent_ = false;
};

// TIcon: an owned HICON that draws itself with DrawIconEx and reads and writes .ico files.
#pragma once

#include <windows.h>

#include "toolkit/graphics/graphic.h"
#include "toolkit/handles.h"

class TIcon : public TGraphic {
    QS_DECLARE_CLASS()
  public:
    TIcon() = default;
    ~TIcon() override;
    TIcon(const TIcon&) = delete;
    TIcon& operator=(const TIcon&) = delete;

    void Assign(const TPersistent* source) override; // a copy of another icon's image

    int Width() const override { return width_; }
    int Height() const override { return height_; }
    bool Empty() const override { return !icon_; }
    bool Transparent() const override { return true; }

    HICON Handle() const { return icon_.Get(); } // owned by the icon
    void SetHandle(HICON icon);                  // takes ownership
    void SetHandleCopy(HICON icon);              // keeps a copy; the caller keeps its own
    [[nodiscard]] HICON ReleaseHandle();

    // An icon resource at the given size (0: the resource's own size).
    void LoadFromResourceName(HINSTANCE instance, const char* name, int width = 0, int height = 0);
    void LoadFromResourceID(HINSTANCE instance, int id, int width = 0, int height = 0);
    // .ico files: the first image is used. Saving writes one 32-bit image with its mask.
    void LoadFromStream(TStream& stream) override;
    void SaveToStream(TStream& stream) const override;

  protected:
    void Draw(TCanvas& canvas, const RECT& dest) override;

  private:
    void adopt(HICON icon);

    win::IconHandle icon_;
    int width_ = 0;
    int height_ = 0;
};

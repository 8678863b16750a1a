// TImageList: a comctl32 image list of equally sized images with masks, drawn with
// ImageList_Draw. A component, so menus and tool bars can refer to it by name.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "toolkit/core/component.h"
#include "toolkit/core/events.h"
#include "toolkit/graphics/bitmap.h"
#include "toolkit/graphics/icon.h"
#include "toolkit/handles.h"

class TImageList : public TComponent {
    QS_DECLARE_CLASS()
  public:
    explicit TImageList(TComponent* AOwner);
    ~TImageList() override;

    // Image size; changing it clears the list.
    int Width() const { return width_; }
    void SetWidth(int value);
    int Height() const { return height_; }
    void SetHeight(int value);
    void SetSize(int width, int height);

    // The comctl32 list (24-bit colour with masks), made on demand; owned by the list.
    HIMAGELIST Handle();
    bool HandleAllocated() const { return bool(list_); }
    int Count() const;
    // ImageList_GetIconSize of the list.
    SIZE IconSize() const;

    // Each returns the index of the first image added, -1 on failure. A strip wider than
    // Width becomes several images.
    int Add(TBitmap& image, TBitmap* mask = nullptr);
    int AddMasked(TBitmap& image, TColor maskColor);
    int AddIcon(TIcon& icon);
    // Replaces the content with the bitmap resource cut in Width-wide images, maskColor
    // (white for the menu glyphs) being transparent. False when the resource is missing.
    bool LoadFromResourceName(HINSTANCE instance, const char* name, TColor maskColor);
    void Delete(int index);
    void Clear();

    // ILD_TRANSPARENT at (x, y); a disabled image is drawn blended with the highlight colour.
    void Draw(HDC dc, int x, int y, int index, bool enabled = true);
    void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true);
    // Image `index` drawn on white into a 24-bit bitmap of the image size.
    void GetBitmap(int index, TBitmap& bitmap);

    TNotifyEvent OnChange;

  private:
    void changed();

    int width_ = 16;
    int height_ = 16;
    win::ImageListHandle list_;
};

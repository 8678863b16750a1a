// TImageList over comctl32 image lists.
#include "toolkit/graphics/image_list.h"

#include "toolkit/core/class_builder.h"

const TClassInfo& TImageList::StaticClass() {
    static const TClassInfo& info = TClassBuilder<TImageList>("TImageList", &TComponent::StaticClass())
                                        .Creatable()
                                        .Int("Height", &TImageList::Height, &TImageList::SetHeight, 16)
                                        .Int("Width", &TImageList::Width, &TImageList::SetWidth, 16)
                                        .Build();
    return info;
}

TImageList::TImageList(TComponent* AOwner) : TComponent(AOwner) {}
TImageList::~TImageList() = default;

void TImageList::changed() {
    if (OnChange) OnChange(this);
}

void TImageList::SetWidth(int value) {
    SetSize(value, height_);
}
void TImageList::SetHeight(int value) {
    SetSize(width_, value);
}

void TImageList::SetSize(int width, int height) {
    if (width < 1) width = 1;
    if (height < 1) height = 1;
    if (width == width_ && height == height_) return;
    width_ = width;
    height_ = height;
    if (list_) ImageList_SetIconSize(list_.Get(), width_, height_); // also removes every image
    changed();
}

HIMAGELIST TImageList::Handle() {
    if (!list_) list_.Reset(ImageList_Create(width_, height_, ILC_COLOR24 | ILC_MASK, 4, 4));
    return list_.Get();
}

int TImageList::Count() const {
    return list_ ? ImageList_GetImageCount(list_.Get()) : 0;
}

SIZE TImageList::IconSize() const {
    int cx = width_, cy = height_;
    if (list_) ImageList_GetIconSize(list_.Get(), &cx, &cy);
    return {cx, cy};
}

int TImageList::Add(TBitmap& image, TBitmap* mask) {
    if (image.Empty() || !Handle()) return -1;
    // Handle() takes the bitmaps out of their canvases, as ImageList_Add needs.
    int index = ImageList_Add(list_.Get(), image.Handle(), mask ? mask->Handle() : nullptr);
    if (index >= 0) changed();
    return index;
}

int TImageList::AddMasked(TBitmap& image, TColor maskColor) {
    if (image.Empty() || !Handle()) return -1;
    // The list changes the source's masked pixels, and reads 1- and 4-bit sources through
    // the DC colours: hand it a 24-bit copy.
    TBitmap copy;
    copy.Assign(&image);
    copy.SetPixelFormat(pf24bit);
    int index = ImageList_AddMasked(list_.Get(), copy.Handle(), COLORREF(ColorToRGB(maskColor)));
    if (index >= 0) changed();
    return index;
}

int TImageList::AddIcon(TIcon& icon) {
    if (icon.Empty() || !Handle()) return -1;
    int index = ImageList_ReplaceIcon(list_.Get(), -1, icon.Handle());
    if (index >= 0) changed();
    return index;
}

bool TImageList::LoadFromResourceName(HINSTANCE instance, const char* name, TColor maskColor) {
    TBitmap strip;
    try {
        strip.LoadFromResourceName(instance, name);
    } catch (const EInvalidGraphic&) {
        return false;
    }
    Clear();
    return AddMasked(strip, maskColor) >= 0;
}

void TImageList::Delete(int index) {
    if (list_ && ImageList_Remove(list_.Get(), index)) changed();
}

void TImageList::Clear() {
    if (list_ && Count() > 0) {
        ImageList_Remove(list_.Get(), -1);
        changed();
    }
}

void TImageList::Draw(HDC dc, int x, int y, int index, bool enabled) {
    if (!list_ || !dc || index < 0 || index >= Count()) return;
    if (enabled)
        ImageList_Draw(list_.Get(), index, dc, x, y, ILD_TRANSPARENT);
    else
        ImageList_DrawEx(list_.Get(), index, dc, x, y, 0, 0, CLR_NONE, CLR_DEFAULT,
                         ILD_TRANSPARENT | ILD_BLEND50);
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) {
    Draw(canvas.Handle(), x, y, index, enabled);
}

void TImageList::GetBitmap(int index, TBitmap& bitmap) {
    bitmap.Clear();
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetSize(width_, height_); // white
    Draw(bitmap.Canvas(), 0, 0, index);
}

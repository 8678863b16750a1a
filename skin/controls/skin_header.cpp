// TSkinHeader: header items drawn from the skin's Headerbar faces, the hovered one hot; and
// TSkinListView, the scroll-bar skinner of list views, which skins their header as well.
#include <windows.h>

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <utility>

#include "skin/controls/centred_label.h"
#include "skin/controls/skin_containers.h"
#include "skin/core/face_text.h"
#include "skin/core/optional_user32.h"
#include "skin/core/skin_data.h"
#include "skin/core/skin_manager.h"
#include "skin/paint/skin_paint.h"
#include "toolkit/controls/messages.h"
#include "toolkit/controls/win_control.h"
#include "toolkit/core/class_builder.h"
#include "toolkit/graphics/bitmap.h"
#include "toolkit/graphics/canvas.h"
#include "toolkit/graphics/rects.h"
#include "toolkit/handles.h"

const TClassInfo& TSkinHeader::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TSkinHeader>("TSkinHeader", &TSkinControl::StaticClass()).Build();
    return info;
}

const TClassInfo& TSkinListView::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TSkinListView>("TSkinListView", &TSkinScrollbar::StaticClass()).Build();
    return info;
}

namespace {

// Header item texts are fetched into a buffer of this many characters.
constexpr int kHeaderTextLength = 201;
// The hover area of an item leaves this much at each side (the dividers the user drags).
constexpr int kDividerMargin = 3;
// Headerbar frames: 1 an item (and the empty rest of the bar), 2 the hovered item.
inline constexpr TFaceRule kHeaderItemFace[] = {{TFaceCondition::Hot, 2}};

TLabelAlignment alignmentOfFormat(int format) {
    switch (format & HDF_JUSTIFYMASK) {
    case HDF_RIGHT: return laRight;
    case HDF_CENTER: return laCentre;
    default: return laLeft;
    }
}

} // namespace

TSkinHeader::~TSkinHeader() {
    ItemRects.clear();
}

void TSkinHeader::AttachToControl(TFormSkinner* skinForm, TSkinData* skin, bool setColour, TCanvas* canvas) {
    TSkinControl::AttachToControl(skinForm, skin, setColour, canvas);
    HotIndex = -1;
}

void TSkinHeader::AttachToWindow(HWND window, TSkinData* skin, TFormSkinner* skinForm, TCanvas* canvas) {
    TSkinControl::AttachToWindow(window, skin, skinForm, canvas);
    HotIndex = -1;
}

bool TSkinHeader::hasImage() const {
    return SkinData && SkinData->Headerbar && !SkinData->Headerbar->Bitmap.Empty();
}

bool TSkinHeader::BeforeDefault(TMessage& m) {
    if (!TSkinControl::BeforeDefault(m)) return false;
    // Without faces the header keeps its own look, erasing included.
    if (!hasImage()) return true;
    switch (m.Msg) {
    case WM_PAINT: {
        RECT client{};
        GetClientRect(Handle, &client);
        paintMessage(HDC(m.WParam), client);
        m.Result = 0;
        return false;
    }
    case WM_ERASEBKGND: m.Result = 1; return false;
    default: return true;
    }
}

void TSkinHeader::setHot(int index) {
    if (index == HotIndex) return;
    HotIndex = index;
    Repaint();
}

void TSkinHeader::AfterDefault(TMessage& m) {
    switch (m.Msg) {
    case WM_MOUSEMOVE: {
        const POINT at{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
        for (size_t i = 0; i < ItemRects.size(); ++i)
            if (PtInRect(&ItemRects[i], at)) setHot(int(i));
        TrackMouseLeave(Handle);
        break;
    }
    case WM_MOUSELEAVE:
    case TKN_MOUSELEAVE: setHot(-1); break;
    default: TSkinControl::AfterDefault(m); break;
    }
}

COLORREF TSkinHeader::captionColour() const {
    const TColor own = Control ? Control->Font()->Color() : clWindowText;
    return COLORREF(ColorToRGB(TextColourOnFace(own, SkinData, TFaceBackground::Window)));
}

void TSkinHeader::DrawSkin(HDC dc, const RECT& rect) {
    if (!hasImage() || !Handle) return;
    const int w = RectWidth(rect), h = RectHeight(rect);
    if (w <= 0 || h <= 0) return;
    TDataSkinObject& bar = *SkinData->Headerbar;
    TBitmap work(w, h, pf24bit);
    HDC wdc = work.Canvas().Handle();
    win::SelectGuard font(wdc, HFONT(SendMessageA(Handle, WM_GETFONT, 0, 0)));
    SetBkMode(wdc, TRANSPARENT);
    const auto images = HIMAGELIST(SendMessageA(Handle, HDM_GETIMAGELIST, 0, 0));
    const int count = std::max(0, int(SendMessageA(Handle, HDM_GETITEMCOUNT, 0, 0)));
    ItemRects.assign(size_t(count), RECT{});
    int right = 0;
    for (int i = 0; i < count; ++i) {
        RECT item{};
        if (!SendMessageA(Handle, HDM_GETITEMRECT, WPARAM(i), reinterpret_cast<LPARAM>(&item))) continue;
        drawItem(wdc, i, item, images);
        InflateRect(&item, -kDividerMargin, 0);
        ItemRects[size_t(i)] = item;
        right = std::max<int>(right, item.right + kDividerMargin);
    }
    if (right < w) {
        const RECT rest{right, 0, w, h};
        if (auto piece =
                BuildSkinBitmap(rest, bar.Bitmap, bar.Margins(), false, bar.Tile != 0, bar.Frames(), 1))
            BitBlt(wdc, right, 0, w - right, h, piece->Canvas().Handle(), 0, 0, SRCCOPY);
    }
    BitBlt(dc, rect.left, rect.top, w, h, wdc, 0, 0, SRCCOPY);
}

void TSkinHeader::drawItem(HDC dc, int index, const RECT& r, HIMAGELIST images) {
    TDataSkinObject& bar = *SkinData->Headerbar;
    TFaceState state;
    state.Hot = index == HotIndex;
    const int frame = FaceFrame(state, kHeaderItemFace, bar.Frames());
    auto face = BuildSkinBitmap(r, bar.Bitmap, bar.Margins(), false, bar.Tile != 0, bar.Frames(), frame);
    if (!face) return;
    wchar_t text[kHeaderTextLength] = {};
    HDITEMW item{};
    item.mask = HDI_TEXT | HDI_FORMAT | HDI_IMAGE;
    item.pszText = text;
    item.cchTextMax = kHeaderTextLength;
    item.iImage = -1;
    SendMessageW(Handle, HDM_GETITEMW, WPARAM(index), reinterpret_cast<LPARAM>(&item));
    HDC fdc = face->Canvas().Handle();
    if (text[0]) {
        win::SelectGuard font(fdc, GetCurrentObject(dc, OBJ_FONT));
        SetTextColor(fdc, captionColour());
        TCentredLabel label;
        label.Caption = text;
        label.Alignment = alignmentOfFormat(item.fmt);
        if (item.fmt & (HDF_IMAGE | HDF_OWNERDRAW)) {
            label.Images = images;
            label.ImageIndex = item.iImage;
        }
        label.Enabled = IsWindowEnabled(Handle);
        label.RightToLeft = GetLong(Handle, GWL_EXSTYLE) & WS_EX_RTLREADING;
        label.TextFormat = DT_EXPANDTABS | DT_END_ELLIPSIS;
        DrawCentredLabel(fdc, RECT{0, 0, RectWidth(r), RectHeight(r)}, label);
    }
    BitBlt(dc, r.left, r.top, RectWidth(r), RectHeight(r), fdc, 0, 0, SRCCOPY);
}

// ---- TSkinListView ----

TSkinListView::~TSkinListView() {
    if (TSkinHeader* header = std::exchange(Header, nullptr)) {
        RemoveFreeNotification(header);
        header->Release();
    }
}

void TSkinListView::Notification(TComponent* component, TOperation operation) {
    TSkinScrollbar::Notification(component, operation);
    if (operation == TOperation::opRemove && component == Header) Header = nullptr;
}

void TSkinListView::AttachScrollbars(TWinControl* control, TSkinData* skin, TFormSkinner* skinForm,
                                     TCanvas* canvas) {
    if (Attached) return;
    TSkinScrollbar::AttachScrollbars(control, skin, skinForm, canvas);
    if (!Attached || Header) return;
    HWND header = HWND(SendMessageA(Handle, LVM_GETHEADER, 0, 0));
    if (!header || SendMessageA(header, SKM_ISSKINNED, 0, 0) == 1) return;
    auto* skinner = new TSkinHeader(nullptr);
    skinner->AttachToWindow(header, SkinData, SkinForm, Canvas);
    if (!skinner->Attached) {
        delete skinner;
        return;
    }
    Header = skinner;
    FreeNotification(skinner);
}

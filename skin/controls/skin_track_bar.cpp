// TSkinTrackBar: the track bar draws its ticks; its channel and thumb come from the skin.
#include <windows.h>

#include <commctrl.h>

#include "skin/controls/range_geometry.h"
#include "skin/controls/skin_ranges.h"
#include "skin/core/skin_data.h"
#include "skin/core/skin_records.h"
#include "skin/paint/skin_paint.h"
#include "toolkit/controls/messages.h"
#include "toolkit/core/class_builder.h"
#include "toolkit/graphics/canvas.h"
#include "toolkit/handles.h"

const TClassInfo& TSkinTrackBar::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TSkinTrackBar>("TSkinTrackBar", &TSkinControl::StaticClass()).Build();
    return info;
}

namespace {

constexpr int kThumbFrames = 5;
// Hover and press are not shown: every state draws the thumb at rest.
constexpr int kThumbFrame = 2;

TBox boxOf(const RECT& r) {
    return TBox{int(r.left), int(r.top), int(r.right), int(r.bottom)};
}

TDataSkinObject* withImage(const std::unique_ptr<TDataSkinObject>& object) {
    return object && !object->Bitmap.Empty() ? object.get() : nullptr;
}

} // namespace

bool TSkinTrackBar::BeforeDefault(TMessage& m) {
    if (!TSkinControl::BeforeDefault(m)) return false;
    if ((m.Msg != WM_NOTIFY && m.Msg != CN_NOTIFY) || !SkinData) return true;
    auto* cd = reinterpret_cast<NMCUSTOMDRAW*>(m.LParam);
    // A tool tip's notices may pass here too; only the bar's own drawing is ours.
    if (!cd || cd->hdr.code != UINT(NM_CUSTOMDRAW) || cd->hdr.hwndFrom != Handle) return true;
    m.Result = CDRF_DODEFAULT;
    if (cd->dwDrawStage == CDDS_PREPAINT) {
        m.Result = CDRF_NOTIFYITEMDRAW;
    } else if (cd->dwDrawStage == CDDS_ITEMPREPAINT) {
        if (cd->dwItemSpec == TBCD_THUMB) {
            drawThumb(cd->hdc);
            m.Result = CDRF_SKIPDEFAULT;
        } else if (cd->dwItemSpec == TBCD_CHANNEL) {
            drawChannel(cd->hdc);
            m.Result = CDRF_SKIPDEFAULT;
        }
    }
    return false;
}

void TSkinTrackBar::drawThumb(HDC dc) {
    RECT thumb{};
    SendMessageA(Handle, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    const bool vertical = GetLong(Handle, GWL_STYLE) & TBS_VERT;
    TDataSkinObject* image = vertical ? withImage(SkinData->TrackbarThumbVert) : nullptr;
    if (!image) image = withImage(SkinData->TrackbarThumbHorz);
    if (image) {
        DrawSkinFrame(dc, thumb, image->Bitmap, true, kThumbFrames, kThumbFrame);
        return;
    }
    win::PenHandle pen(CreatePen(PS_SOLID, 1, ColorToRGB(SkinData->Colour(scButtonShadow))));
    win::SelectGuard keep(dc, pen.Get());
    Rectangle(dc, thumb.left, thumb.top, thumb.right, thumb.bottom);
}

void TSkinTrackBar::drawChannel(HDC dc) {
    RECT channel{};
    SendMessageA(Handle, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
    const bool vertical = GetLong(Handle, GWL_STYLE) & TBS_VERT;
    TDataSkinObject* image = withImage(vertical ? SkinData->TrackVert : SkinData->Track);
    if (!image) return;
    TBox c = boxOf(channel);
    // comctl32 reports a vertical bar's channel lying across, as if the bar were horizontal.
    if (vertical && c.Width() > c.Height()) c = SwapAxes(c);
    TBitmap& bmp = image->Bitmap;
    const int first = vertical ? image->TopHeight : image->LeftWidth;
    const int last = vertical ? image->BottomHeight : image->RightWidth;
    const int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
    for (const TSlice& s : ChannelSlices(c, bmp.Width(), bmp.Height(), first, last, vertical)) {
        if (s.Dest.Width() <= 0 || s.Dest.Height() <= 0 || s.Source.Width() <= 0 || s.Source.Height() <= 0)
            continue;
        StretchBlt(dc, s.Dest.Left, s.Dest.Top, s.Dest.Width(), s.Dest.Height(), bmp.Canvas().Handle(),
                   s.Source.Left, s.Source.Top, s.Source.Width(), s.Source.Height(), SRCCOPY);
    }
    SetStretchBltMode(dc, oldMode);
}

// Loading a skin: the model made from the archive's description, then the images derived from it
// (combo buttons, the combo arrow, the tool-bar gradient, the frame colour).
#include "skin/core/skin_loader.h"

#include <algorithm>
#include <cstring>

#include "skin/core/skin_data.h"
#include "skin/paint/skin_paint.h"
#include "skin/res/colour.h"
#include "skin/res/skin_reader.h"
#include "skin/res/win/bitmap_ops.h"
#include "skin/res/win/gradient_fill.h"

namespace {

// Copies a w x h block between bitmaps; what lies outside either bitmap is left alone, as
// BitBlt leaves it. 24-bit bitmaps are copied row by row, which needs no DC.
void copyBlock(TBitmap& to, int x, int y, TBitmap& from, int sx, int sy, int w, int h) {
    if (to.Empty() || from.Empty()) return;
    if (to.PixelFormat() != pf24bit || from.PixelFormat() != pf24bit) {
        BitBlt(to.Canvas().Handle(), x, y, w, h, from.Canvas().Handle(), sx, sy, SRCCOPY);
        return;
    }
    const int left = std::max({0, -x, -sx}), right = std::min({w, to.Width() - x, from.Width() - sx});
    const int top = std::max({0, -y, -sy}), bottom = std::min({h, to.Height() - y, from.Height() - sy});
    for (int row = top; row < bottom && left < right; ++row)
        std::memcpy(to.ScanLine(y + row) + 3 * (x + left), from.ScanLine(sy + row) + 3 * (sx + left),
                    3 * size_t(right - left));
}

// The decoded image into bitmap; emptied when there is none or the system cannot hold it.
void setImage(TBitmap& bitmap, const qs::TSkinImage& image) {
    bitmap.Clear();
    if (!image.Decoded() || !image.pixels) return;
    try {
        bitmap.LoadFromImage(*image.pixels);
    } catch (const Exception&) {
        bitmap.Clear();
    }
}

} // namespace

TSkinLoader::TSkinLoader(TSkinData& skin, const qs::TSkinDescription& description)
    : skin_(skin), d_(description) {}

void TSkinLoader::setMargins(TDataSkinObject& obj, const qs::TSkinRecord& r) {
    obj.LeftWidth = r.left;
    obj.RightWidth = r.right;
    obj.TopHeight = r.top;
    obj.BottomHeight = r.bottom;
}

void TSkinLoader::apply(TDataSkinObject& obj, const qs::TSkinRecord& r, bool withStyle) {
    setImage(obj.Bitmap, r.image);
    if (auto* border = dynamic_cast<TDataSkinBorder*>(&obj);
        border && r.image2.state != qs::TImageState::None)
        setImage(border->Bitmap2, r.image2);
    if (withStyle) obj.Style = r.style;
    setMargins(obj, r);
    obj.Frame = r.frame;
    obj.Trans = r.trans;
    obj.Tile = r.tile;
    obj.NormalColour = r.normalColour;
    obj.MouseOverColour = r.mouseOverColour;
    obj.PressedColour = r.pressedColour;
    obj.NormalColour2 = r.normalColour2;
    obj.MouseOverColour2 = r.mouseOverColour2;
    obj.PressedColour2 = r.pressedColour2;
}

template <class R, class D> void TSkinLoader::slot(std::unique_ptr<R>& slot, const std::optional<D>& r) {
    slot.reset();
    if (!r) return;
    slot = std::make_unique<R>(r->name);
    apply(*slot, *r);
}

void TSkinLoader::borders() {
    TDataSkinBorder* sides[] = {skin_.Borders.Left.get(), skin_.Borders.Right.get(), skin_.Borders.Top.get(),
                                skin_.Borders.Bottom.get()};
    for (size_t i = 0; i < 4; ++i) {
        const qs::TSkinRecord& r = d_.borders[i];
        TDataSkinBorder& b = *sides[i];
        b.Frame = r.frame;
        b.Tile = r.tile;
        b.Trans = r.trans;
        setImage(b.Bitmap, r.image);
        setMargins(b, r);
    }
}

void TSkinLoader::colours() {
    for (size_t i = 0; i < d_.colours.size(); ++i) {
        if (!d_.colours[i].fromSkin) continue;
        skin_.Colours[i].Value = d_.colours[i].value;
        skin_.Colours[i].Given = d_.colours[i].given;
    }
    skin_.SectionColours = d_.sectionColours;
    skin_.CustomColors = d_.customColors;
}

void TSkinLoader::captionButtons() {
    // The MDI buttons' cells are copied out of one 24-bit strip.
    TBitmap mdi;
    setImage(mdi, d_.mdiControls);
    mdi.SetPixelFormat(pf24bit);
    auto& buttons = skin_.SysButtons;
    buttons.clear();
    for (const qs::TSkinCaptionButton& r : d_.captionButtons) {
        auto b = std::make_unique<TDataSkinSysButton>(r.name);
        b->Action = r.action;
        b->Align = r.align;
        b->Xcoord = r.xcoord;
        b->Ycoord = r.ycoord;
        b->Visibility = r.visibility;
        b->Visibility1 = r.visibility1;
        b->CombineOp = r.combineOp;
        b->Frame = r.frame;
        if (!r.mdi) {
            setImage(b->Bitmap, r.image);
        } else if (r.mdiWidth > 0 && !mdi.Empty()) {
            b->Bitmap.SetSize(r.mdiWidth, mdi.Height());
            copyBlock(b->Bitmap, 0, 0, mdi, r.mdiSource, 0, r.mdiWidth, mdi.Height());
        }
        buttons.push_back(std::move(b));
    }
}

void TSkinLoader::pushButtons() {
    const qs::TSkinPushButtons& r = d_.buttons;
    TDataSkinButton& b = *skin_.Buttons;
    // The record is always there, image or not; its Style is not the section's to say.
    apply(b, r, false);
    b.RadioButtonFrame = r.radioButtonFrame;
    b.CheckButtonFrame = r.checkButtonFrame;
    setImage(b.CheckButton, r.checkButton);
    setImage(b.RadioButton, r.radioButton);
    b.HasNormalColour2 = r.hasNormalColour2;
    b.HasMouseOverColour2 = r.hasMouseOverColour2;
    b.HasPressedColour2 = r.hasPressedColour2;
}

void TSkinLoader::captionText() {
    const qs::TSkinTitleText& r = d_.title;
    TDataSkinTitle& t = *skin_.Title;
    setImage(t.Bitmap, r.image);
    setMargins(t, r);
    t.Frame = r.frame;
    t.TextAlignment = r.textAlignment;
    t.Textbackground = r.textbackground;
    t.TXTBackleft = r.txtBackLeft;
    t.TXTBackRight = r.txtBackRight;
    t.FontHeight = r.fontHeight;
    t.ActiveText = r.activeText;
    t.InActiveText = r.inActiveText;
}

void TSkinLoader::slots() {
    TSkinData& s = skin_;
    slot(s.Progress, d_.progress);
    slot(s.ProgressChunk, d_.progressChunk);
    slot(s.MenuBar, d_.menuBar);
    slot(s.GroupBoxEdge, d_.groupBoxEdge);
    slot(s.GroupBox, d_.groupBox);
    if (s.GroupBox) {
        s.GroupBox->BackgroundAlignment = d_.groupBox->backgroundAlignment;
        s.GroupBox->BackgroundLeftShift = d_.groupBox->backgroundLeftShift;
        s.GroupBox->BackgroundRightShift = d_.groupBox->backgroundRightShift;
    }
    slot(s.Tabs, d_.tabs);
    slot(s.StatusBarEdges, d_.statusBarEdges);
    slot(s.TabPane, d_.tabPane);
    slot(s.ToolBars, d_.toolBars);
    slot(s.ComboButton, d_.comboButton);
    // The second image is the mirrored copy of the first.
    if (s.ComboButton && !s.ComboButton->Bitmap.Empty()) {
        s.ComboButton->Bitmap2.Assign(&s.ComboButton->Bitmap);
        s.ComboButton->Bitmap2.SetPixelFormat(pf24bit);
        qs::MirrorHorizontal(s.ComboButton->Bitmap2);
    }
    slot(s.SunkEdge, d_.sunkEdge);
    slot(s.ExtraImages, d_.extraImages);
    slot(s.Headerbar, d_.headerbar);
    slot(s.MenuItem, d_.menuItem);
    slot(s.MenuBackground, d_.menuBackground);
    slot(s.Scrollbar, d_.scrollbar);
    slot(s.HorzScroll, d_.horzScroll);
    slot(s.VertScroll, d_.vertScroll);
    slot(s.HorzScrollThumb, d_.horzScrollThumb);
    slot(s.VertScrollThumb, d_.vertScrollThumb);
    slot(s.TrackbarThumbHorz, d_.trackbarThumbHorz);
    slot(s.TrackbarThumbVert, d_.trackbarThumbVert);
    slot(s.TrackbarThumbLeft, d_.trackbarThumbLeft);
    slot(s.TrackbarThumbRight, d_.trackbarThumbRight);
    slot(s.TrackbarThumbUp, d_.trackbarThumbUp);
    slot(s.TrackbarThumbDown, d_.trackbarThumbDown);
    slot(s.UpDownHorz, d_.upDownHorz);
    slot(s.UpDownVert, d_.upDownVert);
    slot(s.Track, d_.track);
    slot(s.TrackVert, d_.trackVert);
}

void TSkinLoader::builtInTracks() {
    auto fallback = [](std::unique_ptr<TDataSkinObject>& slot, const char* name, const char* resource) {
        if (slot) return;
        slot = std::make_unique<TDataSkinObject>(name);
        try {
            slot->Bitmap.LoadFromResourceName(GetModuleHandleA(nullptr), resource);
        } catch (const Exception&) {
            slot->Bitmap.Clear();
        }
        slot->LeftWidth = slot->TopHeight = slot->RightWidth = slot->BottomHeight = 3;
        slot->Tile = 0;
        slot->Frame = 1;
    };
    fallback(skin_.Track, "Track", "TRACK");
    fallback(skin_.TrackVert, "TRACKVERT", "TRACKVERT");
}

void TSkinLoader::composeCombo() {
    TSkinData& s = skin_;
    if (!s.SunkEdge || !s.ComboButton) return;
    const int n = std::max(s.SunkEdge->Frame, 1);
    const int b = GetSystemMetrics(SM_CXHSCROLL) + 2;
    constexpr int W = 50, H = 21;
    TBitmap strip(W * n, H, pf24bit);
    win::BrushHandle magenta(CreateSolidBrush(SKIN_KEY_COLOUR));
    HDC dc = strip.Canvas().Handle();
    RECT all{0, 0, W * n, H};
    FillRect(dc, &all, magenta.Get());
    // Each cell is drawn in place, clipped to itself as a cell bitmap of its own would be.
    for (int k = 1; k <= n; ++k) {
        const int x = W * (k - 1);
        win::SaveDCGuard keep(dc);
        IntersectClipRect(dc, x, 0, x + W, H);
        DrawSkinObject(dc, RECT{x, 0, x + W, H}, s.SunkEdge->Bitmap, false, false, s.SunkEdge->Trans != 0, n,
                       k, s.SunkEdge->Margins());
        const RECT right{x + W - b, 0, x + W, H};
        DrawSkinObject(dc, right, s.ComboButton->Bitmap, false, false, true, s.ComboButton->Frame, k,
                       s.ComboButton->Margins());
        if (s.ExtraImages)
            DrawSkinFrameCentered(dc, right, s.ExtraImages->Bitmap, true, s.ExtraImages->Frame, k);
        RECT field{x + 2, 2, x + 49 - b, 18};
        FillRect(dc, &field, magenta.Get());
    }
    TDataSkinBorder& combo = *s.ComboButton;
    combo.Style = 2;
    combo.LeftWidth = 2;
    combo.TopHeight = s.SunkEdge->TopHeight;
    combo.RightWidth = b + 2;
    combo.BottomHeight = s.SunkEdge->BottomHeight;
    combo.Bitmap.Assign(&strip);
    qs::MirrorHorizontal(strip);
    s.SunkEdge->Bitmap.Assign(&strip);
    s.SunkEdge->LeftWidth = b + 2;
    s.SunkEdge->RightWidth = 2;
}

void TSkinLoader::comboArrow() {
    TSkinData& s = skin_;
    if (!s.ComboxArrow) s.ComboxArrow = std::make_unique<TDataSkinObject>("ComboxArrow");
    TDataSkinObject& arrow = *s.ComboxArrow;
    arrow.Bitmap.Clear();
    if (!s.SunkEdge && s.ComboButton) {
        arrow.Bitmap.Assign(&s.ComboButton->Bitmap);
        if (!arrow.Bitmap.Empty()) qs::ReplaceMagenta(arrow.Bitmap, ColorToRGB(s.Colour(scButtonFace)));
        arrow.Frame = s.ComboButton->Frame;
    } else if (s.SunkEdge && s.ComboButton && s.ComboButton->Style == 2) {
        const int n = std::max(s.SunkEdge->Frame, 1);
        const TBitmap& src = s.ComboButton->Bitmap;
        const int c = src.Width() / n;
        arrow.Bitmap.SetPixelFormat(pf24bit);
        arrow.Bitmap.SetSize(17 * n, 17);
        for (int i = 0; i < n; ++i)
            copyBlock(arrow.Bitmap, 17 * i, 0, s.ComboButton->Bitmap, c * (i + 1) - 19, 2, 17, 17);
        arrow.Frame = n;
    }
}

void TSkinLoader::toolbar() {
    TSkinData& s = skin_;
    // Defaulted colours name system colours: the image takes their values of now.
    const TColor frame = ColorToRGB(s.Colour(scFrameColour));
    const TColor top = qs::Blend(ColorToRGB(s.Colour(scButtonFace)), clWhite, 150);
    TColor bottom = qs::Blend(0x808080, frame, 150);
    const int L = qs::ColorSaturation(frame);
    if (L > 110) bottom = qs::Blend(frame, clWhite, (5625 - 25 * L) / 140 + 50);
    TBitmap& img = s.Toolbar->Bitmap;
    img.SetPixelFormat(pf24bit);
    img.SetSize(10, 40);
    qs::GradientFill(img.Canvas().Handle(), RECT{0, 0, 10, 40}, top, true, bottom);
    s.Toolbar->Frame = 1;
}

void TSkinLoader::frameColour() {
    TSkinData& s = skin_;
    TBitmap& top = s.Borders.Top->Bitmap;
    TSkinColour& c = s.Colours[scFrameColour];
    c.Given = false;
    if (top.Empty()) {
        c.Value = s.Colour(scButtonFace);
        return;
    }
    // A frame count of 0 samples as one frame.
    const int frames = std::max(s.Borders.Top->Frame, 1);
    c.Value = top.Canvas().Pixel(top.Width() / 3, (top.Height() / frames) / 3);
}

void TSkinLoader::Run() {
    borders();
    colours();
    captionButtons();
    pushButtons();
    captionText();
    slots();
    builtInTracks();
    composeCombo();
    comboArrow();
    frameColour();
    toolbar();
}

bool TSkinData::LoadSkin() {
    if (IsDesigning()) return false;
    skinPending_ = true;
    qs::TSkinReader reader;
    if (!reader.ReadArchive(skinStream_.Bytes())) return false;
    const qs::TSkinDescription description = qs::DescribeSkin(qs::SkinMembers(reader), true);
    TSkinLoader(*this, description).Run();
    faceBrush_.Reset(CreateSolidBrush(ColorToRGB(Colour(scButtonFace))));
    skinPending_ = false;
    return true;
}

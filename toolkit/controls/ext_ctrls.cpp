// TPanel, TShape, TImage and TBevel.
#include "toolkit/controls/ext_ctrls.h"

#include <algorithm>

#include "toolkit/controls/messages.h"
#include "toolkit/core/class_builder.h"

const TEnumInfo& BevelCutInfo() {
    static const TEnumInfo info{"TBevelCut", {"bvNone", "bvLowered", "bvRaised", "bvSpace"}};
    return info;
}
const TEnumInfo& BorderStyleInfo() {
    static const TEnumInfo info{"TBorderStyle", {"bsNone", "bsSingle"}};
    return info;
}
const TEnumInfo& ShapeTypeInfo() {
    static const TEnumInfo info{
        "TShapeType", {"stRectangle", "stSquare", "stRoundRect", "stRoundSquare", "stEllipse", "stCircle"}};
    return info;
}
const TEnumInfo& BevelShapeInfo() {
    static const TEnumInfo info{
        "TBevelShape",
        {"bsBox", "bsFrame", "bsTopLine", "bsBottomLine", "bsLeftLine", "bsRightLine", "bsSpacer"}};
    return info;
}
const TEnumInfo& BevelStyleInfo() {
    static const TEnumInfo info{"TBevelStyle", {"bsLowered", "bsRaised"}};
    return info;
}

void Frame3D(HDC dc, RECT& r, TColor topLeft, TColor bottomRight, int width) {
    win::BrushHandle tl(CreateSolidBrush(COLORREF(ColorToRGB(topLeft))));
    win::BrushHandle br(CreateSolidBrush(COLORREF(ColorToRGB(bottomRight))));
    for (int i = 0; i < width && r.right - r.left > 0 && r.bottom - r.top > 0; ++i) {
        RECT top{r.left, r.top, r.right - 1, r.top + 1}, left{r.left, r.top, r.left + 1, r.bottom - 1};
        RECT bottom{r.left, r.bottom - 1, r.right, r.bottom}, right{r.right - 1, r.top, r.right, r.bottom};
        FillRect(dc, &top, tl.Get());
        FillRect(dc, &left, tl.Get());
        FillRect(dc, &bottom, br.Get());
        FillRect(dc, &right, br.Get());
        InflateRect(&r, -1, -1);
    }
}

// ---- TPanel ----

const TClassInfo& TCustomPanel::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TCustomPanel>("TCustomPanel", &TWinControl::StaticClass())
            .Enum("BevelInner", BevelCutInfo(), &TCustomPanel::BevelInner, &TCustomPanel::SetBevelInner,
                  bvNone)
            .Enum("BevelOuter", BevelCutInfo(), &TCustomPanel::BevelOuter, &TCustomPanel::SetBevelOuter,
                  bvRaised)
            .Int("BevelWidth", &TCustomPanel::BevelWidth, &TCustomPanel::SetBevelWidth, 1)
            .Int("BorderWidth", &TCustomPanel::BorderWidth, &TCustomPanel::SetBorderWidth, 0)
            .Prop([] {
                // An enumeration over the panel's int field, so stored texts say bsNone/bsSingle.
                TPropInfo p;
                p.name = "BorderStyle";
                p.kind = TTypeKind::Enumeration;
                p.enumType = &BorderStyleInfo();
                p.hasDefault = true;
                p.getOrd = [](const TObject* o) {
                    return int64_t(static_cast<const TCustomPanel*>(o)->BorderStyle());
                };
                p.setOrd = [](TObject* o, int64_t v) {
                    static_cast<TCustomPanel*>(o)->SetBorderStyle(int(v));
                };
                return p;
            }())
            .Enum("Alignment", AlignmentInfo(), &TCustomPanel::Alignment, &TCustomPanel::SetAlignment,
                  taCenter)
            .Build();
    return info;
}

const TClassInfo& TPanel::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TPanel>("TPanel", &TCustomPanel::StaticClass()).Creatable().Build();
    return info;
}

TCustomPanel::TCustomPanel(TComponent* AOwner) : TWinControl(AOwner) {
    width_ = 185;
    height_ = 41;
}

void TCustomPanel::SetBevelInner(TBevelCut value) {
    bevelInner_ = value;
    Invalidate();
}
void TCustomPanel::SetBevelOuter(TBevelCut value) {
    bevelOuter_ = value;
    Invalidate();
}
void TCustomPanel::SetBevelWidth(int value) {
    bevelWidth_ = std::max(value, 1);
    Invalidate();
}
void TCustomPanel::SetBorderWidth(int value) {
    borderWidth_ = std::max(value, 0);
    Invalidate();
}
void TCustomPanel::SetBorderStyle(int value) {
    borderStyle_ = value == 1 ? 1 : 0;
    Invalidate();
}
void TCustomPanel::SetAlignment(TAlignment value) {
    alignment_ = value;
    Invalidate();
}

void TCustomPanel::PaintWindow(HDC dc) {
    RECT r{0, 0, ClientWidth(), ClientHeight()};
    auto bevel = [&](TBevelCut cut) {
        if (cut == bvNone) return;
        TColor tl = cut == bvLowered ? clBtnShadow : clBtnHighlight;
        TColor br = cut == bvLowered ? clBtnHighlight : clBtnShadow;
        if (cut == bvSpace) tl = br = color_;
        Frame3D(dc, r, tl, br, bevelWidth_);
    };
    if (borderStyle_ == 1) Frame3D(dc, r, clWindowFrame, clWindowFrame, 1);
    bevel(bevelOuter_);
    Frame3D(dc, r, color_, color_, borderWidth_);
    bevel(bevelInner_);
    if (caption_.empty()) return;
    win::SaveDCGuard saved(dc);
    SelectObject(dc, Font()->Handle());
    SetBkMode(dc, TRANSPARENT);
    // Whoever paints the panel's face (a skin) may know a better colour than the font's.
    const TColor text = TColor(SendMessageA(Handle(), TKN_CHILDTEXTCOLOUR, 0, LPARAM(Font()->Color())));
    SetTextColor(dc, COLORREF(ColorToRGB(enabled_ ? text : clGrayText)));
    UINT align = alignment_ == taCenter ? DT_CENTER : alignment_ == taRightJustify ? DT_RIGHT : DT_LEFT;
    DrawTextA(dc, caption_.c_str(), -1, &r, DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS | align);
}

// ---- TShape ----

const TClassInfo& TShape::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TShape>("TShape", &TGraphicControl::StaticClass())
            .Creatable()
            .Enum("Shape", ShapeTypeInfo(), &TShape::Shape, &TShape::SetShape, stRectangle)
            .Obj("Pen", &TShape::Pen, &TShape::SetPen, true)
            .Obj("Brush", &TShape::Brush, &TShape::SetBrush, true)
            .Build();
    return info;
}

TShape::TShape(TComponent* AOwner) : TGraphicControl(AOwner) {
    width_ = 65;
    height_ = 65;
    pen_.OnChange = TNotifyEvent([this](TObject*) { Invalidate(); });
    brush_.OnChange = TNotifyEvent([this](TObject*) { Invalidate(); });
}

void TShape::SetShape(TShapeType value) {
    shape_ = value;
    Invalidate();
}

void TShape::Paint() {
    TCanvas& canvas = TGraphicControl::Canvas();
    canvas.Pen().Assign(&pen_);
    canvas.Brush().Assign(&brush_);
    // The outline lies inside the bounds whatever the pen's width.
    int pw = pen_.Width();
    int x = pw / 2, y = pw / 2;
    int w = width_ - pw + 1, h = height_ - pw + 1;
    if (pw == 0) {
        --w;
        --h;
    }
    if (shape_ == stSquare || shape_ == stRoundSquare || shape_ == stCircle) {
        int side = std::min(w, h);
        x += (w - side) / 2;
        y += (h - side) / 2;
        w = h = side;
    }
    HDC dc = canvas.Handle();
    switch (shape_) {
    case stRectangle:
    case stSquare: canvas.Rectangle(x, y, x + w, y + h); break;
    case stRoundRect:
    case stRoundSquare: {
        canvas.Rectangle(0, 0, 0, 0); // selects the pen and brush
        int corner = std::min(w, h) / 4;
        RoundRect(dc, x, y, x + w, y + h, corner, corner);
        break;
    }
    case stEllipse:
    case stCircle: canvas.Ellipse({x, y, x + w, y + h}); break;
    }
}

// ---- TImage ----

const TClassInfo& TImage::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TImage>("TImage", &TGraphicControl::StaticClass())
            .Creatable()
            .Obj("Picture", &TImage::Picture, &TImage::SetPicture, true)
            .Bool("Stretch", &TImage::Stretch, &TImage::SetStretch, false)
            .Bool("Center", &TImage::Center, &TImage::SetCenter, false)
            .Bool("Transparent", &TImage::Transparent, &TImage::SetTransparent, false)
            .Bool("AutoSize", &TImage::AutoSize, &TImage::SetAutoSize, false)
            .Build();
    return info;
}

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner) {
    width_ = 105;
    height_ = 105;
    picture_.OnChange = TNotifyEvent([this](TObject*) { pictureChanged(); });
}

TCanvas& TImage::Canvas() {
    if (picture_.Empty() || !dynamic_cast<TBitmap*>(picture_.Graphic())) {
        TBitmap& bitmap = picture_.Bitmap();
        bitmap.SetSize(std::max(width_, 1), std::max(height_, 1));
    }
    return picture_.Bitmap().Canvas();
}

void TImage::SetStretch(bool value) {
    stretch_ = value;
    Invalidate();
}
void TImage::SetCenter(bool value) {
    center_ = value;
    Invalidate();
}
void TImage::SetTransparent(bool value) {
    transparent_ = value;
    if (TGraphic* g = picture_.Graphic()) g->SetTransparent(value);
    Invalidate();
}
void TImage::SetAutoSize(bool value) {
    autoSize_ = value;
    pictureChanged();
}

void TImage::pictureChanged() {
    if (TGraphic* g = picture_.Graphic(); g && transparent_ != g->Transparent())
        g->SetTransparent(transparent_);
    if (autoSize_ && !picture_.Empty()) SetBounds(left_, top_, picture_.Width(), picture_.Height());
    Invalidate();
}

void TImage::Paint() {
    TGraphic* g = picture_.Graphic();
    if (!g || g->Empty()) return;
    TCanvas& canvas = TGraphicControl::Canvas();
    RECT dest{0, 0, g->Width(), g->Height()};
    if (stretch_) {
        dest = ClientRect();
    } else if (center_) {
        OffsetRect(&dest, (width_ - g->Width()) / 2, (height_ - g->Height()) / 2);
    }
    canvas.StretchDraw(dest, *g);
}

// ---- TBevel ----

const TClassInfo& TBevel::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TBevel>("TBevel", &TGraphicControl::StaticClass())
            .Creatable()
            .Enum("Shape", BevelShapeInfo(), &TBevel::Shape, &TBevel::SetShape, bsBox)
            .Enum("Style", BevelStyleInfo(), &TBevel::Style, &TBevel::SetStyle, bsLowered)
            .Build();
    return info;
}

TBevel::TBevel(TComponent* AOwner) : TGraphicControl(AOwner) {
    width_ = 50;
    height_ = 50;
}

void TBevel::SetShape(TBevelShape value) {
    shape_ = value;
    Invalidate();
}
void TBevel::SetStyle(TBevelStyle value) {
    style_ = value;
    Invalidate();
}

void TBevel::Paint() {
    HDC dc = TGraphicControl::Canvas().Handle();
    TColor dark = style_ == bsLowered ? clBtnShadow : clBtnHighlight;
    TColor light = style_ == bsLowered ? clBtnHighlight : clBtnShadow;
    RECT r = ClientRect();
    switch (shape_) {
    case bsBox: Frame3D(dc, r, dark, light, 1); break;
    case bsFrame: {
        RECT inner{r.left + 1, r.top + 1, r.right, r.bottom};
        Frame3D(dc, inner, light, light, 1);
        RECT outer{r.left, r.top, r.right - 1, r.bottom - 1};
        Frame3D(dc, outer, dark, dark, 1);
        break;
    }
    case bsTopLine: {
        RECT a{0, 0, width_, 1}, b{0, 1, width_, 2};
        Frame3D(dc, a, dark, dark, 1);
        Frame3D(dc, b, light, light, 1);
        break;
    }
    case bsBottomLine: {
        RECT a{0, height_ - 2, width_, height_ - 1}, b{0, height_ - 1, width_, height_};
        Frame3D(dc, a, dark, dark, 1);
        Frame3D(dc, b, light, light, 1);
        break;
    }
    case bsLeftLine: {
        RECT a{0, 0, 1, height_}, b{1, 0, 2, height_};
        Frame3D(dc, a, dark, dark, 1);
        Frame3D(dc, b, light, light, 1);
        break;
    }
    case bsRightLine: {
        RECT a{width_ - 2, 0, width_ - 1, height_}, b{width_ - 1, 0, width_, height_};
        Frame3D(dc, a, dark, dark, 1);
        Frame3D(dc, b, light, light, 1);
        break;
    }
    case bsSpacer: break;
    }
}

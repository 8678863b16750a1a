// TFont, TPen, TBrush: published properties and lazily created GDI handles.
#include "toolkit/graphics/graphics_objects.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <utility>

#include "toolkit/core/class_builder.h"

namespace {
constexpr int kScreenPixelsPerInch = 96;
}

const TClassInfo& TGraphicsObject::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TGraphicsObject>("TGraphicsObject", &TPersistent::StaticClass()).Build();
    return info;
}

void TGraphicsObject::Changed() {
    if (OnChange) OnChange(this);
}

// ---- TFont ----

const TEnumInfo& FontStyleInfo() {
    static const TEnumInfo info{"TFontStyle", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}};
    return info;
}

const TEnumInfo& FontPitchInfo() {
    static const TEnumInfo info{"TFontPitch", {"fpDefault", "fpVariable", "fpFixed"}};
    return info;
}

const TClassInfo& TFont::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TFont>("TFont", &TGraphicsObject::StaticClass())
            .Int("Charset", &TFont::Charset, &TFont::SetCharset, DEFAULT_CHARSET)
            .Int("Color", &TFont::Color, &TFont::SetColor, clWindowText, &ColorIdents())
            .Int("Height", &TFont::Height, &TFont::SetHeight)
            .Str("Name", &TFont::Name, &TFont::SetName)
            .Enum("Pitch", FontPitchInfo(), &TFont::Pitch, &TFont::SetPitch, fpDefault)
            .Int("Size", &TFont::Size, &TFont::SetSize)
            .Set("Style", FontStyleInfo(), 1, &TFont::Style, &TFont::SetStyle, 0)
            .Build();
    return info;
}

TFont::TFont() = default;
TFont::~TFont() = default;

void TFont::changed() {
    win::FontHandle old = std::move(handle_);
    Changed();
}

void TFont::Assign(const TPersistent* source) {
    if (auto* f = dynamic_cast<const TFont*>(source)) {
        if (f == this) return;
        name_ = f->name_;
        height_ = f->height_;
        style_ = f->style_;
        charset_ = f->charset_;
        color_ = f->color_;
        pitch_ = f->pitch_;
        changed();
        return;
    }
    TGraphicsObject::Assign(source);
}

void TFont::SetName(const std::string& value) {
    if (value.empty() || value == name_) return;
    name_ = value;
    changed();
}

void TFont::SetHeight(int value) {
    if (value == height_) return;
    height_ = value;
    changed();
}

int TFont::Size() const {
    return -std::lround(height_ * 72.0 / kScreenPixelsPerInch);
}

void TFont::SetSize(int value) {
    SetHeight(-int(std::lround(value * double(kScreenPixelsPerInch) / 72.0)));
}

void TFont::SetStyle(TFontStyles value) {
    value &= 0x0F;
    if (value == style_) return;
    style_ = value;
    changed();
}

void TFont::SetCharset(int value) {
    if (value == charset_) return;
    charset_ = value;
    changed();
}

void TFont::SetColor(TColor value) {
    if (value == color_) return;
    color_ = value;
    Changed(); // the colour is a DC attribute: the handle stays
}

void TFont::SetPitch(TFontPitch value) {
    if (value == pitch_) return;
    pitch_ = value;
    changed();
}

LOGFONTA TFont::LogFont() const {
    LOGFONTA lf{};
    lf.lfHeight = height_;
    lf.lfWeight = (style_ & FontStyleBit(fsBold)) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (style_ & FontStyleBit(fsItalic)) != 0;
    lf.lfUnderline = (style_ & FontStyleBit(fsUnderline)) != 0;
    lf.lfStrikeOut = (style_ & FontStyleBit(fsStrikeOut)) != 0;
    lf.lfCharSet = BYTE(charset_);
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = pitch_ == fpFixed      ? FIXED_PITCH
                          : pitch_ == fpVariable ? VARIABLE_PITCH
                                                 : DEFAULT_PITCH;
    std::strncpy(lf.lfFaceName, name_.c_str(), LF_FACESIZE - 1);
    return lf;
}

HFONT TFont::Handle() const {
    if (!handle_) {
        LOGFONTA lf = LogFont();
        handle_.Reset(CreateFontIndirectA(&lf));
    }
    return handle_.Get();
}

void TFont::SetFromHandle(HFONT font) {
    LOGFONTA lf{};
    if (!font || !GetObjectA(font, sizeof lf, &lf)) return;
    name_ = lf.lfFaceName;
    height_ = lf.lfHeight;
    style_ = TFontStyles(
        (lf.lfWeight >= FW_BOLD ? FontStyleBit(fsBold) : 0) | (lf.lfItalic ? FontStyleBit(fsItalic) : 0) |
        (lf.lfUnderline ? FontStyleBit(fsUnderline) : 0) | (lf.lfStrikeOut ? FontStyleBit(fsStrikeOut) : 0));
    charset_ = lf.lfCharSet;
    int pitch = lf.lfPitchAndFamily & 3;
    pitch_ = pitch == FIXED_PITCH ? fpFixed : pitch == VARIABLE_PITCH ? fpVariable : fpDefault;
    changed();
}

// ---- TPen ----

const TEnumInfo& PenModeInfo() {
    static const TEnumInfo info{"TPenMode",
                                {"pmBlack", "pmWhite", "pmNop", "pmNot", "pmCopy", "pmNotCopy",
                                 "pmMergePenNot", "pmMaskPenNot", "pmMergeNotPen", "pmMaskNotPen", "pmMerge",
                                 "pmNotMerge", "pmMask", "pmNotMask", "pmXor", "pmNotXor"}};
    return info;
}

int PenModeToRop2(TPenMode mode) {
    static const int rop[] = {R2_BLACK,       R2_WHITE,      R2_NOP,         R2_NOT,
                              R2_COPYPEN,     R2_NOTCOPYPEN, R2_MERGEPENNOT, R2_MASKPENNOT,
                              R2_MERGENOTPEN, R2_MASKNOTPEN, R2_MERGEPEN,    R2_NOTMERGEPEN,
                              R2_MASKPEN,     R2_NOTMASKPEN, R2_XORPEN,      R2_NOTXORPEN};
    return unsigned(mode) < std::size(rop) ? rop[mode] : R2_COPYPEN;
}

const TEnumInfo& PenStyleInfo() {
    static const TEnumInfo info{
        "TPenStyle", {"psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear", "psInsideFrame"}};
    return info;
}

const TClassInfo& TPen::StaticClass() {
    static const TClassInfo& info = TClassBuilder<TPen>("TPen", &TGraphicsObject::StaticClass())
                                        .Int("Color", &TPen::Color, &TPen::SetColor, clBlack, &ColorIdents())
                                        .Enum("Mode", PenModeInfo(), &TPen::Mode, &TPen::SetMode, pmCopy)
                                        .Enum("Style", PenStyleInfo(), &TPen::Style, &TPen::SetStyle, psSolid)
                                        .Int("Width", &TPen::Width, &TPen::SetWidth, 1)
                                        .Build();
    return info;
}

TPen::~TPen() = default;

void TPen::changed() {
    win::PenHandle old = std::move(handle_);
    Changed();
}

void TPen::Assign(const TPersistent* source) {
    if (auto* p = dynamic_cast<const TPen*>(source)) {
        if (p == this) return;
        color_ = p->color_;
        mode_ = p->mode_;
        style_ = p->style_;
        width_ = p->width_;
        changed();
        return;
    }
    TGraphicsObject::Assign(source);
}

void TPen::SetColor(TColor value) {
    if (value == color_) return;
    color_ = value;
    changed();
}

void TPen::SetMode(TPenMode value) {
    if (value == mode_) return;
    mode_ = value;
    Changed(); // a DC attribute (SetROP2): the handle stays
}

void TPen::SetStyle(TPenStyle value) {
    if (value == style_) return;
    style_ = value;
    changed();
}

void TPen::SetWidth(int value) {
    if (value < 0) value = 0;
    if (value == width_) return;
    width_ = value;
    changed();
}

HPEN TPen::Handle() const {
    if (!handle_) {
        static const int styles[] = {PS_SOLID,      PS_DASH, PS_DOT,        PS_DASHDOT,
                                     PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
        int style = unsigned(style_) < std::size(styles) ? styles[style_] : PS_SOLID;
        handle_.Reset(CreatePen(style, width_, COLORREF(ColorToRGB(color_))));
    }
    return handle_.Get();
}

// ---- TBrush ----

const TEnumInfo& BrushStyleInfo() {
    static const TEnumInfo info{"TBrushStyle",
                                {"bsSolid", "bsClear", "bsHorizontal", "bsVertical", "bsFDiagonal",
                                 "bsBDiagonal", "bsCross", "bsDiagCross"}};
    return info;
}

const TClassInfo& TBrush::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TBrush>("TBrush", &TGraphicsObject::StaticClass())
            .Int("Color", &TBrush::Color, &TBrush::SetColor, clWhite, &ColorIdents())
            .Enum("Style", BrushStyleInfo(), &TBrush::Style, &TBrush::SetStyle, bsSolid)
            .Build();
    return info;
}

TBrush::~TBrush() = default;

void TBrush::changed() {
    win::BrushHandle old = std::move(handle_);
    Changed();
}

void TBrush::Assign(const TPersistent* source) {
    if (auto* b = dynamic_cast<const TBrush*>(source)) {
        if (b == this) return;
        color_ = b->color_;
        style_ = b->style_;
        changed();
        return;
    }
    TGraphicsObject::Assign(source);
}

void TBrush::SetColor(TColor value) {
    if (value == color_ && style_ != bsClear) return;
    color_ = value;
    if (style_ == bsClear) style_ = bsSolid;
    changed();
}

void TBrush::SetStyle(TBrushStyle value) {
    if (value == style_) return;
    style_ = value;
    changed();
}

HBRUSH TBrush::Handle() const {
    if (style_ == bsClear) return HBRUSH(GetStockObject(NULL_BRUSH)); // stock: never deleted
    if (!handle_) {
        COLORREF c = COLORREF(ColorToRGB(color_));
        switch (style_) {
        case bsHorizontal: handle_.Reset(CreateHatchBrush(HS_HORIZONTAL, c)); break;
        case bsVertical: handle_.Reset(CreateHatchBrush(HS_VERTICAL, c)); break;
        case bsFDiagonal: handle_.Reset(CreateHatchBrush(HS_FDIAGONAL, c)); break;
        case bsBDiagonal: handle_.Reset(CreateHatchBrush(HS_BDIAGONAL, c)); break;
        case bsCross: handle_.Reset(CreateHatchBrush(HS_CROSS, c)); break;
        case bsDiagCross: handle_.Reset(CreateHatchBrush(HS_DIAGCROSS, c)); break;
        default: handle_.Reset(CreateSolidBrush(c)); break;
        }
    }
    return handle_.Get();
}

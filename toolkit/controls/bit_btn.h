// TBitBtn: a push button that draws itself (BS_OWNERDRAW) with a glyph beside its caption, and
// stock kinds (OK, Cancel, Yes ...) that bring their caption and modal result.
#pragma once

#include "toolkit/controls/button_glyph.h"
#include "toolkit/controls/button_layout.h"
#include "toolkit/controls/std_ctrls.h"
#include "toolkit/graphics/image_list.h"

enum TBitBtnKind {
    bkCustom,
    bkOK,
    bkCancel,
    bkHelp,
    bkYes,
    bkNo,
    bkClose,
    bkAbort,
    bkRetry,
    bkIgnore,
    bkAll
};
const TEnumInfo& BitBtnKindInfo();

class TBitBtn : public TButton {
    QS_DECLARE_CLASS()
  public:
    explicit TBitBtn(TComponent* AOwner);

    TBitmap* Glyph() const { return &glyph_; }
    void SetGlyph(TBitmap* value) { glyph_.Assign(value); }
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int value);
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout value);
    int Margin() const { return margin_; }
    void SetMargin(int value);
    int Spacing() const { return spacing_; }
    void SetSpacing(int value);
    // A kind other than bkCustom sets the caption (kept when a stored text gave one), the modal
    // result, and Default or Cancel for the kinds that mean them.
    TBitBtnKind Kind() const { return kind_; }
    void SetKind(TBitBtnKind value);
    // With ImageIndex set, the image list's picture stands in for the glyph.
    TImageList* Images() const { return images_; }
    void SetImages(TImageList* value);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value);
    // Shown disabled; -1 draws ImageIndex blended.
    int DisabledIndex() const { return disabledIndex_; }
    void SetDisabledIndex(int value);

  protected:
    void WndProc(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;
    DWORD ButtonStyle() const override { return BS_OWNERDRAW; }

  private:
    void drawItem(const DRAWITEMSTRUCT& item);
    SIZE imageSize() const;
    void drawImage(HDC dc, POINT at, bool enabled, bool pressed);

    mutable TBitmap glyph_;
    int numGlyphs_ = 1;
    TButtonLayout layout_ = blGlyphLeft;
    int margin_ = -1;
    int spacing_ = 4;
    TBitBtnKind kind_ = bkCustom;
    TImageList* images_ = nullptr;
    int imageIndex_ = -1;
    int disabledIndex_ = -1;
};

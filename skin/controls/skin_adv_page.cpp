// TSkinAdvPage: page controls that take tab background pictures get two made from the skin's
// tab frames; the control draws its tabs itself.
#include <windows.h>

#include <memory>

#include "skin/controls/skin_tabs.h"
#include "skin/core/skin_data.h"
#include "skin/core/skin_records.h"
#include "skin/paint/skin_paint.h"
#include "toolkit/core/class_builder.h"
#include "toolkit/core/prop_access.h"

const TClassInfo& TSkinAdvPage::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TSkinAdvPage>("TSkinAdvPage", &TSkinControl::StaticClass()).Build();
    return info;
}

namespace {

constexpr int kBuildMode = 4;
constexpr int kTabFrames = 5;
constexpr int kBackgroundWidth = 100, kBackgroundHeight = 21;

// The control's picture property of that name, when it has one.
TPersistent* picture(TControl* control, const char* name) {
    return control ? dynamic_cast<TPersistent*>(GetObjectProp(control, name)) : nullptr;
}

} // namespace

TSkinAdvPage::~TSkinAdvPage() {
    ReleaseTabArrows(*this, UpDown);
}

void TSkinAdvPage::Notification(TComponent* component, TOperation operation) {
    TSkinControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == UpDown) UpDown = nullptr;
}

void TSkinAdvPage::AttachToControl(TFormSkinner* skinForm, TSkinData* skin, bool setColour, TCanvas* canvas) {
    if (Attached) return;
    TSkinControl::AttachToControl(skinForm, skin, setColour, canvas);
    if (Attached && Mode == kBuildMode) setBackgrounds(true);
}

void TSkinAdvPage::DrawSkin(HDC, const RECT&) {
    SkinTabArrows(*this, UpDown);
}

void TSkinAdvPage::SkinChanged() {
    if (Mode == kBuildMode) setBackgrounds(true);
    TSkinControl::SkinChanged();
}

void TSkinAdvPage::Unskin() {
    if (SkinEnabled && State != ctWindowGone && Mode == kBuildMode) setBackgrounds(false);
    TSkinControl::Unskin();
}

void TSkinAdvPage::setBackgrounds(bool fromSkin) {
    TPersistent* normal = picture(Control, "TabBackGround");
    TPersistent* active = picture(Control, "TabBackGroundActive");
    if (!normal && !active) return;
    TDataSkinBorder* tabs = SkinData ? SkinData->Tabs.get() : nullptr;
    if (fromSkin && !tabs) return;
    const RECT size{0, 0, kBackgroundWidth, kBackgroundHeight};
    const auto made = [&](int frame) -> std::unique_ptr<TBitmap> {
        if (!fromSkin) return std::make_unique<TBitmap>();
        // A Trans of 1 asks for the middle tiled.
        auto bitmap =
            BuildSkinBitmap(size, tabs->Bitmap, tabs->Margins(), false, tabs->Trans == 1, kTabFrames, frame);
        return bitmap ? std::move(bitmap) : std::make_unique<TBitmap>();
    };
    if (normal) normal->Assign(made(1).get());
    if (active) active->Assign(made(2).get());
}

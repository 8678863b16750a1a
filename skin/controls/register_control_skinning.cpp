// The makers of the control skinners this layer paints.
#include "skin/controls/register_control_skinning.h"

#include "skin/controls/skin_buttons.h"
#include "skin/controls/skin_choices.h"
#include "skin/controls/skin_containers.h"
#include "skin/controls/skin_edits.h"
#include "skin/controls/skin_media_player.h"
#include "skin/controls/skin_ranges.h"
#include "skin/controls/skin_tabs.h"
#include "skin/core/control_skinners.h"
#include "skin/core/skin_scrollbar.h"

namespace {

template <class T> TSkinControl* make(TComponent* owner, const TSkinnerPlan&) {
    return new T(owner);
}

template <class T> TSkinControl* makeWithPicture(TComponent* owner, const TSkinnerPlan& plan) {
    auto* skinner = new T(owner);
    skinner->GraphicProperty = plan.PictureProperty;
    return skinner;
}

TSkinControl* makeObjImage(TComponent* owner, const TSkinnerPlan& plan) {
    auto* skinner = new TSkinObjImage(owner);
    skinner->Kind = TGlyphStripKind(plan.Variant);
    return skinner;
}

// Variant 2 is a page control, whose pages are windows; a plain tab control's windowless
// children are painted over the skin.
constexpr int kPageControlTabs = 2;

TSkinControl* makeTab(TComponent* owner, const TSkinnerPlan& plan) {
    auto* skinner = new TSkinTab(owner);
    skinner->PaintChildren = plan.Variant != kPageControlTabs;
    return skinner;
}

TSkinControl* makeAdvPage(TComponent* owner, const TSkinnerPlan& plan) {
    auto* skinner = new TSkinAdvPage(owner);
    skinner->Mode = plan.Variant;
    return skinner;
}

TSkinControl* makeScrollbar(TComponent* owner, const TSkinnerPlan& plan) {
    auto* skinner = new TSkinScrollbar(owner);
    skinner->SingleMode = plan.Variant == 1;
    return skinner;
}

// Variant 1 is an extended combo box: its frame and arrow only.
TSkinControl* makeComboBox(TComponent* owner, const TSkinnerPlan& plan) {
    auto* skinner = new TSkinComBox(owner);
    skinner->FrameOnly = plan.Variant == 1;
    return skinner;
}

} // namespace

void RegisterControlSkinning() {
    RegisterControlSkinner(TSkinnerKind::Button, make<TSkinButton>);
    RegisterControlSkinner(TSkinnerKind::BitButton, makeWithPicture<TSkinBitButton>);
    RegisterControlSkinner(TSkinnerKind::SpeedButton, makeWithPicture<TSkinSpeedButton>);
    RegisterControlSkinner(TSkinnerKind::MenuButton, make<TSkinMenuButton>);
    RegisterControlSkinner(TSkinnerKind::CheckBox, make<TSkinCheckBox>);
    RegisterControlSkinner(TSkinnerKind::RadioButton, make<TSkinRadioButton>);
    RegisterControlSkinner(TSkinnerKind::ObjImage, makeObjImage);
    RegisterControlSkinner(TSkinnerKind::TrackBar, make<TSkinTrackBar>);
    RegisterControlSkinner(TSkinnerKind::UpDown, make<TSkinUpDown>);
    RegisterControlSkinner(TSkinnerKind::Progress, make<TSkinProgress>);
    RegisterControlSkinner(TSkinnerKind::Tab, makeTab);
    RegisterControlSkinner(TSkinnerKind::TabButton, make<TSkinTabBtn>);
    RegisterControlSkinner(TSkinnerKind::Tab31, make<TSkinTab31>);
    RegisterControlSkinner(TSkinnerKind::TabSheet, make<TSkinTabSheet>);
    RegisterControlSkinner(TSkinnerKind::AdvPage, makeAdvPage);
    RegisterControlSkinner(TSkinnerKind::Scrollbar, makeScrollbar);
    RegisterControlSkinner(TSkinnerKind::ComboBox, makeComboBox);
    RegisterControlSkinner(TSkinnerKind::Edit, make<TSkinEdit>);
    RegisterControlSkinner(TSkinnerKind::DateTime, make<TSkinDateTime>);
    RegisterControlSkinner(TSkinnerKind::GroupBox, make<TSkinGroupBox>);
    RegisterControlSkinner(TSkinnerKind::Box, make<TSkinBox>);
    RegisterControlSkinner(TSkinnerKind::BoxH, make<TSkinBoxH>);
    RegisterControlSkinner(TSkinnerKind::Sizer, make<TSkinSizer>);
    RegisterControlSkinner(TSkinnerKind::StatusBar, make<TSkinStatusBar>);
    RegisterControlSkinner(TSkinnerKind::Header, make<TSkinHeader>);
    RegisterControlSkinner(TSkinnerKind::ListView, make<TSkinListView>);
    RegisterControlSkinner(TSkinnerKind::MediaPlayer, make<TSkinMP>);
    RegisterControlSkinner(TSkinnerKind::ScrollControl, make<TSkinScControl>);
}

// The makers of control skinners, by kind.
#include "skin/core/control_skinners.h"

#include <array>

namespace {

constexpr size_t kKinds = size_t(TSkinnerKind::MediaPlayer) + 1;

std::array<TSkinnerMaker, kKinds>& makers() {
    static std::array<TSkinnerMaker, kKinds> table{};
    return table;
}

} // namespace

void RegisterControlSkinner(TSkinnerKind kind, TSkinnerMaker make) {
    if (kind != TSkinnerKind::None) makers()[size_t(kind)] = make;
}

bool ControlSkinnerRegistered(TSkinnerKind kind) {
    return makers()[size_t(kind)] != nullptr;
}

TSkinControl* MakeControlSkinner(const TSkinnerPlan& plan, TComponent* owner) {
    const TSkinnerMaker make = makers()[size_t(plan.Kind)];
    return make ? make(owner, plan) : nullptr;
}

const char* SkinnerClassName(TSkinnerKind kind) {
    static constexpr std::array<const char*, kKinds> names{"",
                                                           "TSkinButton",
                                                           "TSkinBitButton",
                                                           "TSkinSpeedButton",
                                                           "TSkinMenuButton",
                                                           "TSkinCheckBox",
                                                           "TSkinRadioButton",
                                                           "TSkinObjImage",
                                                           "TSkinGroupBox",
                                                           "TSkinBox",
                                                           "TSkinBoxH",
                                                           "TSkinTab",
                                                           "TSkinTabBtn",
                                                           "TSkinTab31",
                                                           "TSkinTabSheet",
                                                           "TSkinAdvPage",
                                                           "TSkinHeader",
                                                           "TSkinStatusBar",
                                                           "TSkinTrackBar",
                                                           "TSkinUpDown",
                                                           "TSkinProgress",
                                                           "TSkinComBox",
                                                           "TSkinEdit",
                                                           "TSkinDateTime",
                                                           "TSkinScrollbar",
                                                           "TSkinListView",
                                                           "TSkinSizer",
                                                           "TSkinScControl",
                                                           "TSkinMP"};
    return names[size_t(kind)];
}

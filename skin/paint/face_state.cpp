// The face maps' one evaluator.
#include "skin/paint/face_state.h"

namespace {

bool holds(const TFaceState& s, TFaceCondition c) {
    switch (c) {
    case TFaceCondition::Disabled: return !s.Enabled;
    case TFaceCondition::Pressed: return s.Pressed;
    case TFaceCondition::Hot: return s.Hot;
    case TFaceCondition::Focused: return s.Focused;
    case TFaceCondition::Checked: return s.Checked;
    case TFaceCondition::Inactive: return !s.Active;
    }
    return false;
}

} // namespace

int FaceFrame(const TFaceState& state, std::span<const TFaceRule> rules, int frameCount) {
    for (const TFaceRule& rule : rules)
        if (holds(state, rule.When)) return rule.Frame <= frameCount ? rule.Frame : 1;
    return 1;
}

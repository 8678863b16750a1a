// The control skinners by kind. Attachment (form skinning) decides which kind a child control
// gets; the painters live above it (skin/controls) and register a maker per kind here, so the
// decision and the painters never depend on each other. A kind without a maker creates nothing:
// its control keeps the system look.
#pragma once

#include <string>

class TComponent;
class TSkinControl;

enum class TSkinnerKind {
    None,
    Button,
    BitButton,
    SpeedButton,
    MenuButton,
    CheckBox,
    RadioButton,
    ObjImage,
    GroupBox,
    Box,
    BoxH,
    Tab,
    TabButton,
    Tab31,
    TabSheet,
    AdvPage,
    Header,
    StatusBar,
    TrackBar,
    UpDown,
    Progress,
    ComboBox,
    Edit,
    DateTime,
    Scrollbar,
    ListView,
    Sizer,
    ScrollControl,
    MediaPlayer,
};

// What a skinner is made with.
struct TSkinnerPlan {
    TSkinnerKind Kind = TSkinnerKind::None;
    // The control's Color becomes the skin's face colour while skinned.
    bool WithColour = false;
    // Per kind: the self-drawing glyph kind of TSkinObjImage, the tab kind, the extended combo
    // box, the single scroll bar.
    int Variant = 0;
    // A picture property that replaces "Glyph" (bit and speed buttons).
    std::string PictureProperty;
};

inline TSkinnerPlan PlanOf(TSkinnerKind kind) {
    TSkinnerPlan plan;
    plan.Kind = kind;
    return plan;
}

using TSkinnerMaker = TSkinControl* (*)(TComponent* owner, const TSkinnerPlan& plan);

void RegisterControlSkinner(TSkinnerKind kind, TSkinnerMaker make);
bool ControlSkinnerRegistered(TSkinnerKind kind);
// A new skinner owned by `owner` (null for a plain window), or null when the kind has no maker.
TSkinControl* MakeControlSkinner(const TSkinnerPlan& plan, TComponent* owner);
// The skinner class a kind stands for ("TSkinButton"); "" for None.
const char* SkinnerClassName(TSkinnerKind kind);

// Member names of the skin component's enumerations, as stored in form resources.
#include "skin/core/skin_types.h"

const TEnumInfo& SkinControlTypeInfo() {
    static const TEnumInfo info{
        "TSkinControlType",
        {"xcMainMenu", "xcPopupMenu",   "xcMenuItem",   "xcToolbar",   "xcControlbar", "xcCombo",
         "xcCheckBox", "xcRadioButton", "xcProgress",   "xcScrollbar", "xcEdit",       "xcButton",
         "xcBitBtn",   "xcSpeedButton", "xcSpin",       "xcPanel",     "xcGroupBox",   "xcStatusBar",
         "xcTab",      "xcTrackBar",    "xcSystemMenu", "xcFastReport"}};
    return info;
}

const TEnumInfo& SkinOptionInfo() {
    static const TEnumInfo info{"TSkinOption",
                                {"xoMDIScrollbar", "xoMenuMerge", "xoTransparent", "xoPreview",
                                 "xoParentBackGround", "xoNoFocusRect", "xoToolbarBK", "xoToolbarButton",
                                 "xoMDIChildBorder", "xoMenuBG", "xoCaptionButtonHint", "xoFormScrollbar"}};
    return info;
}

const TEnumInfo& SkinFormTypeInfo() {
    static const TEnumInfo info{"TSkinFormType", {"sfMainform", "sfOnlyThisForm", "sfDialog", "sfDLL"}};
    return info;
}

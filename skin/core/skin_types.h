// The skin component's enumerations and sets, with the member names they are stored under.
#pragma once

#include <cstdint>

#include "toolkit/core/object.h"

enum TSkinControlType {
    xcMainMenu,
    xcPopupMenu,
    xcMenuItem,
    xcToolbar,
    xcControlbar,
    xcCombo,
    xcCheckBox,
    xcRadioButton,
    xcProgress,
    xcScrollbar,
    xcEdit,
    xcButton,
    xcBitBtn,
    xcSpeedButton,
    xcSpin,
    xcPanel,
    xcGroupBox,
    xcStatusBar,
    xcTab,
    xcTrackBar,
    xcSystemMenu,
    xcFastReport
};
// A set of TSkinControlType: bit n is the member of ordinal n; stored 4 bytes wide.
using TSkinControlTypes = uint32_t;

enum TSkinOption {
    xoMDIScrollbar,
    xoMenuMerge,
    xoTransparent,
    xoPreview,
    xoParentBackGround,
    xoNoFocusRect,
    xoToolbarBK,
    xoToolbarButton,
    xoMDIChildBorder,
    xoMenuBG,
    xoCaptionButtonHint,
    xoFormScrollbar
};
// A set of TSkinOption; stored 2 bytes wide.
using TSkinOptions = uint16_t;

enum TSkinFormType { sfMainform, sfOnlyThisForm, sfDialog, sfDLL };

constexpr uint32_t SetOf(int member) {
    return uint32_t(1) << member;
}
constexpr bool InSet(uint32_t set, int member) {
    return (set >> member) & 1;
}

// Every control group except menu items and report previews.
constexpr TSkinControlTypes kDefaultSkinControls = 0x1FFFFB;
constexpr TSkinOptions kDefaultSkinOptions = 0x0448; // xoPreview, xoToolbarBK, xoCaptionButtonHint

const TEnumInfo& SkinControlTypeInfo();
const TEnumInfo& SkinOptionInfo();
const TEnumInfo& SkinFormTypeInfo();

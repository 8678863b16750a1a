// Colour names for stored properties, and system-colour resolution on Windows.
#include "toolkit/graphics/colors.h"

#ifdef _WIN32
#include <windows.h>
#endif

const TIdentMap& ColorIdents() {
    static const TIdentMap map{{
        {clBlack, "clBlack"},
        {clMaroon, "clMaroon"},
        {clGreen, "clGreen"},
        {clOlive, "clOlive"},
        {clNavy, "clNavy"},
        {clPurple, "clPurple"},
        {clTeal, "clTeal"},
        {clGray, "clGray"},
        {clSilver, "clSilver"},
        {clRed, "clRed"},
        {clLime, "clLime"},
        {clYellow, "clYellow"},
        {clBlue, "clBlue"},
        {clFuchsia, "clFuchsia"},
        {clAqua, "clAqua"},
        {clWhite, "clWhite"},
        {clMoneyGreen, "clMoneyGreen"},
        {clSkyBlue, "clSkyBlue"},
        {clCream, "clCream"},
        {clMedGray, "clMedGray"},
        {clScrollBar, "clScrollBar"},
        {clBackground, "clBackground"},
        {clActiveCaption, "clActiveCaption"},
        {clInactiveCaption, "clInactiveCaption"},
        {clMenu, "clMenu"},
        {clWindow, "clWindow"},
        {clWindowFrame, "clWindowFrame"},
        {clMenuText, "clMenuText"},
        {clWindowText, "clWindowText"},
        {clCaptionText, "clCaptionText"},
        {clActiveBorder, "clActiveBorder"},
        {clInactiveBorder, "clInactiveBorder"},
        {clAppWorkSpace, "clAppWorkSpace"},
        {clHighlight, "clHighlight"},
        {clHighlightText, "clHighlightText"},
        {clBtnFace, "clBtnFace"},
        {clBtnShadow, "clBtnShadow"},
        {clGrayText, "clGrayText"},
        {clBtnText, "clBtnText"},
        {clInactiveCaptionText, "clInactiveCaptionText"},
        {clBtnHighlight, "clBtnHighlight"},
        {cl3DDkShadow, "cl3DDkShadow"},
        {cl3DLight, "cl3DLight"},
        {clInfoText, "clInfoText"},
        {clInfoBk, "clInfoBk"},
        {clHotLight, "clHotLight"},
        {clGradientActiveCaption, "clGradientActiveCaption"},
        {clGradientInactiveCaption, "clGradientInactiveCaption"},
        {clMenuHighlight, "clMenuHighlight"},
        {clMenuBar, "clMenuBar"},
        {clNone, "clNone"},
        {clDefault, "clDefault"},
    }};
    return map;
}

#ifdef _WIN32
TColor ColorToRGB(TColor color) {
    if (IsSystemColor(color)) return TColor(GetSysColor(color & 0xFF));
    if (color == clDefault) return clBlack;
    return color & 0xFFFFFF;
}
#endif

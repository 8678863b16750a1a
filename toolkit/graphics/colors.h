// TColor: red + 256*green + 65536*blue; a negative value names a system colour (low byte =
// COLOR_ index) resolved when drawn; clNone and clDefault are markers, not colours.
#pragma once

#include <cstdint>

#include "toolkit/core/object.h"

using TColor = int32_t;

constexpr TColor SystemColor(int index) {
    return TColor(0xFF000000u | uint32_t(index));
}
constexpr bool IsSystemColor(TColor c) {
    return c < 0;
}
constexpr TColor RGBColor(uint8_t r, uint8_t g, uint8_t b) {
    return TColor(r | (g << 8) | (b << 16));
}
constexpr uint8_t ColorRed(TColor c) {
    return uint8_t(c);
}
constexpr uint8_t ColorGreen(TColor c) {
    return uint8_t(c >> 8);
}
constexpr uint8_t ColorBlue(TColor c) {
    return uint8_t(c >> 16);
}

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF; // the skins' key colour
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clLtGray = clSilver;
constexpr TColor clDkGray = clGray;
constexpr TColor clMoneyGreen = 0xC0DCC0;
constexpr TColor clSkyBlue = 0xF0CAA6;
constexpr TColor clCream = 0xF0FBFF;
constexpr TColor clMedGray = 0xA4A0A0;

constexpr TColor clScrollBar = SystemColor(0);
constexpr TColor clBackground = SystemColor(1);
constexpr TColor clActiveCaption = SystemColor(2);
constexpr TColor clInactiveCaption = SystemColor(3);
constexpr TColor clMenu = SystemColor(4);
constexpr TColor clWindow = SystemColor(5);
constexpr TColor clWindowFrame = SystemColor(6);
constexpr TColor clMenuText = SystemColor(7);
constexpr TColor clWindowText = SystemColor(8);
constexpr TColor clCaptionText = SystemColor(9);
constexpr TColor clActiveBorder = SystemColor(10);
constexpr TColor clInactiveBorder = SystemColor(11);
constexpr TColor clAppWorkSpace = SystemColor(12);
constexpr TColor clHighlight = SystemColor(13);
constexpr TColor clHighlightText = SystemColor(14);
constexpr TColor clBtnFace = SystemColor(15);
constexpr TColor clBtnShadow = SystemColor(16);
constexpr TColor clGrayText = SystemColor(17);
constexpr TColor clBtnText = SystemColor(18);
constexpr TColor clInactiveCaptionText = SystemColor(19);
constexpr TColor clBtnHighlight = SystemColor(20);
constexpr TColor cl3DDkShadow = SystemColor(21);
constexpr TColor cl3DLight = SystemColor(22);
constexpr TColor clInfoText = SystemColor(23);
constexpr TColor clInfoBk = SystemColor(24);
constexpr TColor clHotLight = SystemColor(26);
constexpr TColor clGradientActiveCaption = SystemColor(27);
constexpr TColor clGradientInactiveCaption = SystemColor(28);
constexpr TColor clMenuHighlight = SystemColor(29);
constexpr TColor clMenuBar = SystemColor(30);

constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

// "clBtnFace" and friends, for stored properties of colour type.
const TIdentMap& ColorIdents();

#ifdef _WIN32
// A plain red + 256*green + 65536*blue: system colours through GetSysColor; clNone and
// clDefault (not colours) give white and black.
TColor ColorToRGB(TColor color);
#endif

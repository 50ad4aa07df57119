#pragma once

#include <QColor>
#include <cstdint>

// A colour as the diagram stores it: 0x00BBGGRR for a plain colour,
// 0xFF000000 plus an index for a system colour.
using TColor = uint32_t;

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
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clMoneyGreen = 0xC0DCC0;
constexpr TColor clSkyBlue = 0xF0CAA6;
constexpr TColor clCream = 0xF0FBFF;
constexpr TColor clMedGray = 0xA4A0A0;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

constexpr TColor SystemColorBase = 0xFF000000;
constexpr TColor clWindow = SystemColorBase + 5;
constexpr TColor clWindowText = SystemColorBase + 8;
constexpr TColor clBtnFace = SystemColorBase + 15;
constexpr TColor clHighlight = SystemColorBase + 13;

namespace GraphColor {

constexpr bool IsSystemColor(TColor color)
{
    return (color & 0xFF000000) == SystemColorBase;
}

// The plain 0x00BBGGRR value; system colours resolve to the classic
// Windows defaults so that drawings look the same on every machine.
TColor ColorToRGB(TColor color);

QColor ToQColor(TColor color);
TColor FromQColor(const QColor &color);

} // namespace GraphColor

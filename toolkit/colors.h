#pragma once

#include <cstddef>
#include <cstdint>

namespace signova {

// A toolkit colour value: 0x00BBGGRR for a plain colour, 0x80000000 + n for
// the system colour n.
using TColor = std::uint32_t;

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

constexpr TColor SystemColorBase = 0x80000000;
constexpr TColor clWindow = SystemColorBase + 5;
constexpr TColor clWindowText = SystemColorBase + 8;
constexpr TColor clBtnFace = SystemColorBase + 15;
constexpr TColor clBtnShadow = SystemColorBase + 16;
constexpr TColor clBtnHighlight = SystemColorBase + 20;

// Stored with a point: the point has no colour of its own. The chart reads it
// in place of the series' colour.
constexpr TColor DefaultColor = SystemColorBase;

// A colour ready for a drawing surface.
struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    friend bool operator==(const Rgb&, const Rgb&) = default;
};

constexpr bool IsSystemColor(TColor color) {
    return (color & SystemColorBase) != 0;
}

// The RGB value of a toolkit colour; system colours resolve to the usual
// desktop defaults (button face 240,240,240; window text black ...).
Rgb ColorToRgb(TColor color);

// The colour a series shows for a DefaultColor point when every point has a
// colour of its own: a fixed palette, chosen by the point's index.
TColor PaletteColor(std::size_t index);

} // namespace signova

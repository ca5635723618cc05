#include "toolkit/colors.h"

#include <array>

namespace signova {
namespace {

constexpr Rgb FromPlain(TColor color) {
    return Rgb{static_cast<std::uint8_t>(color & 0xFF),
               static_cast<std::uint8_t>((color >> 8) & 0xFF),
               static_cast<std::uint8_t>((color >> 16) & 0xFF)};
}

// The usual desktop defaults of the system colours, by number.
constexpr std::array<Rgb, 31> SystemColors{{
    {200, 200, 200}, // scroll bar
    {0, 0, 0},       // desktop background
    {153, 180, 209}, // active caption
    {191, 205, 219}, // inactive caption
    {240, 240, 240}, // menu
    {255, 255, 255}, // window
    {100, 100, 100}, // window frame
    {0, 0, 0},       // menu text
    {0, 0, 0},       // window text
    {0, 0, 0},       // caption text
    {180, 180, 180}, // active border
    {244, 247, 252}, // inactive border
    {171, 171, 171}, // application workspace
    {0, 120, 215},   // highlight
    {255, 255, 255}, // highlight text
    {240, 240, 240}, // button face
    {160, 160, 160}, // button shadow
    {109, 109, 109}, // grey text
    {0, 0, 0},       // button text
    {0, 0, 0},       // inactive caption text
    {255, 255, 255}, // button highlight
    {105, 105, 105}, // 3D dark shadow
    {227, 227, 227}, // 3D light
    {0, 0, 0},       // info text
    {255, 255, 225}, // info background
    {0, 0, 0},       // (unused)
    {0, 102, 204},   // hot light
    {185, 209, 234}, // gradient active caption
    {215, 228, 242}, // gradient inactive caption
    {0, 120, 215},   // menu highlight
    {240, 240, 240}, // menu bar
}};

constexpr std::array<TColor, 15> Palette{clRed,  clGreen,   clYellow, clBlue,   clWhite,
                                         clGray, clFuchsia, clTeal,   clNavy,   clMaroon,
                                         clLime, clOlive,   clPurple, clSilver, clAqua};

} // namespace

Rgb ColorToRgb(TColor color) {
    if (!IsSystemColor(color))
        return FromPlain(color);
    const TColor index = color & 0xFF;
    // Anything else with the high bit set is not a colour any desktop knows.
    if ((color & 0x7FFFFF00) != 0 || index >= SystemColors.size())
        return Rgb{};
    return SystemColors[index];
}

TColor PaletteColor(std::size_t index) {
    return Palette[index % Palette.size()];
}

} // namespace signova

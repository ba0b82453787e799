#pragma once
// Colour as red, green, blue 0..255. The core stays free of QtGui, so no QColor here.

struct ColorRGB {
    int r = 0, g = 0, b = 0;
    constexpr bool operator==(const ColorRGB&) const = default;
};

namespace Colores {
inline constexpr ColorRGB Negro{0, 0, 0};
inline constexpr ColorRGB Rojo{255, 0, 0};
inline constexpr ColorRGB AzulOscuro{0, 0, 128};   // command word
inline constexpr ColorRGB Magenta{255, 0, 255};    // arguments
inline constexpr ColorRGB Verde{0, 128, 0};        // comments
inline constexpr ColorRGB Violeta{128, 0, 128};    // action line while it runs
inline constexpr ColorRGB Gris{128, 128, 128};     // welcome text
}   // namespace Colores

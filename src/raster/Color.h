#pragma once
#include <cstdint>

namespace rastrix {

// A colour as the rest of the program stores it: 0x00BBGGRR (red in the low byte).
using Color = std::uint32_t;

// What GetPixel reads outside a bitmap; no pixel has this value.
inline constexpr Color kInvalidColor = 0xFFFFFFFFu;

constexpr Color ColorFromRgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return Color(r) | (Color(g) << 8) | (Color(b) << 16);
}
constexpr std::uint8_t RedOf(Color c) { return std::uint8_t(c & 0xFF); }
constexpr std::uint8_t GreenOf(Color c) { return std::uint8_t((c >> 8) & 0xFF); }
constexpr std::uint8_t BlueOf(Color c) { return std::uint8_t((c >> 16) & 0xFF); }

// Bitmaps keep pixels as 0x00RRGGBB words (the byte order of a 32-bit display surface).
using Pixel = std::uint32_t;

constexpr Pixel ColorToPixel(Color c) {
    return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}
constexpr Color PixelToColor(Pixel p) {
    return ((p >> 16) & 0xFFu) | (p & 0xFF00u) | ((p & 0xFFu) << 16);
}

}  // namespace rastrix

#pragma once
#include <cstdint>
#include <iosfwd>
#include <type_traits>

namespace rastrix {

// Two 32-bit colour words that must never be taken for each other, so each is its own type
// and turns into the other only through ColorToPixel / PixelToColor:
//
// Color: a colour as the rest of the program stores it, 0x00BBGGRR (red in the low byte);
//        the settings file and every colour value the user picks use it.
// Pixel: a word of a bitmap, 0x00RRGGBB (the byte order of a 32-bit display surface).
//
// Each is a scoped enumeration over one 32-bit word: no implicit conversion to or from a number
// or the other type, yet to the compiler a plain integer, so a bitmap row stays an array of
// words that memcpy and the vectorised loops walk as before (a one-member struct would not be
// vectorised there). Color{word} / Pixel{word} make one from its word, ValueOf reads it.
enum class Color : std::uint32_t {};
enum class Pixel : std::uint32_t {};

static_assert(sizeof(Color) == 4 && std::is_trivially_copyable_v<Color>);
static_assert(sizeof(Pixel) == 4 && std::is_trivially_copyable_v<Pixel>);

constexpr std::uint32_t ValueOf(Color c) { return static_cast<std::uint32_t>(c); }
constexpr std::uint32_t ValueOf(Pixel p) { return static_cast<std::uint32_t>(p); }

// What GetPixel reads outside a bitmap; no pixel has this value.
inline constexpr Color kInvalidColor{0xFFFFFFFFu};

constexpr Color ColorFromRgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return Color{std::uint32_t(r) | (std::uint32_t(g) << 8) | (std::uint32_t(b) << 16)};
}
constexpr Pixel PixelFromRgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return Pixel{(std::uint32_t(r) << 16) | (std::uint32_t(g) << 8) | std::uint32_t(b)};
}

constexpr std::uint8_t RedOf(Color c) { return std::uint8_t(ValueOf(c) & 0xFFu); }
constexpr std::uint8_t GreenOf(Color c) { return std::uint8_t((ValueOf(c) >> 8) & 0xFFu); }
constexpr std::uint8_t BlueOf(Color c) { return std::uint8_t((ValueOf(c) >> 16) & 0xFFu); }
constexpr std::uint8_t RedOf(Pixel p) { return std::uint8_t((ValueOf(p) >> 16) & 0xFFu); }
constexpr std::uint8_t GreenOf(Pixel p) { return std::uint8_t((ValueOf(p) >> 8) & 0xFFu); }
constexpr std::uint8_t BlueOf(Pixel p) { return std::uint8_t(ValueOf(p) & 0xFFu); }

// The three channels only: the top byte cleared.
constexpr Color ClearTopByte(Color c) { return Color{ValueOf(c) & 0x00FFFFFFu}; }
constexpr Pixel ClearTopByte(Pixel p) { return Pixel{ValueOf(p) & 0x00FFFFFFu}; }

constexpr Pixel ColorToPixel(Color c) {
    const std::uint32_t v = ValueOf(c);
    return Pixel{((v & 0xFFu) << 16) | (v & 0xFF00u) | ((v >> 16) & 0xFFu)};
}
constexpr Color PixelToColor(Pixel p) {
    const std::uint32_t v = ValueOf(p);
    return Color{((v >> 16) & 0xFFu) | (v & 0xFF00u) | ((v & 0xFFu) << 16)};
}

// For test failure messages: "Color 0x00bbggrr" / "Pixel 0x00rrggbb".
std::ostream& operator<<(std::ostream& out, Color c);
std::ostream& operator<<(std::ostream& out, Pixel p);

}  // namespace rastrix

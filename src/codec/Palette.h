#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <memory>

#include "color/PaletteNearest.h"
#include "raster/Bitmap.h"
#include "raster/Color.h"

namespace rastrix {

// A colour value 0x00BBGGRR with its first and third bytes exchanged: 0x00RRGGBB, which a file
// stores as the bytes blue, green, red, 0. (The same word as a Bitmap pixel.)
constexpr std::uint32_t ColorRefToQuad(Color c) { return ValueOf(ColorToPixel(c)); }

// Strip-shaped images have pure blue and magenta nudged to 248 so they sort and match as
// the table expects. Both forms of the two substitutions, as colour value and as quad.
constexpr Color SubstituteStripColorRef(Color c) {
    if (c == Color{0x00FF0000u}) return Color{0x00F80000u};
    if (c == Color{0x00FF00FFu}) return Color{0x00F800F8u};
    return c;
}
constexpr std::uint32_t SubstituteStripQuad(std::uint32_t q) {
    if (q == 0x000000FFu) return 0x000000F8u;
    if (q == 0x00FF00FFu) return 0x00F800F8u;
    return q;
}

// True when the colour table should be pre-sorted: 12..32 rows, more than four times as wide.
constexpr bool IsStripShaped(int width, int height) {
    return height >= 12 && height <= 32 && width / height > 4;
}

// Asked at most once per save when a colour does not fit the full table;
// true means "continue and map further colours to the nearest entry".
using ColorLossQuestion = std::function<bool(int paletteCapacity)>;

enum class ColorLossAnswer { NotAsked, Yes, No };

inline constexpr int kPaletteDeclined = -1;
inline constexpr std::uint32_t kUntakenEntry = 0x00FFFFFFu;  // white

// The colour table of one save at 1, 4 or 8 bits: colours take indexes in the order the
// scan meets them, untaken entries stay white, and once the table is full every further
// colour maps to its nearest entry (after the user agreed once).
//
// Colour to index goes through one table addressed by the 24-bit colour itself, so a pixel
// costs one load whatever the image: it holds index + 1 for every colour met so far (the
// first index for a colour, the nearest entry for colours beyond a full table) and 0 for
// colours not met yet. Its 32 MB are reserved untouched; only the pages of the colours
// met are ever used.
class Palette {
public:
    explicit Palette(int paletteCapacity);

    // False when the colour lookup could not be had; the palette is then unusable.
    bool IsUsable() const { return lookup_ != nullptr; }

    int Capacity() const { return paletteCapacity_; }
    int Count() const { return paletteCount_; }
    bool StripMode() const { return stripMode_; }
    ColorLossAnswer Answer() const { return colorLossAnswer_; }
    // Capacity() quads, untaken ones white.
    const std::uint32_t* Entries() const { return entries_.data(); }

    // For strip-shaped images: collects the colours bottom row first, each row from the
    // left, until the table is full, then sorts them by colour value with the strip
    // substitutions applied. Turns on strip mode for every later lookup.
    void PresortStripPalette(const Bitmap& image);

    // Index of a colour, or kPaletteDeclined when the table is full and the user declined.
    int PaletteIndexOf(Color c, const ColorLossQuestion& ask);

    // Indexes of a row of bitmap pixels (top byte ignored), from the left. False when the
    // user declined; the row is then partly written. Rows are met bottom-up, against the
    // way memory runs, so the row to come next (if any) is fetched ahead meanwhile.
    bool IndexRow(const Pixel* src, int width, std::uint8_t* indexes, const ColorLossQuestion& ask,
                  const Pixel* nextRow = nullptr);

private:
    struct LookupDeleter {
        void operator()(std::uint16_t* p) const;
    };

    int IndexOfQuad(std::uint32_t q, const ColorLossQuestion& ask);
    int IndexOfNewColor(std::uint32_t q, const ColorLossQuestion& ask);
    bool IndexRowScalar(const Pixel* src, int width, std::uint8_t* indexes, const ColorLossQuestion& ask);

    int paletteCapacity_;
    int paletteCount_ = 0;
    bool stripMode_ = false;
    ColorLossAnswer colorLossAnswer_ = ColorLossAnswer::NotAsked;
    std::array<std::uint32_t, 256> entries_;
    NearestColor nearest_;
    std::unique_ptr<std::uint16_t[], LookupDeleter> lookup_;
};

}  // namespace rastrix

#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <memory>

#include "document/PaletteNearest.h"
#include "raster/Bitmap.h"
#include "raster/Color.h"

namespace rastrix {

// A COLORREF 0x00BBGGRR with its first and third bytes exchanged: 0x00RRGGBB, which a file
// stores as the bytes blue, green, red, 0. (The same word as a Bitmap pixel.)
constexpr std::uint32_t ColorRefToQuad(Color c) {
    return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}

// Strip-shaped images have pure blue and magenta nudged to 248 so they sort and match as
// the table expects. Both forms of the two substitutions, as COLORREF and as quad.
constexpr Color SubstituteStripColorRef(Color c) {
    if (c == 0x00FF0000u) return 0x00F80000u;
    if (c == 0x00FF00FFu) return 0x00F800F8u;
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
using ColourLossQuestion = std::function<bool(int paletteCapacity)>;

enum class ColorLossAnswer { NotAsked, Yes, No };

inline constexpr int kPaletteDeclined = -1;
inline constexpr std::uint32_t kUntakenEntry = 0x00FFFFFFu;  // white

// Colour to first table index, open addressing on the 24-bit colour. Sized for 256
// colours at a quarter load so a lookup is nearly always one probe.
class PaletteIndexMap {
public:
    PaletteIndexMap() { keys_.fill(kEmpty); }
    int Find(std::uint32_t quad) const {
        for (std::uint32_t s = Slot(quad);; s = (s + 1) & kMask) {
            if (keys_[s] == quad) return values_[s];
            if (keys_[s] == kEmpty) return -1;
        }
    }
    // Keeps the first index given for a colour.
    void InsertIfAbsent(std::uint32_t quad, int index);
    void Clear() { keys_.fill(kEmpty); }

private:
    static constexpr std::uint32_t kBits = 10;
    static constexpr std::uint32_t kMask = (1u << kBits) - 1;
    static constexpr std::uint32_t kEmpty = 0xFFFFFFFFu;  // never a 24-bit colour
    static std::uint32_t Slot(std::uint32_t q) { return (q * 0x9E3779B1u) >> (32 - kBits); }
    std::array<std::uint32_t, 1u << kBits> keys_;
    std::array<std::uint8_t, 1u << kBits> values_{};
};

// The colour table of one save at 1, 4 or 8 bits: colours take indexes in the order the
// scan meets them, untaken entries stay white, and once the table is full every further
// colour maps to its nearest entry (after the user agreed once).
class Palette {
public:
    explicit Palette(int paletteCapacity);

    int Capacity() const { return paletteCapacity_; }
    int Count() const { return paletteCount_; }
    bool StripMode() const { return stripMode_; }
    ColorLossAnswer Answer() const { return colorLossAnswer_; }
    // Capacity() quads, untaken ones white.
    const std::uint32_t* Entries() const { return entries_.data(); }

    // For strip-shaped images: collects the colours bottom row first, each row from the
    // left, until the table is full, then sorts them by COLORREF value with the strip
    // substitutions applied. Turns on strip mode for every later lookup.
    void PresortStripPalette(const Bitmap& image);

    // Index of a colour, or kPaletteDeclined when the table is full and the user declined.
    int PaletteIndexOf(Color c, const ColourLossQuestion& ask) {
        return IndexOfPixel(ColorToPixel(c), ask);
    }

    // The same for a bitmap pixel word (0x00RRGGBB, top byte ignored); the writer's hot path.
    int IndexOfPixel(Pixel p, const ColourLossQuestion& ask) {
        std::uint32_t q = p & 0x00FFFFFFu;
        if (stripMode_) q = SubstituteStripQuad(q);
        if (nearestCache_) {
            const std::uint16_t v = nearestCache_[q];
            if (v != 0) return v - 1;
        } else {
            const int i = map_.Find(q);
            if (i >= 0) return i;
        }
        return IndexOfNewColor(q, ask);
    }

private:
    struct FreeDeleter {
        void operator()(std::uint16_t* p) const;
    };

    int IndexOfNewColor(std::uint32_t q, const ColourLossQuestion& ask);
    void StartNearestMapping();

    int paletteCapacity_;
    int paletteCount_ = 0;
    bool stripMode_ = false;
    ColorLossAnswer colorLossAnswer_ = ColorLossAnswer::NotAsked;
    std::array<std::uint32_t, 256> entries_;
    PaletteIndexMap map_;
    NearestColor nearest_;
    // Once the table is full: index + 1 for every 24-bit colour seen so far (0 = not yet),
    // so the nearest entry is worked out once per distinct colour. Pages are only touched
    // for the colours met. Null when it could not be had; then each miss is recomputed.
    std::unique_ptr<std::uint16_t[], FreeDeleter> nearestCache_;
};

}  // namespace rastrix

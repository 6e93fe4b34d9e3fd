#pragma once
#include <array>
#include <cstdint>

#include "raster/Bitmap.h"
#include "raster/Color.h"

namespace rastrix {

// Brush kinds and hatch styles, numbered as the platform numbers them.
enum BrushStyle : int {
    BS_SOLID = 0,
    BS_NULL = 1,  // hollow: paints nothing
    BS_HATCHED = 2,
    BS_PATTERN = 3,
};

enum HatchStyle : int {
    HS_HORIZONTAL = 0,
    HS_VERTICAL = 1,
    HS_FDIAGONAL = 2,
    HS_BDIAGONAL = 3,
    HS_CROSS = 4,
    HS_DIAGCROSS = 5,
};

// The 8x8 bits of a hatch, top row first, bit 0x80 the leftmost column. Set bits take the
// brush colour, clear bits the background. An unknown style gives an empty hatch.
std::array<std::uint8_t, 8> HatchBits(int hatchStyle);

// How an area is painted. A small value; copy freely.
struct Brush {
    int style = BS_SOLID;
    Color color = ColorFromRgb(255, 255, 255);
    int hatch = HS_HORIZONTAL;
    // Pattern brushes: the tile, row-major, top row first, as stored pixels (0x00RRGGBB).
    std::array<Pixel, 64> pattern{};

    static Brush Null();
    static Brush Solid(Color c);
    static Brush Hatched(int hatchStyle, Color c);
    // Takes the top-left 8x8 pixels of the bitmap; a smaller bitmap is repeated to fill 8x8
    // (exact for 1, 2 and 4 pixel tiles). An empty bitmap gives a null brush. A two-colour
    // tile is simply a bitmap holding only black and white, the usual form of a monochrome
    // pattern once its bits are turned into those two colours.
    static Brush Pattern(const Bitmap& tile);

    bool IsNull() const { return style == BS_NULL; }
    friend bool operator==(const Brush&, const Brush&) = default;
};

}  // namespace rastrix

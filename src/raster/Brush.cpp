#include "raster/Brush.h"

namespace rastrix {

std::array<std::uint8_t, 8> HatchBits(int hatchStyle) {
    switch (hatchStyle) {
        case HS_HORIZONTAL: return {0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0x00};
        case HS_VERTICAL: return {0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08};
        case HS_FDIAGONAL: return {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01};
        case HS_BDIAGONAL: return {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80};
        case HS_CROSS: return {0x08, 0x08, 0x08, 0xFF, 0x08, 0x08, 0x08, 0x08};
        case HS_DIAGCROSS: return {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81};
        default: return {};
    }
}

Brush Brush::Null() {
    Brush b;
    b.style = BS_NULL;
    return b;
}

Brush Brush::Solid(Color c) {
    Brush b;
    b.style = BS_SOLID;
    b.color = ClearTopByte(c);
    return b;
}

Brush Brush::Hatched(int hatchStyle, Color c) {
    Brush b;
    b.style = BS_HATCHED;
    b.color = ClearTopByte(c);
    b.hatch = hatchStyle;
    return b;
}

Brush Brush::Pattern(const Bitmap& tile) {
    if (tile.IsEmpty()) return Null();
    Brush b;
    b.style = BS_PATTERN;
    for (int y = 0; y < 8; ++y) {
        const Pixel* row = tile.Row(y % tile.Height());
        for (int x = 0; x < 8; ++x) b.pattern[std::size_t(y * 8 + x)] = ClearTopByte(row[x % tile.Width()]);
    }
    return b;
}

}  // namespace rastrix

#pragma once
#include <array>
#include <cstdint>

#include "raster/Bitmap.h"
#include "raster/Brush.h"
#include "raster/Geometry.h"

namespace rastrix {

// What spans of pixels are painted with, resolved once per drawing call from a brush (or pen
// colour), the background colour and mode, and the brush origin. Internal to the raster layer.
struct SpanFill {
    enum Kind { None, Solid, Tile } kind = None;
    Pixel solid{0};
    std::array<Pixel, 64> tile{};  // 8x8, row-major
    std::array<std::uint8_t, 8> paint{};  // per tile row: bit 0x80 >> column set = painted
    bool everyPixel = true;  // false when some tile pixels are left untouched
    int orgX = 0;
    int orgY = 0;
};

SpanFill MakeSolidFill(Color c);
SpanFill MakeBrushFill(const Brush& brush, Color background, bool opaqueBackground, Point origin);

// Paints columns [x0, x1) of row y; the span is clipped to the bitmap here, per call.
void FillSpan(Bitmap& bmp, int y, int x0, int x1, const SpanFill& fill);
// Paints the rectangle (assumed normalised), clipped to the bitmap once.
void FillArea(Bitmap& bmp, Rect r, const SpanFill& fill);

}  // namespace rastrix

#pragma once
#include <array>
#include <cstdint>
#include <span>

#include "raster/Bitmap.h"

namespace rastrix {

// Colour table as ready pixels; entries the file does not hold are black.
using BmpPalette = std::array<Pixel, 256>;

// Decodes 8-bit or 4-bit run-length data into `out` (already sized and black), bottom row
// first. Runs past a row's end are clipped and skipped pixels keep their colour. Returns false
// when the data stop before an end-of-bitmap code and before the top row has been passed.
bool DecodeRle(std::span<const std::uint8_t> data, bool fourBit, const BmpPalette& palette, Bitmap& out);

}  // namespace rastrix

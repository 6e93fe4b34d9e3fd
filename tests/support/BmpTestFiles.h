#pragma once
// Builds small BMP files in memory for the reader's tests, written field by field so the
// tests do not depend on the code they check.
#include <cstdint>
#include <functional>
#include <optional>
#include <ostream>
#include <vector>

#include "raster/Bitmap.h"

namespace rastrix {

// Shows failing bitmaps as rows of hex pixels instead of raw bytes.
void PrintTo(const Bitmap& b, std::ostream* os);

}  // namespace rastrix

namespace rastrix::testing {

using Bytes = std::vector<std::uint8_t>;

struct TestBmp {
    std::uint32_t headerSize = 40;  // 12 writes the old OS/2 header (16-bit sizes, 3-byte colours)
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t planes = 1;
    std::uint16_t bitCount = 24;
    std::uint32_t compression = 0;
    std::vector<Pixel> palette;                // 0x00RRGGBB, written blue, green, red
    std::optional<std::uint32_t> colorsUsed;  // default: the palette's size
    std::vector<std::uint32_t> masks;          // after a 40-byte header, else inside the header
    std::size_t gap = 0;                       // filler bytes between colour table and pixels
    Bytes pixels;                              // the stored pixel data
};

Bytes BuildBmp(const TestBmp& recipe);

// Byte offsets of header fields, for tests that damage a file.
inline constexpr std::size_t kOffPixelOffset = 10, kOffHeaderSize = 14, kOffWidth = 18, kOffHeight = 22,
                             kOffPlanes = 26, kOffBitCount = 28, kOffCompression = 30, kOffColorsUsed = 46;

void Put16(Bytes& b, std::size_t at, std::uint32_t v);
void Put32(Bytes& b, std::size_t at, std::uint32_t v);

// Stores rows of `bits`-bit values (indexes up to 8 bits; 16/32-bit words little-endian;
// 24 bits as blue, green, red of 0xRRGGBB), padded to 4 bytes, bottom row first unless topDown.
Bytes StoreRows(int width, int height, int bits, bool topDown, const std::function<std::uint32_t(int, int)>& value);

// Distinct colours whose red and blue always differ, so swapped channels show.
std::vector<Pixel> TestPalette(int count);

// Widening of a `mask`-wide channel to 8 bits, rounded to nearest, computed in floating point.
std::uint32_t ExpandChannel(std::uint32_t value, std::uint32_t mask);

// Upside-down copy, to prove a test image is not symmetric.
Bitmap FlippedRows(const Bitmap& b);

// Pixel maps: each character is an index into `palette`, '.' is black; rows top first.
Bitmap FromMap(const std::vector<const char*>& rows, const std::vector<Pixel>& palette);

}  // namespace rastrix::testing

#pragma once
#include <cstdint>
#include <optional>
#include <span>

#include "codec/BmpReader.h"

namespace rastrix {

// True when the bytes start with the PNG signature.
bool IsPng(std::span<const std::uint8_t> bytes);

// Decodes a PNG picture held in memory into opaque pixels: palette, grey and colour pictures
// of every bit depth; transparency (an alpha channel or a tRNS chunk) is laid on white and
// 16-bit channels are rounded to 8 bits (PictureConversion.h). The size is checked against
// kBmpMaxSide and kBmpMaxPixels before any pixel memory is taken, and pixels are decoded a row
// at a time straight into the bitmap. Damaged or cut-short data is refused, never half shown.
BmpReadResult DecodePng(std::span<const std::uint8_t> bytes);

// The width and height the picture's header gives, read without decoding; nothing when the
// header cannot be read.
struct PictureSize {
    int width = 0;
    int height = 0;
};
std::optional<PictureSize> PngHeaderSize(std::span<const std::uint8_t> bytes);

}  // namespace rastrix

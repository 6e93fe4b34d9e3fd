#pragma once
#include <cstdint>
#include <span>

#include "codec/BmpReader.h"
#include "codec/PictureOptions.h"

namespace rastrix {

// True when the bytes start with the PNG signature.
bool IsPng(std::span<const std::uint8_t> bytes);

// Decodes a PNG picture held in memory into opaque pixels: palette, grey and colour pictures
// of every bit depth; transparency (an alpha channel or a tRNS chunk) is laid on white (or the
// options' background, and kept beside the pixels when they ask for it) and
// 16-bit channels are rounded to 8 bits (PictureConversion.h). The size is checked against
// kBmpMaxSide and kBmpMaxPixels before any pixel memory is taken, and pixels are decoded a row
// at a time straight into the bitmap. Damaged or cut-short data is refused, never half shown.
BmpReadResult DecodePng(std::span<const std::uint8_t> bytes, const PictureOptions& options = {});

}  // namespace rastrix

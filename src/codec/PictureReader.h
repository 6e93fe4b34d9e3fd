#pragma once
#include <cstdint>
#include <span>

#include "codec/BmpReader.h"

namespace rastrix {

// Decodes a BMP, PNG or JPEG file held in memory, told apart by its first bytes (not by its
// name): DecodeBmp, DecodePng or DecodeJpeg. Anything else is refused as NotPicture.
// `finished` is passed to DecodeBmp.
BmpReadResult DecodePicture(std::span<const std::uint8_t> bytes, const ReadFinished& finished = {});

}  // namespace rastrix

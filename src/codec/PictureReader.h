#pragma once
#include <cstdint>
#include <span>

#include "codec/BmpReader.h"
#include "codec/PictureOptions.h"

namespace rastrix {

// Decodes a BMP, PNG or JPEG file held in memory, told apart by its first bytes (not by its
// name): DecodeBmp, DecodePng or DecodeJpeg. Anything else is refused as NotPicture.
// `finished` is passed to DecodeBmp.
BmpReadResult DecodePicture(std::span<const std::uint8_t> bytes, const ReadFinished& finished = {});

// The same with the options for PNG and JPEG files (a BMP file is read as always).
BmpReadResult DecodePicture(std::span<const std::uint8_t> bytes, const PictureOptions& options,
                            const ReadFinished& finished = {});

}  // namespace rastrix

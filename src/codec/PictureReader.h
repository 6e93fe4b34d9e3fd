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
// DecodePicture, the picture then turned upright as `orientation` (its EXIF orientation, 1..8)
// says (TurnUpright); a JPEG picture whose turn swaps its sides is turned as it is decoded
// (DecodeJpegTurned), so it is never held twice. An out-of-memory turn is refused as OutOfMemory.
BmpReadResult DecodeUpright(std::span<const std::uint8_t> bytes, int orientation, const PictureOptions& options,
                            const ReadFinished& finished = {});

// For bytes that arrive a piece at a time (a pipe): whether the first bytes of a file already
// show that DecodePicture would refuse the whole of it, and why; None while they can still
// start a picture or are too few to tell. `whole` says the bytes are all there is. Tells:
// no BMP, PNG or JPEG signature (NotPicture), a PNG whose first chunk is not its header, a JPEG
// whose first marker cannot be one, and any header error of a BMP file, which the header
// decides alone. kPictureStartBytes are always enough to tell.
BmpError PictureStartError(std::span<const std::uint8_t> first, bool whole);
inline constexpr std::size_t kPictureStartBytes = kBmpHeaderReadBytes;

// Why DecodePicture refused the bytes, in the words for what they hold: a PNG or JPEG file is
// "the picture", a BMP file "the bitmap" (BmpErrorMessage).
std::string_view PictureErrorMessage(std::span<const std::uint8_t> bytes, BmpError error);

}  // namespace rastrix

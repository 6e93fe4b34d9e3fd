#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string_view>

#include "codec/BmpHeader.h"
#include "raster/Bitmap.h"

namespace rastrix {

struct BmpImage {
    Bitmap bitmap;
    int bitDepth = 0;         // the file's bit count (1, 2, 4, 8, 16, 24 or 32); PictureBitDepth
                              // of a PNG or JPEG picture
    bool incomplete = false;  // run-length data ended early; rows it never reached are black
    // A PNG picture's alpha when PictureOptions::keepAlpha asked for it and the picture has
    // transparency: the bitmap's size, the alpha (255 opaque) in each of a pixel's three bytes,
    // so it scales like the picture. The bitmap then holds the colours laid on the background.
    std::optional<Bitmap> alpha;
};

struct BmpReadResult {
    std::optional<BmpImage> image;
    BmpError error = BmpError::None;
    std::string_view Message() const { return BmpErrorMessage(error); }
};

// Decodes a whole BMP file held in memory. Never reads outside `bytes` and checks every size
// before allocating. Rules for damaged pixel data:
// - a colour index beyond the file's colour table gives black;
// - run-length data that runs past a row's end or the image's top is clipped; pixels it skips
//   with deltas or early line ends stay black; data that stops early leaves the rest black and
//   sets `incomplete`;
// - uncompressed rows cut short are refused (only the last row's padding may be missing).
// Pixels stored as PNG or JPEG data (compression 4 and 5) are decoded by DecodePng and
// DecodeJpeg, whose pictures must be of the header's size.
// While uncompressed rows are decoded, `finished` (when given) is told now and then how many
// bytes from the file's start the reader will not look at again, so that a caller holding a
// mapped file can let those pages go while the bitmap fills.
using ReadFinished = std::function<void(std::size_t bytesFromStart)>;
BmpReadResult DecodeBmp(std::span<const std::uint8_t> bytes, const ReadFinished& finished = {});

}  // namespace rastrix

#pragma once
#include <cstdint>
#include <optional>
#include <span>

#include "codec/BmpReader.h"
#include "codec/PictureOptions.h"
#include "codec/PictureRows.h"

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

// DecodePng without a bitmap of the whole picture: each row goes to `sink` as it is decoded, so
// a large picture is never held whole (an interlaced one, whose rows come in seven passes, is
// decoded whole first and handed out after). On success the image's bitmap is empty. A picture
// found damaged part way has had its first rows handed out already. `finished`, when given, is
// told after each row how many bytes from the file's start the decoder has read and will not
// look at again (as for DecodeBmp), so a caller holding a mapped file can let those pages go.
BmpReadResult DecodePngRows(std::span<const std::uint8_t> bytes, const PictureOptions& options, PictureRowSink& sink,
                            const ReadFinished& finished = {});

// The width and height the picture's header gives, read without decoding; nothing when the
// header cannot be read.
struct PictureSize {
    int width = 0;
    int height = 0;
};
std::optional<PictureSize> PngHeaderSize(std::span<const std::uint8_t> bytes);

}  // namespace rastrix

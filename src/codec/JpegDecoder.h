#pragma once
#include <cstdint>
#include <span>

#include "codec/BmpReader.h"
#include "codec/PictureOptions.h"
#include "codec/PictureRows.h"
#include "codec/PngDecoder.h"
#include "raster/Turn.h"

namespace rastrix {

// True when the bytes start with a JPEG start-of-image marker.
bool IsJpeg(std::span<const std::uint8_t> bytes);

// Decodes a JPEG picture held in memory (baseline or progressive, colour or grey) into pixels:
// colour pictures count as 24 bits, grey ones as 8. The size is checked against kBmpMaxSide
// and kBmpMaxPixels before any pixel memory is taken. Damaged or cut-short data (which the
// library would only warn about) is refused, and so is a file without its end marker, a
// progressive file with an absurd number of scans or scans that pass over the picture far more
// often than encoders write them, and a picture in several scans whose coefficients would need
// more memory than the largest image's pixels: all of these before the library sees the file.
// CMYK and YCCK pictures are turned into RGB (24 bits) unless the options refuse them, and the
// options may let the picture be decoded at 1/2, 1/4 or 1/8 size. With `overlapRows` and a
// core spare, the picture is decoded in bands of rows that the second core puts in place.
BmpReadResult DecodeJpeg(std::span<const std::uint8_t> bytes, const PictureOptions& options = {});

// DecodeJpeg without a bitmap of the whole picture: each row goes to `sink` as it is decoded
// (with `overlapRows`, decoded on one core while a second one hands the rows already decoded
// to the sink). On success the image's bitmap is empty. A picture found damaged part way has
// had its first rows handed out already. `finished`, when given, is told after each row how many
// bytes from the file's start the decoder has taken in (as for DecodePngRows).
BmpReadResult DecodeJpegRows(std::span<const std::uint8_t> bytes, const PictureOptions& options, PictureRowSink& sink,
                             const ReadFinished& finished = {});

// DecodeJpeg, the picture turned as it is decoded (a band of rows at a time, each turned into
// place; with `overlapRows`, on a second core while the first decodes the next band), so it is
// never held twice. Gives what DecodeJpeg and TurnArea of the whole picture give.
BmpReadResult DecodeJpegTurned(std::span<const std::uint8_t> bytes, Turn turn, const PictureOptions& options = {});

// The width and height of the frame header, read without decoding (PngHeaderSize).
std::optional<PictureSize> JpegHeaderSize(std::span<const std::uint8_t> bytes);

}  // namespace rastrix

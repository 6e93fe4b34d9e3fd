#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "codec/BmpLayout.h"
#include "color/IndexImage.h"
#include "codec/Palette.h"
#include "store/FileOps.h"
#include "raster/Bitmap.h"

namespace rastrix {

enum class EncodeStatus {
    Ok,
    Declined,     // the user answered No to the colour-loss question; nothing to write
    OutOfMemory,  // no buffer could be had for the file
    TooLarge,     // the file would not fit the header's 32-bit sizes
    TooManyColors,  // a given palette has more entries than the depth holds, or none
    NotInPalette,   // a pixel is not a colour of the palette it was to be written with
};

// A message for the failures the user did not choose; empty for Ok, Declined and NotInPalette.
std::string_view EncodeStatusMessage(EncodeStatus status);

// Makes `buffer` exactly `bytes` long (a file's whole size), reusing its room: TooLarge past
// what a vector can hold, OutOfMemory when the memory cannot be had, else Ok. Never throws.
EncodeStatus SizeFileBuffer(std::vector<std::uint8_t>& buffer, std::uint64_t bytes);

// A BMP file of an image, ready to be written piece by piece (see WriteFileAtomically).
struct BmpFileBytes {
    EncodeStatus status = EncodeStatus::Ok;
    int saveDepth = 24;      // the depth written: 1, 4, 8 or 24
    std::uint64_t size = 0;  // the file's size in bytes
    ByteSource pieces;       // the file's bytes when status is Ok
};

// The one way to write an image as a BMP file of 1, 4 or 8 bits (anything else is 24 bits),
// rows stored bottom row first; never throws. When the image has more colours than a table of
// the depth holds, `ask` is asked once (no one to ask is No) and No gives Declined, nothing
// written. At 24 bits nothing is built ahead: each piece is about 8 MB of rows encoded when it is asked
// for, so a large image is written without a buffer of the file's size (the image must stay as
// it is until the last piece). At 1, 4 and 8 bits the colour table is known only after the
// last row, so the whole file is built first into `buffer` (the colour-loss question is asked
// then, before anything is written), and the one piece is the buffer.
BmpFileBytes EncodeBmpPieces(const Bitmap& image, int depth, const ColorLossQuestion& ask,
                             std::vector<std::uint8_t>& buffer);

// An image already mapped to a palette (see PaletteMapping.h), written at 1, 4 or 8 bits with
// that palette as its colour table, in its order: index i is entry i in every file. A palette
// shorter than the depth's 2, 16 or 256 entries is followed by white entries, as the editor
// leaves entries no colour took; no index points at them. Depth 0 (or any depth but 1, 4 and 8)
// takes the smallest that holds the palette. TooManyColours when the palette is empty or longer
// than the depth holds. Every index must be below the palette's size. No question is asked.
// The header's colours-used field gives the table's entries (2, 16 or 256): small readers size
// their table from it.
BmpFileBytes EncodeIndexedBmpPieces(const IndexImage& image, std::span<const Pixel> palette, int depth,
                                    std::vector<std::uint8_t>& buffer);

// The same for an image whose pixels are all colours of the palette (as Reduce Colours leaves
// it): each pixel is written as the first index of its colour. NotInPalette, with nothing to
// write, as soon as a pixel is some other colour.
BmpFileBytes EncodePaletteBmpPieces(const Bitmap& image, std::span<const Pixel> palette, int depth,
                                    std::vector<std::uint8_t>& buffer);

// The same built whole, for small files made to be kept in memory.
struct EncodedBmp {
    EncodeStatus status = EncodeStatus::Ok;
    int saveDepth = 24;               // the depth actually written: 1, 4, 8 or 24
    std::vector<std::uint8_t> bytes;  // the whole file when status is Ok, else empty
};
EncodedBmp EncodeIndexedBmp(const IndexImage& image, std::span<const Pixel> palette, int depth);

// The smallest of the depths 1, 4 and 8 whose table holds `colours` entries; 0 above 256.
int SmallestIndexedDepth(std::size_t colors);

}  // namespace rastrix

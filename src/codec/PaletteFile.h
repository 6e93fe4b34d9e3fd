#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "color/FixedPalettes.h"
#include "store/FileOps.h"

namespace rastrix {

// A palette read from a file, or why it could not be read (error empty on success).
struct PaletteFileResult {
    PaletteColours colours;
    std::string error;
};

// Palette files longer than this are refused: 256 colour lines with generous comments fit
// in a few kilobytes, and a BMP's colour table ends within its first 1,200 bytes.
inline constexpr std::size_t kMaxPaletteFileBytes = 64 * 1024;

// A text list of colours, one `#RRGGBB` (hex digits of either case) a line, in order. Blank
// lines and lines whose first non-blank character is ';' or '#' followed by a space or
// nothing are comments; so is anything after a colour and a space. Leading and trailing
// blanks and a CR before the line end are ignored. Anything else, or more than 256 colours,
// or none at all, is an error naming the line.
PaletteFileResult ParsePaletteText(std::string_view text);

// The colour table of a BMP file of 1, 2, 4 or 8 bits, in the file's order (the entries the
// header declares that lie before the pixels); `bytes` need hold only the file's start.
PaletteFileResult PaletteFromBmp(std::span<const std::uint8_t> bytes);

// Reads a palette file: a BMP (it starts with "BM") or a text list as above.
PaletteFileResult ReadPaletteFile(FileSystem& files, const std::string& path);

// The same from the first bytes of a palette file (at most kMaxPaletteFileBytes of it) and
// the file's whole size, however they were had (a pipe is read, not sized).
PaletteFileResult PaletteFromFileStart(std::span<const std::uint8_t> bytes, std::uint64_t fileSize);

}  // namespace rastrix

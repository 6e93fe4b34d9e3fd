#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "color/FixedPalettes.h"
#include "store/FileOps.h"

namespace rastrix {

// A palette read from a file, or why it could not be read (error empty on success).
struct PaletteFileResult {
    PaletteColors colors;
    std::string error;
};

// Palette files longer than this are refused: 256 colour lines with generous comments fit
// in a few kilobytes, and a BMP's colour table ends within its first 1,200 bytes.
inline constexpr std::size_t kMaxPaletteFileBytes = 64 * 1024;

// A text list of colours, one a line, in order: `#RRGGBB`, `RRGGBB` (a Lospec .hex file) or
// `AARRGGBB` (a paint.net .txt file; the alpha is not used), hex digits of either case. Blank
// lines and lines whose first non-blank character is ';' or '#' followed by a space or nothing
// are comments; so is anything after a colour and a space. Leading and trailing blanks and a CR
// before the line end are ignored. Anything else, or more than 256 colours, or none at all, is
// an error naming the line.
PaletteFileResult ParsePaletteText(std::string_view text);

// A JASC-PAL file (Paint Shop Pro's .pal): the lines "JASC-PAL", "0100", the number of colours
// (1..256), then that many lines of red, green and blue as decimal numbers 0..255 apart by
// blanks. A count that disagrees with the colour lines, or a bad line, is an error naming it.
PaletteFileResult ParseJascPalette(std::string_view text);

// A GIMP palette (.gpl): the line "GIMP Palette", then lines of red, green and blue (decimal
// 0..255, apart by blanks) with an optional name after them; "Name:" and "Columns:" lines,
// lines starting with '#' and blank lines are not colours. At most 256 colours.
PaletteFileResult ParseGimpPalette(std::string_view text);

// An Adobe colour table (Photoshop's .act): 256 red, green, blue triples (768 bytes), or 772
// bytes whose last four are the number of colours used and the transparent index, each a 16-bit
// big-endian number; then only that many colours are the palette (1..256).
PaletteFileResult PaletteFromAct(std::span<const std::uint8_t> bytes);

// The colour table of a BMP file of 1, 2, 4 or 8 bits, in the file's order (the entries the
// header declares that lie before the pixels); `bytes` need hold only the file's start.
PaletteFileResult PaletteFromBmp(std::span<const std::uint8_t> bytes);

// A palette file's bytes, told apart by their content, not by the file's name: a BMP (it starts
// with "BM"), a JASC-PAL or GIMP file (by their first line), a text list as above, or, for
// 768 or 772 bytes that are no such text, an Adobe colour table.
PaletteFileResult ParsePaletteBytes(std::span<const std::uint8_t> bytes);

// Reads a palette file (at most kMaxPaletteFileBytes) and parses it as ParsePaletteBytes does.
PaletteFileResult ReadPaletteFile(FileSystem& files, const std::string& path);

// The same from the first bytes of a palette file (at most kMaxPaletteFileBytes of it) and
// the file's whole size, however they were had (a pipe is read, not sized).
PaletteFileResult PaletteFromFileStart(std::span<const std::uint8_t> bytes, std::uint64_t fileSize);

// A palette's name (PaletteByName), or else a palette file of that name: the colours (or the
// number to choose), or an error that names both ("'x' is neither a palette (...) nor a palette
// file: ...").
PaletteChoice PaletteByNameOrFile(std::string_view nameOrFile, FileSystem& files);
// The same with the file read by `readFile` (a pipe, say).
PaletteChoice PaletteByNameOrFile(std::string_view nameOrFile,
                                  const std::function<PaletteFileResult(const std::string&)>& readFile);

}  // namespace rastrix

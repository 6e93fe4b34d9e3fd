#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "codec/BmpHeader.h"
#include "color/FixedPalettes.h"
#include "store/FileOps.h"

namespace rastrix {

// Why a palette file gives no colours, with the facts the front ends word it from.
struct PaletteFileProblem {
    enum class Kind : std::uint8_t {
        None,
        Unread,           // the file could not be read: failure
        ReaderFailed,     // a reader of the caller's own (a pipe's) failed: text is its reason
        TooLarge,         // longer than `limit` bytes and no BMP
        Bmp,              // a BMP file whose colour table cannot be had: bmpError
        NoColorTable,     // a BMP file of more than 8 bits
        NoFormat,         // binary data that is no BMP file nor Adobe colour table
        ActLength,        // an Adobe colour table of another size than 768 or 772 bytes
        ActCount,         // an Adobe colour table that says it holds `count` colours, not 1 to `limit`
        NotHexColor,      // `line` of a colour list (`text`) is no colour
        TooManyColors,    // `line` of a colour list or GIMP palette is colour `limit` + 1
        NoHexColors,      // a colour list without colours
        JascHeader,       // `line` 1 or 2 of a JASC-PAL file is not "JASC-PAL" or "0100"
        JascCount,        // line 3 of a JASC-PAL file (`text`) is no number of colours from 1 to `limit`
        NotJascColor,     // `line` of a JASC-PAL file (`text`) is no colour
        JascMoreColors,   // `line` of a JASC-PAL file is a colour past the `count` line 3 gives
        JascFewerColors,  // a JASC-PAL file holds `held` colours, line 3 says `count`
        GimpHeader,       // line 1 of a GIMP palette is not "GIMP Palette"
        NotGimpColor,     // `line` of a GIMP palette (`text`) is no colour
        NoGimpColors,     // a GIMP palette without colours
    };
    Kind kind = Kind::None;
    int line = 0;             // the line of a text file, from 1
    std::string text{};       // that line, trimmed; ReaderFailed: the reader's reason
    std::size_t count = 0;    // the number of colours the file says it holds
    std::size_t held = 0;     // the colours it holds
    std::size_t limit = 0;    // the most colours a palette holds; TooLarge: the most bytes read
    BmpError bmpError = BmpError::None;
    FileFailure failure{};  // Unread
    friend bool operator==(const PaletteFileProblem&, const PaletteFileProblem&) = default;
};

// A palette read from a file, or why it could not be read (kind None on success).
struct PaletteFileResult {
    PaletteColors colors;
    PaletteFileProblem problem;
    bool Ok() const { return problem.kind == PaletteFileProblem::Kind::None; }
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

// A palette's name, or else a palette file's colours.
struct PaletteOrFile {
    PaletteChoice choice;     // the colours (or the number to choose); its problem is the name's
    PaletteFileProblem file;  // set when the name is no palette's and the file of that name gave none
    bool Ok() const { return choice.Ok(); }
};

// A palette's name (PaletteByName), or else a palette file of that name: the colours (or the
// number to choose), or both problems, the name's (Unknown) and the file's. An "optimised:"
// name is never taken for a file.
PaletteOrFile PaletteByNameOrFile(std::string_view nameOrFile, FileSystem& files);
// The same with the file read by `readFile` (a pipe, say).
PaletteOrFile PaletteByNameOrFile(std::string_view nameOrFile,
                                  const std::function<PaletteFileResult(const std::string&)>& readFile);

}  // namespace rastrix

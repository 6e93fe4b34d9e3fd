#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "raster/Color.h"
#include "raster/Limits.h"

namespace rastrix {

// A colour table given by the user, in the order it is written: entry i is index i in every
// file made with it, as bitmap pixels; at most 256 of them.
using PaletteColors = std::vector<Pixel>;

inline constexpr int kMaxPaletteColors = 256;

// Reduce Colours' two numbers, declared here once: the checks, the dialog, rastrix-batch's
// options and every message that names the bounds read them.
inline constexpr Limits kOptimisedColorLimits{2, kMaxPaletteColors};  // colours of an optimised palette
inline constexpr Limits kThresholdLimits{0, 100};  // a threshold, as a share of white in per cent

// The palettes that come with the program, darkest or black first.
PaletteColors BlackWhitePalette();      // black, white
PaletteColors GreyPalette(int levels);  // levels evenly spaced greys from black to white (2..256)
// Black, maroon, green, olive, navy, purple, teal, grey, silver, red, lime, yellow, blue,
// fuchsia, aqua, white: the 16 colours of the first 4-bit displays in their usual order (grey
// 128 at index 7, silver 192 at 8, as Windows' and panel makers' 16-colour tables have them).
PaletteColors BasicPalette16();
// The inks of 7-colour e-paper panels: black, white, green, blue, red, yellow, orange.
PaletteColors EpaperPalette7();

// Where a palette comes from: the fixed ones, chosen for each image, or read from a file.
enum class PaletteSource : std::uint8_t {
    BlackWhite,  // black, white
    Grey4,       // 4 evenly spaced greys
    Grey16,      // 16 evenly spaced greys
    Basic16,     // the 16 colours of the first 4-bit displays
    Epaper7,     // the inks of 7-colour e-paper panels
    Optimised,   // a number of colours chosen for the image
    File,        // a palette file: a BMP's colour table, a colour list, JASC-PAL, GIMP or Adobe
};

// The fixed palettes by name: the one table the command line's names and the editor's choices
// are read from.
struct FixedPalette {
    std::string_view name;
    PaletteSource source;
    PaletteColors (*colors)();
};
std::span<const FixedPalette> FixedPaletteTable();

// The colours of a fixed palette; empty for Optimised and File.
PaletteColors FixedPaletteColors(PaletteSource source);
// The inks of 3-colour e-paper panels: black, white and the third ink (red or yellow).
PaletteColors ThreeInkPalette(Pixel ink);

// Why a name gives no palette, with what the front ends need to say so.
struct PaletteNameProblem {
    enum class Kind : std::uint8_t {
        None,
        OptimisedCount,  // "optimised:N" without a number within `limits`
        Unknown,         // no palette has this name
    };
    Kind kind = Kind::None;
    std::string name;  // the name given
    Limits limits{};   // OptimisedCount: the colours an optimised palette may have
    friend bool operator==(const PaletteNameProblem&, const PaletteNameProblem&) = default;
};

// What a palette name asks for: fixed colours, or an optimised palette of this many colours,
// which is made from each image. Exactly one of the two is set when there is no problem.
struct PaletteChoice {
    PaletteColors colors;
    int optimisedColors = 0;  // 2..256 for "optimised:N"
    PaletteNameProblem problem;
    PaletteSource source = PaletteSource::File;  // Optimised, or the fixed palette named
    bool Ok() const { return problem.kind == PaletteNameProblem::Kind::None; }
};

// bw, grey4, grey16, basic16, epaper7, bwr (black, white, red), bwy (black, white, yellow),
// optimised:N or optimized:N (N from 2 to 256).
// Anything else is a problem (Unknown, or OptimisedCount for "optimised:" without a number in
// its bounds); a file is not looked for here.
PaletteChoice PaletteByName(std::string_view name);

// The names PaletteByName knows, for a help text: "bw, grey4, ...".
std::string_view PaletteNames();
// The same names one by one, for the shells' completion; "optimised:" wants its number after it.
std::span<const std::string_view> PaletteNameWords();

}  // namespace rastrix

#pragma once
#include <cstdint>
#include <string>

#include "codec/PaletteFile.h"
#include "color/PaletteMapping.h"

namespace rastrix {

struct Editor;

// Where the palette of Reduce Colours comes from.
enum class PaletteSource : std::uint8_t {
    BlackWhite,  // black, white
    Grey4,       // 4 evenly spaced greys
    Grey16,      // 16 evenly spaced greys
    Basic16,     // the 16 colours of the first 4-bit displays
    Epaper7,     // the inks of 7-colour e-paper panels
    Optimised,   // optimisedColours colours chosen for the image
    File,        // a palette file: a BMP's colour table, a colour list, JASC-PAL, GIMP or Adobe
};

// What Reduce Colours is asked to do; both front ends fill one in and call RunReduceColours.
struct ReduceColorsParams {
    PaletteSource palette = PaletteSource::BlackWhite;
    int optimisedColors = 16;  // 2..256, with Optimised
    std::string paletteFile;    // with File
    Dither dither = Dither::None;
    // 0..100, or -1 for none: with a two-colour palette and no dithering, a pixel at least this
    // light (a share of white) takes the lighter colour, any other the darker.
    int thresholdPercent = -1;
};

// The palette the parameters stand for, made for this image (Optimised) or read from the file,
// or why it cannot be had (error set, colours empty).
PaletteFileResult ReducedPalette(Editor& ed, const ReduceColorsParams& params);

// Maps every pixel of the image to the palette's colours, with the dithering or threshold, on a
// new undo level, so one Undo brings the old image back. An image reduced to black and white
// holds only those two colours, so Save As at 1 bit writes them with no question. Without an
// image, with parameters that cannot be used (a colour count outside 2..256, a threshold outside
// 0..100 or with dithering or a palette of other than two colours, an unreadable palette file)
// or when memory runs short, the user is told why and the document is left as it was (false).
bool RunReduceColors(Editor& ed, const ReduceColorsParams& params);

// Edit > Reduce Colours...: asks for the parameters (ReduceColoursDialog) and runs them.
void ReduceColorsCommand(Editor& ed);

}  // namespace rastrix

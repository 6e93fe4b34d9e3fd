#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "codec/PaletteFile.h"
#include "color/PaletteMapping.h"

namespace rastrix {

struct Editor;

// What Reduce Colours is asked to do; both front ends fill one in and call RunReduceColours.
struct ReduceColorsParams {
    PaletteSource palette = PaletteSource::BlackWhite;
    int optimisedColors = 16;  // 2..256, with Optimised
    std::string paletteFile;    // with File
    Dither dither = Dither::None;
    // 0..100, or -1 for none: with a two-colour palette and no dithering, a pixel at least this
    // light (a share of white) takes the lighter colour, any other the darker.
    int thresholdPercent = -1;
    // With File: the file's colours when they have been read already (rastrix-batch reads the
    // file once for every input); empty: paletteFile is read.
    PaletteColors fileColors;
};

// Why parameters cannot be used; each front end says it in its own words.
enum class ReduceProblem {
    None,
    ColorCount,         // an optimised palette of fewer than 2 or more than 256 colours
    ThresholdRange,     // a threshold outside 0..100
    ThresholdColors,    // a threshold with a palette of other than two colours
    ThresholdDither,    // a threshold with dithering
    LongerThanDepth,    // more colours than a file of the depth asked for holds
};

// The number of colours the parameters ask for, as far as it is known before the image is
// seen: a fixed palette's, an optimised palette's N (the image may give fewer), a file's when
// it has been read (fileColors); 0 for a file not read yet.
std::size_t AskedPaletteSize(const ReduceColorsParams& params);

// The one check of the parameters, for the dialog, rastrix-batch's options and RunReduceColors:
// `paletteSize` as AskedPaletteSize gives it (0: not known, its rules are left for later),
// `depth` the file's depth when it must be 1, 4 or 8 (anything else: no such rule).
ReduceProblem CheckReduceColors(const ReduceColorsParams& params, std::size_t paletteSize, int depth = 0);

// The editor's words for a problem (empty for None).
std::string ReduceProblemText(ReduceProblem problem);

// The palette the parameters stand for, made for this image (Optimised) or read from the file,
// or the editor's sentences saying why it cannot be had (error set, colours empty).
struct ReducePalette {
    PaletteColors colors;
    std::string error;
};
ReducePalette ReducedPalette(Editor& ed, const ReduceColorsParams& params);

// Maps every pixel of the image to the palette's colours, with the dithering or threshold, on a
// new undo level, so one Undo brings the old image back. The level carries the palette: a Save
// at 1, 4 or 8 bits writes it as the table in its order while every pixel is one of its colours
// (so black stays index 0 after black and white, and 7 e-paper inks keep the panel's order).
// Without an image, with parameters that CheckReduceColors refuses, an unreadable palette file,
// or when memory runs short, the user is told why and the document is left as it was (false).
// A threshold with an optimised palette of two colours on an image of one colour maps every
// pixel to that colour: the quantiser found no second one.
bool RunReduceColors(Editor& ed, const ReduceColorsParams& params);

}  // namespace rastrix

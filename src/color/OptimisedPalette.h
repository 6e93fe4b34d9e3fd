#pragma once
#include "color/FixedPalettes.h"
#include "raster/Bitmap.h"

namespace rastrix {

// Why no optimised palette was made.
struct OptimisedPaletteProblem {
    enum class Kind : std::uint8_t {
        None,
        ColorCount,     // `asked` is not within `limits`
        EmptyImage,     // the image has no pixels
        NoMemory,       // the quantiser could not be set up
        CountRefused,   // the quantiser refused `asked` colours
        ImageRefused,   // the quantiser refused the image
        NotChosen,      // the quantiser found no palette
    };
    Kind kind = Kind::None;
    int asked = 0;    // the number of colours asked for
    Limits limits{};  // ColorCount: the colours an optimised palette may have
    friend bool operator==(const OptimisedPaletteProblem&, const OptimisedPaletteProblem&) = default;
};

struct OptimisedPaletteResult {
    PaletteColors colors;             // at most the colours asked for; fewer when the image has fewer
    OptimisedPaletteProblem problem;  // kind None on success
};

// A palette of at most `colours` (2..256) colours chosen for this image, made by libimagequant
// (the quantiser of pngquant) in sRGB with its default speed and quality, from every pixel of the
// image (a 1-pixel line of a colour of its own keeps it). The entries keep the order the
// quantiser gives them. The quantiser runs on the calling thread only, so the same image always gives the same palette.
OptimisedPaletteResult MakeOptimisedPalette(const Bitmap& image, int colors);

}  // namespace rastrix

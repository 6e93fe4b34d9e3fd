#pragma once
#include <string>

#include "color/FixedPalettes.h"
#include "raster/Bitmap.h"

namespace rastrix {

struct OptimisedPaletteResult {
    PaletteColors colors;  // at most the colours asked for; fewer when the image has fewer
    std::string error;       // empty on success
};

// A palette of at most `colours` (2..256) colours chosen for this image, made by libimagequant
// (the quantiser of pngquant) in sRGB with its default speed and quality, from every pixel of the
// image (a 1-pixel line of a colour of its own keeps it). The entries keep the order the
// quantiser gives them. The quantiser runs on the calling thread only, so the same image always gives the same palette.
OptimisedPaletteResult MakeOptimisedPalette(const Bitmap& image, int colors);

}  // namespace rastrix

#pragma once
#include <string>

#include "codec/FixedPalettes.h"
#include "raster/Bitmap.h"

namespace rastrix {

struct OptimisedPaletteResult {
    PaletteColours colours;  // at most the colours asked for; fewer when the image has fewer
    std::string error;       // empty on success
};

// A palette of at most `colours` (2..256) colours chosen for this image, made by libimagequant
// (the quantiser of pngquant) in sRGB with its default quality. The entries keep the order the
// quantiser gives them. The same image gives the same palette on the same machine; the
// quantiser's parallel sums may differ in their last bits with the number of cores.
OptimisedPaletteResult MakeOptimisedPalette(const Bitmap& image, int colours);

}  // namespace rastrix

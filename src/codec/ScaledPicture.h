#pragma once
#include <cstdint>
#include <span>

#include "codec/BmpReader.h"
#include "codec/PictureOptions.h"
#include "raster/Scale.h"

namespace rastrix {

// A target size and how to meet it, known before the picture is read.
struct ScaleTarget {
    int width = 0;
    int height = 0;
    ScaleFit fit = ScaleFit::Fit;
    ScaleFilter filter = ScaleFilter::Lanczos;
};

// Reads a BMP, PNG or JPEG file held in memory (as DecodePicture does) and scales it to the
// target. A JPEG that is much larger than the target is decoded at 1/2, 1/4 or 1/8 size on the
// way (never below twice the picture's scaled size, so the filter still does the last halving); with
// the nearest-pixel filter it is read whole, so pixels stay pixels. A kept alpha is scaled the
// same way, its padding opaque like the background. The bit depth is the picture's. With the
// Lanczos filter a PNG or JPEG picture is scaled row by row as it is decoded (on a second core
// with the options' `overlapRows`), never held whole. `finished` is told how far the file has
// been read, where the reader can tell (BMP files, and PNG and JPEG files read row by row).
// A target beyond the image limits (kBmpMaxSide, kBmpMaxPixels) is refused as TooLarge before
// the file is read.
BmpReadResult DecodeScaled(std::span<const std::uint8_t> bytes, const ScaleTarget& target,
                           const PictureOptions& options = {}, const ReadFinished& finished = {});

}  // namespace rastrix

#pragma once

#include "raster/Color.h"

namespace rastrix {

// How a PNG or JPEG picture is read, for callers that ask for more than the defaults.
struct PictureOptions {
    // Transparent and partly transparent pixels are laid on this colour (0x00RRGGBB).
    Pixel background{0x00FFFFFFu};
    // A picture with transparency also hands out its alpha (BmpImage::alpha), so a 32-bit
    // file can keep it.
    bool keepAlpha = false;
    // JPEG pictures in CMYK or YCCK colours are turned into RGB; false refuses them as a kind
    // this program does not read.
    bool convertCmyk = true;
    // A JPEG picture may be decoded at 1/2, 1/4 or 1/8 of its size (the decoder's own
    // scaling, much faster than decoding it whole) as long as it stays at least this large
    // on both sides; 0 x 0 reads it whole.
    int minWidth = 0;
    int minHeight = 0;
    // A picture handed out row by row (DecodePngRows, DecodeJpegRows, so a large picture scaled
    // as it is read) may be decoded on one core while a second one converts and takes in the rows
    // already decoded, and a JPEG picture read whole (or turned as it is read) may be decoded in
    // bands that the second core puts in place, where kernels may use two threads (BandThreads).
    // The result is the same either way; false keeps it all on the calling thread (for a caller
    // already running one job per core).
    bool overlapRows = false;
};

}  // namespace rastrix

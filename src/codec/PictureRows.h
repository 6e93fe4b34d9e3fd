#pragma once

#include "raster/Color.h"

namespace rastrix {

// Receives a picture's rows as a decoder that hands them out one at a time decodes them
// (DecodePngRows, DecodeJpegRows), so a large picture need never be held whole.
class PictureRowSink {
public:
    virtual ~PictureRowSink() = default;
    // Once, before any row: the picture's size and whether an alpha comes with each row.
    // False stops the decoding as out of memory.
    virtual bool Begin(int width, int height, bool withAlpha) = 0;
    // Each row once, top row first, as the whole picture's decoder would have made it;
    // `alpha` is null without one.
    virtual void Row(const Pixel* pixels, const Pixel* alpha) = 0;
};

}  // namespace rastrix

#pragma once
#include "raster/Bitmap.h"
#include "raster/Geometry.h"

namespace rastrix {

// Copies w x h pixels from (sx, sy) of src to (dx, dy) of dst, all 32 bits of each pixel.
// Only pixels whose source and destination positions both lie inside their bitmaps are
// copied; the rest of the destination keeps its pixels. src may be dst itself: overlapping
// areas come out as if the source had been copied first. w or h of 0 or less copies nothing.
void CopyPixels(Bitmap& dst, int dx, int dy, int w, int h, const Bitmap& src, int sx, int sy);

enum class StretchMode {
    ColorOnColor,  // nearest: each destination pixel takes the source pixel holding its centre
    Halftone,      // each destination pixel is the rounded average of the source area it covers
};

// Stretches srcRect of src onto dstRect of dst. The destination pixels written are those
// inside dst whose centre maps to a source pixel inside src; halftone averages the part of a
// pixel's footprint that lies inside src. Only the source rows and columns that a written
// pixel needs are read, so rendering a small part of a huge bitmap costs only that part.
// Reversed or empty rectangles, and rectangles more than 2^24 pixels on a side, draw
// nothing (no mirroring). src may be dst itself; the source is then copied first.
void StretchPixels(Bitmap& dst, Rect dstRect, const Bitmap& src, Rect srcRect, StretchMode mode);

}  // namespace rastrix

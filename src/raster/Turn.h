#pragma once
#include <cstddef>

#include "raster/Bitmap.h"
#include "raster/Geometry.h"

namespace rastrix {

// The ways an area of pixels can be turned or mirrored: the five the editor's commands make, and
// the two mirrors across a diagonal that a photo's stored orientation may ask for.
enum class Turn {
    Clockwise,         // a quarter turn to the right
    CounterClockwise,  // a quarter turn to the left
    HalfTurn,          // 180 degrees
    MirrorColumns,     // left and right change places (flip horizontal)
    MirrorRows,        // top and bottom change places (flip vertical)
    Transpose,         // mirrored across the diagonal from the top-left corner
    Transverse,        // mirrored across the diagonal from the top-right corner
};

// Whether the turn swaps width and height.
constexpr bool SwapsSides(Turn turn) {
    return turn == Turn::Clockwise || turn == Turn::CounterClockwise || turn == Turn::Transpose ||
           turn == Turn::Transverse;
}

// Writes the area `from` of src, turned, into dst with its top-left corner at `to`. A turn
// that swaps the sides lands as an area `from.Height()` wide and `from.Width()` high. For a
// source pixel at (u, v) inside the area (w x h):
//   Clockwise         -> (h-1-v, u)
//   CounterClockwise  -> (v, w-1-u)
//   HalfTurn          -> (w-1-u, h-1-v)
//   MirrorColumns     -> (w-1-u, v)
//   MirrorRows        -> (u, h-1-v)
//   Transpose         -> (v, u)
//   Transverse        -> (h-1-v, w-1-u)
// src and dst must be different bitmaps. Returns false, writing nothing, when either area
// does not lie wholly inside its bitmap; an empty area writes nothing and succeeds. A large
// area is split in bands across the cores.
bool TurnArea(const Bitmap& src, Rect from, Bitmap& dst, Point to, Turn turn);

// TurnArea on the calling thread alone, for pixels that need not be in a bitmap (a band of a
// picture being decoded) and a caller already working beside another thread: the w x h pixels
// at `src`, rows `srcStride` pixels apart, turned into the area whose top-left pixel is at
// `dst`, rows `dstStride` pixels apart. The two must not overlap.
void TurnPixels(const Pixel* src, std::ptrdiff_t srcStride, int w, int h, Pixel* dst, std::ptrdiff_t dstStride, Turn turn);

// The size of `from` after the turn.
inline Rect TurnedArea(Rect from, Point to, Turn turn) {
    const int w = SwapsSides(turn) ? from.Height() : from.Width();
    const int h = SwapsSides(turn) ? from.Width() : from.Height();
    return {to.x, to.y, to.x + w, to.y + h};
}

}  // namespace rastrix

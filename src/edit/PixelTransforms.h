#pragma once
#include "raster/Bitmap.h"
#include "raster/Geometry.h"

namespace rastrix {

// The five ways an area of pixels can be turned or mirrored.
enum class Turn {
    Clockwise,         // a quarter turn to the right
    CounterClockwise,  // a quarter turn to the left
    HalfTurn,          // 180 degrees
    MirrorColumns,     // left and right change places (flip horizontal)
    MirrorRows,        // top and bottom change places (flip vertical)
};

// Writes the area `from` of src, turned, into dst with its top-left corner at `to`. A quarter
// turn lands as an area `from.Height()` wide and `from.Width()` high. For a source pixel at
// (u, v) inside the area (w x h):
//   Clockwise         -> (h-1-v, u)
//   CounterClockwise  -> (v, w-1-u)
//   HalfTurn          -> (w-1-u, h-1-v)
//   MirrorColumns     -> (w-1-u, v)
//   MirrorRows        -> (u, h-1-v)
// src and dst must be different bitmaps. Returns false, writing nothing, when either area
// does not lie wholly inside its bitmap; an empty area writes nothing and succeeds.
bool TurnArea(const Bitmap& src, Rect from, Bitmap& dst, Point to, Turn turn);

// The size of `from` after the turn.
inline Rect TurnedArea(Rect from, Point to, Turn turn) {
    const bool quarter = turn == Turn::Clockwise || turn == Turn::CounterClockwise;
    const int w = quarter ? from.Height() : from.Width();
    const int h = quarter ? from.Width() : from.Height();
    return {to.x, to.y, to.x + w, to.y + h};
}

}  // namespace rastrix

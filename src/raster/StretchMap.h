#pragma once
#include <cstdint>
#include <vector>

#include "raster/Bitmap.h"

namespace rastrix {

// How one axis of a stretch maps destination positions to source positions. Internal.
// Destination pixel d (counted from the destination rectangle's start) has its centre in
// source pixel ceil((2d+1)·S / (2D)) - 1, the lower one when the centre lies on a boundary.
struct StretchAxis {
    int first = 0;             // first destination position written (absolute)
    std::vector<int> source;   // centre source pixel (absolute) of each written position
    int Count() const { return int(source.size()); }
};

// dstStart/dstLen and srcStart/srcLen are the rectangles on this axis; dstLimit and srcLimit
// are the bitmap sizes. Positions outside the destination bitmap, or whose centre pixel lies
// outside the source bitmap, are not written.
StretchAxis MapStretchAxis(int dstStart, int dstLen, int dstLimit, int srcStart, int srcLen, int srcLimit);

// The source pixels a destination pixel covers (box filter), in units of 1/unit pixel where
// unit = D / gcd(S, D), clipped to the source bitmap. Internal to the halftone stretch.
struct CoverSpan {
    int first = 0;               // first source pixel (absolute)
    int count = 0;               // number of source pixels
    std::uint32_t firstWeight = 0;
    std::uint32_t lastWeight = 0;  // weight of the last pixel when count > 1
    std::uint64_t total = 0;     // sum of all weights
};

struct CoverAxis {
    std::uint32_t fullWeight = 0;  // weight of a whole source pixel
    std::vector<CoverSpan> spans;  // one per written destination position
};

CoverAxis MapCoverAxis(const StretchAxis& centres, int dstStart, int dstLen, int srcStart, int srcLen, int srcLimit);

// Writes the positions xs x ys of dst with the box-filtered average of src. Internal.
void HalftoneStretch(Bitmap& dst, const StretchAxis& xs, const StretchAxis& ys, const CoverAxis& cx,
                     const CoverAxis& cy, const Bitmap& src);

}  // namespace rastrix

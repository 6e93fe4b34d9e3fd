#pragma once
// Large bitmaps shared by the benchmarks, made once per program and touched before timing.
#include "raster/Bitmap.h"

namespace rastrix::bench {

inline constexpr int kW = 8000, kH = 6000;

// A 48-megapixel image with a different colour at every pixel.
inline Bitmap PatternImage() {
    Bitmap b(kW, kH);
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) b.Row(y)[x] = Pixel{(x * 2654435761u + y * 40503u) & 0x00FFFFFFu};
    return b;
}

// The pattern image, made once per program.
inline Bitmap& Source() {
    static Bitmap bmp = PatternImage();
    return bmp;
}

// A destination of the same size, allocated and touched once so no timing pays for page faults.
inline Bitmap& Target() {
    static Bitmap bmp(kW, kH, ColorFromRgb(255, 255, 255));
    return bmp;
}

}  // namespace rastrix::bench

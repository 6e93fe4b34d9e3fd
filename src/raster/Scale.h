#pragma once
#include <optional>

#include "raster/Bitmap.h"
#include "raster/Geometry.h"

namespace rastrix {

// How a scaled pixel is made from the source pixels.
enum class ScaleFilter {
    Lanczos,  // a weighted sum of the pixels near it (Lanczos-3), widened by the reduction
              // factor when reducing, so every source pixel counts and a large reduction is
              // not aliased; for photos and anti-aliased drawings
    Nearest,  // the one source pixel under the scaled pixel's centre; for pixel art
};

// How a picture meets a target width and height.
enum class ScaleFit {
    Fit,    // keeps the aspect ratio, the whole picture inside the target, the rest filled
            // with the background colour, the picture centred
    Cover,  // keeps the aspect ratio, the picture covers the whole target, what sticks out is
            // cut off equally on both sides
    Exact,  // exactly the target size, the aspect ratio as it comes
};

// Where the scaled picture lies: the whole picture scaled to `scaled` (width x height in
// `scaled.right`, `scaled.bottom`, left and top 0) and the part of it that lands in the target,
// `shown` in the scaled picture's coordinates, drawn at `at` in the target. For Fit `shown` is
// the whole scaled picture and `at` centres it; for Cover `shown` is the centred target-sized
// window and `at` is 0,0. Sizes are rounded to the nearest pixel and never below 1.
struct ScaleLayout {
    Rect scaled;
    Rect shown;
    Point at;
};

// Both the source and the target are at least 1 x 1.
ScaleLayout LayOutScale(int srcWidth, int srcHeight, int width, int height, ScaleFit fit);

// The picture scaled to width x height (each at least 1) with the filter, laid out as `fit`
// says; pixels outside the picture (Fit) get `background`, a 0x00RRGGBB pixel. The filter works
// on the stored sRGB values, not in linear light (see Scale.cpp). An empty source, a size below
// 1 or memory that cannot be had gives nullopt; nothing throws.
std::optional<Bitmap> ScaleBitmap(const Bitmap& src, int width, int height, ScaleFit fit, ScaleFilter filter,
                                  Pixel background = 0x00FFFFFFu);

}  // namespace rastrix

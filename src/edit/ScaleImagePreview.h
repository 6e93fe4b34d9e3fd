#pragma once
#include <optional>

#include "raster/Bitmap.h"
#include "raster/Scale.h"

namespace rastrix {

// The box the Scale Image dialog draws its picture of the result in, in pixels.
inline constexpr int kScalePreviewWidth = 200, kScalePreviewHeight = 150;

// A small copy of the image, at most twice the box each way (the image itself when smaller),
// for drawing pictures of the result from quickly as the fields change. nullopt when the image
// is empty or memory runs short.
std::optional<Bitmap> ScalePreviewSource(const Bitmap& image);

// What Scale Image makes of a srcWidth x srcHeight image at width x height, drawn as large as
// fits the box from `small` (the image or a copy from ScalePreviewSource): for Fit the
// result, the picture where the anchor puts it and the rest in `pad`; for Cover the whole
// scaled picture with the part cut off darkened, so the user sees what goes; for Exact the
// result. nullopt when a size is below 1 or memory runs short.
std::optional<Bitmap> ScalePreview(const Bitmap& small, int srcWidth, int srcHeight, int width, int height, ScaleFit fit,
                                   ScaleAnchor anchor, Pixel pad, int boxWidth = kScalePreviewWidth,
                                   int boxHeight = kScalePreviewHeight);

}  // namespace rastrix

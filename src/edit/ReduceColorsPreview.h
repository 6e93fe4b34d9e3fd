#pragma once
#include <optional>
#include <span>

#include "color/PaletteMapping.h"
#include "raster/Bitmap.h"

namespace rastrix {

// The size of the sample the Reduce Colours dialog shows, in pixels.
inline constexpr int kReduceSampleWidth = 320, kReduceSampleHeight = 150;

// The middle of the image, at most width x height pixels at 1:1, mapped to the palette as the
// whole image would be (the dithering starts afresh at the sample's corner). nullopt when the
// image is empty, the palette cannot be used or memory runs short.
std::optional<Bitmap> ReducedSample(const Bitmap& image, std::span<const Pixel> palette, const MapOptions& options,
                                    int width = kReduceSampleWidth, int height = kReduceSampleHeight);

}  // namespace rastrix

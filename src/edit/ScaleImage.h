#pragma once
#include <cstdint>
#include <optional>

#include "raster/Color.h"
#include "raster/Scale.h"

namespace rastrix {

struct Editor;

// What Scale Image is asked to do; both front ends fill one in and call RunScaleImage.
struct ScaleImageParams {
    int width = 0;   // 1..65535, at most 2^28 pixels in all with height
    int height = 0;
    // Keeps the image's aspect ratio: the result is the largest size of that ratio within
    // width x height (one side equal to it), never padded.
    bool keepAspect = true;
    ScaleFilter filter = ScaleFilter::Lanczos;
    // Exact: the size above (kept to the ratio with keepAspect). Fit and Cover make exactly
    // width x height with the ratio kept: Fit pads with padColor, Cover cuts off what sticks
    // out (rastrix-batch's --fit and --cover); keepAspect is then not read.
    ScaleFit fit = ScaleFit::Exact;
    // Where Fit puts the picture and which part Cover keeps; the middle at first.
    ScaleAnchor anchor = ScaleAnchor::Centre;
    // Fit's padding; without one, the current background colour.
    std::optional<Color> padColor;
};

// side * to / from rounded to the nearest whole number (halves up), at least 1: the other side
// of a size with the ratio to : from. from is at least 1.
std::uint32_t ProportionalSide(std::uint32_t side, int to, int from);

// The size the image becomes: width x height, or with keepAspect the largest size of the
// source's ratio within it: the given width with ProportionalSide's height when that fits,
// else the given height with ProportionalSide's width. So a size the dialog made by keeping
// the ratio is taken exactly as shown.
struct ScaledSize {
    int width = 0, height = 0;
};
ScaledSize ScaledImageSize(int srcWidth, int srcHeight, const ScaleImageParams& params);

// Scales the whole image to a new undo level (both front ends), so one Undo brings the old image back. An active
// selection is held inside the new image. Without an image, with a size that cannot be made, or
// when memory runs short, the user is told why and the document is left as it was (false).
bool RunScaleImage(Editor& ed, const ScaleImageParams& params);

}  // namespace rastrix

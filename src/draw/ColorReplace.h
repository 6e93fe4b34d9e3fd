#pragma once
#include <optional>

#include "draw/MarkedShape.h"
#include "raster/Bitmap.h"
#include "raster/Color.h"

namespace rastrix {

// The bucket's work: every pixel of the colour target becomes with, in the part of the image
// the click chooses. Without a shape (or with a line) that is the whole image. Otherwise a
// click inside the shape changes only the inside, and a click anywhere else changes only the
// rest of the image; for a rounded rectangle or ellipse the corners of the rectangle count as
// outside. Rows of the shape's rectangle without a shape pixel count as inside entirely.
// Colours compare exactly, as GetPixel reads them; nothing is written outside the image.
void ReplaceColor(Bitmap& image, const std::optional<MarkedShape>& region, Point click, Color target, Color with);

}  // namespace rastrix

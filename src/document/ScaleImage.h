#pragma once
#include "raster/Scale.h"

namespace rastrix {

struct Editor;

// Scales the image to width x height as `fit` says, with the filter; Fit pads with the
// background colour. A new level, so one Undo brings the old image back; the selection is held
// inside the new image as Change Image Size holds it. False, with nothing changed, without an
// image, for a size below 1 or when memory runs short.
bool ScaleImage(Editor& ed, int width, int height, ScaleFit fit, ScaleFilter filter);

}  // namespace rastrix

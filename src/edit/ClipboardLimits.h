#pragma once
#include "raster/Bitmap.h"

namespace rastrix {

// A clipboard bitmap can become an image of its own when it is no larger than the largest
// bitmap the program opens from a file (kClipboardTooLargeText names the limits).
bool FitsNewImage(const Bitmap& b);

}  // namespace rastrix

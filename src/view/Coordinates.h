#pragma once
#include <cstdint>

#include "editor/ViewState.h"
#include "raster/Geometry.h"

namespace rastrix {

// Every division by the zoom goes through this, so a zoom of 0 or less (a corrupt stored
// value, a layout that never ran) can never divide by zero.
constexpr std::int64_t EffectiveZoom(std::int32_t zoomPercent) { return zoomPercent < 1 ? 1 : zoomPercent; }

// Window pixel to image pixel: position x 100 / zoom + origin, truncating toward zero.
std::int32_t WindowToImage(std::int32_t windowPos, std::int32_t zoomPercent, std::int32_t origin);

// Image pixel to window pixel: (position - origin) x zoom / 100, truncating toward zero.
// Positions scrolled out of the window give negative or large values; drawing clips them.
std::int32_t ImageToWindow(std::int32_t imagePos, std::int32_t zoomPercent, std::int32_t origin);

// The image pixel under a mouse position in the image window's client area. A position left
// of or above the window (the mouse captured outside it) counts as 0 on that axis. Stores the
// result in mouseX and mouseY and returns it.
Point TrackMousePosition(ViewState& view, std::int32_t zoomPercent, std::int32_t windowX, std::int32_t windowY);

}  // namespace rastrix

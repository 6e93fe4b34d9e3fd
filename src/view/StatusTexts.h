#pragma once
#include <cstdint>
#include <string>

#include "editor/ViewState.h"
#include "raster/Color.h"
#include "raster/Geometry.h"

namespace rastrix {

// Status part 0: "1000W x 800H, 24 bits per pixel, 200%".
std::string ImageStatusText(std::int32_t imageWidth, std::int32_t imageHeight, std::int32_t bitDepth,
                            std::int32_t zoomPercent);

// Status part 1: "Pos=5,7;  RGB=255,128,0". A position outside the image reads kInvalidColor,
// whose low three bytes show as 255,255,255.
std::string PositionStatusText(std::int32_t x, std::int32_t y, Color color);

// Status part 1 for the pixel under the mouse (mouseX, mouseY) and its colour.
std::string ShowPosition(const ViewState& view, Color color);

// Status part 4: "Selection@ 10,20 (100W x 50H)" for the selection's left, top, width and
// height, or one blank without a selection.
std::string SelectionStatusText(bool hasSelection, const Rect& selection);

}  // namespace rastrix

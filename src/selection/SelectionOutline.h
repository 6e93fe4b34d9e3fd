#pragma once
#include <string>

#include "raster/Bitmap.h"

namespace rastrix {

struct Editor;

// Draws the active selection's outline over the rendered image window (surface is its client
// area, origin at the window's top-left) at the current zoom and scroll origin: a rectangle
// as a one-pixel frame in the four-colour selection pattern aligned to the window's origin; a
// rounded rectangle (corners a quarter of its width and height), an ellipse or a line with a
// dotted red pen whose gaps are white. Parts outside the surface are clipped. Nothing without
// an active selection.
void DrawSelectionOutline(const Editor& ed, Bitmap& surface);

// Status part 4: "Selection@ 10,20 (100W x 50H)", or one blank without a selection.
std::string SelectionStatus(const Editor& ed);

}  // namespace rastrix

#pragma once
#include "raster/Geometry.h"

namespace rastrix {

struct Editor;

// The pixels an edit command works on: the active selection's rectangle, or the whole image
// when no selection is active. The rectangle is clipped to the image, because a selection
// kept across an Undo that made the image smaller may reach beyond it.
Rect SelectedArea(const Editor& ed);

}  // namespace rastrix

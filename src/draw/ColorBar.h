#pragma once
#include "raster/Bitmap.h"

namespace rastrix {

struct Editor;

// Client height of the colour bar, and the row its clicks and moves read the colour from.
inline constexpr int kColorBarClientHeight = 22;
inline constexpr int kColorBarProbeRow = 8;

// The colour bar's client area: the 24 colour-bar colours left to right, each swatchWidth
// pixels wide and the full 22 rows high. Empty while the drawing tools are hidden.
Bitmap RenderColorBar(const Editor& ed);

// Mouse over the colour bar, in its client coordinates. Colours are read back from the
// rendered bar at row 8 of the column, not from the table, so a click takes exactly what is
// shown. Positions off the bar do nothing.
void ColorBarMouseMove(Editor& ed, int x, int y);              // status part 1: "RGB=r,g,b"
void ColorBarButtonDown(Editor& ed, int x, int y, bool left);  // left: foreColor, right: backColor

}  // namespace rastrix

#pragma once
#include <array>

#include "raster/Bitmap.h"
#include "raster/Color.h"

namespace rastrix {

struct Editor;

// Client height of the colour bar, and the row its clicks and moves read the colour from.
inline constexpr int kColorBarClientHeight = 22;
inline constexpr int kColorBarProbeRow = 8;

// The 24 colours of the colour bar, left to right.
inline constexpr std::array<Color, 24> kColorBarColors{
    0x000000, 0xFFFFFF, 0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF, 0xC0C0C0, 0x808080,
    0x008000, 0xFF00FF, 0x800080, 0x000080, 0x008080, 0xFFFF00, 0x808000, 0x800000,
    0x004040, 0x0080FF, 0x004080, 0xFF0080, 0xFF8040, 0x80FF80, 0xFF80C0, 0xFF80FF};

// The colour bar's client area: the 24 colour-bar colours left to right, each swatchWidth
// pixels wide and the full 22 rows high. Empty while the drawing tools are hidden.
Bitmap RenderColorBar(const Editor& ed);

// Mouse over the colour bar, in its client coordinates. Colours are read back from the
// rendered bar at row 8 of the column, not from the table, so a click takes exactly what is
// shown. Positions off the bar do nothing.
void ColorBarMouseMove(Editor& ed, int x, int y);              // status part 1: "RGB=r,g,b"
void ColorBarButtonDown(Editor& ed, int x, int y, bool left);  // left: foreColor, right: backColor

}  // namespace rastrix

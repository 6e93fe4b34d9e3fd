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
    Color{0x000000}, Color{0xFFFFFF}, Color{0x0000FF}, Color{0x00FF00}, Color{0xFF0000}, Color{0x00FFFF}, Color{0xC0C0C0}, Color{0x808080},
    Color{0x008000}, Color{0xFF00FF}, Color{0x800080}, Color{0x000080}, Color{0x008080}, Color{0xFFFF00}, Color{0x808000}, Color{0x800000},
    Color{0x004040}, Color{0x0080FF}, Color{0x004080}, Color{0xFF0080}, Color{0xFF8040}, Color{0x80FF80}, Color{0xFF80C0}, Color{0xFF80FF}};

// The colour bar's client area: the 24 colour-bar colours left to right, each swatchWidth
// pixels wide and the full 22 rows high. Empty while the drawing tools are hidden.
Bitmap RenderColorBar(const Editor& ed);

// Mouse over the colour bar, in its client coordinates. Colours are read back from the
// rendered bar at row 8 of the column, not from the table, so a click takes exactly what is
// shown. Positions off the bar do nothing.
void ColorBarMouseMove(Editor& ed, int x, int y);              // status part 1: "RGB=r,g,b"
void ColorBarButtonDown(Editor& ed, int x, int y, bool left);  // left: foreColor, right: backColor

}  // namespace rastrix

#pragma once
#include <string>

#include "raster/Color.h"

namespace rastrix {

struct Editor;

// "RGB=r,g,b" of a colour, red first.
std::string ColorStatusText(Color color);

// Writes ColorStatusText into status part 1 (the colour bar and the status-bar swatches).
void ShowColor(Editor& ed, Color color);

}  // namespace rastrix

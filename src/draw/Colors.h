#pragma once
#include <string>

#include "editor/CommandIds.h"
#include "raster/Brush.h"
#include "raster/Color.h"
#include "raster/Geometry.h"

namespace rastrix {

struct Editor;

// The brushes of the two current colours. They are made from the colours on demand, so each
// is always a solid brush of its colour; backBrush also paints new image areas.
Brush ForeBrush(const Editor& ed);
Brush BackBrush(const Editor& ed);

// Changing a colour repaints its swatch at once.
void SetForeColor(Editor& ed, Color c);
void SetBackColor(Editor& ed, Color c);

// Status part 1: "RGB=255,128,0" for the colour (red in the low byte); used by the colour
// bar and by the frame when the mouse is over a status-bar swatch.
std::string ColorStatusText(Color c);
void ShowColor(Editor& ed, Color c);

// Paint the swatch of status part 2 (foreground) or 3 (background) with the current colour.
void DrawForeSwatch(Editor& ed);
void DrawBackSwatch(Editor& ed);

// Where a swatch is painted, in the status bar's own coordinates: its part, one pixel in on
// every side. part is 2 or 3.
Rect SwatchRect(const Editor& ed, int part);

// Set Foreground Color (CommandId::SetForegroundColor) and Set Background Color
// (CommandId::SetBackgroundColor): the platform's colour dialog with the sixteen custom colours,
// which it updates in place. A cancelled dialog keeps the colour; the swatch is repainted either
// way.
void ChooseCurrentColor(Editor& ed, CommandId id);

}  // namespace rastrix

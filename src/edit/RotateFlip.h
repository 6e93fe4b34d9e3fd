#pragma once
#include "raster/Turn.h"

namespace rastrix {

struct Editor;

// Rotate 90 degrees clockwise or counter clockwise, 180 degrees, flip horizontal or flip
// vertical, by the turn given: the pixels of the active
// selection in place, or else the whole image, whose width and height a quarter turn swaps. One
// undo level per turn; the selection stays. A quarter turn of a selection that is not square shows
// kSelectionNotSquareText and changes nothing. TurnRule must allow it (the dispatch asks).
void RunRotateFlip(Editor& ed, Turn turn);

inline constexpr const char* kSelectionNotSquareText = "Selection must be square for this operation.";

}  // namespace rastrix

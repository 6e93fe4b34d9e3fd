#pragma once

namespace rastrix {

struct Editor;

// Rotate 90 degrees clockwise (IDM_ROT90CW), counter clockwise (IDM_ROT90CCW), 180 degrees
// (IDM_ROT180), flip horizontal (IDM_FLIPH) or flip vertical (IDM_FLIPV): the pixels of the
// active selection in place, or else the whole image, whose width and height a quarter turn
// swaps. One undo level per turn; the selection stays. A quarter turn of a selection that is
// not square shows kSelectionNotSquareText and changes nothing.
void RotateFlip(Editor& ed, int id);

inline constexpr const char* kSelectionNotSquareText = "Selection must be square for this operation.";

}  // namespace rastrix

#pragma once

namespace rastrix {

struct Editor;

// Rotate 90 degrees clockwise (CommandId::RotateClockwise), counter clockwise
// (CommandId::RotateCounterClockwise), 180 degrees (CommandId::Rotate180), flip horizontal
// (CommandId::FlipHorizontal) or flip vertical (CommandId::FlipVertical): the pixels of the active
// selection in place, or else the whole image, whose width and height a quarter turn swaps. One
// undo level per turn; the selection stays. A quarter turn of a selection that is not square shows
// kSelectionNotSquareText and changes nothing.
void RotateFlip(Editor& ed, int id);

inline constexpr const char* kSelectionNotSquareText = "Selection must be square for this operation.";

}  // namespace rastrix

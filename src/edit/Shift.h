#pragma once

namespace rastrix {

struct Editor;

enum class ShiftDirection { Left, Right, Up, Down };

// Moves the pixels of the active selection one pixel the way given. The column or
// row at the leading edge is lost, the one at the trailing edge stays and so shows twice; nothing
// outside the selection changes. Adds one undo level every time, even when no pixel moves; the
// selection stays. RectangleRule must allow it (the dispatch asks).
void RunShift(Editor& ed, ShiftDirection direction);

}  // namespace rastrix

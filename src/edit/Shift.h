#pragma once

namespace rastrix {

struct Editor;

// Moves the pixels of the active selection one pixel left (CommandId::ShiftLeft), right
// (CommandId::ShiftRight), up (CommandId::ShiftUp) or down (CommandId::ShiftDown). The column or
// row at the leading edge is lost, the one at the trailing edge stays and so shows twice; nothing
// outside the selection changes. Adds one undo level every time, even when no pixel moves; the
// selection stays.
void ShiftSelection(Editor& ed, int id);

}  // namespace rastrix

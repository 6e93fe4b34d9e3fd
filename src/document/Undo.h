#pragma once

namespace rastrix {

struct Editor;

// Throws the current level away and shows the one below; does nothing at depth 0. When the
// level below has another size, an active selection is held inside it and the image window is
// laid out again.
void Undo(Editor& ed);

}  // namespace rastrix

#pragma once

namespace rastrix {

struct Editor;

// Edit > Change Image Size: a new level of the typed size with the old pixels at the top-left
// corner and any new area in the background colour; nothing is scaled. One Undo brings the
// old size back. Does nothing without an image, on Cancel, or when memory runs short.
void ChangeSizeCommand(Editor& ed);

}  // namespace rastrix

#pragma once
#include "editor/Command.h"
#include "editor/ViewState.h"

namespace rastrix {

struct Editor;

// The view area the frame's last layout left for the image window.
ViewArea CurrentViewArea(const Editor& ed);

// Places and sizes the image window for the current image, zoom and frame; does nothing
// while there is no image. Marks the window for repainting.
void LayoutImageWindow(Editor& ed);

// Asks for the whole image window to be painted again, its scroll bars set for the image.
void InvalidateImageWindow(Editor& ed);

// Puts up the wait cursor before a long operation: on screen at once (the program does not
// return to its event loop until the operation is done), and in the view's state, so the next
// paint of the image window puts the tool's cursor back.
void ShowWaitCursor(Editor& ed);

// True when an image exists (a file was read, or one was made in the program).
bool HasImage(const Editor& ed);

// The rule of the commands that need an image and nothing more.
Availability ImageRule(const Editor& ed);

}  // namespace rastrix

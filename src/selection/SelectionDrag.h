#pragma once
#include "raster/Geometry.h"

namespace rastrix {

struct Editor;

// The mouse side of the selection, called by the image window with positions already turned
// into image pixels.

// Left button down with a selection tool: the drag begins at imagePixel. The selection is not
// touched yet, so a click released without a move leaves an existing selection as it was.
// The caller captures the mouse.
void SelectionDragStart(Editor& ed, Point imagePixel);

// The mouse moved (after the position was shown). Does nothing unless a drag is in progress.
// The first step of a drag makes the selection active; later steps that arrive on the pixel of
// the previous one change nothing. The rectangle runs from the anchor to the mouse, which
// ends up as the first pixel outside it on the right and at the bottom, clamped to the image.
// The Adjust Selection dialog closes while the drag goes on.
void SelectionDragStep(Editor& ed, Point imagePixel);

// A button went up over the image window. The left button with a selection tool and an
// active selection opens the Adjust Selection dialog; either button ends the drag (the caller
// releases the mouse capture).
void SelectionButtonUp(Editor& ed, bool left);

}  // namespace rastrix

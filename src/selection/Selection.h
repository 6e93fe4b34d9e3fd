#pragma once
#include "raster/Geometry.h"

namespace rastrix {

struct Editor;

// The one selection of the program: a rectangle of image pixels (right and bottom exclusive),
// standing for the shape in settings.selectionShape inscribed in it. Whether it is active is
// settings.hasSelection; a drag in progress is settings.dragging. The rectangle stays in place
// when the selection is removed, so Restore Selection can bring it back.
//
// Only a drag, the Adjust Selection dialog and Mark Border change the rectangle; everything
// else reads it.
struct Selection {
    Rect rect;                  // 0 <= left <= right <= imageWidth, 0 <= top <= bottom <= imageHeight after a drag step
    bool lineReversed = false;  // a line runs from (right, top) to (left, bottom) instead of (left, top) to (right, bottom)
    Point anchor;               // image pixel where the drag began
    Point drag;                 // image pixel of the last drag step that changed the rectangle
};

// The selection becomes active: Cut, Adjust Selection, Crop and Unselect become available and
// Restore Selection does not; a rectangle also allows shifting, another shape forbids rotating
// and flipping. Does not repaint; the caller invalidates the image window.
void BeginSelection(Editor& ed);

// The selection goes (the rectangle is kept): the Adjust Selection dialog closes, Cut, Adjust
// Selection, Crop and Unselect become unavailable, Restore Selection becomes available when the
// kept rectangle is not empty, rotating and flipping are allowed again and shifting is not.
// Does not repaint; the caller invalidates the image window.
void EndSelection(Editor& ed);

// Clamps each side of the rectangle into the image: left and right into [0, imageWidth], top
// and bottom into [0, imageHeight].
void HoldSelectionInsideImage(Editor& ed);

// After the image changed size under an active selection (Undo to a level of another size,
// Change Image Size), holds it inside, so every command that reads the selection may trust
// it. A kept, inactive rectangle is left for Restore Selection, which holds it inside itself.
void KeepActiveSelectionInImage(Editor& ed);

// True while a selection is active.
bool HasSelection(const Editor& ed);

}  // namespace rastrix

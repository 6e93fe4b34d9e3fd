#pragma once
#include "raster/Geometry.h"

namespace rastrix {

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

}  // namespace rastrix

#pragma once
#include "editor/SelectionState.h"
#include "editor/ViewState.h"

namespace rastrix {

enum class ImageMouseEvent { Move, LeftDown, RightDown };

// What a mouse event over the image means, told by the current tool's cursor.
enum class MouseAction {
    None,
    ShowPosition,        // show the pixel and colour; then a drag step while dragging
    PickForeColor,       // picker, left button
    PickBackColor,       // picker, right button
    PenWithForeColor,    // pen press, left button
    PenWithBackColor,    // pen press, right button
    PenStroke,           // pen, moving with a button held
    BucketWithForeColor,
    BucketWithBackColor,
    StartSelectionDrag,  // selection tools, left button
};

// buttonHeld: the left or right button is down during a move.
MouseAction RouteImageMouse(CursorKind toolCursor, ImageMouseEvent event, bool buttonHeld);

// A button was released over the image window: the drag ends (the front end releases the
// mouse capture). Returns true when the Adjust Selection dialog must open: a left release
// with a selection tool while a selection exists.
bool HandleImageButtonUp(const ViewState& view, Selection& selection, bool leftButton);

}  // namespace rastrix

#pragma once
#include "editor/Command.h"
#include "editor/SelectionState.h"

namespace rastrix {

struct Editor;

// The selection becomes active: Cut, Adjust Selection, Crop and Unselect become available and
// Restore Selection does not; a rectangle also allows shifting, another shape forbids rotating
// and flipping. Does not repaint; the caller invalidates the image window.
void BeginSelection(Editor& ed);

// The selection goes (the rectangle is kept): the Adjust Selection dialog closes, Cut, Adjust
// Selection, Crop and Unselect become unavailable, Restore Selection becomes available when the
// kept rectangle is not empty, rotating and flipping are allowed again and shifting is not.
// Does not repaint; the caller invalidates the image window.
void EndSelection(Editor& ed);

// The rule of a drag and of Restore Selection: each side on its own into the image's edges,
// left and right into [0, imageWidth], top and bottom into [0, imageHeight].
void ClampSelectionSidesToImage(Editor& ed);

// The same rule, applied only to an active selection: after the image changed size under it
// (Undo to a level of another size, Change Image Size) it is held inside, so every command that
// reads the selection may trust it. A kept, inactive rectangle is left for Restore Selection,
// which holds it inside itself.
void ClampActiveSelectionSidesToImage(Editor& ed);

// True while a selection is active.
bool HasSelection(const Editor& ed);

// The rules of the commands that work on the selection: an active one (Crop), an active
// rectangle (the shifts), and the whole image or a selected rectangle (the turns and flips).
// Each needs an image first.
Availability SelectionRule(const Editor& ed);
Availability RectangleRule(const Editor& ed);
Availability TurnRule(const Editor& ed);

}  // namespace rastrix

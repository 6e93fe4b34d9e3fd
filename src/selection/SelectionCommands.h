#pragma once
#include "editor/Command.h"

namespace rastrix {

struct Editor;

// Adjust Selection, Crop, Mark Border, Restore Selection, Unselect and the seven tools.
CommandList SelectionCommands();

// Their runs; Mark Border's is in MarkBorder.h.

// The seven tools (Pen 320 to Line 326): the tool's cursor, for the four selection tools the
// selection shape, and the current tool (checked on the menu, held down on the drawing bar);
// with an active selection the outline is redrawn. Pen, Bucket and Pick Color keep the
// selection and its shape.
void ChooseTool(Editor& ed, CommandId toolCommand);

// Unselect: the selection goes (its rectangle is kept for Restore Selection).
void Unselect(Editor& ed);

// Restore Selection: the kept rectangle becomes the active selection again, held inside the
// current image, and the Adjust Selection dialog opens. Nothing happens without an image or
// when nothing was ever selected.
void RestoreSelection(Editor& ed);

// Crop: the image becomes the selection's bounding rectangle, as a new undo level; the
// selection goes. A selection without width or height is refused with a message and changes
// nothing.
void Crop(Editor& ed);

// Edit > Adjust Selection (and a click on the selection part of the status bar).
void AdjustSelection(Editor& ed);

inline constexpr const char* kCropEmptySelectionText =
    "The selection has no width or no height, so there is nothing to crop to. "
    "Select an area at least one pixel wide and one pixel high.";

}  // namespace rastrix

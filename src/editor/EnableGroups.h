#pragma once
#include "editor/CommandStates.h"

namespace rastrix {

// Enabling a command enables its menu item and sets its button, on whichever existing bar
// carries it, to ButtonBits::Enabled; disabling greys the item and makes the button
// indeterminate. The two halves always move together here; where the menu and the button
// differ, a caller has set only one of them.
void EnableCommand(CommandStates& states, int id);
void DisableCommand(CommandStates& states, int id);

// An image exists (open, New, Join, Paste into New File): Save As, Copy, Change Image Size,
// Scale Image, Reduce Colours and Mark Border become available (Copy and Mark Border also on
// the tool bar; the others have no button), then EnableRotateFlip.
void EnableImageCommands(CommandStates& states);
void EnableRotateFlip(CommandStates& states);   // 304..308
void DisableRotateFlip(CommandStates& states);  // 304..308
void EnableShift(CommandStates& states);        // 309..312
void DisableShift(CommandStates& states);       // 309..312

// The command-state halves of marking the document modified or unmodified: Save follows.
// The document's own flag is set by the image stack.
void SetModifiedStates(CommandStates& states);
void ClearModifiedStates(CommandStates& states);

// The command-state halves of starting and ending a selection. selectionShape is the
// shape command 323..326. restorable: the kept selection rectangle is not empty, so
// Restore Selection becomes available; otherwise Restore Selection stays as it was.
void BeginSelectionStates(CommandStates& states, int selectionShape);
void EndSelectionStates(CommandStates& states, bool restorable);

// Paste and Paste into New File follow whether the clipboard holds a bitmap. Only the
// Paste button exists; both menu items follow.
void SetPasteStates(CommandStates& states, bool clipboardHasBitmap);

// The five fill commands as every image-window paint leaves them: all greyed, then with a
// selection all five again for a rectangle, rounded rectangle or ellipse, and only
// Fill Line/Perimeter for a line.
void UpdateFillStates(CommandStates& states, bool hasSelection, int selectionShape);

}  // namespace rastrix

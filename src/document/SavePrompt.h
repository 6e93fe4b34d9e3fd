#pragma once

namespace rastrix {

struct Editor;

// "<name> has been modified. Would you like to save it?" with Yes, No and Cancel. Yes saves
// (asking for a name when the image has no file yet). Returns DialogAnswer::Yes, DialogAnswer::No
// or DialogAnswer::Cancel; a Yes whose save was cancelled or failed returns DialogAnswer::Cancel,
// so the caller keeps the unsaved image.
int AskToSave(Editor& ed);

}  // namespace rastrix

#pragma once

namespace rastrix {

struct Editor;

// What Change Image Size is asked for; both front ends fill one in and call RunChangeImageSize.
struct ChangeSizeParams {
    int width = 0;   // 1..65535, at most 2^28 pixels in all with height
    int height = 0;
};

// A new level of the given size with the old pixels at the top-left corner and any new area in
// the background colour; nothing is scaled. One Undo brings the old size back, and an active
// selection is held inside the new image. Without an image, with a size that cannot be made, or
// when memory runs short, the user is told why and the document is left as it was (false).
bool RunChangeImageSize(Editor& ed, const ChangeSizeParams& params);

// Edit > Change Image Size: asks for the size (ChangeSizeDialog) and runs it. Does nothing
// without an image or on Cancel.
void ChangeSizeCommand(Editor& ed);

}  // namespace rastrix

#pragma once
#include "editor/Editor.h"

namespace rastrix {

// The texts of the status bar now, read off the editor: part 0 the image, part 1 the pointer
// text as the last mouse move left it, part 4 the selection; the swatch parts 2 and 3 have
// none. Empty without an image, apart from part 1. The front end asks after every event.
StatusTexts ShownStatus(const Editor& ed);

}  // namespace rastrix

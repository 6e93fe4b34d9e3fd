#pragma once
#include "editor/Command.h"

namespace rastrix {

// New, Open, Join Files, the start-up open, Save, Save As, Undo, Change Image Size, Scale
// Image, Reduce Colours and the recent files.
CommandList DocumentCommands();

}  // namespace rastrix

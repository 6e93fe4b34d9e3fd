#pragma once
#include "editor/Command.h"

namespace rastrix {

// Cut, Copy, Paste, Paste into New File, the five turns and flips and the four shifts.
CommandList EditCommands();

}  // namespace rastrix

#pragma once
#include "editor/Command.h"

namespace rastrix {

// Exit, Show Drawing Tools, the five view modes, the help commands and About.
CommandList FrameCommands();

}  // namespace rastrix

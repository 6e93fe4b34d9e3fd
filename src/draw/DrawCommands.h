#pragma once
#include "editor/Command.h"

namespace rastrix {

// Set Foreground Color, Set Background Color, Set Line Style, Set Fill Style and the five fills.
CommandList DrawCommands();

}  // namespace rastrix

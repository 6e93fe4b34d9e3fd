#pragma once
#include <optional>
#include <string>

#include "batch/BatchOptions.h"
#include "editor/Command.h"
#include "raster/Bitmap.h"

namespace rastrix {
struct Editor;
}

namespace rastrix::batch {

// What one file's steps remember between them: the direction a line selection is marked in.
struct StepMemory {
    bool risingLine = false;
    // A picture's alpha kept for a 32-bit file: it follows the commands that move pixels
    // (see AlphaFollower).
    std::optional<Bitmap> alpha;
};

// Runs one step on the editor's image the way the editor's menu, tools, dialogs or mouse would:
// the same command handlers through the same dispatch. Returns why the file fails at this step
// (a command whose rule refuses it here, a point beyond the image, or the editor's own report),
// empty when it went well. The levels the command leaves for Undo are freed at once.
// Colours and styles: steps that change no pixel, only what the commands after them use.
bool IsStyle(StepKind kind);

std::string RunStep(Editor& ed, const Step& step, StepMemory& memory);

// Why the command of `id` cannot run, as `why` says, in the words of the command line: the
// option that asked for it and what to give before it. Empty when it can run.
std::string RefusalText(CommandId id, const Availability& why);

}  // namespace rastrix::batch

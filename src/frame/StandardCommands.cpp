// The registration point: every layer's list of the commands it owns is entered here.
#include "document/DocumentCommands.h"
#include "draw/DrawCommands.h"
#include "edit/EditCommands.h"
#include "frame/CommandDispatch.h"
#include "frame/FrameCommands.h"
#include "selection/SelectionCommands.h"

namespace rastrix {

CommandRegistry MakeStandardCommands() {
    CommandRegistry commands;
    commands.Add(FrameCommands());
    commands.Add(DocumentCommands());
    commands.Add(SelectionCommands());
    commands.Add(EditCommands());
    commands.Add(DrawCommands());
    return commands;
}

}  // namespace rastrix

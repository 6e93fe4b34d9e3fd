// The registration point: every layer's list of the commands it owns is entered here, and then
// the record of each command that keeps its own (its line in the command list says Own).
#include "document/DocumentCommands.h"
#include "draw/DrawCommands.h"
#include "edit/EditCommands.h"
#include "frame/CommandDispatch.h"
#include "frame/FrameCommands.h"
#include "selection/SelectionCommands.h"

namespace rastrix {
namespace {

// A command's own record under the id its line gives.
Command Identified(Command record, CommandId id) {
    record.id = id;
    return record;
}

}  // namespace

CommandRegistry MakeStandardCommands() {
    CommandRegistry commands;
    commands.Add(FrameCommands());
    commands.Add(DocumentCommands());
    commands.Add(SelectionCommands());
    commands.Add(EditCommands());
    commands.Add(DrawCommands());
#define RASTRIX_ADD_OWN_RECORD_Layer(name)
#define RASTRIX_ADD_OWN_RECORD_Own(name) commands.Add(Identified(name##Record(), CommandId::name));
#define RASTRIX_ADD_OWN_RECORD(name, number, menuText, starts, bar, image, state, toolTip, key, addedTo, record) \
    RASTRIX_ADD_OWN_RECORD_##record(name)
    RASTRIX_COMMANDS(RASTRIX_ADD_OWN_RECORD)
#undef RASTRIX_ADD_OWN_RECORD
    return commands;
}

}  // namespace rastrix

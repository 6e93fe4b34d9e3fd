// The registration point: every command's handler is entered here, next to the
// subsystem that owns it.
#include "app/CommandChecks.h"
#include "app/CommandDispatch.h"
#include "app/Editor.h"
#include "app/FrameCommands.h"
#include "selection/SelectionCommands.h"

namespace rastrix {
CommandHandlers MakeStandardCommandHandlers() {
    CommandHandlers h;
    RegisterFrameCommands(h);
    RegisterViewCommands(h);
    RegisterDocumentCommands(h);
    RegisterSelectionCommands(h);
    return h;
}

}  // namespace rastrix

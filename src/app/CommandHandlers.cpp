// The registration point: every command's handler is entered here, next to the
// subsystem that owns it.
#include "app/CommandChecks.h"
#include "app/CommandDispatch.h"
#include "app/Editor.h"
#include "app/FrameCommands.h"

namespace rastrix {
CommandHandlers MakeStandardCommandHandlers() {
    CommandHandlers h;
    RegisterFrameCommands(h);
    RegisterViewCommands(h);
    RegisterDocumentCommands(h);
    return h;
}

}  // namespace rastrix

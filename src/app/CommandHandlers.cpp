// The registration point: every command's handler is entered here, next to the
// subsystem that owns it.
#include "app/CommandChecks.h"
#include "app/CommandDispatch.h"
#include "app/Editor.h"

namespace rastrix {
namespace {

void OnToggleReservedFlag(Editor& editor) { ToggleReservedFlag(editor.commands, editor.settings); }

}  // namespace

CommandHandlers MakeStandardCommandHandlers() {
    CommandHandlers h;
    // Application frame
    h.Register(IDM_TOOLBAR_272, OnToggleReservedFlag);
    return h;
}

}  // namespace rastrix

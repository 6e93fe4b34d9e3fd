// The registration point: every command's handler is entered here, next to the
// subsystem that owns it.
#include "app/CommandChecks.h"
#include "app/CommandDispatch.h"
#include "app/Editor.h"
#include "app/FrameCommands.h"
#include "document/SavePrompt.h"
#include "edit/Clipboard.h"
#include "edit/RotateFlip.h"
#include "edit/Shift.h"
#include "selection/MarkBorder.h"
#include "selection/SelectionCommands.h"

namespace rastrix {
namespace {

void OnPaste(Editor& editor, int id) { PasteClipboard(editor, id, [&editor] { return AskToSave(editor); }); }

}  // namespace

CommandHandlers MakeStandardCommandHandlers() {
    CommandHandlers h;
    RegisterFrameCommands(h);
    RegisterViewCommands(h);
    RegisterDocumentCommands(h);
    // Selection
    h.Register(IDM_ADJUST, AdjustSelection);
    h.Register(IDM_CROP, Crop);
    h.Register(IDM_MARKBORDER, MarkBorder);
    h.Register(IDM_RESTORESEL, RestoreSelection);
    h.Register(IDM_UNSELECT, Unselect);
    for (int id = IDM_PEN; id <= IDM_LINE; ++id) h.Register(id, ChooseTool);
    // Edit operations
    h.Register(IDM_CUT, CopySelection);
    h.Register(IDM_COPY, CopySelection);
    h.Register(IDM_PASTE, OnPaste);
    h.Register(IDM_PASTENEW, OnPaste);
    for (int id = IDM_ROT90CW; id <= IDM_FLIPV; ++id) h.Register(id, RotateFlip);
    for (int id = IDM_SHIFTL; id <= IDM_SHIFTD; ++id) h.Register(id, ShiftSelection);
    return h;
}

}  // namespace rastrix

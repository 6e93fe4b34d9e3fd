#include "frame/FrameCommands.h"

#include "document/ChangeSize.h"
#include "document/Join.h"
#include "document/NewImage.h"
#include "document/OpenFile.h"
#include "document/ReduceColours.h"
#include "document/SaveFile.h"
#include "document/ScaleImage.h"
#include "document/Undo.h"
#include "editor/CommandChecks.h"
#include "editor/Editor.h"
#include "editor/ImageStack.h"
#include "frame/AboutDialog.h"
#include "frame/CommandDispatch.h"
#include "frame/FrameDrawingTools.h"
#include "frame/Help.h"
#include "view/EditorView.h"
#include "view/ViewCommands.h"

namespace rastrix {

namespace {

void Exit(Editor& ed) { ed.closeRequested = true; }

void DrawTools(Editor& ed) {
    const DrawingToolsChange change = ToggleDrawingTools(ed.frame, ed.settings);
    SyncDrawingToolsStates(ed.commands, ed.settings);
    if (change.laidOut) LayoutImageWindow(ed);
}

void ToggleReserved(Editor& ed) { ToggleReservedFlag(ed.commands, ed.settings); }
void Help(Editor& ed) { ShowHelp(ed.host); }
void Shortcuts(Editor& ed) { ShowShortcutKeys(ed.host); }
void Website(Editor& ed) { OpenProgramPage(ed.host); }

void View(Editor& ed, int id) {
    const auto result = RunViewCommand(std::int16_t(id), ed.view, ed.settings, CurrentViewArea(ed),
                                       ed.doc.imageWidth, ed.doc.imageHeight);
    if (!result) return;
    if (result->modeChange) MoveViewModeCheck(ed.commands, result->modeChange->unchecked, result->modeChange->checked);
    if (result->invalidated) InvalidateImageWindow(ed);
}

}  // namespace

void RegisterViewCommands(CommandHandlers& h) {
    for (int id = IDM_FIT; id <= IDM_ZOOM8; ++id) h.Register(id, View);
}

void RegisterDocumentCommands(CommandHandlers& h) {
    h.Register(IDM_NEW, NewCommand);
    h.Register(IDM_OPEN, OpenCommand);
    h.Register(IDM_JOIN, JoinCommand);
    h.Register(IDM_OPEN_NAMED, OpenNamedCommand);
    h.Register(IDM_SAVE, SaveCommand);
    h.Register(IDM_SAVEAS, SaveAsCommand);
    h.Register(IDM_UNDO, Undo);
    h.Register(IDM_CHGSIZE, ChangeSizeCommand);
    h.Register(kScaleImageCommand, ScaleImageCommand);
    h.Register(kReduceColoursCommand, ReduceColoursCommand);
    for (int k = 0; k < kRecentCount; ++k) h.Register(IDM_RECENT0 + k, OpenRecentCommand);
}

void RegisterFrameCommands(CommandHandlers& h) {
    h.Register(IDM_EXIT, Exit);
    h.Register(IDM_TOOLBAR_272, ToggleReserved);
    h.Register(IDM_DRAWTOOLS, DrawTools);
    h.Register(IDM_HELP, Help);
    h.Register(IDM_SHORTCUTS, Shortcuts);
    h.Register(IDM_WEBSITE, Website);
    h.Register(IDM_ABOUT, AboutCommand);
}

}  // namespace rastrix

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
    for (int id = CommandId::FitToWindow; id <= CommandId::Magnify8; ++id) h.Register(id, View);
}

void RegisterDocumentCommands(CommandHandlers& h) {
    h.Register(CommandId::New, NewCommand);
    h.Register(CommandId::Open, OpenCommand);
    h.Register(CommandId::JoinFiles, JoinCommand);
    h.Register(CommandId::OpenNamed, OpenNamedCommand);
    h.Register(CommandId::Save, SaveCommand);
    h.Register(CommandId::SaveAs, SaveAsCommand);
    h.Register(CommandId::Undo, Undo);
    h.Register(CommandId::ChangeImageSize, ChangeSizeCommand);
    h.Register(CommandId::ScaleImage, ScaleImageCommand);
    h.Register(CommandId::ReduceColours, ReduceColoursCommand);
    for (int k = 0; k < kRecentCount; ++k) h.Register(CommandId::FirstRecentFile + k, OpenRecentCommand);
}

void RegisterFrameCommands(CommandHandlers& h) {
    h.Register(CommandId::Exit, Exit);
    h.Register(CommandId::ToggleReservedFlag, ToggleReserved);
    h.Register(CommandId::ShowDrawingTools, DrawTools);
    h.Register(CommandId::HelpContents, Help);
    h.Register(CommandId::ShortcutKeys, Shortcuts);
    h.Register(CommandId::VisitWebsite, Website);
    h.Register(CommandId::About, AboutCommand);
}

}  // namespace rastrix

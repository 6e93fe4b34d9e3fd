#include "frame/FrameCommands.h"

#include "editor/Editor.h"
#include "frame/AboutDialog.h"
#include "frame/FrameDrawingTools.h"
#include "frame/Help.h"
#include "view/EditorView.h"
#include "view/ViewCommands.h"

namespace rastrix {

namespace {

void Exit(Editor& ed) { ed.closeRequested = true; }

void DrawTools(Editor& ed) {
    const DrawingToolsChange change = ToggleDrawingTools(ed.frame, ed.settings);
    if (change.laidOut) LayoutImageWindow(ed);
}

// No menu item, button or key carries this command, so only the stored flag changes.
void ToggleReserved(Editor& ed) { ed.settings.reservedFlag ^= kCheckedByte; }
void Help(Editor& ed) { ShowHelp(ed.host); }
void Shortcuts(Editor& ed) { ShowShortcutKeys(ed.host); }
void Website(Editor& ed) { OpenProgramPage(ed.host); }

template <ViewMode Mode>
void View(Editor& ed) {
    const ViewCommandResult result =
        RunViewCommand(Mode, ed.view, ed.settings, CurrentViewArea(ed), ed.doc.imageWidth, ed.doc.imageHeight);
    if (result.invalidated) InvalidateImageWindow(ed);
}

bool DrawingToolsShown(const Editor& ed) { return ed.settings.showDrawingTools != 0; }

template <ViewMode Mode>
bool IsViewMode(const Editor& ed) {
    return ed.settings.viewMode == StoredViewMode(Mode);
}

template <ViewMode Mode>
constexpr Command ViewModeCommand() {
    return {ViewCommand(Mode), nullptr, IsViewMode<Mode>, nullptr, View<Mode>};
}

const Command kCommands[] = {
    {CommandId::Exit, nullptr, nullptr, nullptr, Exit},
    {CommandId::ToggleReservedFlag, nullptr, nullptr, nullptr, ToggleReserved},
    {CommandId::ShowDrawingTools, nullptr, DrawingToolsShown, nullptr, DrawTools},
    ViewModeCommand<ViewMode::Fit>(),
    ViewModeCommand<ViewMode::Actual>(),
    ViewModeCommand<ViewMode::Zoom2>(),
    ViewModeCommand<ViewMode::Zoom4>(),
    ViewModeCommand<ViewMode::Zoom8>(),
    {CommandId::HelpContents, nullptr, nullptr, nullptr, Help},
    {CommandId::ShortcutKeys, nullptr, nullptr, nullptr, Shortcuts},
    {CommandId::VisitWebsite, nullptr, nullptr, nullptr, Website},
    {CommandId::About, nullptr, nullptr, nullptr, AboutCommand},
};

}  // namespace

CommandList FrameCommands() { return kCommands; }

}  // namespace rastrix

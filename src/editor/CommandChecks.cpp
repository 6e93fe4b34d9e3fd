#include "editor/CommandChecks.h"

#include "editor/EnableGroups.h"

namespace rastrix {
namespace {

constexpr std::uint8_t kCheckedFlag = 8;  // the menu's "checked" value, kept in on/off bytes

bool IsViewCommand(int id) { return id >= CommandId::FitToWindow && id <= CommandId::Magnify8; }
bool IsToolCommand(int id) { return id >= CommandId::Pen && id <= CommandId::LineSelection; }

}  // namespace

void ApplyStartChecks(CommandStates& states, const SettingsRecord& settings) {
    const bool drawingTools = settings.showDrawingTools != 0;
    states.CheckMenuItem(CommandId::ShowDrawingTools, drawingTools);
    states.CheckMenuItem(settings.viewMode, true);
    states.CheckMenuItem(settings.currentTool, true);
    states.PressButton(CommandId::ShowDrawingTools, drawingTools);
    states.PressButton(settings.viewMode, true);
    if (drawingTools) ShowDrawingToolBar(states, settings);
}

void MoveViewModeCheck(CommandStates& states, int from, int to) {
    states.CheckMenuItem(from, false);
    states.PressButton(from, false);
    states.CheckMenuItem(to, true);
    states.PressButton(to, true);
}

void CheckViewMode(CommandStates& states, SettingsRecord& settings, int command) {
    if (!IsViewCommand(command) || settings.viewMode == command) return;
    MoveViewModeCheck(states, settings.viewMode, command);
    settings.viewMode = static_cast<std::int16_t>(command);
}

void CheckTool(CommandStates& states, SettingsRecord& settings, int command) {
    if (!IsToolCommand(command) || settings.currentTool == command) return;
    states.CheckMenuItem(settings.currentTool, false);
    states.CheckMenuItem(command, true);
    // Without the drawing bar these two do nothing.
    states.PressButton(settings.currentTool, false);
    states.PressButton(command, true);
    settings.currentTool = static_cast<std::int16_t>(command);
}

void ShowDrawingToolBar(CommandStates& states, const SettingsRecord& settings) {
    states.CreateDrawingToolBar();
    states.PressButton(settings.currentTool, true);
    // The bar is made with its fill buttons indeterminate; a selection that is already active
    // must not have to wait for the next paint of the image window to be fillable.
    UpdateFillStates(states, settings.hasSelection != 0, settings.selectionShape);
}

void HideDrawingToolBar(CommandStates& states) { states.DestroyDrawingToolBar(); }

bool SyncDrawingToolsStates(CommandStates& states, const SettingsRecord& settings) {
    const bool shown = settings.showDrawingTools != 0;
    if (shown)
        ShowDrawingToolBar(states, settings);
    else
        HideDrawingToolBar(states);
    states.CheckMenuItem(CommandId::ShowDrawingTools, shown);
    states.PressButton(CommandId::ShowDrawingTools, shown);
    return shown;
}

void ToggleReservedFlag(CommandStates& states, SettingsRecord& settings) {
    settings.reservedFlag ^= kCheckedFlag;
    const bool on = settings.reservedFlag != 0;
    states.CheckMenuItem(CommandId::ToggleReservedFlag, on);
    states.PressButton(CommandId::ToggleReservedFlag, on);
}

}  // namespace rastrix

#pragma once
#include "editor/CommandStates.h"
#include "editor/SettingsRecord.h"

namespace rastrix {

// The checks and held-down buttons of a new frame: Show Drawing Tools after
// showDrawingTools, the view mode and the current tool in the menu, and on the main bar
// Show Drawing Tools and the view mode held down. When the drawing tools are on, the
// drawing bar is created with the current tool held down.
void ApplyStartChecks(CommandStates& states, const SettingsRecord& settings);

// Radio-like choice of the view mode (274..278): the old mode's item is unchecked and its
// button released, the new one checked and held down, and viewMode set. Nothing happens
// when the command already is the view mode or is no view command.
void CheckViewMode(CommandStates& states, SettingsRecord& settings, int command);
// The check and held-down button move from one view mode to another (viewMode already changed).
void MoveViewModeCheck(CommandStates& states, int from, int to);

// The same for the current tool (320..326), whose buttons live on the drawing bar and so
// move only while it exists.
void CheckTool(CommandStates& states, SettingsRecord& settings, int command);

// The drawing bar as the drawing tools are shown (a fresh bar, current tool held down, fill
// buttons as the selection allows) and hidden.
void ShowDrawingToolBar(CommandStates& states, const SettingsRecord& settings);
void HideDrawingToolBar(CommandStates& states);

// After Show Drawing Tools flipped showDrawingTools: shows or hides the drawing bar and sets
// the check and the held-down button to match. Returns whether the tools are shown.
bool SyncDrawingToolsStates(CommandStates& states, const SettingsRecord& settings);

// Flips reservedFlag between 0 and 8 and shows it as a check and a held-down button. No
// menu item or button carries this command, so only the stored flag changes.
void ToggleReservedFlag(CommandStates& states, SettingsRecord& settings);

}  // namespace rastrix

#pragma once
#include <cstdint>

#include "editor/SettingsRecord.h"
#include "frame/FrameSizing.h"

namespace rastrix {

// The on/off byte the menu check and the pressed tool-bar button show.
inline constexpr std::uint8_t kCheckedByte = 8;

struct DrawingToolsChange {
    bool shown = false;    // the bar and its colour bar now exist
    bool laidOut = false;  // a layout pass ran (showing lays out; hiding does not)
};

// The command that shows or hides the drawing tools. The setting flips between 0 and 8. Showing
// creates the bar and lays the frame out again; hiding only removes the bar, so its band stays
// empty until the next layout pass. After a pass the caller lays out the image window.
// At creation nothing is needed: InitFrameState takes the setting, and the first resize lays
// the bar out.
DrawingToolsChange ToggleDrawingTools(FrameState& state, SettingsRecord& settings);

}  // namespace rastrix

#include "app/FrameDrawingTools.h"

namespace rastrix {

DrawingToolsChange ShowDrawingTools(FrameState& state, SettingsRecord& settings) {
    state.drawingToolsShown = true;
    const bool laidOut = OnFrameResize(state, settings, SizeKind::Relayout, 0, 0);
    return {true, laidOut};
}

DrawingToolsChange ToggleDrawingTools(FrameState& state, SettingsRecord& settings) {
    // Any non-zero byte counts as on, so a stray value read from disk cannot leave the tools
    // stuck on: the stored byte is 0 or 8 after every toggle.
    settings.showDrawingTools = settings.showDrawingTools != 0 ? 0 : kCheckedByte;
    if (settings.showDrawingTools != 0) return ShowDrawingTools(state, settings);
    state.drawingToolsShown = false;
    return {false, false};
}

}  // namespace rastrix

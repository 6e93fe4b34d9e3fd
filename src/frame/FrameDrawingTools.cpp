#include "frame/FrameDrawingTools.h"

namespace rastrix {

DrawingToolsChange ToggleDrawingTools(FrameState& state, SettingsRecord& settings) {
    // Any non-zero byte counts as on, so a stray value read from disk cannot leave the tools
    // stuck on: the stored byte is 0 or 8 after every toggle.
    settings.showDrawingTools = settings.showDrawingTools != 0 ? 0 : kCheckedByte;
    state.drawingToolsShown = settings.showDrawingTools != 0;
    // Hiding does not lay out again; showing does (unless minimised, when the restore will).
    const bool laidOut = state.drawingToolsShown && OnFrameResize(state, SizeKind::Relayout, 0, 0);
    return {state.drawingToolsShown, laidOut};
}

}  // namespace rastrix

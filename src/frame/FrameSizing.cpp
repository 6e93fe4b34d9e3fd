#include "frame/FrameSizing.h"

#include "frame/FrameLayout.h"

namespace rastrix {

FrameState InitFrameState(const SettingsRecord& settings, const FrameMetrics& metrics,
                          std::uint8_t vScrollWidth, std::uint8_t hScrollHeight) {
    FrameState s;
    s.drawingToolsShown = settings.showDrawingTools != 0;
    s.restoredRect = settings.windowRect;
    s.metrics = metrics;
    s.vScrollWidth = vScrollWidth;
    s.hScrollHeight = hScrollHeight;
    return s;
}

void RunFrameLayout(FrameState& state) {
    state.layout = ComputeFrameLayout(state.layout.clientWidth, state.layout.clientHeight,
                                      state.drawingToolsShown, state.metrics);
    // Once set it stays: status-bar mouse positions are measured against it.
    if (state.drawingToolsShown) state.drawingBarHeight = kDrawingBarBand;
}

bool OnFrameResize(FrameState& state, SizeKind kind, int clientWidth,
                   int clientHeight, std::optional<WindowRect> frameRect) {
    switch (kind) {
        case SizeKind::Minimized:
            state.minimized = true;
            return false;
        case SizeKind::Restored:
            state.minimized = false;
            state.maximizedNow = 0;
            if (frameRect) state.restoredRect = *frameRect;
            break;
        case SizeKind::Maximized:
            state.minimized = false;
            state.maximizedNow = 1;
            break;
        case SizeKind::Relayout:
            if (state.minimized) return false;
            clientWidth = state.layout.clientWidth;
            clientHeight = state.layout.clientHeight;
            break;
    }
    state.layout.clientWidth = clientWidth;
    state.layout.clientHeight = clientHeight;
    RunFrameLayout(state);
    return true;
}

void OnFrameMoved(FrameState& state, const WindowRect& frameRect) {
    if (!state.minimized && state.maximizedNow == 0) state.restoredRect = frameRect;
}

std::optional<Rect> LeftoverDrawingBand(const FrameState& state) {
    if (state.drawingToolsShown || !state.layout.hasDrawingBar) return std::nullopt;
    return state.layout.drawingToolBar;
}

}  // namespace rastrix

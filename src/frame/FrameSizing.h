#pragma once
#include <cstdint>
#include <optional>

#include "editor/FrameState.h"
#include "editor/SettingsRecord.h"

namespace rastrix {

// The state at creation: the drawing tools come up as the settings say, and the restored
// rectangle starts as the one the frame is created with.
FrameState InitFrameState(const SettingsRecord& settings, const FrameMetrics& metrics = {},
                          std::uint8_t vScrollWidth = kScrollBarExtent,
                          std::uint8_t hScrollHeight = kScrollBarExtent);

// A resize of the frame's client area. Updates maximizedNow, and runs a layout pass unless the
// frame is minimised (its client area is empty then; the layout waits for the restore).
// frameRect is the frame's outer rectangle when the front end knows it.
// Returns true when a layout pass ran; the caller then lays out the image window.
bool OnFrameResize(FrameState& state, SizeKind kind, int clientWidth,
                   int clientHeight, std::optional<WindowRect> frameRect = std::nullopt);

// The frame was moved without a change of size.
void OnFrameMoved(FrameState& state, const WindowRect& frameRect);

// One layout pass at the current client size. Marks drawingBarHeight 38 while the bar exists.
void RunFrameLayout(FrameState& state);

// The band left empty after the drawing tools were hidden, until the next layout pass.
std::optional<Rect> LeftoverDrawingBand(const FrameState& state);

}  // namespace rastrix

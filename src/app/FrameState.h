#pragma once
#include <cstdint>
#include <optional>

#include "app/FrameLayout.h"
#include "app/SettingsRecord.h"

namespace rastrix {

// Scroll-bar extents the view keeps room for when the platform does not say otherwise.
inline constexpr std::uint8_t kScrollBarExtent = 17;

// The frame's own UI state, apart from what the settings record holds (showDrawingTools,
// drawingBarHeight, maximized, windowRect).
struct FrameState {
    bool drawingToolsShown = false;  // the drawing-tools bar and its colour bar exist
    bool minimized = false;
    std::uint8_t maximizedNow = 0;   // follows restore and maximise; minimising leaves it
    // Outer rectangle of the frame the last time it was neither minimised nor maximised.
    WindowRect restoredRect{};
    // The last layout pass. It is kept as it is until the next pass, so hiding the drawing
    // tools leaves their band empty until then.
    FrameLayout layout{};
    FrameMetrics metrics{};
    std::uint8_t vScrollWidth = kScrollBarExtent;  // read once when the frame is created
    std::uint8_t hScrollHeight = kScrollBarExtent;
};

// How a resize reached the frame. Relayout is the frame asking itself to lay out again at its
// current size (after showing the drawing tools, or on a button release over its own area).
enum class SizeKind { Restored, Minimized, Maximized, Relayout };

// The state at creation: the drawing tools come up as the settings say, and the restored
// rectangle starts as the one the frame is created with.
FrameState InitFrameState(const SettingsRecord& settings, const FrameMetrics& metrics = {},
                          std::uint8_t vScrollWidth = kScrollBarExtent,
                          std::uint8_t hScrollHeight = kScrollBarExtent);

// A resize of the frame's client area. Updates maximizedNow, and runs a layout pass unless the
// frame is minimised (its client area is empty then; the layout waits for the restore).
// frameRect is the frame's outer rectangle when the front end knows it.
// Returns true when a layout pass ran; the caller then lays out the image window.
bool OnFrameResize(FrameState& state, SettingsRecord& settings, SizeKind kind, int clientWidth,
                   int clientHeight, std::optional<WindowRect> frameRect = std::nullopt);

// The frame was moved without a change of size.
void OnFrameMoved(FrameState& state, const WindowRect& frameRect);

// One layout pass at the current client size. Marks drawingBarHeight 38 while the bar exists.
void RunFrameLayout(FrameState& state, SettingsRecord& settings);

// The band left empty after the drawing tools were hidden, until the next layout pass.
std::optional<Rect> LeftoverDrawingBand(const FrameState& state);

}  // namespace rastrix

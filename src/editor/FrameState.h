#pragma once
#include <array>
#include <cstdint>

#include "editor/SettingsRecord.h"
#include "raster/Geometry.h"

namespace rastrix {

// The frame as plain data: the Editor holds it, the view reads the band it leaves for the image
// window; frame/ lays it out.

// Heights of the two bars the platform sizes by itself. The front end may pass the heights its
// widgets really have; these defaults are what a classic desktop gives a 16-pixel-image tool bar
// and a one-line status bar.
inline constexpr int kMainToolBarHeight = 28;
inline constexpr int kStatusBarHeight = 22;

struct FrameMetrics {
    int mainToolBarHeight = kMainToolBarHeight;
    int statusBarHeight = kStatusBarHeight;
};

// Where everything of the frame stands after one layout pass, in frame client coordinates
// (the colour bar in drawing-tools-bar coordinates).
struct FrameLayout {
    int clientWidth = 0;
    int clientHeight = 0;
    Rect mainToolBar;
    Rect statusBar;
    std::array<int, 5> statusPartEdges{};  // right edges of the five status parts
    int viewAreaTop = 0;
    int viewAreaWidth = 0;
    int viewAreaHeight = 0;  // may be negative on a frame too small for its bars
    bool hasDrawingBar = false;
    Rect drawingToolBar;      // the 38-pixel band above the status bar; empty without the bar
    int swatchWidth = 0;      // 0 without the bar
    int colorBarWidth = 0;    // 24 swatches
    Rect colorBar;            // outer rectangle, edge included

    // The band the image window may use; empty when the frame is too small.
    Rect ViewArea() const { return {0, viewAreaTop, viewAreaWidth, viewAreaTop + viewAreaHeight}; }
    friend bool operator==(const FrameLayout&, const FrameLayout&) = default;
};

// Scroll-bar extents the view keeps room for when the platform does not say otherwise.
inline constexpr std::uint8_t kScrollBarExtent = 17;

// The frame's own UI state, apart from what the settings record holds (showDrawingTools,
// drawingBarHeight, maximized, windowRect).
struct FrameState {
    std::int32_t drawingBarHeight = 0;  // 38 once the drawing-tools bar has been laid out
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

}  // namespace rastrix

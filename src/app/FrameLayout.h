#pragma once
#include <array>

#include "raster/Geometry.h"

namespace rastrix {

// Heights of the two bars the platform sizes by itself. The front end may pass the heights its
// widgets really have; these defaults are what a classic desktop gives a 16-pixel-image tool bar
// and a one-line status bar.
inline constexpr int kMainToolBarHeight = 28;
inline constexpr int kStatusBarHeight = 22;

// Fixed parts of the frame's geometry.
inline constexpr int kViewAreaGap = 2;          // frame background between main tool bar and view area
inline constexpr int kDrawingBarBand = 38;      // band the drawing-tools bar takes above the status bar
inline constexpr int kColorBarLeft = 408;       // colour bar position inside the drawing-tools bar
inline constexpr int kColorBarTop = 2;
inline constexpr int kColorBarHeight = 26;
inline constexpr int kColorBarEdge = 4;         // sunken edge, 2 pixels each side
inline constexpr int kColorBarSwatches = 24;
inline constexpr int kColorBarReserve = 416;    // width left of, and around, the swatches
inline constexpr int kMinSwatchWidth = 8;

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


// Width of one colour-bar swatch for a frame client width: (width - 416) / 24, at least 8.
int SwatchWidthFor(int clientWidth);

// One layout pass over a client area of the given size.
FrameLayout ComputeFrameLayout(int clientWidth, int clientHeight, bool drawingToolsExist,
                               const FrameMetrics& metrics = {});

}  // namespace rastrix

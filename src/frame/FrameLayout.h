#pragma once
#include "editor/FrameState.h"

namespace rastrix {

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

// Width of one colour-bar swatch for a frame client width: (width - 416) / 24, at least 8.
int SwatchWidthFor(int clientWidth);

// One layout pass over a client area of the given size.
FrameLayout ComputeFrameLayout(int clientWidth, int clientHeight, bool drawingToolsExist,
                               const FrameMetrics& metrics = {});

}  // namespace rastrix

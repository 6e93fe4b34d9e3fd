#pragma once
#include <cstdint>
#include <vector>

#include "editor/SettingsRecord.h"
#include "editor/ViewState.h"
#include "raster/Geometry.h"

namespace rastrix {

// How the visible image reaches the window: a plain copy at 100 percent, averaging when the
// image is reduced, nearest colour (square blocks) when it is enlarged.
enum class BlitMode { None, Copy, Halftone, ColorOnColor };

// Which image rectangle lands on which window rectangle. Only the visible part of the image
// is named, so a renderer touches nothing else. source is inside the image; dest starts at
// the window's (0, 0); for Copy both have the same size, for the stretches source is scaled
// onto dest.
struct RenderPlan {
    BlitMode mode = BlitMode::None;
    Rect imagePart;  // (0, 0, part width, part height): the client area less the scroll-bar room
    Rect source;     // image pixels
    Rect dest;       // window pixels
    friend bool operator==(const RenderPlan&, const RenderPlan&) = default;
};

// The plan for the current zoom, view and scroll origin. In Fit mode the whole image is
// stretched onto the image part; otherwise the part shows part width x 100 / zoom columns
// (and rows) from the scroll origin. Where that runs past the image's edge the source is cut
// at the edge and dest shrinks in proportion.
RenderPlan ComputeRenderPlan(const ViewState& view, const SettingsRecord& settings, std::int32_t imageWidth,
                             std::int32_t imageHeight);

// The parts of a client area of the given size that the image does not cover (right strip,
// then bottom strip); the renderer fills them with the background. Empty strips are left out.
std::vector<Rect> UncoveredAreas(const RenderPlan& plan, std::int32_t clientWidth, std::int32_t clientHeight);

}  // namespace rastrix

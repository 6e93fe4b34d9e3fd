#pragma once
#include <cstdint>

#include "editor/SettingsRecord.h"
#include "editor/ViewState.h"

namespace rastrix {

enum class ScrollBarKind { Horizontal, Vertical };

// Scroll request codes, numbered as the platform numbers them. "Back" is left or up,
// "Forward" right or down.
enum class ScrollRequest : int {
    LineBack = 0,
    LineForward = 1,
    PageBack = 2,
    PageForward = 3,
    ThumbPosition = 4,
    ThumbTrack = 5,
    Top = 6,
    Bottom = 7,
    EndScroll = 8,
};

// Image columns and rows the window shows: the whole image in Fit mode, else the image part
// divided by the zoom.
struct VisibleSize {
    std::int32_t width = 0;
    std::int32_t height = 0;
};
VisibleSize ComputeVisibleImageSize(const ViewState& view, const SettingsRecord& settings, std::int32_t imageWidth,
                                    std::int32_t imageHeight);

// Refreshes visibleImageWidth/Height and both scroll bars: range 0..size-1, page the visible
// count, position the scroll origin; a bar whose page covers the image is hidden.
void UpdateScrollBars(ViewState& view, const SettingsRecord& settings, std::int32_t imageWidth,
                      std::int32_t imageHeight);

// One scroll request. One line is one image pixel; the thumb moves straight to its position
// (kept inside the scrollable range). Page, top, bottom, thumb-position and end requests do
// nothing. Returns true, and sets repaintNeeded, when the window must be painted again.
bool HandleScrollRequest(ViewState& view, ScrollBarKind bar, ScrollRequest request, std::int32_t thumbPosition,
                         std::int32_t imageWidth, std::int32_t imageHeight);

}  // namespace rastrix

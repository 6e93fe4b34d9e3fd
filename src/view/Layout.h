#pragma once
#include <cstdint>
#include <optional>

#include "editor/SettingsRecord.h"
#include "editor/ViewState.h"

namespace rastrix {

// The fixed zoom of a view: 100, 200, 400 or 800; 0 for Fit to Window and where there is no
// view (a stored number that is none).
std::int32_t ZoomForViewMode(std::optional<ViewMode> viewMode);

// The zoom that fits an image into the view band with an 8-pixel allowance: below 100 when
// the image must shrink, else a whole multiple of 100. Never less than 1, however small the
// band (a minimised frame has a negative band).
std::int32_t ComputeFitZoom(const ViewArea& area, std::int32_t imageWidth, std::int32_t imageHeight);

enum class LayoutOutcome { Skipped, Created, Moved };

// What one layout pass of the image window starts from: the band the frame leaves, the image,
// the view, the saved centre and the previous pass's horizontal scroll reserve.
struct LayoutRequest {
    ViewArea area;
    std::int32_t imageWidth = 0;
    std::int32_t imageHeight = 0;
    std::optional<ViewMode> viewMode = ViewMode::Actual;  // nullopt: a stored number that is no view
    std::int32_t zoomPercent = 100;  // the zoom of a fixed view; Fit to Window works out its own
    std::int32_t savedCenterX = 0;   // image column to centre on; 0 for none
    std::int32_t savedCenterY = 0;
    std::uint8_t hScrollReserve = 0;
};

// Where the image window goes, with which zoom, room for which scroll bars, and which image
// pixel shows at its top-left corner.
struct ImageWindowLayout {
    std::int32_t zoomPercent = 100;
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint8_t vScrollReserve = 0;
    std::uint8_t hScrollReserve = 0;
    std::int32_t scrollOriginX = 0;
    std::int32_t scrollOriginY = 0;
};

// Sizes and places the image window in the view band for the image and view, decides which
// scroll bars get room, and the scroll origin: around the saved centre when one was saved,
// else centred. Nothing (nullopt) while there is no image. Changes nothing itself.
std::optional<ImageWindowLayout> LayoutImageWindow(const LayoutRequest& request);

LayoutRequest LayoutRequestFor(const ViewState& view, const SettingsRecord& settings, const ViewArea& area,
                               std::int32_t imageWidth, std::int32_t imageHeight);

// Makes a layout the view's: the zoom into the settings, the saved centre cleared, the window's
// place, reserves and origin, and the scroll bars. Sets repaintNeeded when the window is created
// or changes size.
LayoutOutcome ApplyImageWindowLayout(ViewState& view, SettingsRecord& settings, const ImageWindowLayout& layout,
                                     std::int32_t imageWidth, std::int32_t imageHeight);

// One whole pass, laid out and applied; Skipped (nothing changes) while there is no image.
LayoutOutcome RelayoutImageWindow(ViewState& view, SettingsRecord& settings, const ViewArea& area,
                                  std::int32_t imageWidth, std::int32_t imageHeight);

// Remembers the image pixel at the centre of the current view on each scrolled axis, so that
// the next layout (after a zoom change or a reload) shows the same point. Unscrolled axes keep 0.
void SaveViewCenter(ViewState& view, const SettingsRecord& settings);

}  // namespace rastrix

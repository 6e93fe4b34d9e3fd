#pragma once
#include <cstdint>

#include "app/SettingsRecord.h"
#include "view/ViewState.h"

namespace rastrix {

// Command identifiers of the five views; viewMode holds one of them.
inline constexpr std::int16_t kViewFit = 274;
inline constexpr std::int16_t kViewActual = 275;
inline constexpr std::int16_t kViewZoom2 = 276;
inline constexpr std::int16_t kViewZoom4 = 277;
inline constexpr std::int16_t kViewZoom8 = 278;

// The fixed zoom of a view command: 100, 200, 400 or 800; 0 for Fit to Window and for ids
// that are not views.
std::int32_t ZoomForViewMode(std::int16_t viewMode);

// The zoom that fits an image into the view band with an 8-pixel allowance: below 100 when
// the image must shrink, else a whole multiple of 100. Never less than 1, however small the
// band (a minimised frame has a negative band).
std::int32_t ComputeFitZoom(const ViewArea& area, std::int32_t imageWidth, std::int32_t imageHeight);

enum class LayoutOutcome { Skipped, Created, Moved };

// Sizes and places the image window in the view band for the current image and view, decides
// which scroll bars get room, and sets the scroll origin: around the saved centre when one
// was saved, else centred. Clears the saved centre. Skipped (nothing changes) while there is
// no image. Sets repaintNeeded when the window is created or changes size.
LayoutOutcome LayoutImageWindow(ViewState& view, SettingsRecord& settings, const ViewArea& area,
                                std::int32_t imageWidth, std::int32_t imageHeight);

// Remembers the image pixel at the centre of the current view on each scrolled axis, so that
// the next layout (after a zoom change or a reload) shows the same point. Unscrolled axes keep 0.
void SaveViewCenter(const ViewState& view, SettingsRecord& settings);

}  // namespace rastrix

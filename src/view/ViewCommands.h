#pragma once
#include <cstdint>
#include <optional>

#include "editor/SettingsRecord.h"
#include "editor/ViewState.h"
#include "view/Layout.h"

namespace rastrix {

// The check mark and held button move from one view to another.
struct ViewModeChange {
    std::optional<ViewMode> unchecked;  // menu item to uncheck, tool-bar button to release; none
                                        // when the stored number was no view
    ViewMode checked = ViewMode::Actual;  // menu item to check, tool-bar button to hold down
    friend bool operator==(const ViewModeChange&, const ViewModeChange&) = default;
};

struct ViewCommandResult {
    std::optional<ViewModeChange> modeChange;  // empty when the command was already the view
    LayoutOutcome layout = LayoutOutcome::Skipped;
    bool invalidated = false;  // the image window exists and must be repainted
};

// Fit to Window, Actual Size, x2, x4 and x8. The fixed zooms remember the view centre first,
// so the same image point stays in the middle. Choosing the current view again still lays
// out and repaints. Without an image only viewMode and zoomPercent change.
ViewCommandResult RunViewCommand(ViewMode mode, ViewState& view, SettingsRecord& settings, const ViewArea& area,
                                 std::int32_t imageWidth, std::int32_t imageHeight);

}  // namespace rastrix

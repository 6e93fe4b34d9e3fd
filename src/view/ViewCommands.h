#pragma once
#include <cstdint>
#include <optional>

#include "editor/SettingsRecord.h"
#include "editor/ViewState.h"
#include "view/Layout.h"

namespace rastrix {

bool IsViewCommand(std::int16_t id);

// The check mark and held button move from one view to another.
struct ViewModeChange {
    std::int16_t unchecked = 0;  // menu item to uncheck, tool-bar button to release
    std::int16_t checked = 0;    // menu item to check, tool-bar button to hold down
    friend bool operator==(const ViewModeChange&, const ViewModeChange&) = default;
};

struct ViewCommandResult {
    std::optional<ViewModeChange> modeChange;  // empty when the command was already the view
    LayoutOutcome layout = LayoutOutcome::Skipped;
    bool invalidated = false;  // the image window exists and must be repainted
};

// Fit to Window, Actual Size, x2, x4 and x8. The fixed zooms remember the view centre first,
// so the same image point stays in the middle. Choosing the current view again still lays
// out and repaints. Without an image only viewMode and zoomPercent change. Returns nullopt for
// an id that is not a view command (nothing changes).
std::optional<ViewCommandResult> RunViewCommand(std::int16_t command, ViewState& view, SettingsRecord& settings,
                                                const ViewArea& area, std::int32_t imageWidth,
                                                std::int32_t imageHeight);

}  // namespace rastrix

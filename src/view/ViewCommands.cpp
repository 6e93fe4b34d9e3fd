#include "view/ViewCommands.h"

namespace rastrix {

ViewCommandResult RunViewCommand(ViewMode mode, ViewState& view, SettingsRecord& settings, const ViewArea& area,
                                 std::int32_t imageWidth, std::int32_t imageHeight) {
    if (mode != ViewMode::Fit) {
        SaveViewCenter(view, settings);
        settings.zoomPercent = ZoomForViewMode(mode);
    }

    ViewCommandResult result;
    const std::int16_t stored = StoredViewMode(mode);
    if (settings.viewMode != stored) {
        result.modeChange = ViewModeChange{ViewModeFromStored(settings.viewMode), mode};
        settings.viewMode = stored;
    }
    result.layout = RelayoutImageWindow(view, settings, area, imageWidth, imageHeight);
    if (view.imageWindowExists) {
        view.repaintNeeded = true;
        result.invalidated = true;
    }
    return result;
}

}  // namespace rastrix

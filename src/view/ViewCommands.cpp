#include "view/ViewCommands.h"

namespace rastrix {

bool IsViewCommand(std::int16_t id) { return id >= kViewFit && id <= kViewZoom8; }

std::optional<ViewCommandResult> RunViewCommand(std::int16_t command, ViewState& view, SettingsRecord& settings,
                                                const ViewArea& area, std::int32_t imageWidth,
                                                std::int32_t imageHeight) {
    if (!IsViewCommand(command)) return std::nullopt;

    if (command != kViewFit) {
        SaveViewCenter(view, settings);
        settings.zoomPercent = ZoomForViewMode(command);
    }

    ViewCommandResult result;
    if (settings.viewMode != command) {
        result.modeChange = ViewModeChange{settings.viewMode, command};
        settings.viewMode = command;
    }
    result.layout = RelayoutImageWindow(view, settings, area, imageWidth, imageHeight);
    if (view.imageWindowExists) {
        view.repaintNeeded = true;
        result.invalidated = true;
    }
    return result;
}

}  // namespace rastrix

#include "view/Coordinates.h"

#include <algorithm>
#include <limits>

namespace rastrix {

namespace {
std::int32_t ClampToInt32(std::int64_t v) {
    return std::int32_t(std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(),
                                                 std::numeric_limits<std::int32_t>::max()));
}
}  // namespace

std::int32_t WindowToImage(std::int32_t windowPos, std::int32_t zoomPercent, std::int32_t origin) {
    return ClampToInt32(std::int64_t(windowPos) * 100 / EffectiveZoom(zoomPercent) + origin);
}

std::int32_t ImageToWindow(std::int32_t imagePos, std::int32_t zoomPercent, std::int32_t origin) {
    return ClampToInt32((std::int64_t(imagePos) - origin) * EffectiveZoom(zoomPercent) / 100);
}

Point TrackMousePosition(ViewState& view, std::int32_t zoomPercent, std::int32_t windowX, std::int32_t windowY) {
    view.mouseX = WindowToImage(std::max(windowX, 0), zoomPercent, view.scrollOriginX);
    view.mouseY = WindowToImage(std::max(windowY, 0), zoomPercent, view.scrollOriginY);
    return {view.mouseX, view.mouseY};
}

}  // namespace rastrix

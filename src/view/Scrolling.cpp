#include "view/Scrolling.h"

#include <algorithm>

#include "view/Coordinates.h"
#include "view/Layout.h"

namespace rastrix {

namespace {
ScrollBarState BarFor(std::int32_t imageSize, std::int32_t visible, std::int32_t origin) {
    ScrollBarState bar;
    bar.minimum = 0;
    bar.maximum = imageSize - 1;
    bar.page = visible;
    bar.position = origin;
    // Hidden when the page covers the whole range maximum - minimum + 1.
    bar.shown = imageSize > 0 && visible < imageSize;
    return bar;
}
}  // namespace

VisibleSize ComputeVisibleImageSize(const ViewState& view, const SettingsRecord& settings, std::int32_t imageWidth,
                                    std::int32_t imageHeight) {
    if (settings.viewMode == StoredViewMode(ViewMode::Fit)) return {imageWidth, imageHeight};
    const std::int64_t zoom = EffectiveZoom(settings.zoomPercent);
    return {std::int32_t(std::max<std::int64_t>(view.ImagePartWidth(), 0) * 100 / zoom),
            std::int32_t(std::max<std::int64_t>(view.ImagePartHeight(), 0) * 100 / zoom)};
}

void UpdateScrollBars(ViewState& view, const SettingsRecord& settings, std::int32_t imageWidth,
                      std::int32_t imageHeight) {
    const VisibleSize visible = ComputeVisibleImageSize(view, settings, imageWidth, imageHeight);
    view.visibleImageWidth = visible.width;
    view.visibleImageHeight = visible.height;
    view.hScroll = BarFor(imageWidth, view.visibleImageWidth, view.scrollOriginX);
    view.vScroll = BarFor(imageHeight, view.visibleImageHeight, view.scrollOriginY);
}

bool HandleScrollRequest(ViewState& view, ScrollBarKind bar, ScrollRequest request, std::int32_t thumbPosition,
                         std::int32_t imageWidth, std::int32_t imageHeight) {
    const bool horizontal = bar == ScrollBarKind::Horizontal;
    std::int32_t& origin = horizontal ? view.scrollOriginX : view.scrollOriginY;
    const std::int32_t last =
        horizontal ? imageWidth - view.visibleImageWidth : imageHeight - view.visibleImageHeight;

    bool repaint = false;
    switch (request) {
        case ScrollRequest::LineBack:
            if (origin > 0) {
                --origin;
                repaint = true;
            }
            break;
        case ScrollRequest::LineForward:
            if (origin < last) {
                ++origin;
                repaint = true;
            }
            break;
        case ScrollRequest::ThumbTrack: {
            // The bar cannot report a position outside 0..last; a caller that does gets the
            // nearest end rather than a view past the image.
            const std::int32_t position = std::clamp(thumbPosition, 0, std::max(last, 0));
            const bool changed = position != origin;
            origin = position;
            // The horizontal bar repaints on every track step, the vertical only on a change.
            repaint = horizontal || changed;
            break;
        }
        default:
            break;
    }
    if (repaint) view.repaintNeeded = true;
    return repaint;
}

}  // namespace rastrix

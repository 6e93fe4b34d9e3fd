#include "view/Layout.h"

#include <algorithm>
#include <limits>

#include "view/Coordinates.h"
#include "view/Scrolling.h"

namespace rastrix {

namespace {

constexpr std::int64_t kEdges = 4;  // the 2-pixel sunken edge on each side

std::int64_t RoundDownTo8(std::int64_t v) { return v >= 0 ? v / 8 * 8 : -((-v + 7) / 8 * 8); }

std::int32_t ToInt32(std::int64_t v) {
    return std::int32_t(std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(),
                                                 std::numeric_limits<std::int32_t>::max()));
}

// The first shown row (or column) of a scrolled axis: around the saved centre when there is
// one, else the middle of the image.
std::int32_t ScrolledOrigin(std::int64_t shown, std::int32_t savedCenter, std::int32_t imageSize) {
    std::int64_t origin;
    if (savedCenter != 0) {
        origin = std::int64_t(savedCenter) - shown / 2;
        if (origin < 0) origin = 0;
        if (origin > imageSize - shown) origin = imageSize - shown;
    } else {
        origin = (imageSize - shown) / 2;
    }
    return ToInt32(std::max<std::int64_t>(origin, 0));
}

}  // namespace

std::int32_t ZoomForViewMode(std::int16_t viewMode) {
    switch (viewMode) {
        case kViewActual: return 100;
        case kViewZoom2: return 200;
        case kViewZoom4: return 400;
        case kViewZoom8: return 800;
        default: return 0;
    }
}

std::int32_t ComputeFitZoom(const ViewArea& area, std::int32_t imageWidth, std::int32_t imageHeight) {
    if (imageWidth <= 0 || imageHeight <= 0) return 100;
    const std::int64_t w = std::int64_t(area.viewAreaWidth) - 8;
    const std::int64_t h = std::int64_t(area.viewAreaHeight) - 8;
    std::int64_t zx, zy;
    if (w < imageWidth || h < imageHeight) {
        zx = w * 100 / imageWidth;
        zy = h * 100 / imageHeight;
    } else {
        zx = w / imageWidth * 100;
        zy = h / imageHeight * 100;
    }
    return ToInt32(std::max<std::int64_t>(std::min(zx, zy), 1));
}

LayoutOutcome LayoutImageWindow(ViewState& view, SettingsRecord& settings, const ViewArea& area,
                                std::int32_t imageWidth, std::int32_t imageHeight) {
    if (imageWidth <= 0 || imageHeight <= 0) return LayoutOutcome::Skipped;

    view.scrollOriginX = 0;
    view.scrollOriginY = 0;

    const bool fit = settings.viewMode == kViewFit;
    if (fit) {
        settings.zoomPercent = ComputeFitZoom(area, imageWidth, imageHeight);
    } else if (settings.zoomPercent < 1) {
        // A stored zoom of 0 or less cannot be shown; fall back to the view's own zoom.
        const std::int32_t modeZoom = ZoomForViewMode(settings.viewMode);
        settings.zoomPercent = modeZoom != 0 ? modeZoom : 100;
    }
    const std::int64_t zoom = settings.zoomPercent;
    const std::int64_t areaW = area.viewAreaWidth;
    const std::int64_t areaH = area.viewAreaHeight;

    // Height first: a vertical bar is needed when the image is taller than the band. When
    // magnified and cut, the image part is rounded down to a multiple of 8 screen pixels, so
    // it shows whole image pixels at 200, 400 and 800 percent. The horizontal reserve still
    // holds what the previous layout decided.
    std::int64_t height = std::int64_t(imageHeight) * zoom / 100 + kEdges;
    if (height > areaH) {
        height = areaH;
        view.vScrollReserve = area.vScrollWidth;
        if (zoom > 100) height = RoundDownTo8(areaH - kEdges - view.hScrollReserve) + view.hScrollReserve + kEdges;
    } else {
        view.vScrollReserve = 0;
    }

    std::int64_t width = std::int64_t(imageWidth) * zoom / 100 + view.vScrollReserve + kEdges;
    if (width > areaW) {
        width = areaW;
        view.hScrollReserve = area.hScrollHeight;
        if (zoom > 100) width = RoundDownTo8(areaW - kEdges - view.vScrollReserve) + view.vScrollReserve + kEdges;
        height += view.hScrollReserve;
        if (height > areaH) {
            height = areaH;
            if (zoom > 100)
                height = RoundDownTo8(areaH - kEdges - view.hScrollReserve) + view.hScrollReserve + kEdges;
        }
    } else {
        view.hScrollReserve = 0;
    }

    // A band smaller than the edges and reserves (a minimised frame) must not give a window
    // of negative size: the image part shrinks to nothing instead.
    width = std::max<std::int64_t>(width, kEdges + view.vScrollReserve);
    height = std::max<std::int64_t>(height, kEdges + view.hScrollReserve);

    const bool sizeChanged = width != view.imageWindowWidth || height != view.imageWindowHeight;
    view.imageWindowWidth = ToInt32(width);
    view.imageWindowHeight = ToInt32(height);
    view.imageWindowX = ToInt32((areaW - width) / 2);
    view.imageWindowY = ToInt32((areaH - height) / 2 + area.viewAreaTop);

    const LayoutOutcome outcome = view.imageWindowExists ? LayoutOutcome::Moved : LayoutOutcome::Created;
    view.imageWindowExists = true;
    if (outcome == LayoutOutcome::Created || sizeChanged) view.repaintNeeded = true;

    // In Fit mode the whole image is stretched into the window, so there is nothing to
    // scroll; the origin stays 0 even when a tiny band forced room for scroll bars.
    if (view.vScrollReserve != 0 && !fit) {
        const std::int64_t rows = std::int64_t(view.ImagePartHeight()) * 100 / zoom;
        view.scrollOriginY = ScrolledOrigin(rows, settings.savedCenterY, imageHeight);
    }
    settings.savedCenterY = 0;
    if (view.hScrollReserve != 0 && !fit) {
        const std::int64_t columns = std::int64_t(view.ImagePartWidth()) * 100 / zoom;
        view.scrollOriginX = ScrolledOrigin(columns, settings.savedCenterX, imageWidth);
    }
    settings.savedCenterX = 0;

    UpdateScrollBars(view, settings, imageWidth, imageHeight);
    return outcome;
}

void SaveViewCenter(const ViewState& view, SettingsRecord& settings) {
    const std::int64_t zoom = EffectiveZoom(settings.zoomPercent);
    if (view.vScrollReserve != 0)
        settings.savedCenterY = ToInt32(std::int64_t(view.ImagePartHeight()) * 100 / zoom / 2 + view.scrollOriginY);
    if (view.hScrollReserve != 0)
        settings.savedCenterX = ToInt32(std::int64_t(view.ImagePartWidth()) * 100 / zoom / 2 + view.scrollOriginX);
}

}  // namespace rastrix

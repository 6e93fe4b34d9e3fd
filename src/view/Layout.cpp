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

std::int32_t ZoomForViewMode(std::optional<ViewMode> viewMode) {
    if (!viewMode) return 0;
    switch (*viewMode) {
        case ViewMode::Fit: return 0;
        case ViewMode::Actual: return 100;
        case ViewMode::Zoom2: return 200;
        case ViewMode::Zoom4: return 400;
        case ViewMode::Zoom8: return 800;
    }
    return 0;
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

std::optional<ImageWindowLayout> LayoutImageWindow(const LayoutRequest& in) {
    if (in.imageWidth <= 0 || in.imageHeight <= 0) return std::nullopt;
    const ViewArea& area = in.area;
    ImageWindowLayout out;

    const bool fit = in.viewMode == ViewMode::Fit;
    if (fit) {
        out.zoomPercent = ComputeFitZoom(area, in.imageWidth, in.imageHeight);
    } else if (in.zoomPercent < 1) {
        // A stored zoom of 0 or less cannot be shown; fall back to the view's own zoom.
        const std::int32_t modeZoom = ZoomForViewMode(in.viewMode);
        out.zoomPercent = modeZoom != 0 ? modeZoom : 100;
    } else {
        out.zoomPercent = in.zoomPercent;
    }
    const std::int64_t zoom = out.zoomPercent;
    const std::int64_t areaW = area.viewAreaWidth;
    const std::int64_t areaH = area.viewAreaHeight;

    // Height first: a vertical bar is needed when the image is taller than the band. When
    // magnified and cut, the image part is rounded down to a multiple of 8 screen pixels, so
    // it shows whole image pixels at 200, 400 and 800 percent. The horizontal reserve still
    // holds what the previous layout decided.
    std::uint8_t& vReserve = out.vScrollReserve;
    std::uint8_t& hReserve = out.hScrollReserve;
    hReserve = in.hScrollReserve;
    std::int64_t height = std::int64_t(in.imageHeight) * zoom / 100 + kEdges;
    if (height > areaH) {
        height = areaH;
        vReserve = area.vScrollWidth;
        if (zoom > 100) height = RoundDownTo8(areaH - kEdges - hReserve) + hReserve + kEdges;
    }

    std::int64_t width = std::int64_t(in.imageWidth) * zoom / 100 + vReserve + kEdges;
    if (width > areaW) {
        width = areaW;
        hReserve = area.hScrollHeight;
        if (zoom > 100) width = RoundDownTo8(areaW - kEdges - vReserve) + vReserve + kEdges;
        height += hReserve;
        if (height > areaH) {
            height = areaH;
            if (zoom > 100) height = RoundDownTo8(areaH - kEdges - hReserve) + hReserve + kEdges;
        }
    } else {
        hReserve = 0;
    }

    // A band smaller than the edges and reserves (a minimised frame) must not give a window
    // of negative size: the image part shrinks to nothing instead.
    width = std::max<std::int64_t>(width, kEdges + vReserve);
    height = std::max<std::int64_t>(height, kEdges + hReserve);

    out.width = ToInt32(width);
    out.height = ToInt32(height);
    out.x = ToInt32((areaW - width) / 2);
    out.y = ToInt32((areaH - height) / 2 + area.viewAreaTop);

    // In Fit mode the whole image is stretched into the window, so there is nothing to
    // scroll; the origin stays 0 even when a tiny band forced room for scroll bars.
    if (vReserve != 0 && !fit) {
        const std::int64_t rows = (height - kEdges - hReserve) * 100 / zoom;
        out.scrollOriginY = ScrolledOrigin(rows, in.savedCenterY, in.imageHeight);
    }
    if (hReserve != 0 && !fit) {
        const std::int64_t columns = (width - kEdges - vReserve) * 100 / zoom;
        out.scrollOriginX = ScrolledOrigin(columns, in.savedCenterX, in.imageWidth);
    }
    return out;
}

LayoutRequest LayoutRequestFor(const ViewState& view, const SettingsRecord& settings, const ViewArea& area,
                               std::int32_t imageWidth, std::int32_t imageHeight) {
    return {area,
            imageWidth,
            imageHeight,
            ViewModeFromStored(settings.viewMode),
            settings.zoomPercent,
            view.savedCenterX,
            view.savedCenterY,
            view.hScrollReserve};
}

LayoutOutcome ApplyImageWindowLayout(ViewState& view, SettingsRecord& settings, const ImageWindowLayout& layout,
                                     std::int32_t imageWidth, std::int32_t imageHeight) {
    settings.zoomPercent = layout.zoomPercent;
    view.savedCenterX = 0;
    view.savedCenterY = 0;
    const bool sizeChanged = layout.width != view.imageWindowWidth || layout.height != view.imageWindowHeight;
    view.imageWindowX = layout.x;
    view.imageWindowY = layout.y;
    view.imageWindowWidth = layout.width;
    view.imageWindowHeight = layout.height;
    view.vScrollReserve = layout.vScrollReserve;
    view.hScrollReserve = layout.hScrollReserve;
    view.scrollOriginX = layout.scrollOriginX;
    view.scrollOriginY = layout.scrollOriginY;

    const LayoutOutcome outcome = view.imageWindowExists ? LayoutOutcome::Moved : LayoutOutcome::Created;
    view.imageWindowExists = true;
    if (outcome == LayoutOutcome::Created || sizeChanged) view.repaintNeeded = true;
    UpdateScrollBars(view, settings, imageWidth, imageHeight);
    return outcome;
}

LayoutOutcome RelayoutImageWindow(ViewState& view, SettingsRecord& settings, const ViewArea& area,
                                  std::int32_t imageWidth, std::int32_t imageHeight) {
    const auto layout = LayoutImageWindow(LayoutRequestFor(view, settings, area, imageWidth, imageHeight));
    if (!layout) return LayoutOutcome::Skipped;
    return ApplyImageWindowLayout(view, settings, *layout, imageWidth, imageHeight);
}

void SaveViewCenter(ViewState& view, const SettingsRecord& settings) {
    const std::int64_t zoom = EffectiveZoom(settings.zoomPercent);
    if (view.vScrollReserve != 0)
        view.savedCenterY = ToInt32(std::int64_t(view.ImagePartHeight()) * 100 / zoom / 2 + view.scrollOriginY);
    if (view.hScrollReserve != 0)
        view.savedCenterX = ToInt32(std::int64_t(view.ImagePartWidth()) * 100 / zoom / 2 + view.scrollOriginX);
}

}  // namespace rastrix

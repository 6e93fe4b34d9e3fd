#include "view/RenderPlan.h"

#include <algorithm>

#include "view/Coordinates.h"
#include "view/Scrolling.h"

namespace rastrix {

RenderPlan ComputeRenderPlan(const ViewState& view, const SettingsRecord& settings, std::int32_t imageWidth,
                             std::int32_t imageHeight) {
    RenderPlan plan;
    const std::int32_t partW = view.ImagePartWidth();
    const std::int32_t partH = view.ImagePartHeight();
    if (partW <= 0 || partH <= 0 || imageWidth <= 0 || imageHeight <= 0) return plan;
    plan.imagePart = {0, 0, partW, partH};

    const Rect image{0, 0, imageWidth, imageHeight};
    const std::int32_t ox = view.scrollOriginX;
    const std::int32_t oy = view.scrollOriginY;
    const std::int64_t zoom = EffectiveZoom(settings.zoomPercent);

    if (zoom == 100) {
        plan.source = Rect{ox, oy, ox + partW, oy + partH}.Intersect(image);
        if (plan.source.IsEmpty()) return plan;
        plan.mode = BlitMode::Copy;
        plan.dest = {plan.source.left - ox, plan.source.top - oy, plan.source.right - ox, plan.source.bottom - oy};
        return plan;
    }

    const VisibleSize visible = ComputeVisibleImageSize(view, settings, imageWidth, imageHeight);
    if (visible.width <= 0 || visible.height <= 0) return plan;
    const Rect wanted{ox, oy, ox + visible.width, oy + visible.height};
    plan.source = wanted.Intersect(image);
    if (plan.source.IsEmpty()) return plan;
    plan.mode = zoom < 100 ? BlitMode::Halftone : BlitMode::ColorOnColor;
    // Scale by the whole wanted rectangle onto the whole part, so that cutting at the image's
    // edge keeps the scale of the uncut stretch.
    const auto scale = [](std::int64_t v, std::int64_t num, std::int64_t den) { return std::int32_t(v * num / den); };
    plan.dest = {scale(plan.source.left - ox, partW, visible.width), scale(plan.source.top - oy, partH, visible.height),
                 scale(plan.source.right - ox, partW, visible.width),
                 scale(plan.source.bottom - oy, partH, visible.height)};
    return plan;
}

std::vector<Rect> UncoveredAreas(const RenderPlan& plan, std::int32_t clientWidth, std::int32_t clientHeight) {
    std::vector<Rect> areas;
    const std::int32_t coveredRight = plan.mode == BlitMode::None ? 0 : plan.dest.right;
    const std::int32_t coveredBottom = plan.mode == BlitMode::None ? 0 : plan.dest.bottom;
    const Rect right{coveredRight, 0, clientWidth, clientHeight};
    const Rect bottom{0, coveredBottom, std::min(coveredRight, clientWidth), clientHeight};
    if (!right.IsEmpty()) areas.push_back(right);
    if (!bottom.IsEmpty()) areas.push_back(bottom);
    return areas;
}

}  // namespace rastrix

#include "view/PaintPlan.h"

#include "view/Coordinates.h"
#include "view/Cursors.h"
#include "view/Scrolling.h"

namespace rastrix {

std::optional<SelectionOutline> ComputeSelectionOutline(const Rect& selection, CommandId selectionShape,
                                                        bool lineReversed, const ViewState& view,
                                                        std::int32_t zoomPercent) {
    const std::int32_t l = ImageToWindow(selection.left, zoomPercent, view.scrollOriginX);
    const std::int32_t r = ImageToWindow(selection.right, zoomPercent, view.scrollOriginX);
    const std::int32_t t = ImageToWindow(selection.top, zoomPercent, view.scrollOriginY);
    const std::int32_t b = ImageToWindow(selection.bottom, zoomPercent, view.scrollOriginY);

    SelectionOutline outline;
    outline.box = {l, t, r, b};
    switch (selectionShape) {
        case CommandId::RectangleSelection: outline.kind = OutlineKind::PatternFrame; break;
        case CommandId::RoundedRectangleSelection:
            outline.kind = OutlineKind::RoundRect;
            outline.cornerWidth = std::int32_t((std::int64_t(r) - l) / 4);
            outline.cornerHeight = std::int32_t((std::int64_t(b) - t) / 4);
            break;
        case CommandId::EllipseSelection: outline.kind = OutlineKind::Ellipse; break;
        case CommandId::LineSelection:
            outline.kind = OutlineKind::Line;
            outline.from = lineReversed ? Point{r, t} : Point{l, t};
            outline.to = lineReversed ? Point{l, b} : Point{r, b};
            break;
        default: return std::nullopt;
    }
    return outline;
}

ImagePaintPlan PlanImageWindowPaint(ViewState& view, const SettingsRecord& settings, const ImagePaintInputs& inputs) {
    ImagePaintPlan plan;
    if (inputs.hasImage && inputs.imageWidth > 0 && inputs.imageHeight > 0) {
        plan.paintsImage = true;
        plan.render = ComputeRenderPlan(view, settings, inputs.imageWidth, inputs.imageHeight);
        if (inputs.hasSelection)
            plan.outline = ComputeSelectionOutline(inputs.selection, inputs.selectionShape, inputs.lineReversed,
                                                   view, settings.zoomPercent);
    }
    view.repaintNeeded = false;
    RestoreCursorAfterPaint(view);
    return plan;
}

}  // namespace rastrix

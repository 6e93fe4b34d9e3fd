#include "view/PaintPlan.h"

#include "view/Coordinates.h"
#include "view/Cursors.h"
#include "view/Scrolling.h"
#include "view/StatusTexts.h"

namespace rastrix {

std::array<CommandEnable, kFillCommandCount> FillCommandStatesAfterPaint(bool hasSelection,
                                                                         std::int16_t selectionShape) {
    std::array<CommandEnable, kFillCommandCount> states{};
    const bool areaShape = selectionShape == kShapeRectangle || selectionShape == kShapeRoundRect ||
                           selectionShape == kShapeEllipse;
    for (int i = 0; i < kFillCommandCount; ++i) {
        const auto id = std::int16_t(kFirstFillCommand + i);
        bool enabled = false;
        if (hasSelection) enabled = areaShape || (selectionShape == kShapeLine && id == kFirstFillCommand);
        states[i] = {id, enabled};
    }
    return states;
}

std::optional<SelectionOutline> ComputeSelectionOutline(const Rect& selection, std::int16_t selectionShape,
                                                        bool lineReversed, const ViewState& view,
                                                        std::int32_t zoomPercent) {
    const std::int32_t l = ImageToWindow(selection.left, zoomPercent, view.scrollOriginX);
    const std::int32_t r = ImageToWindow(selection.right, zoomPercent, view.scrollOriginX);
    const std::int32_t t = ImageToWindow(selection.top, zoomPercent, view.scrollOriginY);
    const std::int32_t b = ImageToWindow(selection.bottom, zoomPercent, view.scrollOriginY);

    SelectionOutline outline;
    outline.box = {l, t, r, b};
    switch (selectionShape) {
        case kShapeRectangle: outline.kind = OutlineKind::PatternFrame; break;
        case kShapeRoundRect:
            outline.kind = OutlineKind::RoundRect;
            outline.cornerWidth = std::int32_t((std::int64_t(r) - l) / 4);
            outline.cornerHeight = std::int32_t((std::int64_t(b) - t) / 4);
            break;
        case kShapeEllipse: outline.kind = OutlineKind::Ellipse; break;
        case kShapeLine:
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
        UpdateScrollBars(view, settings, inputs.imageWidth, inputs.imageHeight);
        plan.render = ComputeRenderPlan(view, settings, inputs.imageWidth, inputs.imageHeight);
        plan.imageStatus =
            ImageStatusText(inputs.imageWidth, inputs.imageHeight, inputs.imageBitDepth, settings.zoomPercent);
        const bool hasSelection = settings.hasSelection != 0;
        plan.fillCommands = FillCommandStatesAfterPaint(hasSelection, settings.selectionShape);
        if (hasSelection)
            plan.outline = ComputeSelectionOutline(inputs.selection, settings.selectionShape, inputs.lineReversed,
                                                   view, settings.zoomPercent);
        plan.selectionStatus = SelectionStatusText(hasSelection, inputs.selection);
    }
    view.repaintNeeded = false;
    RestoreCursorAfterPaint(view);
    return plan;
}

}  // namespace rastrix

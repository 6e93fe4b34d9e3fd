#include "selection/SelectionOutline.h"

#include "editor/Editor.h"
#include "raster/Canvas.h"
#include "selection/Selection.h"
#include "view/PaintPlan.h"
#include "view/SelectionPattern.h"
#include "view/StatusTexts.h"

namespace rastrix {

void DrawSelectionOutline(const Editor& ed, Bitmap& surface) {
    if (!HasSelection(ed)) return;
    const std::optional<SelectionOutline> outline =
        ComputeSelectionOutline(ed.selection.rect, ed.selection.shape, ed.selection.lineReversed, ed.view,
                                ed.settings.zoomPercent);
    if (!outline) return;

    // A fresh canvas: brush origin (0, 0), white background, opaque gaps.
    Canvas canvas(surface);
    const Rect& box = outline->box;
    if (outline->kind == OutlineKind::PatternFrame) {
        static const Brush patternBrush = Brush::Pattern(SelectionPattern());
        canvas.FrameRect(box, patternBrush);
        return;
    }
    canvas.SelectPen(Pen(PS_DOT, 1, ColorFromRgb(255, 0, 0)));
    canvas.SelectBrush(Brush::Null());
    switch (outline->kind) {
        case OutlineKind::RoundRect:
            canvas.RoundRect(box.left, box.top, box.right, box.bottom, outline->cornerWidth, outline->cornerHeight);
            break;
        case OutlineKind::Ellipse: canvas.Ellipse(box.left, box.top, box.right, box.bottom); break;
        case OutlineKind::Line:
            canvas.MoveTo(outline->from.x, outline->from.y);
            canvas.LineTo(outline->to.x, outline->to.y);
            break;
        case OutlineKind::PatternFrame: break;
    }
}

std::string SelectionStatus(const Editor& ed) { return SelectionStatusText(HasSelection(ed), ed.selection.rect); }

}  // namespace rastrix

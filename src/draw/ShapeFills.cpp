#include "draw/ShapeFills.h"

#include "draw/StyleSettings.h"
#include "editor/CommandIds.h"
#include "editor/Editor.h"
#include "editor/ImageStack.h"
#include "raster/Canvas.h"
#include "selection/Selection.h"
#include "selection/ShapeMask.h"
#include "view/EditorView.h"

namespace rastrix {

namespace {

constexpr Color kBlack = ColorFromRgb(0, 0, 0);

Pen FillPen(FillKind kind, const SettingsRecord& s) {
    const Color fore = s.foreColor;
    switch (kind) {
        case FillKind::Interior: return Pen(PS_NULL, 0, kBlack);
        case FillKind::Solid: return Pen(PS_SOLID, LineWidthOf(s), fore);
        default: return Pen(kPenStyles[std::size_t(LineStyleIndexOf(s))], LineWidthOf(s), fore);
    }
}

Brush FillBrush(FillKind kind, const SettingsRecord& s) {
    switch (kind) {
        case FillKind::Line: return Brush::Null();
        case FillKind::Solid: return Brush::Solid(s.foreColor);
        default: {
            const int hatch = HatchStyleIndexOf(s);
            if (hatch == 0) return Brush::Solid(s.backColor);
            return Brush::Hatched(kHatchStyles[std::size_t(hatch)], s.backColor);
        }
    }
}

void FinishFill(Editor& ed) {
    EndSelection(ed);
    InvalidateImageWindow(ed);
}

}  // namespace

std::optional<MarkedShape> ActiveShape(const Editor& ed) {
    if (!HasSelection(ed)) return std::nullopt;
    return MarkedShape{ed.selection.rect, ed.selection.shape, ed.selection.lineReversed};
}

void DrawShapeFill(Bitmap& image, const MarkedShape& shape, FillKind kind, const SettingsRecord& settings) {
    if (kind == FillKind::Exterior) return;
    const Rect r = shape.rect;
    Canvas canvas(image);
    canvas.SelectPen(FillPen(kind, settings));
    canvas.SelectBrush(FillBrush(kind, settings));
    // Without a pen the figure comes out one pixel smaller at the right and bottom; moving its
    // left and top in by one makes it cover exactly the inside of a 1-pixel outline.
    const int l = kind == FillKind::Interior ? r.left + 1 : r.left;
    const int t = kind == FillKind::Interior ? r.top + 1 : r.top;
    switch (shape.shape) {
        case CommandId::RectangleSelection: canvas.Rectangle(l, t, r.right, r.bottom); break;
        case CommandId::RoundedRectangleSelection: canvas.RoundRect(l, t, r.right, r.bottom, (r.right - l) / 4, (r.bottom - t) / 4); break;
        case CommandId::EllipseSelection: canvas.Ellipse(l, t, r.right, r.bottom); break;
        case CommandId::LineSelection:
            if (shape.lineReversed) {
                canvas.MoveTo(r.left, r.bottom - 1);
                canvas.LineTo(r.right, r.top - 1);
            } else {
                canvas.MoveTo(r.left, r.top);
                canvas.LineTo(r.right, r.bottom);
            }
            break;
        default: break;
    }
}

void DrawExteriorFill(Bitmap& image, const MarkedShape& shape, Color color) {
    const Rect r = shape.rect;
    const int w = r.Width(), h = r.Height();
    const int iw = image.Width(), ih = image.Height();
    Canvas canvas(image);
    const Brush brush = Brush::Solid(color);
    if (r.top != 0) canvas.FillRect({0, 0, iw, r.top}, brush);
    if (r.bottom < ih) canvas.FillRect({0, r.bottom, iw, ih}, brush);
    if (r.left != 0) canvas.FillRect({0, r.top, r.left, r.bottom}, brush);
    if (r.right < iw) canvas.FillRect({r.right, r.top, iw, r.bottom}, brush);
    if (shape.shape == CommandId::RectangleSelection) return;

    const ShapeMask mask = BuildShapeMask(r, shape.shape);
    const int k0 = std::max(0, -r.top), k1 = std::min(h, ih - r.top);
    for (int k = k0; k < k1; ++k) {
        const MaskRowScan s = ScanMaskRow(mask, k);
        const int y = r.top + k;
        if (s.first > 0) canvas.FillRect({r.left, y, r.left + s.first, y + 1}, brush);
        if (s.last < w - 1) canvas.FillRect({r.left + s.last + 1, y, r.right, y + 1}, brush);
    }
}

Availability FillRule(const Editor& ed, FillKind kind) {
    const Availability selected = SelectionRule(ed);
    if (!selected.Ok()) return selected;
    const CommandId shape = ed.selection.shape;
    switch (shape) {
        case CommandId::RectangleSelection:
        case CommandId::RoundedRectangleSelection:
        case CommandId::EllipseSelection: return kCanRun;
        case CommandId::LineSelection:
            if (kind == FillKind::Line) return kCanRun;
            break;
        default: break;
    }
    return {Availability::Kind::ShapeDoesNotFit, shape};
}

void RunFill(Editor& ed, FillKind kind) {
    const MarkedShape shape = *ActiveShape(ed);
    if (!PushCopy(ed)) return;
    if (kind == FillKind::Exterior) {
        DrawExteriorFill(CurrentImage(ed), shape, ed.settings.foreColor);
    } else {
        DrawShapeFill(CurrentImage(ed), shape, kind, ed.settings);
    }
    FinishFill(ed);
}

}  // namespace rastrix

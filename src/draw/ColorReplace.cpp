#include "draw/ColorReplace.h"

#include <algorithm>

#include "editor/CommandIds.h"
#include "selection/ShapeMask.h"

namespace rastrix {

namespace {

// Replaces target by with in columns [x0, x1) of one row, clipped to [0, width).
inline void ReplaceRun(Pixel* row, int width, int x0, int x1, Pixel target, Pixel with) {
    x0 = std::max(x0, 0);
    x1 = std::min(x1, width);
    // Written so that it vectorises: every pixel is read and written back, changed or not.
    for (int x = x0; x < x1; ++x) {
        const Pixel p = row[x];
        row[x] = ClearTopByte(p) == target ? with : p;
    }
}

void ReplaceRows(Bitmap& image, int y0, int y1, Pixel target, Pixel with) {
    y0 = std::max(y0, 0);
    y1 = std::min(y1, image.Height());
    for (int y = y0; y < y1; ++y) ReplaceRun(image.Row(y), image.Width(), 0, image.Width(), target, with);
}

}  // namespace

void ReplaceColor(Bitmap& image, const std::optional<MarkedShape>& region, Point click, Color target, Color with) {
    const Pixel t = ClearTopByte(ColorToPixel(target));
    const Pixel n = ClearTopByte(ColorToPixel(with));
    if (ValueOf(target) > 0x00FFFFFFu) return;  // no pixel reads as kInvalidColor
    if (!region || region->shape == CommandId::LineSelection) {
        ReplaceRows(image, 0, image.Height(), t, n);
        return;
    }
    const Rect r = region->rect;
    const bool rounded = region->shape != CommandId::RectangleSelection;
    ShapeMask mask;
    if (rounded) mask = BuildShapeMask(r, region->shape);
    const bool inside = r.Contains(click) && (!rounded || mask.IsInside(click.x - r.left, click.y - r.top));

    // Row y of the rectangle: the shape covers [xs, xe). A row whose scan meets no shape pixel
    // from one side keeps that side's rectangle edge.
    const int half = r.Width() / 2;
    auto span = [&](int y) -> std::pair<int, int> {
        if (!rounded) return {r.left, r.right};
        const MaskRowScan s = ScanMaskRow(mask, y - r.top);
        return {s.first <= half ? r.left + s.first : r.left, s.last >= half ? r.left + s.last + 1 : r.right};
    };

    const int top = std::max(r.top, 0), bottom = std::min(r.bottom, image.Height());
    if (inside) {
        for (int y = top; y < bottom; ++y) {
            const auto [xs, xe] = span(y);
            ReplaceRun(image.Row(y), image.Width(), xs, xe, t, n);
        }
    } else {
        ReplaceRows(image, 0, r.top, t, n);
        for (int y = top; y < bottom; ++y) {
            const auto [xs, xe] = span(y);
            ReplaceRun(image.Row(y), image.Width(), 0, xs, t, n);
            ReplaceRun(image.Row(y), image.Width(), xe, image.Width(), t, n);
        }
        ReplaceRows(image, r.bottom, image.Height(), t, n);
    }
}

}  // namespace rastrix

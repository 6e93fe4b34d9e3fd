#include "selection/ShapeMask.h"

#include <algorithm>

#include "editor/CommandIds.h"
#include "raster/Canvas.h"

namespace rastrix {

namespace {

// The figure is drawn in bands of rows about this many pixels big (8 MB), so a selection of any
// size needs little memory. Each band costs one drawing of the whole outline, so the bands are
// not made smaller than that.
constexpr int kBandPixels = 1 << 21;

// The first x in [from, to] (counting up) whose pixel is shape, or to + 1. Blocks of eight
// are tested at once, so the long runs outside the shape go at the speed of memory.
int FirstUp(const Pixel* row, int from, int to, Pixel shape) {
    int x = from;
    for (; x + 8 <= to + 1; x += 8) {
        unsigned hit = 0;
        for (int k = 0; k < 8; ++k) hit |= unsigned(row[x + k] == shape);
        if (hit) break;
    }
    while (x <= to && row[x] != shape) ++x;
    return x;
}

}  // namespace

bool ShapeMask::IsInside(int x, int y) const {
    if (x < 0 || x >= width_ || y < 0 || y >= Height()) return false;
    const MaskRowScan r = rows_[std::size_t(y)];
    return r.first <= x && x <= r.last;
}

ShapeMask BuildShapeMask(int width, int height, CommandId selectionShape) {
    ShapeMask mask;
    if (height <= 0) return mask;
    if (width <= 0) {
        // A rectangle with no columns has rows all the same: no shape pixel in any of them.
        mask.rows_.assign(std::size_t(height), MaskRowScan{1, -1});
        return mask;
    }
    mask.width_ = width;
    mask.rows_.resize(std::size_t(height));

    // The figures are mirror images of themselves about their vertical middle, so the scan
    // from the right end meets the mirror of what the scan from the left meets (or, in a row
    // without shape pixels, nothing either). Only columns 0 .. half are drawn and scanned.
    const int half = width / 2;
    const int bandWidth = half + 1;
    const int bandRows = std::clamp(kBandPixels / bandWidth, 1, height);
    Bitmap band(bandWidth, bandRows);  // starts black, a colour no band draws with
    Canvas canvas(band);
    // The run of a row is bounded by its outline pixels and the scans stop at the first shape
    // pixel from either end, so the inside never needs painting: the outline alone gives the
    // same rows as the filled figure.
    canvas.SelectBrush(Brush::Null());

    std::uint32_t bandNumber = 0;
    for (int y0 = 0; y0 < height; y0 += bandRows) {
        // Each band draws in a colour of its own, so what earlier bands left needs no clearing:
        // only this band's colour counts as the shape.
        const Color ink{++bandNumber};
        const Pixel shape = ColorToPixel(ink);
        canvas.SelectPen(Pen(PS_SOLID, 1, ink));
        // The band shows rows y0 .. y0 + bandRows - 1 of the figure.
        if (selectionShape == CommandId::RoundedRectangleSelection) canvas.RoundRect(0, -y0, width, height - y0, width / 4, height / 4);
        else canvas.Ellipse(0, -y0, width, height - y0);

        const int rows = std::min(bandRows, height - y0);
        for (int r = 0; r < rows; ++r) {
            const int first = FirstUp(band.Row(r), 0, half, shape);
            mask.rows_[std::size_t(y0 + r)] = {first, first <= half ? width - 1 - first : half - 1};
        }
    }
    return mask;
}

void FreeShapeMask(ShapeMask& mask) {
    mask.width_ = 0;
    std::vector<MaskRowScan>().swap(mask.rows_);
}

}  // namespace rastrix

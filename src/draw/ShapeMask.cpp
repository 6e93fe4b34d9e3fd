#include "draw/ShapeMask.h"

#include <algorithm>

#include "app/CommandIds.h"
#include "raster/Canvas.h"

namespace rastrix {

namespace {

// The mask is drawn in bands of rows about this many pixels big, so a selection of any size
// is scanned in memory that stays in the cache.
constexpr int kBandPixels = 1 << 18;
constexpr Color kWhite = RGB(255, 255, 255);

inline bool IsBlack(Pixel p) { return (p & 0x00FFFFFFu) == 0; }

}  // namespace

bool ShapeMask::IsInside(int x, int y) const {
    if (x < 0 || x >= width_ || y < 0 || y >= Height()) return false;
    const MaskRowScan r = rows_[std::size_t(y)];
    return r.first <= x && x <= r.last;
}

ShapeMask BuildShapeMask(int width, int height, int selectionShape) {
    ShapeMask mask;
    if (width <= 0 || height <= 0) return mask;
    mask.width_ = width;
    mask.rows_.resize(std::size_t(height));

    const int half = width / 2;
    const int bandRows = std::clamp(kBandPixels / width, 1, height);
    Bitmap band(width, bandRows);
    Canvas canvas(band);
    canvas.SelectPen(Pen(PS_SOLID, 1, RGB(0, 0, 0)));
    // The run of a row is bounded by its outline pixels and the scans stop at the first shape
    // pixel from either end, so the inside never needs painting: the outline alone gives the
    // same rows as the filled figure.
    canvas.SelectBrush(Brush::Null());

    for (int y0 = 0; y0 < height; y0 += bandRows) {
        band.Fill(kWhite);
        // The band shows rows y0 .. y0 + bandRows - 1 of the figure.
        if (selectionShape == IDM_ROUNDRECT) canvas.RoundRect(0, -y0, width, height - y0, width / 4, height / 4);
        else canvas.Ellipse(0, -y0, width, height - y0);

        const int rows = std::min(bandRows, height - y0);
        for (int r = 0; r < rows; ++r) {
            const Pixel* row = band.Row(r);
            int i = 0;
            while (i <= half && !IsBlack(row[i])) ++i;
            int j = width - 1;
            while (j >= half && !IsBlack(row[j])) --j;
            mask.rows_[std::size_t(y0 + r)] = {i, j};
        }
    }
    return mask;
}

void FreeShapeMask(ShapeMask& mask) {
    mask.width_ = 0;
    std::vector<MaskRowScan>().swap(mask.rows_);
}

}  // namespace rastrix

#pragma once
#include <vector>

#include "editor/CommandIds.h"
#include "raster/Geometry.h"

namespace rastrix {

// One row of a shape mask as scanned from both ends toward the middle (half = width / 2):
// first is the first shape column counting up from 0 to half, or half + 1 when there is none
// up to there; last is the first shape column counting down from width - 1 to half, or
// half - 1 when there is none. Columns [0, first) and (last, width) lie outside the shape,
// so a row without any shape pixel is outside from end to end.
struct MaskRowScan {
    int first = 0;
    int last = -1;
    friend bool operator==(const MaskRowScan&, const MaskRowScan&) = default;
};

// The selection's shape as a mask of the selection's size: the rounded rectangle (corner
// ellipse a quarter of the width by a quarter of the height) or the ellipse over the whole
// box, drawn as a filled figure with a 1-pixel pen, outline pixels included.
//
// A filled figure covers each of its rows in one unbroken run, symmetric about the middle, so
// the mask keeps only that run per row (the two ends a scan finds), not a pixel per bit.
class ShapeMask {
public:
    int Width() const { return width_; }
    int Height() const { return int(rows_.size()); }
    // The mask pixel at (x, y) belongs to the shape; false outside the mask.
    bool IsInside(int x, int y) const;
    MaskRowScan Row(int k) const { return rows_[std::size_t(k)]; }

private:
    friend ShapeMask BuildShapeMask(int width, int height, CommandId selectionShape);
    friend void FreeShapeMask(ShapeMask& mask);
    int width_ = 0;
    std::vector<MaskRowScan> rows_;
};

// selectionShape CommandId::RoundedRectangleSelection gives the rounded rectangle, any other shape
// the ellipse. A height of 0 or less gives no rows; a width of 0 or less gives rows without shape
// pixels.
ShapeMask BuildShapeMask(int width, int height, CommandId selectionShape);
inline ShapeMask BuildShapeMask(const Rect& selection, CommandId selectionShape) {
    return BuildShapeMask(selection.Width(), selection.Height(), selectionShape);
}

// Row k, 0 <= k < Height().
inline MaskRowScan ScanMaskRow(const ShapeMask& mask, int k) { return mask.Row(k); }

// Releases the mask's memory at once; it is empty afterwards.
void FreeShapeMask(ShapeMask& mask);

}  // namespace rastrix

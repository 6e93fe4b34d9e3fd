#pragma once
#include <vector>

#include "raster/Geometry.h"

namespace rastrix {

// The top-right quarter of the outline of the ellipse inscribed in the box [0,w) x [0,h),
// w, h >= 3: pixel centres, 8-connected, from (w-1, (h-1)/2) on the right edge to the top
// row at x = w/2. Mirrored about the box centre it gives the whole outline. Internal.
std::vector<Point> EllipseQuadrant(int w, int h);

// The one-pixel outline of a rectangle, rounded rectangle or ellipse over a box (normalised,
// not empty). Internal to the raster layer.
class Figure {
public:
    // The border ring of the box.
    static Figure Box(Rect box);
    // Corners are quarters of a cornerW x cornerH ellipse (both already clamped to the box
    // and greater than 2); an ellipse is the case where the corners span the whole box.
    static Figure Rounded(Rect box, int cornerW, int cornerH);

    const Rect& Bounds() const { return box_; }
    // The closed path, each vertex once: straight runs and unit steps between consecutive
    // vertices, the last vertex joining the first. It starts on the right side at the top of
    // its straight part and runs toward the top (counter-clockwise on the screen).
    std::vector<Point> Path() const;
    // The leftmost and rightmost outline pixel of row y (inside the box).
    int RowLeft(int y) const { return box_.left + box_.right - 1 - RowRight(y); }
    int RowRight(int y) const;

private:
    Rect box_;
    int cornerW_ = 0;
    int cornerH_ = 0;
    std::vector<Point> quadrant_;   // corner quarter in corner-box coordinates
    std::vector<int> quadrantRight_;  // rightmost quadrant x per quadrant row
};

// Largest box side drawn as a rounded figure; beyond it the curve arithmetic could overflow.
inline constexpr int kMaxRoundFigureSide = 1 << 19;

}  // namespace rastrix

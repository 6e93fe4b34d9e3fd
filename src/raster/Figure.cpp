#include "raster/Figure.h"

#include <algorithm>
#include <cstdint>

namespace rastrix {

// Integer midpoint walk over the quarter ellipse through the pixel centres of the box, with
// the error terms of the implicit equation b²x² + a²y² = a²b² kept exact in 64 bits.
// a and b are the distances between the extreme pixel centres. When the box is much taller
// than wide the walk reaches the centre column before the top row; the column is then
// carried straight up so the figure always touches all four sides.
std::vector<Point> EllipseQuadrant(int w, int h) {
    const std::int64_t a = w - 1;
    const std::int64_t b = h - 1;
    const std::int64_t bOdd = b & 1;
    std::int64_t dx = 4 * (1 - a) * b * b;
    std::int64_t dy = 4 * (bOdd + 1) * a * a;
    std::int64_t err = dx + dy + bOdd * a * a;
    const std::int64_t stepY = 8 * a * a;
    const std::int64_t stepX = 8 * b * b;
    int left = 0;
    int right = w - 1;
    int y = (h - 1) / 2;
    std::vector<Point> pts;
    pts.reserve(std::size_t(w + h));
    auto emit = [&pts](int px, int py) {
        if (pts.empty() || pts.back() != Point{px, py}) pts.push_back({px, py});
    };
    do {
        emit(right, y);
        const std::int64_t e2 = 2 * err;
        if (e2 <= dy) {
            --y;
            dy += stepY;
            err += dy;
        }
        if (e2 >= dx || 2 * err > dy) {
            ++left;
            --right;
            dx += stepX;
            err += dx;
        }
    } while (left <= right);
    for (; y >= 0; --y) emit(right + 1, y);
    return pts;
}

Figure Figure::Box(Rect box) {
    Figure f;
    f.box_ = box;
    return f;
}

Figure Figure::Rounded(Rect box, int cornerW, int cornerH) {
    Figure f;
    f.box_ = box;
    f.cornerW_ = cornerW;
    f.cornerH_ = cornerH;
    f.quadrant_ = EllipseQuadrant(cornerW, cornerH);
    f.quadrantRight_.assign(std::size_t((cornerH - 1) / 2 + 1), 0);
    for (const Point& p : f.quadrant_) {
        int& r = f.quadrantRight_[std::size_t(p.y)];
        r = std::max(r, p.x);
    }
    return f;
}

int Figure::RowRight(int y) const {
    const int fromEdge = std::min(y - box_.top, box_.bottom - 1 - y);
    if (fromEdge < int(quadrantRight_.size())) return box_.right - cornerW_ + quadrantRight_[std::size_t(fromEdge)];
    return box_.right - 1;
}

std::vector<Point> Figure::Path() const {
    const int l = box_.left, t = box_.top, r = box_.right, b = box_.bottom;
    std::vector<Point> path;
    auto add = [&path](Point p) {
        if (path.empty() || path.back() != p) path.push_back(p);
    };
    if (quadrant_.empty()) {
        add({r - 1, t});
        add({l, t});
        add({l, b - 1});
        add({r - 1, b - 1});
    } else {
        path.reserve(quadrant_.size() * 4);
        const int x0 = r - cornerW_;
        const int xm = l + cornerW_ - 1;  // mirrors x0 + qx to xm - qx
        for (auto q = quadrant_.begin(); q != quadrant_.end(); ++q) add({x0 + q->x, t + q->y});
        for (auto q = quadrant_.rbegin(); q != quadrant_.rend(); ++q) add({xm - q->x, t + q->y});
        for (auto q = quadrant_.begin(); q != quadrant_.end(); ++q) add({xm - q->x, b - 1 - q->y});
        for (auto q = quadrant_.rbegin(); q != quadrant_.rend(); ++q) add({x0 + q->x, b - 1 - q->y});
    }
    while (path.size() > 1 && path.back() == path.front()) path.pop_back();
    return path;
}

}  // namespace rastrix

#include "raster/Stroke.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "raster/Figure.h"

namespace rastrix {

namespace {

// On/off runs of each styled pen over one 24-pixel period, first pixel in bit 23.
std::uint32_t PatternBits(int style) {
    switch (style) {
        case PS_DASH: return 0b111111111111111111000000u;       // 18, 6
        case PS_DOT: return 0b111000111000111000111000u;        // 3, 3
        case PS_DASHDOT: return 0b111111111000000111000000u;    // 9, 6, 3, 6
        case PS_DASHDOTDOT: return 0b111111111000111000111000u; // 9, 3, 3, 3, 3, 3
        default: return 0xFFFFFFu;
    }
}

// Paints [x0, x1) of row y with 64-bit ends, so stamps near the int limits cannot overflow.
void FillSpan64(Bitmap& bmp, std::int64_t y, std::int64_t x0, std::int64_t x1, const SpanFill& fill) {
    if (y < 0 || y >= bmp.Height()) return;
    x0 = std::max<std::int64_t>(x0, 0);
    x1 = std::min<std::int64_t>(x1, bmp.Width());
    if (x0 < x1) FillSpan(bmp, int(y), int(x0), int(x1), fill);
}

}  // namespace

LineSteps::LineSteps(Point from, Point to) : from_(from) {
    const std::int64_t dx = std::int64_t(to.x) - from.x;
    const std::int64_t dy = std::int64_t(to.y) - from.y;
    yMajor_ = std::llabs(dy) >= std::llabs(dx);
    n_ = std::max(std::llabs(dx), std::llabs(dy));
    dMinor_ = yMajor_ ? dx : dy;
    majorSign_ = (yMajor_ ? dy : dx) < 0 ? -1 : 1;
}

Disc::Disc(int w) : width(w), up(w / 2) {
    if (w <= 2) {
        lo.assign(std::size_t(w), -up);
        hi.assign(std::size_t(w), w - 1 - up);
        return;
    }
    const Figure f = Figure::Rounded(Rect{0, 0, w, w}, w, w);
    for (int y = 0; y < w; ++y) {
        lo.push_back(f.RowLeft(y) - up);
        hi.push_back(f.RowRight(y) - up);
    }
}

PenStroke::PenStroke(Bitmap& bmp, const Pen& pen, Color background, bool opaqueBackground)
    : bmp_(bmp),
      width_(pen.width),
      color_(ClearTopByte(ColorToPixel(pen.color))),
      background_(ClearTopByte(ColorToPixel(background))),
      opaque_(opaqueBackground),
      pattern_(PatternBits(pen.DrawnStyle())),
      disc_(pen.width),
      fill_(MakeSolidFill(pen.color)) {}

void PenStroke::Segment(Point a, Point b) {
    if (width_ > 1) {
        WideLine(a, b);
        return;
    }
    const LineSteps steps(a, b);
    const std::int64_t n = steps.Length();
    if (n == 0) return;
    const int w = bmp_.Width(), h = bmp_.Height();
    const std::int64_t phase = phase_;
    const std::uint32_t pattern = pattern_;
    auto plot = [&](std::int64_t x, std::int64_t y, std::int64_t k) {
        if (steps.YMajor() ? (x < 0 || x >= w) : (y < 0 || y >= h)) return;
        const bool on = (pattern >> (23 - (phase + k) % 24)) & 1u;
        if (on) bmp_.Row(int(y))[x] = color_;
        else if (opaque_) bmp_.Row(int(y))[x] = background_;
    };
    steps.Walk(n - 1, 0, steps.YMajor() ? h : w, plot);
    phase_ += n;
}

void PenStroke::ClosedPath(const std::vector<Point>& path) {
    if (path.empty()) return;
    if (path.size() == 1) {
        // A figure shrunk to one pixel: the thin pen draws nothing, a wide pen its round join.
        if (width_ > 1) StampDisc(path[0]);
        return;
    }
    for (std::size_t i = 0; i < path.size(); ++i) {
        const Point a = path[i];
        const Point b = path[(i + 1) % path.size()];
        const bool unitStep = std::llabs(std::int64_t(b.x) - a.x) <= 1 && std::llabs(std::int64_t(b.y) - a.y) <= 1;
        // A wide unit step only needs the disc at its start: its end starts the next segment.
        if (width_ > 1 && unitStep) StampDisc(a);
        else Segment(a, b);
    }
}

void PenStroke::StampDisc(Point p) {
    for (int i = 0; i < width_; ++i)
        FillSpan64(bmp_, std::int64_t(p.y) - disc_.up + i, std::int64_t(p.x) + disc_.lo[std::size_t(i)],
                   std::int64_t(p.x) + disc_.hi[std::size_t(i)] + 1, fill_);
}

// The union of the discs on every pixel from a to b inclusive, gathered per row. Each row
// of the union is one span: the discs that reach a row sit on consecutive line pixels whose
// columns differ by at most one, and every disc row covers its centre column.
void PenStroke::WideLine(Point a, Point b) {
    const int down = width_ - 1 - disc_.up;
    const std::int64_t yLo = std::max<std::int64_t>(0, std::int64_t(std::min(a.y, b.y)) - disc_.up);
    const std::int64_t yHi = std::min<std::int64_t>(bmp_.Height() - 1, std::int64_t(std::max(a.y, b.y)) + down);
    if (yLo > yHi) return;
    const std::size_t rows = std::size_t(yHi - yLo + 1);
    std::vector<std::int64_t> lo(rows, std::numeric_limits<std::int64_t>::max());
    std::vector<std::int64_t> hi(rows, std::numeric_limits<std::int64_t>::min());
    const LineSteps steps(a, b);
    const std::int64_t extent = steps.YMajor() ? bmp_.Height() : bmp_.Width();
    auto stamp = [&](std::int64_t x, std::int64_t y, std::int64_t) {
        for (int i = 0; i < width_; ++i) {
            const std::int64_t row = y - disc_.up + i;
            if (row < yLo || row > yHi) continue;
            const std::size_t r = std::size_t(row - yLo);
            lo[r] = std::min(lo[r], x + disc_.lo[std::size_t(i)]);
            hi[r] = std::max(hi[r], x + disc_.hi[std::size_t(i)]);
        }
    };
    steps.Walk(steps.Length(), -width_, extent + width_, stamp);
    for (std::size_t r = 0; r < rows; ++r)
        if (lo[r] <= hi[r]) FillSpan64(bmp_, yLo + std::int64_t(r), lo[r], hi[r] + 1, fill_);
}

}  // namespace rastrix

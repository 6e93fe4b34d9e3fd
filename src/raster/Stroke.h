#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "raster/Bitmap.h"
#include "raster/Pen.h"
#include "raster/Spans.h"

namespace rastrix {

// The pixels of a 1-pixel line: one per step of the major axis, the minor coordinate being
// the exact value rounded half toward the smaller coordinate, so both directions cover the
// same pixels. Steps k = 0 .. count-1 from the start point. Internal.
class LineSteps {
public:
    LineSteps(Point from, Point to);
    std::int64_t Length() const { return n_; }  // pixels up to, not including, the end point
    bool YMajor() const { return yMajor_; }
    // Calls visit(x, y, k) for each step k in [0, last] whose major coordinate lies in
    // [lo, hi); the minor coordinate is not checked.
    template <class Visit>
    void Walk(std::int64_t last, std::int64_t lo, std::int64_t hi, Visit&& visit) const;

private:
    Point from_;
    std::int64_t n_ = 0;
    std::int64_t dMinor_ = 0;
    int majorSign_ = 1;
    bool yMajor_ = false;
};

// A w x w disc: per row offset -w/2 .. (w-1)/2 (the even extra on the top/left), the
// leftmost and rightmost column offset. It is the filled ellipse of a w x w box.
struct Disc {
    int width = 1;
    int up = 0;  // rows above the centre
    std::vector<int> lo, hi;
    explicit Disc(int w);
};

// Draws pen pixels along lines and closed paths. A 1-pixel styled pen keeps a dash phase
// that advances one step per pixel, clipped pixels included; gaps take the background
// colour when the background is opaque. Wider pens stamp a disc on every pixel of the
// 1-pixel path. Every write is clipped to the bitmap. Internal.
class PenStroke {
public:
    PenStroke(Bitmap& bmp, const Pen& pen, Color background, bool opaqueBackground);

    void RestartPattern() { phase_ = 0; }
    // 1-pixel pens: the pixels from a up to, not including, b. Wide pens: every pixel from a
    // to b inclusive, each covered by the disc.
    void Segment(Point a, Point b);
    // Each segment of the closed path, the last vertex joining the first.
    void ClosedPath(const std::vector<Point>& path);

private:
    void WideLine(Point a, Point b);
    void StampDisc(Point p);

    Bitmap& bmp_;
    int width_ = 1;
    Pixel color_{0};
    Pixel background_{0};
    bool opaque_ = true;
    std::uint32_t pattern_ = 0xFFFFFFu;  // 24 bits, bit 23 first: 1 = pen, 0 = gap
    std::int64_t phase_ = 0;
    Disc disc_;
    SpanFill fill_;
};

template <class Visit>
void LineSteps::Walk(std::int64_t last, std::int64_t lo, std::int64_t hi, Visit&& visit) const {
    const std::int64_t start = yMajor_ ? from_.y : from_.x;
    std::int64_t k0, k1;  // inclusive step range inside [lo, hi)
    if (majorSign_ > 0) {
        k0 = std::max<std::int64_t>(0, lo - start);
        k1 = std::min<std::int64_t>(last, hi - 1 - start);
    } else {
        k0 = std::max<std::int64_t>(0, start - (hi - 1));
        k1 = std::min<std::int64_t>(last, start - lo);
    }
    if (k0 > k1) return;
    // Minor offset at step k: floor((2k·dMinor + n - 1) / 2n), kept as quotient q and
    // remainder r so each step is one add and at most one carry.
    const std::int64_t twoN = 2 * std::max<std::int64_t>(n_, 1);
    const __int128 a = __int128(2) * k0 * dMinor_ + std::max<std::int64_t>(n_, 1) - 1;
    __int128 q128 = a / twoN;
    if (a % twoN < 0) --q128;
    std::int64_t q = std::int64_t(q128);
    std::int64_t r = std::int64_t(a - q128 * twoN);
    const std::int64_t step = 2 * dMinor_;
    const std::int64_t minor0 = yMajor_ ? from_.x : from_.y;
    for (std::int64_t k = k0; k <= k1; ++k) {
        const std::int64_t major = start + majorSign_ * k;
        const std::int64_t minor = minor0 + q;
        if (yMajor_) visit(minor, major, k);
        else visit(major, minor, k);
        r += step;
        if (r >= twoN) {
            r -= twoN;
            ++q;
        } else if (r < 0) {
            r += twoN;
            --q;
        }
    }
}

}  // namespace rastrix

#include "raster/Blit.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <numeric>

#include "raster/StretchMap.h"

namespace rastrix {

namespace {

constexpr std::int64_t kMaxStretchSide = std::int64_t(1) << 24;

// [lo, hi) on one axis of a copy: destination positions covered by both bitmaps.
struct Range {
    std::int64_t lo;
    std::int64_t hi;
};

Range CopyRange(int d, int len, int dstLimit, int s, int srcLimit) {
    const std::int64_t shift = std::int64_t(d) - s;  // destination = source + shift
    const std::int64_t lo = std::max({std::int64_t(d), std::int64_t(0), shift});
    const std::int64_t hi = std::min({std::int64_t(d) + len, std::int64_t(dstLimit), shift + srcLimit});
    return {lo, hi};
}

void ColorOnColorStretch(Bitmap& dst, const StretchAxis& xs, const StretchAxis& ys, const Bitmap& src) {
    const int n = xs.Count();
    const int* cols = xs.source.data();
    int lastSource = -1;
    Pixel* lastRow = nullptr;
    for (int j = 0; j < ys.Count(); ++j) {
        Pixel* out = dst.Row(ys.first + j) + xs.first;
        const int sy = ys.source[std::size_t(j)];
        if (sy == lastSource) {
            // Enlarging repeats rows: copy the row just built instead of gathering again.
            std::memcpy(out, lastRow, std::size_t(n) * sizeof(Pixel));
            continue;
        }
        const Pixel* in = src.Row(sy);
        for (int i = 0; i < n; ++i) out[i] = in[cols[i]];
        lastSource = sy;
        lastRow = out;
    }
}

}  // namespace

void CopyPixels(Bitmap& dst, int dx, int dy, int w, int h, const Bitmap& src, int sx, int sy) {
    if (w <= 0 || h <= 0) return;
    const Range xr = CopyRange(dx, w, dst.Width(), sx, src.Width());
    const Range yr = CopyRange(dy, h, dst.Height(), sy, src.Height());
    if (xr.lo >= xr.hi || yr.lo >= yr.hi) return;
    const int x0 = int(xr.lo);
    const int srcX0 = int(xr.lo - (std::int64_t(dx) - sx));
    const std::size_t bytes = std::size_t(xr.hi - xr.lo) * sizeof(Pixel);
    const std::int64_t rowShift = std::int64_t(dy) - sy;
    const bool same = &dst == &src;
    // Within one bitmap, walk rows away from the direction of travel so no source row is
    // overwritten before it is read; memmove handles overlap inside a row.
    if (same && rowShift > 0) {
        for (std::int64_t y = yr.hi - 1; y >= yr.lo; --y)
            std::memmove(dst.Row(int(y)) + x0, src.Row(int(y - rowShift)) + srcX0, bytes);
    } else if (same) {
        for (std::int64_t y = yr.lo; y < yr.hi; ++y)
            std::memmove(dst.Row(int(y)) + x0, src.Row(int(y - rowShift)) + srcX0, bytes);
    } else {
        for (std::int64_t y = yr.lo; y < yr.hi; ++y)
            std::memcpy(dst.Row(int(y)) + x0, src.Row(int(y - rowShift)) + srcX0, bytes);
    }
}

StretchAxis MapStretchAxis(int dstStart, int dstLen, int dstLimit, int srcStart, int srcLen, int srcLimit) {
    StretchAxis axis;
    const std::int64_t lo = std::max<std::int64_t>(dstStart, 0);
    const std::int64_t hi = std::min<std::int64_t>(std::int64_t(dstStart) + dstLen, dstLimit);
    const std::int64_t twoD = 2 * std::int64_t(dstLen);
    axis.first = int(lo);
    for (std::int64_t x = lo; x < hi; ++x) {
        const std::int64_t d = x - dstStart;
        const std::int64_t s = srcStart + ((2 * d + 1) * srcLen + twoD - 1) / twoD - 1;
        if (s < 0) {
            axis.first = int(x + 1);
            continue;
        }
        if (s >= srcLimit) break;  // the map never decreases
        axis.source.push_back(int(s));
    }
    return axis;
}

CoverAxis MapCoverAxis(const StretchAxis& centres, int dstStart, int dstLen, int srcStart, int srcLen,
                       int srcLimit) {
    CoverAxis axis;
    const std::int64_t g = std::gcd(std::int64_t(srcLen), std::int64_t(dstLen));
    const std::int64_t unitS = srcLen / g;  // a destination pixel's length
    const std::int64_t unitD = dstLen / g;  // a source pixel's length
    axis.fullWeight = std::uint32_t(unitD);
    axis.spans.reserve(centres.source.size());
    const std::int64_t sMin = -std::int64_t(srcStart);
    const std::int64_t sMax = std::int64_t(srcLimit) - 1 - srcStart;
    for (int i = 0; i < centres.Count(); ++i) {
        const std::int64_t d = std::int64_t(centres.first) + i - dstStart;
        const std::int64_t lo = d * unitS;
        const std::int64_t hi = lo + unitS;
        const std::int64_t s0 = std::max(lo / unitD, sMin);
        const std::int64_t s1 = std::min((hi - 1) / unitD, sMax);
        auto weight = [&](std::int64_t s) {
            return std::uint32_t(std::min((s + 1) * unitD, hi) - std::max(s * unitD, lo));
        };
        CoverSpan span;
        span.first = int(s0 + srcStart);
        span.count = int(s1 - s0 + 1);
        span.firstWeight = weight(s0);
        span.lastWeight = span.count > 1 ? weight(s1) : 0;
        span.total = std::uint64_t(span.firstWeight) + span.lastWeight +
                     std::uint64_t(std::max(span.count - 2, 0)) * axis.fullWeight;
        axis.spans.push_back(span);
    }
    return axis;
}

void StretchPixels(Bitmap& dst, Rect dstRect, const Bitmap& src, Rect srcRect, StretchMode mode) {
    if (dstRect.IsEmpty() || srcRect.IsEmpty()) return;
    if (std::int64_t(dstRect.Width()) > kMaxStretchSide || std::int64_t(dstRect.Height()) > kMaxStretchSide ||
        std::int64_t(srcRect.Width()) > kMaxStretchSide || std::int64_t(srcRect.Height()) > kMaxStretchSide)
        return;
    if (&dst == &src) {
        // Read from a copy of the part of the source that exists.
        const Rect part = srcRect.Intersect(src.Bounds());
        if (part.IsEmpty()) return;
        Bitmap copy(part.Width(), part.Height());
        CopyPixels(copy, 0, 0, part.Width(), part.Height(), src, part.left, part.top);
        const Rect moved{srcRect.left - part.left, srcRect.top - part.top, srcRect.right - part.left,
                         srcRect.bottom - part.top};
        StretchPixels(dst, dstRect, copy, moved, mode);
        return;
    }
    if (dstRect.Width() == srcRect.Width() && dstRect.Height() == srcRect.Height()) {
        CopyPixels(dst, dstRect.left, dstRect.top, dstRect.Width(), dstRect.Height(), src, srcRect.left, srcRect.top);
        return;
    }
    const StretchAxis xs =
        MapStretchAxis(dstRect.left, dstRect.Width(), dst.Width(), srcRect.left, srcRect.Width(), src.Width());
    const StretchAxis ys =
        MapStretchAxis(dstRect.top, dstRect.Height(), dst.Height(), srcRect.top, srcRect.Height(), src.Height());
    if (xs.Count() == 0 || ys.Count() == 0) return;
    if (mode == StretchMode::ColorOnColor) {
        ColorOnColorStretch(dst, xs, ys, src);
        return;
    }
    const CoverAxis cx = MapCoverAxis(xs, dstRect.left, dstRect.Width(), srcRect.left, srcRect.Width(), src.Width());
    const CoverAxis cy = MapCoverAxis(ys, dstRect.top, dstRect.Height(), srcRect.top, srcRect.Height(), src.Height());
    HalftoneStretch(dst, xs, ys, cx, cy, src);
}

}  // namespace rastrix

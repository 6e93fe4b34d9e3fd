#include "raster/Scale.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <new>

#include "raster/ScaleWeights.h"

// The filter works on the stored sRGB values, not in linear light. Linear light is more
// faithful when fine high-contrast detail is reduced (a 1-pixel black-and-white pattern keeps
// its brightness), but the pictures people scale here are photos and anti-aliased drawings
// headed for small screens, where the difference is slight, and every tool they compare with
// (Pillow, ImageMagick's default resize of sRGB files, libvips' thumbnail, browsers) gives the
// sRGB result: working the same way keeps our results within a level of theirs, keeps every
// step in 8-bit integers, and leaves a flat area or a hard edge exactly as sharp as theirs.

namespace rastrix {

namespace {

constexpr std::int32_t kRounding = std::int32_t(1) << (kScaleWeightBits - 1);

inline Pixel Channel8(std::int32_t sum, int shift) {
    const std::int32_t v = sum >> kScaleWeightBits;
    return Pixel(v < 0 ? 0 : v > 255 ? 255 : v) << shift;
}

// One row through the horizontal weights.
void FilterRow(const Pixel* src, const ScaleAxis& ax, Pixel* out) {
    const std::size_t taps = std::size_t(ax.taps);
    for (int i = 0; i < ax.Size(); ++i) {
        const Pixel* s = src + ax.first[std::size_t(i)];
        const std::int32_t* w = ax.weight.data() + std::size_t(i) * taps;
        const int n = ax.count[std::size_t(i)];
        std::int32_t r = kRounding, g = kRounding, b = kRounding;
        for (int j = 0; j < n; ++j) {
            const Pixel p = s[j];
            r += std::int32_t((p >> 16) & 0xFFu) * w[j];
            g += std::int32_t((p >> 8) & 0xFFu) * w[j];
            b += std::int32_t(p & 0xFFu) * w[j];
        }
        out[i] = Channel8(r, 16) | Channel8(g, 8) | Channel8(b, 0);
    }
}

// One output row as the weighted sum of whole rows: row by row, so each is read in memory order.
void FilterColumns(const Bitmap& src, int firstRow, const std::int32_t* w, int n, Pixel* out,
                   std::vector<std::int32_t>& acc) {
    const int width = src.Width();
    std::int32_t* r = acc.data();
    std::int32_t* g = r + width;
    std::int32_t* b = g + width;
    std::fill(acc.begin(), acc.end(), kRounding);
    for (int j = 0; j < n; ++j) {
        const Pixel* row = src.Row(firstRow + j);
        const std::int32_t wj = w[j];
        for (int x = 0; x < width; ++x) {
            const Pixel p = row[x];
            r[x] += std::int32_t((p >> 16) & 0xFFu) * wj;
            g[x] += std::int32_t((p >> 8) & 0xFFu) * wj;
            b[x] += std::int32_t(p & 0xFFu) * wj;
        }
    }
    for (int x = 0; x < width; ++x) out[x] = Channel8(r[x], 16) | Channel8(g[x], 8) | Channel8(b[x], 0);
}

// A pixel's channels spread over one 64-bit word, blue in bits 0-15, red in 16-31 and green in
// 32-63, so that up to 257 pixels add up in one addition each without a carry between channels.
inline std::uint64_t Spread(Pixel p) { return (p & 0x00FF00FFu) | (std::uint64_t(p & 0xFF00u) << 24); }
constexpr int kSpreadRows = 256;

// Each kx x ky block of the source as its rounded average; blocks at the right and bottom
// edges may be smaller and average what they hold. The rows of a block are added column by
// column first (a straight pass over memory), then the columns of each block.
std::optional<Bitmap> AverageDown(const Bitmap& src, int kx, int ky) {
    const int w = src.Width(), h = src.Height();
    const int ow = int((std::int64_t(w) + kx - 1) / kx), oh = int((std::int64_t(h) + ky - 1) / ky);
    std::optional<Bitmap> out = Bitmap::TryCreate(ow, oh, Bitmap::NewPixels::Unset);
    if (!out) return std::nullopt;
    std::vector<std::uint64_t> spread(std::size_t(w), 0);
    std::vector<std::uint32_t> columns(std::size_t(w) * 3);  // at most 65535 rows of 255 each
    for (int oy = 0; oy < oh; ++oy) {
        std::fill(columns.begin(), columns.end(), 0u);
        const int y0 = oy * ky, y1 = std::min(h, y0 + ky);
        for (int chunk = y0; chunk < y1; chunk += kSpreadRows) {
            std::fill(spread.begin(), spread.end(), 0u);
            for (int y = chunk; y < std::min(y1, chunk + kSpreadRows); ++y) {
                const Pixel* row = src.Row(y);
                for (int x = 0; x < w; ++x) spread[std::size_t(x)] += Spread(row[x]);
            }
            for (int x = 0; x < w; ++x) {
                const std::uint64_t v = spread[std::size_t(x)];
                columns[3 * std::size_t(x)] += std::uint32_t(v >> 16) & 0xFFFFu;
                columns[3 * std::size_t(x) + 1] += std::uint32_t(v >> 32);
                columns[3 * std::size_t(x) + 2] += std::uint32_t(v) & 0xFFFFu;
            }
        }
        Pixel* dst = out->Row(oy);
        for (int ox = 0; ox < ow; ++ox) {
            const int x0 = ox * kx, x1 = std::min(w, x0 + kx);
            std::uint64_t r = 0, g = 0, b = 0;
            for (int x = x0; x < x1; ++x) {
                r += columns[3 * std::size_t(x)];
                g += columns[3 * std::size_t(x) + 1];
                b += columns[3 * std::size_t(x) + 2];
            }
            const std::uint64_t n = std::uint64_t(x1 - x0) * std::uint64_t(y1 - y0);
            dst[ox] = Pixel((r + n / 2) / n) << 16 | Pixel((g + n / 2) / n) << 8 | Pixel((b + n / 2) / n);
        }
    }
    return out;
}

void ScaleNearest(const Bitmap& src, const ScaleLayout& l, Bitmap& out) {
    const std::vector<int> xs = NearestAxis(src.Width(), l.scaled.right, l.shown.left, l.shown.Width());
    const std::vector<int> ys = NearestAxis(src.Height(), l.scaled.bottom, l.shown.top, l.shown.Height());
    for (std::size_t i = 0; i < ys.size(); ++i) {
        const Pixel* s = src.Row(ys[i]);
        Pixel* d = out.Row(l.at.y + int(i)) + l.at.x;
        for (std::size_t x = 0; x < xs.size(); ++x) d[x] = s[xs[x]];
    }
}

bool ScaleLanczos(const Bitmap& src, const ScaleLayout& l, Bitmap& out) {
    const int kx = ShrinkFactor(src.Width(), l.scaled.right);
    const int ky = ShrinkFactor(src.Height(), l.scaled.bottom);
    std::optional<Bitmap> shrunk;
    if (kx > 1 || ky > 1) {
        shrunk = AverageDown(src, kx, ky);
        if (!shrunk) return false;
    }
    const Bitmap& base = shrunk ? *shrunk : src;
    const int sw = l.shown.Width(), sh = l.shown.Height();
    const ScaleAxis ax = LanczosAxis(src.Width(), l.scaled.right, l.shown.left, sw, kx, base.Width());
    const ScaleAxis ay = LanczosAxis(src.Height(), l.scaled.bottom, l.shown.top, sh, ky, base.Height());

    // The horizontal pass covers only the rows the vertical one reads; an axis left at its
    // size is copied, not filtered.
    const bool keepWidth = base.Width() == sw && l.scaled.right == sw;
    const bool keepHeight = base.Height() == sh && l.scaled.bottom == sh;
    const int y0 = ay.first.front();
    int y1 = y0;
    for (int i = 0; i < sh; ++i) y1 = std::max(y1, ay.first[std::size_t(i)] + ay.count[std::size_t(i)]);
    std::optional<Bitmap> across;
    if (!keepWidth) {
        across = Bitmap::TryCreate(sw, y1 - y0, Bitmap::NewPixels::Unset);
        if (!across) return false;
        for (int y = y0; y < y1; ++y) FilterRow(base.Row(y), ax, across->Row(y - y0));
    }
    const Bitmap& rows = across ? *across : base;
    const int rowShift = across ? y0 : 0;
    if (keepHeight) {
        for (int y = 0; y < sh; ++y)
            std::memcpy(out.Row(l.at.y + y) + l.at.x, rows.Row(y), std::size_t(sw) * sizeof(Pixel));
        return true;
    }
    std::vector<std::int32_t> acc(std::size_t(sw) * 3);
    for (int i = 0; i < sh; ++i)
        FilterColumns(rows, ay.first[std::size_t(i)] - rowShift, ay.weight.data() + std::size_t(i) * std::size_t(ay.taps),
                      ay.count[std::size_t(i)], out.Row(l.at.y + i) + l.at.x, acc);
    return true;
}

// round(a * b / c) for positive values, at least 1 and at most INT_MAX / 2.
int ScaledSide(std::int64_t a, std::int64_t b, std::int64_t c) {
    return int(std::clamp<std::int64_t>((2 * a * b + c) / (2 * c), 1, INT_MAX / 2));
}

}  // namespace

ScaleLayout LayOutScale(int srcWidth, int srcHeight, int width, int height, ScaleFit fit) {
    ScaleLayout l;
    int sw = width, sh = height;
    // Whether the width decides the scale: for Fit the side that is the tighter limit, for
    // Cover the side that needs the larger scale.
    const bool widthLimits = std::int64_t(width) * srcHeight <= std::int64_t(height) * srcWidth;
    if (fit == ScaleFit::Fit) {
        if (widthLimits) sh = std::min(height, ScaledSide(srcHeight, width, srcWidth));
        else sw = std::min(width, ScaledSide(srcWidth, height, srcHeight));
    } else if (fit == ScaleFit::Cover) {
        if (!widthLimits) sh = std::max(height, ScaledSide(srcHeight, width, srcWidth));
        else sw = std::max(width, ScaledSide(srcWidth, height, srcHeight));
    }
    l.scaled = {0, 0, sw, sh};
    if (fit == ScaleFit::Cover) {
        const int left = (sw - width) / 2, top = (sh - height) / 2;
        l.shown = {left, top, left + width, top + height};
    } else {
        l.shown = l.scaled;
        l.at = {(width - sw) / 2, (height - sh) / 2};
    }
    return l;
}

std::optional<Bitmap> ScaleBitmap(const Bitmap& src, int width, int height, ScaleFit fit, ScaleFilter filter,
                                  Pixel background) {
    if (src.IsEmpty() || width < 1 || height < 1) return std::nullopt;
    const ScaleLayout l = LayOutScale(src.Width(), src.Height(), width, height, fit);
    const bool covered = l.shown.Width() == width && l.shown.Height() == height;
    std::optional<Bitmap> out = Bitmap::TryCreate(width, height, Bitmap::NewPixels::Unset);
    if (!out) return std::nullopt;
    if (!covered) std::fill(out->Data(), out->Data() + std::size_t(width) * std::size_t(height), background & 0x00FFFFFFu);
    try {
        if (filter == ScaleFilter::Nearest) {
            ScaleNearest(src, l, *out);
        } else if (!ScaleLanczos(src, l, *out)) {
            return std::nullopt;
        }
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    return out;
}

}  // namespace rastrix

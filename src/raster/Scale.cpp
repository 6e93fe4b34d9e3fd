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

inline std::uint32_t Channel8(std::int32_t sum, int shift) {
    const std::int32_t v = sum >> kScaleWeightBits;
    return std::uint32_t(v < 0 ? 0 : v > 255 ? 255 : v) << shift;
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
            const std::uint32_t p = ValueOf(s[j]);
            r += std::int32_t((p >> 16) & 0xFFu) * w[j];
            g += std::int32_t((p >> 8) & 0xFFu) * w[j];
            b += std::int32_t(p & 0xFFu) * w[j];
        }
        out[i] = Pixel{Channel8(r, 16) | Channel8(g, 8) | Channel8(b, 0)};
    }
}

// One output row of `width` pixels as the weighted sum of whole rows (rowOf(y) gives the row of
// base row y): row by row, so each is read in memory order.
template <class RowOf>
void FilterColumns(const RowOf& rowOf, int width, int firstRow, const std::int32_t* w, int n, Pixel* out,
                   std::vector<std::int32_t>& acc) {
    std::int32_t* r = acc.data();
    std::int32_t* g = r + width;
    std::int32_t* b = g + width;
    std::fill(acc.begin(), acc.end(), kRounding);
    for (int j = 0; j < n; ++j) {
        const Pixel* row = rowOf(firstRow + j);
        const std::int32_t wj = w[j];
        for (int x = 0; x < width; ++x) {
            const std::uint32_t p = ValueOf(row[x]);
            r[x] += std::int32_t((p >> 16) & 0xFFu) * wj;
            g[x] += std::int32_t((p >> 8) & 0xFFu) * wj;
            b[x] += std::int32_t(p & 0xFFu) * wj;
        }
    }
    for (int x = 0; x < width; ++x) out[x] = Pixel{Channel8(r[x], 16) | Channel8(g[x], 8) | Channel8(b[x], 0)};
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

// The two axes of a Lanczos scale of `base`, a srcWidth x srcHeight picture averaged down by
// kx x ky (or the picture itself), and the band of its rows the vertical pass reads.
struct LanczosPlan {
    ScaleAxis ax, ay;
    int y0 = 0, y1 = 0;       // base rows y0..y1-1 are read
    bool keepWidth = false;   // an axis left at its size is copied, not filtered
    bool keepHeight = false;

    LanczosPlan(int srcWidth, int srcHeight, int kx, int ky, int baseWidth, int baseHeight, const ScaleLayout& l)
        : ax(LanczosAxis(srcWidth, l.scaled.right, l.shown.left, l.shown.Width(), kx, baseWidth)),
          ay(LanczosAxis(srcHeight, l.scaled.bottom, l.shown.top, l.shown.Height(), ky, baseHeight)),
          keepWidth(baseWidth == l.shown.Width() && l.scaled.right == l.shown.Width()),
          keepHeight(baseHeight == l.shown.Height() && l.scaled.bottom == l.shown.Height()) {
        y0 = y1 = ay.first.front();
        for (int i = 0; i < ay.Size(); ++i) y1 = std::max(y1, ay.first[std::size_t(i)] + ay.count[std::size_t(i)]);
    }
    // The base rows output row i reads end before this one.
    int RowsFor(int i) const { return ay.first[std::size_t(i)] + ay.count[std::size_t(i)]; }
};

// Output rows from..to-1 out of the base rows filtered across (rowOf(y) gives base row y's).
template <class RowOf>
void FilterDown(const LanczosPlan& p, const RowOf& rowOf, int from, int to, const ScaleLayout& l, Bitmap& out,
                std::vector<std::int32_t>& acc) {
    const int sw = l.shown.Width();
    for (int i = from; i < to; ++i) {
        Pixel* d = out.Row(l.at.y + i) + l.at.x;
        if (p.keepHeight) std::memcpy(d, rowOf(i), std::size_t(sw) * sizeof(Pixel));
        else
            FilterColumns(rowOf, sw, p.ay.first[std::size_t(i)], p.ay.weight.data() + std::size_t(i) * std::size_t(p.ay.taps),
                          p.ay.count[std::size_t(i)], d, acc);
    }
}

// `base` is the picture of srcWidth x srcHeight averaged down by kx x ky (or the picture itself).
bool ScaleLanczos(const Bitmap& base, int srcWidth, int srcHeight, int kx, int ky, const ScaleLayout& l, Bitmap& out) {
    const LanczosPlan p(srcWidth, srcHeight, kx, ky, base.Width(), base.Height(), l);
    // The horizontal pass covers only the rows the vertical one reads.
    std::optional<Bitmap> across;
    if (!p.keepWidth) {
        across = Bitmap::TryCreate(l.shown.Width(), p.y1 - p.y0, Bitmap::NewPixels::Unset);
        if (!across) return false;
        for (int y = p.y0; y < p.y1; ++y) FilterRow(base.Row(y), p.ax, across->Row(y - p.y0));
    }
    std::vector<std::int32_t> acc(p.keepHeight ? 0 : std::size_t(l.shown.Width()) * 3);
    const Bitmap& rows = across ? *across : base;
    const int rowShift = across ? p.y0 : 0;
    FilterDown(p, [&rows, rowShift](int y) { return rows.Row(y - rowShift); }, 0, l.shown.Height(), l, out, acc);
    return true;
}

// round(a * b / c) for positive values, at least 1 and at most INT_MAX / 2.
int ScaledSide(std::int64_t a, std::int64_t b, std::int64_t c) {
    return int(std::clamp<std::int64_t>((2 * a * b + c) / (2 * c), 1, INT_MAX / 2));
}

std::optional<Bitmap> TargetFor(const ScaleLayout& l, int width, int height, Pixel background) {
    std::optional<Bitmap> out = Bitmap::TryCreate(width, height, Bitmap::NewPixels::Unset);
    if (out && (l.shown.Width() != width || l.shown.Height() != height))
        std::fill(out->Data(), out->Data() + std::size_t(width) * std::size_t(height), ClearTopByte(background));
    return out;
}

// A pixel's channels spread over one 64-bit word, blue in bits 0-15, red in 16-31 and green in
// 32-63, so that up to 257 pixels add up in one addition each without a carry between channels.
inline std::uint64_t Spread(Pixel p) { return (ValueOf(p) & 0x00FF00FFu) | (std::uint64_t(ValueOf(p) & 0xFF00u) << 24); }
constexpr int kSpreadRows = 256;

}  // namespace

std::optional<BlockAverager> BlockAverager::Create(int width, int height, int kx, int ky) {
    if (width < 1 || height < 1 || kx < 1 || ky < 1) return std::nullopt;
    BlockAverager a;
    a.width_ = width;
    a.height_ = height;
    a.kx_ = kx;
    a.ky_ = ky;
    std::optional<Bitmap> out = Bitmap::TryCreate(int((std::int64_t(width) + kx - 1) / kx),
                                                  int((std::int64_t(height) + ky - 1) / ky), Bitmap::NewPixels::Unset);
    if (!out) return std::nullopt;
    a.out_ = std::move(*out);
    try {
        a.spread_.assign(std::size_t(width), 0);
        a.columns_.assign(std::size_t(width) * 3, 0);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    return a;
}

void BlockAverager::Add(const Pixel* row) {
    if (next_ >= height_) return;
    const int width = width_;
    std::uint64_t* spread = spread_.data();
    for (int x = 0; x < width; ++x) spread[x] += Spread(row[x]);
    ++next_;
    ++spreadRows_;
    const bool blockDone = next_ % ky_ == 0 || next_ == height_;
    if (spreadRows_ == kSpreadRows || blockDone) {
        std::uint32_t* columns = columns_.data();
        for (int x = 0; x < width; ++x) {
            const std::uint64_t v = spread[x];
            columns[3 * x] += std::uint32_t(v >> 16) & 0xFFFFu;
            columns[3 * x + 1] += std::uint32_t(v >> 32);
            columns[3 * x + 2] += std::uint32_t(v) & 0xFFFFu;
        }
        std::fill(spread_.begin(), spread_.end(), 0u);
        spreadRows_ = 0;
    }
    if (blockDone) FinishBlockRow();
}

void BlockAverager::FinishBlockRow() {
    const int oy = (next_ - 1) / ky_;
    const std::uint64_t rows = std::uint64_t(next_ - oy * ky_);
    Pixel* dst = out_.Row(oy);
    for (int ox = 0; ox < out_.Width(); ++ox) {
        const int x0 = ox * kx_, x1 = std::min(width_, x0 + kx_);
        std::uint64_t r = 0, g = 0, b = 0;
        for (int x = x0; x < x1; ++x) {
            r += columns_[3 * std::size_t(x)];
            g += columns_[3 * std::size_t(x) + 1];
            b += columns_[3 * std::size_t(x) + 2];
        }
        const std::uint64_t n = std::uint64_t(x1 - x0) * rows;
        dst[ox] = Pixel{std::uint32_t((r + n / 2) / n) << 16 | std::uint32_t((g + n / 2) / n) << 8 |
                        std::uint32_t((b + n / 2) / n)};
    }
    std::fill(columns_.begin(), columns_.end(), 0u);
}

std::optional<Bitmap> BlockAverager::Take() {
    if (next_ < height_) return std::nullopt;
    return std::move(out_);
}

ScaleShrink PlanShrink(int srcWidth, int srcHeight, int width, int height, ScaleFit fit, ScaleFilter filter) {
    if (filter != ScaleFilter::Lanczos || srcWidth < 1 || srcHeight < 1 || width < 1 || height < 1) return {};
    const ScaleLayout l = LayOutScale(srcWidth, srcHeight, width, height, fit);
    return {ShrinkFactor(srcWidth, l.scaled.right), ShrinkFactor(srcHeight, l.scaled.bottom)};
}

std::optional<Bitmap> ScaleAveraged(const Bitmap& averaged, int srcWidth, int srcHeight, ScaleShrink shrink, int width,
                                    int height, ScaleFit fit, Pixel background, ScaleAnchor anchor) {
    if (averaged.IsEmpty() || width < 1 || height < 1) return std::nullopt;
    const ScaleLayout l = LayOutScale(srcWidth, srcHeight, width, height, fit, anchor);
    std::optional<Bitmap> out = TargetFor(l, width, height, background);
    if (!out) return std::nullopt;
    try {
        if (!ScaleLanczos(averaged, srcWidth, srcHeight, shrink.kx, shrink.ky, l, *out)) return std::nullopt;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    return out;
}

// The Lanczos filter of a RowScaler: the rows it is handed (the picture or its averaged rows)
// filtered across into a ring of as many rows as a scaled row reads, and each scaled row made
// once its rows are in, so the rows in flight stay in the cache.
struct RowScaler::Filter {
    ScaleLayout l;
    LanczosPlan p;
    int ringRows = 1;
    Bitmap ring;
    Bitmap out;
    std::vector<std::int32_t> acc;
    int baseHeight = 0;
    int added = 0;  // base rows handed over
    int made = 0;   // scaled rows made

    Filter(const ScaleLayout& layout, const LanczosPlan& plan) : l(layout), p(plan) {
        // A scaled row is made once every row before the furthest one it (or one before it)
        // reads is in; it reads back from its first row, and the ring holds that far.
        int furthest = 0;
        for (int i = 0; i < p.ay.Size(); ++i) {
            furthest = std::max(furthest, p.RowsFor(i));
            ringRows = std::max(ringRows, furthest - p.ay.first[std::size_t(i)]);
        }
    }

    Pixel* RingRow(int y) { return ring.Row((y - p.y0) % ringRows); }

    void Add(const Pixel* row) {
        if (added >= baseHeight) return;
        if (added >= p.y0 && added < p.y1) {
            Pixel* d = RingRow(added);
            if (p.keepWidth) {
                for (int x = 0; x < ring.Width(); ++x) d[x] = ClearTopByte(row[x]);
            } else {
                FilterRow(row, p.ax, d);
            }
        }
        ++added;
        const int shown = l.shown.Height();
        int to = made;
        while (to < shown && p.RowsFor(to) <= added) ++to;
        FilterDown(p, [this](int y) { return RingRow(y); }, made, to, l, out, acc);
        made = to;
    }
};

std::optional<RowScaler> RowScaler::Create(int srcWidth, int srcHeight, int width, int height, ScaleFit fit,
                                           Pixel background, ScaleAnchor anchor) {
    if (srcWidth < 1 || srcHeight < 1 || width < 1 || height < 1) return std::nullopt;
    const ScaleShrink shrink = PlanShrink(srcWidth, srcHeight, width, height, fit, ScaleFilter::Lanczos);
    const ScaleLayout l = LayOutScale(srcWidth, srcHeight, width, height, fit, anchor);
    RowScaler s;
    int baseWidth = srcWidth, baseHeight = srcHeight;
    if (shrink.kx > 1 || shrink.ky > 1) {
        s.averager_ = BlockAverager::Create(srcWidth, srcHeight, shrink.kx, shrink.ky);
        if (!s.averager_) return std::nullopt;
        baseWidth = int((std::int64_t(srcWidth) + shrink.kx - 1) / shrink.kx);
        baseHeight = int((std::int64_t(srcHeight) + shrink.ky - 1) / shrink.ky);
    }
    try {
        const LanczosPlan plan(srcWidth, srcHeight, shrink.kx, shrink.ky, baseWidth, baseHeight, l);
        s.filter_ = std::make_unique<Filter>(l, plan);
        s.filter_->baseHeight = baseHeight;
        s.filter_->acc.assign(plan.keepHeight ? 0 : std::size_t(l.shown.Width()) * 3, 0);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    Filter& f = *s.filter_;
    std::optional<Bitmap> ring = Bitmap::TryCreate(l.shown.Width(), std::min(f.ringRows, f.p.y1 - f.p.y0), Bitmap::NewPixels::Unset);
    std::optional<Bitmap> out = TargetFor(l, width, height, background);
    if (!ring || !out) return std::nullopt;
    f.ringRows = ring->Height();
    f.ring = std::move(*ring);
    f.out = std::move(*out);
    return s;
}

RowScaler::RowScaler(RowScaler&&) noexcept = default;
RowScaler& RowScaler::operator=(RowScaler&&) noexcept = default;
RowScaler::~RowScaler() = default;

void RowScaler::Add(const Pixel* row) {
    if (!averager_) {
        filter_->Add(row);
        return;
    }
    averager_->Add(row);
    for (const int done = averager_->RowsDone(); averagedFed_ < done; ++averagedFed_)
        filter_->Add(averager_->DoneRow(averagedFed_));
}

std::optional<Bitmap> RowScaler::Take() {
    if (!filter_ || filter_->added < filter_->baseHeight) return std::nullopt;
    return std::move(filter_->out);
}

namespace {

// The anchor's place along one axis in halves of the room left over: 0 at the start (left,
// top), 1 in the middle, 2 at the end.
int AnchorHalves(ScaleAnchor anchor, bool across) {
    switch (anchor) {
        case ScaleAnchor::TopLeft: return 0;
        case ScaleAnchor::Top: return across ? 1 : 0;
        case ScaleAnchor::TopRight: return across ? 2 : 0;
        case ScaleAnchor::Left: return across ? 0 : 1;
        case ScaleAnchor::Right: return across ? 2 : 1;
        case ScaleAnchor::BottomLeft: return across ? 0 : 2;
        case ScaleAnchor::Bottom: return across ? 1 : 2;
        case ScaleAnchor::BottomRight: return 2;
        case ScaleAnchor::Centre: break;
    }
    return 1;
}

}  // namespace

ScaleLayout LayOutScale(int srcWidth, int srcHeight, int width, int height, ScaleFit fit, ScaleAnchor anchor) {
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
    // The room left over on each axis (cut off for Cover, background for Fit), shared as the
    // anchor says; 64 bits as a sliver's scaled side may come near 2^31.
    const auto share = [anchor](int room, bool across) {
        return int(std::int64_t(room) * AnchorHalves(anchor, across) / 2);
    };
    if (fit == ScaleFit::Cover) {
        const int left = share(sw - width, true), top = share(sh - height, false);
        l.shown = {left, top, left + width, top + height};
    } else {
        l.shown = l.scaled;
        l.at = {share(width - sw, true), share(height - sh, false)};
    }
    return l;
}

std::optional<Bitmap> ScaleBitmap(const Bitmap& src, int width, int height, ScaleFit fit, ScaleFilter filter,
                                  Pixel background, ScaleAnchor anchor) {
    if (src.IsEmpty() || width < 1 || height < 1) return std::nullopt;
    const ScaleShrink shrink = PlanShrink(src.Width(), src.Height(), width, height, fit, filter);
    if (shrink.kx > 1 || shrink.ky > 1) {
        std::optional<BlockAverager> averager = BlockAverager::Create(src.Width(), src.Height(), shrink.kx, shrink.ky);
        if (!averager) return std::nullopt;
        for (int y = 0; y < src.Height(); ++y) averager->Add(src.Row(y));
        const std::optional<Bitmap> averaged = averager->Take();
        return ScaleAveraged(*averaged, src.Width(), src.Height(), shrink, width, height, fit, background, anchor);
    }
    if (filter == ScaleFilter::Lanczos)
        return ScaleAveraged(src, src.Width(), src.Height(), {}, width, height, fit, background, anchor);
    const ScaleLayout l = LayOutScale(src.Width(), src.Height(), width, height, fit, anchor);
    std::optional<Bitmap> out = TargetFor(l, width, height, background);
    if (out) ScaleNearest(src, l, *out);
    return out;
}

}  // namespace rastrix

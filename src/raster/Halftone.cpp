#include <cstdint>
#include <numeric>
#include <vector>

#include "raster/StretchMap.h"

namespace rastrix {

namespace {

// round(sum / total) for 0 <= sum <= 255 * total: a floating estimate, then an exact integer
// correction, which is far cheaper than three 64-bit divisions per pixel.
inline std::uint32_t RoundedQuotient(std::uint64_t sum, std::uint64_t total, double inverseTwiceTotal) {
    const std::uint64_t num = 2 * sum + total;
    const std::uint64_t den = 2 * total;
    std::uint64_t q = std::uint64_t(double(num) * inverseTwiceTotal);
    if (q * den > num) --q;
    else if ((q + 1) * den <= num) ++q;
    return std::uint32_t(q);
}

// Weighted channel sums of the source columns [base, base + n), one array per channel so the
// row loop stays simple enough for the compiler to vectorise.
struct ColumnSums {
    std::vector<std::uint32_t> r, g, b;
    explicit ColumnSums(std::size_t n) : r(n), g(n), b(n) {}

    // Starts (first row of a destination row) or adds to the sums. A weight of 1 skips the
    // multiplies, which halves the cost of the loop.
    void Take(const Pixel* in, std::uint32_t w, bool first) {
        if (first) w == 1 ? Run<true, false>(in, 1) : Run<true, true>(in, w);
        else w == 1 ? Run<false, false>(in, 1) : Run<false, true>(in, w);
    }

    template <bool kStart, bool kWeighted>
    void Run(const Pixel* in, std::uint32_t w) {
        const std::size_t n = r.size();
        std::uint32_t* __restrict rr = r.data();
        std::uint32_t* __restrict gg = g.data();
        std::uint32_t* __restrict bb = b.data();
        for (std::size_t i = 0; i < n; ++i) {
            const std::uint32_t p = ValueOf(in[i]);
            std::uint32_t cr = (p >> 16) & 0xFFu, cg = (p >> 8) & 0xFFu, cb = p & 0xFFu;
            if constexpr (kWeighted) cr *= w, cg *= w, cb *= w;
            if constexpr (kStart) rr[i] = cr, gg[i] = cg, bb[i] = cb;
            else rr[i] += cr, gg[i] += cg, bb[i] += cb;
        }
    }
};

}  // namespace

// Rows first: the source rows under one destination row are summed column by column (with
// their vertical weights), then each destination pixel adds up its columns. Each needed
// source pixel is read once per destination row that covers it. Sums stay exact: a column
// sum is at most 255 * 2^24, and a pixel's total weight is below 2^48.
void HalftoneStretch(Bitmap& dst, const StretchAxis& xs, const StretchAxis& ys, const CoverAxis& cx,
                     const CoverAxis& cy, const Bitmap& src) {
    const int base = cx.spans.front().first;
    const CoverSpan& lastSpan = cx.spans.back();
    const std::size_t width = std::size_t(lastSpan.first + lastSpan.count - base);
    ColumnSums sums(width);
    const std::uint64_t fullX = cx.fullWeight;

    std::vector<double> inverseX(cx.spans.size());
    for (std::size_t i = 0; i < cx.spans.size(); ++i) inverseX[i] = 1.0 / double(cx.spans[i].total);

    for (int j = 0; j < ys.Count(); ++j) {
        const CoverSpan& vy = cy.spans[std::size_t(j)];
        // The row weights divided by their common factor: whole-number reductions then add
        // plain rows.
        std::uint32_t common = vy.firstWeight;
        if (vy.count > 1) common = std::gcd(common, vy.lastWeight);
        if (vy.count > 2) common = std::gcd(common, cy.fullWeight);
        for (int k = 0; k < vy.count; ++k) {
            const std::uint32_t w = k == 0 ? vy.firstWeight : (k == vy.count - 1 ? vy.lastWeight : cy.fullWeight);
            sums.Take(src.Row(vy.first + k) + base, w / common, k == 0);
        }
        const std::uint64_t totalY = vy.total / common;
        const double inverseY = 0.5 / double(totalY);
        Pixel* out = dst.Row(ys.first + j) + xs.first;
        for (std::size_t i = 0; i < cx.spans.size(); ++i) {
            const CoverSpan& hx = cx.spans[i];
            const std::size_t c0 = std::size_t(hx.first - base);
            std::uint64_t r = std::uint64_t(hx.firstWeight) * sums.r[c0];
            std::uint64_t g = std::uint64_t(hx.firstWeight) * sums.g[c0];
            std::uint64_t b = std::uint64_t(hx.firstWeight) * sums.b[c0];
            if (hx.count > 1) {
                const std::size_t c1 = c0 + std::size_t(hx.count - 1);
                std::uint64_t mr = 0, mg = 0, mb = 0;
                for (std::size_t c = c0 + 1; c < c1; ++c) {
                    mr += sums.r[c];
                    mg += sums.g[c];
                    mb += sums.b[c];
                }
                r += mr * fullX + std::uint64_t(hx.lastWeight) * sums.r[c1];
                g += mg * fullX + std::uint64_t(hx.lastWeight) * sums.g[c1];
                b += mb * fullX + std::uint64_t(hx.lastWeight) * sums.b[c1];
            }
            const std::uint64_t total = hx.total * totalY;
            const double inv = inverseX[i] * inverseY;
            out[i] = Pixel{(RoundedQuotient(r, total, inv) << 16) | (RoundedQuotient(g, total, inv) << 8) |
                           RoundedQuotient(b, total, inv)};
        }
    }
}

}  // namespace rastrix

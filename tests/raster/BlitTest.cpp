#include <gtest/gtest.h>

#include <random>

#include "Picture.h"
#include "raster/Blit.h"
#include "support/RandomPicture.h"

namespace rastrix::test {
namespace {

using testing::Noise;

TEST(CopyPixelsTest, CopiesOnlyWhereSourceAndDestinationBothExist) {
    const Bitmap src = Noise(7, 5, 1);
    std::mt19937 rng(2);
    std::uniform_int_distribution<int> pos(-8, 10), len(-1, 12);
    for (int i = 0; i < 500; ++i) {
        const int dx = pos(rng), dy = pos(rng), w = len(rng), h = len(rng), sx = pos(rng), sy = pos(rng);
        Bitmap dst(6, 4, kPaper), want(6, 4, kPaper);
        CopyPixels(dst, dx, dy, w, h, src, sx, sy);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 6; ++x)
                if (x >= dx && x < dx + w && y >= dy && y < dy + h && src.Bounds().Contains({x - dx + sx, y - dy + sy}))
                    want.Row(y)[x] = src.Row(y - dy + sy)[x - dx + sx];
        ASSERT_EQ(dst, want) << dx << " " << dy << " " << w << " " << h << " " << sx << " " << sy;
    }
}

TEST(CopyPixelsTest, OverlappingCopyActsAsIfSourceWereCopiedFirstKeepingAll32Bits) {
    for (int sx = -3; sx <= 3; ++sx)
        for (int sy = -3; sy <= 3; ++sy) {
            Bitmap bmp = Noise(9, 8, 3);
            bmp.Row(2)[4] = Pixel{ValueOf(bmp.Row(2)[4]) | 0xAB000000u};
            const Bitmap before = bmp;
            Bitmap want = bmp;
            CopyPixels(want, 1, 2, 7, 5, before, 1 + sx, 2 + sy);
            CopyPixels(bmp, 1, 2, 7, 5, bmp, 1 + sx, 2 + sy);
            ASSERT_EQ(bmp, want) << sx << "," << sy;
        }
}

TEST(StretchPixelsTest, WholeZoomsGiveSquareBlocksInBothModes) {
    const Bitmap src = Noise(5, 3, 5);
    for (int k : {2, 4, 8})
        for (StretchMode mode : {StretchMode::ColorOnColor, StretchMode::Halftone}) {
            Bitmap dst(5 * k, 3 * k, kPaper);
            Canvas c(dst);
            c.SetStretchMode(mode);
            c.StretchPixels(0, 0, 5 * k, 3 * k, src, 0, 0, 5, 3);
            for (int y = 0; y < 3 * k; ++y)
                for (int x = 0; x < 5 * k; ++x) ASSERT_EQ(dst.Row(y)[x], src.Row(y / k)[x / k]) << k;
        }
}

// The obvious way: every source pixel's overlap with the destination pixel's footprint, in
// units of 1/D pixel per axis, and the weighted mean rounded half up.
Pixel SlowAverage(const Bitmap& src, Rect sr, Rect dr, int dx, int dy) {
    auto overlap = [](long d, long s, long S, long D) {  // [dS, (d+1)S) against [sD, (s+1)D)
        return std::max(0L, std::min((d + 1) * S, (s + 1) * D) - std::max(d * S, s * D));
    };
    std::uint64_t sum[3] = {}, total = 0;
    for (int v = std::max(sr.top, 0); v < std::min(sr.bottom, src.Height()); ++v)
        for (int u = std::max(sr.left, 0); u < std::min(sr.right, src.Width()); ++u) {
            const std::uint64_t wgt = std::uint64_t(overlap(dx, u - sr.left, sr.Width(), dr.Width())) *
                                      std::uint64_t(overlap(dy, v - sr.top, sr.Height(), dr.Height()));
            for (int c = 0; c < 3; ++c) sum[c] += wgt * ((ValueOf(src.Row(v)[u]) >> (8 * c)) & 0xFF);
            total += wgt;
        }
    std::uint32_t out = 0;
    for (int c = 0; c < 3; ++c) out |= std::uint32_t((2 * sum[c] + total) / (2 * total)) << (8 * c);
    return Pixel{out};
}

// Centre source pixel: the s with s·2D < (2d+1)·S <= (s+1)·2D, the lower one when the
// centre lies on a boundary (so 2 -> 5 maps 0,0,0,1,1 and 4 -> 2 maps 0,2).
int Centre(int d, int S, int D) {
    int s = 0;
    while (long(s + 1) * 2 * D < long(2 * d + 1) * S) ++s;
    return s;
}

TEST(StretchPixelsTest, MatchesSlowReferenceOnRandomRectanglesPartlyOutside) {
    const Bitmap src = Noise(23, 17, 6);
    std::mt19937 rng(8);
    std::uniform_int_distribution<int> pos(-5, 20), len(1, 40);
    for (int i = 0; i < 400; ++i) {
        const int sx = pos(rng), sy = pos(rng), dx = pos(rng) - 5, dy = pos(rng) - 5;
        const Rect sr{sx, sy, sx + len(rng), sy + len(rng)}, dr{dx, dy, dx + len(rng), dy + len(rng)};
        for (StretchMode mode : {StretchMode::ColorOnColor, StretchMode::Halftone}) {
            Bitmap dst(30, 30, kPaper), want(30, 30, kPaper);
            StretchPixels(dst, dr, src, sr, mode);
            for (int y = std::max(dr.top, 0); y < std::min(dr.bottom, 30); ++y)
                for (int x = std::max(dr.left, 0); x < std::min(dr.right, 30); ++x) {
                    const int u = sr.left + Centre(x - dx, sr.Width(), dr.Width());
                    const int v = sr.top + Centre(y - dy, sr.Height(), dr.Height());
                    if (!src.Bounds().Contains({u, v})) continue;  // nothing there to show
                    want.Row(y)[x] = mode == StretchMode::ColorOnColor ? src.Row(v)[u]
                                                                       : SlowAverage(src, sr, dr, x - dx, y - dy);
                }
            ASSERT_EQ(dst, want) << "case " << i << " mode " << int(mode);
        }
    }
}

TEST(StretchPixelsTest, WithinOneBitmapReadsTheSourceAsItWasAndEmptyRectsDrawNothing) {
    for (StretchMode mode : {StretchMode::ColorOnColor, StretchMode::Halftone}) {
        Bitmap bmp = Noise(12, 9, 9);
        const Bitmap before = bmp;
        Bitmap want = bmp;
        StretchPixels(want, {1, 0, 12, 9}, before, {-2, 1, 8, 6}, mode);
        StretchPixels(bmp, {1, 0, 12, 9}, bmp, {-2, 1, 8, 6}, mode);
        EXPECT_EQ(bmp, want);
        StretchPixels(bmp, {0, 0, 4, 4}, bmp, {3, 3, 1, 1}, mode);  // reversed: no mirroring
        StretchPixels(bmp, {4, 4, 0, 0}, bmp, {0, 0, 3, 3}, mode);
        EXPECT_EQ(bmp, want);
    }
}

}  // namespace
}  // namespace rastrix::test

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "Picture.h"
#include "raster/Blit.h"

namespace rastrix::test {
namespace {

Bitmap Noise(int w, int h, unsigned seed) {
    std::mt19937 rng(seed);
    Bitmap bmp(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) bmp.Row(y)[x] = rng() & 0x00FFFFFFu;
    return bmp;
}

TEST(BitBltTest, CopiesOnlyWhereSourceAndDestinationBothExist) {
    const Bitmap src = Noise(7, 5, 1);
    std::mt19937 rng(2);
    std::uniform_int_distribution<int> pos(-8, 10), len(-1, 12);
    for (int i = 0; i < 500; ++i) {
        const int dx = pos(rng), dy = pos(rng), w = len(rng), h = len(rng), sx = pos(rng), sy = pos(rng);
        Bitmap dst(6, 4, kPaper), want(6, 4, kPaper);
        BitBlt(dst, dx, dy, w, h, src, sx, sy);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 6; ++x) {
                const int u = x - dx + sx, v = y - dy + sy;
                if (x >= dx && x < dx + w && y >= dy && y < dy + h && src.Bounds().Contains({u, v}))
                    want.Row(y)[x] = src.Row(v)[u];
            }
        ASSERT_EQ(dst, want) << dx << " " << dy << " " << w << " " << h << " " << sx << " " << sy;
    }
}

TEST(BitBltTest, OverlappingCopyActsAsIfSourceWereCopiedFirst) {
    for (int sx = -3; sx <= 3; ++sx)
        for (int sy = -3; sy <= 3; ++sy) {
            Bitmap bmp = Noise(9, 8, 3);
            bmp.Row(0)[0] |= 0xAB000000u;  // all 32 bits travel
            const Bitmap before = bmp;
            Bitmap want = bmp;
            BitBlt(want, 1, 2, 7, 5, before, 1 + sx, 2 + sy);
            BitBlt(bmp, 1, 2, 7, 5, bmp, 1 + sx, 2 + sy);
            ASSERT_EQ(bmp, want) << sx << "," << sy;
        }
    Bitmap b = Noise(2, 1, 4);
    b.Row(0)[1] = 0xAB000000u;
    BitBlt(b, 0, 0, 1, 1, b, 1, 0);
    EXPECT_EQ(b.Row(0)[0], 0xAB000000u);
}

TEST(StretchBltTest, WholeZoomsGiveSquareBlocksInBothModes) {
    const Bitmap src = Noise(5, 3, 5);
    for (int k : {2, 4, 8})
        for (StretchMode mode : {StretchMode::ColorOnColor, StretchMode::Halftone}) {
            Bitmap dst(5 * k, 3 * k, kPaper);
            Canvas c(dst);
            c.SetStretchBltMode(mode);
            c.StretchBlt(0, 0, 5 * k, 3 * k, src, 0, 0, 5, 3);
            for (int y = 0; y < 3 * k; ++y)
                for (int x = 0; x < 5 * k; ++x) ASSERT_EQ(dst.Row(y)[x], src.Row(y / k)[x / k]) << k;
        }
}

// Source pixel of each destination pixel along one axis, read back from a row of indices.
std::vector<int> Mapping(int s, int d, bool vertical) {
    Bitmap src(vertical ? 1 : s, vertical ? s : 1), dst(vertical ? 1 : d, vertical ? d : 1);
    for (int i = 0; i < s; ++i) src.SetPixel(vertical ? 0 : i, vertical ? i : 0, Color(i));
    StretchBlt(dst, dst.Bounds(), src, src.Bounds(), StretchMode::ColorOnColor);
    std::vector<int> out;
    for (int i = 0; i < d; ++i) out.push_back(int(dst.GetPixel(vertical ? 0 : i, vertical ? i : 0)));
    return out;
}

TEST(StretchBltTest, NearestTakesThePixelHoldingTheCentreLowerOnATie) {
    for (bool vertical : {false, true}) {
        EXPECT_EQ(Mapping(2, 5, vertical), (std::vector<int>{0, 0, 0, 1, 1}));
        EXPECT_EQ(Mapping(2, 3, vertical), (std::vector<int>{0, 0, 1}));
        EXPECT_EQ(Mapping(3, 5, vertical), (std::vector<int>{0, 0, 1, 2, 2}));
        EXPECT_EQ(Mapping(4, 6, vertical), (std::vector<int>{0, 0, 1, 2, 2, 3}));
        EXPECT_EQ(Mapping(5, 2, vertical), (std::vector<int>{1, 3}));
        EXPECT_EQ(Mapping(4, 2, vertical), (std::vector<int>{0, 2}));  // centres on 1.0 and 3.0
    }
}

TEST(StretchBltTest, HalftoneRoundsHalvesUp) {
    Bitmap src(2, 1), dst(1, 1);
    src.SetPixel(0, 0, RGB(0, 0, 0));
    src.SetPixel(1, 0, RGB(1, 4, 255));
    StretchBlt(dst, {0, 0, 1, 1}, src, {0, 0, 2, 1}, StretchMode::Halftone);
    EXPECT_EQ(dst.GetPixel(0, 0), RGB(1, 2, 128));
}

// The obvious way: every source pixel's overlap with the destination pixel's footprint,
// measured in 1/D of a pixel on each axis.
Pixel SlowAverage(const Bitmap& src, Rect sr, Rect dr, int dx, int dy) {
    std::uint64_t sum[3] = {}, total = 0;
    for (int v = std::max(sr.top, 0); v < std::min(sr.bottom, src.Height()); ++v)
        for (int u = std::max(sr.left, 0); u < std::min(sr.right, src.Width()); ++u) {
            auto overlap = [](long d, long s, long S, long D) {  // [dS, (d+1)S) and [sD, (s+1)D)
                return std::max(0L, std::min((d + 1) * S, (s + 1) * D) - std::max(d * S, s * D));
            };
            const std::uint64_t wgt = std::uint64_t(overlap(dx, u - sr.left, sr.Width(), dr.Width())) *
                                      std::uint64_t(overlap(dy, v - sr.top, sr.Height(), dr.Height()));
            const Pixel p = src.Row(v)[u];
            for (int c = 0; c < 3; ++c) sum[c] += wgt * ((p >> (8 * c)) & 0xFF);
            total += wgt;
        }
    Pixel out = 0;
    for (int c = 0; c < 3; ++c) out |= Pixel((2 * sum[c] + total) / (2 * total)) << (8 * c);
    return out;
}

// Centre source pixel: the s with s·2D < (2d+1)·S <= (s+1)·2D.
int Centre(int d, int S, int D) {
    int s = 0;
    while (long(s + 1) * 2 * D < long(2 * d + 1) * S) ++s;
    return s;
}

TEST(StretchBltTest, MatchesSlowReferenceOnRandomRectangles) {
    const Bitmap src = Noise(23, 17, 6);
    std::mt19937 rng(8);
    std::uniform_int_distribution<int> pos(-5, 20), len(1, 40);
    for (int i = 0; i < 400; ++i) {
        const Rect sr{pos(rng), pos(rng), 0, 0}, d0{pos(rng) - 5, pos(rng) - 5, 0, 0};
        const Rect srcRect{sr.left, sr.top, sr.left + len(rng), sr.top + len(rng)};
        const Rect dstRect{d0.left, d0.top, d0.left + len(rng), d0.top + len(rng)};
        for (StretchMode mode : {StretchMode::ColorOnColor, StretchMode::Halftone}) {
            Bitmap dst(30, 30, kPaper), want(30, 30, kPaper);
            StretchBlt(dst, dstRect, src, srcRect, mode);
            for (int y = std::max(dstRect.top, 0); y < std::min(dstRect.bottom, 30); ++y)
                for (int x = std::max(dstRect.left, 0); x < std::min(dstRect.right, 30); ++x) {
                    const int dx = x - dstRect.left, dy = y - dstRect.top;
                    const int u = srcRect.left + Centre(dx, srcRect.Width(), dstRect.Width());
                    const int v = srcRect.top + Centre(dy, srcRect.Height(), dstRect.Height());
                    if (!src.Bounds().Contains({u, v})) continue;
                    want.Row(y)[x] = mode == StretchMode::ColorOnColor ? src.Row(v)[u]
                                                                       : SlowAverage(src, srcRect, dstRect, dx, dy);
                }
            ASSERT_EQ(dst, want) << "case " << i << " mode " << int(mode);
        }
    }
}

TEST(StretchBltTest, WithinOneBitmapReadsTheSourceAsItWas) {
    for (StretchMode mode : {StretchMode::ColorOnColor, StretchMode::Halftone}) {
        Bitmap bmp = Noise(12, 9, 9);
        const Bitmap before = bmp;
        Bitmap want = bmp;
        StretchBlt(want, {1, 0, 12, 9}, before, {-2, 1, 8, 6}, mode);
        StretchBlt(bmp, {1, 0, 12, 9}, bmp, {-2, 1, 8, 6}, mode);
        EXPECT_EQ(bmp, want);
    }
    Bitmap untouched = Noise(4, 4, 10);
    const Bitmap copy = untouched;
    StretchBlt(untouched, {0, 0, 4, 4}, untouched, {3, 3, 1, 1}, StretchMode::Halftone);  // reversed source
    StretchBlt(untouched, {0, 0, 4, 4}, untouched, {9, 9, 12, 12}, StretchMode::Halftone);  // outside
    EXPECT_EQ(untouched, copy);
}

}  // namespace
}  // namespace rastrix::test

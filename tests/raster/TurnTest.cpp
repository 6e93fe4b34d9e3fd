#include "raster/Turn.h"

#include <gtest/gtest.h>

#include <random>

#include "raster/Bands.h"

namespace rastrix {
namespace {

Bitmap Noise(int w, int h, unsigned seed) {
    Bitmap b(w, h);
    std::mt19937 rng(seed);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) b.Row(y)[x] = Pixel{std::uint32_t(rng() & 0x00FFFFFFu)};
    return b;
}

constexpr Turn kTurns[] = {Turn::Clockwise,  Turn::CounterClockwise, Turn::HalfTurn,  Turn::MirrorColumns,
                           Turn::MirrorRows, Turn::Transpose,        Turn::Transverse};

// The obvious version, one pixel at a time straight from the mapping.
Bitmap SlowTurn(const Bitmap& src, Rect a, Bitmap dst, Point to, Turn turn) {
    const int w = a.Width(), h = a.Height();
    for (int v = 0; v < h; ++v)
        for (int u = 0; u < w; ++u) {
            const Point p = turn == Turn::Clockwise          ? Point{h - 1 - v, u}
                            : turn == Turn::CounterClockwise ? Point{v, w - 1 - u}
                            : turn == Turn::HalfTurn         ? Point{w - 1 - u, h - 1 - v}
                            : turn == Turn::MirrorColumns    ? Point{w - 1 - u, v}
                            : turn == Turn::Transpose        ? Point{v, u}
                            : turn == Turn::Transverse       ? Point{h - 1 - v, w - 1 - u}
                                                             : Point{u, h - 1 - v};
            dst.Row(to.y + p.y)[to.x + p.x] = src.Row(a.top + v)[a.left + u];
        }
    return dst;
}

// The tiled kernels against the reference: single rows and columns, sizes on both sides of the
// 4-pixel blocks and the 128-pixel tiles, then random ones; each area sits off the corner of
// larger bitmaps, so strides differ from widths and the pixels around the target must survive.
TEST(TurnArea, MatchesThePixelByPixelReference) {
    std::vector<Point> sizes = {{1, 1}, {1, 37}, {37, 1}, {2, 3}, {4, 4}, {5, 3}, {65, 63}, {130, 7}, {129, 131}};
    std::mt19937 rng(7);
    for (int i = 0; i < 30; ++i) sizes.push_back({1 + int(rng() % 300), 1 + int(rng() % 300)});
    for (const Point size : sizes) {
        const Bitmap src = Noise(size.x + 7, size.y + 5, unsigned(size.x));
        const Rect from{3, 2, 3 + size.x, 2 + size.y};
        for (Turn turn : kTurns) {
            const Rect out = TurnedArea(from, {5, 1}, turn);
            const Bitmap before = Noise(out.right + 3, out.bottom + 4, unsigned(size.y));
            Bitmap fast = before;
            ASSERT_TRUE(TurnArea(src, from, fast, {5, 1}, turn));
            ASSERT_EQ(fast, SlowTurn(src, from, before, {5, 1}, turn)) << int(turn) << ": " << size.x << "x" << size.y;
        }
    }
}

// Split in bands across threads, every turn writes what one thread writes: areas large enough
// to be cut (about 1 MB a band), of sizes that are no multiple of the tiles or the 4-pixel
// blocks, inside larger bitmaps so that neighbouring pixels must survive too.
TEST(TurnArea, InBandsMatchesOneThread) {
    const std::vector<Point> sizes = {{1031, 997}, {2053, 260}, {259, 2051}, {1024, 1024}};
    for (const Point size : sizes) {
        const Bitmap src = Noise(size.x + 9, size.y + 3, unsigned(size.x * 3));
        const Rect from{5, 1, 5 + size.x, 1 + size.y};
        for (Turn turn : kTurns) {
            const Rect out = TurnedArea(from, {2, 3}, turn);
            const Bitmap before = Noise(out.right + 4, out.bottom + 2, unsigned(size.y));
            Bitmap single = before;
            {
                const BandLimit one(1);
                ASSERT_TRUE(TurnArea(src, from, single, {2, 3}, turn));
            }
            ASSERT_EQ(single, SlowTurn(src, from, before, {2, 3}, turn)) << int(turn) << ": " << size.x << "x" << size.y;
            for (int threads : {2, 3, 4}) {
                const BandLimit limit(threads);
                Bitmap banded = before;
                ASSERT_TRUE(TurnArea(src, from, banded, {2, 3}, turn));
                ASSERT_EQ(banded, single) << int(turn) << " on " << threads << " threads: " << size.x << "x" << size.y;
            }
        }
    }
}

TEST(TurnArea, RefusesAreasOutsideTheBitmapsAndWritesNothing) {
    const Bitmap src = Noise(6, 4, 4);
    const Bitmap blank(6, 6, ColorFromRgb(1, 2, 3));
    Bitmap dst = blank;
    EXPECT_FALSE(TurnArea(src, {-1, 0, 3, 3}, dst, {}, Turn::MirrorRows));
    EXPECT_FALSE(TurnArea(src, {0, 0, 7, 3}, dst, {}, Turn::MirrorRows));
    EXPECT_FALSE(TurnArea(src, {0, 0, 6, 2}, dst, {5, 0}, Turn::Clockwise));  // 2 wide once turned
    EXPECT_FALSE(TurnArea(dst, {0, 0, 2, 2}, dst, {3, 3}, Turn::HalfTurn));
    EXPECT_EQ(dst, blank);
    EXPECT_TRUE(TurnArea(src, {0, 0, 4, 2}, dst, {4, 0}, Turn::Clockwise));  // fits only turned
}

}  // namespace
}  // namespace rastrix

#include "edit/PixelTransforms.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace rastrix {
namespace {

// Every pixel different, so a pixel put in the wrong place cannot go unnoticed.
Bitmap Numbered(int w, int h, unsigned seed) {
    Bitmap b(w, h);
    std::mt19937 rng(seed);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) b.Row(y)[x] = (Pixel(y * w + x) * 2654435761u ^ rng()) & 0x00FFFFFFu;
    return b;
}

// The obvious version: one pixel at a time, straight from the mapping.
Point Reference(Turn turn, int u, int v, int w, int h) {
    switch (turn) {
        case Turn::Clockwise: return {h - 1 - v, u};
        case Turn::CounterClockwise: return {v, w - 1 - u};
        case Turn::HalfTurn: return {w - 1 - u, h - 1 - v};
        case Turn::MirrorColumns: return {w - 1 - u, v};
        case Turn::MirrorRows: return {u, h - 1 - v};
    }
    return {};
}

Bitmap SlowTurn(const Bitmap& src, Rect from, Bitmap dst, Point to, Turn turn) {
    for (int v = 0; v < from.Height(); ++v)
        for (int u = 0; u < from.Width(); ++u) {
            const Point p = Reference(turn, u, v, from.Width(), from.Height());
            dst.Row(to.y + p.y)[to.x + p.x] = src.Row(from.top + v)[from.left + u];
        }
    return dst;
}

const Turn kTurns[] = {Turn::Clockwise, Turn::CounterClockwise, Turn::HalfTurn, Turn::MirrorColumns,
                       Turn::MirrorRows};

struct AreaCase {
    int w;
    int h;
};

class TurnAreaSizes : public ::testing::TestWithParam<AreaCase> {};

// The tiled kernels against the one-pixel reference, for areas placed off the corner of larger
// bitmaps so that strides differ from widths and pixels around the target must survive.
TEST_P(TurnAreaSizes, MatchesThePixelByPixelReference) {
    const auto [w, h] = GetParam();
    const Bitmap src = Numbered(w + 7, h + 5, 1);
    const Rect from{3, 2, 3 + w, 2 + h};
    for (Turn turn : kTurns) {
        const Rect out = TurnedArea(from, {5, 1}, turn);
        const Bitmap before = Numbered(out.right + 3, out.bottom + 4, 2);
        Bitmap fast = before;
        ASSERT_TRUE(TurnArea(src, from, fast, {5, 1}, turn));
        const Bitmap slow = SlowTurn(src, from, before, {5, 1}, turn);
        ASSERT_EQ(fast, slow) << "turn " << int(turn) << " of " << w << "x" << h;
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, TurnAreaSizes,
                         ::testing::Values(AreaCase{1, 1}, AreaCase{1, 37}, AreaCase{37, 1}, AreaCase{2, 3},
                                           AreaCase{4, 4}, AreaCase{5, 3}, AreaCase{64, 64}, AreaCase{65, 63},
                                           AreaCase{130, 7}, AreaCase{7, 130}, AreaCase{129, 131}),
                         [](const auto& info) {
                             return std::to_string(info.param.w) + "x" + std::to_string(info.param.h);
                         });

TEST(TurnArea, RandomAreasMatchTheReference) {
    std::mt19937 rng(7);
    for (int round = 0; round < 40; ++round) {
        const int w = 1 + int(rng() % 150), h = 1 + int(rng() % 150);
        const Bitmap src = Numbered(w, h, unsigned(round));
        const Turn turn = kTurns[rng() % 5];
        const Rect out = TurnedArea(src.Bounds(), {}, turn);
        Bitmap fast(out.right, out.bottom);
        ASSERT_TRUE(TurnArea(src, src.Bounds(), fast, {}, turn));
        ASSERT_EQ(fast, SlowTurn(src, src.Bounds(), Bitmap(out.right, out.bottom), {}, turn))
            << "turn " << int(turn) << " of " << w << "x" << h;
    }
}

TEST(TurnArea, FourQuarterTurnsAndTwoMirrorsGiveTheImageBack) {
    const Bitmap start = Numbered(71, 45, 3);
    Bitmap a = start, b;
    for (int i = 0; i < 4; ++i) {
        b = Bitmap(a.Height(), a.Width());
        ASSERT_TRUE(TurnArea(a, a.Bounds(), b, {}, Turn::Clockwise));
        std::swap(a, b);
    }
    EXPECT_EQ(a, start);
    for (Turn turn : {Turn::HalfTurn, Turn::MirrorColumns, Turn::MirrorRows, Turn::CounterClockwise}) {
        const Rect once = TurnedArea(start.Bounds(), {}, turn);
        Bitmap mid(once.right, once.bottom);
        ASSERT_TRUE(TurnArea(start, start.Bounds(), mid, {}, turn));
        EXPECT_NE(mid, start);
        Bitmap back(start.Width(), start.Height());
        const Turn undo = turn == Turn::CounterClockwise ? Turn::Clockwise : turn;
        ASSERT_TRUE(TurnArea(mid, mid.Bounds(), back, {}, undo));
        EXPECT_EQ(back, start) << int(turn);
    }
}

TEST(TurnArea, RefusesAreasOutsideTheBitmapsAndWritesNothing) {
    const Bitmap src = Numbered(6, 4, 4);
    const Bitmap blank(6, 6, RGB(1, 2, 3));
    Bitmap dst = blank;
    EXPECT_FALSE(TurnArea(src, {-1, 0, 3, 3}, dst, {}, Turn::MirrorRows));
    EXPECT_FALSE(TurnArea(src, {0, 0, 7, 3}, dst, {}, Turn::MirrorRows));
    EXPECT_FALSE(TurnArea(src, {0, 0, 6, 4}, dst, {1, 0}, Turn::HalfTurn));
    // A 6 x 2 area turns into a 2 x 6 one, which does not fit from column 5 on.
    EXPECT_FALSE(TurnArea(src, {0, 0, 6, 2}, dst, {5, 0}, Turn::Clockwise));
    EXPECT_FALSE(TurnArea(dst, {0, 0, 2, 2}, dst, {3, 3}, Turn::HalfTurn));
    EXPECT_EQ(dst, blank);
    // Turned, a 4 x 2 area is 2 wide and fits from column 4 on; unturned it would not.
    EXPECT_TRUE(TurnArea(src, {0, 0, 4, 2}, dst, {4, 0}, Turn::Clockwise));
    EXPECT_TRUE(TurnArea(src, {2, 2, 2, 2}, dst, {0, 0}, Turn::Clockwise));
}

}  // namespace
}  // namespace rastrix

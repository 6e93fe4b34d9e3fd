#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <random>
#include <set>
#include <utility>

#include "Picture.h"

namespace rastrix::test {
namespace {

using Pixels = std::set<std::pair<int, int>>;

Pixels PenPixels(const Bitmap& bmp) {
    Pixels out;
    for (int y = 0; y < bmp.Height(); ++y)
        for (int x = 0; x < bmp.Width(); ++x)
            if (bmp.GetPixel(x, y) == kPen) out.insert({x, y});
    return out;
}

Pixels DrawLine(Point a, Point b, int w = 40, int h = 40) {
    Sheet s(w, h);
    s.canvas.MoveTo(a.x, a.y);
    s.canvas.LineTo(b.x, b.y);
    return PenPixels(s.bmp);
}

TEST(LineTest, ExamplesLeaveOutTheEndPoint) {
    EXPECT_EQ(DrawLine({0, 0}, {4, 2}), (Pixels{{0, 0}, {1, 0}, {2, 1}, {3, 1}}));
    EXPECT_EQ(DrawLine({4, 2}, {0, 0}), (Pixels{{4, 2}, {3, 1}, {2, 1}, {1, 0}}));
    EXPECT_EQ(DrawLine({0, 0}, {2, 4}), (Pixels{{0, 0}, {0, 1}, {1, 2}, {1, 3}}));
    EXPECT_EQ(DrawLine({0, 0}, {6, 1}), (Pixels{{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 1}, {5, 1}}));
    EXPECT_EQ(DrawLine({5, 3}, {2, 3}), (Pixels{{5, 3}, {4, 3}, {3, 3}}));
    EXPECT_EQ(DrawLine({2, 1}, {2, 4}), (Pixels{{2, 1}, {2, 2}, {2, 3}}));
    EXPECT_EQ(DrawLine({3, 3}, {3, 3}), Pixels{});
}

// Reference: for each step of the major axis the minor coordinate nearest the exact value,
// the smaller one on a tie.
Pixels ReferenceLine(Point a, Point b) {
    const long dx = b.x - a.x, dy = b.y - a.y;
    const bool yMajor = std::labs(dy) >= std::labs(dx);
    const long n = std::max(std::labs(dx), std::labs(dy));
    Pixels out;
    for (long k = 0; k < n; ++k) {
        const long major = (yMajor ? a.y : a.x) + ((yMajor ? dy : dx) > 0 ? k : -k);
        const long num = k * (yMajor ? dx : dy);  // the exact minor offset is num / n
        const long below = long(std::floor(double(num) / double(n)));
        const long best = std::labs(2 * ((below + 1) * n - num)) < std::labs(2 * (below * n - num)) ? below + 1 : below;
        const int minor = int((yMajor ? a.x : a.y) + best);
        out.insert(yMajor ? std::pair{minor, int(major)} : std::pair{int(major), minor});
    }
    return out;
}

TEST(LineTest, MatchesReferenceAndBothDirectionsCoverTheSamePixels) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> coord(0, 39);
    for (int i = 0; i < 400; ++i) {
        const Point a{coord(rng), coord(rng)}, b{coord(rng), coord(rng)};
        Pixels ab = DrawLine(a, b), ba = DrawLine(b, a);
        ASSERT_EQ(ab, ReferenceLine(a, b)) << a.x << "," << a.y << " -> " << b.x << "," << b.y;
        if (a == b) continue;
        ab.insert({b.x, b.y});
        ba.insert({a.x, a.y});
        ASSERT_EQ(ab, ba);
    }
}

TEST(LineTest, ClippedLinesKeepTheirPixels) {
    for (auto [a, b] : {std::pair{Point{-30, -7}, Point{50, 31}}, std::pair{Point{45, -3}, Point{-9, 28}},
                        std::pair{Point{-100000, 5}, Point{100000, 6}}, std::pair{Point{3, -900}, Point{4, 900}}}) {
        Pixels want;
        for (auto p : ReferenceLine(a, b))
            if (p.first >= 0 && p.first < 40 && p.second >= 0 && p.second < 40) want.insert(p);
        EXPECT_EQ(DrawLine(a, b), want);
    }
}

struct DashCase {
    int style;
    const char* period;  // P on, w gap, over 24 pixels
};

class DashTest : public testing::TestWithParam<DashCase> {};

TEST_P(DashTest, PatternRunsWithWhiteGapsAndRestartsEachLineTo) {
    Sheet s(60, 3, GetParam().style);
    s.canvas.MoveTo(0, 0);
    s.canvas.LineTo(30, 0);
    s.canvas.LineTo(59, 0);  // a second call starts the pattern afresh at x = 30
    s.canvas.MoveTo(59, 2);
    s.canvas.LineTo(0, 2);  // right to left: the pattern starts at the start point
    const std::string p = GetParam().period;
    EXPECT_EQ(Picture(s.bmp, {0, 0, 60, 1}), "\n" + p + p.substr(0, 6) + p + p.substr(0, 5) + ".");
    const std::string phases = (p + p + p).substr(0, 59);  // pixel x has phase 59 - x
    EXPECT_EQ(Picture(s.bmp, {0, 2, 60, 3}), "\n." + std::string(phases.rbegin(), phases.rend()));
}

INSTANTIATE_TEST_SUITE_P(Styles, DashTest,
                         testing::Values(DashCase{PS_DASH, "PPPPPPPPPPPPPPPPPPwwwwww"},
                                         DashCase{PS_DOT, "PPPwwwPPPwwwPPPwwwPPPwww"},
                                         DashCase{PS_DASHDOT, "PPPPPPPPPwwwwwwPPPwwwwww"},
                                         DashCase{PS_DASHDOTDOT, "PPPPPPPPPwwwPPPwwwPPPwww"}));

TEST(DashTest, RectangleOutlineStartsTopRightGoingLeftAndContinuesAround) {
    Sheet s(12, 6, PS_DOT);
    s.canvas.SelectBrush(Brush::Null());
    s.canvas.Rectangle(0, 0, 12, 6);
    EXPECT_EQ(s.Pic(), Rows("wwwPPPwwwPPP/P..........P/P..........P/P..........w/w..........w/wwPPPwwwPPPw"));
}

TEST(DashTest, NullPenDrawsNothingButMoves) {
    Sheet s(5, 1, PS_NULL);
    s.canvas.LineTo(5, 0);
    EXPECT_EQ(s.Pic(), Rows("....."));
    EXPECT_EQ(s.canvas.CurrentPosition(), (Point{5, 0}));
}

TEST(WideLineTest, RoundCapsReachPastBothEnds) {
    Sheet s(11, 5, PS_DASHDOT, 3);
    s.canvas.MoveTo(2, 2);
    s.canvas.LineTo(8, 2);
    EXPECT_EQ(s.Pic(), Rows(".........../..PPPPPPP../.PPPPPPPPP./..PPPPPPP../..........."));
    Sheet z(5, 5, PS_SOLID, 5);
    z.canvas.MoveTo(2, 2);
    z.canvas.LineTo(2, 2);
    EXPECT_EQ(z.Pic(), Picture(Bitmap(5, 5, kPaper)));
}

TEST(WideLineTest, IsTheDiscStampedOnEveryPixelIncludingTheEnd) {
    std::mt19937 rng(11);
    std::uniform_int_distribution<int> coord(-6, 36);
    for (int i = 0; i < 300; ++i) {
        const int w = 2 + i % 8;
        const Point a{coord(rng), coord(rng)}, b{coord(rng), coord(rng)};
        if (a == b) continue;
        Sheet wide(30, 30, PS_SOLID, w);
        wide.canvas.MoveTo(a.x, a.y);
        wide.canvas.LineTo(b.x, b.y);
        // Every pixel of the one-pixel line and its end point, with a disc (a 1x1 box) on each.
        Pixels centres = ReferenceLine(a, b);
        centres.insert({b.x, b.y});
        Sheet stamped(30, 30, PS_SOLID, w);
        for (auto [x, y] : centres) stamped.canvas.Rectangle(x, y, x + 1, y + 1);
        ASSERT_EQ(wide.Pic(), stamped.Pic()) << "w=" << w << " " << a.x << "," << a.y << " -> " << b.x << "," << b.y;
    }
}

}  // namespace
}  // namespace rastrix::test

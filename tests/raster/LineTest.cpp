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

Pixels DrawLine(Point a, Point b) {
    Sheet s(40, 40);
    s.canvas.MoveTo(a.x, a.y);
    s.canvas.LineTo(b.x, b.y);
    Pixels out;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            if (s.canvas.GetPixel(x, y) == kPen) out.insert({x, y});
    return out;
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

// Reference: per major-axis step, the minor coordinate nearest the exact value, the smaller
// one on a tie.
Pixels ReferenceLine(Point a, Point b) {
    const long dx = b.x - a.x, dy = b.y - a.y, n = std::max(std::labs(dx), std::labs(dy));
    const bool yMajor = std::labs(dy) >= std::labs(dx);
    Pixels out;
    for (long k = 0; k < n; ++k) {
        const long major = (yMajor ? a.y : a.x) + ((yMajor ? dy : dx) > 0 ? k : -k);
        const long num = k * (yMajor ? dx : dy);  // the exact minor offset is num / n
        const long lo = long(std::floor(double(num) / double(n)));
        const int minor = int((yMajor ? a.x : a.y) + (std::labs(2 * ((lo + 1) * n - num)) < std::labs(2 * (lo * n - num)) ? lo + 1 : lo));
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
        ab.insert({b.x, b.y});
        ba.insert({a.x, a.y});
        ASSERT_EQ(ab, ba);
    }
}

struct DashCase {
    int style;
    const char* period;  // 24 pixels: P pen, w gap
};
void PrintTo(const DashCase& d, std::ostream* os) { *os << "style " << d.style; }

class DashTest : public testing::TestWithParam<DashCase> {};

TEST_P(DashTest, PatternRunsWithWhiteGapsAndRestartsEachLineTo) {
    Sheet s(60, 3, GetParam().style);
    s.canvas.MoveTo(0, 0);
    s.canvas.LineTo(30, 0);
    s.canvas.LineTo(59, 0);  // a second call starts afresh at x = 30
    s.canvas.MoveTo(59, 2);
    s.canvas.LineTo(0, 2);  // right to left: the pattern starts at the start point
    const std::string p = GetParam().period, phases = (p + p + p).substr(0, 59);
    EXPECT_EQ(Picture(s.bmp, {0, 0, 60, 1}), "\n" + p + p.substr(0, 6) + p + p.substr(0, 5) + ".");
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
    s.canvas.SelectPen(Pen(PS_NULL, 1, kPen));  // the null pen draws nothing but moves
    s.canvas.LineTo(5, 3);
    EXPECT_EQ(s.canvas.CurrentPosition(), (Point{5, 3}));
    EXPECT_EQ(Picture(s.bmp, {1, 1, 11, 5}), Picture(Bitmap(10, 4, kPaper)));
}

TEST(WideLineTest, RoundCapsReachPastBothEndsAndDashesBecomeSolid) {
    Sheet s(11, 5, PS_DASHDOT, 3);
    s.canvas.MoveTo(2, 2);
    s.canvas.LineTo(8, 2);
    EXPECT_EQ(s.Pic(), Rows(".........../..PPPPPPP../.PPPPPPPPP./..PPPPPPP../..........."));
    Sheet z(5, 5, PS_SOLID, 5);
    z.canvas.MoveTo(2, 2);
    z.canvas.LineTo(2, 2);  // zero length: nothing, as with the thin pen
    EXPECT_EQ(z.Pic(), Picture(Bitmap(5, 5, kPaper)));
}

TEST(WideLineTest, IsTheDiscStampedOnEveryPixelIncludingTheEnd) {
    std::mt19937 rng(11);
    std::uniform_int_distribution<int> coord(-6, 36);
    for (int i = 0; i < 300; ++i) {
        const int w = 2 + i % 8;
        const Point a{coord(rng), coord(rng)}, b{coord(rng), coord(rng)};
        if (a == b) continue;
        Sheet wide(30, 30, PS_SOLID, w), stamped(30, 30, PS_SOLID, w);
        wide.canvas.MoveTo(a.x, a.y);
        wide.canvas.LineTo(b.x, b.y);
        Pixels centres = ReferenceLine(a, b);
        centres.insert({b.x, b.y});
        for (auto [x, y] : centres) stamped.canvas.Rectangle(x, y, x + 1, y + 1);  // a disc, pinned elsewhere
        ASSERT_EQ(wide.Pic(), stamped.Pic()) << "w=" << w << " " << a.x << "," << a.y << " -> " << b.x << "," << b.y;
    }
}

}  // namespace
}  // namespace rastrix::test

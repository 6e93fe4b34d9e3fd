#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "raster/Figure.h"

#include "Picture.h"

namespace rastrix::test {
namespace {

enum class Fig { Box, Oval, Round };

struct FigureCase {  // drawn on a w x h sheet
    const char* name; int w, h; Fig fig; Rect box; int style, width; const char* want; int cornerW = 0, cornerH = 0;
};

void PrintTo(const FigureCase& f, std::ostream* os) { *os << f.name; }

void Draw(Canvas& c, Fig fig, Rect r, int cw = 0, int ch = 0) {
    if (fig == Fig::Box) c.Rectangle(r.left, r.top, r.right, r.bottom);
    else if (fig == Fig::Oval) c.Ellipse(r.left, r.top, r.right, r.bottom);
    else c.RoundRect(r.left, r.top, r.right, r.bottom, cw, ch);
}

class FigurePictureTest : public testing::TestWithParam<FigureCase> {};

TEST_P(FigurePictureTest, Draws) {
    const FigureCase& f = GetParam();
    Sheet s(f.w, f.h, f.style, f.width);
    Draw(s.canvas, f.fig, f.box, f.cornerW, f.cornerH);
    EXPECT_EQ(s.Pic(), Rows(f.want));
}

const FigureCase kFigures[] = {
    {"Ring", 6, 5, Fig::Box, {1, 1, 5, 4}, PS_SOLID, 1, "....../.PPPP./.PbbP./.PPPP./......"},
    {"Reversed", 6, 5, Fig::Box, {5, 4, 1, 1}, PS_SOLID, 1, "....../.PPPP./.PbbP./.PPPP./......"},
    {"OneByOne", 3, 3, Fig::Box, {1, 1, 2, 2}, PS_SOLID, 1, ".../.../..."},
    {"TwoByTwo", 4, 4, Fig::Box, {1, 1, 3, 3}, PS_SOLID, 1, "..../.PP./.PP./...."},
    {"OneWide", 3, 5, Fig::Box, {1, 1, 2, 4}, PS_SOLID, 1, ".../.P./.P./.P./..."},
    {"ThreeByThree", 5, 5, Fig::Box, {1, 1, 4, 4}, PS_SOLID, 1, "...../.PPP./.PbP./.PPP./....."},
    {"NullPen", 6, 5, Fig::Box, {1, 1, 5, 4}, PS_NULL, 1, "....../.bbb../.bbb../....../......"},
    {"NullPenTwoByTwo", 4, 4, Fig::Box, {1, 1, 3, 3}, PS_NULL, 1, "..../.b../..../...."},
    {"NullPenOneByOne", 3, 3, Fig::Box, {1, 1, 2, 2}, PS_NULL, 1, ".../.../..."},
    {"Width2ExtraTopLeft", 9, 8, Fig::Box, {2, 2, 7, 6}, PS_SOLID, 2,
     "........./.PPPPPP../.PPPPPP../.PPbbPP../.PPPPPP../.PPPPPP../........./........."},
    {"Width3RoundCorners", 9, 8, Fig::Box, {2, 2, 7, 6}, PS_SOLID, 3,
     "........./..PPPPP../.PPPPPPP./.PPPPPPP./.PPPPPPP./.PPPPPPP./..PPPPP../........."},
    {"Width4", 13, 12, Fig::Box, {3, 3, 11, 10}, PS_DASH, 4,
     "............./..PPPPPPPPP../.PPPPPPPPPPP./.PPPPPPPPPPP./.PPPPPPPPPPP./.PPPPbbbPPPP./"
     ".PPPPbbbPPPP./.PPPPPPPPPPP./.PPPPPPPPPPP./.PPPPPPPPPPP./..PPPPPPPPP../............."},
    {"WideOneByOne", 5, 5, Fig::Box, {2, 2, 3, 3}, PS_SOLID, 3, "...../..P../.PPP./..P../....."},
    {"Ellipse5x3", 5, 3, Fig::Oval, {0, 0, 5, 3}, PS_SOLID, 1, ".PPP./PbbbP/.PPP."},
    {"Ellipse7x7", 7, 7, Fig::Oval, {0, 0, 7, 7}, PS_SOLID, 1,
     "..PPP../.PbbbP./PbbbbbP/PbbbbbP/PbbbbbP/.PbbbP./..PPP.."},
    {"Ellipse3x3", 3, 3, Fig::Oval, {0, 0, 3, 3}, PS_SOLID, 1, ".P./PbP/.P."},
    {"Ellipse4x4", 4, 4, Fig::Oval, {0, 0, 4, 4}, PS_SOLID, 1, ".PP./PbbP/PbbP/.PP."},
    {"Ellipse6x4", 6, 4, Fig::Oval, {0, 0, 6, 4}, PS_SOLID, 1, ".PPPP./PbbbbP/PbbbbP/.PPPP."},
    {"Ellipse8x3", 8, 3, Fig::Oval, {0, 0, 8, 3}, PS_SOLID, 1, "..PPPP../PPbbbbPP/..PPPP.."},
    {"EllipseTallThin", 3, 8, Fig::Oval, {0, 0, 3, 8}, PS_SOLID, 1, ".P./.P./PbP/PbP/PbP/PbP/.P./.P."},
    {"EllipseTwoHighIsBox", 5, 2, Fig::Oval, {0, 0, 5, 2}, PS_SOLID, 1, "PPPPP/PPPPP"},
    {"EllipseNullPen", 6, 4, Fig::Oval, {6, 4, 0, 0}, PS_NULL, 1, ".bbb../bbbbb./.bbb../......"},
    {"RoundCorners4", 10, 8, Fig::Round, {0, 0, 10, 8}, PS_SOLID, 1,
     ".PPPPPPPP./PbbbbbbbbP/PbbbbbbbbP/PbbbbbbbbP/PbbbbbbbbP/PbbbbbbbbP/PbbbbbbbbP/.PPPPPPPP.", 4, 4},
    {"RoundCorners6", 10, 8, Fig::Round, {0, 0, 10, 8}, PS_SOLID, 1,
     "..PPPPPP../.PbbbbbbP./PbbbbbbbbP/PbbbbbbbbP/PbbbbbbbbP/PbbbbbbbbP/.PbbbbbbP./..PPPPPP..", 6, -6},
    {"RoundSmallCornerIsBox", 4, 3, Fig::Round, {0, 0, 4, 3}, PS_SOLID, 1, "PPPP/PbbP/PPPP", 2, 9},
    {"RoundNullPen", 11, 9, Fig::Round, {0, 0, 11, 9}, PS_NULL, 1,
     "..bbbbbb.../.bbbbbbbb../bbbbbbbbbb./bbbbbbbbbb./bbbbbbbbbb./bbbbbbbbbb./.bbbbbbbb../..bbbbbb.../"
     "...........", 6, 6},
};

INSTANTIATE_TEST_SUITE_P(Pictures, FigurePictureTest, testing::ValuesIn(kFigures),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(EllipseTest, EverySizeIsSymmetricConnectedTouchesAllSidesAndFilledBetween) {
    for (int w = 3; w <= 34; ++w)
        for (int h = 3; h <= 34; ++h) {
            SCOPED_TRACE(testing::Message() << w << "x" << h);
            Sheet s(w + 2, h + 2);
            s.canvas.Ellipse(1, 1, 1 + w, 1 + h);
            auto at = [&](int x, int y) { return s.canvas.GetPixel(x, y); };
            for (int y = 0; y < h + 2; ++y) {
                int first = -1, last = -1;
                for (int x = 0; x < w + 2; ++x) {
                    ASSERT_EQ(at(x, y), at(w + 1 - x, y));
                    ASSERT_EQ(at(x, y), at(x, h + 1 - y));
                    if (at(x, y) == kPen) (first < 0 ? first : last) = x;
                }
                if (y == 1 || y == h) {
                    ASSERT_GE(first, 1);  // top and bottom rows are reached
                }
                for (int x = 0; x < w + 2; ++x)  // brush strictly between the row's outer pen pixels
                    ASSERT_EQ(at(x, y) != kPaper, x == first || (x > first && x <= last)) << x << "," << y;
            }
            ASSERT_EQ(at(1, (h + 1) / 2), kPen);  // left and right sides are reached
            const auto path = Figure::Rounded({1, 1, 1 + w, 1 + h}, w, h).Path();
            for (std::size_t i = 0; i < path.size(); ++i) {  // 8-connected and closed
                const Point a = path[i], b = path[(i + 1) % path.size()];
                ASSERT_TRUE(a != b && std::abs(a.x - b.x) <= 1 && std::abs(a.y - b.y) <= 1);
            }
        }
}

TEST(RoundRectTest, CornersAreClampedToTheBox) {
    Sheet a(12, 9), b(12, 9), c(12, 9), d(12, 9);
    a.canvas.RoundRect(1, 1, 11, 8, 100, -100);
    b.canvas.Ellipse(1, 1, 11, 8);
    c.canvas.RoundRect(1, 1, 11, 8, 4, 100);
    d.canvas.RoundRect(1, 1, 11, 8, 4, 7);
    EXPECT_EQ(a.Pic(), b.Pic());
    EXPECT_EQ(c.Pic(), d.Pic());
    EXPECT_NE(a.Pic(), c.Pic());
}

// With the null pen a figure is the one a pen of the brush's colour draws over a box one
// pixel smaller on the right and at the bottom.
TEST(NullPenTest, FillsTheFigureOfTheShrunkBox) {
    for (Fig fig : {Fig::Box, Fig::Oval, Fig::Round})
        for (int w = 1; w <= 14; ++w)
            for (int h = 1; h <= 14; ++h) {
                Sheet a(16, 16, PS_NULL), b(16, 16);
                b.canvas.SelectPen(Pen(PS_SOLID, 1, kInk));
                Draw(a.canvas, fig, {1, 1, 1 + w, 1 + h}, w / 2, h / 2);
                Draw(b.canvas, fig, {1, 1, w, h}, w / 2, h / 2);
                if (w == 2 || h == 2) b.canvas.FillRect({1, 1, w, h}, Brush::Solid(kInk));  // a 1-wide ring is a line
                ASSERT_EQ(a.Pic(), b.Pic()) << int(fig) << " " << w << "x" << h;
            }
}

// Discs of each pen width, stamped by a one-pixel box; the even extra row and column go
// top and left of the centre.
const char* const kDiscs[] = {
    "", "P", "PP/PP", ".P./PPP/.P.", ".PP./PPPP/PPPP/.PP.", ".PPP./PPPPP/PPPPP/PPPPP/.PPP.",
    "..PP../.PPPP./PPPPPP/PPPPPP/.PPPP./..PP..", "..PPP../.PPPPP./PPPPPPP/PPPPPPP/PPPPPPP/.PPPPP./..PPP..",
    "..PPPP../.PPPPPP./PPPPPPPP/PPPPPPPP/PPPPPPPP/PPPPPPPP/.PPPPPP./..PPPP..",
    "...PPP.../..PPPPP../.PPPPPPP./PPPPPPPPP/PPPPPPPPP/PPPPPPPPP/.PPPPPPP./..PPPPP../...PPP...",
};

// Reference: the disc picture stamped on every pixel the one-pixel pen draws.
Bitmap StampDiscs(const Bitmap& thin, int w) {
    Bitmap out(thin.Width(), thin.Height(), kPaper);
    for (int y = 0; y < thin.Height(); ++y)
        for (int x = 0; x < thin.Width(); ++x) {
            if (thin.GetPixel(x, y) != kPen) continue;
            int dx = 0, dy = 0;
            for (const char* c = kDiscs[w]; *c; ++c, ++dx) {
                if (*c == '/') dx = -1, ++dy;
                if (*c == 'P') out.SetPixel(x - w / 2 + dx, y - w / 2 + dy, kPen);
            }
        }
    return out;
}

TEST(WidePenTest, OneByOneBoxIsTheDiscAlone) {
    for (int w = 2; w <= 9; ++w) {
        Sheet wide(20, 20, PS_SOLID, w), thin(20, 20);
        wide.canvas.Rectangle(10, 10, 11, 11);
        thin.canvas.SetPixel(10, 10, kPen);
        EXPECT_EQ(wide.Pic(), Picture(StampDiscs(thin.bmp, w))) << w;
    }
}

TEST(WidePenTest, OutlineIsTheDiscStampedAlongTheThinOutline) {
    struct Shape { Fig fig; Rect box; int cw, ch; };  // clang-format off
    const Shape shapes[] = {{Fig::Box, {6, 6, 18, 15}, 0, 0},    {Fig::Oval, {6, 6, 21, 15}, 0, 0},
                            {Fig::Oval, {7, 5, 10, 19}, 0, 0},   {Fig::Round, {6, 5, 23, 17}, 8, 6},
                            {Fig::Round, {5, 6, 22, 16}, 5, 9}};
    for (int w = 2; w <= 9; ++w)
        for (const Shape& sh : shapes) {
            Sheet thin(30, 24), wide(30, 24, PS_DOT, w);
            thin.canvas.SelectBrush(Brush::Null());
            wide.canvas.SelectBrush(Brush::Null());
            Draw(thin.canvas, sh.fig, sh.box, sh.cw, sh.ch);
            Draw(wide.canvas, sh.fig, sh.box, sh.cw, sh.ch);
            ASSERT_EQ(wide.Pic(), Picture(StampDiscs(thin.bmp, w))) << "width " << w << " figure " << int(sh.fig);
        }
}

}  // namespace
}  // namespace rastrix::test

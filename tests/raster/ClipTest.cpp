#include <gtest/gtest.h>

#include <functional>

#include "Picture.h"

namespace rastrix::test {
namespace {

struct Drawing {
    const char* name;
    std::function<void(Canvas&, int shift)> draw;  // shift moves every coordinate
};

const Drawing kDrawings[] = {
    {"Rectangle", [](Canvas& c, int s) { c.Rectangle(-7 + s, 3 + s, 9 + s, 40 + s); }},
    {"Ellipse", [](Canvas& c, int s) { c.Ellipse(-9 + s, -5 + s, 30 + s, 13 + s); }},
    {"RoundRect", [](Canvas& c, int s) { c.RoundRect(4 + s, -6 + s, 33 + s, 12 + s, 15, 9); }},
    {"Line", [](Canvas& c, int s) { c.MoveTo(-20 + s, 2 + s), c.LineTo(40 + s, 17 + s), c.LineTo(-3 + s, -9 + s); }},
    {"FrameRect", [](Canvas& c, int s) { c.FrameRect({-3 + s, -4 + s, 11 + s, 14 + s}, Brush::Solid(kPen)); }},
    {"FillRect", [](Canvas& c, int s) { c.FillRect({19 + s, 12 + s, -2 + s, 5 + s}, c.CurrentBrush()); }},
};

struct PenSetup {
    int style, width;
    bool hatch;
};

// Drawing on a small bitmap must give exactly the matching window of the same drawing on a
// bitmap big enough to hold all of it, and must leave the margin of the big one alone.
TEST(ClipTest, PartlyOutsideDrawingMatchesTheUnclippedWindow) {
    const PenSetup pens[] = {{PS_SOLID, 1, false}, {PS_DASHDOTDOT, 1, true}, {PS_SOLID, 6, true}, {PS_NULL, 1, true}};
    for (const Drawing& d : kDrawings)
        for (const PenSetup& p : pens) {
            SCOPED_TRACE(testing::Message() << d.name << " style " << p.style << " width " << p.width);
            Sheet small(20, 12, p.style, p.width), big(100, 100, p.style, p.width);
            for (Sheet* s : {&small, &big}) {
                if (p.hatch) s->canvas.SelectBrush(Brush::Hatched(HS_DIAGCROSS, kInk));
                s->canvas.SetBrushOrg(s == &big ? Point{40, 40} : Point{0, 0});
            }
            d.draw(small.canvas, 0);
            d.draw(big.canvas, 40);
            EXPECT_EQ(small.Pic(), Picture(big.bmp, {40, 40, 60, 52}));
        }
}

TEST(ClipTest, DrawingWhollyOutsideChangesNothing) {
    for (int width : {1, 9}) {
        Sheet s(10, 10, PS_DOT, width);
        for (const Drawing& d : kDrawings)
            for (int shift : {-60, 60, 1 << 29}) d.draw(s.canvas, shift);
        s.canvas.Ellipse(-(1 << 30), -(1 << 30), 1 << 30, 1 << 30);  // too big to draw: skipped
        s.canvas.MoveTo(-2000000000, 5);
        s.canvas.LineTo(2000000000, -100);
        EXPECT_EQ(s.Pic(), Picture(Bitmap(10, 10, kPaper))) << width;
    }
}

}  // namespace
}  // namespace rastrix::test

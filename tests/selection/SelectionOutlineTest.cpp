#include "SelectionFixture.h"

#include "raster/Picture.h"
#include "selection/SelectionOutline.h"

namespace rastrix::test {
namespace {

// '#' where the outline drew, '.' where the window kept its paper.
std::string Footprint(const Bitmap& bmp) {
    std::string s;
    for (int y = 0; y < bmp.Height(); ++y) {
        s += '\n';
        for (int x = 0; x < bmp.Width(); ++x) s += bmp.GetPixel(x, y) == kPaper ? '.' : '#';
    }
    return s;
}

class OutlineTest : public SelectionTest {
protected:
    // Draws the outline of an active selection over a paper-coloured window of w x h.
    Bitmap Draw(CommandId shape, Rect rect, int zoom, int w, int h, bool lineReversed = false, Point origin = {}) {
        ed.selection.active = 1;
        ed.selection.shape = shape;
        ed.settings.zoomPercent = zoom;
        ed.selection.rect = rect;
        ed.selection.lineReversed = lineReversed;
        ed.view.scrollOriginX = origin.x;
        ed.view.scrollOriginY = origin.y;
        Bitmap surface(w, h, kPaper);
        DrawSelectionOutline(ed, surface);
        return surface;
    }
    // Every pixel drawn is red (a dot) or white (a gap), and both occur.
    static void ExpectDottedRed(const Bitmap& bmp) {
        int red = 0, white = 0, other = 0;
        for (int y = 0; y < bmp.Height(); ++y)
            for (int x = 0; x < bmp.Width(); ++x) {
                const Color c = bmp.GetPixel(x, y);
                if (c == kPen) ++red;
                else if (c == kWhite) ++white;
                else if (c != kPaper) ++other;
            }
        EXPECT_GT(red, 0);
        EXPECT_GT(white, 0);
        EXPECT_EQ(other, 0);
    }
    // The pixels a solid pen covers for the same figure over the window box.
    template <class F>
    static std::string SolidFootprint(int w, int h, F draw) {
        Sheet sheet(w, h);
        sheet.canvas.SelectBrush(Brush::Null());
        draw(sheet.canvas);
        return Footprint(sheet.bmp);
    }
};

TEST_F(OutlineTest, RectangleIsAPatternFrameAlignedToTheWindow) {
    // Pattern letters: k black, P red, b blue, w white.
    EXPECT_EQ(Picture(Draw(CommandId::RectangleSelection, {1, 1, 5, 4}, 100, 7, 5)),
              Rows("......./.kPPb../.P..w../.Pbbw../......."));
    // At 200 % scrolled one column: window box (2, 2)-(8, 6); the pattern stays on the window grid.
    EXPECT_EQ(Picture(Draw(CommandId::RectangleSelection, {2, 1, 5, 3}, 200, 10, 7, false, {1, 0})),
              Rows("........../........../..bbwwkk../..b....k../..w....P../..wwkkPP../.........."));
}

TEST_F(OutlineTest, LineIsDottedRedWithWhiteGapsAndFollowsItsDirection) {
    EXPECT_EQ(Picture(Draw(CommandId::LineSelection, {1, 2, 11, 2}, 100, 13, 4)),
              Rows("............./............./.PPPwwwPPPw../............."));
    EXPECT_EQ(Picture(Draw(CommandId::LineSelection, {1, 2, 11, 2}, 100, 13, 4, true)),
              Rows("............./............./..wPPPwwwPPP./............."));
    // 200 %: (0, 0)-(3, 3) becomes (0, 0)-(6, 6), end pixel left out.
    EXPECT_EQ(Picture(Draw(CommandId::LineSelection, {0, 0, 3, 3}, 200, 8, 7)),
              Rows("P......./.P....../..P...../...w..../....w.../.....w../........"));
    EXPECT_EQ(Picture(Draw(CommandId::LineSelection, {0, 0, 3, 3}, 200, 8, 7, true)),
              Rows("......P./.....P../....P.../...w..../..w...../.w....../........"));
}

TEST_F(OutlineTest, EllipseIsHollowAndDotted) {
    const Bitmap at100 = Draw(CommandId::EllipseSelection, {0, 0, 7, 7}, 100, 8, 8);
    EXPECT_EQ(Footprint(at100), Rows("..###.../.#...#../#.....#./#.....#./#.....#./.#...#../..###.../........"));
    ExpectDottedRed(at100);

    const Bitmap at200 = Draw(CommandId::EllipseSelection, {3, 2, 9, 10}, 200, 20, 20, false, {1, 1});
    EXPECT_EQ(Footprint(at200), SolidFootprint(20, 20, [](Canvas& c) { c.Ellipse(4, 2, 16, 18); }));
    ExpectDottedRed(at200);
}

TEST_F(OutlineTest, RoundedRectangleHasQuarterCorners) {
    const Bitmap at100 = Draw(CommandId::RoundedRectangleSelection, {1, 1, 21, 17}, 100, 24, 20);
    // Corners of 20 / 4 by 16 / 4.
    EXPECT_EQ(Footprint(at100), SolidFootprint(24, 20, [](Canvas& c) { c.RoundRect(1, 1, 21, 17, 5, 4); }));
    EXPECT_EQ(at100.GetPixel(1, 1), kPaper);    // the corner is rounded off
    EXPECT_EQ(at100.GetPixel(10, 8), kPaper);   // hollow
    EXPECT_NE(at100.GetPixel(10, 1), kPaper);   // the top edge
    ExpectDottedRed(at100);

    const Bitmap at200 = Draw(CommandId::RoundedRectangleSelection, {0, 0, 12, 8}, 200, 26, 18);
    EXPECT_EQ(Footprint(at200), SolidFootprint(26, 18, [](Canvas& c) { c.RoundRect(0, 0, 24, 16, 6, 4); }));
    ExpectDottedRed(at200);
}

TEST_F(OutlineTest, PartlyScrolledOutOutlinesAreClipped) {
    const Bitmap frame = Draw(CommandId::RectangleSelection, {0, 0, 100, 100}, 800, 16, 16, false, {1, 1});
    EXPECT_EQ(Footprint(frame), Footprint(Bitmap(16, 16, kPaper)));  // the frame lies beyond the window
    const Bitmap ellipse = Draw(CommandId::EllipseSelection, {0, 0, 40, 40}, 400, 30, 30, false, {2, 2});
    ExpectDottedRed(ellipse);  // the part of the arc that crosses the window
}

TEST_F(OutlineTest, NothingWithoutASelection) {
    Bitmap surface(10, 10, kPaper);
    ed.selection.rect = {1, 1, 8, 8};
    ed.selection.active = 0;
    DrawSelectionOutline(ed, surface);
    EXPECT_EQ(surface, Bitmap(10, 10, kPaper));
    EXPECT_EQ(SelectionStatus(ed), " ");
}

TEST_F(OutlineTest, StatusNamesPositionAndSize) {
    LoadImage(640, 480);
    Drag({10, 20}, {110, 70});
    EXPECT_EQ(SelectionStatus(ed), "Selection@ 10,20 (100W x 50H)");
}

}  // namespace
}  // namespace rastrix::test

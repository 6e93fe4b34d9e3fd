#include <gtest/gtest.h>

#include "app/CommandIds.h"
#include "draw/ShapeFills.h"
#include "draw/ShapeMask.h"
#include "DrawFixture.h"

namespace rastrix::test {
namespace {

class ShapeFillTest : public DrawTest {
protected:
    ShapeFillTest() { NewImage(8, 7); }
    // The selection (2,2)-(6,5) on the 8 x 7 image.
    void Fill(int id, int shape = IDM_RECT) {
        Select({2, 2, 6, 5}, shape);
        FillShape(ed, id);
    }
};

struct RectCase {
    int id;
    const char* picture;
};

class RectFills : public ShapeFillTest, public ::testing::WithParamInterface<RectCase> {};

TEST_P(RectFills, DrawTheRectangleAndEndTheSelection) {
    Fill(GetParam().id);
    EXPECT_EQ(Pic(), Rows(GetParam().picture));
    EXPECT_EQ(Depth(), 1);
    EXPECT_TRUE(Modified());
    EXPECT_FALSE(HasSelection(ed));
    EXPECT_EQ(ed.selection.rect, (Rect{2, 2, 6, 5}));  // kept for Restore Selection
    EXPECT_TRUE(MenuEnabled(IDM_RESTORESEL));
    EXPECT_TRUE(ed.view.repaintNeeded);
    Undo(ed);
    EXPECT_EQ(Pic(), Rows("......../......../......../......../......../......../........"));
}

INSTANTIATE_TEST_SUITE_P(
    WidthOne, RectFills,
    ::testing::Values(
        RectCase{IDM_FILLSOLID, "......../......../..PPPP../..PPPP../..PPPP../......../........"},
        RectCase{IDM_FILLINTERIOR, "......../......../......../...bb.../......../......../........"},
        RectCase{IDM_FILLLINE, "......../......../..PPPP../..P..P../..PPPP../......../........"},
        RectCase{IDM_FILL2COLOR, "......../......../..PPPP../..PbbP../..PPPP../......../........"}));

TEST_F(ShapeFillTest, TwoColorCrossHatchLinesUpWithTheImage) {
    NewImage(10, 10);
    ed.settings.hatchStyleIndex = 5;  // + hatch: row 3 and column 4 of every 8 x 8 cell
    Select({0, 0, 10, 10}, IDM_RECT);
    FillShape(ed, IDM_FILL2COLOR);
    EXPECT_EQ(Pic(), Rows("PPPPPPPPPP/PwwwbwwwwP/PwwwbwwwwP/PbbbbbbbbP/PwwwbwwwwP/"
                          "PwwwbwwwwP/PwwwbwwwwP/PwwwbwwwwP/PwwwbwwwwP/PPPPPPPPPP"));
}

TEST_F(ShapeFillTest, InteriorHatchLeavesTheRing) {
    NewImage(7, 6);
    ed.settings.hatchStyleIndex = 1;  // horizontal: row 3 of every cell
    Select({0, 0, 7, 6}, IDM_RECT);
    FillShape(ed, IDM_FILLINTERIOR);
    EXPECT_EQ(Pic(), Rows("......./.wwwww./.wwwww./.bbbbb./.wwwww./......."));
}

TEST_F(ShapeFillTest, DottedOutlineHasWhiteGaps) {
    NewImage(8, 4);
    ed.settings.lineStyleIndex = 1;  // dot: 3 on, 3 off, from the top-right corner leftward
    Select({0, 0, 8, 4}, IDM_RECT);
    FillShape(ed, IDM_FILLLINE);
    // ... then down the left side, along the bottom and up the right side.
    EXPECT_EQ(Pic(), Rows("PPwwwPPP/P......P/w......P/wwPPPwww"));
}

TEST_F(ShapeFillTest, WideStyledPenDrawsSolid) {
    NewImage(12, 10);
    ed.settings.lineWidth = 3;
    ed.settings.lineStyleIndex = 2;  // dash, which only a 1-pixel pen shows
    Select({2, 2, 10, 8}, IDM_RECT);
    FillShape(ed, IDM_FILL2COLOR);
    // Three pixels wide round the 1-pixel ring, corners rounded, no gaps.
    EXPECT_EQ(Pic(), Rows("............/..PPPPPPPP../.PPPPPPPPPP./.PPPPPPPPPP./.PPPbbbbPPP./"
                          ".PPPbbbbPPP./.PPPPPPPPPP./.PPPPPPPPPP./..PPPPPPPP../............"));
}

TEST_F(ShapeFillTest, LineRunsFromTheMarkedStartCorner) {
    NewImage(7, 5);
    ed.settings.lineStyleIndex = 0;
    Select({1, 1, 6, 4}, IDM_LINE);
    FillShape(ed, IDM_FILLLINE);
    EXPECT_EQ(Pic(), Rows("......./.P...../..PP.../....PP./......."));
    Undo(ed);
    Select({1, 1, 6, 4}, IDM_LINE, /*lineReversed=*/true);
    FillShape(ed, IDM_FILLLINE);
    EXPECT_EQ(Pic(), Rows("......./....PP./..PP.../.P...../......."));
}

TEST_F(ShapeFillTest, LineSelectionOffersOnlyLinePerimeter) {
    for (int id : {IDM_FILLSOLID, IDM_FILL2COLOR, IDM_FILLINTERIOR}) Fill(id, IDM_LINE);
    FillExterior(ed);
    EXPECT_EQ(Depth(), 0);
    EXPECT_TRUE(HasSelection(ed));
}

TEST_F(ShapeFillTest, NothingWithoutAnActiveSelection) {
    ed.selection.rect = {2, 2, 6, 5};
    FillShape(ed, IDM_FILLSOLID);
    FillExterior(ed);
    EXPECT_EQ(Depth(), 0);
    EXPECT_FALSE(Modified());
}

TEST_F(ShapeFillTest, RoundedRectangleCornerIsAQuarterOfTheBox) {
    NewImage(44, 24);
    Select({2, 2, 42, 22}, IDM_ROUNDRECT);
    FillShape(ed, IDM_FILLSOLID);
    auto drawn = [](int cw, int ch) {
        Bitmap bmp(44, 24, kPaper);
        Canvas c(bmp);
        c.SelectPen(Pen(PS_SOLID, 1, kPen));
        c.SelectBrush(Brush::Solid(kPen));
        c.RoundRect(2, 2, 42, 22, cw, ch);
        return bmp;
    };
    EXPECT_EQ(Image(), drawn(10, 5));
    EXPECT_NE(Image(), drawn(12, 5));
    EXPECT_NE(Image(), drawn(10, 4));
    EXPECT_EQ(Picture(Image(), {2, 2, 8, 5}), Rows("..PPPP/.PPPPP/PPPPPP"));
}

TEST_F(ShapeFillTest, InteriorOfEllipseIsTheSmallerFigure) {
    NewImage(9, 9);
    Select({0, 0, 9, 9}, IDM_ELLIPSE);
    FillShape(ed, IDM_FILLINTERIOR);
    Bitmap expected(9, 9, kPaper);
    Canvas c(expected);
    c.SelectPen(Pen(PS_SOLID, 1, kInk));
    c.SelectBrush(Brush::Solid(kInk));
    c.Ellipse(1, 1, 8, 8);  // no pen: the box one smaller each way, moved in by one
    EXPECT_EQ(Image(), expected);
}

TEST_F(ShapeFillTest, ExteriorOfEllipseFillsTheCorners) {
    NewImage(12, 9);
    Select({1, 1, 11, 8}, IDM_ELLIPSE);
    FillExterior(ed);
    EXPECT_EQ(Pic(), Rows("PPPPPPPPPPPP/PPPP....PPPP/PP........PP/P..........P/P..........P/"
                          "P..........P/PP........PP/PPPP....PPPP/PPPPPPPPPPPP"));
    EXPECT_EQ(Depth(), 1);
    EXPECT_FALSE(HasSelection(ed));
}

TEST_F(ShapeFillTest, ExteriorOfRoundedRectangleKeepsExactlyTheMask) {
    NewImage(60, 40);
    const Rect r{7, 5, 53, 38};
    Select(r, IDM_ROUNDRECT);
    FillExterior(ed);
    const ShapeMask mask = BuildShapeMask(r, IDM_ROUNDRECT);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 60; ++x) {
            const bool inShape = mask.IsInside(x - r.left, y - r.top);
            ASSERT_EQ(Image().GetPixel(x, y), inShape ? kPaper : kPen) << x << "," << y;
        }
}

TEST_F(ShapeFillTest, ExteriorOfRectangleOnTheBottomEdgeFillsTheRightStrip) {
    NewImage(8, 6);
    Select({2, 3, 5, 6}, IDM_RECT);
    FillExterior(ed);
    EXPECT_EQ(Pic(), Rows("PPPPPPPP/PPPPPPPP/PPPPPPPP/PP...PPP/PP...PPP/PP...PPP"));
}

TEST_F(ShapeFillTest, ExteriorOfWholeImageChangesNoPixelButAddsALevel) {
    Select({0, 0, 8, 7}, IDM_RECT);
    FillExterior(ed);
    EXPECT_EQ(Pic(), Rows("......../......../......../......../......../......../........"));
    EXPECT_EQ(Depth(), 1);
    EXPECT_TRUE(Modified());
    EXPECT_FALSE(HasSelection(ed));
}

TEST_F(ShapeFillTest, OutOfRangeStylesFallBackToSolidWidthOne) {
    ed.settings.lineStyleIndex = 200;
    ed.settings.hatchStyleIndex = 99;
    ed.settings.lineWidth = 0;
    Fill(IDM_FILL2COLOR);
    EXPECT_EQ(Pic(), Rows("......../......../..PPPP../..PbbP../..PPPP../......../........"));
}

}  // namespace
}  // namespace rastrix::test

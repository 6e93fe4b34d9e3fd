#include <gtest/gtest.h>

#include "draw/ShapeFills.h"
#include "editor/CommandIds.h"
#include "frame/CommandDispatch.h"
#include "selection/ShapeMask.h"
#include "DrawFixture.h"
#include "selection/Selection.h"

namespace rastrix::test {
namespace {

struct Fill {
    const char* name;
    CommandId id;
    int w, h;
    Rect selection;
    CommandId shape;
    const char* picture;
    std::uint8_t lineWidth = 1, lineStyle = 0, hatch = 0;
    bool reversed = false;
};

class Fills : public DrawTest, public ::testing::WithParamInterface<Fill> {};

TEST_P(Fills, DrawTheShapeAddOneLevelAndEndTheSelection) {
    const Fill& f = GetParam();
    NewImage(f.w, f.h);
    ed.settings.lineWidth = f.lineWidth;
    ed.settings.lineStyleIndex = f.lineStyle;
    ed.settings.hatchStyleIndex = f.hatch;
    Select(f.selection, f.shape, f.reversed);
    ASSERT_TRUE(Dispatch(ed, f.id));
    EXPECT_EQ(Pic(), Rows(f.picture));
    EXPECT_EQ(Depth(), 1);
    EXPECT_TRUE(Modified());
    EXPECT_FALSE(HasSelection(ed));
    EXPECT_EQ(ed.selection.rect, f.selection);  // kept for Restore Selection
    EXPECT_TRUE(MenuEnabled(CommandId::RestoreSelection));
}

constexpr Rect kBox{2, 2, 6, 5};
constexpr const char* kPlain = "......../......../......../......../......../......../........";

INSTANTIATE_TEST_SUITE_P(
    Commands, Fills,
    ::testing::Values(
        Fill{"Solid", CommandId::FillSolid, 8, 7, kBox, CommandId::RectangleSelection,
             "......../......../..PPPP../..PPPP../..PPPP../......../........"},
        Fill{"Interior", CommandId::FillInterior, 8, 7, kBox, CommandId::RectangleSelection,
             "......../......../......../...bb.../......../......../........"},
        Fill{"LinePerimeter", CommandId::FillLine, 8, 7, kBox, CommandId::RectangleSelection,
             "......../......../..PPPP../..P..P../..PPPP../......../........"},
        Fill{"TwoColor", CommandId::FillTwoColor, 8, 7, kBox, CommandId::RectangleSelection,
             "......../......../..PPPP../..PbbP../..PPPP../......../........"},
        // Style bytes from a damaged settings file read as solid, width 1.
        Fill{"StylesOutOfRange", CommandId::FillTwoColor, 8, 7, kBox, CommandId::RectangleSelection,
             "......../......../..PPPP../..PbbP../..PPPP../......../........", 0, 200, 99},
        // + hatch: row 3 and column 4 of every 8 x 8 cell of the image, on white.
        Fill{"CrossHatch", CommandId::FillTwoColor, 10, 10, {0, 0, 10, 10}, CommandId::RectangleSelection,
             "PPPPPPPPPP/PwwwbwwwwP/PwwwbwwwwP/PbbbbbbbbP/PwwwbwwwwP/PwwwbwwwwP/PwwwbwwwwP/PwwwbwwwwP/"
             "PwwwbwwwwP/PPPPPPPPPP", 1, 0, 5},
        Fill{"InteriorHatch", CommandId::FillInterior, 7, 6, {0, 0, 7, 6}, CommandId::RectangleSelection,
             "......./.wwwww./.wwwww./.bbbbb./.wwwww./.......", 1, 0, 1},
        // Dots of three with white gaps, from the top-right corner leftward and round.
        Fill{"DottedOutline", CommandId::FillLine, 8, 4, {0, 0, 8, 4}, CommandId::RectangleSelection, "PPwwwPPP/P......P/w......P/wwPPPwww", 1, 1},
        // Three pixels wide round the 1-pixel ring, corners rounded, dashes drawn solid.
        Fill{"WideDashed", CommandId::FillTwoColor, 12, 10, {2, 2, 10, 8}, CommandId::RectangleSelection,
             "............/..PPPPPPPP../.PPPPPPPPPP./.PPPPPPPPPP./.PPPbbbbPPP./.PPPbbbbPPP./.PPPPPPPPPP./"
             ".PPPPPPPPPP./..PPPPPPPP../............", 3, 2},
        Fill{"Line", CommandId::FillLine, 7, 5, {1, 1, 6, 4}, CommandId::LineSelection, "......./.P...../..PP.../....PP./......."},
        Fill{"ReversedLine", CommandId::FillLine, 7, 5, {1, 1, 6, 4}, CommandId::LineSelection, "......./....PP./..PP.../.P...../.......",
             1, 0, 0, true},
        // The rectangle's corners lie outside the ellipse and are filled too.
        Fill{"ExteriorEllipse", CommandId::FillExterior, 12, 9, {1, 1, 11, 8}, CommandId::EllipseSelection,
             "PPPPPPPPPPPP/PPPP....PPPP/PP........PP/P..........P/P..........P/P..........P/"
             "PP........PP/PPPP....PPPP/PPPPPPPPPPPP"},
        Fill{"ExteriorOnTheBottomEdge", CommandId::FillExterior, 8, 6, {2, 3, 5, 6}, CommandId::RectangleSelection,
             "PPPPPPPP/PPPPPPPP/PPPPPPPP/PP...PPP/PP...PPP/PP...PPP"},
        Fill{"ExteriorOfZeroWidthEllipse", CommandId::FillExterior, 6, 4, {2, 1, 2, 3}, CommandId::EllipseSelection,
             "PPPPPP/PPPPPP/PPPPPP/PPPPPP"},
        Fill{"ExteriorOfTheWholeImage", CommandId::FillExterior, 8, 7, {0, 0, 8, 7}, CommandId::RectangleSelection, kPlain}),
    [](const auto& info) { return std::string(info.param.name); });

// Draws a figure in the picture colours the plain way, for comparison.
template <class Draw>
Bitmap Drawn(int w, int h, Color pen, Color brush, Draw draw) {
    Bitmap bmp(w, h, kPaper);
    Canvas c(bmp);
    c.SelectPen(Pen(PS_SOLID, 1, pen));
    c.SelectBrush(Brush::Solid(brush));
    draw(c);
    return bmp;
}

TEST_F(DrawTest, RoundedRectangleCornerIsAQuarterOfTheBox) {
    NewImage(44, 24);
    Select({2, 2, 42, 22}, CommandId::RoundedRectangleSelection);
    RunFill(ed, FillKind::Solid);
    auto corner = [](int cw, int ch) { return Drawn(44, 24, kPen, kPen, [&](Canvas& c) { c.RoundRect(2, 2, 42, 22, cw, ch); }); };
    EXPECT_EQ(Image(), corner(10, 5));
    EXPECT_NE(Image(), corner(12, 5));
    EXPECT_NE(Image(), corner(10, 4));
}

TEST_F(DrawTest, ExteriorOfRoundedRectangleKeepsExactlyTheMask) {
    NewImage(60, 40);
    const Rect r{7, 5, 53, 38};
    Select(r, CommandId::RoundedRectangleSelection);
    RunFill(ed, FillKind::Exterior);
    const ShapeMask mask = BuildShapeMask(r, CommandId::RoundedRectangleSelection);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 60; ++x)
            ASSERT_EQ(Image().GetPixel(x, y), mask.IsInside(x - r.left, y - r.top) ? kPaper : kPen) << x << "," << y;
}

TEST_F(DrawTest, FillsNeedAnActiveSelectionOfAShapeTheyAreOfferedFor) {
    NewImage(8, 7);
    ed.selection.rect = kBox;  // kept, but not active
    Dispatch(ed, CommandId::FillSolid);
    Select(kBox, CommandId::LineSelection);
    for (CommandId id : {CommandId::FillSolid, CommandId::FillTwoColor, CommandId::FillInterior, CommandId::FillExterior}) Dispatch(ed, id);
    EXPECT_EQ(Depth(), 0);
    EXPECT_TRUE(HasSelection(ed));
}

}  // namespace
}  // namespace rastrix::test

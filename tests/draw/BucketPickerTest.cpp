#include <gtest/gtest.h>

#include <optional>

#include "draw/PixelTools.h"
#include "editor/CommandIds.h"
#include "DrawFixture.h"

namespace rastrix::test {
namespace {

struct Bucket {
    const char* name;
    std::optional<Rect> selection;
    CommandId shape;
    Point click;
    const char* picture;
};

// A 12 x 9 image of paper with white dots in every other column of every other row.
class BucketFills : public DrawTest, public ::testing::WithParamInterface<Bucket> {
protected:
    BucketFills() {
        NewImage(12, 9);
        for (int y = 0; y < 9; y += 2)
            for (int x = 0; x < 12; x += 2) Image().SetPixel(x, y, kWhite);
    }
};

TEST_P(BucketFills, ReplaceTheClickedColorInTheClickedPart) {
    const Bucket& b = GetParam();
    if (b.selection) Select(*b.selection, b.shape);
    ed.view.shownCursor = CursorKind::Bucket;
    BucketFill(ed, b.click, false);
    EXPECT_EQ(Pic(), Rows(b.picture));
    EXPECT_EQ(Depth(), 1);
    EXPECT_EQ(ed.view.shownCursor, CursorKind::Wait);
    EXPECT_EQ(ed.view.restoreCursor, CursorKind::Bucket);
    EXPECT_EQ(host.waitCursorsShown, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Regions, BucketFills,
    ::testing::Values(
        // Every pixel of the colour, connected or not.
        Bucket{"WholeImage", std::nullopt, CommandId{}, {0, 0},
               "b.b.b.b.b.b./............/b.b.b.b.b.b./............/b.b.b.b.b.b./............/"
               "b.b.b.b.b.b./............/b.b.b.b.b.b."},
        Bucket{"InsideRectangle", Rect{3, 1, 9, 6}, CommandId::RectangleSelection, {4, 2},
               "w.w.w.w.w.w./............/w.w.b.b.b.w./............/w.w.b.b.b.w./............/"
               "w.w.w.w.w.w./............/w.w.w.w.w.w."},
        Bucket{"OutsideRectangle", Rect{3, 1, 9, 6}, CommandId::RectangleSelection, {0, 8},
               "b.b.b.b.b.b./............/b.b.w.w.w.b./............/b.b.w.w.w.b./............/"
               "b.b.b.b.b.b./............/b.b.b.b.b.b."},
        // (2,1) lies in the rectangle's corner, off the ellipse: it counts as outside.
        Bucket{"EllipseCorner", Rect{1, 1, 11, 8}, CommandId::EllipseSelection, {2, 1},
               "wbwbwbwbwbwb/bbbb....bbbb/wbw.w.w.w.wb/b..........b/w.w.w.w.w.wb/b..........b/"
               "wbw.w.w.w.wb/bbbb....bbbb/wbwbwbwbwbwb"},
        Bucket{"InsideEllipse", Rect{1, 1, 11, 8}, CommandId::EllipseSelection, {5, 4},
               "w.w.w.w.w.w./....bbbb..../w.wbwbwbwbw./.bbbbbbbbbb./wbwbwbwbwbw./.bbbbbbbbbb./"
               "w.wbwbwbwbw./....bbbb..../w.w.w.w.w.w."},
        // A 1x1 ellipse draws no mask pixel: the click on it is outside, yet its row keeps the
        // rectangle's edges, so the pixel itself stays.
        Bucket{"RowWithoutShapePixel", Rect{4, 4, 5, 5}, CommandId::EllipseSelection, {4, 4},
               "b.b.b.b.b.b./............/b.b.b.b.b.b./............/b.b.w.b.b.b./............/"
               "b.b.b.b.b.b./............/b.b.b.b.b.b."},
        Bucket{"ZeroWidthEllipse", Rect{4, 2, 4, 7}, CommandId::EllipseSelection, {0, 0},
               "b.b.b.b.b.b./............/b.b.b.b.b.b./............/b.b.b.b.b.b./............/"
               "b.b.b.b.b.b./............/b.b.b.b.b.b."},
        Bucket{"LineMeansWholeImage", Rect{3, 1, 9, 6}, CommandId::LineSelection, {1, 0},
               "wbwbwbwbwbwb/bbbbbbbbbbbb/wbwbwbwbwbwb/bbbbbbbbbbbb/wbwbwbwbwbwb/bbbbbbbbbbbb/"
               "wbwbwbwbwbwb/bbbbbbbbbbbb/wbwbwbwbwbwb"},
        Bucket{"SelectionPastTheImage", Rect{7, 5, 30, 30}, CommandId::RectangleSelection, {8, 6},
               "w.w.w.w.w.w./............/w.w.w.w.w.w./............/w.w.w.w.w.w./............/"
               "w.w.w.w.b.b./............/w.w.w.w.b.b."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DrawTest, PickerSetsOneColorWithoutUndoLevelAndNothingBeyondTheImage) {
    NewImage(4, 3);
    Image().SetPixel(2, 1, ColorFromRgb(255, 128, 0));
    PickColor(ed, {2, 1}, true);
    EXPECT_EQ(ed.settings.foreColor, ColorFromRgb(255, 128, 0));
    EXPECT_EQ(ed.draw.foreSwatch, ColorFromRgb(255, 128, 0));
    EXPECT_EQ(ed.settings.backColor, kInk);
    PickColor(ed, {0, 0}, false);
    EXPECT_EQ(ed.settings.backColor, kPaper);
    EXPECT_EQ(ed.draw.backSwatch, kPaper);
    BucketFill(ed, {4, 0}, true);  // beyond the image: nothing
    PickColor(ed, {0, 3}, true);
    EXPECT_EQ(ed.settings.foreColor, ColorFromRgb(255, 128, 0));
    EXPECT_EQ(Depth(), 0);
    EXPECT_FALSE(Modified());
}

}  // namespace
}  // namespace rastrix::test

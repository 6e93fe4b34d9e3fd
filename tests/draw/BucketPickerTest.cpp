#include <gtest/gtest.h>

#include "app/CommandIds.h"
#include "draw/PixelTools.h"
#include "DrawFixture.h"

namespace rastrix::test {
namespace {

// An 8 x 6 image of paper with white pixels scattered over it, none touching another.
class BucketTest : public DrawTest {
protected:
    BucketTest() {
        NewImage(8, 6);
        for (int y = 0; y < 6; ++y)
            for (int x = (y % 2); x < 8; x += 2) Image().SetPixel(x, y, kWhite);
    }
    static constexpr const char* kStart = "w.w.w.w./.w.w.w.w/w.w.w.w./.w.w.w.w/w.w.w.w./.w.w.w.w";
};

TEST_F(BucketTest, WithoutSelectionEveryPixelOfTheColourChanges) {
    BucketFill(ed, {0, 0}, true);
    EXPECT_EQ(Pic(), Rows("P.P.P.P./.P.P.P.P/P.P.P.P./.P.P.P.P/P.P.P.P./.P.P.P.P"));
    EXPECT_EQ(Depth(), 1);
    EXPECT_TRUE(Modified());
    EXPECT_EQ(ed.status[1], "Pos=0,0;  RGB=255,0,0");
    Undo(ed);
    EXPECT_EQ(Pic(), Rows(kStart));
}

TEST_F(BucketTest, RightButtonUsesBackColorUnderTheWaitCursor) {
    ed.view.shownCursor = CursorKind::Bucket;
    BucketFill(ed, {1, 0}, false);  // clicks the paper
    EXPECT_EQ(Pic(), Rows("wbwbwbwb/bwbwbwbw/wbwbwbwb/bwbwbwbw/wbwbwbwb/bwbwbwbw"));
    EXPECT_EQ(ed.view.shownCursor, CursorKind::Wait);
    EXPECT_EQ(ed.view.restoreCursor, CursorKind::Bucket);
    EXPECT_TRUE(ed.view.repaintNeeded);
}

TEST_F(BucketTest, RectangleInsideClickChangesOnlyTheRectangle) {
    Select({2, 1, 6, 4}, IDM_RECT);
    BucketFill(ed, {3, 2}, true);  // a paper pixel
    EXPECT_EQ(Pic(), Rows("w.w.w.w./.wPwPw.w/w.wPwPw./.wPwPw.w/w.w.w.w./.w.w.w.w"));
}

TEST_F(BucketTest, RectangleOutsideClickChangesEverythingElse) {
    Select({2, 1, 6, 4}, IDM_RECT);
    BucketFill(ed, {0, 0}, true);  // a white pixel
    EXPECT_EQ(Pic(), Rows("P.P.P.P./.P.w.w.P/P.w.w.P./.P.w.w.P/P.P.P.P./.P.P.P.P"));
}

TEST_F(BucketTest, EllipseCornerCountsAsOutside) {
    NewImage(12, 9);
    Select({1, 1, 11, 8}, IDM_ELLIPSE);
    // (1,1) is inside the rectangle but in its corner, off the ellipse.
    BucketFill(ed, {1, 1}, true);
    EXPECT_EQ(Pic(), Rows("PPPPPPPPPPPP/"
                          "PPPP....PPPP/"
                          "PP........PP/"
                          "P..........P/"
                          "P..........P/"
                          "P..........P/"
                          "PP........PP/"
                          "PPPP....PPPP/"
                          "PPPPPPPPPPPP"));
}

TEST_F(BucketTest, EllipseInsideClickLeavesTheCorners) {
    NewImage(12, 9);
    Select({1, 1, 11, 8}, IDM_ELLIPSE);
    BucketFill(ed, {6, 4}, false);
    EXPECT_EQ(Pic(), Rows("............/"
                          "....bbbb..../"
                          "..bbbbbbbb../"
                          ".bbbbbbbbbb./"
                          ".bbbbbbbbbb./"
                          ".bbbbbbbbbb./"
                          "..bbbbbbbb../"
                          "....bbbb..../"
                          "............"));
}

TEST_F(BucketTest, RowWithoutShapePixelsKeepsTheRectangleOutOfAnOutsideFill) {
    // A 1x1 ellipse draws no mask pixel: the click on it is outside, yet its row keeps the
    // rectangle's edges, so the pixel itself stays.
    Select({4, 2, 5, 3}, IDM_ELLIPSE);
    BucketFill(ed, {4, 2}, true);
    EXPECT_EQ(Pic(), Rows("P.P.P.P./.P.P.P.P/P.P.w.P./.P.P.P.P/P.P.P.P./.P.P.P.P"));
}

TEST_F(BucketTest, LineSelectionWorksOnTheWholeImage) {
    Select({2, 1, 6, 4}, IDM_LINE);
    BucketFill(ed, {3, 2}, true);
    EXPECT_EQ(Pic(), Rows("wPwPwPwP/PwPwPwPw/wPwPwPwP/PwPwPwPw/wPwPwPwP/PwPwPwPw"));
}

TEST_F(BucketTest, ClickBeyondTheImageChangesNothing) {
    BucketFill(ed, {8, 0}, true);
    BucketFill(ed, {0, 6}, true);
    EXPECT_EQ(Pic(), Rows(kStart));
    EXPECT_EQ(Depth(), 0);
    EXPECT_FALSE(Modified());
}

TEST_F(BucketTest, SelectionReachingPastTheImageIsClipped) {
    Select({5, 3, 20, 20}, IDM_RECT);
    BucketFill(ed, {6, 4}, true);
    EXPECT_EQ(Pic(), Rows("w.w.w.w./.w.w.w.w/w.w.w.w./.w.w.P.P/w.w.w.P./.w.w.P.P"));
}

class PickerTest : public DrawTest {
protected:
    PickerTest() {
        NewImage(4, 3);
        Image().SetPixel(2, 1, RGB(255, 128, 0));
    }
};

TEST_F(PickerTest, LeftTakesForeColorRightBackColorWithoutUndoLevel) {
    PickColor(ed, {2, 1}, true);
    EXPECT_EQ(ed.settings.foreColor, RGB(255, 128, 0));
    EXPECT_EQ(ed.settings.backColor, kInk);
    EXPECT_EQ(ed.draw.foreSwatch, RGB(255, 128, 0));
    EXPECT_FALSE(ed.draw.backSwatch.has_value());
    PickColor(ed, {0, 0}, false);
    EXPECT_EQ(ed.settings.backColor, kPaper);
    EXPECT_EQ(ed.draw.backSwatch, kPaper);
    EXPECT_EQ(ed.settings.foreColor, RGB(255, 128, 0));
    EXPECT_EQ(Depth(), 0);
    EXPECT_FALSE(Modified());
}

TEST_F(PickerTest, PositionBeyondTheImageKeepsTheColours) {
    PickColor(ed, {4, 0}, true);
    PickColor(ed, {0, 3}, false);
    EXPECT_EQ(ed.settings.foreColor, kPen);
    EXPECT_EQ(ed.settings.backColor, kInk);
    EXPECT_FALSE(ed.draw.foreSwatch.has_value());
}

}  // namespace
}  // namespace rastrix::test

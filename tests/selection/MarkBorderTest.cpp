#include "SelectionFixture.h"

#include <algorithm>
#include <random>

#include "selection/MarkBorder.h"
#include "frame/CommandDispatch.h"

namespace rastrix::test {
namespace {

const Color kWhite = ColorFromRgb(255, 255, 255);

void Fill(Bitmap& bmp, Rect r, Color c) {
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) bmp.SetPixel(x, y, c);
}

// Black and near-white squares: half of every row and column of the area differs from white.
void Checker(Bitmap& bmp, Rect r) {
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) bmp.SetPixel(x, y, (x + y) % 2 ? ColorFromRgb(0, 0, 0) : ColorFromRgb(250, 250, 250));
}

struct DiffCase {
    Color pixel, reference;
    bool differs;
};

class BorderDistance : public ::testing::TestWithParam<DiffCase> {};

TEST_P(BorderDistance, DiffersOnlyBeyondThreeHundred) {
    const DiffCase& c = GetParam();
    EXPECT_EQ(PixelDiffersFromBorder(ColorToPixel(c.pixel), c.reference), c.differs);
}

INSTANTIATE_TEST_SUITE_P(Threshold, BorderDistance,
                         ::testing::Values(DiffCase{ColorFromRgb(245, 245, 245), kWhite, false},  // 3 x 100 = 300
                                           DiffCase{ColorFromRgb(244, 244, 244), kWhite, true},   // 3 x 121 = 363
                                           DiffCase{ColorFromRgb(255, 255, 238), kWhite, false},  // 289
                                           DiffCase{ColorFromRgb(237, 255, 255), kWhite, true},   // 324
                                           DiffCase{ColorFromRgb(0, 0, 0), ColorFromRgb(10, 10, 10), false},
                                           DiffCase{ColorFromRgb(20, 40, 60), ColorFromRgb(30, 30, 60), false},  // 100 + 100
                                           DiffCase{ColorFromRgb(20, 40, 60), ColorFromRgb(30, 50, 70), false},  // 300
                                           DiffCase{ColorFromRgb(19, 40, 60), ColorFromRgb(30, 50, 70), true}));

TEST_F(SelectionTest, FramedPictureIsMarkedAndShown) {
    Bitmap image(200, 100, kWhite);
    Checker(image, {20, 10, 170, 95});
    LoadImage(std::move(image));
    Dispatch(ed, CommandId::EllipseSelection);
    Dispatch(ed, CommandId::MarkBorder);
    EXPECT_EQ(Sel(), (Rect{20, 10, 170, 95}));
    EXPECT_TRUE(Active());
    EXPECT_EQ(ed.selection.shape, CommandId::RectangleSelection);
    EXPECT_EQ(ed.draw.currentTool, CommandId::EllipseSelection);  // the tool stays
    EXPECT_TRUE(ShownCommandStates(ed).MenuItem(CommandId::EllipseSelection)->checked);
    EXPECT_EQ(ed.view.toolCursor, CursorKind::Cross);
    EXPECT_TRUE(AdjustDialogOpen(ed));
    EXPECT_EQ(Fields(), "20,10,150,85");
    for (CommandId id : {CommandId::Crop, CommandId::Cut, CommandId::Unselect, CommandId::ShiftLeft, CommandId::ShiftDown}) EXPECT_TRUE(MenuEnabled(id)) << id;
    EXPECT_FALSE(MenuEnabled(CommandId::RestoreSelection));
    EXPECT_TRUE(ed.view.repaintNeeded);
    EXPECT_EQ(ed.doc.undoDepth, 0);  // the image is not touched
    EXPECT_EQ(ed.doc.modified, 0);

    // New drags make rectangles until a tool is chosen again.
    Drag({1, 1}, {30, 30});
    EXPECT_EQ(ed.selection.shape, CommandId::RectangleSelection);
}

TEST_F(SelectionTest, LightGreyJustBelowTheThresholdIsBorder) {
    Bitmap image(40, 20, kWhite);
    Fill(image, {0, 0, 3, 20}, ColorFromRgb(245, 245, 245));    // border still
    Fill(image, {37, 0, 40, 20}, ColorFromRgb(244, 244, 244));  // picture
    Fill(image, {0, 0, 1, 1}, kWhite);
    LoadImage(std::move(image));
    Dispatch(ed, CommandId::MarkBorder);
    EXPECT_EQ(Sel().left, 37);
    EXPECT_EQ(Sel().right, 40);
}

class QuarterOfAColumn : public SelectionTest, public ::testing::WithParamInterface<std::pair<int, int>> {};

TEST_P(QuarterOfAColumn, UpToAQuarterOfDifferingPixelsIsStillBorder) {
    const auto [marks, left] = GetParam();
    Bitmap image(8, 100, kWhite);
    Fill(image, {4, 0, 6, 100}, ColorFromRgb(0, 0, 0));               // the picture
    Fill(image, {1, 40, 2, 40 + marks}, ColorFromRgb(90, 10, 200));   // dust in column 1
    LoadImage(std::move(image));
    Dispatch(ed, CommandId::MarkBorder);
    EXPECT_EQ(Sel().left, left);
    EXPECT_EQ(Sel().right, 6);
}

INSTANTIATE_TEST_SUITE_P(TwentyFiveOrSix, QuarterOfAColumn,
                         ::testing::Values(std::pair{25, 4}, std::pair{26, 1}));

TEST_F(SelectionTest, QuarterOfARowCountsAgainstTheWidth) {
    Bitmap image(100, 40, kWhite);
    Fill(image, {0, 5, 100, 17}, ColorFromRgb(0, 0, 0));   // the picture: twelve black rows
    Fill(image, {50, 30, 75, 31}, ColorFromRgb(0, 0, 0));  // 25 marks in row 30: border
    Fill(image, {50, 2, 76, 3}, ColorFromRgb(0, 0, 0));    // 26 marks in row 2: picture
    LoadImage(std::move(image));
    Dispatch(ed, CommandId::MarkBorder);
    EXPECT_EQ(Sel(), (Rect{0, 2, 100, 17}));
}

TEST(MarkBorderScan, BlankImageKeepsTheWholeImage) {
    EXPECT_EQ(FindPictureInsideBorder(Bitmap(50, 40, kWhite)), (Rect{0, 0, 50, 40}));
    EXPECT_EQ(FindPictureInsideBorder(Bitmap(1, 1, kWhite)), (Rect{0, 0, 1, 1}));
}

TEST(MarkBorderScan, EachDirectionStopsOnItsOwn) {
    // A thin line across: every column is border (one mark in 40), but the line's rows are not.
    Bitmap image(50, 40, kWhite);
    Fill(image, {0, 17, 50, 18}, ColorFromRgb(0, 0, 0));
    EXPECT_EQ(FindPictureInsideBorder(image), (Rect{0, 17, 50, 18}));
    // A single picture column: both column scans stop on it.
    Bitmap column(50, 40, kWhite);
    Fill(column, {30, 0, 31, 40}, ColorFromRgb(0, 0, 0));
    EXPECT_EQ(FindPictureInsideBorder(column), (Rect{30, 0, 31, 40}));
}

TEST(MarkBorderScan, BusyEdgesKeepTheWholeImage) {
    Bitmap image(60, 30, kWhite);
    Checker(image, {0, 0, 60, 30});
    image.SetPixel(0, 0, kWhite);
    EXPECT_EQ(FindPictureInsideBorder(image), (Rect{0, 0, 60, 30}));
}

TEST(MarkBorderScan, BorderColorIsTheTopLeftPixel) {
    Bitmap image(30, 30, ColorFromRgb(0, 0, 128));
    Fill(image, {5, 6, 25, 27}, ColorFromRgb(255, 255, 0));
    EXPECT_EQ(FindPictureInsideBorder(image), (Rect{5, 6, 25, 27}));
}

TEST(MarkBorderScan, ASkyGradientAtTheTopIsTakenForABorderWhileNearTheCorner) {
    // A photo without a frame: a sky that lightens by one step of blue-green per row above a busy
    // ground. The rows whose whole width stays within the distance of the corner's colour go.
    Bitmap image(40, 60, kWhite);
    for (int y = 0; y < 30; ++y) Fill(image, {0, y, 40, y + 1}, ColorFromRgb(60, 110 + y, 200 + y));
    Checker(image, {0, 30, 40, 60});
    // (y^2 + y^2) > 300 from y = 13 on: rows 0..12 are border, the picture starts at row 13.
    EXPECT_EQ(FindPictureInsideBorder(image), (Rect{0, 13, 40, 60}));
}

class MarkBorderCounts : public ::testing::TestWithParam<Color> {};

// Pixels scattered round the reference colour, on both sides of it and of the threshold,
// counted by the fast row walk and one column and row at a time.
TEST_P(MarkBorderCounts, AgreeWithCountingEveryColumnAndRowSeparately) {
    const Color ref = GetParam();
    std::mt19937 random(7);
    auto near = [&](int v) { return std::clamp(v + int(random() % 51) - 25, 0, 255); };
    Bitmap image(37, 23);
    for (int y = 0; y < 23; ++y)
        for (int x = 0; x < 37; ++x)
            image.SetPixel(x, y, ColorFromRgb(near(RedOf(ref)), near(GreenOf(ref)), near(BlueOf(ref))));
    const BorderCounts counts = CountDifferingPixels(image, ref);
    auto differs = [&](int x, int y) {
        const Color c = image.GetPixel(x, y);
        const int dr = RedOf(c) - RedOf(ref), dg = GreenOf(c) - GreenOf(ref),
                  db = BlueOf(c) - BlueOf(ref);
        return dr * dr + dg * dg + db * db > 300;
    };
    int total = 0;
    for (int x = 0; x < 37; ++x) {
        std::uint32_t n = 0;
        for (int y = 0; y < 23; ++y) n += differs(x, y);
        EXPECT_EQ(counts.columns[std::size_t(x)], n) << "column " << x;
        EXPECT_EQ(IsBorderColumn(counts, x), n <= 23 / 4) << "column " << x;
        total += int(n);
    }
    for (int y = 0; y < 23; ++y) {
        std::uint32_t n = 0;
        for (int x = 0; x < 37; ++x) n += differs(x, y);
        EXPECT_EQ(counts.rows[std::size_t(y)], n) << "row " << y;
        EXPECT_EQ(IsBorderRow(counts, y), n <= 37 / 4) << "row " << y;
    }
    EXPECT_GT(total, 100);  // the image does mix both kinds of pixel
    EXPECT_LT(total, 37 * 23 - 100);
}

INSTANTIATE_TEST_SUITE_P(References, MarkBorderCounts,
                         ::testing::Values(ColorFromRgb(255, 255, 255), ColorFromRgb(128, 60, 200), ColorFromRgb(0, 10, 250)));

TEST_F(SelectionTest, MarkBorderReopensAnOpenDialogWithTheNewValues) {
    Bitmap image(200, 100, kWhite);
    Checker(image, {20, 10, 170, 95});
    LoadImage(std::move(image));
    Drag({1, 1}, {5, 5});
    ASSERT_TRUE(AdjustDialogOpen(ed));
    AdjustDialogMoved(ed, 15, 250);
    Dispatch(ed, CommandId::MarkBorder);
    EXPECT_EQ(host.modelessShows, 2);
    EXPECT_EQ(host.modelessOffset, (Point{15, 250}));
    EXPECT_EQ(Fields(), "20,10,150,85");
}

TEST_F(SelectionTest, MarkBorderWithoutAnImageDoesNothing) {
    Dispatch(ed, CommandId::MarkBorder);
    EXPECT_FALSE(Active());
    EXPECT_FALSE(AdjustDialogOpen(ed));
}

}  // namespace
}  // namespace rastrix::test

#include <gtest/gtest.h>

#include <tuple>

#include "editor/CommandIds.h"
#include "raster/Canvas.h"
#include "selection/ShapeMask.h"

namespace rastrix {
namespace {

// The mask drawn the plain way: the whole filled figure, black on white, in one bitmap.
Bitmap ReferenceMask(int w, int h, CommandId shape) {
    Bitmap bmp(w, h, ColorFromRgb(255, 255, 255));
    Canvas c(bmp);
    c.SelectBrush(Brush::Solid(ColorFromRgb(0, 0, 0)));
    if (shape == CommandId::RoundedRectangleSelection) c.RoundRect(0, 0, w, h, w / 4, h / 4);
    else c.Ellipse(0, 0, w, h);
    return bmp;
}

// The scan from both ends toward the middle, pixel by pixel.
MaskRowScan ReferenceScan(const Bitmap& ref, int k) {
    const int w = ref.Width(), half = w / 2;
    int i = 0, j = w - 1;
    while (i <= half && ref.GetPixel(i, k) != Color{0}) ++i;
    while (j >= half && ref.GetPixel(j, k) != Color{0}) --j;
    return {i, j};
}

class ShapeMaskGrid : public ::testing::TestWithParam<std::tuple<int, int, CommandId>> {};

// Small boxes fall back to plain rectangles (1 x 1 draws nothing at all); tall thin and wide
// flat boxes stress the curve.
TEST_P(ShapeMaskGrid, MatchesTheFilledFigurePixelForPixel) {
    const auto [w, h, shape] = GetParam();
    const Bitmap ref = ReferenceMask(w, h, shape);
    const ShapeMask mask = BuildShapeMask(w, h, shape);
    ASSERT_EQ(mask.Height(), h);
    for (int k = 0; k < h; ++k) {
        ASSERT_EQ(ScanMaskRow(mask, k), ReferenceScan(ref, k)) << "row " << k;
        for (int x = -1; x <= w; ++x) ASSERT_EQ(mask.IsInside(x, k), ref.GetPixel(x, k) == Color{0}) << x << "," << k;
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, ShapeMaskGrid,
                         ::testing::Combine(::testing::Values(1, 2, 3, 4, 5, 8, 13, 40, 3000),
                                            ::testing::Values(1, 2, 3, 6, 7, 20, 31, 200),
                                            ::testing::Values(CommandId::RoundedRectangleSelection, CommandId::EllipseSelection)));

// A mask this wide is drawn in bands of about 100 rows; each band must see only its own part.
TEST(ShapeMask, WideMaskDrawnInBandsMatchesTheWholeFigure) {
    for (CommandId shape : {CommandId::RoundedRectangleSelection, CommandId::EllipseSelection}) {
        const Bitmap ref = ReferenceMask(20000, 300, shape);
        const ShapeMask mask = BuildShapeMask(Rect{5, 5, 20005, 305}, shape);
        for (int k = 0; k < 300; ++k) ASSERT_EQ(ScanMaskRow(mask, k), ReferenceScan(ref, k)) << shape << " row " << k;
    }
}

TEST(ShapeMask, EmptyBoxGivesEmptyMaskAndFreeEmptiesIt) {
    EXPECT_EQ(BuildShapeMask(5, 0, CommandId::EllipseSelection).Height(), 0);
    const ShapeMask noColumns = BuildShapeMask(Rect{3, 1, 3, 6}, CommandId::EllipseSelection);
    ASSERT_EQ(noColumns.Height(), 5);
    EXPECT_EQ(ScanMaskRow(noColumns, 4), (MaskRowScan{1, -1}));
    ShapeMask mask = BuildShapeMask(9, 9, CommandId::EllipseSelection);
    ASSERT_TRUE(mask.IsInside(4, 4));
    FreeShapeMask(mask);
    EXPECT_EQ(mask.Height(), 0);
    EXPECT_FALSE(mask.IsInside(4, 4));
}

}  // namespace
}  // namespace rastrix

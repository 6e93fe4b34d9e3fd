#include <gtest/gtest.h>

#include <tuple>

#include "app/CommandIds.h"
#include "draw/ShapeMask.h"
#include "raster/Canvas.h"

namespace rastrix {
namespace {

// The mask drawn the plain way: the whole filled figure, black on white, in one bitmap.
Bitmap ReferenceMask(int w, int h, int shape) {
    Bitmap bmp(w, h, RGB(255, 255, 255));
    Canvas c(bmp);
    c.SelectPen(Pen(PS_SOLID, 1, RGB(0, 0, 0)));
    c.SelectBrush(Brush::Solid(RGB(0, 0, 0)));
    if (shape == IDM_ROUNDRECT) c.RoundRect(0, 0, w, h, w / 4, h / 4);
    else c.Ellipse(0, 0, w, h);
    return bmp;
}

// The scan from both ends toward the middle, pixel by pixel.
MaskRowScan ReferenceScan(const Bitmap& ref, int k) {
    const int w = ref.Width(), half = w / 2;
    int i = 0;
    while (i <= half && ref.GetPixel(i, k) != 0) ++i;
    int j = w - 1;
    while (j >= half && ref.GetPixel(j, k) != 0) --j;
    return {i, j};
}

class ShapeMaskGrid : public ::testing::TestWithParam<std::tuple<int, int, int>> {};

TEST_P(ShapeMaskGrid, MatchesTheFilledFigurePixelForPixel) {
    const auto [w, h, shape] = GetParam();
    const Bitmap ref = ReferenceMask(w, h, shape);
    const ShapeMask mask = BuildShapeMask(w, h, shape);
    ASSERT_EQ(mask.Width(), w);
    ASSERT_EQ(mask.Height(), h);
    for (int k = 0; k < h; ++k) {
        ASSERT_EQ(ScanMaskRow(mask, k), ReferenceScan(ref, k)) << "row " << k;
        for (int x = 0; x < w; ++x)
            ASSERT_EQ(mask.IsInside(x, k), ref.GetPixel(x, k) == 0) << "pixel " << x << "," << k;
    }
}

// Small boxes fall back to plain rectangles; the tall thin and wide flat ones stress the
// curve; 3000 x 200 spans several bands of the mask's drawing.
INSTANTIATE_TEST_SUITE_P(Sizes, ShapeMaskGrid,
                         ::testing::Combine(::testing::Values(1, 2, 3, 4, 5, 8, 13, 40, 3000),
                                            ::testing::Values(1, 2, 3, 6, 7, 20, 31, 200),
                                            ::testing::Values(IDM_ROUNDRECT, IDM_ELLIPSE)));

TEST(ShapeMask, EllipseCornersAreOutsideAndItsMiddleInside) {
    const ShapeMask mask = BuildShapeMask(Rect{10, 10, 30, 24}, IDM_ELLIPSE);
    EXPECT_FALSE(mask.IsInside(0, 0));
    EXPECT_FALSE(mask.IsInside(19, 13));
    EXPECT_TRUE(mask.IsInside(10, 7));
    EXPECT_TRUE(mask.IsInside(0, 7));  // the outline's leftmost pixel belongs to the shape
    EXPECT_FALSE(mask.IsInside(-1, 7));
    EXPECT_FALSE(mask.IsInside(20, 7));
}

TEST(ShapeMask, RowWithoutShapePixelsScansPastTheMiddle) {
    // A 1x1 box draws nothing, so its only row holds no shape pixel.
    const ShapeMask mask = BuildShapeMask(1, 1, IDM_ELLIPSE);
    EXPECT_EQ(ScanMaskRow(mask, 0), (MaskRowScan{1, -1}));
    EXPECT_FALSE(mask.IsInside(0, 0));
}

TEST(ShapeMask, EmptySelectionGivesEmptyMaskAndFreeEmptiesIt) {
    EXPECT_EQ(BuildShapeMask(0, 5, IDM_ELLIPSE).Height(), 0);
    EXPECT_EQ(BuildShapeMask(5, -2, IDM_ROUNDRECT).Height(), 0);
    ShapeMask mask = BuildShapeMask(9, 9, IDM_ELLIPSE);
    ASSERT_EQ(mask.Height(), 9);
    FreeShapeMask(mask);
    EXPECT_EQ(mask.Height(), 0);
    EXPECT_FALSE(mask.IsInside(4, 4));
}

}  // namespace
}  // namespace rastrix

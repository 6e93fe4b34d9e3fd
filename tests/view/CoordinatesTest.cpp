#include <gtest/gtest.h>

#include "ViewPrinters.h"

#include "view/Coordinates.h"

namespace rastrix {
namespace {

struct Conversion {
    int zoom;
    int origin;
    int from;
    int expected;
};

class WindowToImageTest : public ::testing::TestWithParam<Conversion> {};
TEST_P(WindowToImageTest, TruncatesTowardZero) {
    const Conversion c = GetParam();
    EXPECT_EQ(WindowToImage(c.from, c.zoom, c.origin), c.expected);
}
INSTANTIATE_TEST_SUITE_P(Coordinates, WindowToImageTest,
                         ::testing::Values(Conversion{100, 0, 37, 37}, Conversion{100, 110, 5, 115},
                                           Conversion{200, 0, 7, 3}, Conversion{200, 305, 775, 692},
                                           Conversion{200, 10, -3, 9},  // -1.5 -> -1, not -2
                                           Conversion{50, 5, 7, 19}, Conversion{50, 0, -3, -6},
                                           Conversion{800, 0, 15, 1}, Conversion{39, 0, 10, 25}));

class ImageToWindowTest : public ::testing::TestWithParam<Conversion> {};
TEST_P(ImageToWindowTest, TruncatesTowardZero) {
    const Conversion c = GetParam();
    EXPECT_EQ(ImageToWindow(c.from, c.zoom, c.origin), c.expected);
}
INSTANTIATE_TEST_SUITE_P(Coordinates, ImageToWindowTest,
                         ::testing::Values(Conversion{100, 110, 115, 5}, Conversion{200, 10, 5, -10},
                                           Conversion{50, 10, 5, -2},  // -2.5 -> -2, not -3
                                           Conversion{50, 0, 7, 3}, Conversion{800, 2, 3, 8},
                                           Conversion{39, 0, 100, 39}));

TEST(Coordinates, MagnifiedPixelsCoverWholeBlocks) {
    for (int zoom : {200, 400, 800}) {
        const int origin = 17;
        for (int pixel = origin; pixel < origin + 20; ++pixel) {
            const int left = ImageToWindow(pixel, zoom, origin);
            const int right = ImageToWindow(pixel + 1, zoom, origin);
            ASSERT_EQ(right - left, zoom / 100);
            for (int x = left; x < right; ++x) ASSERT_EQ(WindowToImage(x, zoom, origin), pixel) << zoom << " " << x;
        }
    }
}

TEST(Coordinates, MouseLeftOfOrAboveTheWindowCountsAsTheEdge) {
    ViewState view;
    view.scrollOriginX = 40;
    view.scrollOriginY = 7;
    EXPECT_EQ(TrackMousePosition(view, 200, -30, -1), (Point{40, 7}));
    EXPECT_EQ(TrackMousePosition(view, 200, 9, 3), (Point{44, 8}));
    EXPECT_EQ(view.mouseX, 44);
    EXPECT_EQ(view.mouseY, 8);
}

TEST(Coordinates, ZoomOfZeroNeverDivides) {
    EXPECT_EQ(WindowToImage(5, 0, 2), 502);
    EXPECT_EQ(ImageToWindow(500, -7, 0), 5);
}

}  // namespace
}  // namespace rastrix

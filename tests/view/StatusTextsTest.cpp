#include <gtest/gtest.h>

#include "view/StatusTexts.h"

namespace rastrix {
namespace {

TEST(StatusTexts, ImagePart) {
    EXPECT_EQ(ImageStatusText(1000, 800, 24, 200), "1000W x 800H, 24 bits per pixel, 200%");
    EXPECT_EQ(ImageStatusText(2000, 1000, 1, 39), "2000W x 1000H, 1 bits per pixel, 39%");
}

TEST(StatusTexts, PositionPartShowsRedGreenBlueInThatOrder) {
    EXPECT_EQ(PositionStatusText(5, 7, ColorFromRgb(255, 128, 0)), "Pos=5,7;  RGB=255,128,0");
    EXPECT_EQ(PositionStatusText(0, 0, ColorFromRgb(1, 2, 3)), "Pos=0,0;  RGB=1,2,3");
    // Outside the image the colour reads as invalid, shown as white.
    EXPECT_EQ(PositionStatusText(1200, 3, kInvalidColor), "Pos=1200,3;  RGB=255,255,255");
    ViewState view;
    view.mouseX = 31;
    view.mouseY = 4;
    EXPECT_EQ(ShowPosition(view, ColorFromRgb(0, 0, 255)), "Pos=31,4;  RGB=0,0,255");
}

TEST(StatusTexts, SelectionPart) {
    EXPECT_EQ(SelectionStatusText(true, Rect{10, 20, 110, 70}), "Selection@ 10,20 (100W x 50H)");
    EXPECT_EQ(SelectionStatusText(false, Rect{10, 20, 110, 70}), " ");
}

}  // namespace
}  // namespace rastrix

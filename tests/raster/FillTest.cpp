#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "Picture.h"

namespace rastrix::test {
namespace {

TEST(PixelTest, ColorrefIsRedLowPixelsAreStoredBlueLowAndOutsideIsInvalid) {
    Sheet s(2, 1);
    EXPECT_EQ(s.canvas.SetPixel(1, 0, ColorFromRgb(1, 2, 3)), Color{0x00030201u});
    EXPECT_EQ(s.canvas.GetPixel(1, 0), Color{0x00030201u});
    unsigned char bytes[4];
    std::memcpy(bytes, s.bmp.Row(0) + 1, 4);  // blue, green, red, zero: a 32-bit display surface
    EXPECT_EQ(std::vector<int>(bytes, bytes + 4), (std::vector<int>{3, 2, 1, 0}));
    s.bmp.Row(0)[0] = Pixel{0xAB010203u};  // a top byte left by a copy is ignored when reading
    EXPECT_EQ(s.canvas.GetPixel(0, 0), ColorFromRgb(1, 2, 3));
    for (Point p : {Point{-1, 0}, Point{2, 0}, Point{0, -1}, Point{0, 1}}) {
        EXPECT_EQ(s.canvas.SetPixel(p.x, p.y, kPen), kInvalidColor);
        EXPECT_EQ(s.canvas.GetPixel(p.x, p.y), kInvalidColor);
    }
    EXPECT_EQ(s.bmp.Row(0)[1], Pixel{0x00010203u});
}

TEST(FillRectTest, CoversHalfOpenRectAndNormalisesReversedOnes) {
    Sheet s(5, 4);
    s.canvas.FillRect({1, 1, 3, 3}, Brush::Solid(kInk));
    s.canvas.FillRect({4, 3, 3, 0}, Brush::Solid(kPen));
    s.canvas.FillRect({0, 0, 0, 4}, Brush::Solid(kPen));  // empty
    s.canvas.FillRect({-9, 3, 99, 9}, Brush::Solid(kBlack));
    EXPECT_EQ(s.Pic(), Rows("...P./.bbP./.bbP./kkkkk"));
}

// Hatch bits as the platform defines them, rows top first, 0x80 the leftmost column.
const int kHatches[6][8] = {
    {0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0x00}, {0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08},
    {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01}, {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80},
    {0x08, 0x08, 0x08, 0xFF, 0x08, 0x08, 0x08, 0x08}, {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81},
};

class HatchTest : public testing::TestWithParam<int> {};

TEST_P(HatchTest, AlignsToBrushOriginAcrossAdjacentFills) {
    const int style = GetParam();
    for (Point org : {Point{0, 0}, Point{3, -5}}) {
        Sheet s(19, 13);
        s.canvas.SetBrushOrg(org);
        s.canvas.FillRect({1, 1, 7, 12}, Brush::Hatched(style, kInk));
        s.canvas.FillRect({7, 1, 18, 12}, Brush::Hatched(style, kInk));
        for (int y = 0; y < 13; ++y)
            for (int x = 0; x < 19; ++x) {
                const bool set = kHatches[style][(y - org.y) & 7] & (0x80 >> ((x - org.x) & 7));
                const Color want = (x < 1 || x >= 18 || y < 1 || y >= 12) ? kPaper : set ? kInk : kWhite;
                ASSERT_EQ(s.canvas.GetPixel(x, y), want) << "x=" << x << " y=" << y;
            }
    }
}

INSTANTIATE_TEST_SUITE_P(AllStyles, HatchTest,
                         testing::Values(HS_HORIZONTAL, HS_VERTICAL, HS_FDIAGONAL, HS_BDIAGONAL, HS_CROSS,
                                         HS_DIAGCROSS));

TEST(HatchTest, TransparentBackgroundLeavesGapsAndOtherBackgroundColorsShow) {
    Sheet s(8, 4);
    s.canvas.SetBackgroundMode(BackgroundMode::Transparent);
    s.canvas.FillRect({0, 0, 8, 4}, Brush::Hatched(HS_CROSS, kInk));
    EXPECT_EQ(s.Pic(), Rows("....b.../....b.../....b.../bbbbbbbb"));
    s.canvas.SetBackgroundMode(BackgroundMode::Opaque);
    s.canvas.SetBackgroundColor(kPen);
    s.canvas.FillRect({0, 0, 8, 4}, Brush::Hatched(HS_FDIAGONAL, kInk));
    EXPECT_EQ(s.Pic(), Rows("bPPPPPPP/PbPPPPPP/PPbPPPPP/PPPbPPPP"));
}

TEST(FrameRectTest, PaintsInnerRingWithPatternAlignedToOrigin) {
    Bitmap tile(8, 8, kWhite);  // a two-colour tile: black where x + y is even
    for (int y = 0; y < 8; ++y)
        for (int x = y % 2; x < 8; x += 2) tile.SetPixel(x, y, kBlack);
    Sheet s(8, 6);
    s.canvas.FrameRect({1, 1, 7, 5}, Brush::Pattern(tile));
    EXPECT_EQ(s.Pic(), Rows("......../.kwkwkw./.w....k./.k....w./.wkwkwk./........"));
    s.canvas.SetBrushOrg({1, 0});
    s.canvas.FrameRect({0, 0, 2, 6}, Brush::Pattern(tile));
    s.canvas.FrameRect({5, 5, 3, 9}, Brush::Solid(kPen));  // reversed or empty: nothing
    s.canvas.FrameRect({0, 0, 0, 5}, Brush::Solid(kPen));
    EXPECT_EQ(s.Pic(), Rows("wk....../kwwkwkw./wk....k./kw....w./wkkwkwk./kw......"));
}

TEST(PatternBrushTest, SmallTilesRepeat) {
    Bitmap tile(2, 1, kInk);
    tile.SetPixel(1, 0, kPen);
    Sheet s(5, 2);
    s.canvas.FillRect({0, 0, 5, 2}, Brush::Pattern(tile));
    EXPECT_EQ(s.Pic(), Rows("bPbPb/bPbPb"));
    EXPECT_TRUE(Brush::Pattern(Bitmap()).IsNull());
}

}  // namespace
}  // namespace rastrix::test

// Bitmap as a value: new pixels, copies and moves, for small blocks and for the large blocks
// that are allocated on huge-page boundaries and kept for reuse.
#include <gtest/gtest.h>

#include <limits>
#include <utility>

#include "raster/Bitmap.h"

namespace rastrix {
namespace {

// 64 x 48 is an ordinary allocation; 2048 x 1100 (9 MB) is a large block.
class BitmapSizes : public ::testing::TestWithParam<std::pair<int, int>> {};

Bitmap Numbered(int w, int h) {
    Bitmap b = *Bitmap::TryCreate(w, h, Bitmap::NewPixels::Unset);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) b.Row(y)[x] = Pixel{std::uint32_t(y * 7919 + x) & 0xFFFFFFu};
    return b;
}

TEST_P(BitmapSizes, NewBitmapsAreBlackUnlessUnsetIsAsked) {
    const auto [w, h] = GetParam();
    Bitmap used = Numbered(w, h);  // dirty a block of this size, then free it for reuse
    used = Bitmap();
    const Bitmap black(w, h);
    ASSERT_EQ(black.Width(), w);
    ASSERT_EQ(black.Height(), h);
    for (int y = 0; y < h; y += h - 1)
        for (int x = 0; x < w; ++x) ASSERT_EQ(black.Row(y)[x], Pixel{0}) << x << "," << y;
    const std::optional<Bitmap> unset = Bitmap::TryCreate(w, h, Bitmap::NewPixels::Unset);
    ASSERT_TRUE(unset);
    EXPECT_EQ(unset->Bounds(), (Rect{0, 0, w, h}));
    EXPECT_EQ(unset->ByteSize(), std::size_t(w) * h * 4);
}

TEST_P(BitmapSizes, CopiesAreEqualAndIndependent) {
    const auto [w, h] = GetParam();
    Bitmap a = Numbered(w, h);
    Bitmap b = a;
    EXPECT_EQ(a, b);
    b.SetPixel(w - 1, h - 1, ColorFromRgb(1, 2, 3));
    EXPECT_NE(a, b);
    EXPECT_EQ(a.GetPixel(w - 1, h - 1), PixelToColor(Pixel{std::uint32_t((h - 1) * 7919 + w - 1) & 0xFFFFFFu}));

    Bitmap c(3, 3);
    c = a;  // copy assignment over a bitmap of another size
    EXPECT_EQ(c, a);
    c = *&c;  // self-assignment keeps the pixels
    EXPECT_EQ(c, a);

    Bitmap moved = std::move(c);
    EXPECT_EQ(moved, a);
    Bitmap empty;
    Bitmap emptyCopy = empty;
    EXPECT_TRUE(emptyCopy.IsEmpty());
}

TEST_P(BitmapSizes, ReuseTakesTheDonorsMemoryOnlyWhenItFits) {
    const auto [w, h] = GetParam();
    Bitmap donor = Numbered(w, h);
    const Pixel* memory = donor.Data();
    // Turned a quarter: the same pixels, another shape, the same memory, pixels black.
    std::optional<Bitmap> turned = Bitmap::TryReuse(donor, h, w);
    ASSERT_TRUE(turned);
    EXPECT_TRUE(donor.IsEmpty());
    EXPECT_EQ(donor.ByteSize(), 0u);
    EXPECT_EQ(turned->Data(), memory);
    EXPECT_EQ(turned->Bounds(), (Rect{0, 0, h, w}));
    EXPECT_EQ(*turned, Bitmap(h, w));

    // Too large, or so much smaller that the memory would be wasted: the donor keeps it all.
    Bitmap keeper = Numbered(w, h);
    const Bitmap original = keeper;
    EXPECT_FALSE(Bitmap::TryReuse(keeper, w + 1, h));
    EXPECT_FALSE(Bitmap::TryReuse(keeper, w / 2, h));
    EXPECT_EQ(keeper, original);
    // A little smaller (a crop), pixels left for the caller to write.
    std::optional<Bitmap> cropped = Bitmap::TryReuse(keeper, w, h - h / 8, Bitmap::NewPixels::Unset);
    ASSERT_TRUE(cropped);
    EXPECT_EQ(cropped->Height(), h - h / 8);
    EXPECT_EQ(cropped->ByteSize(), std::size_t(w) * (h - h / 8) * 4);
}

INSTANTIATE_TEST_SUITE_P(SmallAndLarge, BitmapSizes,
                         ::testing::Values(std::pair{64, 48}, std::pair{2048, 1100}));

TEST(BitmapLimits, ImpossibleSizesFailWithoutThrowing) {
    constexpr int kMax = std::numeric_limits<int>::max();
    EXPECT_FALSE(Bitmap::TryCreate(kMax, kMax));
    EXPECT_FALSE(Bitmap::TryCreate(kMax, kMax, Bitmap::NewPixels::Unset));
    const std::optional<Bitmap> none = Bitmap::TryCreate(-5, 10);
    ASSERT_TRUE(none);
    EXPECT_TRUE(none->IsEmpty());
}

}  // namespace
}  // namespace rastrix

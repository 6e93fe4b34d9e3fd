// Bitmap as a value: new pixels, copies and moves, for small blocks and for the large blocks
// that are allocated on huge-page boundaries and kept for reuse. Also the two colour words it
// stores and hands out, which must never be taken for each other.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <limits>
#include <sstream>
#include <type_traits>
#include <utility>

#include "raster/Bitmap.h"

namespace rastrix {
namespace {

// A colour value and a bitmap word neither convert into each other nor come from a bare number
// without saying which they are.
static_assert(!std::is_convertible_v<Color, Pixel> && !std::is_convertible_v<Pixel, Color>);
static_assert(!std::is_constructible_v<Pixel, Color> && !std::is_constructible_v<Color, Pixel>);
static_assert(!std::is_assignable_v<Pixel&, Color> && !std::is_assignable_v<Color&, Pixel>);
static_assert(!std::is_convertible_v<std::uint32_t, Color> && !std::is_convertible_v<std::uint32_t, Pixel>);
static_assert(!std::is_convertible_v<Color, std::uint32_t> && !std::is_convertible_v<Pixel, std::uint32_t>);
static_assert(!std::is_assignable_v<Pixel&, std::uint32_t> && !std::is_assignable_v<Color&, int>);
// A bitmap row is plain contiguous 32-bit words.
static_assert(std::is_same_v<decltype(std::declval<Bitmap&>().Row(0)), Pixel*>);
static_assert(sizeof(Pixel) == sizeof(std::uint32_t) && alignof(Pixel) == alignof(std::uint32_t));
static_assert(std::is_trivially_copyable_v<Pixel> && std::is_standard_layout_v<Pixel>);

struct ColorWords {
    std::uint32_t color;  // 0x00BBGGRR
    std::uint32_t pixel;  // 0x00RRGGBB
    std::uint8_t r, g, b;
};

class ColorWordsTest : public ::testing::TestWithParam<ColorWords> {};

TEST_P(ColorWordsTest, ColorValueAndPixelAreTheSameColorInTheirOwnByteOrder) {
    const ColorWords c = GetParam();
    EXPECT_EQ(ColorToPixel(Color{c.color}), Pixel{c.pixel});
    EXPECT_EQ(PixelToColor(Pixel{c.pixel}), Color{c.color});
    EXPECT_EQ(ColorFromRgb(c.r, c.g, c.b), Color{c.color});
    EXPECT_EQ(PixelFromRgb(c.r, c.g, c.b), Pixel{c.pixel});
    EXPECT_EQ((std::array{RedOf(Color{c.color}), GreenOf(Color{c.color}), BlueOf(Color{c.color})}),
              (std::array{c.r, c.g, c.b}));
    EXPECT_EQ((std::array{RedOf(Pixel{c.pixel}), GreenOf(Pixel{c.pixel}), BlueOf(Pixel{c.pixel})}),
              (std::array{c.r, c.g, c.b}));
    // A bitmap stores the colour as the pixel word and reads it back as the colour value.
    Bitmap b(2, 1);
    b.SetPixel(1, 0, Color{c.color});
    EXPECT_EQ(b.Row(0)[1], Pixel{c.pixel});
    EXPECT_EQ(b.GetPixel(1, 0), Color{c.color});
}

INSTANTIATE_TEST_SUITE_P(Channels, ColorWordsTest,
                         ::testing::Values(ColorWords{0x00000000u, 0x00000000u, 0, 0, 0},
                                           ColorWords{0x000000FFu, 0x00FF0000u, 255, 0, 0},
                                           ColorWords{0x0000FF00u, 0x0000FF00u, 0, 255, 0},
                                           ColorWords{0x00FF0000u, 0x000000FFu, 0, 0, 255},
                                           ColorWords{0x00563412u, 0x00123456u, 0x12, 0x34, 0x56},
                                           ColorWords{0x00FFFFFFu, 0x00FFFFFFu, 255, 255, 255}));

TEST(ColorWords, TopByteIsDroppedByConversionsAndByTheBitmap) {
    EXPECT_EQ(ColorToPixel(Color{0xAB563412u}), Pixel{0x00123456u});
    EXPECT_EQ(PixelToColor(Pixel{0xAB123456u}), Color{0x00563412u});
    EXPECT_EQ(ClearTopByte(Color{0xAB563412u}), Color{0x00563412u});
    EXPECT_EQ(ClearTopByte(Pixel{0xAB123456u}), Pixel{0x00123456u});
    Bitmap b(1, 1);
    b.SetPixel(0, 0, Color{0xAB563412u});
    EXPECT_EQ(b.Row(0)[0], Pixel{0x00123456u});
    EXPECT_EQ(b.GetPixel(0, 0), Color{0x00563412u});
    EXPECT_EQ(b.GetPixel(1, 0), kInvalidColor);
}

// Failure messages say which of the two a word is.
TEST(ColorWords, PrintedWithTheirKindAndHexWord) {
    std::ostringstream out;
    out << Color{0x00563412u} << " " << Pixel{0x00123456u};
    EXPECT_EQ(out.str(), "Color 0x00563412 Pixel 0x00123456");
}

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

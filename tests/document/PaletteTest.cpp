#include "document/Palette.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace rastrix {
namespace {

constexpr std::uint32_t Quad(int r, int g, int b) { return std::uint32_t(r) << 16 | std::uint32_t(g) << 8 | std::uint32_t(b); }

// The nearest-colour rule written the plain way: one pass, early return.
int SlowNearest(const std::vector<std::uint32_t>& entries, std::uint32_t q) {
    int best = 0;
    int bestDistance = 195000;
    for (int j = 0; j < int(entries.size()); ++j) {
        int d = 0;
        for (int shift : {0, 8, 16}) {
            const int diff = int((entries[j] >> shift) & 0xFF) - int((q >> shift) & 0xFF);
            d += diff * diff;
        }
        if (d <= 3) return j;
        if (d < bestDistance) {
            bestDistance = d;
            best = j;
        }
    }
    return best;
}

// Random tables: spread over the whole cube, and bunched into a few values per channel
// so ties and near-exact hits are common.
class NearestAgainstReference : public ::testing::TestWithParam<int> {};

TEST_P(NearestAgainstReference, RandomColoursAgree) {
    const int spread = GetParam();
    std::mt19937 rng(1234u + unsigned(spread));
    std::uniform_int_distribution<int> channel(0, spread);
    for (int size : {2, 16, 256}) {
        for (int round = 0; round < 20; ++round) {
            std::vector<std::uint32_t> entries(std::size_t(size), 0);
            for (auto& e : entries) e = Quad(channel(rng), channel(rng), channel(rng));
            const NearestColor fast(entries.data(), size);
            for (int i = 0; i < 2000; ++i) {
                const std::uint32_t q = Quad(channel(rng), channel(rng), channel(rng));
                ASSERT_EQ(fast.Find(q), SlowNearest(entries, q)) << "size " << size << " colour " << std::hex << q;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Palette, NearestAgainstReference, ::testing::Values(255, 7, 3));

TEST(Palette, NearestTakesTheFirstEntryWithinThreeOverANearerLaterOne) {
    std::vector<std::uint32_t> e(16, Quad(0, 0, 0));
    for (int j = 0; j < 16; ++j) e[std::size_t(j)] = Quad(j * 15, 100, 100);
    e[5] = Quad(200, 200, 200);
    e[9] = Quad(201, 201, 200);  // distance 2 from the colour below
    e[3] = Quad(140, 140, 140);  // nearer than the starting distance, but not within 3
    const NearestColor n(e.data(), 16);
    EXPECT_EQ(n.Find(Quad(201, 200, 200)), 5);  // entry 5 at distance 1 wins over 9 (also within 3)
    EXPECT_EQ(n.Find(Quad(202, 202, 200)), 9);  // distance 8 from 5, 2 from 9
    e[5] = Quad(199, 200, 201);                 // distance 5; entry 9 is the only one within 3
    EXPECT_EQ(NearestColor(e.data(), 16).Find(Quad(201, 200, 200)), 9);
}

TEST(Palette, NearestTieKeepsEarlierAndTooFarGivesEntryZero) {
    const std::vector<std::uint32_t> tie = {Quad(0, 0, 0), Quad(10, 0, 0), Quad(30, 0, 0), Quad(50, 0, 0)};
    EXPECT_EQ(NearestColor(tie.data(), 4).Find(Quad(40, 0, 0)), 2);
    // Only the opposite corner of the cube is 195000 or more away.
    const std::vector<std::uint32_t> far = {Quad(255, 255, 255), Quad(255, 255, 255)};
    EXPECT_EQ(NearestColor(far.data(), 2).Find(Quad(0, 0, 0)), 0);
    const std::vector<std::uint32_t> farThenNear = {Quad(255, 255, 255), Quad(255, 255, 254)};
    EXPECT_EQ(NearestColor(farThenNear.data(), 2).Find(Quad(0, 0, 0)), 1);
}

TEST(Palette, ColoursTakeIndexesInOrderAndUntakenStayWhite) {
    Palette p(16);
    EXPECT_EQ(p.PaletteIndexOf(RGB(1, 2, 3), nullptr), 0);
    EXPECT_EQ(p.PaletteIndexOf(RGB(9, 9, 9), nullptr), 1);
    EXPECT_EQ(p.PaletteIndexOf(RGB(1, 2, 3), nullptr), 0);
    EXPECT_EQ(p.Count(), 2);
    EXPECT_EQ(p.Entries()[0], ColorRefToQuad(RGB(1, 2, 3)));
    EXPECT_EQ(p.Entries()[0], 0x00010203u);
    for (int j = 2; j < 16; ++j) EXPECT_EQ(p.Entries()[j], 0x00FFFFFFu);
    EXPECT_EQ(p.Answer(), ColorLossAnswer::NotAsked);
}

TEST(Palette, TableColoursKeepTheirIndexAfterTheTableIsFull) {
    Palette p(2);
    int asked = 0;
    const ColourLossQuestion yes = [&](int) { return ++asked, true; };
    EXPECT_EQ(p.PaletteIndexOf(RGB(10, 10, 10), yes), 0);
    EXPECT_EQ(p.PaletteIndexOf(RGB(10, 10, 11), yes), 1);  // distance 1 from entry 0
    EXPECT_EQ(p.PaletteIndexOf(RGB(200, 0, 0), yes), 0);
    EXPECT_EQ(p.Answer(), ColorLossAnswer::Yes);
    EXPECT_EQ(p.PaletteIndexOf(RGB(10, 10, 11), yes), 1);  // its own entry, not the first within 3
    EXPECT_EQ(p.PaletteIndexOf(RGB(10, 10, 12), yes), 1);
    EXPECT_EQ(p.PaletteIndexOf(RGB(10, 10, 12), yes), 1);
    EXPECT_EQ(asked, 1);
}

TEST(Palette, DeclinedStaysDeclinedWithoutAskingAgain) {
    Palette p(2);
    int asked = 0;
    const ColourLossQuestion no = [&](int) { return ++asked, false; };
    p.PaletteIndexOf(RGB(1, 1, 1), no);
    p.PaletteIndexOf(RGB(2, 2, 2), no);
    EXPECT_EQ(p.PaletteIndexOf(RGB(3, 3, 3), no), kPaletteDeclined);
    EXPECT_EQ(p.PaletteIndexOf(RGB(4, 4, 4), no), kPaletteDeclined);
    EXPECT_EQ(p.PaletteIndexOf(RGB(1, 1, 1), no), 0);  // colours in the table still answer
    EXPECT_EQ(asked, 1);
}

Bitmap StripOf(const std::vector<Color>& colours) {
    Bitmap img(int(colours.size()) * 10, 12);  // width / height > 4 once there are 6 or more
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < img.Width(); ++x) img.SetPixel(x, y, colours[std::size_t(x / 10)]);
    return img;
}

TEST(Palette, StripSortPutsBlueWeightFirstAndSubstitutes) {
    // Red (COLORREF 0x0000FF) sorts before a blue of 1 (0x010000).
    const Bitmap img = StripOf({RGB(0, 0, 1), RGB(255, 0, 0), RGB(0, 0, 255), RGB(0, 0, 248), RGB(255, 0, 255),
                                RGB(0, 1, 0)});
    ASSERT_TRUE(IsStripShaped(img.Width(), img.Height()));
    Palette p(16);
    p.PresortStripPalette(img);
    EXPECT_TRUE(p.StripMode());
    ASSERT_EQ(p.Count(), 6);
    const std::uint32_t want[6] = {Quad(255, 0, 0), Quad(0, 1, 0), Quad(0, 0, 1), Quad(0, 0, 248),
                                   Quad(0, 0, 248), Quad(248, 0, 248)};
    for (int j = 0; j < 6; ++j) EXPECT_EQ(p.Entries()[j], want[j]) << j;
    // Pure blue and the blue it became share one entry; the first answers for both.
    EXPECT_EQ(p.PaletteIndexOf(RGB(0, 0, 255), nullptr), 3);
    EXPECT_EQ(p.PaletteIndexOf(RGB(0, 0, 248), nullptr), 3);
    EXPECT_EQ(p.PaletteIndexOf(RGB(255, 0, 255), nullptr), 5);
    EXPECT_EQ(p.PaletteIndexOf(RGB(248, 0, 248), nullptr), 5);
}

TEST(Palette, StripScanStopsAtCapacityAndLaterColoursAreNew) {
    const Bitmap img = StripOf({RGB(9, 9, 9), RGB(5, 5, 5), RGB(7, 7, 7), RGB(5, 5, 5), RGB(1, 1, 1)});
    Palette p(2);
    p.PresortStripPalette(img);
    ASSERT_EQ(p.Count(), 2);
    EXPECT_EQ(p.Entries()[0], Quad(5, 5, 5));
    EXPECT_EQ(p.Entries()[1], Quad(9, 9, 9));
    int asked = 0;
    EXPECT_EQ(p.PaletteIndexOf(RGB(7, 7, 7), [&](int c) { return ++asked, c == 2; }), 0);
    EXPECT_EQ(asked, 1);
}

TEST(Palette, StripShapeNeedsTwelveToThirtyTwoRowsAndMoreThanFourTimesTheWidth) {
    EXPECT_TRUE(IsStripShaped(160, 16));
    EXPECT_FALSE(IsStripShaped(64, 16));
    EXPECT_TRUE(IsStripShaped(80, 16));
    EXPECT_FALSE(IsStripShaped(500, 11));
    EXPECT_FALSE(IsStripShaped(500, 33));
    EXPECT_TRUE(IsStripShaped(160, 32));
}

}  // namespace
}  // namespace rastrix

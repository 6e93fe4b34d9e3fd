#include "codec/Palette.h"

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

TEST_P(NearestAgainstReference, RandomColorsAgree) {
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

TEST(Palette, TableColorsKeepTheirIndexAfterTheTableIsFull) {
    Palette p(2);
    int asked = 0;
    const ColorLossQuestion yes = [&](int) { return ++asked, true; };
    EXPECT_EQ(p.PaletteIndexOf(ColorFromRgb(10, 10, 10), yes), 0);
    EXPECT_EQ(p.PaletteIndexOf(ColorFromRgb(10, 10, 11), yes), 1);  // distance 1 from entry 0
    EXPECT_EQ(p.PaletteIndexOf(ColorFromRgb(200, 0, 0), yes), 0);
    EXPECT_EQ(p.Answer(), ColorLossAnswer::Yes);
    EXPECT_EQ(p.PaletteIndexOf(ColorFromRgb(10, 10, 11), yes), 1);  // its own entry, not the first within 3
    EXPECT_EQ(p.PaletteIndexOf(ColorFromRgb(10, 10, 12), yes), 1);
    EXPECT_EQ(p.PaletteIndexOf(ColorFromRgb(10, 10, 12), yes), 1);
    EXPECT_EQ(asked, 1);
}

Bitmap StripOf(const std::vector<Color>& colors) {
    Bitmap img(int(colors.size()) * 10, 12);  // width / height > 4 once there are 6 or more
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < img.Width(); ++x) img.SetPixel(x, y, colors[std::size_t(x / 10)]);
    return img;
}

TEST(Palette, StripSortPutsBlueWeightFirstAndSubstitutes) {
    // Red (colour value 0x0000FF) sorts before a blue of 1 (0x010000).
    const Bitmap img = StripOf({ColorFromRgb(0, 0, 1), ColorFromRgb(255, 0, 0), ColorFromRgb(0, 0, 255), ColorFromRgb(0, 0, 248), ColorFromRgb(255, 0, 255),
                                ColorFromRgb(0, 1, 0)});
    ASSERT_TRUE(IsStripShaped(img.Width(), img.Height()));
    Palette p(16);
    p.PresortStripPalette(img);
    EXPECT_TRUE(p.StripMode());
    ASSERT_EQ(p.Count(), 6);
    const std::uint32_t want[6] = {Quad(255, 0, 0), Quad(0, 1, 0), Quad(0, 0, 1), Quad(0, 0, 248),
                                   Quad(0, 0, 248), Quad(248, 0, 248)};
    for (int j = 0; j < 6; ++j) EXPECT_EQ(p.Entries()[j], want[j]) << j;
    // Pure blue and the blue it became share one entry; the first answers for both.
    EXPECT_EQ(p.PaletteIndexOf(ColorFromRgb(0, 0, 255), nullptr), 3);
    EXPECT_EQ(p.PaletteIndexOf(ColorFromRgb(0, 0, 248), nullptr), 3);
    EXPECT_EQ(p.PaletteIndexOf(ColorFromRgb(255, 0, 255), nullptr), 5);
    EXPECT_EQ(p.PaletteIndexOf(ColorFromRgb(248, 0, 248), nullptr), 5);
}

TEST(Palette, StripScanStopsAtCapacityAndLaterColorsAreNew) {
    const Bitmap img = StripOf({ColorFromRgb(9, 9, 9), ColorFromRgb(5, 5, 5), ColorFromRgb(7, 7, 7), ColorFromRgb(5, 5, 5), ColorFromRgb(1, 1, 1)});
    Palette p(2);
    p.PresortStripPalette(img);
    ASSERT_EQ(p.Count(), 2);
    EXPECT_EQ(p.Entries()[0], Quad(5, 5, 5));
    EXPECT_EQ(p.Entries()[1], Quad(9, 9, 9));
    int asked = 0;
    EXPECT_EQ(p.PaletteIndexOf(ColorFromRgb(7, 7, 7), [&](int c) { return ++asked, c == 2; }), 0);
    EXPECT_EQ(asked, 1);
}

// Whole rows through the fast row path against one colour at a time, on rows of long runs,
// scattered colours, and more colours than the table holds.
struct RowCase {
    int capacity;
    int colors;
    int runLength;
};

class IndexRowAgainstSingleLookups : public ::testing::TestWithParam<RowCase> {};

TEST_P(IndexRowAgainstSingleLookups, SameIndexesAndTable) {
    const RowCase c = GetParam();
    std::mt19937 rng(99u + unsigned(c.capacity * 7 + c.colors + c.runLength));
    std::vector<Pixel> pool(std::size_t(c.colors));
    for (Pixel& p : pool) p = Pixel{std::uint32_t((rng() & 0x00FFFFFFu) | (rng() & 0xFF000000u))};  // stray top bytes are ignored
    Palette fast(c.capacity), slow(c.capacity);
    ASSERT_TRUE(fast.IsUsable());
    int askedFast = 0, askedSlow = 0;
    const ColorLossQuestion yesFast = [&](int) { return ++askedFast, true; };
    const ColorLossQuestion yesSlow = [&](int) { return ++askedSlow, true; };
    for (int row = 0; row < 40; ++row) {
        std::vector<Pixel> px(std::size_t(97 + row));
        for (std::size_t x = 0; x < px.size();) {
            const Pixel p = pool[rng() % pool.size()];
            for (int k = 0; k < c.runLength && x < px.size(); ++k) px[x++] = p;
        }
        std::vector<std::uint8_t> got(px.size());
        ASSERT_TRUE(fast.IndexRow(px.data(), int(px.size()), got.data(), yesFast));
        for (std::size_t x = 0; x < px.size(); ++x)
            ASSERT_EQ(got[x], slow.PaletteIndexOf(PixelToColor(ClearTopByte(px[x])), yesSlow)) << row << ":" << x;
    }
    EXPECT_EQ(fast.Count(), slow.Count());
    for (int j = 0; j < c.capacity; ++j) EXPECT_EQ(fast.Entries()[j], slow.Entries()[j]);
    EXPECT_EQ(askedFast, askedSlow);
    EXPECT_EQ(askedFast, c.colors > c.capacity ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Palette, IndexRowAgainstSingleLookups,
                         ::testing::Values(RowCase{2, 2, 1}, RowCase{2, 2, 2}, RowCase{2, 2, 13}, RowCase{16, 16, 9},
                                           RowCase{16, 40, 1}, RowCase{256, 200, 1}, RowCase{256, 256, 20},
                                           RowCase{256, 5000, 1}, RowCase{256, 5000, 11}));

}  // namespace
}  // namespace rastrix

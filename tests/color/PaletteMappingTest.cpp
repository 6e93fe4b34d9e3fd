#include "color/PaletteMapping.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <set>
#include <utility>
#include <vector>

#include "color/FixedPalettes.h"
#include "color/PaletteSearch.h"

namespace rastrix {
namespace {

constexpr std::uint32_t Rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b) { return r << 16 | g << 8 | b; }
// The same as a palette entry.
constexpr Pixel Entry(std::uint32_t r, std::uint32_t g, std::uint32_t b) { return Pixel{Rgb(r, g, b)}; }

Bitmap Constant(int w, int h, std::uint32_t rgb) {
    Bitmap b(w, h);
    std::fill(b.Data(), b.Data() + std::size_t(w) * std::size_t(h), Pixel{rgb});
    return b;
}

IndexImage Map(const Bitmap& image, const PaletteColors& palette, MapOptions options) {
    MapResult r = MapToPalette(image, palette, options);
    EXPECT_EQ(int(r.problem.kind), int(MapProblem::Kind::None));
    return r.image ? *r.image : IndexImage{};
}

double ShareOf(const IndexImage& img, int index) {
    std::size_t n = 0;
    for (const std::uint8_t i : img.indexes) n += i == index;
    return double(n) / double(img.indexes.size());
}


// An image made only of palette colours comes back as exactly those entries: no error is ever
// made, so none is spread. (Ordered dithering moves values by design; it keeps the entries of
// evenly spaced greys, whose steps it spans.)
using ExactCase = std::tuple<const char*, Dither>;
class PaletteColorsMapToThemselves : public ::testing::TestWithParam<ExactCase> {};

TEST_P(PaletteColorsMapToThemselves, EveryPixelTakesItsOwnEntry) {
    const auto [name, dither] = GetParam();
    const PaletteColors palette = PaletteByName(name).colors;
    std::mt19937 rng(7);
    Bitmap img(61, 23);
    std::vector<std::uint8_t> want;
    for (int y = 0; y < img.Height(); ++y)
        for (int x = 0; x < img.Width(); ++x) {
            const auto i = std::uint8_t(rng() % palette.size());
            img.Row(y)[x] = Pixel{palette[i]};
            want.push_back(i);
        }
    const IndexImage out = Map(img, palette, {dither, -1});
    EXPECT_EQ(out.width, 61);
    EXPECT_EQ(out.height, 23);
    EXPECT_EQ(out.indexes, want);
}

INSTANTIATE_TEST_SUITE_P(
    Mapping, PaletteColorsMapToThemselves,
    ::testing::Combine(::testing::Values("bw", "grey4", "grey16", "basic16", "epaper7"),
                       ::testing::Values(Dither::None, Dither::FloydSteinberg, Dither::Atkinson)),
    [](const auto& info) { return std::string(std::get<0>(info.param)) + "_" + std::string(DitherName(std::get<1>(info.param))); });

INSTANTIATE_TEST_SUITE_P(OrderedGreys, PaletteColorsMapToThemselves,
                         ::testing::Combine(::testing::Values("bw", "grey4", "grey16"),
                                            ::testing::Values(Dither::Ordered)),
                         [](const auto& info) { return std::string(std::get<0>(info.param)); });
INSTANTIATE_TEST_SUITE_P(OrderedColors, PaletteColorsMapToThemselves,
                         ::testing::Combine(::testing::Values("basic16", "epaper7"), ::testing::Values(Dither::Ordered)),
                         [](const auto& info) { return std::string(std::get<0>(info.param)); });

// Threshold: a pixel takes the lighter of two entries when its luminance is at least N% of white.
struct ThresholdCase {
    int percent;
    std::uint32_t color;
    bool light;
};
class Threshold : public ::testing::TestWithParam<ThresholdCase> {};

TEST_P(Threshold, EdgesFallOnTheRightSide) {
    const ThresholdCase& c = GetParam();
    const IndexImage bw = Map(Constant(3, 2, c.color), BlackWhitePalette(), {Dither::None, c.percent});
    EXPECT_EQ(bw.indexes, std::vector<std::uint8_t>(6, c.light ? 1 : 0));
    // The same with the table the other way round: the lighter entry is found by its colour.
    const IndexImage wb =
        Map(Constant(3, 2, c.color), {Entry(255, 255, 255), Entry(0, 0, 0)}, {Dither::None, c.percent});
    EXPECT_EQ(wb.indexes, std::vector<std::uint8_t>(6, c.light ? 0 : 1));
}

INSTANTIATE_TEST_SUITE_P(Mapping, Threshold,
                         ::testing::Values(ThresholdCase{50, Rgb(128, 128, 128), true},
                                           ThresholdCase{50, Rgb(127, 127, 127), false},
                                           ThresholdCase{0, Rgb(0, 0, 0), true},
                                           ThresholdCase{100, Rgb(255, 255, 255), true},
                                           ThresholdCase{100, Rgb(254, 255, 255), false},
                                           ThresholdCase{1, Rgb(3, 3, 3), true},
                                           ThresholdCase{1, Rgb(2, 2, 2), false},
                                           // Luminance, not the channels' mean: pure green is light
                                           ThresholdCase{55, Rgb(0, 255, 0), true},
                                           ThresholdCase{35, Rgb(255, 0, 0), false}));

// Each mistake is its own kind with the facts its message names: the palette's size, the
// threshold and the bounds broken (the words are checked where they are made).
TEST(Mapping, ThresholdAndPaletteMistakesAreErrors) {
    using K = MapProblem::Kind;
    const Bitmap img = Constant(2, 2, 0);
    struct Mistake {
        PaletteColors palette;
        MapOptions options;
        MapProblem problem;
    };
    const Mistake mistakes[] = {
        {GreyPalette(4), {Dither::None, 50}, {K::ThresholdColors, 4, 50, {}}},
        {BlackWhitePalette(), {Dither::FloydSteinberg, 50}, {K::ThresholdDither, 2, 50, {}}},
        {BlackWhitePalette(), {Dither::None, 101}, {K::ThresholdRange, 2, 101, {0, 100}}},
        {PaletteColors{}, {}, {K::PaletteSize, 0, -1, {1, 256}}},
        {PaletteColors(257, Pixel{0}), {}, {K::PaletteSize, 257, -1, {1, 256}}},
        {PaletteColors(300, Pixel{0}), {Dither::Ordered, 50}, {K::PaletteSize, 300, 50, {1, 256}}},
    };
    for (const Mistake& m : mistakes) {
        const MapResult r = MapToPalette(img, m.palette, m.options);
        EXPECT_FALSE(r.image);
        EXPECT_EQ(int(r.problem.kind), int(m.problem.kind)) << m.palette.size() << " " << m.options.thresholdPercent;
        EXPECT_TRUE(r.problem == m.problem) << m.palette.size() << " " << m.options.thresholdPercent;
    }
    const MapResult fine = MapToPalette(img, BlackWhitePalette(), {});
    EXPECT_EQ(int(fine.problem.kind), int(K::None));
    EXPECT_FALSE(fine.image->indexes.empty());
}

// Error diffusion keeps an area's mean: a constant grey comes out with the share of white the
// grey stands for (within what is lost at the image's edges).
using MeanCase = std::tuple<Dither, int>;
class DiffusionKeepsTheMean : public ::testing::TestWithParam<MeanCase> {};

TEST_P(DiffusionKeepsTheMean, ShareOfWhiteMatchesTheGrey) {
    const auto [dither, level] = GetParam();
    const IndexImage out = Map(Constant(200, 200, Rgb(level, level, level)), BlackWhitePalette(), {dither, -1});
    EXPECT_NEAR(ShareOf(out, 1) * 255.0, level, 1.0);
}

INSTANTIATE_TEST_SUITE_P(Mapping, DiffusionKeepsTheMean,
                         ::testing::Combine(::testing::Values(Dither::FloydSteinberg),
                                            ::testing::Values(10, 64, 100, 128, 200, 245)));
INSTANTIATE_TEST_SUITE_P(MidGrey, DiffusionKeepsTheMean,
                         ::testing::Combine(::testing::Values(Dither::Atkinson, Dither::Ordered),
                                            ::testing::Values(128)));

TEST(Mapping, ColorDiffusionKeepsTheMeanColor) {
    // Between red and orange and towards yellow: only a mix of inks can show it.
    const PaletteColors inks = EpaperPalette7();
    const IndexImage out = Map(Constant(120, 120, Rgb(255, 100, 0)), inks, {Dither::FloydSteinberg, -1});
    double green = 0;
    std::set<int> used;
    for (const std::uint8_t i : out.indexes) green += double(GreenOf(inks[i])), used.insert(i);
    EXPECT_NEAR(green / double(out.indexes.size()), 100.0, 1.5);
    EXPECT_GE(used.size(), 2u);
}

// An area of one colour among colour entries comes out with a mean near that colour in every
// channel: each dithering mixes entries around it, not along the grey axis (which turns a red
// rose orange among e-paper inks and colours grey among 16, 20 to 60 levels off). Ordered
// dithering makes its mix for the colour's cell of 4 levels a side and carries only 5/8 of the
// error while choosing it, hence 8 levels of room.
struct ColorMeanCase {
    const char* palette;
    Dither dither;
    std::uint32_t red, green, blue;
};
class ColorAreaKeepsItsMean : public ::testing::TestWithParam<ColorMeanCase> {};

TEST_P(ColorAreaKeepsItsMean, EveryChannelWithinEightLevels) {
    const ColorMeanCase& c = GetParam();
    const PaletteColors palette = PaletteByName(c.palette).colors;
    const IndexImage out = Map(Constant(64, 64, Rgb(c.red, c.green, c.blue)), palette, {c.dither, -1});
    double sum[3] = {0, 0, 0};
    for (const std::uint8_t i : out.indexes)
        sum[0] += RedOf(palette[i]), sum[1] += GreenOf(palette[i]), sum[2] += BlueOf(palette[i]);
    const double n = double(out.indexes.size());
    EXPECT_NEAR(sum[0] / n, c.red, 8.0);
    EXPECT_NEAR(sum[1] / n, c.green, 8.0);
    EXPECT_NEAR(sum[2] / n, c.blue, 8.0);
}

INSTANTIATE_TEST_SUITE_P(Mapping, ColorAreaKeepsItsMean,
                         ::testing::Values(ColorMeanCase{"epaper7", Dither::Ordered, 200, 40, 60},
                                           ColorMeanCase{"epaper7", Dither::Ordered, 180, 120, 60},
                                           ColorMeanCase{"epaper7", Dither::Ordered, 90, 140, 200},
                                           ColorMeanCase{"epaper7", Dither::Ordered, 60, 100, 40},
                                           ColorMeanCase{"basic16", Dither::Ordered, 200, 40, 60},
                                           ColorMeanCase{"basic16", Dither::Ordered, 255, 100, 0},
                                           ColorMeanCase{"basic16", Dither::Ordered, 90, 140, 200},
                                           ColorMeanCase{"basic16", Dither::Ordered, 60, 100, 40},
                                           ColorMeanCase{"epaper7", Dither::FloydSteinberg, 200, 40, 60}));

// Error diffusion written out the plain way, to hold the fast one to: one array of carried
// error a channel over the whole image, in units of 1/divisor, every neighbour checked against
// the image's edges, every entry searched. A pixel takes its value plus the carried error
// rounded to the nearest whole level (halves up), kept within 0..255; greys are matched by
// luminance to the nearest grey entry, colours by the least squared distance, the earlier
// entry on a tie; the error left is the value less the entry's.
struct ReferenceTap {
    int dx, dy, weight;
};

std::vector<std::uint8_t> ReferenceDiffusion(const Bitmap& image, const PaletteColors& palette,
                                             const std::vector<ReferenceTap>& taps, int divisor) {
    const int w = image.Width(), h = image.Height();
    const bool grey = AllGrey(palette);
    const int channels = grey ? 1 : 3;
    std::vector<int> carried(std::size_t(w) * std::size_t(h) * 3, 0);
    std::vector<std::uint8_t> out;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const Pixel p = image.Row(y)[x];
            int v[3] = {RedOf(p), GreenOf(p), BlueOf(p)};
            if (grey) v[0] = Luminance(ValueOf(p));
            for (int c = 0; c < channels; ++c) {
                const int e = carried[(std::size_t(y) * std::size_t(w) + std::size_t(x)) * 3 + std::size_t(c)];
                const int rounded = int(std::floor((double(e) + divisor / 2.0) / divisor));
                v[c] = std::clamp(v[c] + rounded, 0, 255);
            }
            int best = 0;
            long bestDistance = -1;
            for (std::size_t j = 0; j < palette.size(); ++j) {
                const int entry[3] = {RedOf(palette[j]), GreenOf(palette[j]), BlueOf(palette[j])};
                long d = 0;
                for (int c = 0; c < channels; ++c) d += long(v[c] - entry[grey ? 2 : c]) * long(v[c] - entry[grey ? 2 : c]);
                if (bestDistance < 0 || d < bestDistance) bestDistance = d, best = int(j);
            }
            out.push_back(std::uint8_t(best));
            const int entry[3] = {RedOf(palette[std::size_t(best)]), GreenOf(palette[std::size_t(best)]),
                                  BlueOf(palette[std::size_t(best)])};
            for (const ReferenceTap& t : taps) {
                const int nx = x + t.dx, ny = y + t.dy;
                if (nx < 0 || nx >= w || ny >= h) continue;
                for (int c = 0; c < channels; ++c)
                    carried[(std::size_t(ny) * std::size_t(w) + std::size_t(nx)) * 3 + std::size_t(c)] +=
                        (v[c] - entry[grey ? 2 : c]) * t.weight;
            }
        }
    return out;
}

struct DiffusionReferenceCase {
    const char* name;
    Dither dither;
    std::vector<ReferenceTap> taps;
    int divisor;
};

// Random pictures (and a smooth ramp, where every weight shows) through both ditherers and
// palettes of greys and colours: the fast code gives the plain code's indexes exactly, so a
// weight moved to another neighbour, a changed rounding or an error dropped at the wrong edge
// fails here.
TEST(Mapping, ErrorDiffusionGivesExactlyThePlainReference) {
    const DiffusionReferenceCase cases[] = {
        {"Floyd-Steinberg", Dither::FloydSteinberg, {{1, 0, 7}, {-1, 1, 3}, {0, 1, 5}, {1, 1, 1}}, 16},
        {"Atkinson", Dither::Atkinson, {{1, 0, 1}, {2, 0, 1}, {-1, 1, 1}, {0, 1, 1}, {1, 1, 1}, {0, 2, 1}}, 8},
    };
    const std::pair<const char*, PaletteColors> palettes[] = {
        {"bw", BlackWhitePalette()}, {"grey4", GreyPalette(4)},      {"epaper7", EpaperPalette7()},
        {"basic16", BasicPalette16()}, {"two inks", {Entry(200, 30, 10), Entry(20, 40, 160)}},
    };
    std::mt19937 rng(11);
    std::vector<Bitmap> pictures;
    for (const auto& [w, h] : {std::pair{23, 17}, std::pair{1, 9}, std::pair{9, 1}}) {
        Bitmap noise(w, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) noise.Row(y)[x] = Pixel{std::uint32_t(rng()) & 0x00FFFFFFu};
        pictures.push_back(std::move(noise));
    }
    Bitmap ramp(40, 12);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 40; ++x) ramp.Row(y)[x] = Pixel{Rgb(std::uint32_t(x * 6), std::uint32_t(y * 20), 90)};
    pictures.push_back(std::move(ramp));
    for (const DiffusionReferenceCase& c : cases)
        for (const auto& [paletteName, palette] : palettes)
            for (std::size_t i = 0; i < pictures.size(); ++i)
                EXPECT_EQ(Map(pictures[i], palette, {c.dither, -1}).indexes,
                          ReferenceDiffusion(pictures[i], palette, c.taps, c.divisor))
                    << c.name << ", " << paletteName << ", picture " << i;
}

// Atkinson passes on 6/8 of each error: in a run of black pixels the carried error settles at
// four times the grey, so a grey below 128 / 4 never reaches white, while Floyd-Steinberg
// (which passes on all of it) shows such a grey with a few white pixels.
class AtkinsonDropsAQuarter : public ::testing::TestWithParam<int> {};

TEST_P(AtkinsonDropsAQuarter, DarkGreysBelowAQuarterOfHalfStayBlack) {
    const int level = GetParam();
    const Bitmap img = Constant(128, 128, Rgb(level, level, level));
    const double atkinson = ShareOf(Map(img, BlackWhitePalette(), {Dither::Atkinson, -1}), 1);
    const double fs = ShareOf(Map(img, BlackWhitePalette(), {Dither::FloydSteinberg, -1}), 1);
    EXPECT_GT(fs, 0.0);
    if (level < 32)
        EXPECT_EQ(atkinson, 0.0);
    else
        EXPECT_GT(atkinson, 0.0);
}

INSTANTIATE_TEST_SUITE_P(Mapping, AtkinsonDropsAQuarter, ::testing::Values(8, 20, 30, 36, 48));

TEST(Mapping, OrderedDitherIsOneFixedEightByEightPatternThatGrowsWithTheGrey) {
    std::set<int> ranks;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) ranks.insert(BayerRank(x, y));
    EXPECT_EQ(ranks.size(), 64u);
    EXPECT_EQ(*ranks.rbegin(), 63);
    IndexImage previous;
    for (int level = 0; level <= 255; level += 5) {
        const IndexImage out = Map(Constant(37, 29, Rgb(level, level, level)), BlackWhitePalette(), {Dither::Ordered, -1});
        for (int y = 0; y < 29; ++y)
            for (int x = 0; x < 37; ++x) ASSERT_EQ(out.Row(y)[x], out.Row(y % 8)[x % 8]) << x << "," << y;
        // A lighter grey keeps every white cell of a darker one.
        for (std::size_t i = 0; i < previous.indexes.size(); ++i) ASSERT_GE(out.indexes[i], previous.indexes[i]);
        previous = out;
    }
    EXPECT_EQ(ShareOf(Map(Constant(8, 8, 0), BlackWhitePalette(), {Dither::Ordered, -1}), 1), 0.0);
    EXPECT_EQ(ShareOf(Map(Constant(8, 8, 0xFFFFFF), BlackWhitePalette(), {Dither::Ordered, -1}), 1), 1.0);
}

// The search and its cache against the rule written out plainly.
TEST(PaletteSearch, CachedAnswersAreTheNearestAndEarliestOnATie) {
    std::mt19937 rng(5);
    for (const std::uint32_t spread : {255u, 5u}) {
        PaletteColors pal(256);
        for (auto& c : pal) c = Entry(rng() % (spread + 1), rng() % (spread + 1), rng() % (spread + 1));
        PaletteSearch search(pal);
        for (int i = 0; i < 200000; ++i) {
            const std::uint32_t q = Rgb(rng() % (spread + 1), rng() % (spread + 1), rng() % (spread + 1));
            int best = 0;
            long bestDistance = 1L << 40;
            for (std::size_t j = 0; j < pal.size(); ++j) {
                long d = 0;
                for (int s : {0, 8, 16}) d += long(int((ValueOf(pal[j]) >> s) & 0xFF) - int((q >> s) & 0xFF)) * long(int((ValueOf(pal[j]) >> s) & 0xFF) - int((q >> s) & 0xFF));
                if (d < bestDistance) bestDistance = d, best = int(j);
            }
            ASSERT_EQ(search.Find(q), best) << std::hex << q;
        }
    }
}

TEST(PaletteSearch, GreyTableTakesTheNearerGreyAndTheEarlierOnATie) {
    const std::vector<std::uint8_t> t = GreyIndexTable(PaletteColors{Entry(0, 0, 0), Entry(100, 100, 100), Entry(255, 255, 255), Entry(100, 100, 100)});
    EXPECT_EQ(t[49], 0);
    EXPECT_EQ(t[50], 0);  // as near to 0 as to 100
    EXPECT_EQ(t[51], 1);
    EXPECT_EQ(t[100], 1);  // never the later duplicate
    EXPECT_EQ(t[177], 1);
    EXPECT_EQ(t[178], 2);
    EXPECT_EQ(Luminance(Rgb(77, 77, 77)), 77);
}

TEST(Mapping, PaletteBitmapHoldsOnlyPaletteColors) {
    const IndexImage idx{3, 1, {2, 0, 1}};
    const std::optional<Bitmap> b = PaletteBitmap(idx, GreyPalette(4));
    ASSERT_TRUE(b);
    EXPECT_EQ(b->Row(0)[0], Pixel{Rgb(170, 170, 170)});
    EXPECT_EQ(b->Row(0)[1], Pixel{0});
    EXPECT_EQ(b->Row(0)[2], Pixel{Rgb(85, 85, 85)});
}

}  // namespace
}  // namespace rastrix

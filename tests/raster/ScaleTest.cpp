#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>

#include "raster/Scale.h"
#include "support/RandomPicture.h"

namespace rastrix::test {
namespace {

using testing::Difference;
using testing::Noise;

// Smooth gradients with a few hard edges, as a photo or an anti-aliased drawing has.
Bitmap PhotoLike(int w, int h) {
    Bitmap bmp(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const unsigned r = unsigned(255.0 * x / std::max(1, w - 1));
            const unsigned g = unsigned(127.5 + 127.5 * std::sin(x * 0.05) * std::cos(y * 0.07));
            const unsigned b = (x / 37 + y / 29) % 2 ? 220u : 30u;
            bmp.Row(y)[x] = Pixel{(r << 16) | (g << 8) | b};
        }
    return bmp;
}

int Channel(Pixel p, int c) { return int((ValueOf(p) >> (8 * c)) & 0xFFu); }

// The obvious way: every source position weighted by the Lanczos-3 kernel in doubles, the
// kernel widened by the reduction factor, rows first, each pass rounded and clamped to 8 bits.
double Lanczos(double x) {
    if (std::abs(x) >= 3.0) return 0.0;
    if (x == 0.0) return 1.0;
    const double p = std::numbers::pi * x;
    return 3.0 * std::sin(p) * std::sin(p / 3.0) / (p * p);
}
std::vector<std::vector<double>> ReferenceWeights(int from, int to) {
    const double ratio = double(from) / to, stretch = std::max(ratio, 1.0);
    std::vector<std::vector<double>> w(std::size_t(to), std::vector<double>(std::size_t(from), 0.0));
    for (int i = 0; i < to; ++i) {
        double sum = 0;
        for (int j = 0; j < from; ++j) sum += w[i][j] = Lanczos((j + 0.5 - (i + 0.5) * ratio) / stretch);
        for (double& v : w[i]) v /= sum;
    }
    return w;
}
Pixel Round3(const double* v) {
    std::uint32_t p = 0;
    for (int c = 0; c < 3; ++c) p |= std::uint32_t(std::clamp(std::lround(v[c]), 0L, 255L)) << (8 * c);
    return Pixel{p};
}
Bitmap ReferenceScale(const Bitmap& src, int w, int h) {
    const auto wx = ReferenceWeights(src.Width(), w), wy = ReferenceWeights(src.Height(), h);
    Bitmap across(w, src.Height()), out(w, h);
    for (int y = 0; y < src.Height(); ++y)
        for (int i = 0; i < w; ++i) {
            double v[3] = {};
            for (int j = 0; j < src.Width(); ++j)
                for (int c = 0; c < 3; ++c) v[c] += wx[i][j] * Channel(src.Row(y)[j], c);
            across.Row(y)[i] = Round3(v);
        }
    for (int i = 0; i < h; ++i)
        for (int x = 0; x < w; ++x) {
            double v[3] = {};
            for (int j = 0; j < src.Height(); ++j)
                for (int c = 0; c < 3; ++c) v[c] += wy[i][j] * Channel(across.Row(j)[x], c);
            out.Row(i)[x] = Round3(v);
        }
    return out;
}

Bitmap Window(const Bitmap& src, Rect r) {
    Bitmap out(r.Width(), r.Height());
    for (int y = 0; y < r.Height(); ++y)
        for (int x = 0; x < r.Width(); ++x) out.Row(y)[x] = src.Row(r.top + y)[r.left + x];
    return out;
}

struct Sizes {
    int sw, sh, w, h;
};

class LanczosAgainstReference : public ::testing::TestWithParam<Sizes> {};

TEST_P(LanczosAgainstReference, WithinOneLevelOfTheDoublePrecisionFilter) {
    const Sizes s = GetParam();
    const Bitmap src = Noise(s.sw, s.sh, unsigned(s.sw * 31 + s.h));
    const auto got = ScaleBitmap(src, s.w, s.h, ScaleFit::Exact, ScaleFilter::Lanczos);
    ASSERT_TRUE(got);
    const auto d = Difference(*got, ReferenceScale(src, s.w, s.h));
    EXPECT_LE(d.largest, 1);
    EXPECT_LT(d.mean, 0.05);
}

INSTANTIATE_TEST_SUITE_P(Sizes, LanczosAgainstReference,
                         ::testing::Values(Sizes{40, 30, 17, 11}, Sizes{17, 11, 40, 30}, Sizes{25, 25, 23, 27},
                                         Sizes{50, 7, 9, 20}, Sizes{3, 2, 12, 9}, Sizes{59, 40, 10, 8},
                                         Sizes{1, 9, 5, 4}, Sizes{13, 1, 3, 3}));

TEST(ScaleTest, LargeReductionStaysCloseToTheFullFilterAndDoesNotAlias) {
    // 1/10 and 1/12 are first averaged down by whole factors; the full-width filter is the yardstick.
    const Bitmap photo = PhotoLike(400, 300);
    const auto got = ScaleBitmap(photo, 40, 25, ScaleFit::Exact, ScaleFilter::Lanczos);
    ASSERT_TRUE(got);
    EXPECT_LT(Difference(*got, ReferenceScale(photo, 40, 25)).mean, 1.0);

    // One-pixel black and white checks: any sampling that skips pixels shows black or white.
    Bitmap checks(300, 200);
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 300; ++x) checks.Row(y)[x] = Pixel{(x + y) % 2 ? 0x00FFFFFFu : 0u};
    const auto grey = ScaleBitmap(checks, 30, 20, ScaleFit::Exact, ScaleFilter::Lanczos);
    ASSERT_TRUE(grey);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 30; ++x)
            for (int c = 0; c < 3; ++c) ASSERT_NEAR(Channel(grey->Row(y)[x], c), 128, 3) << x << "," << y;
}

// A large reduction averages whole blocks first; a source whose size is no multiple of the
// block leaves a partial block at the right and bottom, which weighs only as much as the
// pixels it holds. A black picture with a white last row and column shows it: counted as a
// whole block, the one white column darkened the corner to about 58 instead of about 2.
class PartialBlockTest : public ::testing::TestWithParam<Sizes> {};

TEST_P(PartialBlockTest, WeighsAsMuchAsThePixelsItHolds) {
    const Sizes s = GetParam();
    Bitmap src(s.sw, s.sh, ColorFromRgb(0, 0, 0));
    for (int y = 0; y < s.sh; ++y) src.Row(y)[s.sw - 1] = Pixel{0x00FFFFFFu};
    for (int x = 0; x < s.sw; ++x) src.Row(s.sh - 1)[x] = Pixel{0x00FFFFFFu};
    const auto got = ScaleBitmap(src, s.w, s.h, ScaleFit::Exact, ScaleFilter::Lanczos);
    ASSERT_TRUE(got);
    const auto d = Difference(*got, ReferenceScale(src, s.w, s.h));
    EXPECT_LE(d.largest, 2) << "corner " << Channel(got->Row(s.h - 1)[s.w - 1], 0);
}

INSTANTIATE_TEST_SUITE_P(Sizes, PartialBlockTest,
                         ::testing::Values(Sizes{1000, 1000, 3, 3}, Sizes{1001, 751, 1, 1}, Sizes{100, 61, 5, 3},
                                           Sizes{61, 100, 3, 5}, Sizes{97, 97, 4, 4}));

TEST(ScaleTest, AFlatPictureStaysFlatAtEverySizeFitAndFilter) {
    const Pixel flat{0x00C08020u}, background{0x00102030u};
    for (auto [sw, sh, w, h] : {Sizes{1, 1, 7, 5}, Sizes{8000, 1, 3, 2}, Sizes{1, 3000, 1, 1}, Sizes{97, 61, 800, 480},
                                Sizes{640, 480, 64, 64}, Sizes{5, 5, 5, 5}, Sizes{333, 20, 1, 40}})
        for (ScaleFit fit : {ScaleFit::Exact, ScaleFit::Fit, ScaleFit::Cover})
            for (ScaleFilter filter : {ScaleFilter::Lanczos, ScaleFilter::Nearest}) {
                const auto got = ScaleBitmap(Bitmap(sw, sh, PixelToColor(flat)), w, h, fit, filter, background);
                ASSERT_TRUE(got);
                ASSERT_EQ(got->Width(), w);
                ASSERT_EQ(got->Height(), h);
                const ScaleLayout l = LayOutScale(sw, sh, w, h, fit);
                const Rect picture{l.at.x, l.at.y, l.at.x + l.shown.Width(), l.at.y + l.shown.Height()};
                for (int y = 0; y < h; ++y)
                    for (int x = 0; x < w; ++x)
                        ASSERT_EQ(got->Row(y)[x], picture.Contains({x, y}) ? flat : background)
                            << sw << "x" << sh << "->" << w << "x" << h << " fit " << int(fit) << " at " << x << "," << y;
            }
}

TEST(ScaleTest, NearestWholeZoomsGiveSquareBlocksAndTheSameSizeGivesThePicture) {
    const Bitmap src = Noise(7, 5, 3);
    for (int k : {1, 2, 3, 8}) {
        const auto got = ScaleBitmap(src, 7 * k, 5 * k, ScaleFit::Exact, ScaleFilter::Nearest);
        ASSERT_TRUE(got);
        for (int y = 0; y < 5 * k; ++y)
            for (int x = 0; x < 7 * k; ++x) ASSERT_EQ(got->Row(y)[x], src.Row(y / k)[x / k]) << k;
    }
    EXPECT_EQ(*ScaleBitmap(src, 7, 5, ScaleFit::Exact, ScaleFilter::Lanczos), src);
    // Halving: each centre lies on the boundary of a pair, and the second pixel of the pair counts.
    const Bitmap even = Noise(6, 4, 4);
    const auto half = ScaleBitmap(even, 3, 2, ScaleFit::Exact, ScaleFilter::Nearest);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) EXPECT_EQ(half->Row(y)[x], even.Row(2 * y + 1)[2 * x + 1]);
}

struct LayoutCase {
    int sw, sh, w, h;
    ScaleFit fit;
    ScaleLayout want;
    ScaleAnchor anchor = ScaleAnchor::Centre;
};

class ScaleLayoutTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(ScaleLayoutTest, SizesRoundToTheNearestPixelAndCentreOrKeepToTheAnchor) {
    const LayoutCase c = GetParam();
    const ScaleLayout got = LayOutScale(c.sw, c.sh, c.w, c.h, c.fit, c.anchor);
    EXPECT_EQ(got.scaled, c.want.scaled);
    EXPECT_EQ(got.shown, c.want.shown);
    EXPECT_EQ(got.at, c.want.at);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ScaleLayoutTest,
    ::testing::Values(
        // 600 * 800 / 1024 = 468.75 -> 469 rows, 11 rows of background: 5 above, 6 below
        LayoutCase{1024, 600, 800, 480, ScaleFit::Fit, {{0, 0, 800, 469}, {0, 0, 800, 469}, {0, 5}}},
        // 1024 * 480 / 600 = 819.2 -> 819 columns, 19 cut: 9 on the left
        LayoutCase{1024, 600, 800, 480, ScaleFit::Cover, {{0, 0, 819, 480}, {9, 0, 809, 480}, {0, 0}}},
        LayoutCase{1024, 600, 800, 480, ScaleFit::Exact, {{0, 0, 800, 480}, {0, 0, 800, 480}, {0, 0}}},
        LayoutCase{600, 1024, 800, 480, ScaleFit::Fit, {{0, 0, 281, 480}, {0, 0, 281, 480}, {259, 0}}},
        LayoutCase{600, 1024, 800, 480, ScaleFit::Cover, {{0, 0, 800, 1365}, {0, 442, 800, 922}, {0, 0}}},
        LayoutCase{8000, 6000, 800, 480, ScaleFit::Cover, {{0, 0, 800, 600}, {0, 60, 800, 540}, {0, 0}}},
        // A sliver never scales to nothing: at least one pixel
        LayoutCase{10000, 1, 100, 100, ScaleFit::Fit, {{0, 0, 100, 1}, {0, 0, 100, 1}, {0, 49}}},
        LayoutCase{1, 10000, 100, 100, ScaleFit::Cover, {{0, 0, 100, 1000000}, {0, 499950, 100, 500050}, {0, 0}}},
        LayoutCase{4, 3, 8, 6, ScaleFit::Fit, {{0, 0, 8, 6}, {0, 0, 8, 6}, {0, 0}}},
        // Anchored: the 11 rows of background all below, all above; 19 columns cut on one side
        LayoutCase{1024, 600, 800, 480, ScaleFit::Fit, {{0, 0, 800, 469}, {0, 0, 800, 469}, {0, 0}}, ScaleAnchor::Top},
        LayoutCase{1024, 600, 800, 480, ScaleFit::Fit, {{0, 0, 800, 469}, {0, 0, 800, 469}, {0, 11}}, ScaleAnchor::BottomLeft},
        LayoutCase{1024, 600, 800, 480, ScaleFit::Fit, {{0, 0, 800, 469}, {0, 0, 800, 469}, {0, 5}}, ScaleAnchor::Right},
        LayoutCase{600, 1024, 800, 480, ScaleFit::Fit, {{0, 0, 281, 480}, {0, 0, 281, 480}, {519, 0}}, ScaleAnchor::TopRight},
        LayoutCase{600, 1024, 800, 480, ScaleFit::Fit, {{0, 0, 281, 480}, {0, 0, 281, 480}, {0, 0}}, ScaleAnchor::Left},
        LayoutCase{1024, 600, 800, 480, ScaleFit::Cover, {{0, 0, 819, 480}, {0, 0, 800, 480}, {0, 0}}, ScaleAnchor::Left},
        LayoutCase{1024, 600, 800, 480, ScaleFit::Cover, {{0, 0, 819, 480}, {19, 0, 819, 480}, {0, 0}}, ScaleAnchor::BottomRight},
        LayoutCase{600, 1024, 800, 480, ScaleFit::Cover, {{0, 0, 800, 1365}, {0, 0, 800, 480}, {0, 0}}, ScaleAnchor::TopLeft},
        LayoutCase{600, 1024, 800, 480, ScaleFit::Cover, {{0, 0, 800, 1365}, {0, 885, 800, 1365}, {0, 0}}, ScaleAnchor::Bottom},
        LayoutCase{1, 10000, 100, 100, ScaleFit::Cover, {{0, 0, 100, 1000000}, {0, 999900, 100, 1000000}, {0, 0}},
                   ScaleAnchor::BottomLeft},
        // Exact has no room to share: the anchor changes nothing
        LayoutCase{1024, 600, 800, 480, ScaleFit::Exact, {{0, 0, 800, 480}, {0, 0, 800, 480}, {0, 0}}, ScaleAnchor::BottomRight}));

TEST(ScaleTest, FitAndCoverAreTheExactScaleToTheirSizePlacedOrCut) {
    const Bitmap src = PhotoLike(90, 50);
    // A row scaler handed the rows one at a time gives exactly the same, whatever the sizes,
    // including an axis kept at its size, both kept, and a reduction averaged first.
    const auto fedRows = [&src](int w, int h, ScaleFit fit, ScaleAnchor anchor) {
        std::optional<RowScaler> rows = RowScaler::Create(90, 50, w, h, fit, Pixel{0x00FF00FFu}, anchor);
        EXPECT_TRUE(rows);
        for (int y = 0; rows && y < 50; ++y) {
            EXPECT_FALSE(rows->Take()) << "not before its last row";
            rows->Add(src.Row(y));
        }
        return rows ? rows->Take() : std::nullopt;
    };
    for (auto [w, h] : {std::pair{40, 40}, {30, 9}, {200, 100}, {7, 70}, {90, 25}, {45, 50}, {90, 50}, {9, 5}})
        for (ScaleFilter filter : {ScaleFilter::Lanczos, ScaleFilter::Nearest}) {
            if (filter == ScaleFilter::Lanczos) {
                EXPECT_EQ(fedRows(w, h, ScaleFit::Exact, ScaleAnchor::Centre), ScaleBitmap(src, w, h, ScaleFit::Exact, filter))
                    << w << "x" << h;
            }
            for (ScaleFit fit : {ScaleFit::Fit, ScaleFit::Cover})
                for (ScaleAnchor anchor : {ScaleAnchor::Centre, ScaleAnchor::TopLeft, ScaleAnchor::Right, ScaleAnchor::BottomRight}) {
                    const ScaleLayout l = LayOutScale(90, 50, w, h, fit, anchor);
                    const auto whole = ScaleBitmap(src, l.scaled.right, l.scaled.bottom, ScaleFit::Exact, filter);
                    const auto got = ScaleBitmap(src, w, h, fit, filter, Pixel{0x00FF00FFu}, anchor);
                    ASSERT_TRUE(whole && got);
                    if (filter == ScaleFilter::Lanczos) {
                        EXPECT_EQ(fedRows(w, h, fit, anchor), got) << w << "x" << h;
                    }
                    const Rect placed{l.at.x, l.at.y, l.at.x + l.shown.Width(), l.at.y + l.shown.Height()};
                    EXPECT_EQ(Window(*got, placed), Window(*whole, l.shown))
                        << w << "x" << h << " fit " << int(fit) << " anchor " << int(anchor);
                    // Outside the picture only the background.
                    if (fit == ScaleFit::Fit)
                        for (int y = 0; y < h; ++y)
                            for (int x = 0; x < w; ++x)
                                if (!placed.Contains({x, y})) {
                                    ASSERT_EQ(got->Row(y)[x], Pixel{0x00FF00FFu}) << x << "," << y;
                                }
                }
        }
}

TEST(ScaleTest, BlockAveragesAreTheRoundedMeansOfTheirBlocksEdgesIncluded) {
    // 300 rows in a block pass the 256 rows one word of spread channels holds.
    for (auto [w, h, kx, ky] : {Sizes{10, 9, 3, 4}, Sizes{7, 5, 7, 5}, Sizes{5, 600, 2, 300}, Sizes{1, 1, 4, 4},
                                Sizes{9, 2, 1, 2}})
    {
        const Bitmap src = Noise(w, h, unsigned(w + h));
        auto averager = BlockAverager::Create(w, h, kx, ky);
        ASSERT_TRUE(averager);
        for (int y = 0; y < h; ++y) {
            EXPECT_FALSE(averager->Take().has_value() && y < h);
            averager->Add(src.Row(y));
        }
        const auto got = averager->Take();
        ASSERT_TRUE(got);
        ASSERT_EQ(got->Width(), (w + kx - 1) / kx);
        ASSERT_EQ(got->Height(), (h + ky - 1) / ky);
        for (int oy = 0; oy < got->Height(); ++oy)
            for (int ox = 0; ox < got->Width(); ++ox)
                for (int c = 0; c < 3; ++c) {
                    long sum = 0, n = 0;
                    for (int y = oy * ky; y < std::min(h, oy * ky + ky); ++y)
                        for (int x = ox * kx; x < std::min(w, ox * kx + kx); ++x, ++n) sum += Channel(src.Row(y)[x], c);
                    ASSERT_EQ(Channel(got->Row(oy)[ox], c), (sum + n / 2) / n) << w << "x" << h << " " << ox << "," << oy;
                }
    }
    EXPECT_FALSE(BlockAverager::Create(0, 5, 2, 2));
    EXPECT_FALSE(BlockAverager::Create(5, 5, 0, 2));
}

TEST(ScaleTest, NothingToScaleFromOrToIsRefused) {
    EXPECT_FALSE(ScaleBitmap(Bitmap(), 10, 10, ScaleFit::Exact, ScaleFilter::Lanczos));
    EXPECT_FALSE(ScaleBitmap(Bitmap(3, 3), 0, 10, ScaleFit::Fit, ScaleFilter::Lanczos));
    EXPECT_FALSE(ScaleBitmap(Bitmap(3, 3), 10, -1, ScaleFit::Cover, ScaleFilter::Nearest));
}

}  // namespace
}  // namespace rastrix::test

// Reading a picture straight to a target size: a large JPEG is decoded reduced on the way,
// and what comes out is what scaling the whole picture gives, near enough to see no difference.
#include "codec/ScaledPicture.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "codec/JpegDecoder.h"
#include "codec/PngDecoder.h"
#include "raster/Bands.h"
#include "support/PictureTestFiles.h"
#include "support/RandomPicture.h"

namespace rastrix {
namespace {

using testing::EncodeJpeg;
using testing::EncodePng;
using testing::PngRecipe;
using testing::SmoothPicture;

double MeanDifference(const Bitmap& a, const Bitmap& b) { return testing::Difference(a, b).mean; }

TEST(ScaledPicture, AReducedJpegDecodeGivesWhatScalingTheWholePictureGives) {
    const auto file = EncodeJpeg(SmoothPicture(400, 240));
    const BmpReadResult whole = DecodeJpeg(file);
    ASSERT_TRUE(whole.image);
    for (ScaleFit fit : {ScaleFit::Fit, ScaleFit::Cover, ScaleFit::Exact}) {
        SCOPED_TRACE(int(fit));
        const BmpReadResult r = DecodeScaled(file, {45, 30, fit, ScaleFilter::Lanczos});
        ASSERT_TRUE(r.image) << r.Message();
        EXPECT_EQ(r.image->bitDepth, 24);
        const auto want = ScaleBitmap(whole.image->bitmap, 45, 30, fit, ScaleFilter::Lanczos);
        ASSERT_EQ(r.image->bitmap.Width(), 45);
        ASSERT_EQ(r.image->bitmap.Height(), 30);
        EXPECT_LT(MeanDifference(r.image->bitmap, *want), 1.5);
        // Scaled as its rows come, it is exactly the reduced decode scaled whole, whether the rows
        // are decoded beside their scaling or on the same core; a damaged file is refused the same.
        PictureOptions reduced;
        const ScaleLayout l = LayOutScale(400, 240, 45, 30, fit);
        reduced.minWidth = l.scaled.Width() * 2;
        reduced.minHeight = l.scaled.Height() * 2;
        const BmpReadResult smaller = DecodeJpeg(file, reduced);
        ASSERT_TRUE(smaller.image);
        ASSERT_LT(smaller.image->bitmap.Width(), 400);
        const auto exact = ScaleBitmap(smaller.image->bitmap, 45, 30, fit, ScaleFilter::Lanczos);
        std::vector<std::uint8_t> damaged = file;
        for (std::size_t i = file.size() / 2; i < file.size() / 2 + 30; ++i) damaged[i] = 0xFF;
        for (int threads : {1, 2}) {
            const BandLimit limit(threads);
            PictureOptions overlapped;
            overlapped.overlapRows = true;
            const BmpReadResult o = DecodeScaled(file, {45, 30, fit, ScaleFilter::Lanczos}, overlapped);
            ASSERT_TRUE(o.image) << o.Message();
            EXPECT_EQ(o.image->bitmap, *exact);
            EXPECT_EQ(r.image->bitmap, *exact);
            EXPECT_EQ(DecodeScaled(damaged, {45, 30, fit, ScaleFilter::Lanczos}, overlapped).error, BmpError::DamagedJpeg);
        }
    }
    // Nearest pixels are read from the whole picture: exactly its pixels.
    const BmpReadResult nearest = DecodeScaled(file, {50, 30, ScaleFit::Exact, ScaleFilter::Nearest});
    ASSERT_TRUE(nearest.image);
    EXPECT_EQ(nearest.image->bitmap, *ScaleBitmap(whole.image->bitmap, 50, 30, ScaleFit::Exact, ScaleFilter::Nearest));
}

TEST(ScaledPicture, AKeptAlphaIsScaledWithThePictureAndItsPaddingIsOpaque) {
    // 4 x 2, left half opaque red, right half clear.
    PngRecipe rgba{4, 2, 6, 8};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x) rgba.rows.insert(rgba.rows.end(), {255, 0, 0, std::uint8_t(x < 2 ? 255 : 0)});
    PictureOptions options;
    options.keepAlpha = true;
    options.background = Pixel{0x000000FFu};
    const BmpReadResult r = DecodeScaled(EncodePng(rgba), {8, 8, ScaleFit::Fit, ScaleFilter::Nearest}, options);
    ASSERT_TRUE(r.image && r.image->alpha);
    const Bitmap& pixels = r.image->bitmap;
    const Bitmap& alpha = *r.image->alpha;
    ASSERT_EQ(alpha.Width(), 8);
    ASSERT_EQ(alpha.Height(), 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            const bool padding = y < 2 || y >= 6, red = !padding && x < 4;
            EXPECT_EQ(alpha.Row(y)[x], Pixel{red || padding ? 0x00FFFFFFu : 0u}) << x << "," << y;
            EXPECT_EQ(pixels.Row(y)[x], Pixel{red ? 0x00FF0000u : 0x000000FFu}) << x << "," << y;
        }
}

TEST(ScaledPicture, ALargePngAveragedAsItsRowsComeGivesExactlyWhatScalingTheWholePictureGives) {
    // 90 x 70 with a varying alpha, to 10 x 7: averaged by whole factors first.
    PngRecipe rgba{90, 70, 6, 8};
    const Bitmap colors = SmoothPicture(90, 70);
    for (int y = 0; y < 70; ++y)
        for (int x = 0; x < 90; ++x) {
            const Pixel p = colors.Row(y)[x];
            rgba.rows.insert(rgba.rows.end(), {RedOf(p), GreenOf(p), BlueOf(p),
                                               std::uint8_t((x * 3 + y * 5) % 256)});
        }
    ASSERT_GT(PlanShrink(90, 70, 10, 7, ScaleFit::Cover, ScaleFilter::Lanczos).kx, 1);
    PictureOptions options;
    options.keepAlpha = true;
    options.background = Pixel{0x00204060u};
    const auto file = EncodePng(rgba);
    const BmpReadResult whole = DecodePng(file, options);
    ASSERT_TRUE(whole.image && whole.image->alpha);
    for (ScaleFit fit : {ScaleFit::Fit, ScaleFit::Cover, ScaleFit::Exact}) {
        SCOPED_TRACE(int(fit));
        const BmpReadResult r = DecodeScaled(file, {10, 7, fit, ScaleFilter::Lanczos}, options);
        ASSERT_TRUE(r.image && r.image->alpha) << r.Message();
        EXPECT_EQ(r.image->bitDepth, 32);
        EXPECT_EQ(r.image->bitmap, *ScaleBitmap(whole.image->bitmap, 10, 7, fit, ScaleFilter::Lanczos, options.background));
        EXPECT_EQ(*r.image->alpha, *ScaleBitmap(*whole.image->alpha, 10, 7, fit, ScaleFilter::Lanczos, Pixel{0x00FFFFFFu}));
    }
}

TEST(ScaledPicture, BadTargetsAndBadFilesAreRefusedWithAReason) {
    const auto file = EncodeJpeg(SmoothPicture(16, 16));
    EXPECT_EQ(DecodeScaled(file, {0, 10}).error, BmpError::BadSize);
    std::vector<std::uint8_t> cut(file.begin(), file.begin() + std::ptrdiff_t(file.size() / 2));
    EXPECT_EQ(DecodeScaled(cut, {8, 8}).error, BmpError::DamagedJpeg);
    EXPECT_EQ(DecodeScaled(std::vector<std::uint8_t>(40, 7), {8, 8}).error, BmpError::NotPicture);
    // A PNG cut short part way is refused even though its first rows were averaged already.
    PngRecipe grey{200, 200, 0, 8};
    grey.rows.assign(200 * 200, 0);
    for (std::size_t i = 0; i < grey.rows.size(); ++i) grey.rows[i] = std::uint8_t(i * 7919 % 251);
    const auto png = EncodePng(grey);
    const std::vector<std::uint8_t> half(png.begin(), png.begin() + std::ptrdiff_t(png.size() / 2));
    EXPECT_EQ(DecodeScaled(half, {10, 10}).error, BmpError::DamagedPng);
}

// A PNG read row by row, decoded on one thread while a second one converts and averages the
// rows already decoded: the same picture, the same alpha, the same refusal as on one thread.
struct OverlapCase {
    const char* name;
    int colorType, bitDepth;
    bool interlaced, keepAlpha;
    int width, height;
    ScaleTarget target;
    enum Damage { None, CutShort, ByteChanged } damage = None;
};

class OverlappedRowsTest : public ::testing::TestWithParam<OverlapCase> {};

PngRecipe Patterned(const OverlapCase& c) {
    static constexpr int kChannels[7] = {1, 0, 3, 1, 2, 0, 4};
    PngRecipe r{c.width, c.height, c.colorType, c.bitDepth, c.interlaced};
    for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x)
            for (int k = 0; k < kChannels[c.colorType]; ++k) {
                const unsigned v = unsigned(x * 37 + y * 11 + k * 101 + (x * y) % 29) * 2654435761u >> 16;
                if (c.bitDepth == 16) testing::AppendSample16(r.rows, std::uint16_t(v));
                else r.rows.push_back(std::uint8_t(v));
            }
    return r;
}

TEST_P(OverlappedRowsTest, GivesWhatOneThreadGives) {
    const OverlapCase& c = GetParam();
    std::vector<std::uint8_t> file = EncodePng(Patterned(c));
    const std::size_t middle = file.size() / 2;  // inside the image data of every case
    if (c.damage == OverlapCase::CutShort) file.resize(middle);
    if (c.damage == OverlapCase::ByteChanged) file[middle] ^= 0x5A;
    const ScaleShrink shrink = PlanShrink(c.width, c.height, c.target.width, c.target.height, c.target.fit, c.target.filter);
    ASSERT_GT(shrink.kx * shrink.ky, 1) << "averaged down as the rows come";
    PictureOptions options;
    options.keepAlpha = c.keepAlpha;
    options.background = Pixel{0x00336699u};
    PictureOptions overlapped = options;
    overlapped.overlapRows = true;
    struct Read {
        BmpReadResult result;
        std::size_t told = 0;  // how far the reader said it had read, last
    };
    const auto read = [&](const PictureOptions& how, int threads) {
        const BandLimit limit(threads);
        Read r;
        r.result = DecodeScaled(file, c.target, how, [&r](std::size_t done) { r.told = std::max(r.told, done); });
        return r;
    };
    const Read alone = read(options, 2), both = read(overlapped, 2), oneCore = read(overlapped, 1);
    for (const Read* r : {&both, &oneCore}) {
        ASSERT_EQ(r->result.error, alone.result.error);
        EXPECT_EQ(r->told, alone.told);
        if (!alone.result.image) continue;
        ASSERT_TRUE(r->result.image);
        EXPECT_EQ(r->result.image->bitDepth, alone.result.image->bitDepth);
        EXPECT_EQ(r->result.image->bitmap, alone.result.image->bitmap);
        EXPECT_EQ(r->result.image->alpha, alone.result.image->alpha);
    }
    if (c.damage != OverlapCase::None) {
        EXPECT_EQ(alone.result.error, BmpError::DamagedPng);
    } else {
        EXPECT_TRUE(alone.result.image && alone.result.image->bitmap.Width() == c.target.width) << alone.result.Message();
    }
    EXPECT_EQ(alone.result.image && alone.result.image->alpha.has_value(), c.keepAlpha && c.damage == OverlapCase::None);
}

using Fit = ScaleFit;
INSTANTIATE_TEST_SUITE_P(
    Pngs, OverlappedRowsTest,
    ::testing::Values(OverlapCase{"colour_fit", 2, 8, false, false, 300, 200, {40, 30, Fit::Fit}},
                    OverlapCase{"colour16_cover", 2, 16, false, false, 300, 200, {30, 15, Fit::Cover}},
                    OverlapCase{"alpha_kept_exact", 6, 8, false, true, 257, 181, {30, 20, Fit::Exact}},
                    OverlapCase{"grey_fit_wide", 0, 8, false, false, 400, 90, {50, 10, Fit::Fit}},
                    OverlapCase{"grey_alpha16_cover", 4, 16, false, true, 200, 300, {20, 20, Fit::Cover}},
                    OverlapCase{"interlaced_fit", 2, 8, true, false, 300, 200, {40, 30, Fit::Fit}},
                    OverlapCase{"cut_short", 2, 8, false, false, 300, 400, {30, 40, Fit::Fit}, OverlapCase::CutShort},
                    OverlapCase{"byte_changed", 6, 16, false, true, 300, 400, {30, 40, Fit::Cover}, OverlapCase::ByteChanged}),
    [](const ::testing::TestParamInfo<OverlapCase>& i) { return std::string(i.param.name); });

}  // namespace
}  // namespace rastrix

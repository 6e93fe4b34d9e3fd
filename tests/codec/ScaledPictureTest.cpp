// Reading a picture straight to a target size: a large JPEG is decoded reduced on the way,
// and what comes out is what scaling the whole picture gives, near enough to see no difference.
#include "codec/ScaledPicture.h"

#include <gtest/gtest.h>

#include "codec/JpegDecoder.h"
#include "codec/PngDecoder.h"
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

}  // namespace
}  // namespace rastrix

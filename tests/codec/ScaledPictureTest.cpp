// Reading a picture straight to a target size: a large JPEG is decoded reduced on the way,
// and what comes out is what scaling the whole picture gives, near enough to see no difference.
#include "codec/ScaledPicture.h"

#include <gtest/gtest.h>

#include "codec/JpegDecoder.h"
#include "codec/PngDecoder.h"
#include "support/PictureTestFiles.h"

namespace rastrix {
namespace {

using testing::EncodeJpeg;
using testing::EncodePng;
using testing::PngRecipe;
using testing::SmoothPicture;

double MeanDifference(const Bitmap& a, const Bitmap& b) {
    long total = 0;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            for (int shift : {0, 8, 16}) total += std::abs(int(a.Row(y)[x] >> shift & 0xFF) - int(b.Row(y)[x] >> shift & 0xFF));
    return double(total) / (3.0 * a.Width() * a.Height());
}

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
    options.background = 0x000000FFu;
    const BmpReadResult r = DecodeScaled(EncodePng(rgba), {8, 8, ScaleFit::Fit, ScaleFilter::Nearest}, options);
    ASSERT_TRUE(r.image && r.image->alpha);
    const Bitmap& pixels = r.image->bitmap;
    const Bitmap& alpha = *r.image->alpha;
    ASSERT_EQ(alpha.Width(), 8);
    ASSERT_EQ(alpha.Height(), 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            const bool padding = y < 2 || y >= 6, red = !padding && x < 4;
            EXPECT_EQ(alpha.Row(y)[x], red || padding ? 0x00FFFFFFu : 0u) << x << "," << y;
            EXPECT_EQ(pixels.Row(y)[x], red ? 0x00FF0000u : 0x000000FFu) << x << "," << y;
        }
}

TEST(ScaledPicture, BadTargetsAndBadFilesAreRefusedWithAReason) {
    const auto file = EncodeJpeg(SmoothPicture(16, 16));
    EXPECT_EQ(DecodeScaled(file, {0, 10}).error, BmpError::BadSize);
    std::vector<std::uint8_t> cut(file.begin(), file.begin() + std::ptrdiff_t(file.size() / 2));
    EXPECT_EQ(DecodeScaled(cut, {8, 8}).error, BmpError::DamagedJpeg);
    EXPECT_EQ(DecodeScaled(std::vector<std::uint8_t>(40, 7), {8, 8}).error, BmpError::NotPicture);
}

}  // namespace
}  // namespace rastrix

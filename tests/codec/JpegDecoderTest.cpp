// JPEG pictures decode close to the picture that was encoded; damaged ones are refused.
#include <gtest/gtest.h>

#include <turbojpeg.h>

#include <cstdlib>

#include "codec/JpegDecoder.h"
#include "support/PictureTestFiles.h"

namespace rastrix {
namespace {

using testing::EncodeJpeg;
using testing::PictureBytes;
using testing::SmoothPicture;

// The largest difference of any channel of any pixel.
int LargestDifference(const Bitmap& a, const Bitmap& b) {
    int worst = 0;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            for (int shift : {0, 8, 16}) {
                const int d = std::abs(int((a.Row(y)[x] >> shift) & 0xFF) - int((b.Row(y)[x] >> shift) & 0xFF));
                worst = std::max(worst, d);
            }
    return worst;
}

TEST(JpegDecoder, ColourAndGreyPicturesComeBackCloseToTheOriginal) {
    const Bitmap original = SmoothPicture(37, 21);  // sizes that are not whole blocks
    const BmpReadResult colour = DecodeJpeg(EncodeJpeg(original));
    ASSERT_TRUE(colour.image) << colour.Message();
    EXPECT_EQ(colour.image->bitDepth, 24);
    ASSERT_EQ(colour.image->bitmap.Width(), 37);
    ASSERT_EQ(colour.image->bitmap.Height(), 21);
    EXPECT_LE(LargestDifference(colour.image->bitmap, original), 6);
    for (int y = 0; y < 21; ++y)
        for (int x = 0; x < 37; ++x) ASSERT_EQ(colour.image->bitmap.Row(y)[x] >> 24, 0u) << x << "," << y;

    const BmpReadResult grey = DecodeJpeg(EncodeJpeg(original, true));
    ASSERT_TRUE(grey.image) << grey.Message();
    EXPECT_EQ(grey.image->bitDepth, 8);
    const Pixel p = grey.image->bitmap.Row(10)[20];
    EXPECT_EQ(p & 0xFF, (p >> 8) & 0xFF);
    EXPECT_EQ(p & 0xFF, (p >> 16) & 0xFF);
}

TEST(JpegDecoder, DamagedOversizedAndCmykFilesAreRefusedWithAReason) {
    const PictureBytes good = EncodeJpeg(SmoothPicture(32, 32));
    ASSERT_TRUE(DecodeJpeg(good).image);
    for (std::size_t cut : {std::size_t(2), std::size_t(40), good.size() / 2, good.size() - 2}) {
        SCOPED_TRACE(cut);
        const BmpReadResult r = DecodeJpeg(PictureBytes(good.begin(), good.begin() + std::ptrdiff_t(cut)));
        EXPECT_FALSE(r.image);
        EXPECT_TRUE(r.error == BmpError::DamagedJpeg || r.error == BmpError::NotPicture) << r.Message();
    }
    EXPECT_EQ(DecodeJpeg(PictureBytes(64, 0x5A)).error, BmpError::NotPicture);
    PictureBytes garbage = good;
    for (std::size_t i = garbage.size() / 3; i < garbage.size() / 3 + 40; ++i) garbage[i] = 0xFF;
    EXPECT_EQ(DecodeJpeg(garbage).error, BmpError::DamagedJpeg);

    // The frame header says 20000 x 20000, more pixels than the limit: refused before any pixel
    // memory is taken.
    PictureBytes huge = good;
    for (std::size_t i = 0; i + 9 < huge.size(); ++i)
        if (huge[i] == 0xFF && huge[i + 1] == 0xC0) {
            for (std::size_t k = i + 5; k < i + 9; k += 2) huge[k] = 0x4E, huge[k + 1] = 0x20;
            break;
        }
    EXPECT_EQ(DecodeJpeg(huge).error, BmpError::TooLarge);

    const BmpReadResult cmyk = DecodeJpeg(EncodeJpeg(SmoothPicture(8, 8), false, true));
    EXPECT_EQ(cmyk.error, BmpError::UnsupportedJpeg);
    EXPECT_EQ(cmyk.Message(), "The JPEG picture's colours are of a kind this program does not read.");
}

// A CMYK picture as Photoshop stores one: inverted values (255 = no ink) and Adobe's marker,
// which the library writes with a YCCK picture. Every pixel of `picture` with `black` ink on top.
PictureBytes AdobeCmykJpeg(const Bitmap& picture, std::uint8_t black) {
    std::vector<std::uint8_t> inks;
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x) {
            const Pixel p = picture.Row(y)[x];
            inks.insert(inks.end(), {std::uint8_t(p >> 16), std::uint8_t(p >> 8), std::uint8_t(p), std::uint8_t(255 - black)});
        }
    tjhandle tj = tjInitCompress();
    unsigned char* jpeg = nullptr;
    unsigned long size = 0;
    const int e = tjCompress2(tj, inks.data(), picture.Width(), 0, picture.Height(), TJPF_CMYK, &jpeg, &size, TJSAMP_444,
                              100, TJFLAG_ACCURATEDCT);
    tjDestroy(tj);
    PictureBytes bytes;
    if (e == 0) bytes.assign(jpeg, jpeg + size);
    tjFree(jpeg);
    return bytes;
}

TEST(JpegDecoder, CmykPicturesAreConvertedWhenAskedAndStillRefusedOtherwise) {
    const Bitmap original = SmoothPicture(24, 16);
    PictureOptions convert;
    convert.convertCmyk = true;
    for (int black : {0, 128}) {
        SCOPED_TRACE(black);
        const PictureBytes file = AdobeCmykJpeg(original, std::uint8_t(black));
        ASSERT_FALSE(file.empty());
        EXPECT_EQ(DecodeJpeg(file).error, BmpError::UnsupportedJpeg);
        const BmpReadResult r = DecodeJpeg(file, convert);
        ASSERT_TRUE(r.image) << r.Message();
        EXPECT_EQ(r.image->bitDepth, 24);
        // Black ink darkens every channel by the same factor.
        Bitmap want = original;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 24; ++x) {
                Pixel p = 0;
                for (int shift : {0, 8, 16})
                    p |= Pixel(((original.Row(y)[x] >> shift & 0xFFu) * unsigned(255 - black) + 127) / 255) << shift;
                want.Row(y)[x] = p;
            }
        EXPECT_LE(LargestDifference(r.image->bitmap, want), 6);
    }
}

struct Reduction {
    int width, height, minWidth, minHeight, wantWidth, wantHeight;
};

class JpegReductionTest : public ::testing::TestWithParam<Reduction> {};

// The decoder's own scaling by 2, 4 or 8 is taken only as far as the picture stays at least
// the size asked for; its sizes round up.
TEST_P(JpegReductionTest, DecodesAsSmallAsAllowedAndNoSmaller) {
    const Reduction c = GetParam();
    const Bitmap original = SmoothPicture(c.width, c.height);
    PictureOptions options;
    options.minWidth = c.minWidth;
    options.minHeight = c.minHeight;
    const BmpReadResult r = DecodeJpeg(EncodeJpeg(original), options);
    ASSERT_TRUE(r.image) << r.Message();
    ASSERT_EQ(r.image->bitmap.Width(), c.wantWidth);
    ASSERT_EQ(r.image->bitmap.Height(), c.wantHeight);
    // Each pixel is the average of its block of the original, as near as the smooth picture allows.
    const int d = (c.width + c.wantWidth - 1) / c.wantWidth;
    const Pixel got = r.image->bitmap.Row(c.wantHeight / 2)[c.wantWidth / 2];
    const Pixel want = original.Row(c.wantHeight / 2 * d + d / 2)[c.wantWidth / 2 * d + d / 2];
    for (int shift : {0, 8, 16}) EXPECT_NEAR(int(got >> shift & 0xFF), int(want >> shift & 0xFF), 12) << shift;
    for (int y = 0; y < c.wantHeight; ++y)
        for (int x = 0; x < c.wantWidth; ++x) ASSERT_EQ(r.image->bitmap.Row(y)[x] >> 24, 0u);
}

INSTANTIATE_TEST_SUITE_P(Sizes, JpegReductionTest,
                         ::testing::Values(Reduction{64, 48, 0, 0, 64, 48}, Reduction{64, 48, 8, 6, 8, 6},
                                         Reduction{64, 48, 16, 12, 16, 12}, Reduction{64, 48, 17, 1, 32, 24},
                                         Reduction{64, 48, 1, 25, 64, 48}, Reduction{65, 49, 9, 7, 9, 7},
                                         Reduction{65, 49, 10, 7, 17, 13}, Reduction{64, 48, 64, 48, 64, 48}));

}  // namespace
}  // namespace rastrix

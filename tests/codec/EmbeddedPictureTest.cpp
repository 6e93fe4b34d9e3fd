// Bitmap files whose pixels are stored as PNG (compression 5) or JPEG (4) data, and files of
// any of the three kinds told apart by their first bytes.
#include <gtest/gtest.h>

#include "codec/JpegDecoder.h"
#include "support/PictureTestFiles.h"
#include "codec/PictureReader.h"
#include "codec/PngDecoder.h"
#include "codec/BmpReader.h"
#include "raster/PixelPool.h"

namespace rastrix {
namespace {

using testing::EncodeJpeg;
using testing::EncodePng;
using testing::PictureBytes;
using testing::PngRecipe;
using testing::WrapInBmp;

constexpr int kJpeg = 4, kPng = 5;

PictureBytes Png5x3() {
    PngRecipe recipe{5, 3, 6, 8};
    for (int i = 0; i < 15; ++i)
        recipe.rows.insert(recipe.rows.end(), {std::uint8_t(17 * i), std::uint8_t(250 - i), 3, std::uint8_t(i == 7 ? 0 : 255)});
    return EncodePng(recipe);
}

TEST(EmbeddedPicture, PngAndJpegDataDecodeAsTheirPictures) {
    const PictureBytes png = Png5x3();
    const BmpReadResult fromBmp = DecodeBmp(WrapInBmp(png, 5, 3, kPng));
    ASSERT_TRUE(fromBmp.image) << fromBmp.Message();
    EXPECT_EQ(fromBmp.image->bitmap, DecodePng(png).image->bitmap);
    EXPECT_EQ(fromBmp.image->bitmap.GetPixel(2, 1), ColorFromRgb(255, 255, 255));  // the clear pixel
    EXPECT_EQ(fromBmp.image->bitDepth, 32);

    const PictureBytes jpeg = EncodeJpeg(testing::SmoothPicture(20, 10));
    const BmpReadResult jpegBmp = DecodeBmp(WrapInBmp(jpeg, 20, 10, kJpeg));
    ASSERT_TRUE(jpegBmp.image) << jpegBmp.Message();
    EXPECT_EQ(jpegBmp.image->bitmap, DecodeJpeg(jpeg).image->bitmap);
    EXPECT_EQ(jpegBmp.image->bitDepth, 24);

    // The join dialog reads only the header: such a file counts as full colour there.
    const BmpHeaderResult header = ReadBmpHeader(WrapInBmp(png, 5, 3, kPng));
    ASSERT_TRUE(header.info);
    EXPECT_EQ(header.info->bitDepth, 24);
}

TEST(EmbeddedPicture, MismatchesAndDamageAreRefusedWithTheirReasons) {
    const PictureBytes png = Png5x3();
    EXPECT_EQ(DecodeBmp(WrapInBmp(png, 5, 4, kPng)).error, BmpError::EmbeddedSizeMismatch);
    EXPECT_EQ(DecodeBmp(WrapInBmp(png, 5, 3, kPng, 24)).error, BmpError::BadCompression);
    EXPECT_EQ(DecodeBmp(WrapInBmp(png, 5, 3, kJpeg)).error, BmpError::DamagedJpeg);  // PNG data called JPEG
    EXPECT_EQ(DecodeBmp(WrapInBmp(png, 5, 3, 0, 0)).error, BmpError::BadBitCount);
    PictureBytes cut = WrapInBmp(png, 5, 3, kPng);
    cut.resize(cut.size() - 30);
    EXPECT_EQ(DecodeBmp(cut).error, BmpError::DamagedPng);
    cut.resize(54);
    EXPECT_EQ(DecodeBmp(cut).error, BmpError::NoPixelData);
    EXPECT_EQ(DecodeBmp(WrapInBmp(PictureBytes(), 5, 3, kPng)).Message(), "The file ends before its pixel data.");
}

// The picture's own header is compared with the bitmap's before the picture is decoded: a
// large picture inside a bitmap that says 1 x 1 takes no pixel memory.
TEST(EmbeddedPicture, APictureOfAnotherSizeIsRefusedBeforeItIsDecoded) {
    PngRecipe grey{1600, 1600, 0, 8};  // 10 MB of pixels: a block from the pool
    grey.rows.assign(std::size_t(1600) * 1600, 77);
    const PictureBytes png = EncodePng(grey);
    const PictureBytes jpeg = EncodeJpeg(Bitmap(1600, 1600, ColorFromRgb(1, 2, 3)));
    ASSERT_TRUE(DecodePng(png).image);
    for (const auto& [data, compression] : {std::pair{&png, kPng}, std::pair{&jpeg, kJpeg}}) {
        const PixelPool::Counts before = PixelPool::Shared().Counters();
        EXPECT_EQ(DecodeBmp(WrapInBmp(*data, 1, 1, compression)).error, BmpError::EmbeddedSizeMismatch);
        const PixelPool::Counts after = PixelPool::Shared().Counters();
        EXPECT_EQ(after.fresh + after.reused, before.fresh + before.reused) << compression;
    }
}

TEST(EmbeddedPicture, FilesAreToldApartByTheirFirstBytesNotTheirNames) {
    const PictureBytes png = Png5x3();
    const PictureBytes jpeg = EncodeJpeg(testing::SmoothPicture(4, 4));
    const PictureBytes bmp = WrapInBmp(png, 5, 3, kPng);
    EXPECT_EQ(DecodePicture(png).image->bitmap, DecodePng(png).image->bitmap);
    EXPECT_EQ(DecodePicture(jpeg).image->bitmap, DecodeJpeg(jpeg).image->bitmap);
    EXPECT_EQ(DecodePicture(bmp).image->bitmap, DecodePng(png).image->bitmap);
    EXPECT_EQ(DecodePicture(PictureBytes{'B', 'M', 0}).error, BmpError::NotBmp);
    const BmpReadResult text = DecodePicture(PictureBytes{'h', 'e', 'l', 'l', 'o'});
    EXPECT_EQ(text.error, BmpError::NotPicture);
    EXPECT_EQ(text.Message(), "The file is not a BMP, PNG or JPEG file.");
    EXPECT_EQ(DecodePicture(PictureBytes()).error, BmpError::NotPicture);
}

}  // namespace
}  // namespace rastrix

// The EXIF orientation of JPEG files, read from crafted segments, and the turn that makes a
// photo stand upright.
#include "codec/ExifOrientation.h"

#include <gtest/gtest.h>

#include "codec/JpegDecoder.h"
#include "raster/Bands.h"
#include "support/ExifTestFiles.h"
#include "support/PictureTestFiles.h"

namespace rastrix {
namespace {

using testing::ExifSegment;
using testing::PictureBytes;
using testing::Segment;
using testing::TiffBytes;
using testing::TiffEntry;
using testing::TiffRecipe;

// A real (small) JPEG, so the segments are found among those an encoder writes.
const PictureBytes& Jpeg() {
    static const PictureBytes jpeg = testing::EncodeJpeg(testing::SmoothPicture(8, 8));
    return jpeg;
}

PictureBytes WithTiff(const TiffRecipe& recipe) {
    return testing::AfterStartOfImage(Jpeg(), ExifSegment(TiffBytes(recipe)));
}

// Read from a copy of exactly these bytes, so a read past their end is caught by the sanitizer.
int OrientationOf(const PictureBytes& bytes) {
    const PictureBytes exact(bytes);
    return ReadExifOrientation(exact);
}

TEST(ExifOrientation, EveryOrientationIsReadInEitherByteOrder) {
    for (bool bigEndian : {false, true}) {
        for (int orientation = 1; orientation <= 8; ++orientation) {
            TiffRecipe recipe{bigEndian};
            recipe.entries[0].value = std::uint32_t(orientation);
            EXPECT_EQ(OrientationOf(WithTiff(recipe)), orientation) << "big-endian " << bigEndian;
        }
    }
    // The picture still decodes with the segment in it.
    EXPECT_TRUE(DecodeJpeg(testing::WithOrientation(Jpeg(), 6)).image.has_value());
}

TEST(ExifOrientation, TheTagIsFoundAmongOtherEntriesAndSegments) {
    TiffRecipe recipe{true, {TiffEntry{0x010F, 2, 4, 0x41424300}, TiffEntry{0x0100, 4, 1, 640}, TiffEntry{0x0112, 3, 1, 8}}};
    EXPECT_EQ(OrientationOf(WithTiff(recipe)), 8);
    // After a JFIF segment, an XMP segment (also APP1) and fill bytes before a marker.
    const PictureBytes jfif = Segment(0xE0, {'J', 'F', 'I', 'F', 0, 1, 2, 0, 0, 1, 0, 1, 0, 0});
    const PictureBytes xmp = Segment(0xE1, {'h', 't', 't', 'p', ':', '/', '/', 'n', 's', 0});
    PictureBytes segments = jfif;
    segments.insert(segments.end(), xmp.begin(), xmp.end());
    segments.insert(segments.end(), {0xFF, 0xFF});
    const PictureBytes exif = ExifSegment(TiffBytes(recipe));
    segments.insert(segments.end(), exif.begin(), exif.end());
    EXPECT_EQ(OrientationOf(testing::AfterStartOfImage(Jpeg(), segments)), 8);
}

TEST(ExifOrientation, WhatGivesNoUsableOrientationCountsAsUpright) {
    struct Case {
        const char* what;
        PictureBytes bytes;
    };
    auto tiff = [](auto change) {
        TiffRecipe recipe;
        recipe.entries[0].value = 6;
        change(recipe);
        return WithTiff(recipe);
    };
    PictureBytes wrongOrder = TiffBytes(TiffRecipe{});
    wrongOrder[0] = wrongOrder[1] = 'X';
    PictureBytes wrongMagic = TiffBytes(TiffRecipe{});
    wrongMagic[2] = 43;
    PictureBytes afterScan = Jpeg();  // an Exif segment just before the end of the picture data
    const PictureBytes late = ExifSegment(TiffBytes(TiffRecipe{false, {TiffEntry{0x0112, 3, 1, 6}}}));
    afterScan.insert(afterScan.end() - 2, late.begin(), late.end());
    const std::vector<Case> cases = {
        {"no Exif segment", Jpeg()},
        {"value 0", tiff([](TiffRecipe& r) { r.entries[0].value = 0; })},
        {"value 9", tiff([](TiffRecipe& r) { r.entries[0].value = 9; })},
        {"value 0xFFFF", tiff([](TiffRecipe& r) { r.entries[0].value = 0xFFFF; })},
        {"a 32-bit value", tiff([](TiffRecipe& r) { r.entries[0].type = 4; })},
        {"two values", tiff([](TiffRecipe& r) { r.entries[0].count = 2; })},
        {"the tag in no directory", tiff([](TiffRecipe& r) { r.entries[0].tag = 0x0113; })},
        {"directory past the end", tiff([](TiffRecipe& r) { r.directoryOffset = 0xFFFFFFF0u; })},
        {"directory at the last byte", tiff([](TiffRecipe& r) { r.directoryOffset = 0xFFFFFFFFu; })},
        {"more entries claimed than there are", tiff([](TiffRecipe& r) {
             r.entries[0].tag = 0x0100;
             r.entryCount = 0xFFFF;
         })},
        {"byte order unknown", testing::AfterStartOfImage(Jpeg(), ExifSegment(wrongOrder))},
        {"not a TIFF", testing::AfterStartOfImage(Jpeg(), ExifSegment(wrongMagic))},
        {"TIFF header cut short", testing::AfterStartOfImage(Jpeg(), ExifSegment({'I', 'I', 42, 0, 8}))},
        {"segment longer than the file", testing::AfterStartOfImage(PictureBytes{0xFF, 0xD8}, {0xFF, 0xE1, 0xFF, 0xFF, 'E', 'x'})},
        {"segment length 0", testing::AfterStartOfImage(Jpeg(), {0xFF, 0xE1, 0x00, 0x00})},
        {"segment length 1", testing::AfterStartOfImage(Jpeg(), {0xFF, 0xE1, 0x00, 0x01})},
        {"garbage instead of a marker", testing::AfterStartOfImage(Jpeg(), {0x12, 0x34})},
        {"Exif after the picture data starts", afterScan},
        {"not a JPEG", TiffBytes(TiffRecipe{})},
        {"start of image only", {0xFF, 0xD8}},
        {"nothing", {}},
    };
    for (const Case& c : cases) EXPECT_EQ(OrientationOf(c.bytes), kUprightOrientation) << c.what;
}

TEST(ExifOrientation, AFileCutAnywhereIsReadWithinItsBytes) {
    TiffRecipe recipe{true, {TiffEntry{0x0100, 4, 1, 8}, TiffEntry{0x0112, 3, 1, 3}}};
    const PictureBytes exif = ExifSegment(TiffBytes(recipe));
    const PictureBytes whole = testing::AfterStartOfImage(Jpeg(), exif);
    const std::size_t segmentEnd = 2 + exif.size();
    // Cut inside the segment, its length runs past the end and it is not read at all.
    for (std::size_t n = 0; n <= segmentEnd + 8; ++n)
        EXPECT_EQ(OrientationOf(PictureBytes(whole.begin(), whole.begin() + std::ptrdiff_t(n))), n < segmentEnd ? 1 : 3)
            << n << " bytes";
}

// 3 x 2, every pixel different:  1 2 3
//                                4 5 6
Bitmap Stored() {
    Bitmap b(3, 2);
    for (int i = 0; i < 6; ++i) b.SetPixel(i % 3, i / 3, Color(i + 1));
    return b;
}

Bitmap Rows(std::initializer_list<std::vector<int>> rows) {
    Bitmap b(int(rows.begin()->size()), int(rows.size()));
    int y = 0;
    for (const auto& row : rows) {
        for (std::size_t x = 0; x < row.size(); ++x) b.SetPixel(int(x), y, Color(row[x]));
        ++y;
    }
    return b;
}

TEST(ExifOrientation, EachOrientationTurnsThePictureUpright) {
    const std::vector<std::pair<int, Bitmap>> cases = {
        {1, Rows({{1, 2, 3}, {4, 5, 6}})},      {2, Rows({{3, 2, 1}, {6, 5, 4}})},
        {3, Rows({{6, 5, 4}, {3, 2, 1}})},      {4, Rows({{4, 5, 6}, {1, 2, 3}})},
        {5, Rows({{1, 4}, {2, 5}, {3, 6}})},    {6, Rows({{4, 1}, {5, 2}, {6, 3}})},
        {7, Rows({{6, 3}, {5, 2}, {4, 1}})},    {8, Rows({{3, 6}, {2, 5}, {1, 4}})},
        {0, Stored()},                          {9, Stored()},
        {-1, Stored()},
    };
    for (const auto& [orientation, upright] : cases) {
        Bitmap picture = Stored();
        EXPECT_TRUE(TurnUpright(picture, orientation));
        EXPECT_EQ(picture, upright) << "orientation " << orientation;
    }
    // Odd and even heights: the middle row of a mirror stays, the others change places.
    for (int orientation : {3, 4}) {
        Bitmap tall(1, 3);
        for (int y = 0; y < 3; ++y) tall.SetPixel(0, y, Color(y + 1));
        ASSERT_TRUE(TurnUpright(tall, orientation));
        EXPECT_EQ(tall, Rows({{3}, {2}, {1}})) << orientation;
    }
    Bitmap empty;
    EXPECT_TRUE(TurnUpright(empty, 6));
    EXPECT_TRUE(empty.IsEmpty());
}

// A picture large enough to be turned in bands across threads: every orientation gives, on any
// number of threads, what the orientation's mapping gives pixel by pixel.
TEST(ExifOrientation, LargePicturesTurnUprightInBandsAsPixelByPixel) {
    const int w = 1031, h = 997;  // no multiple of the turn's tiles; odd, so a middle row stays
    Bitmap stored(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) stored.Row(y)[x] = Pixel{std::uint32_t(x * 40503 + y * 2654435761u) & 0x00FFFFFFu};
    for (int orientation = 2; orientation <= 8; ++orientation) {
        const bool swaps = orientation >= 5;
        Bitmap expected(swaps ? h : w, swaps ? w : h);
        for (int v = 0; v < h; ++v)
            for (int u = 0; u < w; ++u) {
                const int x = orientation == 2 || orientation == 3 ? w - 1 - u
                              : orientation == 4                   ? u
                              : orientation == 5 || orientation == 8 ? v
                                                                     : h - 1 - v;
                const int y = orientation == 2                     ? v
                              : orientation == 3 || orientation == 4 ? h - 1 - v
                              : orientation == 5 || orientation == 6 ? u
                                                                     : w - 1 - u;
                expected.Row(y)[x] = stored.Row(v)[u];
            }
        for (int threads : {1, 2, 3}) {
            const BandLimit limit(threads);
            Bitmap picture = stored;
            ASSERT_TRUE(TurnUpright(picture, orientation));
            ASSERT_EQ(picture, expected) << "orientation " << orientation << " on " << threads << " threads";
        }
    }
}

}  // namespace
}  // namespace rastrix

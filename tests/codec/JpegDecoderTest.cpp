// JPEG pictures decode close to the picture that was encoded; damaged ones are refused.
#include <gtest/gtest.h>

#include <turbojpeg.h>

#include <algorithm>
#include <cstdlib>
#include <tuple>

#include "codec/JpegDecoder.h"
#include "codec/JpegMarkers.h"
#include "raster/Bands.h"
#include "raster/PixelPool.h"
#include "support/PictureTestFiles.h"
#include "support/RandomPicture.h"

namespace rastrix {
namespace {

using testing::EncodeJpeg;
using testing::PictureBytes;
using testing::SmoothPicture;

// The largest difference of any channel of any pixel.
int LargestDifference(const Bitmap& a, const Bitmap& b) { return testing::Difference(a, b).largest; }

TEST(JpegDecoder, ColorAndGreyPicturesComeBackCloseToTheOriginal) {
    const Bitmap original = SmoothPicture(37, 21);  // sizes that are not whole blocks
    const BmpReadResult color = DecodeJpeg(EncodeJpeg(original));
    ASSERT_TRUE(color.image) << color.Message();
    EXPECT_EQ(color.image->bitDepth, 24);
    ASSERT_EQ(color.image->bitmap.Width(), 37);
    ASSERT_EQ(color.image->bitmap.Height(), 21);
    EXPECT_LE(LargestDifference(color.image->bitmap, original), 6);
    for (int y = 0; y < 21; ++y)
        for (int x = 0; x < 37; ++x) ASSERT_EQ(ValueOf(color.image->bitmap.Row(y)[x]) >> 24, 0u) << x << "," << y;

    const BmpReadResult grey = DecodeJpeg(EncodeJpeg(original, true));
    ASSERT_TRUE(grey.image) << grey.Message();
    EXPECT_EQ(grey.image->bitDepth, 8);
    const Pixel p = grey.image->bitmap.Row(10)[20];
    EXPECT_EQ(BlueOf(p), GreenOf(p));
    EXPECT_EQ(BlueOf(p), RedOf(p));
}

// Where the frame header's marker stands.
std::size_t FrameAt(const PictureBytes& b) {
    for (std::size_t i = 0; i + 9 < b.size(); ++i)
        if (b[i] == 0xFF && b[i + 1] == 0xC0) return i;
    ADD_FAILURE() << "no frame header";
    return 0;
}

// Files that claim what their data cannot hold, or more than a picture needs, are refused
// with the true reason before the library decodes anything, and so before any pixel memory.
TEST(JpegDecoder, ClaimsAndScanBombsAreRefusedBeforeAnyPixelMemory) {
    const PictureBytes good = EncodeJpeg(SmoothPicture(32, 32));
    const std::size_t frame = FrameAt(good);

    PictureBytes claim = good;  // 16384 x 16384 over the data of 32 x 32 pixels
    for (std::size_t k = frame + 5; k < frame + 9; k += 2) claim[k] = 0x40, claim[k + 1] = 0x00;
    const PixelPool::Counts before = PixelPool::Shared().Counters();
    EXPECT_EQ(DecodeJpeg(claim).error, BmpError::PictureDataTooShort);
    const PixelPool::Counts after = PixelPool::Shared().Counters();
    EXPECT_EQ(after.fresh, before.fresh);
    EXPECT_EQ(after.inUse, before.inUse);

    PictureBytes deep = good;  // samples of 12 bits
    deep[frame + 4] = 12;
    const BmpReadResult twelve = DecodeJpeg(deep);
    EXPECT_EQ(twelve.error, BmpError::UnsupportedJpegPrecision);
    EXPECT_EQ(twelve.Message(), "The JPEG picture has 12- or 16-bit samples, a kind this program does not read.");

    // 600 more scans after the picture's own: counted before any is decoded.
    PictureBytes bomb(good.begin(), good.end() - 2);
    std::size_t scan = frame;
    while (!(good[scan] == 0xFF && good[scan + 1] == 0xDA)) ++scan;
    const std::size_t header = 2 + (std::size_t(good[scan + 2]) << 8 | good[scan + 3]);
    for (int i = 0; i < 600; ++i) {
        bomb.insert(bomb.end(), good.begin() + std::ptrdiff_t(scan), good.begin() + std::ptrdiff_t(scan + header));
        bomb.push_back(0x00);
    }
    bomb.insert(bomb.end(), {0xFF, 0xD9});
    const BmpReadResult scans = DecodeJpeg(bomb);
    EXPECT_EQ(scans.error, BmpError::JpegTooManyScans);
    EXPECT_EQ(scans.Message(), "The JPEG picture has more than 500 scans, far more than any real picture needs.");

    // Read row by row with the outline checked beside the decoder, these pictures in one scan
    // start decoding at once; the outline's reason is still the answer, not the decoder's.
    struct Counting final : PictureRowSink {
        bool Begin(int, int, bool) override { return true; }
        void Row(const Pixel*, const Pixel*) override {}
    };
    for (const auto& [file, error] : {std::pair{&claim, BmpError::PictureDataTooShort},
                                      std::pair{&deep, BmpError::UnsupportedJpegPrecision},
                                      std::pair{&bomb, BmpError::JpegTooManyScans}})
        for (bool overlap : {false, true}) {
            const BandLimit limit(2);
            PictureOptions options;
            options.overlapRows = overlap;
            Counting sink;
            EXPECT_EQ(DecodeJpegRows(*file, options, sink).error, error) << overlap;
        }
}

// Pictures whose decoding would cost far more than any real picture's: the scans' work, the
// coefficient memory of a picture in several scans, a file without its end. Each is refused
// before the library sees it, so before any pixel memory.
struct CostlyJpeg {
    const char* name;
    testing::JpegSketch sketch;
    BmpError error;
};

testing::JpegScanSketch Dc(std::vector<int> components, std::size_t dataBytes = 8) {
    return {std::move(components), 0, 0, 0, 0, dataBytes};
}
testing::JpegScanSketch Ac(int component) { return {{component}, 1, 63, 0, 0, 8}; }
// A first DC scan, then AC scans of each component in turn, `count` scans in all.
std::vector<testing::JpegScanSketch> Scans(int count, int components, std::size_t dcBytes = 8) {
    std::vector<int> all;
    for (int c = 1; c <= components; ++c) all.push_back(c);
    std::vector<testing::JpegScanSketch> scans = {Dc(all, dcBytes)};
    for (int i = 1; i < count; ++i) scans.push_back(Ac(1 + i % components));
    return scans;
}

const CostlyJpeg kCostlyJpegs[] = {
    // The file of 499 scans over 16384 x 16384 that took half a minute: 499 passes.
    {"ScansOfArithmeticGrey16384", {0xCA, 16384, 16384, {{1, 1}}, Scans(499, 1)}, BmpError::JpegTooMuchScanWork},
    // 21 passes, its first scan long enough for its blocks: one pass more than allowed.
    {"TwentyOnePassesOverGrey4096", {0xC2, 4096, 4096, {{1, 1}}, Scans(21, 1, 40000)}, BmpError::JpegTooMuchScanWork},
    // Colour without subsampling in several scans: 1.5 GiB of coefficients from a few bytes.
    {"ProgressiveColour16384", {0xCA, 16384, 16384, {{1, 1}, {1, 1}, {1, 1}}, Scans(6, 3)},
     BmpError::JpegCoefficientsTooLarge},
    // Sequential, but its first scan holds one component of three: the whole picture is kept.
    {"SequentialScanPerComponent14000", {0xC9, 14000, 14000, {{1, 1}, {1, 1}, {1, 1}}, {Dc({1}), Dc({2}), Dc({3})}},
     BmpError::JpegCoefficientsTooLarge},
    // Without its end marker the data cannot be whole.
    {"NoEndMarker8192", {0xCA, 8192, 8192, {{1, 1}}, Scans(6, 1), false}, BmpError::DamagedJpeg},
};

class CostlyJpegTest : public ::testing::TestWithParam<CostlyJpeg> {};

TEST_P(CostlyJpegTest, IsRefusedBeforeAnyPixelMemory) {
    const PixelPool::Counts before = PixelPool::Shared().Counters();
    const BmpReadResult r = DecodeJpeg(testing::SketchJpeg(GetParam().sketch));
    const PixelPool::Counts after = PixelPool::Shared().Counters();
    EXPECT_EQ(r.error, GetParam().error) << r.Message();
    EXPECT_EQ(after.fresh, before.fresh);
    EXPECT_EQ(after.inUse, before.inUse);
    // Read row by row, with its outline checked first or beside the decoder on a second core:
    // the same refusal, and no row handed out.
    struct NoRows final : PictureRowSink {
        int begun = 0, rows = 0;
        bool Begin(int, int, bool) override { return ++begun > 0; }
        void Row(const Pixel*, const Pixel*) override { ++rows; }
    };
    for (bool overlap : {false, true}) {
        const BandLimit limit(2);
        PictureOptions options;
        options.overlapRows = overlap;
        NoRows sink;
        EXPECT_EQ(DecodeJpegRows(testing::SketchJpeg(GetParam().sketch), options, sink).error, GetParam().error) << overlap;
        EXPECT_EQ(sink.rows, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Claims, CostlyJpegTest, ::testing::ValuesIn(kCostlyJpegs),
                         [](const auto& info) { return std::string(info.param.name); });

// The figures the checks rest on, worked out by hand from the decoder's rules: a component's
// blocks round its share of the picture up to whole blocks, its kept coefficients round them up
// to whole sampling units, and an interleaved scan codes whole units of every component in it.
struct OutlineFigures {
    const char* name;
    testing::JpegSketch sketch;
    std::uint64_t frameBlocks, scanBlocks, coefficientBytes;
};

const OutlineFigures kOutlineFigures[] = {
    // 4:2:0, 100 x 100: luma 13 x 13 blocks (kept as 14 x 14), each chroma 7 x 7; 7 x 7 units
    // of 4 + 1 + 1 blocks.
    {"Progressive420", {0xC2, 100, 100, {{2, 2}, {1, 1}, {1, 1}}, {Dc({1, 2, 3}), Ac(1), Ac(2)}}, 267, 294 + 169 + 49,
     (196 + 49 + 49) * 128},
    {"Baseline420OneScan", {0xC0, 100, 100, {{2, 2}, {1, 1}, {1, 1}}, {Dc({1, 2, 3})}}, 267, 294, 0},
    {"BaselineScanPerComponent", {0xC0, 100, 100, {{2, 2}, {1, 1}, {1, 1}}, {Dc({1}), Dc({2}), Dc({3})}}, 267, 267,
     (196 + 49 + 49) * 128},
    {"ProgressiveGrey17x9", {0xC2, 17, 9, {{1, 1}}, Scans(3, 1)}, 6, 18, 6 * 128},
};

class OutlineFiguresTest : public ::testing::TestWithParam<OutlineFigures> {};

TEST_P(OutlineFiguresTest, CountBlocksAndMemoryAsTheDecoderDoes) {
    const OutlineFigures& c = GetParam();
    const JpegOutline o = ReadJpegOutline(testing::SketchJpeg(c.sketch));
    ASSERT_TRUE(o.frameFound);
    EXPECT_TRUE(o.endFound);
    EXPECT_EQ(o.frameBlocks, c.frameBlocks);
    EXPECT_EQ(o.scanBlocks, c.scanBlocks);
    EXPECT_EQ(o.coefficientBytes, c.coefficientBytes);
    // Read for its size only, the frame is the same and no scan is walked.
    const JpegOutline frame = ReadJpegOutline(testing::SketchJpeg(c.sketch), true);
    ASSERT_TRUE(frame.frameFound);
    EXPECT_EQ(std::tuple(frame.frameMarker, frame.width, frame.height, frame.precision, frame.frameBlocks),
              std::tuple(o.frameMarker, o.width, o.height, o.precision, o.frameBlocks));
    EXPECT_EQ(frame.scans, 0);
    EXPECT_FALSE(frame.endFound);
}

INSTANTIATE_TEST_SUITE_P(Sketches, OutlineFiguresTest, ::testing::ValuesIn(kOutlineFigures),
                         [](const auto& info) { return std::string(info.param.name); });

// Progressive files as encoders write them pass every check and decode; without their end
// marker they are refused.
TEST(JpegDecoder, ProgressiveFilesDecodeAndAreRefusedWithoutTheirEnd) {
    const Bitmap original = SmoothPicture(37, 21);
    for (int subsampling : {TJSAMP_GRAY, TJSAMP_444, TJSAMP_422, TJSAMP_420}) {
        SCOPED_TRACE(subsampling);
        const PictureBytes file = testing::EncodeProgressiveJpeg(original, subsampling);
        const JpegOutline outline = ReadJpegOutline(file);
        EXPECT_GT(outline.scans, 1);
        EXPECT_LE(outline.scanBlocks, 8 * outline.frameBlocks);  // what the library's own script costs
        const BmpReadResult r = DecodeJpeg(file);
        ASSERT_TRUE(r.image) << r.Message();
        EXPECT_EQ(r.image->bitmap.Width(), 37);
        if (subsampling != TJSAMP_GRAY) {
            EXPECT_LT(testing::Difference(r.image->bitmap, original).mean, 3.0);
        }
        EXPECT_EQ(DecodeJpeg(PictureBytes(file.begin(), file.end() - 2)).error, BmpError::DamagedJpeg);
    }
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

    // 65535 a side is within the side limit but far beyond the pixel limit.
    PictureBytes widest = good;
    const std::size_t frame = FrameAt(widest);
    for (std::size_t k = frame + 5; k < frame + 9; ++k) widest[k] = 0xFF;
    EXPECT_EQ(DecodeJpeg(widest).error, BmpError::TooLarge);

    PictureOptions refuseCmyk;
    refuseCmyk.convertCmyk = false;
    const BmpReadResult cmyk = DecodeJpeg(EncodeJpeg(SmoothPicture(8, 8), false, true), refuseCmyk);
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
            inks.insert(inks.end(), {RedOf(p), GreenOf(p), BlueOf(p), std::uint8_t(255 - black)});
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

TEST(JpegDecoder, CmykPicturesAreConvertedUnlessRefused) {
    const Bitmap original = SmoothPicture(24, 16);
    PictureOptions refuse;
    refuse.convertCmyk = false;
    for (int black : {0, 128}) {
        SCOPED_TRACE(black);
        const PictureBytes file = AdobeCmykJpeg(original, std::uint8_t(black));
        ASSERT_FALSE(file.empty());
        EXPECT_EQ(DecodeJpeg(file, refuse).error, BmpError::UnsupportedJpeg);
        const BmpReadResult r = DecodeJpeg(file);
        ASSERT_TRUE(r.image) << r.Message();
        EXPECT_EQ(r.image->bitDepth, 24);
        // Black ink darkens every channel by the same factor.
        Bitmap want = original;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 24; ++x) {
                std::uint32_t p = 0;
                for (int shift : {0, 8, 16})
                    p |= (((ValueOf(original.Row(y)[x]) >> shift & 0xFFu) * unsigned(255 - black) + 127) / 255) << shift;
                want.Row(y)[x] = Pixel{p};
            }
        EXPECT_LE(LargestDifference(r.image->bitmap, want), 6);
    }
}

// Without Adobe's marker, or with it spoilt, a picture of four components is CMYK, and its
// values are read inverted as Adobe's are, as Pillow, ImageMagick and djpeg read them. The
// library writes CMYK as YCCK, so flat ink 55 on every plate with no black is stored as the
// samples (200, 128, 128, 255), which without the marker are the CMYK values read.
TEST(JpegDecoder, CmykWithoutAdobesMarkerIsReadInvertedAsOtherReadersDo) {
    const PictureBytes adobe = AdobeCmykJpeg(Bitmap(16, 8, ColorFromRgb(55, 55, 55)), 0);
    ASSERT_FALSE(adobe.empty());
    std::size_t app14 = 2;
    while (app14 + 4 < adobe.size() && !(adobe[app14] == 0xFF && adobe[app14 + 1] == 0xEE))
        app14 += 2 + (std::size_t(adobe[app14 + 2]) << 8 | adobe[app14 + 3]);
    ASSERT_LT(app14 + 4, adobe.size()) << "no Adobe marker";
    const std::size_t length = 2 + (std::size_t(adobe[app14 + 2]) << 8 | adobe[app14 + 3]);
    PictureBytes without = adobe;
    without.erase(without.begin() + std::ptrdiff_t(app14), without.begin() + std::ptrdiff_t(app14 + length));
    PictureBytes spoilt = adobe;
    spoilt[app14 + 8] = 'x';  // "Adobx"
    for (const auto& [name, file] : {std::pair{"without", without}, std::pair{"spoilt", spoilt}}) {
        SCOPED_TRACE(name);
        const BmpReadResult r = DecodeJpeg(file);
        ASSERT_TRUE(r.image) << r.Message();
        EXPECT_LE(LargestDifference(r.image->bitmap, Bitmap(16, 8, ColorFromRgb(200, 128, 128))), 2);
    }
}

}  // namespace
}  // namespace rastrix

// The ways a JPEG picture is read (whole, a row at a time for a scaler, in bands that a second
// core puts in place, turned as it is decoded, reduced on the way) give the same pixels: those
// of the library's own one-call decode.
#include <gtest/gtest.h>

#include <turbojpeg.h>

#include <algorithm>
#include <string>
#include <utility>

#include "codec/JpegDecoder.h"
#include "raster/Bands.h"
#include "raster/Turn.h"
#include "support/PictureTestFiles.h"
#include "support/RandomPicture.h"

namespace rastrix {
namespace {

using testing::EncodeJpeg;
using testing::PictureBytes;
using testing::SmoothPicture;

struct Reduction {
    int width, height, minWidth, minHeight, wantWidth, wantHeight;
};

class JpegReductionTest : public ::testing::TestWithParam<Reduction> {};

// The same library's one-call decode of the file at the size asked for (it picks its own scale
// and reads the rows its own way): the pixels this decoder must give.
Bitmap OneCallDecode(const PictureBytes& file, int width, int height) {
    tjhandle tj = tjInitDecompress();
    Bitmap out(width, height, ColorFromRgb(0, 0, 0));
    const int e = tjDecompress2(tj, file.data(), static_cast<unsigned long>(file.size()),
                                reinterpret_cast<unsigned char*>(out.Data()), width, width * 4, height, TJPF_BGRX,
                                TJFLAG_ACCURATEDCT | TJFLAG_STOPONWARNING);
    tjDestroy(tj);
    EXPECT_EQ(e, 0) << tjGetErrorStr();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) out.Row(y)[x] = ClearTopByte(out.Row(y)[x]);
    return out;
}

// Keeps the rows a row-by-row decode hands out.
struct KeepingSink final : PictureRowSink {
    Bitmap rows;
    int next = 0;
    bool Begin(int width, int height, bool withAlpha) override {
        EXPECT_FALSE(withAlpha);
        rows = Bitmap(width, height, ColorFromRgb(255, 0, 255));
        return true;
    }
    void Row(const Pixel* pixels, const Pixel* alpha) override {
        EXPECT_EQ(alpha, nullptr);
        ASSERT_LT(next, rows.Height());
        std::copy(pixels, pixels + rows.Width(), rows.Row(next++));
    }
};

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
    const Pixel want = original.Row(std::min(c.wantHeight / 2 * d + d / 2, c.height - 1))[std::min(
        c.wantWidth / 2 * d + d / 2, c.width - 1)];
    for (int shift : {0, 8, 16}) EXPECT_NEAR(int(ValueOf(got) >> shift & 0xFF), int(ValueOf(want) >> shift & 0xFF), 12) << shift;
    for (int y = 0; y < c.wantHeight; ++y)
        for (int x = 0; x < c.wantWidth; ++x) ASSERT_EQ(ValueOf(r.image->bitmap.Row(y)[x]) >> 24, 0u);

    // Exactly the library's one-call decode at that size, for colour, grey and progressive
    // files; and row by row the same rows, on one core or decoded beside their taker.
    const std::pair<const char*, PictureBytes> files[] = {
        {"colour", EncodeJpeg(original)},
        {"grey", EncodeJpeg(original, true)},
        {"progressive 4:2:0", testing::EncodeProgressiveJpeg(original, TJSAMP_420)},
    };
    for (const auto& [name, file] : files) {
        SCOPED_TRACE(name);
        const BmpReadResult whole = DecodeJpeg(file, options);
        ASSERT_TRUE(whole.image) << whole.Message();
        EXPECT_EQ(whole.image->bitmap, OneCallDecode(file, c.wantWidth, c.wantHeight));
        for (bool overlap : {false, true}) {
            PictureOptions rowsOptions = options;
            rowsOptions.overlapRows = overlap;
            KeepingSink sink;
            std::size_t told = 0;
            const BmpReadResult rows = DecodeJpegRows(file, rowsOptions, sink, [&told](std::size_t n) { told = n; });
            ASSERT_TRUE(rows.image) << rows.Message();
            EXPECT_TRUE(rows.image->bitmap.IsEmpty());
            EXPECT_EQ(rows.image->bitDepth, whole.image->bitDepth);
            EXPECT_EQ(sink.next, c.wantHeight);
            EXPECT_EQ(sink.rows, whole.image->bitmap);
            EXPECT_GT(told, file.size() / 2) << "told how far the file was read";
            EXPECT_LE(told, file.size());
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, JpegReductionTest,
                         ::testing::Values(Reduction{64, 48, 0, 0, 64, 48}, Reduction{64, 48, 8, 6, 8, 6},
                                         Reduction{64, 48, 16, 12, 16, 12}, Reduction{64, 48, 17, 1, 32, 24},
                                         Reduction{64, 48, 1, 25, 64, 48}, Reduction{65, 49, 9, 7, 9, 7},
                                         Reduction{65, 49, 10, 7, 17, 13}, Reduction{64, 48, 64, 48, 64, 48},
                                         // 3 x 3 halved is 2 x 2, which 5/8 gives too: the larger scale
                                         Reduction{3, 3, 2, 2, 2, 2}, Reduction{203, 157, 26, 20, 26, 20}));

// A photo turned as it is decoded, a band of rows at a time, with the bands turned beside the
// decoder or after it: exactly the whole picture decoded and then turned, for every turn, a
// height that is no whole number of bands, grey, CMYK and a reduced decode; damage is refused
// as the whole decode refuses it.
TEST(JpegDecoder, TurnedAsItIsDecodedIsTheWholePictureTurned) {
    const Bitmap original = SmoothPicture(300, 270);
    const std::pair<const char*, PictureBytes> files[] = {
        {"colour", EncodeJpeg(original)},
        {"grey", EncodeJpeg(original, true)},
        {"cmyk", EncodeJpeg(original, false, true)},
        {"progressive", testing::EncodeProgressiveJpeg(original, TJSAMP_420)},
    };
    for (const auto& [name, file] : files)
        for (const int minWidth : {0, 70}) {
            PictureOptions options;
            options.minWidth = minWidth;
            const BmpReadResult whole = DecodeJpeg(file, options);
            ASSERT_TRUE(whole.image) << whole.Message();
            for (int threads : {1, 2}) {  // read whole in bands that the second core puts in place
                const BandLimit limit(threads);
                PictureOptions overlapped = options;
                overlapped.overlapRows = true;
                const BmpReadResult banded = DecodeJpeg(file, overlapped);
                ASSERT_TRUE(banded.image) << banded.Message();
                EXPECT_EQ(banded.image->bitmap, whole.image->bitmap) << name << " threads " << threads;
                EXPECT_EQ(banded.image->bitDepth, whole.image->bitDepth);
            }
            for (Turn turn : {Turn::Clockwise, Turn::CounterClockwise, Turn::Transpose, Turn::Transverse, Turn::HalfTurn,
                              Turn::MirrorRows, Turn::MirrorColumns}) {
                const Rect area = whole.image->bitmap.Bounds();
                const Rect to = TurnedArea(area, {}, turn);
                Bitmap want(to.Width(), to.Height(), ColorFromRgb(0, 0, 0));
                ASSERT_TRUE(TurnArea(whole.image->bitmap, area, want, {}, turn));
                for (int threads : {1, 2}) {
                    SCOPED_TRACE(std::string(name) + " min " + std::to_string(minWidth) + " turn " +
                                 std::to_string(int(turn)) + " threads " + std::to_string(threads));
                    const BandLimit limit(threads);
                    PictureOptions overlapped = options;
                    overlapped.overlapRows = true;
                    const BmpReadResult got = DecodeJpegTurned(file, turn, overlapped);
                    ASSERT_TRUE(got.image) << got.Message();
                    EXPECT_EQ(got.image->bitDepth, whole.image->bitDepth);
                    EXPECT_EQ(got.image->bitmap, want);
                }
            }
            PictureBytes damaged = file;
            for (std::size_t i = file.size() / 2; i < file.size() / 2 + 30; ++i) damaged[i] = 0xFF;
            const BandLimit limit(2);
            PictureOptions overlapped = options;
            overlapped.overlapRows = true;
            EXPECT_EQ(DecodeJpegTurned(damaged, Turn::Clockwise, overlapped).error, DecodeJpeg(damaged, options).error) << name;
            EXPECT_EQ(DecodeJpeg(damaged, overlapped).error, DecodeJpeg(damaged, options).error) << name;
        }
}

}  // namespace
}  // namespace rastrix

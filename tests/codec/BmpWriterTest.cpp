#include "codec/BmpWriter.h"
#include "support/EncodedBmpFile.h"

#include <gtest/gtest.h>

#include <map>

#include "support/BmpTestSupport.h"

namespace rastrix {
namespace {

using testing::Bytes;
using testing::ExpectedHeader;

constexpr Color kRed = ColorFromRgb(255, 0, 0), kGreen = ColorFromRgb(0, 255, 0), kBlue = ColorFromRgb(0, 0, 255);
constexpr Color kMagenta = ColorFromRgb(255, 0, 255), kWhite = ColorFromRgb(255, 255, 255), kBlack = ColorFromRgb(0, 0, 0);

// Records how often the colour-loss question came and with which capacity.
struct Asker {
    bool answer = true;
    int calls = 0;
    int capacity = 0;
    ColorLossQuestion Fn() {
        return [this](int c) {
            ++calls;
            capacity = c;
            return answer;
        };
    }
};

Bytes Concat(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Bytes Encode(const Bitmap& image, int depth, Asker* asker = nullptr) {
    EncodedBmp r = testing::EncodeBmpFile(image, depth, asker ? asker->Fn() : ColorLossQuestion());
    EXPECT_EQ(r.status, EncodeStatus::Ok);
    return r.bytes;
}

TEST(BmpWriter, TwoColorsAtOneBitTakeIndexesBottomRowFirst) {
    Bitmap img(3, 2);
    img.SetPixel(0, 0, kRed), img.SetPixel(1, 0, kGreen), img.SetPixel(2, 0, kRed);
    img.SetPixel(0, 1, kGreen), img.SetPixel(1, 1, kGreen), img.SetPixel(2, 1, kRed);
    Bytes want = ExpectedHeader(70, 62, 3, 2, 1, 8);
    want = Concat(want, {0x00, 0xFF, 0x00, 0, 0x00, 0x00, 0xFF, 0});  // green 0, red 1
    want = Concat(want, {0x20, 0, 0, 0, 0xA0, 0, 0, 0});              // G G R, then R G R
    EXPECT_EQ(Encode(img, 1), want);
}

TEST(BmpWriter, OneColorAtOneBitLeavesSecondEntryWhite) {
    Bitmap img(2, 2, kBlue);
    Bytes want = ExpectedHeader(70, 62, 2, 2, 1, 8);
    want = Concat(want, {0xFF, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0});
    want = Concat(want, {0, 0, 0, 0, 0, 0, 0, 0});
    EXPECT_EQ(Encode(img, 1), want);
}

TEST(BmpWriter, SixteenSquareAtFourBitsHasFourteenWhiteEntries) {
    Bitmap img(16, 16, kWhite);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            if ((x + y) % 3 == 1) img.SetPixel(x, y, kBlack);
    // The bottom-left pixel is white, so white is entry 0 and black entry 1.
    Bytes want = ExpectedHeader(54 + 64 + 128, 118, 16, 16, 4, 128);
    want = Concat(want, {0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0});
    for (int i = 0; i < 14; ++i) want = Concat(want, {0xFF, 0xFF, 0xFF, 0});
    for (int y = 15; y >= 0; --y)
        for (int x = 0; x < 16; x += 2)
            want.push_back(std::uint8_t(((x + y) % 3 == 1) << 4 | ((x + 1 + y) % 3 == 1)));
    EXPECT_EQ(Encode(img, 4), want);
}

// Six colours in bands; strip-shaped widths get a table sorted by colour value with pure blue and
// magenta nudged to 248, other widths keep the order the scan met them.
struct BandCase {
    int width;
    std::vector<Bytes> table;         // the first six entries, as stored
    std::map<Color, int> indexOf;     // where each colour's pixels point
};

class BandedImage : public ::testing::TestWithParam<BandCase> {};

Bitmap Bands(int width) {
    const Color bands[6] = {kWhite, kMagenta, kBlue, kRed, kGreen, kBlack};
    Bitmap img(width, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < width; ++x) img.SetPixel(x, y, bands[(x / 20 + y) % 6]);
    return img;
}

TEST_P(BandedImage, TableAndIndexesAreExact) {
    const BandCase& c = GetParam();
    const Bitmap img = Bands(c.width);
    const std::uint32_t imageBytes = std::uint32_t(c.width) * 16;
    Bytes want = ExpectedHeader(54 + 1024 + imageBytes, 1078, std::uint32_t(c.width), 16, 8, imageBytes);
    for (const Bytes& e : c.table) want = Concat(want, e);
    for (int i = 6; i < 256; ++i) want = Concat(want, {0xFF, 0xFF, 0xFF, 0});
    for (int y = 15; y >= 0; --y)
        for (int x = 0; x < c.width; ++x) want.push_back(std::uint8_t(c.indexOf.at(img.GetPixel(x, y))));
    EXPECT_EQ(Encode(img, 8), want);
}

INSTANTIATE_TEST_SUITE_P(
    BmpWriter, BandedImage,
    ::testing::Values(
        BandCase{160,
                 {{0, 0, 0, 0}, {0, 0, 0xFF, 0}, {0, 0xFF, 0, 0}, {0xF8, 0, 0, 0}, {0xF8, 0, 0xF8, 0},
                  {0xFF, 0xFF, 0xFF, 0}},
                 {{kBlack, 0}, {kRed, 1}, {kGreen, 2}, {kBlue, 3}, {kMagenta, 4}, {kWhite, 5}}},
        BandCase{64,
                 {{0, 0, 0xFF, 0}, {0, 0xFF, 0, 0}, {0, 0, 0, 0}, {0xFF, 0xFF, 0xFF, 0}, {0xFF, 0, 0, 0},
                  {0xFF, 0, 0xFF, 0}},
                 {{kRed, 0}, {kGreen, 1}, {kBlack, 2}, {kWhite, 3}, {kBlue, 4}, {kMagenta, 5}}}),
    [](const auto& info) { return "Width" + std::to_string(info.param.width); });

// Sixteen greys and one extra colour, one row of 17 pixels.
Bitmap SeventeenColors() {
    Bitmap img(17, 1);
    for (int i = 0; i < 16; ++i) img.SetPixel(i, 0, ColorFromRgb(std::uint8_t(i * 16), std::uint8_t(i * 16), std::uint8_t(i * 16)));
    img.SetPixel(16, 0, ColorFromRgb(250, 251, 249));
    return img;
}

TEST(BmpWriter, SeventeenColorsAtFourBitsAskAndMapToNearestOnYes) {
    Asker asker;
    const Bytes file = Encode(SeventeenColors(), 4, &asker);
    EXPECT_EQ(asker.calls, 1);
    EXPECT_EQ(asker.capacity, 16);
    Bytes want = ExpectedHeader(54 + 64 + 12, 118, 17, 1, 4, 12);
    for (int i = 0; i < 16; ++i) want = Concat(want, {std::uint8_t(i * 16), std::uint8_t(i * 16), std::uint8_t(i * 16), 0});
    want = Concat(want, {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF, 0xF0, 0, 0, 0});
    EXPECT_EQ(file, want);
}

// One more colour than each depth holds, plus repeats of further new colours.
class TooManyColors : public ::testing::TestWithParam<int> {};

TEST_P(TooManyColors, AskedOnceNoDeclinesYesWrites) {
    const int depth = GetParam();
    const int capacity = 1 << depth;
    Bitmap img(capacity + 5, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < img.Width(); ++x) img.SetPixel(x, y, ColorFromRgb(std::uint8_t(x), std::uint8_t(y * 40), 7));

    Asker no{false};
    const EncodedBmp declined = testing::EncodeBmpFile(img, depth, no.Fn());
    EXPECT_EQ(declined.status, EncodeStatus::Declined);
    EXPECT_TRUE(declined.bytes.empty());
    EXPECT_EQ(no.calls, 1);
    EXPECT_EQ(no.capacity, capacity);

    Asker yes{true};
    const EncodedBmp written = testing::EncodeBmpFile(img, depth, yes.Fn());
    EXPECT_EQ(written.status, EncodeStatus::Ok);
    EXPECT_EQ(written.bytes.size(), ComputeFileLayout(img.Width(), 3, depth).fileSize);
    EXPECT_EQ(yes.calls, 1);

    // Without anyone to ask, the answer is No.
    EXPECT_EQ(testing::EncodeBmpFile(img, depth, nullptr).status, EncodeStatus::Declined);
}

TEST_P(TooManyColors, NotAskedWhenTheColorsFit) {
    const int depth = GetParam();
    const int capacity = 1 << depth;
    Bitmap img(capacity, 2);
    for (int x = 0; x < capacity; ++x) img.SetPixel(x, 0, ColorFromRgb(std::uint8_t(x), 1, 2));
    for (int x = 0; x < capacity; ++x) img.SetPixel(x, 1, ColorFromRgb(std::uint8_t(capacity - 1 - x), 1, 2));
    Asker asker;
    Encode(img, depth, &asker);
    EXPECT_EQ(asker.calls, 0);
}

INSTANTIATE_TEST_SUITE_P(BmpWriter, TooManyColors, ::testing::Values(1, 4, 8));

TEST(BmpWriter, WidthOneAtOneBitPadsToFourBytes) {
    Bitmap img(1, 3, kBlack);
    img.SetPixel(0, 1, kWhite);
    Bytes want = ExpectedHeader(74, 62, 1, 3, 1, 12);
    want = Concat(want, {0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0});
    want = Concat(want, {0x00, 0, 0, 0, 0x80, 0, 0, 0, 0x00, 0, 0, 0});
    EXPECT_EQ(Encode(img, 1), want);
}

TEST(BmpWriter, WidthOneAtTwentyFourBitsIsThreeBytesAndOneZero) {
    Bitmap img(1, 2);
    img.SetPixel(0, 0, ColorFromRgb(1, 2, 3));
    img.SetPixel(0, 1, ColorFromRgb(4, 5, 6));
    Bytes want = ExpectedHeader(62, 54, 1, 2, 24, 8);
    want = Concat(want, {6, 5, 4, 0, 3, 2, 1, 0});
    EXPECT_EQ(Encode(img, 24), want);
}

TEST(BmpWriter, ThirtyTwoBitSourceIsWrittenAtTwentyFourIgnoringTheTopByte) {
    Bitmap img(2, 1);
    img.Row(0)[0] = Pixel{0xFF112233u};  // as a 32-bit file with alpha would have left it
    img.Row(0)[1] = Pixel{0x80445566u};
    const EncodedBmp r = testing::EncodeBmpFile(img, 32, nullptr);
    EXPECT_EQ(r.saveDepth, 24);
    Bytes want = ExpectedHeader(62, 54, 2, 1, 24, 8);
    want = Concat(want, {0x33, 0x22, 0x11, 0x66, 0x55, 0x44, 0, 0});
    EXPECT_EQ(r.bytes, want);
}

// Header fields and row padding over widths around each stride boundary.
struct LayoutCase {
    int width, depth, stride;
};

class HeaderLayout : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(HeaderLayout, FieldsAndPaddingAreExact) {
    const auto [width, depth, stride] = GetParam();
    const int height = 3;
    Bitmap img(width, height, ColorFromRgb(9, 200, 77));
    const Bytes file = Encode(img, depth);
    const std::uint32_t palette = depth == 24 ? 0 : 4u << depth;
    const std::uint32_t imageBytes = std::uint32_t(stride) * height;
    const Bytes header = ExpectedHeader(54 + palette + imageBytes, 54 + palette, std::uint32_t(width), height,
                                        std::uint16_t(depth), imageBytes);
    ASSERT_EQ(file.size(), 54 + palette + imageBytes);
    EXPECT_EQ(Bytes(file.begin(), file.begin() + 54), header);
    const FileLayout l = ComputeFileLayout(width, height, depth);
    EXPECT_EQ(l.stride, std::uint64_t(stride));
    EXPECT_EQ(l.fileSize, file.size());
    // A single colour is index 0, so only 24-bit rows carry set bytes; past the pixels
    // every row is zero up to its stride.
    const int used = depth == 24 ? 3 * width : (width * depth + 7) / 8;
    for (int r = 0; r < height; ++r)
        for (int i = used; i < stride; ++i) EXPECT_EQ(file[54 + palette + std::size_t(r) * stride + i], 0) << r << ":" << i;
}

INSTANTIATE_TEST_SUITE_P(BmpWriter, HeaderLayout,
                         ::testing::Values(LayoutCase{1, 1, 4}, LayoutCase{32, 1, 4}, LayoutCase{33, 1, 8},
                                           LayoutCase{1, 4, 4}, LayoutCase{8, 4, 4}, LayoutCase{9, 4, 8},
                                           LayoutCase{1, 8, 4}, LayoutCase{4, 8, 4}, LayoutCase{5, 8, 8},
                                           LayoutCase{1, 24, 4}, LayoutCase{4, 24, 12}, LayoutCase{5, 24, 16},
                                           LayoutCase{7, 24, 24}));

TEST(BmpWriter, LayoutOfOtherDepthsIsTwentyFourAndHugeFilesDoNotFit) {
    EXPECT_EQ(ComputeFileLayout(640, 480, 4).fileSize, 153718u);
    EXPECT_EQ(ComputeFileLayout(10, 10, 16).saveDepth, 24);
    EXPECT_EQ(ComputeFileLayout(10, 10, 0).paletteCapacity, 0);
    EXPECT_TRUE(ComputeFileLayout(37000, 37000, 24).FitsHeader());
    EXPECT_FALSE(ComputeFileLayout(38000, 38000, 24).FitsHeader());
}

// Every piece of a file, joined; how many pieces there were in `pieces`.
Bytes Joined(const BmpFileBytes& file, int* pieces = nullptr) {
    Bytes joined;
    int count = 0;
    for (auto piece = file.pieces(); !piece.empty(); piece = file.pieces(), ++count)
        joined.insert(joined.end(), piece.begin(), piece.end());
    if (pieces) *pieces = count;
    return joined;
}

TEST(BmpWriter, ReusedBufferMatchesAFreshEncode) {
    Bitmap big(40, 30, ColorFromRgb(1, 2, 3));
    Bitmap small(5, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) small.SetPixel(x, y, ColorFromRgb(std::uint8_t(x * 50), 0, std::uint8_t(y)));
    for (int depth : {1, 4, 8, 24}) {
        std::vector<std::uint8_t> buffer(ComputeFileLayout(40, 30, 24).fileSize, 0xAA);  // stale bytes
        const BmpFileBytes first = EncodeBmpPieces(big, depth, nullptr, buffer);
        ASSERT_EQ(first.status, EncodeStatus::Ok);
        Joined(first);
        std::fill(buffer.begin(), buffer.end(), 0xAA);
        Asker yes;
        const BmpFileBytes again = EncodeBmpPieces(small, depth, yes.Fn(), buffer);
        ASSERT_EQ(again.status, EncodeStatus::Ok);
        const Bytes reused = Joined(again);
        std::vector<std::uint8_t> fresh;
        Asker yesAgain;
        EXPECT_EQ(reused, Joined(EncodeBmpPieces(small, depth, yesAgain.Fn(), fresh))) << depth;
        EXPECT_EQ(reused.size(), ComputeFileLayout(5, 3, depth).fileSize) << depth;
    }
}

// Written piece by piece, the file is whole and right: 24-bit rows in several pieces (about
// 8 MB each) that read back as the image, the other depths as one piece of the file's size. A
// declined colour loss gives nothing to write.
TEST(BmpWriter, PiecesMakeTheWholeFile) {
    for (const auto [w, h] : {std::pair{1, 1}, std::pair{5, 3}, std::pair{2000, 1600}, std::pair{1001, 1}}) {
        Bitmap image(w, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) image.SetPixel(x, y, ColorFromRgb(std::uint8_t(x * 3), std::uint8_t(y), std::uint8_t(x ^ y)));
        for (const int depth : {1, 8, 24}) {
            std::vector<std::uint8_t> buffer;
            const BmpFileBytes file = EncodeBmpPieces(image, depth, [](int) { return true; }, buffer);
            ASSERT_EQ(file.status, EncodeStatus::Ok);
            int pieces = 0;
            const Bytes joined = Joined(file, &pieces);
            EXPECT_EQ(file.size, joined.size());
            EXPECT_EQ(file.size, ComputeFileLayout(w, h, depth).fileSize);
            EXPECT_EQ(file.saveDepth, depth);
            const std::optional<Bitmap> back = testing::DecodeSimpleBmp(joined);
            ASSERT_TRUE(back.has_value()) << w << " x " << h << " at " << depth;
            EXPECT_EQ(back->Width(), w);
            EXPECT_EQ(back->Height(), h);
            if (depth == 24) EXPECT_EQ(*back, image) << w << " x " << h;
            if (depth != 24) EXPECT_EQ(pieces, 1);
            if (depth == 24 && h == 1600) EXPECT_GE(pieces, 2) << "a 9.6 MB file in one piece";
        }
    }
    Bitmap colorful(300, 1);
    for (int x = 0; x < 300; ++x) colorful.SetPixel(x, 0, ColorFromRgb(std::uint8_t(x), std::uint8_t(x / 2), 7));
    std::vector<std::uint8_t> buffer;
    const BmpFileBytes declined = EncodeBmpPieces(colorful, 8, [](int) { return false; }, buffer);
    EXPECT_EQ(declined.status, EncodeStatus::Declined);
    EXPECT_FALSE(declined.pieces);
}

// A given palette is written as the table in its own order, padded with white, and the
// indexes go in as they are: a device that reads only index bits sees what was mapped. The
// header says how many entries the table holds (readers that size their table from it would
// otherwise find none).
TEST(BmpWriter, GivenPaletteIsTheTableInItsOrderByteForByte) {
    const std::vector<Pixel> inks = {Pixel{0x000000}, Pixel{0xFFFFFF}, Pixel{0x00FF00}, Pixel{0x0000FF},
                                     Pixel{0xFF0000}, Pixel{0xFFFF00}, Pixel{0xFF8000}};
    const IndexImage img{3, 2, {6, 0, 1, 2, 3, 4}};  // top row 6 0 1, bottom row 2 3 4
    const EncodedBmp file = EncodeIndexedBmp(img, inks, 4);
    ASSERT_EQ(file.status, EncodeStatus::Ok);
    EXPECT_EQ(file.saveDepth, 4);
    Bytes want = ExpectedHeader(54 + 64 + 8, 54 + 64, 3, 2, 4, 8, 16);
    want = Concat(want, {0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0,
                         0, 0, 0xFF, 0, 0, 0xFF, 0xFF, 0, 0, 0x80, 0xFF, 0});
    for (int j = 7; j < 16; ++j) want = Concat(want, {0xFF, 0xFF, 0xFF, 0});
    want = Concat(want, {0x23, 0x40, 0, 0, 0x60, 0x10, 0, 0});  // bottom row first
    EXPECT_EQ(file.bytes, want);
}

TEST(BmpWriter, GivenTableKeepsWhiteBeforeBlackAtOneBit) {
    const IndexImage img{9, 1, {0, 1, 1, 0, 0, 0, 0, 1, 1}};
    const EncodedBmp file = EncodeIndexedBmp(img, std::vector<Pixel>{Pixel{0xFFFFFF}, Pixel{0x000000}}, 0);
    ASSERT_EQ(file.status, EncodeStatus::Ok);
    Bytes want = ExpectedHeader(54 + 8 + 4, 54 + 8, 9, 1, 1, 4, 2);
    want = Concat(want, {0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0x61, 0x80, 0, 0});
    EXPECT_EQ(file.bytes, want);
    const std::optional<Bitmap> back = testing::DecodeSimpleBmp(file.bytes);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->GetPixel(1, 0), kBlack);
    EXPECT_EQ(back->GetPixel(0, 0), kWhite);
}

struct IndexedDepthCase {
    std::size_t colors;
    int depth;    // asked for; 0 picks
    int written;  // 0: refused as too many colours
};
class IndexedDepth : public ::testing::TestWithParam<IndexedDepthCase> {};

TEST_P(IndexedDepth, SmallestFittingDepthOrARefusal) {
    const IndexedDepthCase& c = GetParam();
    const std::vector<Pixel> palette(c.colors, Pixel{0x123456});
    const EncodedBmp file = EncodeIndexedBmp(IndexImage{2, 2, {0, 0, 0, 0}}, palette, c.depth);
    if (c.written == 0) {
        EXPECT_EQ(file.status, EncodeStatus::TooManyColors);
        EXPECT_TRUE(file.bytes.empty());
        EXPECT_NE(EncodeStatusMessage(file.status).find("more colours"), std::string_view::npos);
        return;
    }
    ASSERT_EQ(file.status, EncodeStatus::Ok);
    EXPECT_EQ(file.saveDepth, c.written);
    EXPECT_EQ(testing::Le16(file.bytes, 28), c.written);
}

INSTANTIATE_TEST_SUITE_P(BmpWriter, IndexedDepth,
                         ::testing::Values(IndexedDepthCase{1, 0, 1}, IndexedDepthCase{2, 0, 1},
                                           IndexedDepthCase{3, 0, 4}, IndexedDepthCase{16, 0, 4},
                                           IndexedDepthCase{17, 0, 8}, IndexedDepthCase{256, 0, 8},
                                           IndexedDepthCase{2, 8, 8}, IndexedDepthCase{7, 4, 4},
                                           IndexedDepthCase{3, 1, 0}, IndexedDepthCase{17, 4, 0},
                                           IndexedDepthCase{257, 8, 0}, IndexedDepthCase{257, 0, 0},
                                           IndexedDepthCase{0, 0, 0}));

}  // namespace
}  // namespace rastrix

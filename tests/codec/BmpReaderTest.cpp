#include "codec/BmpReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <span>
#include <string>

#include "raster/Bands.h"
#include "support/BmpTestFiles.h"

namespace rastrix {
namespace {

using namespace rastrix::testing;

constexpr int kW = 13;  // odd, and not a whole number of bytes at 1 and 4 bits
constexpr int kH = 5;

struct FormatCase {
    const char* name;
    std::uint32_t headerSize;
    int bits;
    std::uint32_t compression;
    std::vector<std::uint32_t> masks;  // bit fields as stored; empty for the defaults
    bool topDown;
    int colors;                       // palette entries stored (indexed formats)
    std::optional<std::uint32_t> colorsUsed;
    std::size_t gap;
};

std::uint32_t IndexAt(int x, int y, int colors) { return std::uint32_t(x * 7 + y * 3 + x * y + y * y / 3) % colors; }

// Raw 16/24/32-bit words that vary in every channel and are not symmetric.
std::uint32_t WordAt(int x, int y) { return std::uint32_t(x * 2654435761u + y * 40503u + x * y * 97u) ^ 0x5A3C96E1u; }

std::vector<std::uint32_t> EffectiveMasks(const FormatCase& c) {
    if (!c.masks.empty()) return {c.masks[0], c.masks[1], c.masks[2]};
    if (c.bits == 16) return {0x7C00, 0x03E0, 0x001F};
    return {0xFF0000, 0x00FF00, 0x0000FF};
}

class BmpFormatTest : public ::testing::TestWithParam<FormatCase> {};

// The file of a format case at the given size, and the image it holds.
std::pair<Bytes, Bitmap> FormatFile(const FormatCase& c, int w, int h) {
    const std::vector<Pixel> palette = TestPalette(c.colors);
    const std::vector<std::uint32_t> masks = EffectiveMasks(c);
    const std::uint32_t wordMask = c.bits == 32 ? 0xFFFFFFFFu : (1u << c.bits) - 1;

    Bitmap expected(w, h);
    TestBmp recipe;
    recipe.headerSize = c.headerSize;
    recipe.width = w;
    recipe.height = c.topDown ? -h : h;
    recipe.bitCount = std::uint16_t(c.bits);
    recipe.compression = c.compression;
    recipe.palette = palette;
    recipe.colorsUsed = c.colorsUsed;
    recipe.masks = c.masks;
    recipe.gap = c.gap;
    if (c.bits <= 8) {
        recipe.pixels = StoreRows(w, h, c.bits, c.topDown, [&](int x, int y) { return IndexAt(x, y, c.colors); });
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) expected.Row(y)[x] = palette[IndexAt(x, y, c.colors)];
    } else if (c.bits == 24) {
        recipe.pixels = StoreRows(w, h, 24, c.topDown, [](int x, int y) { return WordAt(x, y) & 0xFFFFFF; });
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) expected.Row(y)[x] = Pixel{WordAt(x, y) & 0xFFFFFF};
    } else {
        recipe.pixels = StoreRows(w, h, c.bits, c.topDown, [&](int x, int y) { return WordAt(x, y) & wordMask; });
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const std::uint32_t v = WordAt(x, y) & wordMask;
                expected.Row(y)[x] = Pixel{(ExpandChannel(v, masks[0]) << 16) | (ExpandChannel(v, masks[1]) << 8) |
                                           ExpandChannel(v, masks[2])};
            }
    }
    return {BuildBmp(recipe), std::move(expected)};
}

TEST_P(BmpFormatTest, DecodesEveryPixel) {
    const FormatCase& c = GetParam();
    const auto [file, expected] = FormatFile(c, kW, kH);
    ASSERT_NE(expected, FlippedRows(expected)) << "test image must not be symmetric";

    const BmpReadResult r = DecodeBmp(file);
    ASSERT_TRUE(r.image) << r.Message();
    EXPECT_EQ(r.image->bitDepth, c.bits);
    EXPECT_FALSE(r.image->incomplete);
    ASSERT_EQ(r.image->bitmap.Width(), kW);
    ASSERT_EQ(r.image->bitmap.Height(), kH);
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x)
            ASSERT_EQ(r.image->bitmap.Row(y)[x], expected.Row(y)[x]) << "pixel " << x << "," << y;
}

// A large file's rows are decoded in bands across threads, or in file order on one thread when
// the caller is told of the bytes finished: every way gives the same image.
TEST_P(BmpFormatTest, DecodesTheSameInBandsAndInFileOrder) {
    const FormatCase& c = GetParam();
    const int w = 701, h = 1500;  // about four bands' worth of rows
    const auto [file, expected] = FormatFile(c, w, h);
    for (int threads : {1, 2, 4}) {
        const BandLimit limit(threads);
        const BmpReadResult r = DecodeBmp(file);
        ASSERT_TRUE(r.image) << r.Message();
        ASSERT_EQ(r.image->bitmap, expected) << threads << " threads";
    }
    const BmpReadResult r = DecodeBmp(file, [](std::size_t) {});
    ASSERT_TRUE(r.image) << r.Message();
    ASSERT_EQ(r.image->bitmap, expected) << "in file order";
}

FormatCase Indexed(const char* name, std::uint32_t headerSize, int bits, int colors, bool topDown = false,
                   std::optional<std::uint32_t> colorsUsed = std::nullopt, std::size_t gap = 0) {
    return {name, headerSize, bits, 0, {}, topDown, colors, colorsUsed, gap};
}

FormatCase Direct(const char* name, std::uint32_t headerSize, int bits, std::uint32_t compression = 0,
                  std::vector<std::uint32_t> masks = {}, bool topDown = false, std::size_t gap = 0) {
    return {name, headerSize, bits, compression, std::move(masks), topDown, 0, std::nullopt, gap};
}

const FormatCase kFormats[] = {
    Indexed("pal1", 40, 1, 2),
    Indexed("pal1_os2", 12, 1, 2),
    Indexed("pal2", 40, 2, 4),
    Indexed("pal4", 40, 4, 16),
    Indexed("pal4_short_table", 40, 4, 11),
    Indexed("pal4_os2", 12, 4, 16),
    Indexed("pal8", 40, 8, 256),
    Indexed("pal8_short_table", 40, 8, 37),
    Indexed("pal8_short_table_undeclared", 40, 8, 37, false, 0u),
    Indexed("pal8_top_down", 40, 8, 200, true),
    Indexed("pal8_v4", 108, 8, 100),
    Indexed("pal8_v5_top_down", 124, 8, 100, true),
    Indexed("pal8_os2", 12, 8, 256),
    Indexed("pal8_gap_before_pixels", 40, 8, 50, false, std::nullopt, 37),
    Direct("rgb16_555", 40, 16),
    Direct("rgb16_555_top_down", 40, 16, 0, {}, true),
    Direct("rgb16_555_bitfields", 40, 16, 3, {0x7C00, 0x03E0, 0x001F}),
    Direct("rgb16_565_bitfields", 40, 16, 3, {0xF800, 0x07E0, 0x001F}),
    Direct("rgb16_565_v5_top_down", 124, 16, 3, {0xF800, 0x07E0, 0x001F}, true),
    Direct("rgb16_444_alpha_bitfields", 40, 16, 6, {0x0F00, 0x00F0, 0x000F, 0xF000}),
    Direct("rgb24", 40, 24),
    Direct("rgb24_top_down", 40, 24, 0, {}, true),
    Direct("rgb24_os2", 12, 24),
    Direct("rgb24_v5_gap", 124, 24, 0, {}, false, 5),
    Direct("rgb32", 40, 32),
    Direct("rgb32_bitfields_default", 40, 32, 3, {0xFF0000, 0x00FF00, 0x0000FF}),
    Direct("rgb32_bitfields_rgba_top_down", 40, 32, 3, {0xFF000000, 0x00FF0000, 0x0000FF00}, true),
    Direct("rgb32_bitfields_bgr", 56, 32, 3, {0x000000FF, 0x0000FF00, 0x00FF0000}),
    Direct("rgb32_10_10_10", 108, 32, 3, {0x3FF00000, 0x000FFC00, 0x000003FF}),
    Direct("rgb32_2_bit_red", 40, 32, 3, {0x00000003, 0x0003FFFC, 0xFFFC0000}),
};

INSTANTIATE_TEST_SUITE_P(Formats, BmpFormatTest, ::testing::ValuesIn(kFormats),
                         [](const auto& info) { return std::string(info.param.name); });

// Run-length files: a palette of ten colours; '.' marks pixels the data never set.
const std::vector<Pixel> kRlePalette = TestPalette(10);

Bytes RleFile(int width, int height, int bits, const Bytes& data) {
    TestBmp recipe;
    recipe.width = width;
    recipe.height = height;
    recipe.bitCount = std::uint16_t(bits);
    recipe.compression = bits == 8 ? 1 : 2;
    recipe.palette = kRlePalette;
    recipe.pixels = data;
    return BuildBmp(recipe);
}

// Bottom row first: run, literal with padding, end of line; run, delta; run, end of line;
// even literal, end of bitmap.
const Bytes kRle8Data = {3, 1, 0, 3, 2, 3, 4, 0, 0, 0, 2, 5, 0, 2, 2, 1, 2, 6, 0, 0, 0, 4, 7, 6, 5, 4, 0, 1};
const std::vector<const char*> kRle8Map = {"7654..", "....66", "55....", "111234"};

// Runs alternate two indexes; odd literal of five nibbles in three bytes plus padding.
const Bytes kRle4Data = {4, 0x12, 0, 3, 0x34, 0x50, 0, 0, 0, 2, 3, 0, 3, 0x66, 0, 0,
                         0, 5, 0x71, 0x23, 0x40, 0, 2, 0x56, 0, 1};
const std::vector<const char*> kRle4Map = {"7123456", "...666.", "1212345"};

TEST(BmpRunLength, Rle8RunsLiteralsDeltasAndLineEnds) {
    const BmpReadResult r = DecodeBmp(RleFile(6, 4, 8, kRle8Data));
    ASSERT_TRUE(r.image) << r.Message();
    EXPECT_EQ(r.image->bitDepth, 8);
    EXPECT_FALSE(r.image->incomplete);
    EXPECT_EQ(r.image->bitmap, FromMap(kRle8Map, kRlePalette));
}

TEST(BmpRunLength, Rle4RunsLiteralsDeltasAndLineEnds) {
    const BmpReadResult r = DecodeBmp(RleFile(7, 3, 4, kRle4Data));
    ASSERT_TRUE(r.image) << r.Message();
    EXPECT_EQ(r.image->bitDepth, 4);
    EXPECT_FALSE(r.image->incomplete);
    EXPECT_EQ(r.image->bitmap, FromMap(kRle4Map, kRlePalette));
}

TEST(BmpRunLength, RunsPastTheRowEndAreClippedNotWrapped) {
    // A run of 255 and a literal of 5 on a 4-pixel row; two short runs, then a delta past the top.
    const Bytes data = {255, 1, 0, 5, 2, 3, 4, 5, 6, 0, 0, 0, 1, 2, 1, 3, 0, 2, 0, 5, 9, 9};
    const BmpReadResult r = DecodeBmp(RleFile(4, 2, 8, data));
    ASSERT_TRUE(r.image) << r.Message();
    EXPECT_FALSE(r.image->incomplete) << "leaving past the top row ends the image";
    EXPECT_EQ(r.image->bitmap, FromMap({"23..", "1111"}, kRlePalette));
}

// Decodes from a heap block of exactly the file's size, so that the sanitizers catch a read
// one byte past the end (a vector may own spare room behind its last byte).
BmpReadResult DecodeExactly(const Bytes& file) {
    const std::unique_ptr<std::uint8_t[]> block(new std::uint8_t[file.size()]);
    std::copy(file.begin(), file.end(), block.get());
    return DecodeBmp(std::span<const std::uint8_t>(block.get(), file.size()));
}

TEST(BmpRunLength, DataEndingEarlyKeepsWhatWasDecoded) {
    struct Cut {
        int bits;
        Bytes data;
    };
    // One row of 1s, then a code the file ends inside of: half a code, a delta escape without
    // its offsets, a delta with only its column offset.
    const Cut cuts[] = {{8, {3, 1, 0, 0, 2}},       {8, {3, 1, 0, 0, 0, 2}},       {8, {3, 1, 0, 0, 0, 2, 1}},
                        {4, {3, 0x11, 0, 0, 0, 2}}, {4, {3, 0x11, 0, 0, 0, 2, 1}}};
    for (const Cut& c : cuts) {
        const BmpReadResult r = DecodeExactly(RleFile(3, 2, c.bits, c.data));
        ASSERT_TRUE(r.image) << r.Message();
        EXPECT_TRUE(r.image->incomplete);
        EXPECT_EQ(r.image->bitmap, FromMap({"...", "111"}, kRlePalette)) << c.bits << " bits, " << c.data.size() << " bytes";
    }
}

// The row stride of 1-bit rows is whole 32-bit words: 4 bytes up to 32 pixels, 8 up to 64, 12
// up to 96. The file is laid out here by hand, with its padding bytes set, so a stride counted
// in bytes or in 16-bit words reads padding as pixels.
TEST(BmpRows, OneBitRowsAreWholeWords) {
    for (const int width : {1, 33, 65}) {
        const int height = 3;
        const int stride = width <= 32 ? 4 : width <= 64 ? 8 : 12;
        const auto on = [](int x, int y) { return (x * 5 + y * 3) % 7 < 3; };
        TestBmp recipe;
        recipe.width = width;
        recipe.height = height;
        recipe.bitCount = 1;
        recipe.palette = {Pixel(0x102030), Pixel(0xF0E0D0)};
        recipe.pixels.assign(std::size_t(stride * height), 0xA5);  // padding that is not 0
        for (int row = 0; row < height; ++row) {
            const int y = height - 1 - row;  // bottom row first
            std::uint8_t* bytes = recipe.pixels.data() + row * stride;
            for (int i = 0; i < (width + 7) / 8; ++i) bytes[i] = 0;
            for (int x = 0; x < width; ++x)
                if (on(x, y)) bytes[x / 8] |= std::uint8_t(0x80 >> (x % 8));
        }
        const BmpReadResult r = DecodeExactly(BuildBmp(recipe));
        ASSERT_TRUE(r.image) << r.Message();
        EXPECT_FALSE(r.image->incomplete);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                ASSERT_EQ(r.image->bitmap.Row(y)[x], on(x, y) ? Pixel(0xF0E0D0) : Pixel(0x102030))
                    << "width " << width << ", pixel " << x << "," << y;
    }
}

// A caller told that the reader is done with the file's first bytes may drop them (a mapped
// file lets its pages go): bytes scribbled over as soon as they are reported must not change a
// single pixel, and the reports must move forward through the pixel data.
TEST(BmpRows, BytesReportedFinishedAreNotReadAgain) {
    for (const bool topDown : {false, true}) {
        TestBmp recipe;
        recipe.width = 1000;   // rows of 3000 bytes: about 2800 of them between two reports
        recipe.height = topDown ? -6000 : 6000;
        recipe.bitCount = 24;
        recipe.pixels = StoreRows(1000, 6000, 24, topDown, [](int x, int y) { return std::uint32_t(x * 31 + y * 7919); });
        Bytes file = BuildBmp(recipe);
        const BmpReadResult plain = DecodeBmp(file);
        ASSERT_TRUE(plain.image) << plain.Message();
        std::vector<std::size_t> reports;
        const BmpReadResult scribbled = DecodeBmp(file, [&](std::size_t done) {
            ASSERT_LE(done, file.size());
            std::fill(file.begin(), file.begin() + std::ptrdiff_t(done), std::uint8_t(0xEE));
            reports.push_back(done);
        });
        ASSERT_TRUE(scribbled.image) << scribbled.Message();
        EXPECT_EQ(scribbled.image->bitmap, plain.image->bitmap) << (topDown ? "top down" : "bottom up");
        EXPECT_FALSE(reports.empty());
        EXPECT_TRUE(std::is_sorted(reports.begin(), reports.end()));
    }
}

TEST(BmpColors, IndexesBeyondTheColorTableAreBlack) {
    TestBmp recipe;
    recipe.width = 4;
    recipe.height = 1;
    recipe.bitCount = 8;
    recipe.palette = TestPalette(3);
    recipe.pixels = {0, 2, 3, 255};
    const BmpReadResult r = DecodeBmp(BuildBmp(recipe));
    ASSERT_TRUE(r.image) << r.Message();
    EXPECT_EQ(r.image->bitmap, FromMap({"02.."}, recipe.palette));
}

TEST(BmpColors, NarrowChannelsWidenRoundedToNearest) {
    // 5-bit 1 -> 8.23 -> 8; 5-bit 16 -> 131.6 -> 132; 6-bit 33 -> 133.6 -> 134; 5-bit 31 -> 255.
    TestBmp recipe;
    recipe.width = 2;
    recipe.height = 1;
    recipe.bitCount = 16;
    recipe.compression = 3;
    recipe.masks = {0xF800, 0x07E0, 0x001F};
    recipe.pixels = StoreRows(2, 1, 16, false, [](int x, int) { return x == 0 ? (1u << 11) | (33u << 5) | 16u : 31u; });
    const BmpReadResult r = DecodeBmp(BuildBmp(recipe));
    ASSERT_TRUE(r.image) << r.Message();
    EXPECT_EQ(r.image->bitmap.Row(0)[0], Pixel(0x088684));
    EXPECT_EQ(r.image->bitmap.Row(0)[1], Pixel(0x0000FF));
}

TEST(BmpRows, LastRowMayLackItsPadding) {
    TestBmp recipe;
    recipe.width = 1;
    recipe.height = 2;
    recipe.bitCount = 24;
    recipe.pixels = {0x10, 0x20, 0x30, 0, 0x40, 0x50, 0x60};  // bottom row padded, top row not
    const BmpReadResult r = DecodeBmp(BuildBmp(recipe));
    ASSERT_TRUE(r.image) << r.Message();
    EXPECT_EQ(r.image->bitmap.Row(0)[0], Pixel(0x605040));
    EXPECT_EQ(r.image->bitmap.Row(1)[0], Pixel(0x302010));
}

}  // namespace
}  // namespace rastrix

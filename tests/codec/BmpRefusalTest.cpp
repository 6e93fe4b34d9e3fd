#include <gtest/gtest.h>

#include <random>
#include <string>

#include "codec/BmpReader.h"
#include "support/BmpTestFiles.h"

namespace rastrix {
namespace {

using namespace rastrix::testing;

// A valid 8-bit, 5 x 3 file with a full colour table; each case damages one thing.
Bytes ValidPal8() {
    TestBmp recipe;
    recipe.width = 5;
    recipe.height = 3;
    recipe.bitCount = 8;
    recipe.palette = TestPalette(256);
    recipe.pixels = StoreRows(5, 3, 8, false, [](int x, int y) { return std::uint32_t(x + 10 * y); });
    return BuildBmp(recipe);
}

Bytes ValidRle8() {
    TestBmp recipe;
    recipe.width = 6;
    recipe.height = 3;
    recipe.bitCount = 8;
    recipe.compression = 1;
    recipe.palette = TestPalette(8);
    recipe.pixels = {3, 1, 0, 3, 2, 3, 4, 0, 0, 0, 6, 5, 0, 0, 0, 4, 7, 6, 5, 4, 0, 1};
    return BuildBmp(recipe);
}

Bytes BitFields16(std::vector<std::uint32_t> masks) {
    TestBmp recipe;
    recipe.width = 3;
    recipe.height = 2;
    recipe.bitCount = 16;
    recipe.compression = 3;
    recipe.masks = std::move(masks);
    recipe.pixels = StoreRows(3, 2, 16, false, [](int x, int) { return std::uint32_t(x * 1234); });
    return BuildBmp(recipe);
}

Bytes Valid16BitFields() { return BitFields16({0xF800, 0x07E0, 0x001F}); }
Bytes NoMasks16() { return BitFields16({0, 0, 0}); }

Bytes Prefix(const Bytes& b, std::size_t n) { return Bytes(b.begin(), b.begin() + std::ptrdiff_t(n)); }

// One damage to a good file: a 16- or 32-bit field at `at` set to `value`, or (size 0) the
// file cut to `at` bytes.
struct RefusalCase {
    const char* name;
    Bytes (*base)();
    std::size_t at;
    int size;
    std::uint32_t value;
    BmpError expected;
};

const RefusalCase kRefusals[] = {
    {"empty", ValidPal8, 0, 0, 0, BmpError::NotBmp},
    {"signature", ValidPal8, 0, 2, 'B' | ('A' << 8), BmpError::NotBmp},
    {"header_size_66", ValidPal8, kOffHeaderSize, 4, 66, BmpError::UnknownHeader},
    {"header_size_huge", ValidPal8, kOffHeaderSize, 4, 0xFFFFFFFF, BmpError::UnknownHeader},
    {"header_cut", ValidPal8, 40, 0, 0, BmpError::TruncatedHeader},
    {"width_zero", ValidPal8, kOffWidth, 4, 0, BmpError::BadSize},
    {"width_negative", ValidPal8, kOffWidth, 4, std::uint32_t(-5), BmpError::BadSize},
    {"height_zero", ValidPal8, kOffHeight, 4, 0, BmpError::BadSize},
    {"height_most_negative", ValidPal8, kOffHeight, 4, 0x80000000u, BmpError::BadSize},
    {"planes_2", ValidPal8, kOffPlanes, 2, 2, BmpError::BadPlanes},
    {"bit_count_3", ValidPal8, kOffBitCount, 2, 3, BmpError::BadBitCount},
    {"jpeg_at_8_bits", ValidPal8, kOffCompression, 4, 4, BmpError::BadCompression},
    {"png_at_8_bits", ValidPal8, kOffCompression, 4, 5, BmpError::BadCompression},
    {"compression_7", ValidPal8, kOffCompression, 4, 7, BmpError::UnsupportedCompression},
    {"rle4_at_8_bits", ValidPal8, kOffCompression, 4, 2, BmpError::BadCompression},
    {"bitfields_at_8_bits", ValidPal8, kOffCompression, 4, 3, BmpError::BadCompression},
    {"rle8_top_down", ValidRle8, kOffHeight, 4, std::uint32_t(-3), BmpError::CompressedTopDown},
    {"colours_used_257", ValidPal8, kOffColorsUsed, 4, 257, BmpError::BadColorTable},
    {"no_colour_table", ValidPal8, kOffPixelOffset, 4, 54, BmpError::BadColorTable},
    {"pixels_inside_header", ValidPal8, kOffPixelOffset, 4, 20, BmpError::BadPixelOffset},
    {"pixel_offset_past_end", ValidPal8, kOffPixelOffset, 4, 0xFFFFFFFF, BmpError::NoPixelData},
    {"colour_table_cut", ValidPal8, 600, 0, 0, BmpError::TruncatedColorTable},
    {"pixels_cut", ValidPal8, 54 + 1024 + 2 * 8 + 5 - 1, 0, 0, BmpError::TruncatedPixels},
    {"masks_overlap", Valid16BitFields, 58, 4, 0x0FE0, BmpError::BadMasks},
    {"mask_with_hole", Valid16BitFields, 62, 4, 0x0015, BmpError::BadMasks},
    {"mask_outside_16_bits", Valid16BitFields, 54, 4, 0x1F0000, BmpError::BadMasks},
    {"masks_all_zero", NoMasks16, 62, 4, 0, BmpError::BadMasks},
    {"masks_cut", Valid16BitFields, 60, 0, 0, BmpError::TruncatedHeader},
};

class BmpRefusalTest : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(BmpRefusalTest, RefusedWithItsReason) {
    const RefusalCase& c = GetParam();
    Bytes file = c.base();
    if (c.size == 0) file.resize(c.at);
    if (c.size == 2) Put16(file, c.at, c.value);
    if (c.size == 4) Put32(file, c.at, c.value);
    const BmpReadResult r = DecodeBmp(file);
    EXPECT_FALSE(r.image);
    EXPECT_EQ(r.error, c.expected) << r.Message();
    EXPECT_FALSE(r.Message().empty());
}

INSTANTIATE_TEST_SUITE_P(Damage, BmpRefusalTest, ::testing::ValuesIn(kRefusals),
                         [](const auto& info) { return std::string(info.param.name); });

struct SizeCase {
    std::int64_t width;
    std::int64_t height;
    int bits;
    BmpError expected;
};

// Headers only, with a few bytes of pixels: a size the reader accepts must then fail on the
// missing data, not on an allocation.
class BmpSizeLimitTest : public ::testing::TestWithParam<SizeCase> {};

TEST_P(BmpSizeLimitTest, HugeSizesRefusedBeforeAllocating) {
    const SizeCase& c = GetParam();
    TestBmp recipe;
    recipe.width = std::int32_t(c.width);
    recipe.height = std::int32_t(c.height);
    recipe.bitCount = std::uint16_t(c.bits);
    recipe.pixels = Bytes(16, 0x55);
    const BmpReadResult r = DecodeBmp(BuildBmp(recipe));
    EXPECT_FALSE(r.image);
    EXPECT_EQ(r.error, c.expected) << c.width << " x " << c.height << ": " << r.Message();
    const BmpHeaderResult h = ReadBmpHeader(BuildBmp(recipe));
    EXPECT_EQ(h.info.has_value(), c.expected == BmpError::TruncatedPixels);
}

const SizeCase kSizes[] = {
    {100000, 100000, 24, BmpError::TooLarge},
    {0x7FFFFFFF, 0x7FFFFFFF, 32, BmpError::TooLarge},
    {0x7FFFFFFF, -0x7FFFFFFF, 1, BmpError::TooLarge},
    {65536, 1, 8, BmpError::TooLarge},
    {1, -65536, 8, BmpError::TooLarge},
    {16385, 16384, 24, BmpError::TooLarge},
    {16384, 16384, 32, BmpError::TruncatedPixels},  // exactly 2^28 pixels
    {65535, 4096, 32, BmpError::TruncatedPixels},
    {65535, -1, 24, BmpError::TruncatedPixels},
};

INSTANTIATE_TEST_SUITE_P(Limits, BmpSizeLimitTest, ::testing::ValuesIn(kSizes));

// Every prefix of a good file is refused or decodes to the right size, and decoded pixels are
// either right or (for run-length data cut short) still black.
void CheckEveryPrefix(const Bytes& full, std::size_t firstCompleteLength) {
    const BmpReadResult whole = DecodeBmp(full);
    ASSERT_TRUE(whole.image) << whole.Message();
    for (std::size_t n = 0; n < full.size(); ++n) {
        const BmpReadResult r = DecodeBmp(Prefix(full, n));
        if (!r.image) {
            EXPECT_FALSE(r.Message().empty());
            EXPECT_LT(n, firstCompleteLength) << "refused although every pixel is there";
            continue;
        }
        EXPECT_GE(n, std::min(firstCompleteLength, full.size())) << "decoded from too few bytes, " << n;
        const Bitmap& got = r.image->bitmap;
        ASSERT_EQ(got.Width(), whole.image->bitmap.Width());
        ASSERT_EQ(got.Height(), whole.image->bitmap.Height());
        for (int y = 0; y < got.Height(); ++y)
            for (int x = 0; x < got.Width(); ++x)
                if (got.Row(y)[x] != Pixel{0}) {
                    ASSERT_EQ(got.Row(y)[x], whole.image->bitmap.Row(y)[x]) << n;
                }
    }
}

TEST(BmpTruncation, UncompressedDecodesOnlyWithEveryRow) {
    const Bytes full = ValidPal8();
    // 5-byte rows padded to 8: the last row needs no padding.
    CheckEveryPrefix(full, full.size() - 3);
}

TEST(BmpTruncation, RunLengthShowsWhatWasDecoded) {
    const Bytes full = ValidRle8();
    CheckEveryPrefix(full, 54 + 8 * 4 + 1);
    // Cut inside the last row: what was decoded is kept and the image is marked incomplete.
    const BmpReadResult r = DecodeBmp(Prefix(full, full.size() - 4));
    ASSERT_TRUE(r.image);
    EXPECT_TRUE(r.image->incomplete);
}

// Random damage to good files of each kind must never crash or read outside the bytes (the
// sanitizers watch), and whatever decodes has the size its header states.
TEST(BmpTruncation, RandomDamageNeverCrashes) {
    std::mt19937 random(12345);
    const Bytes bases[] = {ValidPal8(), Valid16BitFields()};
    int decoded = 0;
    for (const Bytes& base : bases) {
        for (int round = 0; round < 3000; ++round) {
            Bytes b = base;
            const int hits = 1 + int(random() % 4);
            for (int i = 0; i < hits; ++i) b[random() % b.size()] = std::uint8_t(random());
            const BmpReadResult r = DecodeBmp(b);
            if (!r.image) continue;
            ++decoded;
            const BmpHeaderResult h = ReadBmpHeader(b);
            ASSERT_TRUE(h.info);
            EXPECT_EQ(r.image->bitmap.Width(), h.info->width);
            EXPECT_EQ(r.image->bitmap.Height(), h.info->height);
        }
    }
    EXPECT_GT(decoded, 0);
}

}  // namespace
}  // namespace rastrix

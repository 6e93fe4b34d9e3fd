// PNG pictures of every colour type decode to the exact pixels the editor's Paste gives a
// picture: transparency on white, 16-bit channels rounded, grey spread over 0..255.
#include <gtest/gtest.h>

#include "codec/PictureConversion.h"
#include "support/PictureTestFiles.h"
#include "codec/PngDecoder.h"
#include "raster/PixelPool.h"

#include <cstring>

namespace rastrix {
namespace {

using testing::EncodePng;
using testing::PictureBytes;
using testing::PngRecipe;

struct PngCase {
    const char* name;
    PngRecipe recipe;
    std::vector<Pixel> expected;  // row by row
    int depth;
};

std::vector<std::uint8_t> Rgba16(std::initializer_list<std::uint16_t> samples) {
    std::vector<std::uint8_t> rows;
    for (std::uint16_t v : samples) testing::AppendSample16(rows, v);
    return rows;
}

std::vector<PngCase> Cases() {
    std::vector<PngCase> c;
    // Palette of 2 bits, 3 x 2, with a tRNS chunk: entry 1 clear, entry 2 half clear.
    PngRecipe pal{3, 2, 3, 2};
    pal.palette = {{{10, 20, 30}}, {{0, 0, 0}}, {{255, 0, 0}}, {{1, 2, 3}}};
    pal.paletteAlpha = {255, 0, 128};
    pal.rows = {0b00011011, 0b10010000};  // 0 1 2 | 2 1 0 (the rest of each byte is padding)
    c.push_back({"palette with transparency", pal,
                 {Pixel{0x0A141E}, Pixel{0xFFFFFF}, OnWhite(255, 0, 0, 128), OnWhite(255, 0, 0, 128), Pixel{0xFFFFFF}, Pixel{0x0A141E}}, 4});
    PngRecipe pal1{9, 1, 3, 1};
    pal1.palette = {{{0, 0, 255}}, {{255, 255, 0}}};
    pal1.rows = {0b10000001, 0b10000000};
    c.push_back({"palette of 1 bit", pal1,
                 {Pixel{0xFFFF00}, Pixel{0x0000FF}, Pixel{0x0000FF}, Pixel{0x0000FF}, Pixel{0x0000FF}, Pixel{0x0000FF}, Pixel{0x0000FF}, Pixel{0xFFFF00}, Pixel{0xFFFF00}}, 1});
    PngRecipe grey1{3, 1, 0, 1};
    grey1.rows = {0b10100000};
    c.push_back({"grey of 1 bit", grey1, {Pixel{0xFFFFFF}, Pixel{0x000000}, Pixel{0xFFFFFF}}, 1});
    PngRecipe grey4{2, 1, 0, 4};
    grey4.rows = {0x5F};
    c.push_back({"grey of 4 bits spreads to 0..255", grey4, {Pixel{0x555555}, Pixel{0xFFFFFF}}, 4});
    PngRecipe grey8{2, 2, 0, 8};
    grey8.rows = {0, 100, 200, 255};
    grey8.transparentKey = {{200, 0, 0}};
    c.push_back({"grey with a transparent value", grey8, {Pixel{0x000000}, Pixel{0x646464}, Pixel{0xFFFFFF}, Pixel{0xFFFFFF}}, 32});
    PngRecipe greyAlpha{3, 1, 4, 8};
    greyAlpha.rows = {100, 255, 0, 0, 0, 128};
    c.push_back({"grey and alpha", greyAlpha, {Pixel{0x646464}, Pixel{0xFFFFFF}, OnWhite(0, 0, 0, 128)}, 32});
    PngRecipe rgb{2, 2, 2, 8};
    rgb.rows = {1, 2, 3, 250, 128, 0, 0, 0, 255, 9, 8, 7};
    c.push_back({"colour, rows top first", rgb, {Pixel{0x010203}, Pixel{0xFA8000}, Pixel{0x0000FF}, Pixel{0x090807}}, 24});
    PngRecipe rgba{2, 1, 6, 8};
    rgba.rows = {255, 128, 0, 64, 1, 2, 3, 255};
    c.push_back({"colour and alpha laid on white", rgba, {Pixel{0xFFDFBF}, Pixel{0x010203}}, 32});
    PngRecipe deep{2, 1, 2, 16};
    deep.rows = Rgba16({0xFFFF, 0x8000, 0x7F7F, 0x0000, 0x0080, 0x017F});
    c.push_back({"16-bit colour rounds to nearest", deep, {Pixel{0xFF807F}, Pixel{0x000001}}, 24});
    PngRecipe deepAlpha{1, 1, 6, 16};
    deepAlpha.rows = Rgba16({0xFFFF, 0x0000, 0x0000, 0x8000});
    c.push_back({"16-bit alpha", deepAlpha, {OnWhite(255, 0, 0, 128)}, 32});
    PngRecipe deepGrey{2, 1, 0, 16};
    deepGrey.rows = Rgba16({0x8000, 0x0100});
    c.push_back({"16-bit grey", deepGrey, {Pixel{0x808080}, Pixel{0x010101}}, 24});
    return c;
}

TEST(PngDecoder, EveryColorTypeDecodesExactly) {
    for (const PngCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        const BmpReadResult r = DecodePng(EncodePng(c.recipe));
        ASSERT_TRUE(r.image) << r.Message();
        const Bitmap& b = r.image->bitmap;
        ASSERT_EQ(b.Width(), c.recipe.width);
        ASSERT_EQ(b.Height(), c.recipe.height);
        std::vector<Pixel> got;
        for (int y = 0; y < b.Height(); ++y) got.insert(got.end(), b.Row(y), b.Row(y) + b.Width());
        EXPECT_EQ(got, c.expected);
        EXPECT_EQ(r.image->bitDepth, c.depth);
    }
}

// Asked to, the same pictures are laid on another colour and hand out their alpha beside the
// pixels: opaque pixels are as on white, clear ones the background, and only pictures with
// transparency have an alpha.
TEST(PngDecoder, TransparencyLiesOnTheChosenBackgroundAndItsAlphaIsKeptWhenAsked) {
    const Pixel paper{0x00336699u};
    PictureOptions options;
    options.background = paper;
    options.keepAlpha = true;
    for (const PngCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        const PictureBytes file = EncodePng(c.recipe);
        const BmpReadResult onWhite = DecodePng(file);
        const BmpReadResult onPaper = DecodePng(file, options);
        ASSERT_TRUE(onWhite.image && onPaper.image) << onPaper.Message();
        const bool transparent = c.depth == 32 || !c.recipe.paletteAlpha.empty();
        ASSERT_EQ(onPaper.image->alpha.has_value(), transparent);
        EXPECT_FALSE(onWhite.image->alpha.has_value());
        for (int y = 0; y < c.recipe.height; ++y)
            for (int x = 0; x < c.recipe.width; ++x) {
                const Pixel a = transparent ? onPaper.image->alpha->Row(y)[x] : Pixel{0x00FFFFFFu};
                ASSERT_EQ(ValueOf(a), BlueOf(a) * 0x010101u);
                const Pixel got = onPaper.image->bitmap.Row(y)[x], white = onWhite.image->bitmap.Row(y)[x];
                if (BlueOf(a) == 255u) {
                    EXPECT_EQ(got, white) << x << "," << y;
                } else if (BlueOf(a) == 0u) {
                    EXPECT_EQ(got, paper) << x << "," << y;
                }
            }
    }
    PngRecipe rgba{2, 1, 6, 8};
    rgba.rows = {255, 128, 0, 64, 1, 2, 3, 0};
    const BmpReadResult r = DecodePng(EncodePng(rgba), options);
    ASSERT_TRUE(r.image);
    // (255 * 64 + 0x33 * 191 + 127) / 255 = 102, (128 * 64 + 0x66 * 191 + 127) / 255 = 109, 0x99 * 191 / 255 = 115
    EXPECT_EQ(r.image->bitmap.Row(0)[0], Pixel{0x00666D73u});
    EXPECT_EQ(r.image->alpha->Row(0)[0], Pixel{0x00404040u});
    EXPECT_EQ(r.image->bitmap.Row(0)[1], paper);
    EXPECT_EQ(r.image->alpha->Row(0)[1], Pixel{0});
}

// Rows handed out one at a time are the rows of the whole picture, in order, with their alpha;
// interlaced pictures too.
struct RecordingSink : PictureRowSink {
    Bitmap pixels, alpha;
    int next = 0;
    bool withAlpha = false;
    bool Begin(int width, int height, bool a) override {
        pixels = Bitmap(width, height), alpha = Bitmap(width, height), withAlpha = a;
        return true;
    }
    void Row(const Pixel* p, const Pixel* a) override {
        std::copy(p, p + pixels.Width(), pixels.Row(next));
        EXPECT_EQ(a != nullptr, withAlpha);
        if (a) std::copy(a, a + alpha.Width(), alpha.Row(next));
        ++next;
    }
};

TEST(PngDecoder, RowsHandedOutOneByOneAreThoseOfTheWholePicture) {
    PictureOptions options;
    options.keepAlpha = true;
    options.background = Pixel{0x00123456u};
    std::vector<PngCase> cases = Cases();
    PngCase interlaced{"interlaced colour and alpha", {13, 11, 6, 8}, {}, 32};
    interlaced.recipe.interlaced = true;
    for (int i = 0; i < 13 * 11; ++i)
        interlaced.recipe.rows.insert(interlaced.recipe.rows.end(), {std::uint8_t(i), std::uint8_t(7 * i), 99, std::uint8_t(3 * i)});
    cases.push_back(interlaced);
    for (const PngCase& c : cases) {
        SCOPED_TRACE(c.name);
        const PictureBytes file = EncodePng(c.recipe);
        const BmpReadResult whole = DecodePng(file, options);
        RecordingSink sink;
        const BmpReadResult rows = DecodePngRows(file, options, sink);
        ASSERT_TRUE(whole.image && rows.image) << rows.Message();
        EXPECT_TRUE(rows.image->bitmap.IsEmpty());
        EXPECT_EQ(rows.image->bitDepth, whole.image->bitDepth);
        EXPECT_EQ(sink.next, c.recipe.height);
        EXPECT_EQ(sink.pixels, whole.image->bitmap);
        EXPECT_EQ(sink.withAlpha, whole.image->alpha.has_value());
        if (whole.image->alpha) {
            EXPECT_EQ(sink.alpha, *whole.image->alpha);
        }
        // Told how far it has read: never backwards, never past the end, and by the last row
        // past every pixel byte (all but the last data chunk's 4-byte check value and the 12-byte end chunk).
        std::vector<std::size_t> reads;
        RecordingSink told;
        ASSERT_TRUE(DecodePngRows(file, options, told, [&](std::size_t n) { reads.push_back(n); }).image);
        EXPECT_EQ(told.pixels, whole.image->bitmap);
        ASSERT_FALSE(reads.empty());
        EXPECT_TRUE(std::is_sorted(reads.begin(), reads.end()));
        EXPECT_LE(reads.back(), file.size());
        EXPECT_GE(reads.back() + 16, file.size());
    }
    RecordingSink sink;
    EXPECT_EQ(DecodePngRows(PictureBytes(30, 1), options, sink).error, BmpError::NotPicture);
}

// Interlaced pictures come in seven passes; every pixel must land where it belongs.
TEST(PngDecoder, InterlacedEqualsPlain) {
    PngRecipe recipe{13, 11, 2, 8};
    for (int i = 0; i < 13 * 11; ++i) recipe.rows.insert(recipe.rows.end(), {std::uint8_t(i), std::uint8_t(7 * i), 99});
    const BmpReadResult plain = DecodePng(EncodePng(recipe));
    recipe.interlaced = true;
    const PictureBytes file = EncodePng(recipe);
    ASSERT_EQ(file.at(28), 1);  // the header's interlace method: Adam7
    const BmpReadResult interlaced = DecodePng(file);
    ASSERT_TRUE(plain.image && interlaced.image) << interlaced.Message();
    EXPECT_EQ(plain.image->bitmap, interlaced.image->bitmap);
    EXPECT_EQ(plain.image->bitmap.GetPixel(12, 10), ColorFromRgb(142, std::uint8_t(7 * 142), 99));

    // One row high: the last pass holds no pixels, and the picture ends before it.
    for (int width : {1, 2, 5, 9}) {
        PngRecipe row{width, 1, 0, 8};
        for (int x = 0; x < width; ++x) row.rows.push_back(std::uint8_t(30 * x + 1));
        const BmpReadResult flat = DecodePng(EncodePng(row));
        row.interlaced = true;
        const BmpReadResult adam7 = DecodePng(EncodePng(row));
        ASSERT_TRUE(flat.image && adam7.image) << width << ": " << adam7.Message();
        EXPECT_EQ(flat.image->bitmap, adam7.image->bitmap) << width;
    }
}

PictureBytes SmallPng() {
    PngRecipe recipe{16, 16, 2, 8};
    for (int i = 0; i < 16 * 16; ++i) recipe.rows.insert(recipe.rows.end(), {std::uint8_t(i), std::uint8_t(i * 3), 7});
    return EncodePng(recipe);
}

std::uint32_t Crc32(const std::uint8_t* p, std::size_t n) {
    std::uint32_t c = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < n; ++i) {
        c ^= p[i];
        for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1u)));
    }
    return ~c;
}

// A signature and a header chunk claiming the given size, with a correct checksum.
PictureBytes HeaderOnly(std::uint32_t width, std::uint32_t height) {
    PictureBytes b = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
    for (std::uint32_t v : {width, height}) b.insert(b.end(), {std::uint8_t(v >> 24), std::uint8_t(v >> 16), std::uint8_t(v >> 8), std::uint8_t(v)});
    b.insert(b.end(), {8, 2, 0, 0, 0});
    const std::uint32_t crc = Crc32(b.data() + 12, 17);
    b.insert(b.end(), {std::uint8_t(crc >> 24), std::uint8_t(crc >> 16), std::uint8_t(crc >> 8), std::uint8_t(crc)});
    return b;
}

TEST(PngDecoder, DamagedAndOversizedFilesAreRefusedWithAReason) {
    const PictureBytes good = SmallPng();
    ASSERT_TRUE(DecodePng(good).image);

    const auto refusal = [](const PictureBytes& b) { return DecodePng(b).error; };
    for (std::size_t cut : {std::size_t(0), std::size_t(5), std::size_t(20), good.size() / 2, good.size() - 30}) {
        SCOPED_TRACE(cut);
        const BmpError e = refusal(PictureBytes(good.begin(), good.begin() + std::ptrdiff_t(cut)));
        EXPECT_TRUE(e == BmpError::DamagedPng || e == BmpError::NotPicture) << int(e);
    }
    PictureBytes flipped = good;
    flipped[good.size() / 2] ^= 0x40;  // inside the pixel data: its checksum no longer fits
    EXPECT_EQ(refusal(flipped), BmpError::DamagedPng);
    EXPECT_EQ(refusal(PictureBytes(100, 0xAB)), BmpError::NotPicture);

    EXPECT_EQ(refusal(HeaderOnly(70000, 1)), BmpError::TooLarge);
    EXPECT_EQ(refusal(HeaderOnly(20000, 20000)), BmpError::TooLarge);  // 4e8 pixels > 2^28
    EXPECT_EQ(refusal(HeaderOnly(16, 16)), BmpError::DamagedPng);      // no pixel data at all
    EXPECT_EQ(DecodePng(HeaderOnly(16, 16)).Message(), "The PNG picture is damaged or cut short.");
}

// Where a chunk of the given type starts (its length field), or the file's size.
std::size_t ChunkAt(const PictureBytes& b, const char* type) {
    for (std::size_t at = 8; at + 8 <= b.size();) {
        if (std::memcmp(b.data() + at + 4, type, 4) == 0) return at;
        at += 12 + (std::size_t(b[at]) << 24 | std::size_t(b[at + 1]) << 16 | std::size_t(b[at + 2]) << 8 | b[at + 3]);
    }
    return b.size();
}

PictureBytes Chunk(const char* type, const PictureBytes& data) {
    const auto n = std::uint32_t(data.size());
    PictureBytes c = {std::uint8_t(n >> 24), std::uint8_t(n >> 16), std::uint8_t(n >> 8), std::uint8_t(n)};
    c.insert(c.end(), type, type + 4);
    c.insert(c.end(), data.begin(), data.end());
    const std::uint32_t crc = Crc32(c.data() + 4, c.size() - 4);
    c.insert(c.end(), {std::uint8_t(crc >> 24), std::uint8_t(crc >> 16), std::uint8_t(crc >> 8), std::uint8_t(crc)});
    return c;
}

// Files that claim what their data cannot hold are refused with the true reason, and the
// large claims before any pixel memory is taken.
TEST(PngDecoder, ClaimsTheDataCannotHoldAreRefusedBeforeAnyPixelMemory) {
    const PictureBytes good = SmallPng();
    // A 16384 x 16384 header over the small picture's compressed data: deflate expands at
    // most 1032 times, so these few hundred bytes cannot fill 805 MB of rows.
    PictureBytes claim = HeaderOnly(16384, 16384);
    claim.insert(claim.end(), good.begin() + 33, good.end());
    const PixelPool::Counts before = PixelPool::Shared().Counters();
    const BmpReadResult r = DecodePng(claim);
    EXPECT_EQ(r.error, BmpError::PictureDataTooShort);
    EXPECT_EQ(r.Message(), "The picture's data is far too short for the size its header claims: the file is damaged "
                           "or cut short.");
    const PixelPool::Counts after = PixelPool::Shared().Counters();
    EXPECT_EQ(after.fresh, before.fresh);
    EXPECT_EQ(after.inUse, before.inUse);

    // A picture that does compress near the limit is not caught by it.
    PngRecipe plain{1500, 1500, 0, 8};
    plain.rows.assign(std::size_t(1500) * 1500, 0);
    EXPECT_TRUE(DecodePng(EncodePng(plain)).image);

    // A wrong checksum on the image data is found also when it is the last thing read.
    PictureBytes badSum = good;
    const std::size_t idat = ChunkAt(badSum, "IEND") - 4;  // the last byte of the IDAT checksum
    badSum[idat] ^= 0x01;
    EXPECT_EQ(DecodePng(badSum).error, BmpError::DamagedPng);
    EXPECT_TRUE(DecodePng(PictureBytes(good.begin(), good.begin() + std::ptrdiff_t(idat + 1))).image);  // no end chunk

    // Text chunks beyond what the reader keeps: said so, not "damaged".
    PictureBytes chatty(good.begin(), good.begin() + 33);
    const PictureBytes text = Chunk("tEXt", {'k', 0, 'v'});
    for (int i = 0; i < 1100; ++i) chatty.insert(chatty.end(), text.begin(), text.end());
    chatty.insert(chatty.end(), good.begin() + 33, good.end());
    const BmpReadResult many = DecodePng(chatty);
    EXPECT_EQ(many.error, BmpError::PngChunkLimits);
    EXPECT_EQ(many.Message(), "The PNG picture holds more text or colour-profile data than this program reads.");
}

}  // namespace
}  // namespace rastrix

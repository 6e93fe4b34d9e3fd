// PNG pictures of every colour type decode to the exact pixels the editor's Paste gives a
// picture: transparency on white, 16-bit channels rounded, grey spread over 0..255.
#include <gtest/gtest.h>

#include "codec/PictureConversion.h"
#include "support/PictureTestFiles.h"
#include "codec/PngDecoder.h"

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
                 {0x0A141E, 0xFFFFFF, OnWhite(255, 0, 0, 128), OnWhite(255, 0, 0, 128), 0xFFFFFF, 0x0A141E}, 4});
    PngRecipe pal1{9, 1, 3, 1};
    pal1.palette = {{{0, 0, 255}}, {{255, 255, 0}}};
    pal1.rows = {0b10000001, 0b10000000};
    c.push_back({"palette of 1 bit", pal1,
                 {0xFFFF00, 0x0000FF, 0x0000FF, 0x0000FF, 0x0000FF, 0x0000FF, 0x0000FF, 0xFFFF00, 0xFFFF00}, 1});
    PngRecipe grey1{3, 1, 0, 1};
    grey1.rows = {0b10100000};
    c.push_back({"grey of 1 bit", grey1, {0xFFFFFF, 0x000000, 0xFFFFFF}, 1});
    PngRecipe grey4{2, 1, 0, 4};
    grey4.rows = {0x5F};
    c.push_back({"grey of 4 bits spreads to 0..255", grey4, {0x555555, 0xFFFFFF}, 4});
    PngRecipe grey8{2, 2, 0, 8};
    grey8.rows = {0, 100, 200, 255};
    grey8.transparentKey = {{200, 0, 0}};
    c.push_back({"grey with a transparent value", grey8, {0x000000, 0x646464, 0xFFFFFF, 0xFFFFFF}, 32});
    PngRecipe greyAlpha{3, 1, 4, 8};
    greyAlpha.rows = {100, 255, 0, 0, 0, 128};
    c.push_back({"grey and alpha", greyAlpha, {0x646464, 0xFFFFFF, OnWhite(0, 0, 0, 128)}, 32});
    PngRecipe rgb{2, 2, 2, 8};
    rgb.rows = {1, 2, 3, 250, 128, 0, 0, 0, 255, 9, 8, 7};
    c.push_back({"colour, rows top first", rgb, {0x010203, 0xFA8000, 0x0000FF, 0x090807}, 24});
    PngRecipe rgba{2, 1, 6, 8};
    rgba.rows = {255, 128, 0, 64, 1, 2, 3, 255};
    c.push_back({"colour and alpha laid on white", rgba, {0xFFDFBF, 0x010203}, 32});
    PngRecipe deep{2, 1, 2, 16};
    deep.rows = Rgba16({0xFFFF, 0x8000, 0x7F7F, 0x0000, 0x0080, 0x017F});
    c.push_back({"16-bit colour rounds to nearest", deep, {0xFF807F, 0x000001}, 24});
    PngRecipe deepAlpha{1, 1, 6, 16};
    deepAlpha.rows = Rgba16({0xFFFF, 0x0000, 0x0000, 0x8000});
    c.push_back({"16-bit alpha", deepAlpha, {OnWhite(255, 0, 0, 128)}, 32});
    PngRecipe deepGrey{2, 1, 0, 16};
    deepGrey.rows = Rgba16({0x8000, 0x0100});
    c.push_back({"16-bit grey", deepGrey, {0x808080, 0x010101}, 24});
    return c;
}

TEST(PngDecoder, EveryColourTypeDecodesExactly) {
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
    const Pixel paper = 0x00336699u;
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
                const Pixel a = transparent ? onPaper.image->alpha->Row(y)[x] : 0x00FFFFFFu;
                ASSERT_EQ(a, (a & 0xFFu) * 0x010101u);
                const Pixel got = onPaper.image->bitmap.Row(y)[x], white = onWhite.image->bitmap.Row(y)[x];
                if ((a & 0xFFu) == 255u) {
                    EXPECT_EQ(got, white) << x << "," << y;
                } else if ((a & 0xFFu) == 0u) {
                    EXPECT_EQ(got, paper) << x << "," << y;
                }
            }
    }
    PngRecipe rgba{2, 1, 6, 8};
    rgba.rows = {255, 128, 0, 64, 1, 2, 3, 0};
    const BmpReadResult r = DecodePng(EncodePng(rgba), options);
    ASSERT_TRUE(r.image);
    // (255 * 64 + 0x33 * 191 + 127) / 255 = 102, (128 * 64 + 0x66 * 191 + 127) / 255 = 109, 0x99 * 191 / 255 = 115
    EXPECT_EQ(r.image->bitmap.Row(0)[0], 0x00666D73u);
    EXPECT_EQ(r.image->alpha->Row(0)[0], 0x00404040u);
    EXPECT_EQ(r.image->bitmap.Row(0)[1], paper);
    EXPECT_EQ(r.image->alpha->Row(0)[1], 0u);
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
    EXPECT_EQ(plain.image->bitmap.GetPixel(12, 10), RGB(142, std::uint8_t(7 * 142), 99));
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

}  // namespace
}  // namespace rastrix

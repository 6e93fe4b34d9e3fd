#include "codec/BmpDirectWriter.h"

#include <gtest/gtest.h>

#include "codec/BmpReader.h"
#include "support/RandomPicture.h"

namespace rastrix {
namespace {

std::uint32_t Get32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return std::uint32_t(b[at]) | std::uint32_t(b[at + 1]) << 8 | std::uint32_t(b[at + 2]) << 16 |
           std::uint32_t(b[at + 3]) << 24;
}
unsigned Get16(const std::vector<std::uint8_t>& b, std::size_t at) { return b[at] | unsigned(b[at + 1]) << 8; }

using testing::Noise;

std::vector<std::uint8_t> Encode(const Bitmap& image, DirectDepth depth, const Bitmap* alpha = nullptr,
                                 Pixel background = Pixel{0x00FFFFFFu}) {
    std::vector<std::uint8_t> buffer;
    const BmpFileBytes file = EncodeBmpDirect(image, depth, alpha, background, buffer);
    EXPECT_EQ(file.status, EncodeStatus::Ok);
    EXPECT_EQ(file.size, buffer.size());
    return buffer;
}

struct HeaderCase {
    const char* name;
    DirectDepth depth;
    bool transparent;  // one pixel of the alpha given is not opaque
    unsigned bits, infoSize, pixelOffset, compression, red, green, blue, alpha;
};

class DirectHeaderTest : public ::testing::TestWithParam<HeaderCase> {};

// 5-6-5 names its masks (readers take compression 3 at 16 bits as 5-6-5); 5-5-5 is the plain
// form, which means 5-5-5 without masks; 32 bits have the alpha header only with transparency.
TEST_P(DirectHeaderTest, TakesTheFormSmallReadersReadAndPadsRowsToFourBytes) {
    const HeaderCase c = GetParam();
    Bitmap alpha(3, 2, ColorFromRgb(255, 255, 255));
    if (c.transparent) alpha.Row(1)[2] = Pixel{0x00FEFEFEu};
    const std::vector<std::uint8_t> f = Encode(Noise(3, 2, 1), c.depth, &alpha);
    const unsigned stride = (3 * c.bits / 8 + 3) / 4 * 4;
    ASSERT_EQ(f.size(), c.pixelOffset + 2 * stride);
    EXPECT_EQ(f[0], 'B');
    EXPECT_EQ(f[1], 'M');
    EXPECT_EQ(Get32(f, 2), f.size());
    EXPECT_EQ(Get32(f, 10), c.pixelOffset);
    EXPECT_EQ(Get32(f, 14), c.infoSize);
    EXPECT_EQ(Get32(f, 18), 3u);
    EXPECT_EQ(Get32(f, 22), 2u);
    EXPECT_EQ(Get16(f, 26), 1u);
    EXPECT_EQ(Get16(f, 28), c.bits);
    EXPECT_EQ(Get32(f, 30), c.compression);
    EXPECT_EQ(Get32(f, 34), 2 * stride);
    if (c.compression == 3) {
        EXPECT_EQ(Get32(f, 54), c.red);
        EXPECT_EQ(Get32(f, 58), c.green);
        EXPECT_EQ(Get32(f, 62), c.blue);
    }
    if (c.infoSize > 40) {
        EXPECT_EQ(Get32(f, 66), c.alpha);
    }
    for (unsigned y = 0; y < 2; ++y)
        for (unsigned pad = 3 * c.bits / 8; pad < stride; ++pad) EXPECT_EQ(f[c.pixelOffset + y * stride + pad], 0);
    if (c.bits == 32 && !c.transparent)
        for (unsigned i = 0; i < 6; ++i) EXPECT_EQ(f[c.pixelOffset + 4 * i + 3], 255) << i;  // opaque
}

INSTANTIATE_TEST_SUITE_P(
    Depths, DirectHeaderTest,
    ::testing::Values(HeaderCase{"rgb565", DirectDepth::Rgb565, false, 16, 40, 66, 3, 0xF800, 0x07E0, 0x1F, 0},
                      HeaderCase{"rgb555", DirectDepth::Rgb555, false, 16, 40, 54, 0, 0, 0, 0, 0},
                      HeaderCase{"rgb555_of_a_transparent_picture", DirectDepth::Rgb555, true, 16, 40, 54, 0, 0, 0, 0, 0},
                      HeaderCase{"bgra32_opaque", DirectDepth::Bgra32, false, 32, 40, 54, 0, 0, 0, 0, 0},
                      HeaderCase{"bgra32_transparent", DirectDepth::Bgra32, true, 32, 124, 138, 3, 0xFF0000, 0xFF00,
                                 0xFF, 0xFF000000u}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BmpDirectWriter, ChannelsRoundToTheNearestLevelBottomRowFirst) {
    Bitmap img(2, 2);
    img.Row(0)[0] = Pixel{0x00FFFFFFu};
    img.Row(0)[1] = Pixel{0x00808080u};  // 128 * 31 / 255 = 15.6 -> 16; 128 * 63 / 255 = 31.6 -> 32
    img.Row(1)[0] = Pixel{0x00FF0000u};
    // Red 3 -> 3 * 31 / 255 = 0.4 -> 0, green 4 -> 4 * 63 / 255 = 0.99 -> 1, blue 5 -> 0.6 -> 1
    img.Row(1)[1] = Pixel{0x00030405u};
    const auto f565 = Encode(img, DirectDepth::Rgb565);
    EXPECT_EQ(Get16(f565, 66), 0xF800u);  // bottom row first: red
    EXPECT_EQ(Get16(f565, 68), (0u << 11) | (1u << 5) | 1u);
    EXPECT_EQ(Get16(f565, 70), 0xFFFFu);  // then the top row: white
    EXPECT_EQ(Get16(f565, 72), (16u << 11) | (32u << 5) | 16u);
    const auto f555 = Encode(img, DirectDepth::Rgb555);
    EXPECT_EQ(Get16(f555, 54), 0x7C00u);
    EXPECT_EQ(Get16(f555, 58), 0x7FFFu);  // the top bit stays 0
    EXPECT_EQ(Get16(f555, 60), (16u << 10) | (16u << 5) | 16u);
}

TEST(BmpDirectWriter, OurReaderReadsEveryFormBackWithinItsRounding) {
    const Bitmap img = Noise(37, 11, 7);
    for (auto [depth, step] : {std::pair{DirectDepth::Rgb565, 4}, {DirectDepth::Rgb555, 4}, {DirectDepth::Bgra32, 0}}) {
        const auto f = Encode(img, depth);
        const BmpReadResult back = DecodeBmp(f);
        ASSERT_TRUE(back.image) << back.Message();
        ASSERT_EQ(back.image->bitmap.Width(), 37);
        for (int y = 0; y < 11; ++y)
            for (int x = 0; x < 37; ++x)
                for (int shift : {0, 8, 16}) {
                    const int want = int((ValueOf(img.Row(y)[x]) >> shift) & 0xFF);
                    const int got = int((ValueOf(back.image->bitmap.Row(y)[x]) >> shift) & 0xFF);
                    // Green keeps 6 bits at 5-6-5: half a step of 4 levels.
                    const int allowed = depth == DirectDepth::Rgb565 && shift == 8 ? 2 : step;
                    ASSERT_LE(std::abs(got - want), allowed) << x << "," << y << " shift " << shift;
                }
    }
}

TEST(BmpDirectWriter, AlphaIsWrittenWithTheColorsTakenOffTheBackground) {
    const Pixel paper{0x00336699u};
    Bitmap img(3, 1), alpha(3, 1);
    img.Row(0)[0] = Pixel{0x00102030u}, alpha.Row(0)[0] = Pixel{0x00FFFFFFu};  // opaque: as it is
    img.Row(0)[1] = paper, alpha.Row(0)[1] = Pixel{0};                 // transparent: the background, alpha 0
    // Red 200 at alpha 128 on paper red 0x33: (200 * 128 + 51 * 127) / 255 = 125.8 -> 126
    img.Row(0)[2] = Pixel{(126u << 16) | (ValueOf(paper) & 0xFFFFu)}, alpha.Row(0)[2] = Pixel{0x00808080u};
    const auto f = Encode(img, DirectDepth::Bgra32, &alpha, paper);
    EXPECT_EQ(Get32(f, 138), 0xFF102030u);
    EXPECT_EQ(Get32(f, 142), 0x00336699u);
    EXPECT_EQ(Get32(f, 146) >> 24, 0x80u);
    EXPECT_NEAR(int((Get32(f, 146) >> 16) & 0xFF), 200, 1);
    // Without an alpha every pixel is opaque, whatever the background.
    EXPECT_EQ(Get32(Encode(img, DirectDepth::Bgra32, nullptr, paper), kPlainPixelOffset + 4), 0xFF336699u);
}

TEST(BmpDirectWriter, AColorTakenOffItsBackgroundLaysBackToTheSameColor) {
    for (Pixel paper : {Pixel{0x00FFFFFFu}, Pixel{0u}, Pixel{0x00336699u}})
        for (unsigned a = 1; a < 256; a += 3)
            for (unsigned c = 0; c < 256; c += 5) {
                const unsigned p = BlueOf(paper);
                const unsigned laid = (c * a + p * (255 - a) + 127) / 255;
                const unsigned straight = BlueOf(OffBackground(Pixel{laid | (ValueOf(paper) & 0x00FFFF00u)}, a, paper));
                const int again = int((straight * a + p * (255 - a) + 127) / 255);
                ASSERT_LE(std::abs(again - int(laid)), 1) << "a " << a << " c " << c << " paper " << paper;
            }
}

}  // namespace
}  // namespace rastrix

#include "color/LevelsMapping.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

namespace rastrix {
namespace {

struct BitsCase {
    const char* name;
    ChannelBits bits;
};


// Each dithering's name reads back as itself; other words are no dithering.
TEST(DitherNames, ReadBack) {
    for (const Dither d : {Dither::None, Dither::FloydSteinberg, Dither::Atkinson, Dither::Ordered})
        EXPECT_EQ(DitherByName(DitherName(d)), d) << DitherName(d);
    EXPECT_FALSE(DitherByName("floyd"));
}

// The levels as they show: the level's bits repeated, so 0 is black and the top level 255.
TEST(LevelValue, RepeatsTheBits) {
    EXPECT_EQ(LevelValue(0b10110, 5), 0b10110101);
    EXPECT_EQ(LevelValue(0b101, 3), 0b10110110);
    EXPECT_EQ(LevelValue(1, 2), 0x55);
    EXPECT_EQ(LevelValue(63, 6), 255);
    EXPECT_EQ(LevelValue(1, 1), 255);
    EXPECT_EQ(LevelValue(200, 8), 200);
    for (int bits = 1; bits <= 8; ++bits)
        for (int level = 0; level < (1 << bits); ++level) EXPECT_EQ(LevelValue(level, bits) >> (8 - bits), level) << bits;
}

using LevelsCase = std::tuple<BitsCase, Dither>;
class LevelsMapping : public ::testing::TestWithParam<LevelsCase> {};

// A picture of colours that are levels already comes back unchanged: no error is made, so
// none is spread (the pattern moves values by less than half a level either way).
TEST_P(LevelsMapping, LevelsMapToThemselves) {
    const auto [bits, dither] = GetParam();
    std::mt19937 rng(11);
    Bitmap img(37, 19);
    for (int y = 0; y < img.Height(); ++y)
        for (int x = 0; x < img.Width(); ++x)
            img.Row(y)[x] = PixelFromRgb(std::uint8_t(LevelValue(int(rng() % (1u << bits.bits.red)), bits.bits.red)),
                                         std::uint8_t(LevelValue(int(rng() % (1u << bits.bits.green)), bits.bits.green)),
                                         std::uint8_t(LevelValue(int(rng() % (1u << bits.bits.blue)), bits.bits.blue)));
    const std::optional<Bitmap> out = MapToLevels(img, bits.bits, dither);
    ASSERT_TRUE(out);
    EXPECT_EQ(*out, img);
}

// Every pixel comes out on a level of each channel, and a flat colour between levels keeps its
// mean: what dithering is for (banding on gradients). Without dithering each pixel is its
// nearest level, checked against a search of all levels.
TEST_P(LevelsMapping, OnLevelsAndKeepsTheMean) {
    const auto [bits, dither] = GetParam();
    const ChannelBits b = bits.bits;
    const int depth[3] = {b.red, b.green, b.blue};
    for (const std::uint8_t v : {std::uint8_t(3), std::uint8_t(100), std::uint8_t(131), std::uint8_t(250)}) {
        const Bitmap flat(64, 64, ColorFromRgb(v, v, v));
        const std::optional<Bitmap> out = MapToLevels(flat, b, dither);
        ASSERT_TRUE(out);
        double sum[3] = {};
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x) {
                const Pixel p = out->Row(y)[x];
                const int c[3] = {RedOf(p), GreenOf(p), BlueOf(p)};
                for (int k = 0; k < 3; ++k) {
                    ASSERT_EQ(LevelValue(c[k] >> (8 - depth[k]), depth[k]), c[k]);
                    sum[k] += c[k];
                }
                if (dither == Dither::None)
                    for (int k = 0; k < 3; ++k) {
                        int best = 0;
                        for (int l = 0; l < (1 << depth[k]); ++l)
                            if (std::abs(LevelValue(l, depth[k]) - v) < std::abs(LevelValue(best, depth[k]) - v)) best = l;
                        ASSERT_EQ(c[k], LevelValue(best, depth[k]));
                    }
            }
        if (dither == Dither::None) continue;
        for (int k = 0; k < 3; ++k) {
            // Within a tenth of a level of the value (error leaving the picture is dropped);
            // Atkinson drops a quarter of each error, so within a third of a level; the pattern's
            // 64 offsets are whole numbers, so within a fifth.
            const double step = 255.0 / ((1 << depth[k]) - 1);
            const double share = dither == Dither::Atkinson ? 0.34 : dither == Dither::Ordered ? 0.2 : 0.1;
            EXPECT_NEAR(sum[k] / 4096.0, v, std::max(share * step, 0.6)) << DitherName(dither) << " channel " << k << " value " << int(v);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Depths, LevelsMapping,
    ::testing::Combine(::testing::Values(BitsCase{"rgb565", {5, 6, 5}}, BitsCase{"rgb332", {3, 3, 2}}, BitsCase{"one_bit", {1, 1, 1}}),
                       ::testing::Values(Dither::None, Dither::FloydSteinberg, Dither::Atkinson, Dither::Ordered)),
    [](const auto& info) { return std::string(std::get<0>(info.param).name) + "_" + std::string(DitherName(std::get<1>(info.param))); });

}  // namespace
}  // namespace rastrix

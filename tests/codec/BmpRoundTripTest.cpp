#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "codec/BmpWriter.h"
#include "support/EncodedBmpFile.h"
#include "support/BmpTestSupport.h"

namespace rastrix {
namespace {

using testing::Bytes;

// An image of at most `colours` random colours, none of them pure blue or magenta (which a
// strip-shaped image stores nudged).
Bitmap RandomImage(int width, int height, int colors, unsigned seed) {
    std::mt19937 rng(seed);
    std::vector<Color> pool;
    while (int(pool.size()) < colors) {
        const Color c{std::uint32_t(rng() & 0x00FFFFFFu)};
        if (c != ColorFromRgb(0, 0, 255) && c != ColorFromRgb(255, 0, 255)) pool.push_back(c);
    }
    Bitmap img(width, height);
    std::uniform_int_distribution<std::size_t> pick(0, pool.size() - 1);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) img.SetPixel(x, y, pool[pick(rng)]);
    return img;
}

struct Shape {
    int width, height;
};

class RoundTrip : public ::testing::TestWithParam<std::tuple<int, Shape>> {};

TEST_P(RoundTrip, DecodedPixelsEqualTheImage) {
    const auto [depth, shape] = GetParam();
    const int colors = depth == 24 ? 1 << 20 : 1 << depth;
    const Bitmap img = RandomImage(shape.width, shape.height, colors, unsigned(depth * 1000 + shape.width));
    const EncodedBmp file = testing::EncodeBmpFile(img, depth, nullptr);
    ASSERT_EQ(file.status, EncodeStatus::Ok);
    const auto back = testing::DecodeSimpleBmp(file.bytes);
    ASSERT_TRUE(back.has_value());
    EXPECT_TRUE(*back == img);
}

// Odd widths around the byte and word boundaries, and one strip-shaped image.
INSTANTIATE_TEST_SUITE_P(BmpWriter, RoundTrip,
                         ::testing::Combine(::testing::Values(1, 4, 8, 24),
                                            ::testing::Values(Shape{1, 1}, Shape{3, 5}, Shape{7, 2}, Shape{9, 9},
                                                              Shape{31, 4}, Shape{33, 3}, Shape{200, 20})));

// Cross-check with ImageMagick where it is installed: it must read our files to the same
// pixels. Skipped when the tool is absent.
constexpr const char* kConvert = "/usr/bin/convert";

class ImageMagickReads : public ::testing::TestWithParam<int> {};

TEST_P(ImageMagickReads, SamePixels) {
    if (!std::filesystem::exists(kConvert)) GTEST_SKIP() << "ImageMagick convert is not installed";
    const int depth = GetParam();
    const Bitmap img = RandomImage(37, 13, depth == 24 ? 4096 : 1 << depth, unsigned(depth));
    const EncodedBmp file = testing::EncodeBmpFile(img, depth, nullptr);
    ASSERT_EQ(file.status, EncodeStatus::Ok);
    const auto dir = std::filesystem::path(::testing::TempDir()) / ("rastrix_im_" + std::to_string(depth));
    std::filesystem::create_directories(dir);
    const auto bmp = dir / "in.bmp";
    std::ofstream(bmp, std::ios::binary).write(reinterpret_cast<const char*>(file.bytes.data()),
                                               std::streamsize(file.bytes.size()));
    const std::string cmd = std::string(kConvert) + " '" + bmp.string() + "' -depth 8 rgb:- 2>/dev/null";
    FILE* pipe = ::popen(cmd.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    Bytes rgb;
    std::uint8_t buf[4096];
    for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, pipe)) > 0;) rgb.insert(rgb.end(), buf, buf + n);
    const int status = ::pclose(pipe);
    std::filesystem::remove_all(dir);
    if (status != 0 && rgb.empty()) GTEST_SKIP() << "convert could not run here";
    ASSERT_EQ(rgb.size(), std::size_t(37 * 13 * 3));
    for (int y = 0; y < 13; ++y)
        for (int x = 0; x < 37; ++x) {
            const std::size_t i = (std::size_t(y) * 37 + std::size_t(x)) * 3;
            ASSERT_EQ(ColorFromRgb(rgb[i], rgb[i + 1], rgb[i + 2]), img.GetPixel(x, y)) << x << "," << y;
        }
}

INSTANTIATE_TEST_SUITE_P(BmpWriter, ImageMagickReads, ::testing::Values(1, 4, 8, 24));

}  // namespace
}  // namespace rastrix

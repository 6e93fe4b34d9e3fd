// LVGL images, compared with what LVGL's own converter (scripts/LVGLImage.py in LVGL's
// repository, v9) writes: each golden array below is that script's output for the picture
// beside it, made with `LVGLImage.py --ofmt BIN|C --cf FORMAT` from a PNG of those pixels.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "device/DeviceExport.h"
#include "device/ExportFor.h"
#include "device/LibraryReaders.h"

namespace rastrix {
namespace {

using Golden = std::vector<std::uint8_t>;

Bitmap FromRows(int w, int h, std::initializer_list<std::uint32_t> rgb) {
    Bitmap b(w, h);
    auto it = rgb.begin();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) b.Row(y)[x] = Pixel{*it++};
    return b;
}

// 4 x 3 opaque colours. Their channels are none of them a multiple of 8 (of 4 in green) but 0
// and 255: the script lays every pixel on its background colour with (v * 255) >> 8, which takes
// one level off such values; here no 5-6-5 level moves, so its RGB565 files are exact.
Bitmap Colors43() {
    return FromRows(4, 3, {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF,  //
                           0x0765C9, 0x824263, 0x000000, 0xC98207,  //
                           0x63CB82, 0xFF6500, 0x4207FF, 0x010101});
}

// 4 x 2 with transparency: opaque colours, a transparent white, black at alpha 128; the pixels as
// a PNG reader hands them out, laid on white, with the alpha beside them.
Bitmap Alpha42Laid() {
    return FromRows(4, 2, {0xFF0000, 0x00FF00, 0xFFFFFF, 0x7F7F7F,  //
                           0x0765C9, 0x824263, 0xC98207, 0x010203});
}
Bitmap Alpha42() { return FromRows(4, 2, {0xFF, 0xFF, 0x00, 0x80, 0xFF, 0xFF, 0xFF, 0xFF}); }

Bitmap BlackWhite113() {
    Bitmap b(11, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 11; ++x) b.Row(y)[x] = Pixel{(x * 3 + y * 5) % 7 < 3 ? 0xFFFFFFu : 0u};
    return b;
}

Bitmap Greys(int w, int h, int levels, int a, int b) {
    Bitmap out(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const std::uint32_t v = std::uint32_t((x * a + y * b) % levels * (255 / (levels - 1)));
            out.Row(y)[x] = Pixel{v << 16 | v << 8 | v};
        }
    return out;
}

DeviceFile Export(const Bitmap& image, DeviceContainer c, DeviceLayout layout, const Bitmap* alpha = nullptr,
                  std::string name = "") {
    DeviceExport e;
    e.container = c;
    e.layout = layout;
    e.name = std::move(name);
    return ExportForDevice(image, e, {alpha, PixelFromRgb(255, 255, 255)});
}

struct GoldenCase {
    const char* name;
    Bitmap (*picture)();
    Bitmap (*alpha)();
    DeviceLayout layout;
    Golden bytes;
};

void PrintTo(const GoldenCase& c, std::ostream* os) { *os << c.name; }

class LvglBinaryAsLvglWritesIt : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(LvglBinaryAsLvglWritesIt, ByteForByte) {
    const GoldenCase& c = GetParam();
    const std::optional<Bitmap> alpha = c.alpha ? std::optional(c.alpha()) : std::nullopt;
    const DeviceFile file = Export(c.picture(), DeviceContainer::LvglBinary, c.layout, alpha ? &*alpha : nullptr);
    ASSERT_TRUE(file.problem.Ok()) << DeviceFileProblemText(file.problem);
    EXPECT_EQ(file.bytes, c.bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, LvglBinaryAsLvglWritesIt,
    ::testing::Values(
        GoldenCase{"RGB565", Colors43, nullptr, DeviceLayout::Rgb565,
                   {0x19, 0x12, 0x00, 0x00, 0x04, 0x00, 0x03, 0x00, 0x08, 0x00, 0x00, 0x00, 0x00, 0xf8, 0xe0, 0x07,
                    0x1f, 0x00, 0xff, 0xff, 0x39, 0x03, 0x0c, 0x82, 0x00, 0x00, 0x00, 0xcc, 0x50, 0x66, 0x20, 0xfb,
                    0x3f, 0x40, 0x00, 0x00}},
        GoldenCase{"RGB565_SWAPPED", Colors43, nullptr, DeviceLayout::Rgb565Swapped,
                   {0x19, 0x1b, 0x00, 0x00, 0x04, 0x00, 0x03, 0x00, 0x08, 0x00, 0x00, 0x00, 0xf8, 0x00, 0x07, 0xe0,
                    0x00, 0x1f, 0xff, 0xff, 0x03, 0x39, 0x82, 0x0c, 0x00, 0x00, 0xcc, 0x00, 0x66, 0x50, 0xfb, 0x20,
                    0x40, 0x3f, 0x00, 0x00}},
        GoldenCase{"RGB565A8_opaque", Colors43, nullptr, DeviceLayout::Rgb565A8,
                   {0x19, 0x14, 0x00, 0x00, 0x04, 0x00, 0x03, 0x00, 0x08, 0x00, 0x00, 0x00, 0x00, 0xf8, 0xe0, 0x07,
                    0x1f, 0x00, 0xff, 0xff, 0x39, 0x03, 0x0c, 0x82, 0x00, 0x00, 0x00, 0xcc, 0x50, 0x66, 0x20, 0xfb,
                    0x3f, 0x40, 0x00, 0x00, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff}},
        GoldenCase{"ARGB8888_opaque", Colors43, nullptr, DeviceLayout::Argb8888,
                   {0x19, 0x10, 0x00, 0x00, 0x04, 0x00, 0x03, 0x00, 0x10, 0x00, 0x00, 0x00, 0x00, 0x00, 0xff, 0xff,
                    0x00, 0xff, 0x00, 0xff, 0xff, 0x00, 0x00, 0xff, 0xff, 0xff, 0xff, 0xff, 0xc9, 0x65, 0x07, 0xff,
                    0x63, 0x42, 0x82, 0xff, 0x00, 0x00, 0x00, 0xff, 0x07, 0x82, 0xc9, 0xff, 0x82, 0xcb, 0x63, 0xff,
                    0x00, 0x65, 0xff, 0xff, 0xff, 0x07, 0x42, 0xff, 0x01, 0x01, 0x01, 0xff}},
        GoldenCase{"ARGB8888_alpha", Alpha42Laid, Alpha42, DeviceLayout::Argb8888,
                   {0x19, 0x10, 0x00, 0x00, 0x04, 0x00, 0x02, 0x00, 0x10, 0x00, 0x00, 0x00, 0x00, 0x00, 0xff, 0xff,
                    0x00, 0xff, 0x00, 0xff, 0xff, 0xff, 0xff, 0x00, 0x00, 0x00, 0x00, 0x80, 0xc9, 0x65, 0x07, 0xff,
                    0x63, 0x42, 0x82, 0xff, 0x07, 0x82, 0xc9, 0xff, 0x03, 0x02, 0x01, 0xff}},
        GoldenCase{"RGB565A8_alpha", Alpha42Laid, Alpha42, DeviceLayout::Rgb565A8,
                   {0x19, 0x14, 0x00, 0x00, 0x04, 0x00, 0x02, 0x00, 0x08, 0x00, 0x00, 0x00, 0x00, 0xf8, 0xe0, 0x07,
                    0xff, 0xff, 0x00, 0x00, 0x39, 0x03, 0x0c, 0x82, 0x00, 0xcc, 0x00, 0x00, 0xff, 0xff, 0x00, 0x80,
                    0xff, 0xff, 0xff, 0xff}},
        // From a PNG whose palette is black, white: the script keeps a palette of the size asked for.
        GoldenCase{"I1", BlackWhite113, nullptr, DeviceLayout::Mono,
                   {0x19, 0x07, 0x00, 0x00, 0x0b, 0x00, 0x03, 0x00, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xff,
                    0xff, 0xff, 0xff, 0xff, 0x95, 0x20, 0x52, 0xa0, 0x2a, 0x40}},
        GoldenCase{"I2", [] { return Greys(5, 2, 4, 1, 2); }, nullptr, DeviceLayout::Grey2,
                   {0x19, 0x08, 0x00, 0x00, 0x05, 0x00, 0x02, 0x00, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xff,
                    0x55, 0x55, 0x55, 0xff, 0xaa, 0xaa, 0xaa, 0xff, 0xff, 0xff, 0xff, 0xff, 0x1b, 0x00, 0xb1, 0x80}},
        GoldenCase{"I4", [] { return Greys(3, 2, 16, 5, 7); }, nullptr, DeviceLayout::Grey4,
                   {0x19, 0x09, 0x00, 0x00, 0x03, 0x00, 0x02, 0x00, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xff,
                    0x11, 0x11, 0x11, 0xff, 0x22, 0x22, 0x22, 0xff, 0x33, 0x33, 0x33, 0xff, 0x44, 0x44, 0x44, 0xff,
                    0x55, 0x55, 0x55, 0xff, 0x66, 0x66, 0x66, 0xff, 0x77, 0x77, 0x77, 0xff, 0x88, 0x88, 0x88, 0xff,
                    0x99, 0x99, 0x99, 0xff, 0xaa, 0xaa, 0xaa, 0xff, 0xbb, 0xbb, 0xbb, 0xff, 0xcc, 0xcc, 0xcc, 0xff,
                    0xdd, 0xdd, 0xdd, 0xff, 0xee, 0xee, 0xee, 0xff, 0xff, 0xff, 0xff, 0xff, 0x05, 0xa0, 0x7c, 0x10}}),
    [](const auto& info) { return std::string(info.param.name); });

// RGB888 and XRGB8888: the script lays even opaque pixels on its background with (v * 255) >> 8,
// which takes one level off every non-zero channel (255 is written 254). Our files keep the
// picture's values; apart from that step they are the script's byte for byte (header, order,
// the 0xFF of XRGB8888).
struct ShiftedCase {
    const char* name;
    DeviceLayout layout;
    int pixelBytes;
    Golden bytes;
};

class LvglBinaryOneLevelAboveLvgl : public ::testing::TestWithParam<ShiftedCase> {};

TEST_P(LvglBinaryOneLevelAboveLvgl, ElseByteForByte) {
    const ShiftedCase& c = GetParam();
    const DeviceFile file = Export(Colors43(), DeviceContainer::LvglBinary, c.layout);
    ASSERT_TRUE(file.problem.Ok()) << DeviceFileProblemText(file.problem);
    ASSERT_EQ(file.bytes.size(), c.bytes.size());
    for (std::size_t i = 0; i < c.bytes.size(); ++i) {
        const bool channel = i >= 12 && (c.pixelBytes == 3 || (i - 12) % 4 != 3);
        const int script = channel ? (file.bytes[i] * 255) >> 8 : file.bytes[i];
        EXPECT_EQ(script, c.bytes[i]) << "byte " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Formats, LvglBinaryOneLevelAboveLvgl,
    ::testing::Values(
        ShiftedCase{"RGB888", DeviceLayout::Rgb888, 3,
                    {0x19, 0x0f, 0x00, 0x00, 0x04, 0x00, 0x03, 0x00, 0x0c, 0x00, 0x00, 0x00, 0x00, 0x00, 0xfe, 0x00,
                     0xfe, 0x00, 0xfe, 0x00, 0x00, 0xfe, 0xfe, 0xfe, 0xc8, 0x64, 0x06, 0x62, 0x41, 0x81, 0x00, 0x00,
                     0x00, 0x06, 0x81, 0xc8, 0x81, 0xca, 0x62, 0x00, 0x64, 0xfe, 0xfe, 0x06, 0x41, 0x00, 0x00, 0x00}},
        ShiftedCase{"XRGB8888", DeviceLayout::Xrgb8888, 4,
                    {0x19, 0x11, 0x00, 0x00, 0x04, 0x00, 0x03, 0x00, 0x10, 0x00, 0x00, 0x00, 0x00, 0x00, 0xfe, 0xff,
                     0x00, 0xfe, 0x00, 0xff, 0xfe, 0x00, 0x00, 0xff, 0xfe, 0xfe, 0xfe, 0xff, 0xc8, 0x64, 0x06, 0xff,
                     0x62, 0x41, 0x81, 0xff, 0x00, 0x00, 0x00, 0xff, 0x06, 0x81, 0xc8, 0xff, 0x81, 0xca, 0x62, 0xff,
                     0x00, 0x64, 0xfe, 0xff, 0xfe, 0x06, 0x41, 0xff, 0x00, 0x00, 0x00, 0xff}}),
    [](const auto& info) { return std::string(info.param.name); });

std::string Text(const DeviceFile& f) { return {f.bytes.begin(), f.bytes.end()}; }

constexpr const char* kLvglIncludes =
    "\n"
    "#if defined(LV_LVGL_H_INCLUDE_SIMPLE)\n"
    "#include \"lvgl.h\"\n"
    "#elif defined(LV_LVGL_H_INCLUDE_SYSTEM)\n"
    "#include <lvgl.h>\n"
    "#elif defined(LV_BUILD_TEST)\n"
    "#include \"../lvgl.h\"\n"
    "#else\n"
    "#include \"lvgl/lvgl.h\"\n"
    "#endif\n"
    "\n"
    "#ifndef LV_ATTRIBUTE_MEM_ALIGN\n"
    "#define LV_ATTRIBUTE_MEM_ALIGN\n"
    "#endif\n"
    "\n";

// What `LVGLImage.py --ofmt C --cf RGB565` writes for Colors43 in c43.png.
TEST(LvglC, Rgb565AsLvglWritesIt) {
    const std::string want = std::string(kLvglIncludes) +
                             "#ifndef LV_ATTRIBUTE_C43\n"
                             "#define LV_ATTRIBUTE_C43\n"
                             "#endif\n"
                             "\n"
                             "static const\n"
                             "LV_ATTRIBUTE_MEM_ALIGN LV_ATTRIBUTE_LARGE_CONST LV_ATTRIBUTE_C43\n"
                             "uint8_t c43_map[] = {\n"
                             "\n"
                             "    0x00,0xf8,0xe0,0x07,0x1f,0x00,0xff,0xff,\n"
                             "    0x39,0x03,0x0c,0x82,0x00,0x00,0x00,0xcc,\n"
                             "    0x50,0x66,0x20,0xfb,0x3f,0x40,0x00,0x00,\n"
                             "\n"
                             "};\n"
                             "\n"
                             "const lv_image_dsc_t c43 = {\n"
                             "  .header = {\n"
                             "    .magic = LV_IMAGE_HEADER_MAGIC,\n"
                             "    .cf = LV_COLOR_FORMAT_RGB565,\n"
                             "    .flags = 0,\n"
                             "    .w = 4,\n"
                             "    .h = 3,\n"
                             "    .stride = 8,\n"
                             "    .reserved_2 = 0,\n"
                             "  },\n"
                             "  .data_size = sizeof(c43_map),\n"
                             "  .data = c43_map,\n"
                             "  .reserved = NULL,\n"
                             "};\n"
                             "\n";
    EXPECT_EQ(Text(Export(Colors43(), DeviceContainer::LvglC, DeviceLayout::Rgb565, nullptr, "c43")), want);
}

// What `LVGLImage.py --ofmt C --cf I1` writes for BlackWhite113 in bw113.png: the palette on a
// line of its own, then a row a line.
TEST(LvglC, I1AsLvglWritesIt) {
    const std::string want = std::string(kLvglIncludes) +
                             "#ifndef LV_ATTRIBUTE_BW113\n"
                             "#define LV_ATTRIBUTE_BW113\n"
                             "#endif\n"
                             "\n"
                             "static const\n"
                             "LV_ATTRIBUTE_MEM_ALIGN LV_ATTRIBUTE_LARGE_CONST LV_ATTRIBUTE_BW113\n"
                             "uint8_t bw113_map[] = {\n"
                             "\n"
                             "    0x00,0x00,0x00,0xff,0xff,0xff,0xff,0xff,\n"
                             "\n"
                             "    0x95,0x20,\n"
                             "    0x52,0xa0,\n"
                             "    0x2a,0x40,\n"
                             "\n"
                             "};\n"
                             "\n"
                             "const lv_image_dsc_t bw113 = {\n"
                             "  .header = {\n"
                             "    .magic = LV_IMAGE_HEADER_MAGIC,\n"
                             "    .cf = LV_COLOR_FORMAT_I1,\n"
                             "    .flags = 0,\n"
                             "    .w = 11,\n"
                             "    .h = 3,\n"
                             "    .stride = 2,\n"
                             "    .reserved_2 = 0,\n"
                             "  },\n"
                             "  .data_size = sizeof(bw113_map),\n"
                             "  .data = bw113_map,\n"
                             "  .reserved = NULL,\n"
                             "};\n"
                             "\n";
    EXPECT_EQ(Text(Export(BlackWhite113(), DeviceContainer::LvglC, DeviceLayout::Mono, nullptr, "bw113")), want);
}

// The header as LVGL's lv_image_header_t reads it, and the pixels through the palette as its
// indexed reader takes them, for every indexed layout and an invert.
TEST(LvglBinary, IndexedPixelsReadBackThroughThePalette) {
    using namespace device_test;
    struct Case {
        DeviceLayout layout;
        bool invert;
        int bpp;
        const char* palette;
    };
    const Bitmap picture = Greys(13, 5, 4, 1, 3);
    for (const Case c : {Case{DeviceLayout::Grey2, false, 2, ""}, Case{DeviceLayout::Grey2, true, 2, ""},
                         Case{DeviceLayout::Index4, false, 4, "grey4"}, Case{DeviceLayout::Index8, false, 8, "grey4"}}) {
        const DeviceFile file = ExportFor(picture, DeviceContainer::LvglBinary, c.layout, c.invert, c.palette);
        ASSERT_TRUE(file.problem.Ok()) << DeviceFileProblemText(file.problem);
        const LvglHeader h = ReadLvglHeader(file.bytes);
        EXPECT_EQ(h.magic, 0x19);
        EXPECT_EQ(h.w, 13);
        EXPECT_EQ(h.h, 5);
        EXPECT_EQ(h.stride, (13 * c.bpp + 7) / 8);
        const Read read = LvglIndexed(std::span(file.bytes).subspan(12), c.bpp, h.w, h.h, h.stride);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 13; ++x) ASSERT_EQ(read.At(x, y), ValueOf(picture.Row(y)[x])) << x << "," << y;
    }
}

}  // namespace
}  // namespace rastrix

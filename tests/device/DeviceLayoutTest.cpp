#include "device/DeviceLayout.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "device/DeviceExport.h"
#include "device/ExportFor.h"
#include "device/LibraryReaders.h"

namespace rastrix {
namespace {

using namespace device_test;

constexpr Pixel kBlack = PixelFromRgb(0, 0, 0), kWhite = PixelFromRgb(255, 255, 255), kRed = PixelFromRgb(255, 0, 0);

// Asymmetric pictures of odd sizes, so a flipped row, a swapped bit order or a lost padding bit
// shows; each holds only colours the layout keeps, so every pixel has one right answer.
Bitmap Picture(int w, int h, Pixel (*at)(int x, int y)) {
    Bitmap b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) b.Row(y)[x] = at(x, y);
    return b;
}
Bitmap BlackWhite() { return Picture(13, 11, [](int x, int y) { return (x * 7 + y * 3) % 5 < 2 ? kWhite : kBlack; }); }
// A tall one: 19 rows make three pages, the last one partly filled.
Bitmap TallBlackWhite() { return Picture(9, 19, [](int x, int y) { return (x + 2 * y) % 3 == 0 || y == 0 ? kWhite : kBlack; }); }
Bitmap ThreeInks() {
    return Picture(13, 11, [](int x, int y) { const int k = (x * 5 + y * 2) % 7; return k < 2 ? kRed : k < 4 ? kBlack : kWhite; });
}
Bitmap Greys(int levels) {
    return Picture(13, 11, levels == 4 ? +[](int x, int y) {
        const int v = ((x + 3 * y) % 4) * 85;
        return PixelFromRgb(std::uint8_t(v), std::uint8_t(v), std::uint8_t(v));
    } : levels == 16 ? +[](int x, int y) {
        const int v = ((x * 5 + y * 3) % 16) * 17;
        return PixelFromRgb(std::uint8_t(v), std::uint8_t(v), std::uint8_t(v));
    } : +[](int x, int y) {
        const int v = (x * 19 + y * 23) % 256;
        return PixelFromRgb(std::uint8_t(v), std::uint8_t(v), std::uint8_t(v));
    });
}
Bitmap SevenInks() {
    return Picture(14, 11, [](int x, int y) { return EpaperPalette7()[std::size_t((x * 3 + y) % 7)]; });
}
Bitmap Colors() {
    return Picture(13, 11, [](int x, int y) {
        return PixelFromRgb(std::uint8_t(x * 19 + y * 7), std::uint8_t(y * 23 + 5), std::uint8_t(x * y * 3 + 200));
    });
}

int GreyIndex(Pixel p, int levels) { return BlueOf(p) / (255 / (levels - 1)); }

std::uint32_t Word565(Pixel p) { return std::uint32_t(RedOf(p) >> 3) << 11 | std::uint32_t(GreenOf(p) >> 2) << 5 | (BlueOf(p) >> 3); }

// Reads a 24 or 32-bit word a pixel, lowest byte first, as LVGL's lv_color_t (blue, green, red)
// and lv_color32_t (blue, green, red, alpha) lie in memory; gives 0xAARRGGBB (no alpha: 0).
Read LowByteFirstWords(Bytes bytes, int w, int h, int size) {
    Read r = Blank(w, h);
    for (std::size_t k = 0; k < r.v.size(); ++k)
        for (int b = size - 1; b >= 0; --b) r.v[k] = r.v[k] << 8 | bytes[k * std::size_t(size) + std::size_t(b)];
    return r;
}

// LVGL v8's 8-bit colour (LV_COLOR_DEPTH 8): blue in bits 0-1, green 2-4, red 5-7.
Read Rgb332Bytes(Bytes bytes, int w, int h) {
    Read r = Blank(w, h);
    for (std::size_t k = 0; k < r.v.size(); ++k) r.v[k] = bytes[k];
    return r;
}

struct LayoutCase {
    const char* name;
    DeviceLayout layout;
    bool invert;
    const char* palette;  // for the Index and Planes layouts; "" for none
    Bitmap (*picture)();
    Read (*read)(Bytes bytes, int w, int h);
    std::uint32_t (*want)(Pixel source);
};

void PrintTo(const LayoutCase& c, std::ostream* os) { *os << c.name; }

class LayoutReadByLibraryLoop : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(LayoutReadByLibraryLoop, GivesEveryPixel) {
    const LayoutCase& c = GetParam();
    const Bitmap picture = c.picture();
    const DeviceFile file = ExportFor(picture, DeviceContainer::Binary, c.layout, c.invert, c.palette);
    ASSERT_TRUE(file.problem.Ok()) << DeviceFileProblemText(file.problem);
    const Read read = c.read(file.bytes, picture.Width(), picture.Height());
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x)
            ASSERT_EQ(read.At(x, y), c.want(picture.Row(y)[x])) << "at " << x << "," << y << " of " << picture.Row(y)[x];
}

Read Planes(Bytes bytes, int w, int h) {
    const std::size_t plane = std::size_t((w + 7) / 8) * std::size_t(h);
    EXPECT_EQ(bytes.size(), 2 * plane);
    return ThreeColorPlanes(bytes.first(plane), bytes.subspan(plane), w, h);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, LayoutReadByLibraryLoop,
    ::testing::Values(
        LayoutCase{"mono_drawBitmap", DeviceLayout::Mono, false, "", BlackWhite, DrawBitmap, [](Pixel p) { return std::uint32_t(p == kWhite); }},
        LayoutCase{"mono_inverted", DeviceLayout::Mono, true, "", BlackWhite, DrawBitmap, [](Pixel p) { return std::uint32_t(p == kBlack); }},
        LayoutCase{"mono_lsb_drawXBitmap", DeviceLayout::MonoLsb, false, "", BlackWhite, DrawXBitmap, [](Pixel p) { return std::uint32_t(p == kWhite); }},
        LayoutCase{"mono_pages_ssd1306", DeviceLayout::MonoPages, false, "", TallBlackWhite, Ssd1306Buffer, [](Pixel p) { return std::uint32_t(p == kWhite); }},
        LayoutCase{"mono_pages_inverted", DeviceLayout::MonoPages, true, "", TallBlackWhite, Ssd1306Buffer, [](Pixel p) { return std::uint32_t(p == kBlack); }},
        LayoutCase{"index1_drawBitmap", DeviceLayout::Index1, false, "bw", BlackWhite, DrawBitmap, [](Pixel p) { return std::uint32_t(p == kWhite); }},
        LayoutCase{"grey2_two_bit_rows", DeviceLayout::Grey2, false, "", [] { return Greys(4); }, TwoBitRows, [](Pixel p) { return std::uint32_t(GreyIndex(p, 4)); }},
        LayoutCase{"grey2_inverted", DeviceLayout::Grey2, true, "", [] { return Greys(4); }, TwoBitRows, [](Pixel p) { return std::uint32_t(3 - GreyIndex(p, 4)); }},
        LayoutCase{"grey4_nibbles", DeviceLayout::Grey4, false, "", [] { return Greys(16); }, Native4Bit, [](Pixel p) { return std::uint32_t(GreyIndex(p, 16)); }},
        LayoutCase{"grey8_drawGrayscaleBitmap", DeviceLayout::Grey8, false, "", [] { return Greys(256); }, DrawGrayscaleBitmap, [](Pixel p) { return std::uint32_t(BlueOf(p)); }},
        LayoutCase{"index4_gxepd2_7c", DeviceLayout::Index4, false, "epaper7", SevenInks, Native4Bit,
                   [](Pixel p) {
                       const PaletteColors inks = EpaperPalette7();
                       return std::uint32_t(std::find(inks.begin(), inks.end(), p) - inks.begin());
                   }},
        LayoutCase{"planes_gxepd2_3c", DeviceLayout::Planes, false, "bwr", ThreeInks, Planes,
                   [](Pixel p) { return std::uint32_t(p == kRed ? 2 : p == kBlack ? 1 : 0); }},
        LayoutCase{"rgb565_drawRGBBitmap", DeviceLayout::Rgb565, false, "", Colors, DrawRGBBitmap, Word565},
        LayoutCase{"rgb565_swapped_pushImage", DeviceLayout::Rgb565Swapped, false, "", Colors, PushImageUnswapped, Word565},
        LayoutCase{"rgb332_lvgl8", DeviceLayout::Rgb332, false, "", Colors, Rgb332Bytes,
                   [](Pixel p) { return std::uint32_t((RedOf(p) >> 5) << 5 | (GreenOf(p) >> 5) << 2 | BlueOf(p) >> 6); }},
        LayoutCase{"rgb888_lv_color_t", DeviceLayout::Rgb888, false, "", Colors, [](Bytes b, int w, int h) { return LowByteFirstWords(b, w, h, 3); },
                   [](Pixel p) { return ValueOf(p); }},
        LayoutCase{"xrgb8888_lv_color32_t", DeviceLayout::Xrgb8888, false, "", Colors, [](Bytes b, int w, int h) { return LowByteFirstWords(b, w, h, 4); },
                   [](Pixel p) { return ValueOf(p) | 0xFF000000u; }},
        LayoutCase{"argb8888_opaque", DeviceLayout::Argb8888, false, "", Colors, [](Bytes b, int w, int h) { return LowByteFirstWords(b, w, h, 4); },
                   [](Pixel p) { return ValueOf(p) | 0xFF000000u; }}),
    [](const auto& info) { return std::string(info.param.name); });

// Mono rows end on a byte: the bits past the picture's width are zero, whatever the invert, so
// a reader that draws whole bytes draws nothing there.
TEST(DeviceLayout, PaddingBitsAreZero) {
    for (const bool invert : {false, true}) {
        MappedImage m;
        m.indexes = {3, 2, {1, 1, 1, 0, 0, 0}};  // 3 x 2, white row, black row
        m.palette = BlackWhitePalette();
        const std::optional<PackedImage> p = PackLayout(m, DeviceLayout::Mono, invert);
        ASSERT_TRUE(p);
        EXPECT_EQ(p->bytes, (std::vector<std::uint8_t>{std::uint8_t(invert ? 0x00 : 0xE0), std::uint8_t(invert ? 0xE0 : 0x00)}));
    }
}

// The alpha plane of rgb565a8 follows the colour plane; argb8888 keeps alpha in each word.
TEST(DeviceLayout, AlphaGoesWhereTheLayoutPutsIt) {
    MappedImage m;
    m.pixels = Bitmap(2, 1);
    m.pixels->Row(0)[0] = PixelFromRgb(255, 0, 0), m.pixels->Row(0)[1] = PixelFromRgb(0, 0, 255);
    m.alpha = Bitmap(2, 1);
    m.alpha->Row(0)[0] = Pixel{0x80}, m.alpha->Row(0)[1] = Pixel{0xFF};
    const std::optional<PackedImage> a8 = PackLayout(m, DeviceLayout::Rgb565A8, false);
    ASSERT_TRUE(a8);
    EXPECT_EQ(a8->bytes, (std::vector<std::uint8_t>{0x00, 0xF8, 0x1F, 0x00, 0x80, 0xFF}));
    ASSERT_EQ(a8->planes.size(), 2u);
    EXPECT_EQ(a8->planes[1].offset, 4u);
    const std::optional<PackedImage> argb = PackLayout(m, DeviceLayout::Argb8888, false);
    ASSERT_TRUE(argb);
    EXPECT_EQ(argb->bytes, (std::vector<std::uint8_t>{0x00, 0x00, 0xFF, 0x80, 0xFF, 0x00, 0x00, 0xFF}));
}

TEST(DeviceLayout, NamesRoundTrip) {
    for (const LayoutInfo& l : DeviceLayouts()) {
        EXPECT_EQ(LayoutByName(l.name), l.layout) << l.name;
        EXPECT_EQ(&InfoOf(l.layout), &l);
    }
    EXPECT_FALSE(LayoutByName("mono-msb"));
}

}  // namespace
}  // namespace rastrix

#include "device/DeviceExport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>

#include "device/LibraryReaders.h"
#include "device/PaletteProblemText.h"

namespace rastrix {
namespace {

namespace fs = std::filesystem;

Bitmap Gradient(int w, int h) {
    Bitmap b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            b.Row(y)[x] = PixelFromRgb(std::uint8_t(x * 255 / (w - 1)), std::uint8_t(y * 255 / (h - 1)), std::uint8_t(128));
    return b;
}

DeviceExport With(std::function<void(DeviceExport&)> change) {
    DeviceExport e;
    change(e);
    return e;
}

// Field names as a dialog might give them.
constexpr ExportFieldNames kDialogNames{"Format", "Layout", "Invert", "PROGMEM", "Name", "Palette", "Dithering", "Threshold", "Depth", "Size"};

struct CheckCase {
    const char* name;
    std::function<void(DeviceExport&)> change;
    const char* refusal;  // "" when the parameters go together
};

void PrintTo(const CheckCase& c, std::ostream* os) { *os << c.name; }

class DeviceExportCheck : public ::testing::TestWithParam<CheckCase> {};

// Each refusal names the fields that do not go together, in the front end's words.
TEST_P(DeviceExportCheck, RefusesWhatDoesNotGoTogether) {
    const CheckCase& c = GetParam();
    const ExportProblem problem = CheckDeviceExport(With(c.change));
    EXPECT_EQ(problem.Ok(), *c.refusal == '\0');
    EXPECT_EQ(ExportProblemText(problem, kBatchFieldNames), c.refusal);
}


void Palette(DeviceExport& e, const char* name) {
    const PaletteOrFile named = SetExportPalette(e, name, PosixFileSystem());
    ASSERT_TRUE(named.Ok()) << PaletteProblemText(named);
}

// The problem holds the facts its words name, so each front end words it with its own field
// names: the limit broken, the palette's name and size, the layout, the depth.
TEST(DeviceExportCheckFacts, AreTheLimitsAndValuesBroken) {
    const ExportProblem index = CheckDeviceExport(With([](DeviceExport& e) { e.layout = DeviceLayout::Index2, Palette(e, "epaper7"); }));
    EXPECT_EQ(index.kind, ExportProblem::Kind::IndexPaletteTooLarge);
    EXPECT_EQ(index.limit, 4);
    EXPECT_EQ(index.paletteSize, 7u);
    EXPECT_EQ(index.paletteName, "epaper7");
    EXPECT_EQ(index.layout, DeviceLayout::Index2);
    EXPECT_EQ(ExportProblemText(index, kDialogNames), "Palette epaper7 has 7 colours; Layout index2 holds at most 4");

    const ExportProblem bmp = CheckDeviceExport(With([](DeviceExport& e) {
        e.container = DeviceContainer::Bmp, e.bmpDepth = 4, e.palette.assign(20, Pixel{0});
    }));
    EXPECT_EQ(bmp.kind, ExportProblem::Kind::BmpPaletteTooLarge);
    EXPECT_EQ(bmp.limit, 16);
    EXPECT_EQ(bmp.depth, 4);
    EXPECT_EQ(ExportProblemText(bmp, kBatchFieldNames), "--palette (20 colours) has 20 colours; --depth 4 holds at most 16");

    const ExportProblem gamma = CheckDeviceExport(With([](DeviceExport& e) { e.adjust.contrast = 101; }));
    EXPECT_EQ(gamma.kind, ExportProblem::Kind::Adjustment);
    EXPECT_EQ(gamma.adjustment, AdjustmentProblem::Contrast);
    EXPECT_EQ(ExportProblemText(gamma, kBatchFieldNames), "contrast is from -100 to 100");
    EXPECT_EQ(ExportProblemText(CheckDeviceExport(With([](DeviceExport&) {})), kBatchFieldNames), "");
}

INSTANTIATE_TEST_SUITE_P(
    Combinations, DeviceExportCheck,
    ::testing::Values(
        CheckCase{"mono_c", [](DeviceExport&) {}, ""},
        CheckCase{"lvgl_takes_no_pages",
                  [](DeviceExport& e) { e.container = DeviceContainer::LvglC, e.layout = DeviceLayout::MonoPages; },
                  "--layout mono-pages is not one --format lvgl-c takes; it takes mono, grey2, grey4, grey8, index1, index2, "
                  "index4, index8, rgb565, rgb565-swapped, rgb888, xrgb8888, argb8888, rgb565a8"},
        CheckCase{"xbm_only_lsb", [](DeviceExport& e) { e.container = DeviceContainer::Xbm; },
                  "--layout mono is not one --format xbm takes; it takes mono-lsb"},
        CheckCase{"invert_colours", [](DeviceExport& e) { e.layout = DeviceLayout::Rgb565, e.invert = true; },
                  "--invert flips black and white; --layout rgb565 keeps the colours themselves"},
        CheckCase{"invert_planes", [](DeviceExport& e) { e.layout = DeviceLayout::Planes, e.invert = true; }, ""},
        CheckCase{"progmem_binary", [](DeviceExport& e) { e.container = DeviceContainer::Binary, e.progmem = true; },
                  "--progmem marks the arrays of a C header; --format bin has none to mark"},
        CheckCase{"index_needs_palette", [](DeviceExport& e) { e.layout = DeviceLayout::Index4; },
                  "--layout index4 needs --palette: its values are indexes into it"},
        CheckCase{"palette_too_long", [](DeviceExport& e) { e.layout = DeviceLayout::Index2, Palette(e, "epaper7"); },
                  "--palette epaper7 has 7 colours; --layout index2 holds at most 4"},
        CheckCase{"optimised_fits", [](DeviceExport& e) { e.layout = DeviceLayout::Index4, Palette(e, "optimised:16"); }, ""},
        CheckCase{"grey_has_own_colours", [](DeviceExport& e) { e.layout = DeviceLayout::Grey4, Palette(e, "grey16"); },
                  "--layout grey4 has colours of its own; --palette is for the index layouts, planes and BMP files"},
        CheckCase{"planes_take_three", [](DeviceExport& e) { e.layout = DeviceLayout::Planes, Palette(e, "bw"); },
                  "--layout planes takes a palette of three colours (black, white, the third ink), as bwr and bwy are; "
                  "--palette bw has 2"},
        CheckCase{"planes_yellow", [](DeviceExport& e) { e.layout = DeviceLayout::Planes, Palette(e, "bwy"); }, ""},
        CheckCase{"dither_true_colour", [](DeviceExport& e) { e.layout = DeviceLayout::Rgb888, e.dither = Dither::FloydSteinberg; },
                  "--layout rgb888 keeps every colour, so --dither has nothing to spread"},
        CheckCase{"dither_565", [](DeviceExport& e) { e.layout = DeviceLayout::Rgb565, e.dither = Dither::Atkinson; }, ""},
        CheckCase{"dither_332", [](DeviceExport& e) { e.layout = DeviceLayout::Rgb332, e.dither = Dither::Ordered; }, ""},
        CheckCase{"threshold_mono", [](DeviceExport& e) { e.thresholdPercent = 40; }, ""},
        CheckCase{"threshold_needs_two", [](DeviceExport& e) { e.layout = DeviceLayout::Grey4, e.thresholdPercent = 40; },
                  "--threshold chooses between two colours; use it with a black-and-white layout or a two-colour palette"},
        CheckCase{"threshold_no_dither", [](DeviceExport& e) { e.thresholdPercent = 40, e.dither = Dither::FloydSteinberg; },
                  "--threshold and --dither cannot be used together: a threshold maps each pixel on its own"},
        CheckCase{"depth_is_bmp", [](DeviceExport& e) { e.bmpDepth = 8; }, "--depth is a BMP file's; --format c takes --layout"},
        CheckCase{"bmp_invert", [](DeviceExport& e) { e.container = DeviceContainer::Bmp, e.invert = true; },
                  "--invert flips the bits of a device layout; --format bmp keeps the picture's colours"},
        CheckCase{"bmp_1_needs_palette", [](DeviceExport& e) { e.container = DeviceContainer::Bmp, e.bmpDepth = 1; },
                  "--depth 1 needs --palette: its colour table is the palette"},
        CheckCase{"bmp_palette_fits", [](DeviceExport& e) { e.container = DeviceContainer::Bmp, e.bmpDepth = 1, Palette(e, "grey4"); },
                  "--palette grey4 has 4 colours; --depth 1 holds at most 2"},
        CheckCase{"bmp_dither_16", [](DeviceExport& e) { e.container = DeviceContainer::Bmp, e.bmpDepth = 16, e.dither = Dither::FloydSteinberg; }, ""},
        CheckCase{"bmp_dither_24", [](DeviceExport& e) { e.container = DeviceContainer::Bmp, e.dither = Dither::FloydSteinberg; },
                  "--dither spreads what a palette cannot show; give --palette (or --depth 16)"},
        CheckCase{"name_not_c", [](DeviceExport& e) { e.name = "2fast"; },
                  "--symbol 2fast is not a C name: letters, digits and underscores, not starting with a digit, no keyword, at most 63 characters"},
        CheckCase{"name_keyword", [](DeviceExport& e) { e.name = "static"; },
                  "--symbol static is not a C name: letters, digits and underscores, not starting with a digit, no keyword, at most 63 characters"},
        CheckCase{"size_both_sides", [](DeviceExport& e) { e.width = 128; }, "--fit needs a width and height from 1 to 65535"},
        CheckCase{"gamma_range", [](DeviceExport& e) { e.adjust.gamma = 0.05; }, "gamma is from 0.1 to 10"},
        CheckCase{"contrast_range", [](DeviceExport& e) { e.adjust.contrast = 101; }, "contrast is from -100 to 100"}),
    [](const auto& info) { return std::string(info.param.name); });

// The C header compiles warning-free as C and as C++, and its arrays hold the bytes the binary
// holds (the words read low byte first), with the width and height macros. Skipped without a
// compiler on the machine.
struct CompileCase {
    const char* name;
    DeviceLayout layout;
    const char* palette;
    bool progmem;
    const char* use;  // a C expression using the arrays, so nothing is unused
};

class CHeaderCompiles : public ::testing::TestWithParam<CompileCase> {};

int Shell(const std::string& command) { return std::system((command + " > /dev/null 2>&1").c_str()); }

TEST_P(CHeaderCompiles, WithPedanticWarningsAsErrors) {
    const CompileCase& c = GetParam();
    if (Shell("gcc --version") != 0 || Shell("g++ --version") != 0) GTEST_SKIP() << "no gcc and g++ to compile the header with";
    DeviceExport e;
    e.layout = c.layout;
    e.progmem = c.progmem;
    e.name = "logo";
    if (*c.palette) {
        Palette(e, c.palette);
    }
    const Bitmap picture = Gradient(13, 9);
    const DeviceFile header = ExportForDevice(picture, e);
    ASSERT_TRUE(header.problem.Ok()) << DeviceFileProblemText(header.problem);
    e.container = DeviceContainer::Binary;
    e.progmem = false;
    const DeviceFile binary = ExportForDevice(picture, e);
    ASSERT_TRUE(binary.problem.Ok()) << DeviceFileProblemText(binary.problem);

    const fs::path dir = fs::path(::testing::TempDir()) / ("rastrix_c_" + std::string(c.name));
    fs::create_directories(dir);
    std::ofstream(dir / "logo.h", std::ios::binary).write(reinterpret_cast<const char*>(header.bytes.data()), std::streamsize(header.bytes.size()));
    // The program prints every byte of its arrays, as the binary holds them.
    std::ofstream(dir / "main.c") << "#include <stdio.h>\n#include \"logo.h\"\n"
                                     "static void put(const void* p, size_t n) { fwrite(p, 1, n, stdout); }\n"
                                     "int main(void) {\n  if (LOGO_WIDTH != 13 || LOGO_HEIGHT != 9) return 1;\n"
                                  << c.use << "\n  return 0;\n}\n";
    for (const char* compiler : {"gcc -std=c99", "g++ -x c++ -std=c++17"}) {
        const std::string out = (dir / "prog").string();
        ASSERT_EQ(Shell(std::string(compiler) + " -Wall -Wextra -pedantic -Werror -o " + out + " " + (dir / "main.c").string()), 0)
            << compiler << " refused " << (dir / "logo.h");
        ASSERT_EQ(std::system((out + " > " + (dir / "bytes").string()).c_str()), 0);
        std::ifstream in(dir / "bytes", std::ios::binary);
        const std::vector<std::uint8_t> printed((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_EQ(printed, binary.bytes) << compiler;  // on this little-endian machine
    }
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, CHeaderCompiles,
    ::testing::Values(CompileCase{"mono_progmem", DeviceLayout::Mono, "", true, "  put(logo, sizeof logo);"},
                      CompileCase{"pages", DeviceLayout::MonoPages, "", false, "  put(logo, sizeof logo);"},
                      CompileCase{"planes", DeviceLayout::Planes, "", true, "  put(logo_black, sizeof logo_black); put(logo_color, sizeof logo_color);"},
                      CompileCase{"index4_palette", DeviceLayout::Index4, "epaper7", true,
                                  "  if (logo_palette[1] != 0xffffffu) return 2;\n  put(logo, sizeof logo);"},
                      CompileCase{"rgb565_words", DeviceLayout::Rgb565, "", true, "  put(logo, sizeof logo);"},
                      CompileCase{"rgb565a8_two_arrays", DeviceLayout::Rgb565A8, "", false, "  put(logo, sizeof logo); put(logo_alpha, sizeof logo_alpha);"},
                      CompileCase{"argb_words", DeviceLayout::Argb8888, "", false, "  put(logo, sizeof logo);"},
                      CompileCase{"rgb888_bytes", DeviceLayout::Rgb888, "", false, "  put(logo, sizeof logo);"}),
    [](const auto& info) { return std::string(info.param.name); });

// LVGL's C form compiles against the image descriptor LVGL declares (lv_image_dsc_t with its
// header bit fields), here a stand-in header of those declarations.
TEST(LvglCSource, CompilesWithLvglsDeclarations) {
    if (Shell("gcc --version") != 0) GTEST_SKIP() << "no gcc to compile the file with";
    const fs::path dir = fs::path(::testing::TempDir()) / "rastrix_lvgl_c";
    fs::create_directories(dir);
    std::ofstream(dir / "lvgl.h") << "#include <stdint.h>\n#include <stddef.h>\n#define LV_IMAGE_HEADER_MAGIC 0x19\n"
                                     "#define LV_ATTRIBUTE_LARGE_CONST\n#define LV_COLOR_FORMAT_I4 0x09\n#define LV_COLOR_FORMAT_RGB565A8 0x14\n"
                                     "typedef struct { uint32_t magic: 8; uint32_t cf: 8; uint32_t flags: 16; uint32_t w: 16; "
                                     "uint32_t h: 16; uint32_t stride: 16; uint32_t reserved_2: 16; } lv_image_header_t;\n"
                                     "typedef struct { lv_image_header_t header; uint32_t data_size; const uint8_t * data; "
                                     "const void * reserved; } lv_image_dsc_t;\n";
    for (const auto& [layout, palette] : {std::pair{DeviceLayout::Index4, "grey16"}, std::pair{DeviceLayout::Rgb565A8, ""}}) {
        DeviceExport e;
        e.container = DeviceContainer::LvglC;
        e.layout = layout;
        e.name = "picture";
        if (*palette) {
            Palette(e, palette);
        }
        const DeviceFile file = ExportForDevice(Gradient(7, 5), e);
        ASSERT_TRUE(file.problem.Ok()) << DeviceFileProblemText(file.problem);
        std::ofstream(dir / "picture.c", std::ios::binary).write(reinterpret_cast<const char*>(file.bytes.data()), std::streamsize(file.bytes.size()));
        EXPECT_EQ(Shell("gcc -std=c99 -Wall -Wextra -pedantic -Werror -DLV_LVGL_H_INCLUDE_SIMPLE -I" + dir.string() + " -c -o " +
                      (dir / "picture.o").string() + " " + (dir / "picture.c").string()),
                  0)
            << InfoOf(layout).name;
    }
}

// An X bitmap as X11 and u8g2 read it: name_width, name_height, and name_bits in LSB-first rows.
TEST(XbmFile, DefinesAndBits) {
    Bitmap b(10, 2, ColorFromRgb(0, 0, 0));
    b.SetPixel(0, 0, ColorFromRgb(255, 255, 255));
    b.SetPixel(9, 1, ColorFromRgb(255, 255, 255));
    DeviceExport e;
    e.container = DeviceContainer::Xbm;
    e.layout = DeviceLayout::MonoLsb;
    e.name = "dot";
    const DeviceFile file = ExportForDevice(b, e);
    EXPECT_EQ(std::string(file.bytes.begin(), file.bytes.end()),
              "#define dot_width 10\n#define dot_height 2\nstatic const unsigned char dot_bits[] = {\n"
              "   0x01, 0x00, 0x00, 0x02\n};\n");
}

// A user's call text cannot end the header's comment early.
TEST(CHeader, CommentHoldsAnyCallText) {
    DeviceExport e;
    e.name = "x";
    e.function = "show(NAME) */ int broken; /*";
    const DeviceFile file = ExportForDevice(Bitmap(3, 2), e);
    const std::string text(file.bytes.begin(), file.bytes.end());
    EXPECT_NE(text.find(" * For show(x) * / int broken; / *\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("*/ int"), std::string::npos);
}

struct NameCase {
    const char* path;
    const char* identifier;
};

TEST(CIdentifier, MadeFromTheFileName) {
    for (const NameCase c : {NameCase{"out/logo.h", "logo"}, NameCase{"my-pic.v2.png", "my_pic"}, NameCase{"3d.bmp", "image_3d"},
                             NameCase{"int.png", "int_"}, NameCase{"", "image"}, NameCase{"über.png", "__ber"}})
        EXPECT_EQ(IdentifierFromFileName(c.path), c.identifier) << c.path;
    EXPECT_TRUE(IsCIdentifier("_logo2"));
    EXPECT_FALSE(IsCIdentifier("a-b"));
    EXPECT_FALSE(IsCIdentifier(std::string(64, 'a')));
}

// Tones: nothing changes at the defaults; the ends of each range do what they say.
TEST(Adjustments, ToneTable) {
    const ToneTable same = MakeToneTable({});
    for (int i = 0; i < 256; ++i) ASSERT_EQ(same.level[i], i);
    EXPECT_EQ(MakeToneTable({0, -100, 1.0}).level[0], 128);  // no contrast: all mid-grey
    EXPECT_EQ(MakeToneTable({0, -100, 1.0}).level[255], 128);
    const ToneTable hard = MakeToneTable({0, 100, 1.0});
    EXPECT_EQ(hard.level[120], 0);
    EXPECT_EQ(hard.level[135], 255);
    EXPECT_EQ(MakeToneTable({50, 0, 1.0}).level[0], 128);  // half of white added
    EXPECT_EQ(MakeToneTable({-100, 0, 1.0}).level[255], 0);
    EXPECT_EQ(MakeToneTable({0, 0, 2.0}).level[64], 128);  // (64/255)^(1/2) of white
    EXPECT_LT(MakeToneTable({0, 0, 0.5}).level[128], 128);
}

// The preview shows what the device will: the palette's colours, or each channel's kept bits
// widened again; the export's file and the view agree pixel for pixel.
TEST(DeviceView, ShowsWhatTheFileHolds) {
    const Bitmap picture = Gradient(16, 8);
    DeviceExport e;
    e.layout = DeviceLayout::Rgb332;
    const DeviceView view = RenderDeviceView(picture, e);
    ASSERT_TRUE(view.image) << DeviceFileProblemText(view.problem);
    e.container = DeviceContainer::Binary;
    const DeviceFile file = ExportForDevice(picture, e);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 16; ++x) {
            const std::uint8_t v = file.bytes[std::size_t(y * 16 + x)];
            const Pixel shown = view.image->Row(y)[x];
            EXPECT_EQ(RedOf(shown) >> 5, v >> 5);
            EXPECT_EQ(GreenOf(shown) >> 5, (v >> 2) & 7);
            EXPECT_EQ(BlueOf(shown) >> 6, v & 3);
            EXPECT_EQ(BlueOf(shown) & 0x3F, (BlueOf(shown) >> 6) * 0x15);  // the two bits repeated
        }
    e.layout = DeviceLayout::Planes;
    e.container = DeviceContainer::CSource;
    const DeviceView inks = RenderDeviceView(picture, e);
    ASSERT_TRUE(inks.image);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 16; ++x) {
            const std::uint32_t v = ValueOf(inks.image->Row(y)[x]);
            EXPECT_TRUE(v == 0 || v == 0xFFFFFF || v == 0xFF0000) << std::hex << v;
        }
}

// The device's size: a picture of another size is scaled (fit, with the background round it)
// before it is mapped, and the original is left as it was.
TEST(DeviceExportSize, ScaledToTheDevice) {
    const Bitmap picture = Gradient(40, 10);
    const Bitmap before = picture;
    DeviceExport e;
    e.container = DeviceContainer::Binary;
    e.layout = DeviceLayout::Grey8;
    e.width = 20, e.height = 20;
    const DeviceFile file = ExportForDevice(picture, e);
    ASSERT_TRUE(file.problem.Ok()) << DeviceFileProblemText(file.problem);
    ASSERT_EQ(file.bytes.size(), 400u);
    EXPECT_EQ(file.bytes[0], 255);              // the white band above the fitted picture
    EXPECT_NE(file.bytes[10 * 20 + 10], 255);   // the picture in the middle
    EXPECT_EQ(picture, before);
}

}  // namespace
}  // namespace rastrix

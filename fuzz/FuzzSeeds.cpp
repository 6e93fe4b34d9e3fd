// Writes the fuzzers' seed inputs into FOLDER/bmp, FOLDER/settings, FOLDER/jpeg, FOLDER/palette and FOLDER/profiles: small files of every
// kind the readers take, built the way the tests build theirs, so mutations start from inputs
// that reach deep into each reader.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <turbojpeg.h>

#include "support/BmpTestFiles.h"
#include "support/EncodedBmpFile.h"
#include "support/ExifTestFiles.h"
#include "support/PictureTestFiles.h"
#include "PaletteFuzzCheck.h"
#include "ProfileFuzzCheck.h"
#include "SettingsFuzzCheck.h"
#include "codec/BmpWriter.h"

namespace {

using namespace rastrix;
using namespace rastrix::testing;
namespace fs = std::filesystem;

bool Save(const fs::path& file, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(out);
}

std::uint32_t Pattern(int x, int y) { return std::uint32_t(x * 7 + y * 13 + x * y); }

TestBmp Uncompressed(int width, int height, int bits, int paletteSize = 0) {
    TestBmp r;
    r.width = width;
    r.height = height;
    r.bitCount = std::uint16_t(bits);
    r.palette = TestPalette(paletteSize);
    const std::uint32_t limit = bits < 32 ? (1u << bits) - 1 : 0xFFFFFFFFu;
    r.pixels = StoreRows(width, height, bits, false, [&](int x, int y) {
        return paletteSize > 0 ? Pattern(x, y) % std::uint32_t(paletteSize) : Pattern(x, y) * 0x10101 & limit;
    });
    return r;
}

std::vector<std::pair<std::string, Bytes>> BmpSeeds() {
    std::vector<std::pair<std::string, Bytes>> seeds;
    auto add = [&](std::string name, const TestBmp& r) { seeds.emplace_back(std::move(name), BuildBmp(r)); };

    add("pal1", Uncompressed(9, 3, 1, 2));
    add("pal2", Uncompressed(6, 2, 2, 4));
    add("pal4", Uncompressed(5, 3, 4, 16));
    add("pal8_short_table", Uncompressed(5, 3, 8, 12));
    TestBmp gap = Uncompressed(3, 2, 8, 6);
    gap.gap = 10;
    add("pal8_gap", gap);
    TestBmp os2 = Uncompressed(4, 3, 8, 5);
    os2.headerSize = 12;
    add("pal8_os2", os2);
    add("rgb16_555", Uncompressed(3, 2, 16));
    TestBmp rgb565 = Uncompressed(3, 2, 16);
    rgb565.compression = 3;
    rgb565.masks = {0xF800, 0x07E0, 0x001F};
    add("rgb16_565_masks", rgb565);
    TestBmp v4 = Uncompressed(2, 2, 32);
    v4.headerSize = 108;
    v4.compression = 3;
    v4.masks = {0x3FF00000, 0x000FFC00, 0x000003FF};
    add("rgb32_v4_10bit_masks", v4);
    add("rgb24", Uncompressed(5, 2, 24));
    TestBmp topDown = Uncompressed(3, 2, 24);
    topDown.height = -2;
    add("rgb24_top_down", topDown);
    TestBmp v5 = Uncompressed(3, 2, 32);
    v5.headerSize = 124;
    add("rgb32_v5", v5);

    TestBmp rle8;
    rle8.width = 6;
    rle8.height = 3;
    rle8.bitCount = 8;
    rle8.compression = 1;
    rle8.palette = TestPalette(8);
    // A run, a literal, an end of line, a delta and an end of bitmap.
    rle8.pixels = {3, 1, 0, 3, 2, 3, 4, 0, 0, 0, 0, 2, 1, 1, 2, 5, 0, 0, 6, 7, 0, 1};
    add("rle8", rle8);
    TestBmp rle4 = rle8;
    rle4.bitCount = 4;
    rle4.compression = 2;
    rle4.palette = TestPalette(16);
    rle4.pixels = {4, 0x12, 0, 3, 0x34, 0x50, 0, 0, 0, 2, 1, 0, 3, 0x67, 0, 0, 6, 0x89, 0, 1};
    add("rle4", rle4);

    // Files as this program writes them.
    Bitmap image(7, 5);
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x) image.Row(y)[x] = Pixel{std::uint32_t((x * 40) << 16 | (y * 60) << 8 | ((x + y) & 1) * 255)};
    for (int depth : {1, 4, 8, 24}) {
        const EncodedBmp encoded = testing::EncodeBmpFile(image, depth, [](int) { return true; });
        if (encoded.status == EncodeStatus::Ok) seeds.emplace_back("written" + std::to_string(depth), encoded.bytes);
    }
    // Pixels stored as PNG (palette with transparency, interlaced colour) and JPEG data.
    PngRecipe palette{5, 3, 3, 4};
    palette.palette = {{{255, 0, 0}}, {{0, 0, 255}}, {{9, 9, 9}}};
    palette.paletteAlpha = {0, 128};
    palette.rows = {0x01, 0x20, 0x10, 0x12, 0x00, 0x20, 0x22, 0x10, 0x00};
    seeds.emplace_back("png_palette", WrapInBmp(EncodePng(palette), 5, 3, 5));
    PngRecipe interlaced{9, 9, 2, 8, true};
    for (int i = 0; i < 81; ++i) interlaced.rows.insert(interlaced.rows.end(), {std::uint8_t(i), std::uint8_t(3 * i), 7});
    seeds.emplace_back("png_interlaced", WrapInBmp(EncodePng(interlaced), 9, 9, 5));
    seeds.emplace_back("jpeg", WrapInBmp(EncodeJpeg(SmoothPicture(12, 10)), 12, 10, 4));
    return seeds;
}

// JPEG files of every kind the decoder and the checks before it take: baseline and
// progressive, grey, colour at each subsampling, CMYK, with EXIF orientations in both byte
// orders, and sketches of the frames and scans the checks count (arithmetic coded, one
// component a scan, no end).
std::vector<std::pair<std::string, Bytes>> JpegSeeds() {
    const Bitmap picture = SmoothPicture(19, 13);
    std::vector<std::pair<std::string, Bytes>> seeds = {
        {"baseline_colour", EncodeJpeg(picture)},
        {"baseline_grey", EncodeJpeg(picture, true)},
        {"cmyk", EncodeJpeg(SmoothPicture(8, 8), false, true)},
        {"progressive_grey", EncodeProgressiveJpeg(picture, TJSAMP_GRAY)},
        {"progressive_420", EncodeProgressiveJpeg(picture, TJSAMP_420)},
        {"progressive_422", EncodeProgressiveJpeg(picture, TJSAMP_422)},
        {"exif_turned_little", WithOrientation(EncodeJpeg(picture), 6)},
    };
    TiffRecipe big;
    big.bigEndian = true;
    big.entries = {TiffEntry{0x0112, 3, 1, 8}};
    seeds.emplace_back("exif_turned_big", AfterStartOfImage(EncodeJpeg(picture), ExifSegment(TiffBytes(big))));
    const JpegScanSketch dc{{1, 2, 3}, 0, 0, 0, 0, 40}, ac{{1}, 1, 63, 0, 0, 20};
    seeds.emplace_back("sketch_arithmetic_progressive", SketchJpeg({0xCA, 40, 24, {{2, 2}, {1, 1}, {1, 1}}, {dc, ac, ac}}));
    seeds.emplace_back("sketch_scan_per_component",
                       SketchJpeg({0xC9, 40, 24, {{1, 1}, {1, 1}, {1, 1}}, {{{1}}, {{2}}, {{3}}}}));
    seeds.emplace_back("sketch_no_end", SketchJpeg({0xC2, 40, 24, {{1, 1}}, {{{1}, 0, 0, 0, 0, 40}, ac}, false}));
    return seeds;
}

// One settings input: the three length and fault bytes, then the values.
Bytes SettingsSeed(int settingsLength, int colorsLength, int fault, const Bytes& settings, const Bytes& colors,
                   const Bytes& recent) {
    Bytes b = {std::uint8_t(settingsLength), std::uint8_t(colorsLength), std::uint8_t(fault)};
    b.insert(b.end(), settings.begin(), settings.end());
    b.insert(b.end(), colors.begin(), colors.end());
    b.insert(b.end(), recent.begin(), recent.end());
    return b;
}

std::vector<std::pair<std::string, Bytes>> SettingsSeeds() {
    SettingsRecord record;
    record.windowRect = {-8, 20, 1200, 900};
    record.zoomPercent = 400;
    const SettingsBytes encoded = EncodeSettings(record);
    const Bytes settings(encoded.begin(), encoded.end());
    const ColorsBytes colorBytes = EncodeColors(record.customColors);
    const Bytes colors(colorBytes.begin(), colorBytes.end());
    RecentFiles recent;
    recent.entries[0] = "/home/ann/pictures/harbour.bmp";
    recent.entries[1] = "/tmp/a b.bmp";
    recent.entries[3] = std::string(255, 'x');
    const Bytes list = JoinRecent(recent);
    const Bytes longField = Bytes(300, 'y');

    constexpr int kNoFault = 9, kRecentAbsent = 0x80;
    std::vector<std::pair<std::string, Bytes>> seeds = {
        {"all_three", SettingsSeed(51, 64, kNoFault, settings, colors, list)},
        {"short_colors_long_field", SettingsSeed(51, 10, kNoFault, settings, Bytes(colors.begin(), colors.begin() + 10),
                                                 longField)},
        {"settings_50_bytes", SettingsSeed(50, 64, kNoFault, Bytes(settings.begin(), settings.end() - 1), colors, list)},
        {"absent_values", SettingsSeed(255, 255, kNoFault | kRecentAbsent, {}, {}, {})},
        {"recent_too_long", SettingsSeed(51, 64, kNoFault, settings, colors, Bytes(kRecentValueMaxSize + 1, 'z'))},
    };
    // A write or read failing at each kind of store call.
    for (int kind = 0; kind < 9; ++kind)
        seeds.emplace_back("fault" + std::to_string(kind), SettingsSeed(51, 64, kind + 10, settings, colors, list));
    return seeds;
}

// Palette files of every form the parser tells apart: colour lists with comments, blanks and
// CR line ends, JASC-PAL, GIMP, Adobe tables of 768 and 772 bytes, and BMP colour tables.
std::vector<std::pair<std::string, Bytes>> PaletteSeeds() {
    const auto text = [](const std::string& s) { return Bytes(s.begin(), s.end()); };
    PaletteColors inks;
    for (int i = 0; i < 7; ++i) inks.push_back(PixelFromRgb(std::uint8_t(i * 40), std::uint8_t(255 - i * 30), std::uint8_t(i * i)));
    std::vector<std::pair<std::string, Bytes>> seeds = {
        {"list", text(fuzz::PaletteAsList(inks))},
        {"list_mixed", text("\xEF\xBB\xBF; inks\r\n  #ff0000 red\r\n\r\n00FF00\n# \nFF0000FF ; paint.net\n")},
        {"jasc", text(fuzz::PaletteAsJasc(inks))},
        {"gimp", text(fuzz::PaletteAsGimp(inks))},
        {"act_counted", fuzz::PaletteAsAct(inks)},
        {"act_256", Bytes(768, 0x7F)},
    };
    Bitmap image(4, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x) image.Row(y)[x] = inks[std::size_t(x + y) % inks.size()];
    for (int depth : {1, 4, 8}) {
        const EncodedBmp encoded = testing::EncodeBmpFile(image, depth, [](int) { return true; });
        if (encoded.status == EncodeStatus::Ok) seeds.emplace_back("bmp" + std::to_string(depth), encoded.bytes);
    }
    TestBmp os2 = Uncompressed(3, 2, 8, 5);
    os2.headerSize = 12;
    seeds.emplace_back("bmp_os2", BuildBmp(os2));
    return seeds;
}

// A user's profile file using every key, and an export as the dialog remembers it.
std::vector<std::pair<std::string, Bytes>> ProfileSeeds() {
    const auto text = [](const std::string& s) { return Bytes(s.begin(), s.end()); };
    ExportChoice remembered = ChoiceFromProfile(*FindProfile("gxepd2-3c", UserProfiles{}));
    remembered.width = 296, remembered.height = 128, remembered.adjust = {10, -20, 1.4};
    return {
        {"profiles", text("# panels on the bench\n"
                          "panel-a like=gxepd2-3c gamma=1.4 contrast=20\n"
                          "\n"
                          "panel-b format=bmp depth=4 palette=grey16 dither=fs\n"
                          "panel-c like=panel-a invert=yes function=display.drawBitmap(0, 0, NAME, NAME_WIDTH, NAME_HEIGHT)\n"
                          "lcd format=c layout=rgb565 progmem=yes brightness=-10\r\n"
                          "eink format=lvgl-c layout=index4 palette=epaper7 dither=atkinson\n"
                          "mono format=xbm layout=mono-lsb dither=none\n"
                          "few format=c layout=index8 palette=optimised:12 dither=ordered\n")},
        {"remembered", text(EncodeChoice(remembered))},
    };
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const fs::path folder = argv[1];
    int written = 0;
    for (const auto& [kind, seeds] :
         {std::pair{"bmp", BmpSeeds()}, std::pair{"settings", SettingsSeeds()}, std::pair{"jpeg", JpegSeeds()},
          std::pair{"palette", PaletteSeeds()}, std::pair{"profiles", ProfileSeeds()}}) {
        std::error_code ec;
        fs::create_directories(folder / kind, ec);
        for (const auto& [name, bytes] : seeds) {
            if (!Save(folder / kind / name, bytes)) {
                std::fprintf(stderr, "cannot write %s\n", (folder / kind / name).c_str());
                return 1;
            }
            ++written;
        }
    }
    std::printf("%d seed files in %s\n", written, folder.c_str());
    return 0;
}

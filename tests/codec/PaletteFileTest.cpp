#include "codec/PaletteFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "codec/BmpWriter.h"
#include "support/EncodedBmpFile.h"
#include "color/FixedPalettes.h"
#include "color/OptimisedPalette.h"
#include "store/FileSystem.h"

namespace rastrix {
namespace {

constexpr Pixel Rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b) { return Pixel{r << 16 | g << 8 | b}; }

// Every named palette, entry by entry: the order is what a device reads.
struct NamedPalette {
    const char* name;
    PaletteColors colors;
};

class FixedPaletteOrder : public ::testing::TestWithParam<NamedPalette> {};

TEST_P(FixedPaletteOrder, NameGivesExactlyTheseEntriesInThisOrder) {
    const PaletteChoice c = PaletteByName(GetParam().name);
    EXPECT_EQ(c.error, "");
    EXPECT_EQ(c.optimisedColors, 0);
    EXPECT_EQ(c.colors, GetParam().colors);
}

PaletteColors Greys(std::initializer_list<std::uint32_t> levels) {
    PaletteColors out;
    for (const std::uint32_t v : levels) out.push_back(Rgb(v, v, v));
    return out;
}

INSTANTIATE_TEST_SUITE_P(
    Palettes, FixedPaletteOrder,
    ::testing::Values(
        NamedPalette{"bw", {Rgb(0, 0, 0), Rgb(255, 255, 255)}},
        NamedPalette{"grey4", Greys({0, 85, 170, 255})},
        NamedPalette{"grey16", Greys({0, 17, 34, 51, 68, 85, 102, 119, 136, 153, 170, 187, 204, 221, 238, 255})},
        NamedPalette{"basic16",
                     {Rgb(0, 0, 0), Rgb(128, 0, 0), Rgb(0, 128, 0), Rgb(128, 128, 0), Rgb(0, 0, 128),
                      Rgb(128, 0, 128), Rgb(0, 128, 128), Rgb(192, 192, 192), Rgb(128, 128, 128), Rgb(255, 0, 0),
                      Rgb(0, 255, 0), Rgb(255, 255, 0), Rgb(0, 0, 255), Rgb(255, 0, 255), Rgb(0, 255, 255),
                      Rgb(255, 255, 255)}},
        NamedPalette{"epaper7",
                     {Rgb(0, 0, 0), Rgb(255, 255, 255), Rgb(0, 255, 0), Rgb(0, 0, 255), Rgb(255, 0, 0),
                      Rgb(255, 255, 0), Rgb(255, 128, 0)}}),
    [](const auto& info) { return std::string(info.param.name); });

struct NameCase {
    const char* name;
    int optimised;  // 0: an error is expected
};

class PaletteNames : public ::testing::TestWithParam<NameCase> {};

TEST_P(PaletteNames, OptimisedTakesTwoTo256ColorsAndAnythingElseIsAnError) {
    const PaletteChoice c = PaletteByName(GetParam().name);
    EXPECT_EQ(c.optimisedColors, GetParam().optimised);
    EXPECT_TRUE(c.colors.empty());
    EXPECT_EQ(c.error.empty(), GetParam().optimised != 0) << c.error;
}

INSTANTIATE_TEST_SUITE_P(Palettes, PaletteNames,
                         ::testing::Values(NameCase{"optimised:16", 16}, NameCase{"optimized:256", 256},
                                           NameCase{"optimised:2", 2}, NameCase{"optimised:1", 0},
                                           NameCase{"optimised:257", 0}, NameCase{"optimised:", 0},
                                           NameCase{"optimised:16x", 0}, NameCase{"optimised:-4", 0},
                                           NameCase{"grey5", 0}, NameCase{"BW", 0}, NameCase{"", 0}));

// Text palettes: what is read, or the words the error must hold.
struct TextCase {
    const char* label;
    std::string text;
    PaletteColors colors;
    const char* errorPart;  // nullptr: no error
};

class PaletteText : public ::testing::TestWithParam<TextCase> {};

TEST_P(PaletteText, ReadsColorsInOrderOrNamesTheBadLine) {
    const PaletteFileResult r = ParsePaletteText(GetParam().text);
    if (GetParam().errorPart) {
        EXPECT_TRUE(r.colors.empty());
        EXPECT_NE(r.error.find(GetParam().errorPart), std::string::npos) << r.error;
    } else {
        EXPECT_EQ(r.error, "");
        EXPECT_EQ(r.colors, GetParam().colors);
    }
}

// n lines #000000, #000001, ... (blue counts up, then green).
std::string Lines(int n) {
    std::string s;
    for (int i = 0; i < n; ++i) {
        char line[16];
        std::snprintf(line, sizeof line, "#00%04x\n", unsigned(i));
        s += line;
    }
    return s;
}

INSTANTIATE_TEST_SUITE_P(
    Palettes, PaletteText,
    ::testing::Values(
        TextCase{"Plain", "#000000\n#FFFFFF\n", {Rgb(0, 0, 0), Rgb(255, 255, 255)}, nullptr},
        TextCase{"OrderKept", "#ffffff\n#000000", {Rgb(255, 255, 255), Rgb(0, 0, 0)}, nullptr},
        TextCase{"CommentsBlanksAndCr",
                 "; inks\r\n# panel colours\n\n  #Ff8000  orange\r\n#\n\t#102030\n",
                 {Rgb(255, 128, 0), Rgb(16, 32, 48)},
                 nullptr},
        TextCase{"TooManyColours", Lines(257), {}, "257"},
        TextCase{"ShortColour", "#000000\n#12345\n", {}, "line 2"},
        TextCase{"LongColour", "#1234567\n", {}, "line 1"},
        // Lospec's .hex files are bare RRGGBB lines; paint.net's .txt files AARRGGBB lines.
        TextCase{"NoHash", "000000\nFF8000\n", {Rgb(0, 0, 0), Rgb(255, 128, 0)}, nullptr},
        TextCase{"AlphaFirst", "; paint.net\nFF102030\n80FFFFFF\n", {Rgb(16, 32, 48), Rgb(255, 255, 255)}, nullptr},
        TextCase{"SevenDigits", "0000000\n", {}, "line 1"},
        TextCase{"HashWithAlpha", "#FF102030\n", {}, "line 1"},
        TextCase{"NotHex", "; x\n#GG0000\n", {}, "line 2"},
        TextCase{"Empty", "", {}, "no colour"},
        TextCase{"OnlyComments", "; a\n# b\n\n", {}, "no colour"},
        TextCase{"Words", "black\n", {}, "#RRGGBB"}),
    [](const auto& info) { return std::string(info.param.label); });

// The other palette files people have, each as its format is published, told apart by their
// bytes: what is read, or the words the error must hold.
struct FormatCase {
    const char* label;
    std::string bytes;
    PaletteColors colors;
    const char* errorPart;  // nullptr: no error
};

class PaletteFormats : public ::testing::TestWithParam<FormatCase> {};

TEST_P(PaletteFormats, ReadByContentInOrderOrNamingTheBadLine) {
    const std::string& b = GetParam().bytes;
    const PaletteFileResult r = ParsePaletteBytes(std::span(reinterpret_cast<const std::uint8_t*>(b.data()), b.size()));
    if (GetParam().errorPart) {
        EXPECT_TRUE(r.colors.empty());
        EXPECT_NE(r.error.find(GetParam().errorPart), std::string::npos) << r.error;
    } else {
        EXPECT_EQ(r.error, "");
        EXPECT_EQ(r.colors, GetParam().colors);
    }
}

// An Adobe colour table: `colors` first, the rest of the 256 triples `fill`, and with `count`
// the four bytes of the colours used and no transparent index.
std::string Act(const PaletteColors& colors, std::uint8_t fill, int count = -1) {
    std::string b;
    for (std::size_t i = 0; i < 256; ++i) {
        const Pixel p = i < colors.size() ? colors[i] : Rgb(fill, fill, fill);
        b += char(RedOf(p)), b += char(GreenOf(p)), b += char(BlueOf(p));
    }
    if (count >= 0) b += char(count >> 8), b += char(count & 0xFF), b += char(0xFF), b += char(0xFF);
    return b;
}

PaletteColors ActColors(const PaletteColors& first, std::uint8_t fill) {
    PaletteColors all = first;
    while (all.size() < 256) all.push_back(Rgb(fill, fill, fill));
    return all;
}

INSTANTIATE_TEST_SUITE_P(
    Palettes, PaletteFormats,
    ::testing::Values(
        FormatCase{"Jasc", "JASC-PAL\r\n0100\r\n3\r\n0 0 0\r\n255 128 0\r\n16 32 48\r\n",
                   {Rgb(0, 0, 0), Rgb(255, 128, 0), Rgb(16, 32, 48)}, nullptr},
        FormatCase{"JascTrailingBlankLine", "JASC-PAL\n0100\n1\n1 2 3\n\n", {Rgb(1, 2, 3)}, nullptr},
        FormatCase{"JascFewerThanCounted", "JASC-PAL\n0100\n3\n0 0 0\n1 1 1\n", {}, "holds 2 colours, but line 3 says 3"},
        FormatCase{"JascMoreThanCounted", "JASC-PAL\n0100\n1\n0 0 0\n1 1 1\n", {}, "line 5"},
        FormatCase{"JascChannelOver255", "JASC-PAL\n0100\n1\n0 256 0\n", {}, "line 4"},
        FormatCase{"JascCountTooLarge", "JASC-PAL\n0100\n257\n", {}, "line 3"},
        FormatCase{"JascWrongVersion", "JASC-PAL\n0200\n1\n0 0 0\n", {}, "line 2"},
        FormatCase{"Gimp",
                   "GIMP Palette\nName: Inks\nColumns: 4\n#\n  0   0   0\tBlack\n255 255 255\tWhite\n"
                   "255 128   0\n",
                   {Rgb(0, 0, 0), Rgb(255, 255, 255), Rgb(255, 128, 0)}, nullptr},
        FormatCase{"GimpWithByteOrderMark", "\xEF\xBB\xBFGIMP Palette\r\n12 34 56 dark\r\n", {Rgb(12, 34, 56)}, nullptr},
        FormatCase{"GimpBadLine", "GIMP Palette\nName: x\n0 0\n", {}, "line 3"},
        FormatCase{"GimpNoColours", "GIMP Palette\nName: x\n# only a comment\n", {}, "no colours"},
        FormatCase{"Act", Act({Rgb(1, 2, 3), Rgb(250, 0, 0)}, 0), ActColors({Rgb(1, 2, 3), Rgb(250, 0, 0)}, 0), nullptr},
        FormatCase{"ActCounted", Act({Rgb(0, 0, 0), Rgb(255, 255, 255)}, 9, 2), {Rgb(0, 0, 0), Rgb(255, 255, 255)}, nullptr},
        // Every byte printable, so no NUL tells it apart: it is still no colour list.
        FormatCase{"ActOfTextBytes", Act({Rgb(65, 66, 67)}, 97), ActColors({Rgb(65, 66, 67)}, 97), nullptr},
        FormatCase{"ActCountZero", Act({Rgb(0, 0, 0)}, 0, 0), {}, "holds 0 colours"},
        FormatCase{"BinaryOfAnotherSize", std::string("\x01\x02\x00\x04", 4), {}, "neither"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(PaletteText, TwoHundredFiftySixLinesAreReadInOrder) {
    const PaletteFileResult r = ParsePaletteText(Lines(256));
    ASSERT_EQ(r.colors.size(), 256u);
    for (std::size_t i = 0; i < 256; ++i) EXPECT_EQ(r.colors[i], Pixel{std::uint32_t(i)});
}

TEST(PaletteBmp, ColorTableIsReadInTheFilesOrder) {
    const PaletteColors inks = EpaperPalette7();
    IndexImage img{2, 1, {6, 0}};
    const EncodedBmp file = EncodeIndexedBmp(img, inks, 4);
    ASSERT_EQ(file.status, EncodeStatus::Ok);
    const PaletteFileResult r = PaletteFromBmp(file.bytes);
    EXPECT_EQ(r.error, "");
    ASSERT_EQ(r.colors.size(), 16u);  // the full table the header declares
    EXPECT_EQ(PaletteColors(r.colors.begin(), r.colors.begin() + 7), inks);
}

TEST(PaletteBmp, FilesWithoutATableOrCutShortAreRefused) {
    const EncodedBmp deep = testing::EncodeBmpFile(Bitmap(2, 2, ColorFromRgb(1, 2, 3)), 24, {});
    ASSERT_EQ(deep.status, EncodeStatus::Ok);
    EXPECT_NE(PaletteFromBmp(deep.bytes).error.find("no colour table"), std::string::npos);
    const EncodedBmp eight = EncodeIndexedBmp(IndexImage{1, 1, {0}}, BlackWhitePalette(), 8);
    ASSERT_EQ(eight.status, EncodeStatus::Ok);
    const std::vector<std::uint8_t> cut(eight.bytes.begin(), eight.bytes.begin() + 54 + 100);
    EXPECT_FALSE(PaletteFromBmp(cut).error.empty());
    EXPECT_TRUE(PaletteFromBmp(cut).colors.empty());
}

class PaletteFileOnDisk : public ::testing::Test {
protected:
    std::string Put(const std::string& name, const std::string& bytes) {
        const std::filesystem::path dir = std::filesystem::temp_directory_path() / "rastrix-palette-test";
        std::filesystem::create_directories(dir);
        const std::string path = (dir / name).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    FileSystem& files = PosixFileSystem();
};

TEST_F(PaletteFileOnDisk, TextAndBmpFilesAreReadAndHostileOnesRefused) {
    EXPECT_EQ(ReadPaletteFile(files, Put("two.txt", "#000000\n#ffffff\n")).colors, BlackWhitePalette());
    const EncodedBmp bmp = EncodeIndexedBmp(IndexImage{1, 1, {1}}, EpaperPalette7(), 8);
    const PaletteFileResult fromBmp =
        ReadPaletteFile(files, Put("inks.bmp", std::string(bmp.bytes.begin(), bmp.bytes.end())));
    ASSERT_EQ(fromBmp.colors.size(), 256u);
    EXPECT_EQ(fromBmp.colors[6], Rgb(255, 128, 0));
    // Long text (even of good lines) and binary data are refused with a reason; so is no file.
    std::string longText;
    while (longText.size() <= kMaxPaletteFileBytes) longText += "; a comment line that says nothing\n";
    EXPECT_NE(ReadPaletteFile(files, Put("long.txt", longText + "#000000\n")).error.find("larger than"),
              std::string::npos);
    EXPECT_NE(ReadPaletteFile(files, Put("nul.txt", std::string("#000000\n\0\n", 10))).error.find("neither"),
              std::string::npos);
    EXPECT_FALSE(ReadPaletteFile(files, "/nonexistent/rastrix/palette.txt").error.empty());
    // The content decides, whatever the name says.
    EXPECT_EQ(ReadPaletteFile(files, Put("gimp.pal", "GIMP Palette\n0 0 0\n255 255 255\n")).colors, BlackWhitePalette());
    EXPECT_EQ(ReadPaletteFile(files, Put("inks.act", Act(BlackWhitePalette(), 0, 2))).colors, BlackWhitePalette());
}

TEST(OptimisedPalette, FewColorsComeBackExactlyAndManyAreCutToTheCount) {
    Bitmap three(30, 20, ColorFromRgb(10, 200, 30));
    for (int x = 0; x < 30; ++x) three.SetPixel(x, 5, ColorFromRgb(250, 0, 0)), three.SetPixel(x, 9, ColorFromRgb(0, 0, 90));
    const OptimisedPaletteResult few = MakeOptimisedPalette(three, 16);
    ASSERT_EQ(few.error, "");
    PaletteColors got = few.colors;
    std::sort(got.begin(), got.end());
    EXPECT_EQ(got, (PaletteColors{Rgb(0, 0, 90), Rgb(10, 200, 30), Rgb(250, 0, 0)}));

    Bitmap ramp(256, 64);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 256; ++x) ramp.SetPixel(x, y, ColorFromRgb(std::uint8_t(x), std::uint8_t(y * 4), 128));
    const OptimisedPaletteResult cut = MakeOptimisedPalette(ramp, 8);
    ASSERT_EQ(cut.error, "");
    EXPECT_EQ(cut.colors.size(), 8u);
    EXPECT_EQ(MakeOptimisedPalette(ramp, 8).colors, cut.colors);  // the same image, the same palette
    // A large image is seen through a grid of its pixels: colours in areas wider than the grid's
    // step still all come back.
    Bitmap large(1200, 700, ColorFromRgb(255, 255, 255));
    for (int y = 100; y < 300; ++y)
        for (int x = 0; x < 1200; ++x) large.SetPixel(x, y, x < 600 ? ColorFromRgb(200, 0, 0) : ColorFromRgb(0, 0, 0));
    PaletteColors four = MakeOptimisedPalette(large, 4).colors;
    std::sort(four.begin(), four.end());
    EXPECT_EQ(four, (PaletteColors{Rgb(0, 0, 0), Rgb(200, 0, 0), Rgb(255, 255, 255)}));
    EXPECT_FALSE(MakeOptimisedPalette(ramp, 1).error.empty());
    EXPECT_FALSE(MakeOptimisedPalette(ramp, 257).error.empty());
    EXPECT_FALSE(MakeOptimisedPalette(Bitmap(), 16).error.empty());
}

}  // namespace
}  // namespace rastrix

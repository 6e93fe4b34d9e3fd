#include "codec/PaletteFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "codec/BmpWriter.h"
#include "support/EncodedBmpFile.h"
#include "color/FixedPalettes.h"
#include "color/OptimisedPalette.h"
#include "device/PaletteProblemText.h"
#include "store/FileSystem.h"

namespace rastrix {

// A failed check shows a file's problem as its kind, its facts and the words they make.
void PrintTo(const PaletteFileProblem& p, std::ostream* os) {
    *os << "kind " << int(p.kind) << ", line " << p.line << ", count " << p.count << ", held " << p.held << ", limit "
        << p.limit << ": " << PaletteProblemText(p);
}

namespace {

constexpr Pixel Rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b) { return Pixel{r << 16 | g << 8 | b}; }

using K = PaletteFileProblem::Kind;

// Every named palette, entry by entry: the order is what a device reads.
struct NamedPalette {
    const char* name;
    PaletteColors colors;
};

class FixedPaletteOrder : public ::testing::TestWithParam<NamedPalette> {};

TEST_P(FixedPaletteOrder, NameGivesExactlyTheseEntriesInThisOrder) {
    const PaletteChoice c = PaletteByName(GetParam().name);
    EXPECT_TRUE(c.Ok());
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
                      Rgb(128, 0, 128), Rgb(0, 128, 128), Rgb(128, 128, 128), Rgb(192, 192, 192), Rgb(255, 0, 0),
                      Rgb(0, 255, 0), Rgb(255, 255, 0), Rgb(0, 0, 255), Rgb(255, 0, 255), Rgb(0, 255, 255),
                      Rgb(255, 255, 255)}},
        NamedPalette{"epaper7",
                     {Rgb(0, 0, 0), Rgb(255, 255, 255), Rgb(0, 255, 0), Rgb(0, 0, 255), Rgb(255, 0, 0),
                      Rgb(255, 255, 0), Rgb(255, 128, 0)}}),
    [](const auto& info) { return std::string(info.param.name); });

using NameKind = PaletteNameProblem::Kind;

struct NameCase {
    const char* name;
    int optimised;  // 0: a problem is expected
    NameKind problem = NameKind::None;
};

class PaletteNames : public ::testing::TestWithParam<NameCase> {};

TEST_P(PaletteNames, OptimisedTakesTwoTo256ColorsAndAnythingElseIsAnError) {
    const PaletteChoice c = PaletteByName(GetParam().name);
    EXPECT_EQ(c.optimisedColors, GetParam().optimised);
    EXPECT_TRUE(c.colors.empty());
    EXPECT_EQ(c.Ok(), GetParam().optimised != 0) << PaletteProblemText(c.problem);
    // The problem keeps the name given and, for a count, the bounds its message names.
    const NameKind kind = GetParam().problem;
    const PaletteNameProblem expected{kind, kind == NameKind::None ? "" : GetParam().name,
                                      kind == NameKind::OptimisedCount ? Limits{2, 256} : Limits{}};
    EXPECT_EQ(c.problem, expected) << PaletteProblemText(c.problem);
    if (kind == NameKind::OptimisedCount) {
        EXPECT_EQ(PaletteProblemText(c.problem), "an optimised palette needs a number of colours from 2 to 256, as in optimised:16");
    }
    if (kind == NameKind::Unknown) {
        EXPECT_EQ(PaletteProblemText(c.problem),
                  "unknown palette '" + std::string(GetParam().name) +
                      "'; known: bw, grey4, grey16, basic16, epaper7, bwr, bwy, optimised:N (N from 2 to 256), or a palette file");
    }
}

INSTANTIATE_TEST_SUITE_P(Palettes, PaletteNames,
                         ::testing::Values(NameCase{"optimised:16", 16}, NameCase{"optimized:256", 256},
                                           NameCase{"optimised:2", 2}, NameCase{"optimised:1", 0, NameKind::OptimisedCount},
                                           NameCase{"optimised:257", 0, NameKind::OptimisedCount},
                                           NameCase{"optimised:", 0, NameKind::OptimisedCount},
                                           NameCase{"optimised:16x", 0, NameKind::OptimisedCount},
                                           NameCase{"optimised:-4", 0, NameKind::OptimisedCount},
                                           NameCase{"optimized:0", 0, NameKind::OptimisedCount},
                                           NameCase{"grey5", 0, NameKind::Unknown}, NameCase{"BW", 0, NameKind::Unknown},
                                           NameCase{"", 0, NameKind::Unknown}));

// Text palettes: what is read, or the problem with its facts and the words its message must hold.
struct TextCase {
    const char* label;
    std::string text;
    PaletteColors colors;
    const char* errorPart;  // nullptr: no error
    PaletteFileProblem problem = {};
};

void PrintTo(const TextCase& c, std::ostream* os) { *os << c.label; }

class PaletteText : public ::testing::TestWithParam<TextCase> {};

TEST_P(PaletteText, ReadsColorsInOrderOrNamesTheBadLine) {
    const PaletteFileResult r = ParsePaletteText(GetParam().text);
    EXPECT_EQ(r.problem, GetParam().problem) << PaletteProblemText(r.problem);
    if (GetParam().errorPart) {
        EXPECT_TRUE(r.colors.empty());
        EXPECT_NE(PaletteProblemText(r.problem).find(GetParam().errorPart), std::string::npos) << PaletteProblemText(r.problem);
    } else {
        EXPECT_TRUE(r.Ok());
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
        TextCase{"TooManyColours", Lines(257), {}, "257", {.kind = K::TooManyColors, .line = 257, .limit = 256}},
        TextCase{"ShortColour", "#000000\n#12345\n", {}, "line 2", {.kind = K::NotHexColor, .line = 2, .text = "#12345"}},
        TextCase{"LongColour", "#1234567\n", {}, "line 1", {.kind = K::NotHexColor, .line = 1, .text = "#1234567"}},
        // Lospec's .hex files are bare RRGGBB lines; paint.net's .txt files AARRGGBB lines.
        TextCase{"NoHash", "000000\nFF8000\n", {Rgb(0, 0, 0), Rgb(255, 128, 0)}, nullptr},
        TextCase{"AlphaFirst", "; paint.net\nFF102030\n80FFFFFF\n", {Rgb(16, 32, 48), Rgb(255, 255, 255)}, nullptr},
        TextCase{"SevenDigits", "0000000\n", {}, "line 1", {.kind = K::NotHexColor, .line = 1, .text = "0000000"}},
        TextCase{"HashWithAlpha", "#FF102030\n", {}, "line 1", {.kind = K::NotHexColor, .line = 1, .text = "#FF102030"}},
        TextCase{"NotHex", "; x\n#GG0000\n", {}, "line 2", {.kind = K::NotHexColor, .line = 2, .text = "#GG0000"}},
        TextCase{"Empty", "", {}, "no colour", {.kind = K::NoHexColors}},
        TextCase{"OnlyComments", "; a\n# b\n\n", {}, "no colour", {.kind = K::NoHexColors}},
        TextCase{"Words", "black\n", {}, "#RRGGBB", {.kind = K::NotHexColor, .line = 1, .text = "black"}},
        // A long line is kept whole; its message quotes the first 40 characters.
        TextCase{"LongLine", "  " + std::string(45, 'x') + " \r\n", {},
                 "line 1 is not a colour of the form #RRGGBB (or RRGGBB): 'xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx'",
                 {.kind = K::NotHexColor, .line = 1, .text = std::string(45, 'x')}}),
    [](const auto& info) { return std::string(info.param.label); });

// The other palette files people have, each as its format is published, told apart by their
// bytes: what is read, or the words the error must hold.
struct FormatCase {
    const char* label;
    std::string bytes;
    PaletteColors colors;
    const char* errorPart;  // nullptr: no error
    PaletteFileProblem problem = {};
};

void PrintTo(const FormatCase& c, std::ostream* os) { *os << c.label; }

class PaletteFormats : public ::testing::TestWithParam<FormatCase> {};

TEST_P(PaletteFormats, ReadByContentInOrderOrNamingTheBadLine) {
    const std::string& b = GetParam().bytes;
    const PaletteFileResult r = ParsePaletteBytes(std::span(reinterpret_cast<const std::uint8_t*>(b.data()), b.size()));
    EXPECT_EQ(r.problem, GetParam().problem) << PaletteProblemText(r.problem);
    if (GetParam().errorPart) {
        EXPECT_TRUE(r.colors.empty());
        EXPECT_NE(PaletteProblemText(r.problem).find(GetParam().errorPart), std::string::npos) << PaletteProblemText(r.problem);
    } else {
        EXPECT_TRUE(r.Ok());
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

std::string Repeated(const std::string& line, int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += line;
    return s;
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
        FormatCase{"JascFewerThanCounted", "JASC-PAL\n0100\n3\n0 0 0\n1 1 1\n", {}, "holds 2 colours, but line 3 says 3",
                   {.kind = K::JascFewerColors, .count = 3, .held = 2}},
        FormatCase{"JascMoreThanCounted", "JASC-PAL\n0100\n1\n0 0 0\n1 1 1\n", {},
                   "line 5 is colour 2, but line 3 says the file holds 1", {.kind = K::JascMoreColors, .line = 5, .count = 1}},
        FormatCase{"JascChannelOver255", "JASC-PAL\n0100\n1\n0 256 0\n", {},
                   "line 4 is not a colour of the form 'red green blue' (0 to 255): '0 256 0'",
                   {.kind = K::NotJascColor, .line = 4, .text = "0 256 0"}},
        FormatCase{"JascCountTooLarge", "JASC-PAL\n0100\n257\n", {},
                   "line 3 of a JASC-PAL file must be its number of colours, 1 to 256: '257'",
                   {.kind = K::JascCount, .line = 3, .text = "257", .limit = 256}},
        FormatCase{"JascWithoutCount", "JASC-PAL\n0100\n", {}, "line 3 of a JASC-PAL file must be its number of colours, 1 to 256: ''",
                   {.kind = K::JascCount, .line = 3, .text = "", .limit = 256}},
        FormatCase{"JascWrongVersion", "JASC-PAL\n0200\n1\n0 0 0\n", {}, "line 2 of a JASC-PAL file must be '0100'",
                   {.kind = K::JascHeader, .line = 2}},
        FormatCase{"Gimp",
                   "GIMP Palette\nName: Inks\nColumns: 4\n#\n  0   0   0\tBlack\n255 255 255\tWhite\n"
                   "255 128   0\n",
                   {Rgb(0, 0, 0), Rgb(255, 255, 255), Rgb(255, 128, 0)}, nullptr},
        FormatCase{"GimpWithByteOrderMark", "\xEF\xBB\xBFGIMP Palette\r\n12 34 56 dark\r\n", {Rgb(12, 34, 56)}, nullptr},
        FormatCase{"GimpBadLine", "GIMP Palette\nName: x\n0 0\n", {},
                   "line 3 is not a colour of the form 'red green blue name' (0 to 255): '0 0'",
                   {.kind = K::NotGimpColor, .line = 3, .text = "0 0"}},
        FormatCase{"GimpNoColours", "GIMP Palette\nName: x\n# only a comment\n", {}, "the GIMP palette holds no colours",
                   {.kind = K::NoGimpColors}},
        FormatCase{"Act", Act({Rgb(1, 2, 3), Rgb(250, 0, 0)}, 0), ActColors({Rgb(1, 2, 3), Rgb(250, 0, 0)}, 0), nullptr},
        FormatCase{"ActCounted", Act({Rgb(0, 0, 0), Rgb(255, 255, 255)}, 9, 2), {Rgb(0, 0, 0), Rgb(255, 255, 255)}, nullptr},
        // Every byte printable, so no NUL tells it apart: it is still no colour list.
        FormatCase{"ActOfTextBytes", Act({Rgb(65, 66, 67)}, 97), ActColors({Rgb(65, 66, 67)}, 97), nullptr},
        FormatCase{"ActCountZero", Act({Rgb(0, 0, 0)}, 0, 0), {}, "the Adobe colour table says it holds 0 colours; 1 to 256 can be used",
                   {.kind = K::ActCount, .count = 0, .limit = 256}},
        FormatCase{"ActCountOver256", Act({Rgb(0, 0, 0)}, 0, 300), {}, "holds 300 colours", {.kind = K::ActCount, .count = 300, .limit = 256}},
        FormatCase{"BinaryOfAnotherSize", std::string("\x01\x02\x00\x04", 4), {},
                   "the palette file is neither a BMP file, an Adobe colour table nor text", {.kind = K::NoFormat}},
        FormatCase{"JascFirstLineOnly", "JASC-PAL", {}, "line 2 of a JASC-PAL file must be '0100'", {.kind = K::JascHeader, .line = 2}},
        FormatCase{"GimpTooManyColours", "GIMP Palette\n" + Repeated("1 2 3\n", 257),
                   {}, "line 258 is colour 257; a palette holds at most 256", {.kind = K::TooManyColors, .line = 258, .limit = 256}}),
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
    EXPECT_TRUE(r.Ok());
    ASSERT_EQ(r.colors.size(), 16u);  // the full table the header declares
    EXPECT_EQ(PaletteColors(r.colors.begin(), r.colors.begin() + 7), inks);
}

TEST(PaletteBmp, FilesWithoutATableOrCutShortAreRefused) {
    const EncodedBmp deep = testing::EncodeBmpFile(Bitmap(2, 2, ColorFromRgb(1, 2, 3)), 24, {});
    ASSERT_EQ(deep.status, EncodeStatus::Ok);
    const PaletteFileProblem noTable = PaletteFromBmp(deep.bytes).problem;
    EXPECT_EQ(noTable, PaletteFileProblem{.kind = K::NoColorTable});
    EXPECT_EQ(PaletteProblemText(noTable), "the BMP file has no colour table (only files of 1, 2, 4 or 8 bits have one)");
    const EncodedBmp eight = EncodeIndexedBmp(IndexImage{1, 1, {0}}, BlackWhitePalette(), 8);
    ASSERT_EQ(eight.status, EncodeStatus::Ok);
    const std::vector<std::uint8_t> cut(eight.bytes.begin(), eight.bytes.begin() + 54 + 100);
    // The BMP reader's reason is kept as it is and said in its words.
    const PaletteFileProblem cutShort = PaletteFromBmp(cut).problem;
    EXPECT_EQ(cutShort.kind, K::Bmp);
    EXPECT_NE(cutShort.bmpError, BmpError::None);
    EXPECT_EQ(PaletteProblemText(cutShort), BmpErrorMessage(cutShort.bmpError));
    EXPECT_TRUE(PaletteFromBmp(cut).colors.empty());
    const std::vector<std::uint8_t> notBmp{'B', 'M', 0, 0};
    EXPECT_EQ(PaletteFromBmp(notBmp).problem.kind, K::Bmp);
    EXPECT_NE(PaletteFromBmp(notBmp).problem.bmpError, BmpError::None);
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
    const PaletteFileProblem tooLarge = ReadPaletteFile(files, Put("long.txt", longText + "#000000\n")).problem;
    EXPECT_EQ(tooLarge, (PaletteFileProblem{.kind = K::TooLarge, .limit = kMaxPaletteFileBytes}));
    EXPECT_EQ(PaletteProblemText(tooLarge), "the palette file is larger than 64 KiB; a text palette is one colour a line");
    EXPECT_EQ(ReadPaletteFile(files, Put("nul.txt", std::string("#000000\n\0\n", 10))).problem, PaletteFileProblem{.kind = K::NoFormat});
    const PaletteFileProblem missing = ReadPaletteFile(files, "/nonexistent/rastrix/palette.txt").problem;
    EXPECT_EQ(missing, (PaletteFileProblem{.kind = K::Unread, .failure = {FileStep::Open, ENOENT}}));
    EXPECT_EQ(PaletteProblemText(missing), "open: No such file or directory");
    EXPECT_EQ(PaletteProblemText(missing, Wording::Sentence), "Open: No such file or directory.");
    // The content decides, whatever the name says.
    EXPECT_EQ(ReadPaletteFile(files, Put("gimp.pal", "GIMP Palette\n0 0 0\n255 255 255\n")).colors, BlackWhitePalette());
    EXPECT_EQ(ReadPaletteFile(files, Put("inks.act", Act(BlackWhitePalette(), 0, 2))).colors, BlackWhitePalette());
}

// A name no palette has is read as a file; when that fails too, both problems are kept and the
// message names the name, the known names and the file's reason.
TEST_F(PaletteFileOnDisk, ANameOrAFileAndWhyNeither) {
    const std::string two = Put("two.txt", "#000000\n#ffffff\n");
    const PaletteOrFile fromFile = PaletteByNameOrFile(two, files);
    EXPECT_TRUE(fromFile.Ok());
    EXPECT_EQ(fromFile.choice.colors, BlackWhitePalette());
    EXPECT_EQ(fromFile.choice.source, PaletteSource::File);

    const PaletteOrFile neither = PaletteByNameOrFile("/nonexistent/rastrix/inks.txt", files);
    EXPECT_FALSE(neither.Ok());
    EXPECT_EQ(neither.choice.problem, (PaletteNameProblem{NameKind::Unknown, "/nonexistent/rastrix/inks.txt", {}}));
    EXPECT_EQ(neither.file, (PaletteFileProblem{.kind = K::Unread, .failure = {FileStep::Open, ENOENT}}));
    EXPECT_EQ(PaletteProblemText(neither),
              "'/nonexistent/rastrix/inks.txt' is neither a palette (bw, grey4, grey16, basic16, epaper7, bwr, bwy, "
              "optimised:N (N from 2 to 256)) nor a palette file: open: No such file or directory");

    const std::string bad = Put("bad.gpl", "GIMP Palette\n1 2\n");
    EXPECT_EQ(PaletteByNameOrFile(bad, files).file, (PaletteFileProblem{.kind = K::NotGimpColor, .line = 2, .text = "1 2"}));

    // "optimised:" with a bad number is never looked for as a file.
    bool read = false;
    const PaletteOrFile count = PaletteByNameOrFile("optimised:300", [&read](const std::string&) {
        read = true;
        return PaletteFileResult{};
    });
    EXPECT_FALSE(read);
    EXPECT_EQ(count.choice.problem.kind, NameKind::OptimisedCount);
    EXPECT_EQ(count.file.kind, K::None);
    EXPECT_EQ(PaletteProblemText(count), "an optimised palette needs a number of colours from 2 to 256, as in optimised:16");
}

TEST(OptimisedPalette, FewColorsComeBackExactlyAndManyAreCutToTheCount) {
    Bitmap three(30, 20, ColorFromRgb(10, 200, 30));
    for (int x = 0; x < 30; ++x) three.SetPixel(x, 5, ColorFromRgb(250, 0, 0)), three.SetPixel(x, 9, ColorFromRgb(0, 0, 90));
    const OptimisedPaletteResult few = MakeOptimisedPalette(three, 16);
    ASSERT_EQ(few.problem.kind, OptimisedPaletteProblem::Kind::None);
    PaletteColors got = few.colors;
    std::sort(got.begin(), got.end());
    EXPECT_EQ(got, (PaletteColors{Rgb(0, 0, 90), Rgb(10, 200, 30), Rgb(250, 0, 0)}));

    Bitmap ramp(256, 64);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 256; ++x) ramp.SetPixel(x, y, ColorFromRgb(std::uint8_t(x), std::uint8_t(y * 4), 128));
    const OptimisedPaletteResult cut = MakeOptimisedPalette(ramp, 8);
    ASSERT_EQ(cut.problem.kind, OptimisedPaletteProblem::Kind::None);
    EXPECT_EQ(cut.colors.size(), 8u);
    EXPECT_EQ(MakeOptimisedPalette(ramp, 8).colors, cut.colors);  // the same image, the same palette
    // Colours of wide areas of a large image all come back.
    Bitmap large(1200, 700, ColorFromRgb(255, 255, 255));
    for (int y = 100; y < 300; ++y)
        for (int x = 0; x < 1200; ++x) large.SetPixel(x, y, x < 600 ? ColorFromRgb(200, 0, 0) : ColorFromRgb(0, 0, 0));
    PaletteColors four = MakeOptimisedPalette(large, 4).colors;
    std::sort(four.begin(), four.end());
    EXPECT_EQ(four, (PaletteColors{Rgb(0, 0, 0), Rgb(200, 0, 0), Rgb(255, 255, 255)}));
    // Every pixel is seen: a red line one row high and a blue one one column wide across a grey
    // gradient of 1920 x 1080, on an odd row and column (missed by a grid of every second pixel),
    // keep their exact colours among 16.
    Bitmap gradient(1920, 1080);
    for (int y = 0; y < 1080; ++y) {
        Pixel* row = gradient.Row(y);
        for (int x = 0; x < 1920; ++x) {
            const std::uint32_t grey = std::uint32_t(x) * 255 / 1919;
            row[x] = Rgb(grey, grey, grey);
        }
        row[961] = Rgb(0, 0, 255);
    }
    for (int x = 0; x < 1920; ++x) gradient.Row(721)[x] = Rgb(255, 0, 0);
    const PaletteColors sixteen = MakeOptimisedPalette(gradient, 16).colors;
    EXPECT_EQ(sixteen.size(), 16u);
    EXPECT_NE(std::find(sixteen.begin(), sixteen.end(), Rgb(255, 0, 0)), sixteen.end());
    EXPECT_NE(std::find(sixteen.begin(), sixteen.end(), Rgb(0, 0, 255)), sixteen.end());
    EXPECT_EQ(MakeOptimisedPalette(gradient, 16).colors, sixteen);  // the same every time
    using OK = OptimisedPaletteProblem::Kind;
    const OptimisedPaletteProblem one = MakeOptimisedPalette(ramp, 1).problem;
    EXPECT_EQ(one, (OptimisedPaletteProblem{OK::ColorCount, 1, {2, 256}}));
    EXPECT_EQ(PaletteProblemText(one), "an optimised palette needs from 2 to 256 colours");
    EXPECT_EQ(PaletteProblemText(one, Wording::Sentence), "An optimised palette needs from 2 to 256 colours.");
    EXPECT_EQ(MakeOptimisedPalette(ramp, 257).problem, (OptimisedPaletteProblem{OK::ColorCount, 257, {2, 256}}));
    EXPECT_TRUE(MakeOptimisedPalette(ramp, 257).colors.empty());
    const OptimisedPaletteProblem empty = MakeOptimisedPalette(Bitmap(), 16).problem;
    EXPECT_EQ(empty, (OptimisedPaletteProblem{OK::EmptyImage, 16, {}}));
    EXPECT_EQ(PaletteProblemText(empty, Wording::Sentence), "An empty image has no colours to choose a palette from.");
}

}  // namespace
}  // namespace rastrix

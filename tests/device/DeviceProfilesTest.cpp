#include "device/DeviceProfiles.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "color/FixedPalettes.h"
#include "device/LibraryReaders.h"
#include "device/PaletteProblemText.h"
#include "store/FileOps.h"
#include "store/Store.h"

namespace rastrix {
namespace {

Bitmap Picture() {
    Bitmap b(24, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 24; ++x) b.Row(y)[x] = PixelFromRgb(std::uint8_t(x * 10), std::uint8_t(y * 15), std::uint8_t(x * y));
    return b;
}

// Every built-in profile makes a file: its parameters pass the check and its palette exists.
TEST(BuiltInProfiles, EachMakesAFile) {
    std::set<std::string_view> names;
    for (const DeviceProfile& p : BuiltInProfiles()) {
        EXPECT_TRUE(names.insert(p.name).second) << "two profiles named " << p.name;
        EXPECT_FALSE(p.function.empty()) << p.name;
        ProfileExport made = ExportFromProfile(p, PosixFileSystem());
        ASSERT_TRUE(made.Ok()) << p.name << ": " << PaletteProblemText(made.palette);
        made.e.name = "picture";
        const DeviceFile file = ExportForDevice(Picture(), made.e);
        EXPECT_TRUE(file.problem.Ok()) << p.name << ": " << DeviceFileProblemText(file.problem);
        EXPECT_FALSE(file.bytes.empty()) << p.name;
    }
    for (const char* asked : {"ssd1306", "adafruit-gfx-mono", "gxepd2-bw", "gxepd2-3c", "gxepd2-7c", "tft-espi-565", "lvgl-rgb565", "lvgl-i1"})
        EXPECT_TRUE(names.count(asked)) << asked;
}

TEST(BuiltInProfiles, ListedWithTheirCalls) {
    const std::string list = ProfileListText({});
    for (const DeviceProfile& p : BuiltInProfiles()) {
        EXPECT_NE(list.find(std::string(p.name) + " "), std::string::npos) << p.name;
        EXPECT_NE(list.find(std::string(p.function)), std::string::npos) << p.name;
    }
}

// The seven-colour panel's reader reads 3 * width bytes a row and skips no padding: a width that
// is a multiple of 4 is drawn ink for ink; any other would come out sheared, so it is refused.
TEST(BuiltInProfiles, WaveshareSevenColourFileDrawnInkForInk) {
    ProfileExport made = ExportFromProfile(*FindProfile("waveshare-7c-bmp", {}), PosixFileSystem());
    ASSERT_TRUE(made.Ok()) << PaletteProblemText(made.palette);
    for (const int w : {40, 12, 37, 38, 39}) {
        Bitmap inks(w, 5);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < w; ++x) inks.Row(y)[x] = EpaperPalette7()[std::size_t((x * 3 + y * 2 + x / 5) % 7)];
        const DeviceFile file = ExportForDevice(inks, made.e);
        if (w % 4 != 0) {
            EXPECT_EQ(file.problem.kind, DeviceFileProblem::Kind::WidthNotMultiple);
            EXPECT_EQ(file.problem.width, w);
            EXPECT_EQ(file.problem.multiple, 4);
            EXPECT_EQ(DeviceFileProblemText(file.problem),
                      "the picture is " + std::to_string(w) + " pixels wide; the reader of waveshare-7c-bmp files skips no row "
                      "padding and takes only widths that are multiples of 4: scale it to the panel's size");
            continue;
        }
        ASSERT_TRUE(file.problem.Ok()) << w << ": " << DeviceFileProblemText(file.problem);
        const device_test::Read drawn = device_test::WaveshareRgb7Color(file.bytes);
        ASSERT_EQ(drawn.width, w);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < w; ++x) ASSERT_EQ(drawn.At(x, y), std::uint32_t((x * 3 + y * 2 + x / 5) % 7)) << w << " at " << x << "," << y;
    }
    made.e.width = 36, made.e.height = 5;  // a picture scaled to a panel's width is taken whatever its own
    EXPECT_TRUE(ExportForDevice(Bitmap(37, 5), made.e).problem.Ok());
    // The dialog's remembered choice holds the profile's name and form, not the width rule.
    ExportChoice remembered;
    remembered.profile = "waveshare-7c-bmp", remembered.container = DeviceContainer::Bmp, remembered.bmpDepth = 24;
    EXPECT_EQ(ExportWithoutPalette(remembered).widthMultiple, 4);
    remembered.bmpDepth = 32;  // changed to another form: no longer the reader's
    EXPECT_EQ(ExportWithoutPalette(remembered).widthMultiple, 0);
}

TEST(BuiltInProfiles, CallNamesTheHeadersMacros) {
    EXPECT_EQ(CallFor("drawBitmap(x, y, NAME, NAME_WIDTH, NAME_HEIGHT, WHITE)", "logo"),
              "drawBitmap(x, y, logo, LOGO_WIDTH, LOGO_HEIGHT, WHITE)");
    EXPECT_EQ(CallFor("drawXBM(x, y, NAME_width, NAME_height, NAME_bits)", "dot"), "drawXBM(x, y, dot_width, dot_height, dot_bits)");
    EXPECT_EQ(CallFor("no name here", "x"), "no name here");
}

using ProblemKind = ProfileFileProblem::Kind;

struct UserCase {
    const char* name;
    const char* text;
    ProblemKind kind;   // None when read
    int line;
    const char* word;   // the word, name or key the problem is about
    const char* value;  // the value the key was given
    const char* words;  // what the front ends show after saying where the file is
};

void PrintTo(const UserCase& c, std::ostream* os) { *os << c.name; }

class UserProfileFile : public ::testing::TestWithParam<UserCase> {};

TEST_P(UserProfileFile, ReadOrRefusedNamingTheLine) {
    const UserCase& c = GetParam();
    const UserProfiles user = ParseUserProfiles(c.text);
    EXPECT_EQ(user.problem.kind, c.kind);
    EXPECT_EQ(user.problem.line, c.line);
    EXPECT_EQ(user.problem.word, c.word);
    EXPECT_EQ(user.problem.value, c.value);
    EXPECT_EQ(ProfileFileProblemText(user.problem), c.words);
    if (c.kind != ProblemKind::None) {
        EXPECT_TRUE(user.profiles.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, UserProfileFile,
    ::testing::Values(
        UserCase{"comments_and_blanks", "# mine\n\n   \nbadge like=gxepd2-3c palette=bwy\n", ProblemKind::None, 0, "", "", ""},
        UserCase{"unknown_key", "\nbadge colour=red\n", ProblemKind::UnknownKey, 2, "colour", "",
                 "line 2: unknown key 'colour' (like, format, layout, palette, dither, invert, progmem, depth, brightness, contrast, gamma, function)"},
        UserCase{"not_key_value", "oled mono-pages\n", ProblemKind::NotKeyValue, 1, "mono-pages", "", "line 1: 'mono-pages' is not key=value"},
        UserCase{"bad_name", "My-Panel format=bin\n", ProblemKind::BadName, 1, "My-Panel", "",
                 "line 1: 'My-Panel' is not a profile name (1 to 40 lower-case letters, digits, '-', '_' or '.')"},
        UserCase{"built_in_name", "ssd1306 format=bin\n", ProblemKind::NameTaken, 1, "ssd1306", "",
                 "line 1: a profile named 'ssd1306' exists already; give this one another name"},
        UserCase{"twice", "a format=bin\nb format=c\na format=c\n", ProblemKind::NameTaken, 3, "a", "",
                 "line 3: a profile named 'a' exists already; give this one another name"},
        UserCase{"like_later_line", "a like=b\nb format=bin\n", ProblemKind::NoEarlierProfile, 1, "like", "b",
                 "line 1: like=b: no profile of that name comes before this line"},
        UserCase{"like_earlier_line", "a format=bin layout=mono-pages\nb like=a invert=yes\n", ProblemKind::None, 0, "", "", ""},
        UserCase{"bad_format", "a format=png\n", ProblemKind::NotAFormat, 1, "format", "png",
                 "line 1: format=png: the format is one of bmp, c, bin, xbm, lvgl-bin, lvgl-c"},
        UserCase{"bad_layout", "a layout=mono-msb\n", ProblemKind::NotALayout, 1, "layout", "mono-msb",
                 "line 1: layout=mono-msb: the layout is one of mono, mono-lsb, mono-pages, grey2, grey4, grey8, "
                 "index1, index2, index4, index8, planes, rgb565, rgb565-swapped, rgb332, rgb888, xrgb8888, argb8888, rgb565a8"},
        UserCase{"bad_dither", "a dither=floyd\n", ProblemKind::NotADither, 1, "dither", "floyd",
                 "line 1: dither=floyd: dithering is fs, atkinson, ordered or none"},
        UserCase{"bad_yes", "a invert=true\n", ProblemKind::NotYesOrNo, 1, "invert", "true", "line 1: invert=true: yes or no"},
        UserCase{"bad_progmem", "a progmem=1\n", ProblemKind::NotYesOrNo, 1, "progmem", "1", "line 1: progmem=1: yes or no"},
        UserCase{"depth_range", "a format=bmp depth=48\n", ProblemKind::NotADepth, 1, "depth", "48",
                 "line 1: depth=48: a BMP depth: 1, 4, 8, 16, 24 or 32"},
        UserCase{"contrast_range", "a contrast=-101\n", ProblemKind::NotALevel, 1, "contrast", "-101", "line 1: contrast=-101: from -100 to 100"},
        UserCase{"gamma_range", "a gamma=20\n", ProblemKind::NotAGamma, 1, "gamma", "20", "line 1: gamma=20: from 0.1 to 10"},
        UserCase{"checked_as_export", "a format=lvgl-c layout=planes\n", ProblemKind::CannotMake, 1, "", "",
                 "line 1: layout planes is not one format lvgl-c takes; it takes mono, grey2, grey4, grey8, index1, index2, index4, index8, "
                 "rgb565, rgb565-swapped, rgb888, xrgb8888, argb8888, rgb565a8"},
        UserCase{"palette_too_long", "a layout=index2 palette=epaper7\n", ProblemKind::CannotMake, 1, "", "",
                 "line 1: palette epaper7 has 7 colours; layout index2 holds at most 4"}),
    [](const auto& info) { return std::string(info.param.name); });

// The function text is the rest of the line, blanks and all; other keys may come before it.
TEST(UserProfileFile, FunctionTakesTheRestOfTheLine) {
    const UserProfiles user = ParseUserProfiles("badge like=gxepd2-3c gamma=1.4 function=show(NAME_black, NAME_color, 0, 0)  \n");
    ASSERT_TRUE(user.problem.Ok()) << ProfileFileProblemText(user.problem);
    const DeviceProfile* p = FindProfile("badge", user);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->function, "show(NAME_black, NAME_color, 0, 0)");
    EXPECT_EQ(p->layout, DeviceLayout::Planes);
    EXPECT_EQ(p->gamma, 1.4);
    EXPECT_EQ(p->palette, "bwr");
    ProfileExport made = ExportFromProfile(*p, PosixFileSystem());
    EXPECT_TRUE(made.Ok()) << PaletteProblemText(made.palette);
    EXPECT_EQ(made.e.adjust.gamma, 1.4);
    EXPECT_NE(ProfileListText(user).find("badge "), std::string::npos);
}

// A profile whose palette is neither a palette's name nor a file that can be read makes no
// export: both problems are kept, and the words name both.
TEST(UserProfileFile, APaletteThatCannotBeHadIsBothProblems) {
    const UserProfiles user = ParseUserProfiles("badge layout=index2 palette=/no/such/inks.pal\n");
    ASSERT_TRUE(user.problem.Ok()) << ProfileFileProblemText(user.problem);
    const ProfileExport made = ExportFromProfile(*FindProfile("badge", user), PosixFileSystem());
    EXPECT_FALSE(made.Ok());
    EXPECT_EQ(made.palette.choice.problem.kind, PaletteNameProblem::Kind::Unknown);
    EXPECT_EQ(made.palette.file.kind, PaletteFileProblem::Kind::Unread);
    EXPECT_EQ(PaletteProblemText(made.palette).rfind("'/no/such/inks.pal' is neither a palette", 0), 0u) << PaletteProblemText(made.palette);
    EXPECT_NE(PaletteProblemText(made.palette).find("No such file or directory"), std::string::npos);
}

// A zero byte is named with its line; limits on size are kept.
TEST(UserProfileFile, Limits) {
    const auto words = [](std::string_view text) { return ProfileFileProblemText(ParseUserProfiles(text).problem); };
    EXPECT_EQ(words(std::string_view("a format=bin\nb\0 format=c\n", 26)), "line 2: holds a zero byte; the file is not text");
    EXPECT_EQ(words(std::string(kMaxUserProfilesBytes + 1, '#')), "line 1: the file is longer than 64 KiB");
    EXPECT_EQ(words("a format=bin " + std::string(1000, 'x') + "\n"), "line 1: longer than 1000 characters");
    std::string many;
    for (int i = 0; i <= 200; ++i) many += "p" + std::to_string(i) + " format=bin\n";
    const UserProfiles tooMany = ParseUserProfiles(many);
    EXPECT_EQ(tooMany.problem, (ProfileFileProblem{.kind = ProblemKind::TooManyProfiles, .line = 201}));
    EXPECT_EQ(ProfileFileProblemText(tooMany.problem), "line 201: more than 200 profiles");
    EXPECT_TRUE(tooMany.profiles.empty());
}

// Read from the settings folder: none is no problem; a file too long, or one that cannot be
// read, is said without a line.
TEST(UserProfileFile, ReadFromTheSettingsFolder) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / ("rastrix-profiles-" + std::to_string(::getpid()));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const Store store(folder);
    const UserProfiles none = ReadUserProfiles(store);
    EXPECT_TRUE(none.problem.Ok());
    EXPECT_TRUE(none.profiles.empty());

    std::ofstream(folder / kUserProfilesValueName) << "a format=bin\nb like=a invert=yes\n";
    const UserProfiles two = ReadUserProfiles(store);
    EXPECT_TRUE(two.problem.Ok()) << ProfileFileProblemText(two.problem);
    EXPECT_EQ(two.profiles.size(), 2u);

    std::ofstream(folder / kUserProfilesValueName) << std::string(kMaxUserProfilesBytes + 1, '#');
    const UserProfiles large = ReadUserProfiles(store);
    EXPECT_EQ(large.problem, (ProfileFileProblem{.kind = ProblemKind::TooLarge}));
    EXPECT_EQ(ProfileFileProblemText(large.problem), "the file is longer than 64 KiB");
    EXPECT_TRUE(large.profiles.empty());

    std::filesystem::remove(folder / kUserProfilesValueName);
    std::filesystem::create_directory(folder / kUserProfilesValueName);  // a folder where the file should be
    const UserProfiles unread = ReadUserProfiles(store);
    EXPECT_EQ(unread.problem.kind, ProblemKind::NotRead);
    EXPECT_EQ(unread.problem.line, 0);
    EXPECT_EQ(ProfileFileProblemText(unread.problem), Describe(unread.problem.failure));
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace rastrix

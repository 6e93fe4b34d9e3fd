// Edit > Reduce Colours: mapping to a palette with or without dithering, one Undo back, the
// palette the reduced image carries into a save, and a black-and-white image saved at 1 bit with no question.
#include "edit/ReduceColorsFixture.h"

namespace rastrix {
namespace {

using namespace reduce_test;

// A flat grey reduced to black and white: the share of white pixels each dithering gives.
struct GreyCase {
    const char* name;
    Dither dither;
    int threshold;
    std::uint8_t grey;
    int minWhitePercent, maxWhitePercent;
};
void PrintTo(const GreyCase& c, std::ostream* os) { *os << c.name; }

class ReduceGreyTest : public ReduceColorsTest, public ::testing::WithParamInterface<GreyCase> {};

TEST_P(ReduceGreyTest, GivesBlackAndWhiteInTheRightShare) {
    const GreyCase& c = GetParam();
    CurrentImage(ed) = Flat(64, 32, ColorFromRgb(c.grey, c.grey, c.grey));
    ASSERT_TRUE(RunReduceColors(ed, {PaletteSource::BlackWhite, 16, "", c.dither, c.threshold}));
    int white = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 64; ++x) {
            const Color p = CurrentImage(ed).GetPixel(x, y);
            ASSERT_TRUE(p == kBlack || p == kWhite) << std::hex << p;
            white += p == kWhite ? 1 : 0;
        }
    const int percent = white * 100 / (64 * 32);
    EXPECT_GE(percent, c.minWhitePercent);
    EXPECT_LE(percent, c.maxWhitePercent);
}

INSTANTIATE_TEST_SUITE_P(
    Greys, ReduceGreyTest,
    ::testing::Values(GreyCase{"NoneLightGoesWhite", Dither::None, -1, 128, 100, 100},
                      GreyCase{"NoneDarkGoesBlack", Dither::None, -1, 127, 0, 0},
                      GreyCase{"FloydSteinbergMixesMidGrey", Dither::FloydSteinberg, -1, 128, 45, 55},
                      GreyCase{"FloydSteinbergQuarterGrey", Dither::FloydSteinberg, -1, 64, 20, 30},
                      GreyCase{"OrderedMixesMidGrey", Dither::Ordered, -1, 128, 40, 60},
                      GreyCase{"ThresholdAboveTheGreyGoesBlack", Dither::None, 60, 128, 0, 0},
                      GreyCase{"ThresholdBelowTheGreyGoesWhite", Dither::None, 40, 128, 100, 100}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ReduceColorsTest, ThroughTheDialogMakesANewLevelAndUndoBringsTheColorsBack) {
    host.modalScripts.push_back(Answer({0, 1}));
    Dispatch(ed, CommandId::ReduceColors);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(ColorsOf(CurrentImage(ed)), (std::set<Color>{kBlack, kWhite}));
    EXPECT_EQ(ed.doc.undoDepth, 1);
    EXPECT_EQ(ed.doc.modified, 1);
    EXPECT_TRUE(MenuEnabled(CommandId::Undo));
    Dispatch(ed, CommandId::Undo);
    EXPECT_EQ(CurrentImage(ed), Pattern(64, 32));
}

TEST_F(ReduceColorsTest, EveryFixedPaletteLeavesOnlyItsOwnColors) {
    for (auto [source, name] : {std::pair{P::Grey4, "grey4"}, std::pair{P::Grey16, "grey16"},
                                std::pair{P::Basic16, "basic16"}, std::pair{P::Epaper7, "epaper7"}}) {
        CurrentImage(ed) = Pattern(64, 32);
        ASSERT_TRUE(RunReduceColors(ed, {source, 16, "", Dither::FloydSteinberg})) << name;
        std::set<Color> allowed;
        for (const Pixel c : PaletteByName(name).colors) allowed.insert(PixelToColor(c));
        const std::set<Color> seen = ColorsOf(CurrentImage(ed));
        EXPECT_GT(seen.size(), 1u) << name;
        for (Color c : seen) EXPECT_TRUE(allowed.count(c)) << name << " " << std::hex << c;
    }
}

TEST_F(ReduceColorsTest, APaletteFileGivesItsColors) {
    const std::string path = Put("inks.txt", "; two inks\n#FF0000\n#0000ff\n");
    ASSERT_TRUE(RunReduceColors(ed, {P::File, 16, path, Dither::None}));
    EXPECT_EQ(ColorsOf(CurrentImage(ed)), (std::set<Color>{ColorFromRgb(255, 0, 0), ColorFromRgb(0, 0, 255)}));
}

TEST_F(ReduceColorsTest, AnOptimisedPaletteHasAtMostTheColorsAsked) {
    ASSERT_TRUE(RunReduceColors(ed, {P::Optimised, 4, "", Dither::None}));
    const std::size_t seen = ColorsOf(CurrentImage(ed)).size();
    EXPECT_GE(seen, 2u);
    EXPECT_LE(seen, 4u);
}

// Parameters Run cannot use: the user is told, the document is left as it was.
class ReduceRefusalTest : public ReduceColorsTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(ReduceRefusalTest, TellsWhyAndLeavesTheImage) {
    const std::string what = GetParam();
    ReduceColorsParams p;
    std::string told;  // the message box's text
    const std::string count = "An optimised palette has from 2 to 256 colours.";
    const std::string share = "The threshold is a share of white from 0% to 100%.";
    if (what == "one colour") p = {P::Optimised, 1}, told = count;
    if (what == "257 colours") p = {P::Optimised, 257}, told = count;
    if (what == "threshold 101") p = {P::BlackWhite, 16, "", Dither::None, 101}, told = share;
    if (what == "threshold -2") p = {P::BlackWhite, 16, "", Dither::None, -2}, told = share;
    if (what == "threshold with dithering")
        p = {P::BlackWhite, 16, "", Dither::Atkinson, 50}, told = "A threshold is used without dithering only.";
    if (what == "threshold with greys")
        p = {P::Grey4, 16, "", Dither::None, 50}, told = "A threshold is used with a palette of two colours only.";
    if (what == "no file") p = {P::File, 16, ""}, told = "No palette file was chosen.";
    if (what == "missing file") {
        p = {P::File, 16, (dir.Path() / "none.txt").string()};
        told = "Cannot read the palette \"" + p.paletteFile + "\".\nOpen: No such file or directory.";
    }
    if (what == "bad file") {
        p = {P::File, 16, Put("bad.txt", "#FF0000\nred\n")};
        told = "Cannot read the palette \"" + p.paletteFile + "\".\nLine 2 is not a colour of the form #RRGGBB (or RRGGBB): 'red'.";
    }
    if (what == "short JASC file") {
        p = {P::File, 16, Put("short.pal", "JASC-PAL\n0100\n3\n1 2 3\n")};
        told = "Cannot read the palette \"" + p.paletteFile + "\".\nThe JASC-PAL file holds 1 colour, but line 3 says 3.";
    }
    if (what == "file of three with a threshold")
        p = {P::File, 16, Put("three.txt", "#000000\n#808080\n#FFFFFF\n"), Dither::None, 40},
        told = "A threshold is used with a palette of two colours only.";
    const auto before = Snapshot(ed);
    EXPECT_FALSE(RunReduceColors(ed, p));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].caption, "Rastrix");
    EXPECT_EQ(host.messages[0].text, told);
    EXPECT_EQ(Snapshot(ed), before);
    EXPECT_FALSE(MenuEnabled(CommandId::Undo));
}

INSTANTIATE_TEST_SUITE_P(Params, ReduceRefusalTest,
                         ::testing::Values("one colour", "257 colours", "threshold 101", "threshold -2",
                                           "threshold with dithering", "threshold with greys", "no file",
                                           "missing file", "bad file", "short JASC file",
                                           "file of three with a threshold"));

TEST_F(ReduceColorsTest, BlackAndWhiteSavesAtOneBitWithNoQuestion) {
    // Control: the many-coloured image asks before it loses colours at 1 bit.
    const std::string path = (dir.Path() / "bw.bmp").string();
    host.saveAnswers.push_back(FileDialogResult{path, 1});
    host.messageAnswers.push_back(DialogAnswer::No);
    Dispatch(ed, CommandId::SaveAs);
    ASSERT_EQ(host.messages.size(), 1u);
    host.messages.clear();

    for (Dither dither : {Dither::None, Dither::FloydSteinberg}) {
        CurrentImage(ed) = Pattern(64, 32);
        ASSERT_TRUE(RunReduceColors(ed, {P::BlackWhite, 16, "", dither}));
        const Bitmap reduced = CurrentImage(ed);
        host.saveAnswers.push_back(FileDialogResult{path, 1});
        Dispatch(ed, CommandId::SaveAs);
        EXPECT_TRUE(host.messages.empty()) << host.messages.front().text;
        const testing::Bytes file = testing::ReadBytes(path);
        ASSERT_GT(file.size(), 62u);
        EXPECT_EQ(file[28], 1);  // bits per pixel
        // The two table entries are black and white, in either order.
        const std::set<std::uint32_t> table = {std::uint32_t(file[54] | file[55] << 8 | file[56] << 16),
                                               std::uint32_t(file[58] | file[59] << 8 | file[60] << 16)};
        EXPECT_EQ(table, (std::set<std::uint32_t>{0x000000u, 0xFFFFFFu}));
        // Read back after Save As: the same pixels, now a 1-bit file's.
        EXPECT_EQ(CurrentImage(ed), reduced);
        EXPECT_EQ(ed.doc.imageBitDepth, 1u);
    }
}

// Light below, dark in the top rows: a first-seen table would start with white.
Bitmap LightBelowDarkAbove() {
    Bitmap b(64, 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 64; ++x)
            b.SetPixel(x, y, y < 8 ? ColorFromRgb(std::uint8_t(x), std::uint8_t(y), std::uint8_t(x ^ y))
                                   : ColorFromRgb(std::uint8_t(255 - x), std::uint8_t(255 - y), std::uint8_t(200 + (x ^ y) % 56)));
    return b;
}

// Colours all round the cube, so every ink is met.
Bitmap Colorful() {
    Bitmap b(64, 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 64; ++x) b.SetPixel(x, y, ColorFromRgb(std::uint8_t(x * 4), std::uint8_t(y * 8), std::uint8_t((x ^ y) * 4)));
    return b;
}

std::vector<std::uint32_t> Quads(const PaletteColors& colors) {
    std::vector<std::uint32_t> out;
    for (const Pixel p : colors) out.push_back(ValueOf(p));
    return out;
}

// Reduce Colours, something else, then Save As: the table the file gets. The reduced image
// carries its palette, written in its order while every pixel is one of its colours; any other
// image is saved as always (first-seen colours, the question when they do not fit).
struct CarriedCase {
    const char* name;
    Bitmap (*image)();
    PaletteSource palette;
    Dither dither;
    void (*after)(Editor&);
    int filter;                        // Save As: 1 monochrome, 2 4-bit, 3 8-bit
    std::vector<std::uint32_t> table;  // the entries the file's table starts with
    std::uint32_t colorsUsed;          // the header's count of table entries
    bool asked;                        // the colour-loss question came
};
void PrintTo(const CarriedCase& c, std::ostream* os) { *os << c.name; }

class CarriedPaletteTest : public ReduceColorsTest, public ::testing::WithParamInterface<CarriedCase> {};

TEST_P(CarriedPaletteTest, TheSaveWritesTheTableItShould) {
    const CarriedCase& c = GetParam();
    CurrentImage(ed) = c.image();
    ASSERT_TRUE(RunReduceColors(ed, {c.palette, 16, "", c.dither}));
    c.after(ed);
    const std::string path = (dir.Path() / "saved.bmp").string();
    host.saveAnswers.push_back(FileDialogResult{path, c.filter});
    host.messageAnswers.push_back(DialogAnswer::Yes);
    Dispatch(ed, CommandId::SaveAs);
    EXPECT_EQ(host.messages.size(), c.asked ? 1u : 0u);
    const testing::Bytes file = testing::ReadBytes(path);
    ASSERT_GT(file.size(), 54 + 4 * c.table.size());
    for (std::size_t i = 0; i < c.table.size(); ++i) EXPECT_EQ(testing::Le32(file, 54 + 4 * i), c.table[i]) << i;
    EXPECT_EQ(testing::Le32(file, 46), c.colorsUsed);
}

const std::vector<std::uint32_t> kInks = Quads(EpaperPalette7());
INSTANTIATE_TEST_SUITE_P(
    Saves, CarriedPaletteTest,
    ::testing::Values(
        CarriedCase{"BlackStaysIndexZero", LightBelowDarkAbove, P::BlackWhite, Dither::None, [](Editor&) {}, 1,
                    {0x000000, 0xFFFFFF}, 2, false},
        CarriedCase{"BlackAndWhiteAtFourBits", LightBelowDarkAbove, P::BlackWhite, Dither::FloydSteinberg, [](Editor&) {}, 2,
                    {0x000000, 0xFFFFFF, 0xFFFFFF}, 16, false},
        CarriedCase{"InksInThePanelsOrder", Colorful, P::Epaper7, Dither::FloydSteinberg, [](Editor&) {}, 2, kInks, 16, false},
        CarriedCase{"InksAtEightBits", Colorful, P::Epaper7, Dither::None, [](Editor&) {}, 3, kInks, 256, false},
        CarriedCase{"BasicColoursInTheirOrder", Colorful, P::Basic16, Dither::Atkinson, [](Editor&) {}, 2,
                    Quads(BasicPalette16()), 16, false},
        // Seven inks do not fit one bit: the usual way, with the question.
        CarriedCase{"InksAtOneBitAsAlways", Colorful, P::Epaper7, Dither::None, [](Editor&) {}, 1, {}, 0, true},
        // A pixel edited in place to another colour: the table is built from the image again,
        // the bottom-left pixel's colour first.
        CarriedCase{"AnEditBringsInAnotherColor", LightBelowDarkAbove, P::BlackWhite, Dither::None,
                    [](Editor& e) { CurrentImage(e).SetPixel(0, 31, ColorFromRgb(255, 0, 0)); }, 2,
                    {0xFF0000, 0xFFFFFF, 0x000000}, 0, false},
        // Undo brings back the level below, which carries no palette.
        CarriedCase{"UndoneAsAlways", LightBelowDarkAbove, P::BlackWhite, Dither::None,
                    [](Editor& e) { Dispatch(e, CommandId::Undo); }, 1, {}, 0, true}),
    [](const auto& info) { return std::string(info.param.name); });

// After Save As the image read back still carries the palette, so a plain Save writes the same.
TEST_F(ReduceColorsTest, APlainSaveAfterSaveAsWritesTheSameTable) {
    CurrentImage(ed) = LightBelowDarkAbove();
    ASSERT_TRUE(RunReduceColors(ed, {P::BlackWhite, 16, "", Dither::FloydSteinberg}));
    const std::string path = (dir.Path() / "bw.bmp").string();
    host.saveAnswers.push_back(FileDialogResult{path, 2});
    Dispatch(ed, CommandId::SaveAs);
    const testing::Bytes first = testing::ReadBytes(path);
    EXPECT_EQ(testing::Le32(first, 54), 0u);  // black first
    std::filesystem::remove(path);
    ed.doc.modified = 1;
    Dispatch(ed, CommandId::Save);
    EXPECT_EQ(testing::ReadBytes(path), first);
    EXPECT_TRUE(host.messages.empty());
}

TEST(ReduceColorsWithoutImage, IsGreyedAsksNothingAndRunRefuses) {
    test::FakeHost host;
    Editor ed{host};
    EXPECT_FALSE(ShownCommandStates(ed).MenuItem(CommandId::ReduceColors).value().enabled);
    Dispatch(ed, CommandId::ReduceColors);
    EXPECT_EQ(host.modalRuns, 0);
    EXPECT_FALSE(RunReduceColors(ed, {}));
    EXPECT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(ed.doc.undoDepth, 0);
}

}  // namespace
}  // namespace rastrix
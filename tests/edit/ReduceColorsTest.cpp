// Edit > Reduce Colours: the dialog's rules, mapping to a palette with or without dithering,
// one Undo back, and a black-and-white image saved at 1 bit with no question.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "document/NewImageTestSupport.h"
#include "edit/ReduceColors.h"
#include "edit/ReduceColorsDialog.h"
#include "edit/ReduceColorsPreview.h"
#include "store/StoreTestSupport.h"
#include "support/BmpTestSupport.h"
#include "frame/CommandDispatch.h"

namespace rastrix {
namespace {

using testing::Pattern;
using testing::Snapshot;
using testing::TypeSize;
using D = ReduceColorsDialog;

constexpr Color kBlack = ColorFromRgb(0, 0, 0), kWhite = ColorFromRgb(255, 255, 255);

std::set<Color> ColorsOf(const Bitmap& b) {
    std::set<Color> seen;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) seen.insert(b.GetPixel(x, y));
    return seen;
}

Bitmap Flat(int w, int h, Color c) {
    Bitmap b(w, h);
    b.Fill(c);
    return b;
}

// What the user does in the dialog: the list positions and the texts typed (nullptr: left as it is).
struct DialogInput {
    int palette = 0;
    int dither = 0;
    const char* colors = nullptr;
    const char* file = nullptr;
    const char* threshold = nullptr;
};

void Fill(DialogModel& m, const DialogInput& in) {
    m.Select(D::kPaletteList, in.palette);
    m.Select(D::kDitherList, in.dither);
    if (in.colors) m.TextChanged(D::kColorsEdit, in.colors);
    if (in.file) m.TextChanged(D::kFileEdit, in.file);
    if (in.threshold) m.TextChanged(D::kThresholdEdit, in.threshold);
}

// Answers the dialog with the input and OK; Cancel when OK left it open (then *stayedOpen).
auto Answer(DialogInput in, bool* stayedOpen = nullptr) {
    return [=](DialogModel& m) {
        Fill(m, in);
        m.Command(DialogAnswer::Ok);
        if (stayedOpen) *stayedOpen = !m.Ended();
        if (!m.Ended()) m.Command(DialogAnswer::Cancel);
        return m.Result();
    };
}

class ReduceColorsTest : public test::EditorTest {
protected:
    // A 64 x 32 image of distinct pixels, unmodified.
    ReduceColorsTest() {
        host.modalScripts.push_back(TypeSize("64", "32"));
        Dispatch(ed, CommandId::New);
        CurrentImage(ed) = Pattern(64, 32);
    }
    std::string Put(const std::string& name, const std::string& text) {
        const std::string path = (dir.Path() / name).string();
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    testing::TempFolder dir;
};

TEST_F(ReduceColorsTest, DialogStartsWithBlackAndWhiteNoDitheringAndNoThreshold) {
    D d(ed);
    EXPECT_EQ(d.Template().caption, "Reduce Colours");
    EXPECT_EQ(d.Items(D::kPaletteList).size(), 7u);
    EXPECT_EQ(d.Items(D::kDitherList).size(), 4u);
    EXPECT_EQ(d.Selection(D::kPaletteList), 0);
    EXPECT_EQ(d.Selection(D::kDitherList), 0);
    EXPECT_EQ(d.Text(D::kColorsEdit), "16");
    EXPECT_EQ(d.Text(D::kThresholdEdit), "");
    d.Select(D::kPaletteList, 7);  // no such item: the choice stays
    d.Select(D::kDitherList, -1);
    EXPECT_EQ(d.Selection(D::kPaletteList), 0);
    EXPECT_EQ(d.Selection(D::kDitherList), 0);
    d.Command(DialogAnswer::Ok);
    ASSERT_EQ(d.Result(), DialogAnswer::Ok);
    EXPECT_EQ(d.Params().palette, PaletteSource::BlackWhite);
    EXPECT_EQ(d.Params().dither, Dither::None);
    EXPECT_EQ(d.Params().thresholdPercent, -1);
}

// What OK does with the fields: accepted with these parameters, or refused with a message.
struct OkCase {
    const char* name;
    DialogInput input;
    bool accepted;
    PaletteSource palette;
    Dither dither;
    int colors, threshold;
};
void PrintTo(const OkCase& c, std::ostream* os) { *os << c.name; }

class ReduceDialogOkTest : public ReduceColorsTest, public ::testing::WithParamInterface<OkCase> {};

TEST_P(ReduceDialogOkTest, AcceptsOrTellsWhyAndStaysOpen) {
    const OkCase& c = GetParam();
    DialogInput in = c.input;
    // A named palette file exists, with two colours: the dialog reads it.
    const std::string file = in.file ? Put(in.file, "#000000\n#FFFFFF\n") : std::string();
    if (in.file) in.file = file.c_str();
    D d(ed);
    Fill(d, in);
    d.Command(DialogAnswer::Ok);
    EXPECT_EQ(d.Ended(), c.accepted);
    // The reason is shown beside the fields, in no box of its own.
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(d.Text(D::kProblemText).empty(), c.accepted) << d.Text(D::kProblemText);
    EXPECT_EQ(d.Preview(D::kPreview).has_value(), c.accepted);
    if (!c.accepted) return;
    EXPECT_EQ(d.Params().palette, c.palette);
    EXPECT_EQ(d.Params().dither, c.dither);
    if (c.palette == PaletteSource::Optimised) EXPECT_EQ(d.Params().optimisedColors, c.colors);
    EXPECT_EQ(d.Params().thresholdPercent, c.threshold);
}

using P = PaletteSource;
INSTANTIATE_TEST_SUITE_P(
    Fields, ReduceDialogOkTest,
    ::testing::Values(
        OkCase{"Grey16Atkinson", {2, 2}, true, P::Grey16, Dither::Atkinson, 0, -1},
        OkCase{"EpaperOrdered", {4, 3}, true, P::Epaper7, Dither::Ordered, 0, -1},
        OkCase{"Optimised256", {5, 1, "256"}, true, P::Optimised, Dither::FloydSteinberg, 256, -1},
        OkCase{"OptimisedTwo", {5, 0, "2"}, true, P::Optimised, Dither::None, 2, -1},
        OkCase{"OptimisedOne", {5, 0, "1"}, false},
        OkCase{"Optimised257", {5, 0, "257"}, false},
        OkCase{"OptimisedNoCount", {5, 0, ""}, false},
        OkCase{"OptimisedJunk", {5, 0, "1x"}, false},
        OkCase{"BadCountIgnoredForFixed", {1, 0, "junk"}, true, P::Grey4, Dither::None, 0, -1},
        OkCase{"FileWithoutName", {6, 0}, false},
        OkCase{"ThresholdForBlackAndWhite", {0, 0, nullptr, nullptr, "60"}, true, P::BlackWhite, Dither::None, 0, 60},
        OkCase{"ThresholdZero", {0, 0, nullptr, nullptr, "0"}, true, P::BlackWhite, Dither::None, 0, 0},
        OkCase{"ThresholdHundred", {0, 0, nullptr, nullptr, "100"}, true, P::BlackWhite, Dither::None, 0, 100},
        OkCase{"ThresholdAbove100", {0, 0, nullptr, nullptr, "101"}, false},
        OkCase{"ThresholdJunk", {0, 0, nullptr, nullptr, "5%"}, false},
        OkCase{"ThresholdGreyedByDithering", {0, 1, nullptr, nullptr, "50"}, true, P::BlackWhite, Dither::FloydSteinberg, 0, -1},
        OkCase{"ThresholdGreyedByGreys", {1, 0, nullptr, nullptr, "50"}, true, P::Grey4, Dither::None, 0, -1},
        // Any palette of two colours takes a threshold; a file's colours are counted when read.
        OkCase{"ThresholdForTwoOptimised", {5, 0, "2", nullptr, "50"}, true, P::Optimised, Dither::None, 2, 50},
        OkCase{"ThresholdGreyedForThreeOptimised", {5, 0, "3", nullptr, "50"}, true, P::Optimised, Dither::None, 3, -1},
        OkCase{"ThresholdForAFile", {6, 0, nullptr, "inks.txt", "30"}, true, P::File, Dither::None, 0, 30}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ReduceColorsTest, BrowsingChoosesTheFileAndTheFilePalette) {
    const std::string inks = Put("inks.txt", "#000000\n#FF0000\n");
    host.openAnswers.push_back(FileDialogResult{inks, 1});
    D d(ed);
    d.Command(D::kBrowseButton);
    ASSERT_EQ(host.openRequests.size(), 1u);
    EXPECT_EQ(host.openRequests[0].title, kPaletteBrowseTitle);
    EXPECT_EQ(d.Text(D::kFileEdit), inks);
    EXPECT_EQ(d.Selection(D::kPaletteList), int(PaletteSource::File));
    d.Command(DialogAnswer::Ok);
    ASSERT_EQ(d.Result(), DialogAnswer::Ok);
    EXPECT_EQ(d.Params().paletteFile, inks);
    // A cancelled browse changes nothing (in a dialog that does not start from the last values).
    ed.dialogMemory.clear();
    D other(ed);
    other.Command(D::kBrowseButton);
    EXPECT_EQ(other.Text(D::kFileEdit), "");
    EXPECT_EQ(other.Selection(D::kPaletteList), 0);
}

TEST_F(ReduceColorsTest, OnlyTheFieldsThePaletteAndDitheringUseAreEnabled) {
    D d(ed);
    struct Expect { int palette, dither; bool colors, file, threshold; };
    for (const Expect e : {Expect{0, 0, false, false, true}, Expect{0, 1, false, false, false}, Expect{1, 0, false, false, false},
                           Expect{4, 3, false, false, false}, Expect{5, 0, true, false, false}, Expect{6, 2, false, true, false},
                           Expect{6, 0, false, true, true}}) {
        d.Select(D::kPaletteList, e.palette);
        d.Select(D::kDitherList, e.dither);
        EXPECT_EQ(d.Enabled(D::kColorsEdit), e.colors) << e.palette << "/" << e.dither;
        EXPECT_EQ(d.Enabled(D::kFileEdit), e.file) << e.palette << "/" << e.dither;
        EXPECT_EQ(d.Enabled(D::kBrowseButton), e.file) << e.palette << "/" << e.dither;
        EXPECT_EQ(d.Enabled(D::kThresholdEdit), e.threshold) << e.palette << "/" << e.dither;
        EXPECT_TRUE(d.Enabled(D::kPaletteList) && d.Enabled(D::kDitherList) && d.Enabled(DialogAnswer::Ok));
    }
}

TEST_F(ReduceColorsTest, ThePreviewIsWhatTheCommandMakesOfTheSameImage) {
    // The 64 x 32 image fits the sample whole, so the sample is the command's result exactly.
    for (const DialogInput in : {DialogInput{0, 1}, DialogInput{3, 2}, DialogInput{4, 3}, DialogInput{5, 1, "5"},
                                 DialogInput{0, 0, nullptr, nullptr, "40"}}) {
        D d(ed);
        Fill(d, in);
        const std::optional<Bitmap> sample = d.Preview(D::kPreview);
        ASSERT_TRUE(sample) << d.Text(D::kProblemText);
        d.Command(DialogAnswer::Ok);
        ASSERT_TRUE(d.Ended());
        ASSERT_TRUE(RunReduceColors(ed, d.Params()));
        EXPECT_EQ(*sample, CurrentImage(ed)) << in.palette << "/" << in.dither;
        Dispatch(ed, CommandId::Undo);
    }
    // A larger image shows its middle, at most the sample's size.
    CurrentImage(ed) = Pattern(1000, 400);
    D big(ed);
    const std::optional<Bitmap> sample = big.Preview(D::kPreview);
    ASSERT_TRUE(sample);
    EXPECT_EQ(sample->Width(), kReduceSampleWidth);
    EXPECT_EQ(sample->Height(), kReduceSampleHeight);
    EXPECT_EQ(ColorsOf(*sample), (std::set<Color>{kBlack, kWhite}));
}

TEST_F(ReduceColorsTest, AnUnreadablePaletteFileIsShownAndTheDialogStaysOpen) {
    const std::string bad = Put("bad.txt", "#000000\nnot a colour\n");
    D d(ed);
    Fill(d, {6, 0, nullptr, bad.c_str()});
    d.Command(DialogAnswer::Ok);
    EXPECT_FALSE(d.Ended());
    EXPECT_NE(d.Text(D::kProblemText).find(bad), std::string::npos) << d.Text(D::kProblemText);
    EXPECT_FALSE(d.Preview(D::kPreview));
    EXPECT_TRUE(host.messages.empty());
    // Mended in place, the same dialog takes it.
    Put("bad.txt", "#000000\n#FFFFFF\n#FF0000\n");
    d.TextChanged(D::kFileEdit, bad);
    EXPECT_EQ(d.Text(D::kProblemText), "");
    d.Command(DialogAnswer::Ok);
    EXPECT_TRUE(d.Ended());
}

TEST_F(ReduceColorsTest, TheNextDialogStartsFromTheValuesLastAccepted) {
    {
        D d(ed);
        Fill(d, {5, 2, "12"});
        d.Command(DialogAnswer::Ok);
        ASSERT_TRUE(d.Ended());
    }
    {
        D cancelled(ed);  // what a cancelled dialog was left with is not kept
        EXPECT_EQ(cancelled.Selection(D::kPaletteList), 5);
        EXPECT_EQ(cancelled.Selection(D::kDitherList), 2);
        EXPECT_EQ(cancelled.Text(D::kColorsEdit), "12");
        Fill(cancelled, {1, 0});
        cancelled.Command(DialogAnswer::Cancel);
    }
    D again(ed);
    EXPECT_EQ(again.Selection(D::kPaletteList), 5);
    EXPECT_EQ(again.Text(D::kColorsEdit), "12");
    again.Command(DialogAnswer::Ok);
    ASSERT_TRUE(again.Ended());
    EXPECT_EQ(again.Params().optimisedColors, 12);
    EXPECT_EQ(again.Params().dither, Dither::Atkinson);
}

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
    if (what == "one colour") p = {P::Optimised, 1};
    if (what == "257 colours") p = {P::Optimised, 257};
    if (what == "threshold 101") p = {P::BlackWhite, 16, "", Dither::None, 101};
    if (what == "threshold -2") p = {P::BlackWhite, 16, "", Dither::None, -2};
    if (what == "threshold with dithering") p = {P::BlackWhite, 16, "", Dither::Atkinson, 50};
    if (what == "threshold with greys") p = {P::Grey4, 16, "", Dither::None, 50};
    if (what == "no file") p = {P::File, 16, ""};
    if (what == "missing file") p = {P::File, 16, (dir.Path() / "none.txt").string()};
    if (what == "bad file") p = {P::File, 16, Put("bad.txt", "#FF0000\nred\n")};
    const auto before = Snapshot(ed);
    EXPECT_FALSE(RunReduceColors(ed, p));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].caption, "Rastrix");
    EXPECT_FALSE(host.messages[0].text.empty());
    EXPECT_EQ(Snapshot(ed), before);
    EXPECT_FALSE(MenuEnabled(CommandId::Undo));
}

INSTANTIATE_TEST_SUITE_P(Params, ReduceRefusalTest,
                         ::testing::Values("one colour", "257 colours", "threshold 101", "threshold -2",
                                           "threshold with dithering", "threshold with greys", "no file",
                                           "missing file", "bad file"));

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

// Edit > Reduce Colours...: what the dialog offers, enables, previews, refuses and remembers.
#include "edit/ReduceColorsFixture.h"

namespace rastrix {
namespace {

using namespace reduce_test;

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

}  // namespace
}  // namespace rastrix

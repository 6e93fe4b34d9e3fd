// The Scale Image dialog's own controls beside the size: the percentage, the anchor and the pad
// colour, which of them can be used, the problem and the result shown as the fields change, the
// picture of the result, and the choices the next dialog starts from.
#include <gtest/gtest.h>

#include "document/NewImageDialog.h"
#include "document/NewImageTestSupport.h"
#include "draw/Colors.h"
#include "edit/ScaleImage.h"
#include "edit/ScaleImageDialog.h"
#include "edit/ScaleImagePreview.h"
#include "frame/CommandDispatch.h"

namespace rastrix {
namespace {

using testing::Pattern;
using testing::TypeSize;
using D = ScaleImageDialog;

constexpr Color kPad = ColorFromRgb(255, 0, 255);  // no pixel of the pattern comes near it

class ScaleDialogTest : public test::EditorTest {
protected:
    // A 100 x 80 image of distinct pixels, and a background colour it does not hold.
    ScaleDialogTest() {
        host.modalScripts.push_back(TypeSize("100", "80"));
        Dispatch(ed, CommandId::New);
        CurrentImage(ed) = Pattern(100, 80);
        SetBackColor(ed, kPad);
    }
};

// What the fields show after one field is typed into.
struct PercentCase {
    const char* name;
    bool keepAspect;
    int field;
    const char* typed;
    const char* width;
    const char* height;
    const char* percent;
};
void PrintTo(const PercentCase& c, std::ostream* os) { *os << c.name; }

class ScalePercentTest : public ScaleDialogTest, public ::testing::WithParamInterface<PercentCase> {};

TEST_P(ScalePercentTest, PercentAndSizesFollowEachOther) {
    const PercentCase& c = GetParam();
    D d(ed, 100, 80);
    EXPECT_EQ(d.Text(D::kPercentEdit), "100");
    if (!c.keepAspect) d.Command(D::kKeepAspectBox);
    d.TextChanged(c.field, c.typed);
    EXPECT_EQ(d.Text(D::kWidthEdit), c.width);
    EXPECT_EQ(d.Text(D::kHeightEdit), c.height);
    EXPECT_EQ(d.Text(D::kPercentEdit), c.percent);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, ScalePercentTest,
    ::testing::Values(PercentCase{"HalfOfBoth", true, D::kPercentEdit, "50", "50", "40", "50"},
                      PercentCase{"RoundsToNearest", true, D::kPercentEdit, "33", "33", "26", "33"},
                      PercentCase{"RoundsUp", false, D::kPercentEdit, "7", "7", "6", "7"},
                      PercentCase{"GrowsToo", true, D::kPercentEdit, "250", "250", "200", "250"},
                      PercentCase{"NumberEndsAtTheSign", true, D::kPercentEdit, "25%", "25", "20", "25%"},
                      PercentCase{"EmptyLeavesTheSizes", true, D::kPercentEdit, "", "100", "80", ""},
                      PercentCase{"ZeroLeavesTheSizes", true, D::kPercentEdit, "0", "100", "80", "0"},
                      PercentCase{"WordsLeaveTheSizes", true, D::kPercentEdit, "half", "100", "80", "half"},
                      PercentCase{"WidthShowsItsPercent", true, D::kWidthEdit, "25", "25", "20", "25"},
                      PercentCase{"HeightShowsItsPercent", true, D::kHeightEdit, "2", "3", "2", "3"},
                      PercentCase{"SidesOfTwoPercentsShowNone", false, D::kWidthEdit, "50", "50", "80", ""},
                      PercentCase{"AnEmptySideShowsNone", true, D::kHeightEdit, "", "100", "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ScaleDialogTest, OnlyTheControlsTheFitUsesAreEnabled) {
    D d(ed, 100, 80);
    struct Expect { int fit; bool keep, anchor, pad; };
    for (const Expect e : {Expect{D::kSizeAsTyped, true, false, false}, Expect{D::kFitInside, false, true, true},
                           Expect{D::kCoverSize, false, true, false}}) {
        d.Select(D::kFitList, e.fit);
        EXPECT_EQ(d.Enabled(D::kKeepAspectBox), e.keep) << e.fit;
        EXPECT_EQ(d.Enabled(D::kAnchorList), e.anchor) << e.fit;
        EXPECT_EQ(d.Enabled(D::kPadList), e.pad) << e.fit;
        EXPECT_EQ(d.Enabled(D::kPadChooseButton), e.pad) << e.fit;
        for (int id : {D::kWidthEdit, D::kHeightEdit, D::kPercentEdit, D::kFilterList, D::kFitList, int(DialogAnswer::Ok)})
            EXPECT_TRUE(d.Enabled(id)) << id;
    }
}

// Where the picture lands in a 60 x 30 result of the 100 x 80 image: for fit a 38 x 30 picture
// with 22 padded columns, for cover a 60-wide picture 48 high with 18 rows cut.
struct AnchorCase {
    const char* name;
    int fit;
    ScaleAnchor anchor;
    int offset;  // fit: padded columns on the left; cover: rows cut off at the top
};
void PrintTo(const AnchorCase& c, std::ostream* os) { *os << c.name; }

class ScaleAnchorTest : public ScaleDialogTest, public ::testing::WithParamInterface<AnchorCase> {};

TEST_P(ScaleAnchorTest, ThePictureLandsWhereTheAnchorSays) {
    const AnchorCase& c = GetParam();
    host.modalScripts.push_back([c](DialogModel& m) {
        m.Select(D::kFitList, c.fit);
        m.Select(D::kAnchorList, int(c.anchor));
        m.TextChanged(D::kWidthEdit, "60");
        m.TextChanged(D::kHeightEdit, "30");
        m.Command(DialogAnswer::Ok);
        EXPECT_EQ(static_cast<D&>(m).Params().anchor, c.anchor);
        return m.Result();
    });
    Dispatch(ed, CommandId::ScaleImage);
    const Bitmap& got = CurrentImage(ed);
    ASSERT_EQ(got.Width(), 60);
    ASSERT_EQ(got.Height(), 30);
    const bool fit = c.fit == D::kFitInside;
    const auto whole = ScaleBitmap(Pattern(100, 80), fit ? 38 : 60, fit ? 30 : 48, ScaleFit::Exact, ScaleFilter::Lanczos);
    ASSERT_TRUE(whole);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 60; ++x) {
            const bool inPicture = !fit || (x >= c.offset && x < c.offset + 38);
            const Color want = !inPicture ? kPad : fit ? whole->GetPixel(x - c.offset, y) : whole->GetPixel(x, y + c.offset);
            ASSERT_EQ(got.GetPixel(x, y), want) << x << "," << y;
        }
}

INSTANTIATE_TEST_SUITE_P(
    Anchors, ScaleAnchorTest,
    ::testing::Values(AnchorCase{"FitCentredAsBefore", D::kFitInside, ScaleAnchor::Centre, 11},
                      AnchorCase{"FitLeft", D::kFitInside, ScaleAnchor::Left, 0},
                      AnchorCase{"FitTopRight", D::kFitInside, ScaleAnchor::TopRight, 22},
                      AnchorCase{"FitBottomIsCentredAcross", D::kFitInside, ScaleAnchor::Bottom, 11},
                      AnchorCase{"CoverCentredAsBefore", D::kCoverSize, ScaleAnchor::Centre, 9},
                      AnchorCase{"CoverTop", D::kCoverSize, ScaleAnchor::TopLeft, 0},
                      AnchorCase{"CoverBottom", D::kCoverSize, ScaleAnchor::BottomRight, 18},
                      AnchorCase{"CoverRightIsCentredDown", D::kCoverSize, ScaleAnchor::Right, 9}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ScaleDialogTest, FitPadsWithTheColourChosen) {
    ed.settings.foreColor = ColorFromRgb(0, 200, 0);
    host.colorAnswers.push_back(std::nullopt);           // the first choice is cancelled
    host.colorAnswers.push_back(ColorFromRgb(1, 2, 3));  // the second is taken
    D d(ed, 100, 80);
    EXPECT_EQ(d.Items(D::kPadList)[0], "The background colour (#FF00FF)");
    EXPECT_EQ(d.Items(D::kPadList)[1], "The foreground colour (#00C800)");
    d.Select(D::kFitList, D::kFitInside);
    EXPECT_FALSE(d.Params().padColor);  // the background colour as the command finds it
    d.Select(D::kPadList, D::kPadForeground);
    EXPECT_EQ(d.Params().padColor, ColorFromRgb(0, 200, 0));
    d.Select(D::kPadList, D::kPadChosen);  // no colour yet: the colour dialog asks, and is cancelled
    EXPECT_EQ(d.Selection(D::kPadList), D::kPadForeground);
    d.Command(D::kPadChooseButton);
    EXPECT_EQ(d.Selection(D::kPadList), D::kPadChosen);
    EXPECT_EQ(d.Items(D::kPadList)[2], "Another colour (#010203)");
    d.TextChanged(D::kWidthEdit, "60");
    d.TextChanged(D::kHeightEdit, "30");
    d.Command(DialogAnswer::Ok);
    ASSERT_TRUE(d.Ended());
    ASSERT_TRUE(RunScaleImage(ed, d.Params()));
    EXPECT_EQ(CurrentImage(ed).GetPixel(0, 0), ColorFromRgb(1, 2, 3));
    EXPECT_EQ(CurrentImage(ed).GetPixel(59, 29), ColorFromRgb(1, 2, 3));
}

TEST_F(ScaleDialogTest, AProblemIsShownAndGoesWhenMendedAndOkWaitsForIt) {
    D d(ed, 100, 80);
    EXPECT_EQ(d.Text(D::kProblemText), "");
    EXPECT_EQ(d.Text(D::kResultText), "Result: 100 x 80 pixels");
    EXPECT_TRUE(d.Preview(D::kPreview));
    d.Command(D::kKeepAspectBox);
    for (auto [w, h, why] : {std::tuple{"0", "40", kZeroSizeText}, {"65536", "10", kSideTooLargeText},
                             {"30000", "30000", kTooManyPixelsText}, {"", "5", kZeroSizeText}}) {
        d.TextChanged(D::kWidthEdit, w);
        d.TextChanged(D::kHeightEdit, h);
        EXPECT_EQ(d.Text(D::kProblemText), why) << w << "x" << h;
        EXPECT_EQ(d.Text(D::kResultText), "") << w << "x" << h;
        EXPECT_FALSE(d.Preview(D::kPreview)) << w << "x" << h;
        d.Command(DialogAnswer::Ok);
        EXPECT_FALSE(d.Ended()) << w << "x" << h;
    }
    EXPECT_TRUE(host.messages.empty());
    d.TextChanged(D::kWidthEdit, "64");
    EXPECT_EQ(d.Text(D::kProblemText), "");
    EXPECT_EQ(d.Text(D::kResultText), "Result: 64 x 5 pixels");
    d.Command(DialogAnswer::Ok);
    EXPECT_TRUE(d.Ended());
    EXPECT_EQ(d.Params().width, 64);
}

TEST_F(ScaleDialogTest, TheResultLineSaysTheSizeMadeAndHowThePictureMeetsIt) {
    D d(ed, 100, 80);
    d.TextChanged(D::kWidthEdit, "60");
    d.TextChanged(D::kHeightEdit, "30");  // kept to the ratio: 38 x 30
    EXPECT_EQ(d.Text(D::kResultText), "Result: 38 x 30 pixels");
    d.Select(D::kFitList, D::kFitInside);
    d.TextChanged(D::kWidthEdit, "60");
    EXPECT_EQ(d.Text(D::kResultText), "Result: 60 x 30 pixels, the picture 38 x 30 inside");
    d.Select(D::kFitList, D::kCoverSize);
    EXPECT_EQ(d.Text(D::kResultText), "Result: 60 x 30 pixels, cut from 60 x 48");
}

TEST_F(ScaleDialogTest, ThePictureShowsThePaddingAndWhatIsCut) {
    const Bitmap white(100, 80, ColorFromRgb(255, 255, 255));
    const Pixel pad{0x00FF00FFu}, whitePixel{0x00FFFFFFu}, dimmed{0x007F7F7Fu};
    // Fit 60 x 30 drawn 200 x 100, the picture kept to the left: 125 columns of it, the rest pad.
    const auto fit = ScalePreview(white, 100, 80, 60, 30, ScaleFit::Fit, ScaleAnchor::Left, pad);
    ASSERT_TRUE(fit);
    ASSERT_EQ(fit->Width(), kScalePreviewWidth);
    ASSERT_EQ(fit->Height(), 100);
    EXPECT_EQ(fit->Row(50)[0], whitePixel);
    EXPECT_EQ(fit->Row(50)[199], pad);
    // Cover 60 x 30: the whole 60 x 48 picture drawn 188 x 150, the top 18 rows of 48 dimmed.
    const auto cover = ScalePreview(white, 100, 80, 60, 30, ScaleFit::Cover, ScaleAnchor::Bottom, pad);
    ASSERT_TRUE(cover);
    ASSERT_EQ(cover->Width(), 188);
    ASSERT_EQ(cover->Height(), kScalePreviewHeight);
    for (int y = 0; y < 150; ++y)
        EXPECT_EQ(cover->Row(y)[94], y < 18 * 150 / 48 ? dimmed : whitePixel) << y;
    // Exact: the result's own shape.
    const auto exact = ScalePreview(white, 100, 80, 50, 100, ScaleFit::Exact, ScaleAnchor::Centre, pad);
    ASSERT_TRUE(exact);
    EXPECT_EQ(exact->Width(), 75);
    EXPECT_EQ(exact->Height(), 150);
    EXPECT_FALSE(ScalePreview(white, 100, 80, 0, 30, ScaleFit::Fit, ScaleAnchor::Centre, pad));
    EXPECT_FALSE(ScalePreview(Bitmap(), 100, 80, 60, 30, ScaleFit::Fit, ScaleAnchor::Centre, pad));
    // A large image is drawn from a copy at most twice the box.
    const auto small = ScalePreviewSource(Bitmap(4000, 1000, ColorFromRgb(255, 255, 255)));
    ASSERT_TRUE(small);
    EXPECT_EQ(small->Width(), 2 * kScalePreviewWidth);
    EXPECT_EQ(small->Height(), 100);
}

TEST_F(ScaleDialogTest, TheNextDialogStartsFromWhatWasAcceptedNotWhatWasCancelled) {
    host.colorAnswers.push_back(ColorFromRgb(9, 8, 7));
    {
        D d(ed, 100, 80);
        d.Select(D::kFilterList, D::kNearestFilter);
        d.Select(D::kFitList, D::kFitInside);
        d.Select(D::kAnchorList, int(ScaleAnchor::BottomLeft));
        d.Command(D::kPadChooseButton);
        d.TextChanged(D::kWidthEdit, "800");
        d.TextChanged(D::kHeightEdit, "480");
        d.Command(DialogAnswer::Ok);
        ASSERT_TRUE(d.Ended());
    }
    {
        D cancelled(ed, 100, 80);
        EXPECT_EQ(cancelled.Selection(D::kFilterList), D::kNearestFilter);
        EXPECT_EQ(cancelled.Selection(D::kFitList), D::kFitInside);
        EXPECT_EQ(cancelled.Selection(D::kAnchorList), int(ScaleAnchor::BottomLeft));
        EXPECT_EQ(cancelled.Selection(D::kPadList), D::kPadChosen);
        EXPECT_EQ(cancelled.Text(D::kWidthEdit), "800");  // a frame to fit is wanted again
        EXPECT_EQ(cancelled.Text(D::kHeightEdit), "480");
        EXPECT_EQ(cancelled.Text(D::kPercentEdit), "");
        cancelled.Select(D::kFitList, D::kCoverSize);
        cancelled.Select(D::kAnchorList, int(ScaleAnchor::Top));
        cancelled.Command(DialogAnswer::Cancel);
    }
    D again(ed, 100, 80);
    EXPECT_EQ(again.Selection(D::kFitList), D::kFitInside);
    EXPECT_EQ(again.Selection(D::kAnchorList), int(ScaleAnchor::BottomLeft));
    again.Command(DialogAnswer::Ok);
    ASSERT_TRUE(again.Ended());
    EXPECT_EQ(again.Params().width, 800);
    EXPECT_EQ(again.Params().filter, ScaleFilter::Nearest);
    EXPECT_EQ(again.Params().padColor, ColorFromRgb(9, 8, 7));
    // The size above was the image's: a later dialog starts from the image's size, not 50 % of it.
    D half(ed, 100, 80);
    half.Select(D::kFitList, D::kSizeAsTyped);
    half.TextChanged(D::kPercentEdit, "50");
    half.Command(DialogAnswer::Ok);
    ASSERT_TRUE(half.Ended());
    EXPECT_EQ(half.Params().width, 50);
    D exact(ed, 100, 80);
    EXPECT_EQ(exact.Selection(D::kFitList), D::kSizeAsTyped);
    EXPECT_EQ(exact.Text(D::kWidthEdit), "100");
    EXPECT_EQ(exact.Text(D::kHeightEdit), "80");
    EXPECT_EQ(exact.Text(D::kPercentEdit), "100");
}

}  // namespace
}  // namespace rastrix

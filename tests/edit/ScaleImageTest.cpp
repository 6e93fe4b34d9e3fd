// Edit > Scale Image: the dialog's fields and ratio, the scaled size, one Undo back.
#include <gtest/gtest.h>

#include "document/NewImageDialog.h"
#include "document/NewImageTestSupport.h"
#include "edit/ScaleImage.h"
#include "edit/ScaleImageDialog.h"
#include "edit/ScaleImagePreview.h"
#include "selection/Selection.h"
#include "draw/Colors.h"
#include "frame/CommandDispatch.h"

namespace rastrix {
namespace {

using testing::Pattern;
using testing::Snapshot;
using testing::TypeSize;
using D = ScaleImageDialog;

// Answers the Scale Image dialog: sets the keep-aspect box, types the fields that are given
// (in that order), picks the filter, presses OK. If OK left the dialog open, `stayedOpen` is set
// and Cancel closes it.
auto ScaleTo(std::string width, std::string height, bool keepAspect = false, int filter = D::kSmoothFilter,
             bool* stayedOpen = nullptr) {
    return [=](DialogModel& m) {
        if (m.Checked(D::kKeepAspectBox) != keepAspect) m.Command(D::kKeepAspectBox);
        if (!width.empty()) m.TextChanged(D::kWidthEdit, width);
        if (!height.empty()) m.TextChanged(D::kHeightEdit, height);
        m.Select(D::kFilterList, filter);
        m.Command(DialogAnswer::Ok);
        if (stayedOpen) *stayedOpen = !m.Ended();
        if (!m.Ended()) m.Command(DialogAnswer::Cancel);
        return m.Result();
    };
}

class ScaleImageTest : public test::EditorTest {
protected:
    // A 100 x 80 image of distinct pixels, unmodified.
    ScaleImageTest() {
        host.modalScripts.push_back(TypeSize("100", "80"));
        Dispatch(ed, CommandId::New);
        CurrentImage(ed) = Pattern(100, 80);
    }
};

TEST_F(ScaleImageTest, DialogStartsWithTheImageSizeTheRatioKeptAndTheSmoothFilter) {
    D d(ed, 100, 80);
    EXPECT_EQ(d.Template().caption, "Scale Image");
    EXPECT_EQ(d.Text(D::kWidthEdit), "100");
    EXPECT_EQ(d.Text(D::kHeightEdit), "80");
    EXPECT_TRUE(d.Checked(D::kKeepAspectBox));
    EXPECT_EQ(d.Items(D::kFilterList).size(), 2u);
    EXPECT_EQ(d.Selection(D::kFilterList), D::kSmoothFilter);
    EXPECT_EQ(d.Items(D::kFitList).size(), 3u);
    EXPECT_EQ(d.Selection(D::kFitList), D::kSizeAsTyped);
    d.Select(D::kFitList, 3);  // no such item
    EXPECT_EQ(d.Selection(D::kFitList), D::kSizeAsTyped);
    d.Select(D::kFilterList, 7);  // no such item: the choice stays
    EXPECT_EQ(d.Selection(D::kFilterList), D::kSmoothFilter);
    d.Command(DialogAnswer::Cancel);
    EXPECT_TRUE(d.Ended());
    EXPECT_EQ(d.Result(), 0);
}

// Typing into one field with the ratio kept sets the other; what both fields then show.
struct RatioCase {
    const char* name;
    bool keepAspect;
    int field;  // the field typed into
    const char* typed;
    const char* width;
    const char* height;
};
void PrintTo(const RatioCase& c, std::ostream* os) { *os << c.name; }

class ScaleDialogRatioTest : public ScaleImageTest, public ::testing::WithParamInterface<RatioCase> {};

TEST_P(ScaleDialogRatioTest, TheOtherFieldFollows) {
    const RatioCase& c = GetParam();
    D d(ed, 100, 80);
    if (!c.keepAspect) d.Command(D::kKeepAspectBox);
    EXPECT_EQ(d.Checked(D::kKeepAspectBox), c.keepAspect);
    d.TextChanged(c.field, c.typed);
    EXPECT_EQ(d.Text(D::kWidthEdit), c.width);
    EXPECT_EQ(d.Text(D::kHeightEdit), c.height);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, ScaleDialogRatioTest,
    ::testing::Values(RatioCase{"WidthSetsHeight", true, D::kWidthEdit, "50", "50", "40"},
                      RatioCase{"HeightSetsWidth", true, D::kHeightEdit, "20", "25", "20"},
                      RatioCase{"RoundsToNearest", true, D::kWidthEdit, "33", "33", "26"},
                      RatioCase{"HalvesRoundUp", true, D::kHeightEdit, "2", "3", "2"},
                      RatioCase{"NeverBelowOne", true, D::kWidthEdit, "1", "1", "1"},
                      RatioCase{"GrowsToo", true, D::kWidthEdit, "1000", "1000", "800"},
                      RatioCase{"EmptyLeavesTheOther", true, D::kWidthEdit, "", "", "80"},
                      RatioCase{"ZeroLeavesTheOther", true, D::kHeightEdit, "0", "100", "0"},
                      RatioCase{"UntickedLeavesTheOther", false, D::kWidthEdit, "50", "50", "80"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ScaleImageTest, TickingTheBoxAgainSetsTheHeightFromTheWidth) {
    D d(ed, 100, 80);
    d.Command(D::kKeepAspectBox);
    d.TextChanged(D::kWidthEdit, "200");
    d.TextChanged(D::kHeightEdit, "30");
    d.Command(D::kKeepAspectBox);
    EXPECT_TRUE(d.Checked(D::kKeepAspectBox));
    EXPECT_EQ(d.Text(D::kWidthEdit), "200");
    EXPECT_EQ(d.Text(D::kHeightEdit), "160");
}

TEST_F(ScaleImageTest, OkCollectsTheParameters) {
    D d(ed, 100, 80);
    d.Command(D::kKeepAspectBox);
    d.TextChanged(D::kWidthEdit, "64");
    d.TextChanged(D::kHeightEdit, "48");
    d.Select(D::kFilterList, D::kNearestFilter);
    d.Command(DialogAnswer::Ok);
    ASSERT_EQ(d.Result(), DialogAnswer::Ok);
    EXPECT_EQ(d.Params().width, 64);
    EXPECT_EQ(d.Params().height, 48);
    EXPECT_FALSE(d.Params().keepAspect);
    EXPECT_EQ(d.Params().filter, ScaleFilter::Nearest);
}

TEST_F(ScaleImageTest, ExactSizeMakesANewLevelAndUndoBringsTheOldImageBack) {
    host.modalScripts.push_back(ScaleTo("30", "50"));
    Dispatch(ed, CommandId::ScaleImage);
    EXPECT_EQ(CurrentImage(ed).Width(), 30);
    EXPECT_EQ(CurrentImage(ed).Height(), 50);
    EXPECT_EQ(ed.doc.imageWidth, 30);
    EXPECT_EQ(ed.doc.imageHeight, 50);
    EXPECT_EQ(ed.doc.undoDepth, 1);
    EXPECT_EQ(ed.doc.modified, 1);
    EXPECT_TRUE(MenuEnabled(CommandId::Undo));
    EXPECT_TRUE(host.messages.empty());
    Dispatch(ed, CommandId::Undo);
    EXPECT_EQ(CurrentImage(ed), Pattern(100, 80));
    EXPECT_EQ(ed.doc.imageWidth, 100);
    EXPECT_EQ(ed.doc.imageHeight, 80);
}

// The size the image becomes for a 100 x 80 image.
struct SizeCase {
    ScaleImageParams params;
    int width, height;
};
void PrintTo(const SizeCase& c, std::ostream* os) {
    *os << c.params.width << "x" << c.params.height << (c.params.keepAspect ? " kept" : " exact");
}

class ScaledSizeTest : public ScaleImageTest, public ::testing::WithParamInterface<SizeCase> {};

TEST_P(ScaledSizeTest, RunGivesTheImageThisSize) {
    const SizeCase& c = GetParam();
    EXPECT_EQ(ScaledImageSize(100, 80, c.params).width, c.width);
    EXPECT_EQ(ScaledImageSize(100, 80, c.params).height, c.height);
    ASSERT_TRUE(RunScaleImage(ed, c.params));
    EXPECT_EQ(CurrentImage(ed).Width(), c.width);
    EXPECT_EQ(CurrentImage(ed).Height(), c.height);
    EXPECT_EQ(ed.doc.imageWidth, c.width);
    EXPECT_EQ(ed.doc.imageHeight, c.height);
}

INSTANTIATE_TEST_SUITE_P(Sizes, ScaledSizeTest,
                         ::testing::Values(SizeCase{{50, 50, true}, 50, 40}, SizeCase{{100, 20, true}, 25, 20},
                                           SizeCase{{33, 26, true}, 33, 26}, SizeCase{{300, 900, true}, 300, 240},
                                           SizeCase{{1, 1, true}, 1, 1}, SizeCase{{50, 50, false}, 50, 50},
                                           SizeCase{{7, 300, false}, 7, 300}));

// The fit choice of the dialog: fit pads with the background colour, cover cuts off, both make
// exactly the size typed (the fields then do not follow the ratio); the size above keeps its
// rules.
struct FitCase {
    const char* name;
    int fit;               // position in the fit list
    bool keepAspect;
    ScaleFit expected;
    int width, height;     // what the image becomes
    bool paddedLeft;       // the left column is the background colour
};
void PrintTo(const FitCase& c, std::ostream* os) { *os << c.name; }

class ScaleFitTest : public ScaleImageTest, public ::testing::WithParamInterface<FitCase> {};

TEST_P(ScaleFitTest, MakesTheSizeTypedTheWayChosen) {
    const FitCase& c = GetParam();
    SetBackColor(ed, ColorFromRgb(0, 0, 255));
    host.modalScripts.push_back([c](DialogModel& m) {
        m.Select(D::kFitList, c.fit);
        if (m.Checked(D::kKeepAspectBox) != c.keepAspect) m.Command(D::kKeepAspectBox);
        m.TextChanged(D::kWidthEdit, "60");
        m.TextChanged(D::kHeightEdit, "30");
        EXPECT_EQ(m.Text(D::kWidthEdit), c.fit == D::kSizeAsTyped && c.keepAspect ? "38" : "60");  // 30 high, kept
        EXPECT_EQ(static_cast<D&>(m).Selection(D::kFitList), c.fit);
        m.Command(DialogAnswer::Ok);
        EXPECT_EQ(static_cast<D&>(m).Params().fit, c.expected);
        return m.Result();
    });
    Dispatch(ed, CommandId::ScaleImage);
    ASSERT_EQ(CurrentImage(ed).Width(), c.width);
    ASSERT_EQ(CurrentImage(ed).Height(), c.height);
    EXPECT_EQ(CurrentImage(ed).GetPixel(0, 15) == ColorFromRgb(0, 0, 255), c.paddedLeft);
    EXPECT_EQ(ed.doc.undoDepth, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Fits, ScaleFitTest,
    ::testing::Values(FitCase{"SizeAboveKeepsTheRatio", D::kSizeAsTyped, true, ScaleFit::Exact, 38, 30, false},
                      FitCase{"SizeAboveExactly", D::kSizeAsTyped, false, ScaleFit::Exact, 60, 30, false},
                      FitCase{"FitPadsWithTheBackground", D::kFitInside, true, ScaleFit::Fit, 60, 30, true},
                      FitCase{"FitWithTheBoxUnticked", D::kFitInside, false, ScaleFit::Fit, 60, 30, true},
                      FitCase{"CoverCutsOff", D::kCoverSize, true, ScaleFit::Cover, 60, 30, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ScaleImageTest, NearestFilterRepeatsEachPixelExactly) {
    CurrentImage(ed) = Pattern(4, 3);
    ed.doc.imageWidth = 4;
    ed.doc.imageHeight = 3;
    ASSERT_TRUE(RunScaleImage(ed, {8, 9, false, ScaleFilter::Nearest}));
    const Bitmap& image = CurrentImage(ed);
    ASSERT_EQ(image.Width(), 8);
    ASSERT_EQ(image.Height(), 9);
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 8; ++x) EXPECT_EQ(image.GetPixel(x, y), Pattern(4, 3).GetPixel(x / 2, y / 3)) << x << "," << y;
}

TEST_F(ScaleImageTest, SmoothFilterKeepsAFlatColorAndBlendsAnEdge) {
    Bitmap halves(4, 1);
    halves.Fill(ColorFromRgb(0, 0, 0));
    halves.SetPixel(2, 0, ColorFromRgb(255, 255, 255));
    halves.SetPixel(3, 0, ColorFromRgb(255, 255, 255));
    CurrentImage(ed) = halves;
    ed.doc.imageWidth = 4;
    ed.doc.imageHeight = 1;
    ASSERT_TRUE(RunScaleImage(ed, {2, 1, false, ScaleFilter::Lanczos}));
    const Color left = CurrentImage(ed).GetPixel(0, 0), right = CurrentImage(ed).GetPixel(1, 0);
    EXPECT_LT(RedOf(left), 128);
    EXPECT_GT(RedOf(right), 128);
    EXPECT_NE(RedOf(left), 0);  // a blend of both halves, not a pick of one pixel
}

TEST_F(ScaleImageTest, AnActiveSelectionIsHeldInsideTheSmallerImage) {
    ed.selection.rect = {30, 20, 90, 70};
    BeginSelection(ed);
    ASSERT_TRUE(RunScaleImage(ed, {50, 40, false}));
    EXPECT_TRUE(HasSelection(ed));
    EXPECT_EQ(ed.selection.rect, (Rect{30, 20, 50, 40}));
}

class ScaleRefusalTest : public ScaleImageTest,
                         public ::testing::WithParamInterface<std::pair<const char*, const char*>> {};

TEST_P(ScaleRefusalTest, TheDialogTellsWhyAndStaysOpen) {
    const auto before = Snapshot(ed);
    bool stayedOpen = false;
    std::string problem;
    host.modalScripts.push_back([&](DialogModel& m) {
        const int answer = ScaleTo(GetParam().first, GetParam().second, false, D::kSmoothFilter, &stayedOpen)(m);
        problem = m.Text(D::kProblemText);
        return answer;
    });
    Dispatch(ed, CommandId::ScaleImage);
    EXPECT_TRUE(stayedOpen);
    // The reason is shown below the fields, in no box of its own.
    EXPECT_TRUE(host.messages.empty());
    EXPECT_FALSE(problem.empty());
    EXPECT_EQ(Snapshot(ed), before);
}

INSTANTIATE_TEST_SUITE_P(Sizes, ScaleRefusalTest,
                         ::testing::Values(std::pair{"0", "40"}, std::pair{"40", "0"}, std::pair{"65536", "10"},
                                           std::pair{"30000", "30000"}));

TEST_F(ScaleImageTest, RunRefusesASizeThatCannotBeMadeAndLeavesTheImage) {
    const auto before = Snapshot(ed);
    for (const ScaleImageParams& p : {ScaleImageParams{0, 10, false}, ScaleImageParams{-5, 10, true},
                                      ScaleImageParams{70000, 10, true}, ScaleImageParams{30000, 30000, false}}) {
        host.messages.clear();
        EXPECT_FALSE(RunScaleImage(ed, p)) << p.width << "x" << p.height;
        EXPECT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(Snapshot(ed), before);
    }
}

TEST_F(ScaleImageTest, CancelChangesNothing) {
    const auto before = Snapshot(ed);
    Dispatch(ed, CommandId::ScaleImage);  // no script: the dialog is cancelled
    EXPECT_EQ(host.modalRuns, 2);
    EXPECT_EQ(Snapshot(ed), before);
}

TEST(ScaleImageWithoutImage, IsGreyedAsksNothingAndRunRefuses) {
    test::FakeHost host;
    Editor ed{host};
    EXPECT_FALSE(ShownCommandStates(ed).MenuItem(CommandId::ScaleImage).value().enabled);
    Dispatch(ed, CommandId::ScaleImage);
    EXPECT_EQ(host.modalRuns, 0);
    EXPECT_FALSE(RunScaleImage(ed, {10, 10, false}));
    EXPECT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(ed.doc.undoDepth, 0);
}

}  // namespace
}  // namespace rastrix

// File > Join Files: the dialog's Browse and Join rules and the image the join makes.
#include <gtest/gtest.h>

#include <cerrno>
#include <functional>

#include "codec/BmpWriter.h"
#include "support/EncodedBmpFile.h"
#include "document/JoinDialog.h"
#include "document/NewImageDialog.h"
#include "document/NewImageTestSupport.h"
#include "store/StoreTestSupport.h"
#include "support/BmpTestFiles.h"

namespace rastrix {
namespace {

using testing::AllOf;
using testing::Bytes;
using testing::Part;
using testing::Pattern;
using testing::Snapshot;

constexpr Color kBack = ColorFromRgb(1, 2, 250);
using Placed = std::vector<std::pair<int, std::string>>;  // position, path

class JoinTest : public test::EditorTest {
protected:
    JoinTest() { ed.settings.backColor = kBack; }

    std::string Put(const std::string& name, const Bytes& bytes) {
        testing::WriteBytes(dir.Path() / name, bytes);
        return (dir.Path() / name).string();
    }
    std::string PutPattern(const std::string& name, int w, int h) {
        return Put(name, testing::EncodeBmpFile(Pattern(w, h), 24, [](int) { return true; }).bytes);
    }
    // A file whose headers claim w x h but that holds no pixels.
    std::string PutHeaderOnly(const std::string& name, int w, int h) {
        testing::TestBmp recipe;
        recipe.width = w;
        recipe.height = h;
        return Put(name, testing::BuildBmp(recipe));
    }

    // Runs File > Join: browses the files, types the names, runs beforeJoin, presses Join, and
    // cancels if Join left the dialog open. What the dialog showed is kept in labels, closedByJoin.
    void Join(const Placed& browsed, const Placed& typed = {}, std::function<void()> beforeJoin = {}) {
        for (const auto& b : browsed) host.openAnswers.push_back(FileDialogResult{b.second, 1});
        host.modalScripts.push_back([=, this](DialogModel& m) {
            auto& d = dynamic_cast<JoinDialog&>(m);
            for (const auto& [p, path] : browsed) d.Command(JoinDialog::kFirstBrowse + p);
            for (const auto& [p, path] : typed) d.TextChanged(JoinDialog::kFirstEdit + p, path);
            for (int p = 0; p < kJoinPositions; ++p) labels[p] = d.Text(JoinDialog::kFirstLabel + p);
            if (beforeJoin) beforeJoin();
            d.Command(DialogAnswer::Ok);
            closedByJoin = d.Ended();
            if (!d.Ended()) d.Command(DialogAnswer::Cancel);
            return d.Result();
        });
        Dispatch(ed, CommandId::JoinFiles);
    }
    // An unmodified 8 x 8 image to be replaced.
    void MakeImage() {
        host.modalScripts.push_back(testing::TypeSize("8", "8"));
        Dispatch(ed, CommandId::New);
    }

    testing::TempFolder dir;
    std::array<std::string, kJoinPositions> labels;
    bool closedByJoin = false;
};

TEST_F(JoinTest, DiagonalFilesMakeTheCanvasOfTheLargerSides) {
    const std::string bottomRight = PutPattern("br.bmp", 80, 70);
    Join({{kTopLeft, PutPattern("tl.bmp", 100, 50)}, {kBottomRight, bottomRight}});
    ASSERT_EQ(host.openRequests.size(), 2u);
    EXPECT_EQ(host.openRequests[0].title, "Select a File");
    EXPECT_EQ(host.openRequests[0].filters[0].pattern, "*.bmp");
    EXPECT_EQ(labels, (std::array<std::string, 4>{"100 x 50", "", "", "80 x 70"}));
    const Bitmap& image = CurrentImage(ed);
    ASSERT_EQ(image.Width(), 180);
    ASSERT_EQ(image.Height(), 120);
    EXPECT_EQ(Part(image, 0, 0, 100, 50), Pattern(100, 50));
    EXPECT_EQ(Part(image, 100, 50, 80, 70), Pattern(80, 70));
    EXPECT_TRUE(AllOf(image, {100, 0, 180, 50}, kBack));
    EXPECT_TRUE(AllOf(image, {0, 50, 100, 120}, kBack));
    EXPECT_EQ(ed.doc.caption, "Rastrix - Untitled.bmp");
    EXPECT_EQ(ed.doc.fileSize, testing::ReadBytes(bottomRight).size());
    EXPECT_EQ(ed.doc.modified, 1);
    EXPECT_EQ(ed.doc.needsSaveAs, 1);
    EXPECT_EQ(ed.doc.undoDepth, 0);
    EXPECT_TRUE(MenuEnabled(CommandId::Save));
    EXPECT_TRUE(MenuEnabled(CommandId::ChangeImageSize));
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(JoinTest, AColumnIsAsWideAsItsWiderFile) {
    Join({{kTopLeft, PutPattern("a.bmp", 40, 30)}, {kBottomLeft, PutPattern("b.bmp", 60, 20)}});
    const Bitmap& image = CurrentImage(ed);
    ASSERT_EQ(image.Width(), 60);
    ASSERT_EQ(image.Height(), 50);
    EXPECT_EQ(Part(image, 0, 0, 40, 30), Pattern(40, 30));
    EXPECT_TRUE(AllOf(image, {40, 0, 60, 30}, kBack));
    EXPECT_EQ(Part(image, 0, 30, 60, 20), Pattern(60, 20));
}

TEST_F(JoinTest, TheDeepestBrowsedFileSetsTheDepthThatSaveAsOffers) {
    const Bytes mono = testing::EncodeBmpFile(Bitmap(9, 4, ColorFromRgb(255, 255, 255)), 1, [](int) { return true; }).bytes;
    Join({{kTopLeft, Put("mono.bmp", mono)}, {kTopRight, PutPattern("rgb.bmp", 5, 5)}});
    EXPECT_EQ(ed.doc.imageBitDepth, 24u);
    Dispatch(ed, CommandId::Save);  // no file yet: Save asks for a name
    ASSERT_EQ(host.saveRequests.size(), 1u);
    EXPECT_EQ(host.saveRequests[0].filterIndex, 4);
}

TEST_F(JoinTest, ATypedNameIsDrawnButOnlyBrowsedSizesCount) {
    Join({{kTopLeft, PutPattern("a.bmp", 30, 30)}, {kBottomRight, PutPattern("b.bmp", 30, 30)}},
         {{kTopRight, PutPattern("typed.bmp", 50, 10)}});
    const Bitmap& image = CurrentImage(ed);
    ASSERT_EQ(image.Width(), 60);
    EXPECT_EQ(labels[kTopRight], "");
    EXPECT_EQ(Part(image, 30, 0, 30, 10), Pattern(30, 10));  // cut at the canvas edge
    EXPECT_TRUE(AllOf(image, {30, 10, 60, 30}, kBack));
}

TEST_F(JoinTest, JoinWithoutABrowsedFileIsRefusedAndChangesNothing) {
    MakeImage();
    const auto before = Snapshot(ed);
    Join({}, {{kTopLeft, PutPattern("typed.bmp", 5, 5)}});
    EXPECT_FALSE(closedByJoin);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, kJoinNothingBrowsedText);
    EXPECT_EQ(Snapshot(ed), before);
}

TEST_F(JoinTest, CanvasesTooLargeOrSidesBeyondSixteenBitsAreRefused) {
    MakeImage();
    const auto before = Snapshot(ed);
    Join({{kTopLeft, PutHeaderOnly("wide.bmp", 40000, 2)}});
    EXPECT_FALSE(closedByJoin);
    EXPECT_EQ(labels[kTopLeft], "40000 x 2");
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.messages[0].text.find("top-left file is 40000 x 2 pixels"), std::string::npos);

    const std::string big = PutHeaderOnly("big.bmp", 16384, 16384);
    Join({{kTopLeft, big}, {kTopRight, big}, {kBottomLeft, big}, {kBottomRight, big}});
    EXPECT_FALSE(closedByJoin);
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[1].text, kTooManyPixelsText);
    EXPECT_EQ(Snapshot(ed), before);
}

TEST_F(JoinTest, BrowseFailuresKeepTheEarlierSizeOfThatPlace) {
    const std::string good = PutPattern("good.bmp", 7, 3);
    const std::string missing = (dir.Path() / "missing.bmp").string();
    const std::string junk = Put("junk.bmp", Bytes(200, 'x'));
    host.openAnswers = {FileDialogResult{good, 1}, FileDialogResult{missing, 1}, FileDialogResult{junk, 1}};
    JoinDialog d(ed);
    d.Command(155);
    d.Command(155);
    EXPECT_EQ(host.LastMessage()->caption, "Line 1279, Error Code 2");
    EXPECT_EQ(d.Text(151), missing);
    d.Command(155);
    EXPECT_EQ(host.LastMessage()->text, "Cannot read the size of \"" + junk + "\".\nThe file is not a BMP file.");
    EXPECT_EQ(d.Text(161), "7 x 3");
    EXPECT_EQ(d.JoinWidth(0), 7);
    EXPECT_EQ(d.JoinHeight(0), 3);
    d.Command(DialogAnswer::Cancel);
    EXPECT_EQ(d.Result(), 0);
}

TEST_F(JoinTest, AFileGoneBeforeJoinEndsTheJoinWithWhatWasDrawn) {
    const std::string first = PutPattern("a.bmp", 10, 10), gone = PutPattern("gone.bmp", 10, 10);
    Join({{kTopLeft, first}, {kTopRight, gone}, {kBottomLeft, PutPattern("c.bmp", 10, 10)}}, {},
         [&] { std::filesystem::remove(gone); });
    EXPECT_TRUE(closedByJoin);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].caption, "Line 1331, Error Code 2");
    const Bitmap& image = CurrentImage(ed);
    ASSERT_EQ(image.Width(), 20);
    EXPECT_EQ(Part(image, 0, 0, 10, 10), Pattern(10, 10));
    EXPECT_TRUE(AllOf(image, {10, 0, 20, 20}, kBack));
    EXPECT_TRUE(AllOf(image, {0, 10, 10, 20}, kBack));  // nothing is drawn after the failure
    EXPECT_EQ(ed.doc.fileSize, testing::ReadBytes(first).size());
    EXPECT_EQ(ed.doc.modified, 1);
    EXPECT_EQ(ed.doc.caption, "Rastrix - Untitled.bmp");
}

TEST_F(JoinTest, DamagedPixelDataIsReportedAndEndsTheJoin) {
    Bytes cut = testing::EncodeBmpFile(Pattern(12, 12), 24, [](int) { return true; }).bytes;
    cut.resize(cut.size() / 2);
    const std::string damaged = Put("cut.bmp", cut);
    Join({{kTopLeft, PutPattern("a.bmp", 12, 12)}, {kTopRight, damaged}, {kBottomRight, PutPattern("d.bmp", 4, 4)}});
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text,
              "Cannot join \"" + damaged + "\".\nThe file ends before the end of its pixel data.");
    EXPECT_EQ(Part(CurrentImage(ed), 0, 0, 12, 12), Pattern(12, 12));
    EXPECT_TRUE(AllOf(CurrentImage(ed), {12, 0, 24, 16}, kBack));
}

TEST_F(JoinTest, SizesWithoutFilesGiveABlankCanvasSizedAsAFileOfItsDepth) {
    const JoinPlan plan{ComputeJoinCanvas({6, 0, 0, 0}, {4, 0, 0, 0}), {"", "", "", ""}, 8};
    JoinFiles(ed, plan);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(CurrentImage(ed), Bitmap(6, 4, kBack));
    EXPECT_EQ(ed.doc.imageBitDepth, 8u);
    EXPECT_EQ(ed.doc.fileSize, 54u + 1024u + 4u * 8u);  // no file read: its size as an 8-bit file
    EXPECT_TRUE(ed.view.imageWindowExists);
}

TEST_F(JoinTest, PlacesGivenStraightToTheJoinMakeWhatTheDialogMakes) {
    const std::string a = PutPattern("a.bmp", 40, 30), typed = PutPattern("typed.bmp", 50, 10);
    const std::string mono = Put("mono.bmp", testing::EncodeBmpFile(Bitmap(9, 4, ColorFromRgb(0, 0, 0)), 1, [](int) { return true; }).bytes);
    Join({{kTopLeft, a}, {kBottomRight, mono}}, {{kTopRight, typed}});
    ASSERT_TRUE(closedByJoin);
    const auto viaDialog = Snapshot(ed);

    JoinParams params;
    ASSERT_TRUE(PlaceJoinFile(ed, params, kTopLeft, a));
    ASSERT_TRUE(PlaceJoinFile(ed, params, kBottomRight, mono));
    params.paths[kTopRight] = typed;  // typed: drawn, its size not counted
    EXPECT_EQ(params.widths, (std::array<std::int16_t, 4>{40, 0, 0, 9}));
    EXPECT_EQ(params.heights, (std::array<std::int16_t, 4>{30, 0, 0, 4}));
    EXPECT_EQ(params.bitDepth, 24u);
    EXPECT_EQ(JoinSizeText(params, kBottomRight), "9 x 4");
    EXPECT_EQ(JoinSizeText(params, kTopRight), "");
    ASSERT_TRUE(RunJoin(ed, params));
    EXPECT_EQ(Snapshot(ed), viaDialog);
    EXPECT_EQ(CurrentImage(ed).Width(), 49);
    EXPECT_EQ(Part(CurrentImage(ed), 40, 0, 9, 10), Part(Pattern(50, 10), 0, 0, 9, 10));
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(JoinTest, APlaceWhoseHeaderCannotBeReadKeepsItsNameAndItsEarlierSize) {
    JoinParams params;
    ASSERT_TRUE(PlaceJoinFile(ed, params, kTopRight, PutPattern("good.bmp", 7, 3)));
    const std::string junk = Put("junk.bmp", Bytes(200, 'x'));
    EXPECT_FALSE(PlaceJoinFile(ed, params, kTopRight, junk));
    EXPECT_EQ(params.paths[kTopRight], junk);
    EXPECT_EQ(params.widths[kTopRight], 7);
    EXPECT_EQ(params.heights[kTopRight], 3);
    EXPECT_EQ(params.bitDepth, 24u);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "Cannot read the size of \"" + junk + "\".\nThe file is not a BMP file.");
}

// Places the dialog would not close on are refused by the join itself, with the dialog's words.
struct RefusedPlaces {
    std::array<std::int16_t, 4> widths, heights;
    std::string text;
};
class JoinRefusalTest : public JoinTest, public ::testing::WithParamInterface<RefusedPlaces> {};

TEST_P(JoinRefusalTest, TellsWhyAndChangesNothing) {
    MakeImage();
    const auto before = Snapshot(ed);
    JoinParams params;
    params.widths = GetParam().widths;
    params.heights = GetParam().heights;
    EXPECT_FALSE(RunJoin(ed, params));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, GetParam().text);
    EXPECT_EQ(Snapshot(ed), before);
}

INSTANTIATE_TEST_SUITE_P(
        Places, JoinRefusalTest,
        ::testing::Values(RefusedPlaces{{0, 0, 0, 0}, {0, 0, 0, 0}, kJoinNothingBrowsedText},
                          RefusedPlaces{{5, 0, std::int16_t(-25536), 0}, {5, 0, 2, 0},
                                        "The bottom-left file is 40000 x 2 pixels; files more than 32767 pixels "
                                        "wide or high cannot be joined."},
                          RefusedPlaces{{16384, 16384, 16384, 16384}, {16384, 16384, 16384, 16384}, kTooManyPixelsText}));

TEST_F(JoinTest, CancelAfterBrowsingAndAnEmptyPlanChangeNothing) {
    MakeImage();
    const auto before = Snapshot(ed);
    host.openAnswers.push_back(FileDialogResult{PutPattern("a.bmp", 3, 3), 1});
    host.modalScripts.push_back([](DialogModel& m) {
        m.Command(JoinDialog::kFirstBrowse);
        m.Command(DialogAnswer::Cancel);
        return m.Result();
    });
    Dispatch(ed, CommandId::JoinFiles);
    EXPECT_EQ(host.openRequests.size(), 1u);
    EXPECT_EQ(Snapshot(ed), before);

    JoinFiles(ed, JoinPlan{});
    EXPECT_EQ(host.LastMessage()->text, kJoinNoCanvasText);
    EXPECT_EQ(Snapshot(ed), before);
}

}  // namespace
}  // namespace rastrix

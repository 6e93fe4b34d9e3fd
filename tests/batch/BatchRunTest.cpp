// rastrix-batch against the editor: the same steps give the same bytes, and a large image needs
// no laid-out window.
#include <gtest/gtest.h>

#include <cctype>
#include <functional>

#include "batch/BatchRun.h"
#include "batch/BatchRunFixture.h"
#include "codec/BmpDirectWriter.h"
#include "codec/BmpWriter.h"
#include "support/EncodedBmpFile.h"
#include "color/FixedPalettes.h"
#include "codec/ExifOrientation.h"
#include "codec/ScaledPicture.h"
#include "codec/PictureReader.h"
#include "document/ChangeSizeDialog.h"
#include "document/JoinDialog.h"
#include "edit/ReduceColorsDialog.h"
#include "edit/ScaleImageDialog.h"
#include "draw/Colors.h"
#include "draw/PixelTools.h"
#include "editor/CommandIds.h"
#include "frame/CommandDispatch.h"
#include "frame/CommandLine.h"
#include "selection/SelectionDrag.h"
#include "store/StoreTestSupport.h"
#include "support/EditorFixture.h"
#include "support/BmpTestSupport.h"
#include "support/ExifTestFiles.h"
#include "support/PictureTestFiles.h"

namespace rastrix {
namespace {

using namespace batch_test;

struct SameBytesCase {
    const char* name;
    std::vector<std::string> args;
    std::function<void(Editor&, BatchRunTest&)> steps;
    int filterIndex;  // Save As: 1 monochrome, 2 4-bit, 3 8-bit, 4 24-bit, 5 5-6-5, 6 5-5-5, 7 32-bit
    testing::Bytes (*input)() = nullptr;  // the file opened; Picture() as a 24-bit BMP without one
    const char* inputName = "in.bmp";
};

// Edit > Reduce Colours with the dialog's fields: palette and dithering positions, the colour
// count, a palette file and the threshold as typed (empty: left as they are).
void ReduceInDialog(Editor& ed, BatchRunTest& t, int palette, int dither, std::string colors = {},
                    std::string file = {}, std::string threshold = {}) {
    t.ScriptDialog([=](DialogModel& d) {
        d.Select(ReduceColorsDialog::kPaletteList, palette);
        d.Select(ReduceColorsDialog::kDitherList, dither);
        if (!colors.empty()) d.TextChanged(ReduceColorsDialog::kColorsEdit, colors);
        if (!file.empty()) d.TextChanged(ReduceColorsDialog::kFileEdit, file);
        if (!threshold.empty()) d.TextChanged(ReduceColorsDialog::kThresholdEdit, threshold);
        d.Command(DialogAnswer::Ok);
        return d.Result();
    });
    Dispatch(ed, CommandId::ReduceColors);
}

// Edit > Scale Image: the size, the filter and fit positions, the ratio box unticked.
void ScaleInDialog(Editor& ed, BatchRunTest& t, int width, int height, int filter, int fit) {
    t.ScriptDialog([=](DialogModel& d) {
        d.Command(ScaleImageDialog::kKeepAspectBox);
        d.TextChanged(ScaleImageDialog::kWidthEdit, std::to_string(width));
        d.TextChanged(ScaleImageDialog::kHeightEdit, std::to_string(height));
        d.Select(ScaleImageDialog::kFilterList, filter);
        d.Select(ScaleImageDialog::kFitList, fit);
        d.Command(DialogAnswer::Ok);
        return d.Result();
    });
    Dispatch(ed, CommandId::ScaleImage);
}

// The current folder while it lives.
struct InFolder {
    explicit InFolder(const std::filesystem::path& folder) : before(std::filesystem::current_path()) {
        std::filesystem::current_path(folder);
    }
    ~InFolder() { std::filesystem::current_path(before); }
    std::filesystem::path before;
};

// A photo lying on its side, as a camera stores it: upright it is 20 x 30.
testing::Bytes LyingPhoto() { return testing::WithOrientation(testing::EncodeJpeg(testing::SmoothPicture(30, 20)), 6); }

// Each case in an editor of its own, fresh as the batch tool's, so no colour or style set by
// one case reaches the next.
class SameBytesTest : public BatchRunTest, public ::testing::WithParamInterface<SameBytesCase> {};

const std::vector<SameBytesCase> kSameBytesCases = {
        {"straight to 4 bits", {"-b", "4"}, [](Editor&, BatchRunTest&) {}, 2},
        {"mark border, crop, rotate", {"-mc", "-r", "90"},
         [](Editor& ed, BatchRunTest&) {
             Dispatch(ed, CommandId::MarkBorder);
             Dispatch(ed, CommandId::Crop);
             Dispatch(ed, CommandId::RotateClockwise);
         }, 4},
        {"square selection flipped and shifted", {"-s", "2,2,8,8", "--flip", "h", "--shift", "right", "-r", "270"},
         [](Editor& ed, BatchRunTest&) {
             DragFrom(ed, {2, 2}, {10, 10});
             Dispatch(ed, CommandId::FlipHorizontal);
             Dispatch(ed, CommandId::ShiftRight);
             Dispatch(ed, CommandId::RotateCounterClockwise);
         }, 4},
        {"larger canvas in the background colour", {"-B", "#00FF00", "--size", "40x25", "-b", "8"},
         [](Editor& ed, BatchRunTest& t) {
             SetBackColor(ed, ColorFromRgb(0, 255, 0));
             t.ChangeSizeTo(40, 25);
         }, 3},
        {"bucket", {"-F", "255,0,0", "--bucket", "0,0"},
         [](Editor& ed, BatchRunTest&) {
             SetForeColor(ed, ColorFromRgb(255, 0, 0));
             BucketFill(ed, {0, 0}, true);
         }, 4},
        {"ellipse filled in two colours", {"--shape", "ellipse", "-s", "4,3,20,12", "--fill-style", "cross",
                                           "--line-width", "2", "-F", "#102030", "-B", "#F0E0D0", "--fill", "two-colour"},
         [](Editor& ed, BatchRunTest&) {
             Dispatch(ed, CommandId::EllipseSelection);
             DragFrom(ed, {4, 3}, {24, 15});
             ed.settings.hatchStyleIndex = 5;
             ed.settings.lineWidth = 2;
             SetForeColor(ed, ColorFromRgb(0x10, 0x20, 0x30));
             SetBackColor(ed, ColorFromRgb(0xF0, 0xE0, 0xD0));
             Dispatch(ed, CommandId::FillTwoColor);
         }, 4},
        {"rising dashed line", {"--shape", "line-up", "-s", "1,1,20,15", "--line-style", "dash", "--fill", "line"},
         [](Editor& ed, BatchRunTest&) {
             Dispatch(ed, CommandId::LineSelection);
             DragFrom(ed, {1, 16}, {21, 1});
             ed.settings.lineStyleIndex = 2;
             Dispatch(ed, CommandId::FillLine);
         }, 4},
        {"exterior at one bit", {"-s", "3,3,24,14", "--fill", "exterior", "-b", "1", "--allow-colour-loss"},
         [](Editor& ed, BatchRunTest& t) {
             DragFrom(ed, {3, 3}, {27, 17});
             Dispatch(ed, CommandId::FillExterior);
             t.AnswerYes();  // more colours than the depth holds
         }, 1},
        // --palette is Reduce Colours, then Save As at the depth that holds the palette.
        {"black and white by a threshold", {"--palette", "bw", "--threshold", "50%"},
         [](Editor& ed, BatchRunTest& t) { ReduceInDialog(ed, t, 0, 0, {}, {}, "50"); }, 1},
        {"black and white dithered at four bits", {"--palette", "bw", "--dither", "fs", "-b", "4"},
         [](Editor& ed, BatchRunTest& t) { ReduceInDialog(ed, t, 0, 1); }, 2},
        {"four greys ordered", {"--palette", "grey4", "--dither", "ordered"},
         [](Editor& ed, BatchRunTest& t) { ReduceInDialog(ed, t, 1, 3); }, 2},
        {"sixteen greys Atkinson at eight bits", {"--palette", "grey16", "--dither", "atkinson", "-b", "8"},
         [](Editor& ed, BatchRunTest& t) { ReduceInDialog(ed, t, 2, 2); }, 3},
        {"basic colours nearest", {"--palette", "basic16"}, [](Editor& ed, BatchRunTest& t) { ReduceInDialog(ed, t, 3, 0); }, 2},
        {"inks dithered", {"--palette", "epaper7", "--dither", "fs"},
         [](Editor& ed, BatchRunTest& t) { ReduceInDialog(ed, t, 4, 1); }, 2},
        {"inks ordered as colours", {"--palette", "epaper7", "--dither", "ordered", "-b", "24"},
         [](Editor& ed, BatchRunTest& t) { ReduceInDialog(ed, t, 4, 3); }, 4},
        {"optimised eight", {"--palette", "optimised:8", "--dither", "fs"},
         [](Editor& ed, BatchRunTest& t) { ReduceInDialog(ed, t, 5, 1, "8"); }, 2},
        {"optimised two by a threshold", {"--palette", "optimized:2", "--threshold", "40%"},
         [](Editor& ed, BatchRunTest& t) { ReduceInDialog(ed, t, 5, 0, "2", {}, "40"); }, 1},
        {"a palette file", {"--palette", "inks.txt", "--dither", "atkinson"},
         [](Editor& ed, BatchRunTest& t) { ReduceInDialog(ed, t, 6, 2, {}, "inks.txt"); }, 1},
        // The 16- and 32-bit forms, from Save As.
        {"five six five", {"-b", "16"}, [](Editor&, BatchRunTest&) {}, 5},
        {"five five five after a turn", {"-r", "90", "--depth", "16:555"},
         [](Editor& ed, BatchRunTest&) { Dispatch(ed, CommandId::RotateClockwise); }, 6},
        {"thirty-two bits", {"-b", "32"}, [](Editor&, BatchRunTest&) {}, 7},
        // Scale Image's fit and cover; colours apply to the commands after them.
        {"fit padded with the background", {"-B", "0,0,255", "--fit", "40x40"},
         [](Editor& ed, BatchRunTest& t) {
             SetBackColor(ed, ColorFromRgb(0, 0, 255));
             ScaleInDialog(ed, t, 40, 40, ScaleImageDialog::kSmoothFilter, ScaleImageDialog::kFitInside);
         }, 4},
        {"the later background pads", {"-B", "255,0,0", "-B", "0,0,255", "--fit", "40x40"},
         [](Editor& ed, BatchRunTest& t) {
             SetBackColor(ed, ColorFromRgb(255, 0, 0));
             SetBackColor(ed, ColorFromRgb(0, 0, 255));
             ScaleInDialog(ed, t, 40, 40, ScaleImageDialog::kSmoothFilter, ScaleImageDialog::kFitInside);
         }, 4},
        {"cover with the nearest pixel", {"--filter", "nearest", "--cover", "12x12"},
         [](Editor& ed, BatchRunTest& t) {
             ScaleInDialog(ed, t, 12, 12, ScaleImageDialog::kNearestFilter, ScaleImageDialog::kCoverSize);
         }, 4},
        // A photo stands upright in both.
        {"a photo upright", {}, [](Editor&, BatchRunTest&) {}, 4, LyingPhoto, "in.jpg"},
        {"a photo upright in inks", {"--palette", "epaper7", "--dither", "fs"},
         [](Editor& ed, BatchRunTest& t) { ReduceInDialog(ed, t, 4, 1); }, 2, LyingPhoto, "in.jpg"},
        {"a photo upright at 5-6-5", {"-b", "16"}, [](Editor&, BatchRunTest&) {}, 5, LyingPhoto, "in.jpg"},
};
TEST_P(SameBytesTest, WritesTheBytesTheEditorSavesAfterTheSameSteps) {
    const SameBytesCase& c = GetParam();
    const std::string input = Put(c.inputName, c.input ? c.input() : Bmp24(Picture()));
    // Two inks, the lighter first, for the palette file; a relative name, as both are run from
    // the folder.
    Put("inks.txt", Bytes{'#', 'f', 'f', 'e', '0', '8', '0', '\n', '#', '1', '0', '2', '0', '4', '0', '\n'});
    const InFolder here(dir.Path());
    std::vector<std::string> args = c.args;
    args.insert(args.end(), {input, "-o", PathOf("batch.bmp")});
    const BatchRun run = Batch(args);
    ASSERT_EQ(run.status, 0) << run.errors;
    const Bytes fromEditor = EditorSaves(input, [&] { c.steps(ed, *this); }, c.filterIndex);
    EXPECT_EQ(ReadBytes(dir.Path() / "batch.bmp"), fromEditor);
    EXPECT_FALSE(fromEditor.empty());
}

INSTANTIATE_TEST_SUITE_P(Steps, SameBytesTest, ::testing::ValuesIn(kSameBytesCases), [](const auto& info) {
    std::string name = info.param.name;
    for (char& ch : name)
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
    return name;
});

// The tool lays out no window: commands far outside what a 1024 x 768 window shows of a large
// image give what the editor, laid out on such a screen, gives.
TEST_F(BatchRunTest, ALargeImageNeedsNoLaidOutWindow) {
    const std::string input = Put("large.bmp", Bmp24(testing::SmoothPicture(1500, 1000)));
    const BatchRun run = Batch({"--shape", "ellipse", "-s", "1200,800,250,180", "-F", "#123456", "--fill", "solid",
                                "--shape", "rectangle", "-s", "1300,850,120,120", "-r", "90", "--shift", "left",
                                "-B", "#00FF00", "--size", "1600x1100", input, "-o", PathOf("batch.bmp")});
    ASSERT_EQ(run.status, 0) << run.errors;
    const Bytes fromEditor = EditorSaves(input, [&] {
        Dispatch(ed, CommandId::EllipseSelection);
        DragFrom(ed, {1200, 800}, {1450, 980});
        SetForeColor(ed, ColorFromRgb(0x12, 0x34, 0x56));
        Dispatch(ed, CommandId::FillSolid);
        Dispatch(ed, CommandId::RectangleSelection);
        DragFrom(ed, {1300, 850}, {1420, 970});
        Dispatch(ed, CommandId::RotateClockwise);
        Dispatch(ed, CommandId::ShiftLeft);
        SetBackColor(ed, ColorFromRgb(0, 255, 0));
        ChangeSizeTo(1600, 1100);
    }, 4);
    EXPECT_EQ(ReadBytes(dir.Path() / "batch.bmp"), fromEditor);
    EXPECT_EQ(ed.doc.imageWidth, 1600);
}

}  // namespace
}  // namespace rastrix

// rastrix-batch against the editor: the same steps give the same bytes, also for PNG and JPEG
// inputs, scaling, the new depths and palettes.
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

TEST_F(BatchRunTest, PngJpegAndJoinedImagesMatchTheEditorToo) {
    testing::PngRecipe recipe{6, 4, 6, 8};
    for (int i = 0; i < 24; ++i) recipe.rows.insert(recipe.rows.end(), {std::uint8_t(10 * i), 99, 7, std::uint8_t(i % 3 ? 255 : 60)});
    const Bytes png = testing::EncodePng(recipe);
    // The editor opens the same picture inside a bitmap.
    const std::string wrapped = Put("png.bmp", testing::WrapInBmp(png, 6, 4, 5));
    ASSERT_EQ(Batch({Put("p.png", png), "-o", PathOf("batch.bmp")}).status, 0);
    EXPECT_EQ(ReadBytes(dir.Path() / "batch.bmp"), EditorSaves(wrapped, [] {}, 4));

    const std::string a = Put("a.bmp", Bmp24(Picture()));
    const std::string b = Put("b.bmp", testing::EncodeBmpFile(testing::SmoothPicture(7, 9), 8, [](int) { return true; }).bytes);
    const BatchRun joined = Batch({"--join", a, "none", "none", b, "-o", PathOf("joined.bmp")});
    ASSERT_EQ(joined.status, 0) << joined.errors;
    host.openAnswers = {FileDialogResult{a, 1}, FileDialogResult{b, 1}};
    host.modalScripts.push_back([](DialogModel& d) {
        d.Command(JoinDialog::kFirstBrowse);
        d.Command(JoinDialog::kFirstBrowse + 3);
        d.Command(DialogAnswer::Ok);
        return d.Result();
    });
    Dispatch(ed, CommandId::JoinFiles);
    host.saveAnswers.push_back(FileDialogResult{PathOf("editor.bmp"), 4});
    Dispatch(ed, CommandId::SaveAs);
    EXPECT_EQ(ReadBytes(dir.Path() / "joined.bmp"), ReadBytes(dir.Path() / "editor.bmp"));
    EXPECT_EQ(ed.doc.imageWidth, 37);
}

// Scaling writes what the core's reading to a size and its 16- and 32-bit writers make: read
// straight to the size of a first --fit, --cover or --scale, or scaled after other commands;
// a PNG's alpha kept at 32 bits; a photo turned upright first when asked.
TEST_F(BatchRunTest, ScalingAndTheNewDepthsWriteWhatTheCoreMakes) {
    auto core = [](const Bytes& file, ScaleTarget target, PictureOptions options, DirectDepth depth) {
        BmpReadResult r = DecodeScaled(file, target, options);
        EXPECT_TRUE(r.image) << r.Message();
        std::vector<std::uint8_t> buffer;
        EncodeBmpDirect(r.image->bitmap, depth, r.image->alpha ? &*r.image->alpha : nullptr, options.background, buffer);
        return buffer;
    };
    const Bytes jpeg = testing::EncodeJpeg(testing::SmoothPicture(120, 90));
    const std::string photo = Put("photo.jpg", jpeg);
    ASSERT_EQ(Batch({"--fit", "40x20", "--depth", "16", photo, "-o", PathOf("fit.bmp")}).status, 0);
    EXPECT_EQ(ReadBytes(dir.Path() / "fit.bmp"), core(jpeg, {40, 20, ScaleFit::Fit}, {}, DirectDepth::Rgb565));
    ASSERT_EQ(Batch({"-B", "0,0,0", "--filter", "nearest", "--cover", "30x30", "-b", "15", photo, "-o", PathOf("cover.bmp")}).status, 0);
    PictureOptions black;
    black.background = Pixel{0};
    EXPECT_EQ(ReadBytes(dir.Path() / "cover.bmp"),
              core(jpeg, {30, 30, ScaleFit::Cover, ScaleFilter::Nearest}, black, DirectDepth::Rgb555));

    testing::PngRecipe rgba{64, 48, 6, 8};
    for (int i = 0; i < 64 * 48; ++i) rgba.rows.insert(rgba.rows.end(), {std::uint8_t(i), 90, std::uint8_t(i / 7), std::uint8_t(i % 256)});
    const Bytes png = testing::EncodePng(rgba);
    ASSERT_EQ(Batch({"--scale", "8x6", "--depth", "32", Put("a.png", png), "-o", PathOf("alpha.bmp")}).status, 0);
    PictureOptions keep;
    keep.keepAlpha = true;
    const Bytes alpha = ReadBytes(dir.Path() / "alpha.bmp");
    EXPECT_EQ(alpha, core(png, {8, 6, ScaleFit::Exact}, keep, DirectDepth::Bgra32));
    EXPECT_NE(alpha.at(138 + 3), 0xFF);  // the first pixel's alpha is not opaque

    // After another command the scale runs on the editor's image; the alpha turns and scales
    // with it (padded opaque, as the background it pads with is).
    ASSERT_EQ(Batch({"-r", "90", "--fit", "10x10", "--depth", "32", PathOf("a.png"), "-o", PathOf("turned.bmp")}).status, 0);
    BmpReadResult whole = DecodePicture(png, keep);
    ASSERT_TRUE(whole.image && whole.image->alpha && TurnUpright(whole.image->bitmap, 6) && TurnUpright(*whole.image->alpha, 6));
    std::vector<std::uint8_t> want;
    const auto turnedAlpha = ScaleBitmap(*whole.image->alpha, 10, 10, ScaleFit::Fit, ScaleFilter::Lanczos);
    EncodeBmpDirect(*ScaleBitmap(whole.image->bitmap, 10, 10, ScaleFit::Fit, ScaleFilter::Lanczos), DirectDepth::Bgra32,
                    &*turnedAlpha, Pixel{0x00FFFFFFu}, want);
    EXPECT_EQ(ReadBytes(dir.Path() / "turned.bmp"), want);
    EXPECT_EQ(testing::Le32(want, 14), 124u);  // the transparency is in the file

    // A photo lying on its side (orientation 6) stands upright before it is fitted.
    const std::string lying = Put("lying.jpg", testing::WithOrientation(jpeg, 6));
    ASSERT_EQ(Batch({"--auto-orient", "--scale", "30x40", "-b", "24", lying, "-o", PathOf("upright.bmp")}).status, 0);
    BmpReadResult upright = DecodePicture(ReadBytes(dir.Path() / "upright.bmp"));
    ASSERT_TRUE(upright.image);
    EXPECT_EQ(upright.image->bitmap.Width(), 30);
    BmpReadResult lyingScaled = DecodeScaled(jpeg, {40, 30, ScaleFit::Exact});
    ASSERT_TRUE(lyingScaled.image && TurnUpright(lyingScaled.image->bitmap, 6));
    EXPECT_EQ(upright.image->bitmap, lyingScaled.image->bitmap);
}

// Sizes from the picture: the other side from the aspect ratio, shares of the sides, and
// shrinking only; done by the reading or, after another command, by the step.
TEST_F(BatchRunTest, SizesWorkedOutFromThePicture) {
    const Bytes jpeg = testing::EncodeJpeg(testing::SmoothPicture(120, 90));
    const std::string photo = Put("photo.jpg", jpeg);
    const std::string lying = Put("lying.jpg", testing::WithOrientation(jpeg, 6));
    const std::string bmp = Put("picture.bmp", Bmp24(Picture()));  // 30 x 20
    auto scaled = [](const Bytes& file, ScaleTarget target) {
        BmpReadResult r = DecodeScaled(file, target);
        EXPECT_TRUE(r.image) << r.Message();
        return r.image ? r.image->bitmap : Bitmap(1, 1);
    };
    auto written = [this](const std::string& name) {
        BmpReadResult r = DecodePicture(ReadBytes(dir.Path() / name));
        EXPECT_TRUE(r.image) << name;
        return r.image ? r.image->bitmap : Bitmap(1, 1);
    };
    const struct {
        std::vector<std::string> args;
        std::function<Bitmap()> want;
    } cases[] = {
        {{"--fit", "40x", photo}, [&] { return scaled(jpeg, {40, 30, ScaleFit::Fit}); }},
        {{"--scale", "x45", photo}, [&] { return scaled(jpeg, {60, 45, ScaleFit::Exact}); }},
        {{"--scale", "x7", photo}, [&] { return scaled(jpeg, {9, 7, ScaleFit::Exact}); }},  // 9.33 rounds to 9
        {{"--scale", "50%", photo}, [&] { return scaled(jpeg, {60, 45, ScaleFit::Exact}); }},
        {{"--scale", "25%x10%", photo}, [&] { return scaled(jpeg, {30, 9, ScaleFit::Exact}); }},
        {{"--cover", "60x60>", photo}, [&] { return scaled(jpeg, {60, 60, ScaleFit::Cover}); }},
        {{"--fit", "800x480>", photo}, [&] { return DecodePicture(jpeg).image->bitmap; }},  // never enlarged
        {{"--fit", "120x89>", photo}, [&] { return scaled(jpeg, {120, 89, ScaleFit::Fit}); }},
        {{"--auto-orient", "--scale", "x80", lying}, [&] {
             Bitmap b = scaled(jpeg, {80, 60, ScaleFit::Exact});
             EXPECT_TRUE(TurnUpright(b, 6));
             return b;
         }},
        {{"--scale", "50%", bmp}, [&] { return scaled(Bmp24(Picture()), {15, 10, ScaleFit::Exact}); }},  // from its header
        {{"--size", "100x100>", bmp}, [] { return Picture(); }},
        {{"--size", "20x100>", bmp}, [] {
             Bitmap left(20, 20);
             for (int y = 0; y < 20; ++y)
                 for (int x = 0; x < 20; ++x) left.SetPixel(x, y, Picture().GetPixel(x, y));
             return left;
         }},
        {{"-r", "180", "--scale", "50%", bmp}, [] {
             Bitmap turned = Picture();
             EXPECT_TRUE(TurnUpright(turned, 3));
             return *ScaleBitmap(turned, 15, 10, ScaleFit::Exact, ScaleFilter::Lanczos, Pixel{0x00FFFFFFu});
         }},
    };
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.args));
        const std::string out = "sized" + std::to_string(++n) + ".bmp";
        std::vector<std::string> args = c.args;
        args.insert(args.end(), {"-b", "24", "-o", PathOf(out)});
        const BatchRun run = Batch(args);
        ASSERT_EQ(run.status, 0) << run.errors;
        EXPECT_EQ(written(out), c.want());
    }
}

// --join reads PNG and JPEG files as every other input does: as the bitmaps they decode to.
TEST_F(BatchRunTest, JoinReadsPngAndJpegFiles) {
    const Bitmap small = testing::SmoothPicture(5, 4);
    const Bytes png = testing::EncodePng([&small] {
        testing::PngRecipe r{5, 4, 2, 8};
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 5; ++x) {
                const Pixel p = small.Row(y)[x];  // 0x00RRGGBB
                r.rows.insert(r.rows.end(), {RedOf(p), GreenOf(p), BlueOf(p)});
            }
        return r;
    }());
    const Bytes jpeg = testing::EncodeJpeg(testing::SmoothPicture(8, 8));
    const std::string bmpOfJpeg = Put("jpeg.bmp", Bmp24(DecodePicture(jpeg).image->bitmap));
    ASSERT_EQ(Batch({"--join", Put("a.bmp", Bmp24(small)), "none", "none", bmpOfJpeg, "-o", PathOf("bmps.bmp")}).status, 0);
    const BatchRun run = Batch({"--join", Put("a.png", png), "none", "none", Put("d.jpg", jpeg), "-o", PathOf("mixed.bmp")});
    ASSERT_EQ(run.status, 0) << run.errors;
    EXPECT_EQ(ReadBytes(dir.Path() / "mixed.bmp"), ReadBytes(dir.Path() / "bmps.bmp"));
    const BatchRun bad = Batch({"--join", Put("bad.png", Bytes(png.begin(), png.begin() + 40)), "none", "none", "none",
                                "-o", PathOf("bad.bmp")});
    EXPECT_EQ(bad.status, 1);
    EXPECT_NE(bad.errors.find("bad.png: The PNG picture is damaged or cut short."), std::string::npos) << bad.errors;
}

// --palette: the table is the palette in its order whatever the image holds, every colour is
// mapped into it, and no colour-loss question is asked.
TEST_F(BatchRunTest, PaletteTablesKeepTheirOrderAndEveryColorIsMapped) {
    // An anti-aliased stroke: greys of every darkness on white, the lightest met first.
    static constexpr std::uint8_t kGreys[] = {254, 200, 128, 127, 100, 30, 0};
    Bitmap drawing(35, 4, ColorFromRgb(255, 255, 255));
    for (int x = 0; x < 35; ++x)
        for (int y = 1; y < 4; ++y) drawing.SetPixel(x, y, ColorFromRgb(kGreys[x / 5], kGreys[x / 5], kGreys[x / 5]));
    const std::string input = Put("stroke.bmp", Bmp24(drawing));
    const auto decoded = [this](const std::string& name) {
        const Bytes bytes = ReadBytes(dir.Path() / name);
        BmpReadResult r = DecodePicture(bytes);
        EXPECT_TRUE(r.image) << name;
        return std::pair(bytes, r.image ? r.image->bitmap : Bitmap());
    };

    ASSERT_EQ(Batch({input, "-o", PathOf("bw.bmp"), "--palette", "bw", "--threshold", "50%"}).status, 0);
    const auto [bw, bwImage] = decoded("bw.bmp");
    EXPECT_EQ(testing::Le16(bw, 28), 1);
    EXPECT_EQ(Bytes(bw.begin() + 54, bw.begin() + 62), (Bytes{0, 0, 0, 0, 255, 255, 255, 0}));  // black is index 0
    for (int x = 0; x < 35; ++x)
        EXPECT_EQ(bwImage.GetPixel(x, 2), kGreys[x / 5] >= 128 ? ColorFromRgb(255, 255, 255) : ColorFromRgb(0, 0, 0)) << x;

    // A palette file, white first: a panel that reads index bits sees white as 0.
    const std::string inks = Put("inks.txt", Bytes{'#', 'f', 'f', 'f', 'f', 'f', 'f', '\n', '#', '0', '0', '0', '0', '0', '0', '\n'});
    ASSERT_EQ(Batch({input, "-o", PathOf("wb.bmp"), "--palette", inks, "-b", "8"}).status, 0);
    const auto [wb, wbImage] = decoded("wb.bmp");
    EXPECT_EQ(testing::Le16(wb, 28), 8);
    EXPECT_EQ(Bytes(wb.begin() + 54, wb.begin() + 66), (Bytes{255, 255, 255, 0, 0, 0, 0, 0, 255, 255, 255, 0}));
    EXPECT_EQ(wb[54 + 1024], 0);  // the bottom row starts white...
    EXPECT_EQ(wb[54 + 1024 + 34], 1);  // ...and ends black
    EXPECT_EQ(wbImage.GetPixel(25, 3), ColorFromRgb(0, 0, 0));  // grey 30 is nearer black

    // Seven inks, Floyd-Steinberg: 4 bits, the inks in their order, only inks in the picture.
    ASSERT_EQ(Batch({Put("picture.bmp", Bmp24(Picture())), "-o", PathOf("e7.bmp"), "--palette", "epaper7", "--dither", "fs"}).status, 0);
    const auto [e7, e7Image] = decoded("e7.bmp");
    EXPECT_EQ(testing::Le16(e7, 28), 4);
    const PaletteColors epaper = EpaperPalette7();
    for (std::size_t i = 0; i < epaper.size(); ++i)
        EXPECT_EQ(testing::Le32(e7, 54 + 4 * i), ValueOf(epaper[i])) << i;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 30; ++x)
            ASSERT_NE(std::find(epaper.begin(), epaper.end(), e7Image.Row(y)[x]), epaper.end()) << x << "," << y;

    // An optimised palette of the picture's seven colours keeps every pixel exactly; at 24 bits a
    // fixed palette's colours are written as colours.
    ASSERT_EQ(Batch({PathOf("picture.bmp"), "-o", PathOf("o16.bmp"), "--palette", "optimised:16"}).status, 0);
    EXPECT_EQ(testing::Le16(decoded("o16.bmp").first, 28), 4);
    EXPECT_EQ(decoded("o16.bmp").second, Picture());
    ASSERT_EQ(Batch({input, "-o", PathOf("g24.bmp"), "--palette", "grey4", "-b", "24", "--dither", "ordered"}).status, 0);
    const Bitmap g24 = decoded("g24.bmp").second;
    for (int x = 0; x < 35; ++x) {
        const Pixel p = g24.Row(2)[x];
        EXPECT_TRUE(ValueOf(p) == 0 || ValueOf(p) == 0x555555 || ValueOf(p) == 0xAAAAAA || ValueOf(p) == 0xFFFFFF) << p;
    }
}

}  // namespace
}  // namespace rastrix

// rastrix-batch on PNG and JPEG inputs and joined images, scaling and the sizes worked out from
// the picture, the 16- and 32-bit depths, and palette tables kept in their order.
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
    // A place the join cannot read is named with the system's reason, from the editor's report.
    const BatchRun missing = Batch({"--join", a, "none", "none", PathOf("missing.bmp"), "-o", PathOf("none.bmp")});
    EXPECT_NE(missing.status, 0);
    EXPECT_NE(missing.errors.find(PathOf("missing.bmp") + ": No such file or directory"), std::string::npos) << missing.errors;
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

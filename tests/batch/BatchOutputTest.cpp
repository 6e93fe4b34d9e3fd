// rastrix-batch's outputs and messages: a failing file reported while the others are written,
// nothing overwritten or half written unless asked, the colour-loss refusal, the reasons in the
// words of the command line, --in-place, and the version.
#include <gtest/gtest.h>

#include <cctype>
#include <functional>

#include "batch/BatchRun.h"
#include "batch/BatchSteps.h"
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
#include "draw/Colors.h"
#include "draw/PixelTools.h"
#include "editor/CommandIds.h"
#include "frame/CommandDispatch.h"
#include "frame/CommandLine.h"
#include "raster/Bands.h"
#include "selection/SelectionDrag.h"
#include "store/StoreTestSupport.h"
#include "support/EditorFixture.h"
#include "support/BmpTestSupport.h"
#include "support/ExifTestFiles.h"
#include "support/PictureTestFiles.h"

namespace rastrix {
namespace {

using namespace batch_test;

TEST_F(BatchRunTest, AFailingFileIsReportedWhileTheOthersAreWritten) {
    const std::filesystem::path out = dir.Path() / "out" / "new";  // made by the run
    const std::string good1 = Put("one.bmp", Bmp24(Picture()));
    const std::string bad = Put("bad.bmp", Bytes{'n', 'o', 'p', 'e'});
    const std::string good2 = Put("two.png", testing::EncodePng(testing::PngRecipe{1, 1, 0, 8, false, {128}}));
    const BatchRun run = Batch({"-j", "2", "-b", "4", good1, bad, good2, "--out-dir", out.string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.errors.find(bad + ": The file is not a BMP, PNG or JPEG file.\n"), std::string::npos) << run.errors;
    EXPECT_NE(run.errors.find("rastrix-batch: 2 written, 1 failed"), std::string::npos) << run.errors;
    EXPECT_EQ(ReadBytes(out / "one.bmp"), testing::EncodeBmpFile(Picture(), 4, [](int) { return true; }).bytes);
    EXPECT_TRUE(std::filesystem::exists(out / "two.bmp"));
    EXPECT_FALSE(std::filesystem::exists(out / "bad.bmp"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(out), {}), 2);  // no temporary file left
}

// A large PNG scaled as it is read: decoded on one core while the other averages its rows when
// the run has a core to spare, all on one thread otherwise; the same bytes either way, and a
// file damaged part way the same refusal, with nothing written.
TEST_F(BatchRunTest, APngScaledOnTwoThreadsWritesWhatOneThreadWrites) {
    testing::PngRecipe recipe{320, 240, 2, 8};
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x)
            recipe.rows.insert(recipe.rows.end(), {std::uint8_t(x * 7 + y), std::uint8_t((x * y) % 251), std::uint8_t(y * 3 - x)});
    const Bytes png = testing::EncodePng(recipe);
    const std::string whole = Put("whole.png", png);
    const std::string cut = Put("cut.png", Bytes(png.begin(), png.begin() + std::ptrdiff_t(png.size() / 2)));
    const std::vector<std::string> jobs[] = {{"--fit", "40x25", "--depth", "16"},
                                             {"--cover", "30x30", "--palette", "bw", "--dither", "fs"},
                                             {"-B", "0,0,0", "--scale", "25x40", "-b", "24"},
                                             {"--fit", "64x48", "--palette", "optimised:16", "--dither", "fs"}};
    int n = 0;
    for (const std::vector<std::string>& job : jobs) {
        SCOPED_TRACE(job[0] + " " + job[1] + " " + job.back());
        Bytes written[2];
        ++n;
        for (int threads : {1, 2}) {
            const BandLimit limit(threads);
            const std::string out = PathOf("out" + std::to_string(n) + "-" + std::to_string(threads) + ".bmp");
            std::vector<std::string> args = job;
            args.insert(args.end(), {whole, "-o", out});
            ASSERT_EQ(Batch(args).status, 0);
            written[threads - 1] = ReadBytes(out);

            args = job;
            args.insert(args.end(), {cut, "-o", PathOf("cut.bmp")});
            const BatchRun failed = Batch(args);
            EXPECT_EQ(failed.status, 1);
            EXPECT_EQ(failed.errors.substr(0, failed.errors.find("rastrix-batch:")),
                      cut + ": The PNG picture is damaged or cut short.\n");
            EXPECT_FALSE(std::filesystem::exists(PathOf("cut.bmp")));
        }
        EXPECT_EQ(written[0], written[1]);
    }
}

TEST_F(BatchRunTest, NothingIsOverwrittenOrHalfWrittenUnlessAsked) {
    const std::string input = Put("in.bmp", Bmp24(Picture()));
    const std::string target = Put("taken.bmp", Bytes{1, 2, 3});
    BatchRun run = Batch({input, "-o", target});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.errors.find(input + ": " + target + " exists; give --overwrite to replace it"), std::string::npos);
    EXPECT_EQ(ReadBytes(target), (Bytes{1, 2, 3}));
    EXPECT_EQ(Batch({input, "-o", target, "--overwrite"}).status, 0);
    EXPECT_EQ(ReadBytes(target), Bmp24(Picture()));

    // Colours a depth cannot hold: the editor's question, answered No unless allowed.
    run = Batch({input, "-o", PathOf("mono.bmp"), "-b", "1"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.errors.find("This image contains more than 2 colours; some colours would be lost. Give "
                              "--allow-colour-loss to write it with the nearest colours, or, for a photo, --palette "
                              "optimised:2 to write the 2 colours that suit it best."), std::string::npos) << run.errors;
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "mono.bmp"));

    // A command the editor's menu greys at this point fails the file.
    run = Batch({input, "-o", PathOf("crop.bmp"), "--crop"});
    EXPECT_NE(run.errors.find("--crop needs a selection: give --select or --mark-border before it"), std::string::npos)
        << run.errors;
    run = Batch({input, "-o", PathOf("sel.bmp"), "-s", "20,10,11,5"});
    EXPECT_NE(run.errors.find("--select 20,10,11,5 reaches beyond the 30 x 20 image"), std::string::npos) << run.errors;
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "crop.bmp"));

    EXPECT_EQ(Batch({input, "--rotate", "45", "-o", PathOf("x.bmp")}).status, 2);
}

// More colours than the depth holds: the tool answers the editor's question itself, No with
// what to give instead (the capacity of the depth's table in it) unless colour loss is allowed.
class ColorLossTest : public BatchRunTest, public ::testing::WithParamInterface<std::pair<int, int>> {};

TEST_P(ColorLossTest, RefusedWithTheReasonUnlessAllowed) {
    const int depth = GetParam().first, capacity = GetParam().second;
    Bitmap colorful(20, 15);  // 300 colours
    for (int y = 0; y < 15; ++y)
        for (int x = 0; x < 20; ++x) colorful.SetPixel(x, y, ColorFromRgb(std::uint8_t(x * 12), std::uint8_t(y * 17), 9));
    const std::string input = Put("many.bmp", Bmp24(colorful));
    const std::string bits = std::to_string(depth);
    const BatchRun refused = Batch({"-b", bits, input, "-o", PathOf("refused.bmp")});
    EXPECT_EQ(refused.status, 1);
    // Both ways out are named: the nearest colours, or a palette chosen for the picture.
    const std::string n = std::to_string(capacity);
    EXPECT_NE(refused.errors.find(input + ": This image contains more than " + n +
                                  " colours; some colours would be lost. Give --allow-colour-loss to write it with the "
                                  "nearest colours, or, for a photo, --palette optimised:" + n + " to write the " + n +
                                  " colours that suit it best.\n"),
              std::string::npos)
            << refused.errors;
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "refused.bmp"));

    int asked = 0;
    const Bytes yes = testing::EncodeBmpFile(colorful, depth, [&asked, capacity](int c) {
        ++asked;
        return c == capacity;
    }).bytes;
    EXPECT_EQ(asked, 1);
    for (const char* spelling : {"--allow-colour-loss", "--allow-color-loss"}) {
        const std::string out = PathOf(std::string("allowed") + spelling + ".bmp");
        const BatchRun allowed = Batch({"-b", bits, spelling, input, "-o", out});
        ASSERT_EQ(allowed.status, 0) << spelling << allowed.errors;
        EXPECT_EQ(ReadBytes(out), yes) << spelling;
    }

    // The palette the message names is written at the same depth, no question asked.
    const BatchRun chosen = Batch({"-b", bits, "--palette", "optimised:" + n, input, "-o", PathOf("chosen.bmp")});
    ASSERT_EQ(chosen.status, 0) << chosen.errors;
    EXPECT_EQ(testing::Le16(ReadBytes(dir.Path() / "chosen.bmp"), 28), depth);
}

INSTANTIATE_TEST_SUITE_P(Depths, ColorLossTest,
                         ::testing::Values(std::pair{1, 2}, std::pair{4, 16}, std::pair{8, 256}));

// What a command-line user is told: what is missing, in the words of the command line.
TEST_F(BatchRunTest, ReasonsSpeakOfTheCommandLineAndThePicture) {
    const std::string input = Put("in.bmp", Bmp24(Picture()));
    const struct {
        std::vector<std::string> steps;
        std::string reason;
    } cases[] = {
        {{"--shift", "left"}, "--shift needs a selection: give --select or --mark-border before it"},
        {{"--fill", "solid"}, "--fill needs a selection: give --select or --mark-border before it"},
        {{"--shape", "ellipse", "-s", "0,0,10,5", "--shift", "up"},
         "--shift works on a rectangle selection only: give --shape rectangle before --select"},
        // Turns work on the whole picture or a rectangle.
        {{"--shape", "ellipse", "-s", "0,0,10,10", "--rotate", "90"},
         "--rotate works on a rectangle selection only: give --shape rectangle before --select"},
        {{"--shape", "line", "-s", "0,0,10,5", "--flip", "h"},
         "--flip works on a rectangle selection only: give --shape rectangle before --select"},
        {{"--crop"}, "--crop needs a selection: give --select or --mark-border before it"},
        {{"--shape", "line", "-s", "0,0,10,5", "--fill", "interior"},
         "--fill of this kind does not fit the selection's shape (see --fill in --help)"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = c.steps;
        args.insert(args.end(), {input, "-o", PathOf("x.bmp")});
        const BatchRun run = Batch(args);
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.errors.find(input + ": " + c.reason + "\n"), std::string::npos) << run.errors;
    }
    // A command no option runs is not named after one.
    const std::string undo = batch::RefusalText(CommandId::Undo, {Availability::Kind::NothingToUndo});
    EXPECT_FALSE(undo.empty());
    EXPECT_EQ(undo.find("--fill"), std::string::npos) << undo;
    EXPECT_EQ(batch::RefusalText(CommandId::Crop, kCanRun), "");
    // A PNG file is a picture, not a bitmap.
    testing::PngRecipe wide{70000, 1, 0, 8};
    wide.rows.assign(70000, 0);
    const BatchRun large = Batch({Put("wide.png", testing::EncodePng(wide)), "-o", PathOf("wide.bmp")});
    EXPECT_NE(large.errors.find("The picture is too large: this program opens at most 65535 pixels a side"),
              std::string::npos) << large.errors;
    // -o naming a folder: no --overwrite would help.
    const BatchRun folder = Batch({input, "-o", dir.Path().string()});
    EXPECT_EQ(folder.status, 2);
    EXPECT_NE(folder.errors.find("is a folder; give a file name, or --out-dir"), std::string::npos) << folder.errors;
    EXPECT_EQ(folder.errors.find("--overwrite"), std::string::npos) << folder.errors;
}

// --dry-run says where each result would go and writes nothing; --name patterns fill in the
// size written; --skip-existing lets a rerun into the same folder succeed.
TEST_F(BatchRunTest, DryRunsNamePatternsAndSkippedOutputs) {
    const std::string one = Put("one.bmp", Bmp24(Picture()));  // 30 x 20
    const std::string two = Put("two.png", testing::EncodePng(testing::PngRecipe{1, 1, 0, 8, false, {7}}));
    const std::string out = PathOf("out");
    const std::vector<std::string> args = {"--name", "{n}-{stem}-{ext}-{w}x{h}", "--scale", "50%", one, two, "-d", out};
    auto run = [&](std::vector<std::string> extra, std::string* said) {
        extra.insert(extra.end(), args.begin(), args.end());
        ::testing::internal::CaptureStdout();
        const BatchRun r = Batch(extra);
        const std::string printed = ::testing::internal::GetCapturedStdout();
        if (said) *said = printed;
        return r;
    };
    const std::string first = out + "/1-one-bmp-15x10.bmp", second = out + "/2-two-png-1x1.bmp";
    std::string said;
    BatchRun dry = run({"--dry-run"}, &said);
    EXPECT_EQ(dry.status, 0) << dry.errors;
    EXPECT_EQ(said, one + " -> " + first + "\n" + two + " -> " + second + "\n");
    EXPECT_NE(dry.errors.find("rastrix-batch: 2 would be written, 0 failed"), std::string::npos) << dry.errors;
    EXPECT_FALSE(std::filesystem::exists(out));  // not even the folder

    BatchRun real = run({}, &said);
    ASSERT_EQ(real.status, 0) << real.errors;
    EXPECT_TRUE(said.empty()) << said;
    EXPECT_EQ(DecodePicture(ReadBytes(first)).image->bitmap.Width(), 15);
    EXPECT_TRUE(std::filesystem::exists(second));

    // A rerun: refused without --skip-existing (and a dry run says so), skipped with it.
    EXPECT_EQ(run({"--dry-run"}, nullptr).status, 1);
    const BatchRun again = run({}, nullptr);
    EXPECT_EQ(again.status, 1);
    EXPECT_NE(again.errors.find(first + " exists; give --overwrite to replace it"), std::string::npos) << again.errors;
    WriteBytes(first, Bytes{1});
    const BatchRun skipping = run({"--skip-existing"}, nullptr);
    EXPECT_EQ(skipping.status, 0) << skipping.errors;
    EXPECT_NE(skipping.errors.find("rastrix-batch: 0 written, 2 skipped, 0 failed"), std::string::npos) << skipping.errors;
    EXPECT_EQ(ReadBytes(first), Bytes{1});  // left as it was

    // An input that cannot be read fails the dry run as it would fail the run.
    const std::string bad = Put("bad.bmp", Bytes{'n', 'o'});
    EXPECT_EQ(Batch({"--dry-run", bad, "-d", out}).status, 1);
    EXPECT_FALSE(std::filesystem::exists(out + "/bad.bmp"));

    // A pattern giving two inputs one name is refused before anything is written.
    const BatchRun same = Batch({"--name", "{w}", one, PathOf("two.png"), "-d", PathOf("clash")});
    EXPECT_EQ(same.status, 2);
    EXPECT_NE(same.errors.find("--name {w} gives " + one + " and " + two + " the same output"), std::string::npos) << same.errors;
    EXPECT_FALSE(std::filesystem::exists(PathOf("clash/15.bmp")));
    EXPECT_FALSE(std::filesystem::exists(PathOf("clash/30.bmp")));
}

// A folder is refused with a hint; with -R the pictures under it are done in name order, the
// other files and a link looping back passed over, its folders mirrored with --keep-folders.
TEST_F(BatchRunTest, FoldersAreReadWithRecursive) {
    Put("tree/b.png", testing::EncodePng(testing::PngRecipe{1, 1, 0, 8, false, {7}}));
    Put("tree/a/c.BMP", Bmp24(Picture()));
    Put("tree/a/notes.txt", Bytes{'h', 'i'});
    std::filesystem::create_directory_symlink("..", dir.Path() / "tree/a/up");  // a loop
    const std::filesystem::path saved = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path());
    BatchRun run = Batch({"tree", "-d", "flat"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.errors.find("tree: not a regular file; give -R to read the pictures in a folder"), std::string::npos) << run.errors;
    ::testing::internal::CaptureStdout();
    BatchRun dry = Batch({"-R", "--dry-run", "--keep-folders", "tree", "-d", "kept"});
    const std::string said = ::testing::internal::GetCapturedStdout();
    run = Batch({"-R", "--keep-folders", "-d", "kept", "tree"});
    std::filesystem::current_path(saved);
    EXPECT_EQ(dry.status, 0) << dry.errors;
    EXPECT_EQ(said, "tree/a/c.BMP -> kept/tree/a/c.bmp\ntree/b.png -> kept/tree/b.bmp\n");
    EXPECT_EQ(run.status, 0) << run.errors;
    EXPECT_EQ(ReadBytes(dir.Path() / "kept/tree/a/c.bmp"), Bmp24(Picture()));
    EXPECT_TRUE(std::filesystem::exists(dir.Path() / "kept/tree/b.bmp"));
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "kept/tree/a/up"));
}

TEST_F(BatchRunTest, InPlaceReplacesBitmapsOnly) {
    const std::string bmp = Put("pic.bmp", Bmp24(Picture()));
    const Bytes png = testing::EncodePng(testing::PngRecipe{1, 1, 0, 8, false, {7}});
    const std::string pngPath = Put("pic.png", png);
    const BatchRun run = Batch({"-i", "-b", "8", bmp, pngPath});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(ReadBytes(bmp), testing::EncodeBmpFile(Picture(), 8, [](int) { return true; }).bytes);
    EXPECT_EQ(ReadBytes(pngPath), png);
    EXPECT_NE(run.errors.find(pngPath + ": --in-place replaces BMP files only"), std::string::npos) << run.errors;
}

TEST(BatchRunVersion, PrintsTheEditorsVersionUnderItsOwnName) {
    ::testing::internal::CaptureStdout();
    const int status = batch::RunBatch(std::vector<std::string>{"--version"});
    EXPECT_EQ(status, 0);
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "rastrix-batch " + std::string(VersionNumber()) + "\n");
}

}  // namespace
}  // namespace rastrix

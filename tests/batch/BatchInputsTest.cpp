// rastrix-batch against hostile and unusual input: lists whose names no file call could take,
// one file under several names, pipes and devices, outputs that cannot be written, limits.
#include "batch/BatchInputsFixture.h"

namespace rastrix {
namespace {

using namespace batch_inputs_test;

// A NUL byte in a line list would cut the name short at the system call: the first file would
// be taken for the whole line and replaced. Such a list is refused before any file is touched;
// -0 reads it as find -print0 writes it.
TEST_F(BatchInputsTest, ListNamesNoFileCallCouldTakeAreRefusedBeforeAnything) {
    const Bytes png = testing::EncodePng(testing::PngRecipe{1, 1, 0, 8, false, {9}});
    const std::string a = Put("a.png", png), b = Put("b.png", png);
    const std::string nulList = a + '\0' + b + '\0';
    const std::string list = Put("list", Bytes(nulList.begin(), nulList.end()));
    Outcome run = Batch({"--files-from", list, "-d", dir.Path().string(), "--overwrite"});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.errors.find("holds a NUL byte, which no file name has; give -0"), std::string::npos) << run.errors;
    EXPECT_EQ(ReadBytes(a), png);
    EXPECT_FALSE(fs::exists(dir.Path() / "a.bmp"));

    run = Batch({"-0", "--files-from", list, "-d", dir.Path().string()});
    EXPECT_EQ(run.status, 0) << run.errors;
    EXPECT_TRUE(fs::exists(dir.Path() / "a.bmp") && fs::exists(dir.Path() / "b.bmp"));
    EXPECT_EQ(ReadBytes(a), png);

    const std::string longLine = std::string(5000, 'x') + "\n";
    run = Batch({"--files-from", Put("long", Bytes(longLine.begin(), longLine.end())), "-d", "out"});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.errors.find("holds a name longer than 4095 bytes"), std::string::npos) << run.errors;
    EXPECT_EQ(Batch({"--files-from", "/dev/zero", "-d", "out"}).status, 2);  // ends at its first byte
    EXPECT_EQ(Batch({"-0", "--files-from", "/dev/zero", "-d", "out"}).status, 2);  // an empty name
}

// One file named twice is done once, whatever the spelling; two results that would land in
// one file (through a link among the outputs) leave the later one refused.
TEST_F(BatchInputsTest, SamenessIsDecidedByTheFileNotItsSpelling) {
    const std::string x = Put("x.bmp", Bmp24(picture));
    fs::create_symlink(x, dir.Path() / "link.bmp");
    const std::string relative = fs::relative(x).string();
    Outcome run = Batch({"-i", "-j", "1", "-r", "90", x, relative, PathOf("link.bmp"), x});
    EXPECT_EQ(run.status, 0) << run.errors;
    const BmpReadResult turned = DecodePicture(ReadBytes(x));
    ASSERT_TRUE(turned.image);
    EXPECT_EQ(turned.image->bitmap.Width(), 8);  // turned once, not three times
    EXPECT_NE(run.errors.find(relative + ": the same file as " + x + "; done once"), std::string::npos) << run.errors;
    EXPECT_NE(run.errors.find(x + ": listed twice; done once"), std::string::npos) << run.errors;
    EXPECT_NE(run.errors.find("1 written, 0 failed"), std::string::npos) << run.errors;

    const fs::path out = dir.Path() / "out";
    fs::create_directory(out);
    fs::create_symlink("b.bmp", out / "a.bmp");  // writing a.bmp would land in b.bmp
    const std::string a = Put("a.png", testing::EncodePng(testing::PngRecipe{1, 1, 0, 8, false, {1}}));
    const std::string b = Put("b.png", testing::EncodePng(testing::PngRecipe{2, 1, 0, 8, false, {2, 3}}));
    run = Batch({"-d", out.string(), "--overwrite", a, b});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.errors.find(b + ": would write " + (out / "b.bmp").string() + " as " + a + " does"), std::string::npos)
        << run.errors;
}

// A pipe named on the command line is read as standard input is; folders and devices are not
// regular files.
TEST_F(BatchInputsTest, PipesAreReadAndFoldersAndDevicesRefused) {
    const fs::path fifo = dir.Path() / "pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const Bytes png = testing::EncodePng(testing::PngRecipe{2, 1, 0, 8, false, {0, 255}});
    const auto feed = [&fifo](Bytes bytes) {
        return std::thread([&fifo, bytes] { testing::WriteBytes(fifo, bytes); });
    };
    std::thread writer = feed(png);
    Outcome run = Batch({fifo.string(), "-o", PathOf("from-pipe.bmp")});
    writer.join();
    EXPECT_EQ(run.status, 0) << run.errors;
    EXPECT_EQ(DecodePicture(ReadBytes(dir.Path() / "from-pipe.bmp")).image->bitmap, DecodePicture(png).image->bitmap);

    writer = feed(Bytes(4096, 0));
    run = Batch({fifo.string(), "-o", PathOf("zeros.bmp")});
    writer.join();
    EXPECT_NE(run.errors.find(": The file is not a BMP, PNG or JPEG file."), std::string::npos) << run.errors;

    run = Batch({dir.Path().string(), "/dev/null", "-d", PathOf("out")});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.errors.find(dir.Path().string() + ": not a regular file"), std::string::npos) << run.errors;
    EXPECT_NE(run.errors.find("/dev/null: not a regular file"), std::string::npos) << run.errors;
}

// "-" in a list is standard input, which --in-place cannot replace: refused, and nothing goes
// to standard output; the other names are done.
TEST_F(BatchInputsTest, InPlaceRefusesStandardInputNamedInAList) {
    const std::string bmp = Put("x.bmp", Bmp24(picture));
    const std::string lines = "-\n" + bmp + "\n";
    const std::string list = Put("list", Bytes(lines.begin(), lines.end()));
    const Outcome run = Program({"-i", "-b", "8", "--files-from", list}, bmp);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.errors.find("-: --in-place needs input files to replace; standard input is not one"), std::string::npos)
        << run.errors;
    EXPECT_NE(run.errors.find("1 written, 1 failed"), std::string::npos) << run.errors;
    EXPECT_EQ(Output(), "");
    EXPECT_EQ(ReadBytes(bmp), testing::EncodeBmpFile(picture, 8, [](int) { return true; }).bytes);
}

// Output names the system cannot take, or that cannot be written, are reported as the run
// goes on; they used to end it with an uncaught exception (status 134). A device or pipe in the
// output's place is never replaced by a file.
TEST_F(BatchInputsTest, OutputsThatCannotBeWrittenAreReportedNotThrown) {
    const std::string in = Put("in.bmp", Bmp24(picture));
    fs::create_symlink("loop.bmp", dir.Path() / "loop.bmp");
    fs::create_symlink("loops", dir.Path() / "loops");
    ASSERT_EQ(::mkfifo(PathOf("pipe.bmp").c_str(), 0600), 0);
    fs::create_symlink("pipe.bmp", dir.Path() / "to-pipe.bmp");
    const std::string name256 = PathOf(std::string(252, 'n') + ".bmp");
    const std::string name259 = PathOf(std::string(255, 'n') + ".bmp");
    const struct {
        const char* name;
        std::vector<std::string> args;
        int status;
        std::string reason;
    } cases[] = {
        {"Name256", {"-o", name256}, 1, in + ": " + name256 + ": File name too long"},
        {"Name259Overwrite", {"-o", name259, "--overwrite"}, 1, "File name too long"},
        {"LinkToItself", {"-o", PathOf("loop.bmp")}, 1, PathOf("loop.bmp") + " exists; give --overwrite"},
        {"LinkToItselfOverwrite", {"-o", PathOf("loop.bmp"), "--overwrite"}, 1, "Too many levels of symbolic links"},
        {"OutDirLinkToItself", {"-d", PathOf("loops")}, 2, "--out-dir " + PathOf("loops") + " is not a folder ("},
        {"Pipe", {"-o", PathOf("pipe.bmp")}, 1, in + ": " + PathOf("pipe.bmp") + ": not a regular file"},
        {"PipeOverwrite", {"-o", PathOf("pipe.bmp"), "--overwrite"}, 1, PathOf("pipe.bmp") + ": not a regular file"},
        {"LinkToPipeOverwrite", {"-o", PathOf("to-pipe.bmp"), "--overwrite"}, 1, "to-pipe.bmp: not a regular file"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> args = c.args;
        args.push_back(in);
        const Outcome run = Program(args);
        EXPECT_EQ(run.status, c.status) << run.errors;
        EXPECT_NE(run.errors.find(c.reason), std::string::npos) << run.errors;
        EXPECT_TRUE(fs::is_fifo(dir.Path() / "pipe.bmp"));
        EXPECT_TRUE(fs::is_symlink(fs::symlink_status(dir.Path() / "loop.bmp")));
    }
}

// A scale beyond the image limits is refused with the command's own words before any pixel
// memory is asked for, also when the reading would do it (the first command).
TEST_F(BatchInputsTest, AScaleBeyondTheLimitsIsRefusedBeforeAnyMemory) {
    const std::string png = Put("one.png", testing::EncodePng(testing::PngRecipe{1, 1, 2, 8, false, {128, 64, 32}}));
    const std::string jpeg = Put("photo.jpg", testing::EncodeJpeg(testing::SmoothPicture(40, 30)));
    const struct {
        std::vector<std::string> args;
        const char* reason;
    } cases[] = {
        {{"--scale", "16385x16385", png}, kTooManyPixelsText},
        {{"--fit", "65535x65535", png}, kTooManyPixelsText},
        {{"--cover", "40000x40000", jpeg}, kTooManyPixelsText},
        {{"--fit", "65535x4097", jpeg}, kTooManyPixelsText},
        {{"--flip", "h", "--scale", "65535x65535", png}, kTooManyPixelsText},
        // Sizes worked out from the picture are checked as they come out.
        {{"--scale", "x65535", png}, kTooManyPixelsText},
        {{"--cover", "65535%", jpeg}, kTooManyPixelsText},
        {{"--fit", "x65535", jpeg}, kSideTooLargeText},
        {{"--flip", "h", "--size", "65535x", png}, kTooManyPixelsText},
        {{"--flip", "h", "--scale", "x65535", jpeg}, kSideTooLargeText},
    };
    PixelPool& pool = PixelPool::Shared();
    pool.FreeKept();
    const PixelPool::Counts before = pool.Counters();
    pool.SetHeldCeiling(before.Held());  // no new block: a run that asks for one hears "no memory"
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args[1]);
        std::vector<std::string> args = c.args;
        args.insert(args.end(), {"-o", PathOf("big.bmp")});
        const Outcome run = Batch(args);
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.errors.find(c.reason), std::string::npos) << run.errors;
        EXPECT_FALSE(fs::exists(dir.Path() / "big.bmp"));
    }
    pool.SetHeldCeiling(static_cast<std::size_t>(-1));
    EXPECT_EQ(pool.Counters().fresh, before.fresh);
}

// --keep-folders takes "$PWD/a/x.png" as below the current folder also when the shell reached
// that folder through a link; --palette reads a pipe (<(...), /dev/stdin) as inputs are read.
TEST_F(BatchInputsTest, LinkedCurrentFolderAndPalettePipes) {
    Put("real/in/a/x.bmp", Bmp24(picture));
    fs::create_symlink(dir.Path() / "real", dir.Path() / "link");
    const fs::path saved = fs::current_path();
    const char* savedPwd = std::getenv("PWD");
    const std::string pwdBefore = savedPwd ? savedPwd : "";
    fs::current_path(dir.Path() / "link");  // the system names it .../real
    ::setenv("PWD", PathOf("link").c_str(), 1);
    Outcome run = Batch({"--keep-folders", "-d", "out", PathOf("link") + "/in/a/x.bmp"});
    fs::current_path(saved);
    ::setenv("PWD", pwdBefore.c_str(), 1);
    EXPECT_EQ(run.status, 0) << run.errors;
    EXPECT_EQ(ReadBytes(dir.Path() / "real/out/in/a/x.bmp"), Bmp24(picture));

    const fs::path fifo = scratch.Path() / "palette";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string text = "#000000\n#FFFFFF\n";
    std::atomic<bool> stop{false};
    std::thread writer = PipeWriter(fifo, Bytes(text.begin(), text.end()), false, stop);
    const std::string in = Put("in.bmp", Bmp24(picture));
    run = Batch({"--palette", fifo.string(), in, "-o", PathOf("bw.bmp")});
    stop = true;
    writer.join();
    EXPECT_EQ(run.status, 0) << run.errors;
    const BmpReadResult bw = DecodePicture(ReadBytes(dir.Path() / "bw.bmp"));
    ASSERT_TRUE(bw.image);
    EXPECT_EQ(bw.image->bitDepth, 1);

    const auto previous = ::signal(SIGPIPE, SIG_IGN);
    std::atomic<bool> stopEndless{false};
    std::thread endless = PipeWriter(fifo, Bytes(text.begin(), text.end()), true, stopEndless);
    run = Batch({"--palette", fifo.string(), in, "-o", PathOf("long.bmp")});
    stopEndless = true;
    endless.join();
    ::signal(SIGPIPE, previous);
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.errors.find("larger than 64 KiB"), std::string::npos) << run.errors;
}

// Names of up to 255 bytes are written in place; --keep-folders keeps equal names in
// different folders apart; -q says nothing when all went well.
TEST_F(BatchInputsTest, LongNamesFoldersAndQuietRuns) {
    const std::string longName = Put(std::string(250, 'n') + ".bmp", Bmp24(picture));
    Outcome run = Batch({"-i", "-b", "8", longName});
    EXPECT_EQ(run.status, 0) << run.errors;
    EXPECT_EQ(ReadBytes(longName), testing::EncodeBmpFile(picture, 8, [](int) { return true; }).bytes);

    Put("in/a/x.bmp", Bmp24(picture));
    Put("in/b/x.bmp", Bmp24(testing::SmoothPicture(3, 2)));
    const fs::path saved = fs::current_path();
    fs::current_path(dir.Path());
    run = Batch({"-q", "--keep-folders", "-d", "out", "in/a/x.bmp", PathOf("in/b/x.bmp"), "/"});
    fs::current_path(saved);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.errors, "/: --keep-folders cannot mirror '/': it names no file in a folder\n");
    EXPECT_EQ(ReadBytes(dir.Path() / "out/in/a/x.bmp"), Bmp24(picture));
    EXPECT_EQ(ReadBytes(dir.Path() / "out/in/b/x.bmp"), Bmp24(testing::SmoothPicture(3, 2)));

    // Inputs outside the current folder are mirrored from the folder they share.
    fs::create_directories(dir.Path() / "elsewhere");
    fs::current_path(dir.Path() / "elsewhere");
    run = Batch({"-q", "--keep-folders", "-d", "mirror", "../in/a/x.bmp", PathOf("in/b/x.bmp")});
    fs::current_path(saved);
    EXPECT_EQ(run.status, 0) << run.errors;
    EXPECT_EQ(ReadBytes(dir.Path() / "elsewhere/mirror/a/x.bmp"), Bmp24(picture));
    EXPECT_EQ(ReadBytes(dir.Path() / "elsewhere/mirror/b/x.bmp"), Bmp24(testing::SmoothPicture(3, 2)));
}

}  // namespace
}  // namespace rastrix
// rastrix-batch when its input never ends or a signal comes: standard input and pipes that do
// not stop, lists that repeat without end, and SIGINT, SIGTERM and SIGHUP mid-run.
#include "batch/BatchInputsFixture.h"

namespace rastrix {
namespace {

using namespace batch_inputs_test;

// Standard input with no end is refused at its first bytes, not after the largest file: what
// no picture starts with, and a picture's signature followed by what no header starts with.
TEST_F(BatchInputsTest, EndlessStandardInputIsRefusedAtItsFirstBytes) {
    const struct {
        const char* name;
        Bytes start;
        const char* reason;
    } cases[] = {
        {"zeros", {}, "-: The file is not a BMP, PNG or JPEG file."},
        {"png", {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}, "-: The PNG picture is damaged or cut short."},
        {"bmp", {'B', 'M'}, "-: The bitmap's header is of a kind this program does not read."},
        {"jpeg", {0xFF, 0xD8, 0xFF}, "-: The JPEG picture is damaged or cut short."},
    };
    const auto previous = ::signal(SIGPIPE, SIG_IGN);  // the writer learns of the end by EPIPE
    const fs::path fifo = scratch.Path() / "endless";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::atomic<bool> stop{false};
        std::thread writer = PipeWriter(fifo, c.start, true, stop);
        const Outcome run = Program({"-", "-o", PathOf("zero.bmp")}, fifo.string());
        stop = true;
        writer.join();
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.errors.find(c.reason), std::string::npos) << run.errors;
        // Refused after a read or two, not when the buffer reached the largest file (2 GB).
        EXPECT_LT(run.peakKiB, 256 * 1024);
    }
    ::signal(SIGPIPE, previous);
    const Outcome run = Program({"--files-from", "-", "-d", PathOf("out")}, "/dev/urandom");
    EXPECT_EQ(run.status, 2);  // not an abort on memory running out
    EXPECT_FALSE(fs::exists(dir.Path() / "zero.bmp"));
}

// A list naming one file again and again keeps it once: a list that never ends holds one name.
TEST_F(BatchInputsTest, AListRepeatingANameKeepsItOnce) {
    const std::string one = Put("one.bmp", Bmp24(picture));
    std::string lines;
    for (int i = 0; i < 100000; ++i) lines += one + "\n";
    const std::string list = Put("list", Bytes(lines.begin(), lines.end()));
    const Outcome run = Program({"--files-from", list, "-d", PathOf("out"), one});
    EXPECT_EQ(run.status, 0) << run.errors.substr(0, 400);
    std::size_t notes = 0;
    for (std::size_t at = run.errors.find("listed twice"); at != std::string::npos; at = run.errors.find("listed twice", at + 1))
        ++notes;
    EXPECT_EQ(notes, 1u);
    EXPECT_NE(run.errors.find(one + ": listed twice; done once"), std::string::npos) << run.errors.substr(0, 400);
    EXPECT_NE(run.errors.find("1 written, 0 failed"), std::string::npos) << run.errors.substr(0, 400);
}

// SIGINT, SIGTERM and SIGHUP: the file in hand is abandoned (here: waiting for a pipe that
// never opens), no new one starts, no temporary file is left, and the summary says so.
TEST_F(BatchInputsTest, ASignalStopsTheRunAndLeavesNoTemporaryFile) {
    const std::string first = Put("first.bmp", Bmp24(picture));
    const fs::path fifo = scratch.Path() / "never.bmp";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string last = Put("last.bmp", Bmp24(picture));
    for (const auto& [signal, status, name] : {std::tuple{SIGINT, 130, "SIGINT"}, std::tuple{SIGTERM, 143, "SIGTERM"},
                                               std::tuple{SIGHUP, 129, "SIGHUP"}}) {
        SCOPED_TRACE(name);
        const fs::path out = dir.Path() / ("out-" + std::string(name));
        pid_t pid = 0;
        Program({"-j", "1", "-d", out.string(), first, fifo.string(), last}, "/dev/null", &pid);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (!fs::exists(out / "first.bmp") && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        std::this_thread::sleep_for(std::chrono::milliseconds(200));  // now waiting for the pipe
        ::kill(pid, signal);
        const Outcome run = Wait(pid);
        EXPECT_EQ(run.status, status) << run.errors;
        EXPECT_EQ(FileNames(out), std::vector<std::string>{"first.bmp"});
        EXPECT_EQ(ReadBytes(out / "first.bmp"), Bmp24(picture));
        EXPECT_NE(run.errors.find(std::string("stopped by ") + name + ": 1 written, 0 failed, 2 not done"), std::string::npos)
            << run.errors;
    }
}

// A signal stops the run while the list is still being read: a pipe that stays open without a
// word, or a named pipe that no program writes yet.
TEST_F(BatchInputsTest, ASignalStopsTheReadingOfTheList) {
    const fs::path fifo = scratch.Path() / "list";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const struct {
        const char* name;
        bool fromStandardInput;  // else the list names the pipe, which has no writer
        int signal;
        int status;
    } cases[] = {{"SilentStandardInput", true, SIGINT, 130}, {"PipeWithoutWriter", false, SIGTERM, 143},
                 {"SilentStandardInputHangUp", true, SIGHUP, 129}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        // Holds the pipe open without writing, for long enough that only a signal ends the
        // reading; closes it then, so a run that ignores the signal still ends.
        std::atomic<bool> done{false}, closedFirst{false};
        std::thread holder;
        if (c.fromStandardInput)
            holder = std::thread([&fifo, &done, &closedFirst] {
                const int fd = ::open(fifo.c_str(), O_WRONLY);
                for (int i = 0; i < 300 && !done; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(50));
                closedFirst = !done;
                ::close(fd);
            });
        pid_t pid = 0;
        const std::vector<std::string> source = c.fromStandardInput ? std::vector<std::string>{"--files-from", "-"}
                                                                     : std::vector<std::string>{"--files-from", fifo.string()};
        std::vector<std::string> args = source;
        args.insert(args.end(), {"-d", PathOf("out")});
        Program(args, c.fromStandardInput ? fifo.string() : "/dev/null", &pid);
        std::this_thread::sleep_for(std::chrono::milliseconds(300));  // now waiting for the list
        ::kill(pid, c.signal);
        const Outcome run = Wait(pid);
        done = true;
        if (holder.joinable()) holder.join();
        EXPECT_EQ(run.status, c.status) << run.errors;
        EXPECT_NE(run.errors.find("while the list was read"), std::string::npos) << run.errors;
        EXPECT_FALSE(closedFirst) << "the run went on reading until the list ended";
    }
}

}  // namespace
}  // namespace rastrix

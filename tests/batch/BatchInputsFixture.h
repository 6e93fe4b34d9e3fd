#pragma once
// What the tests of rastrix-batch against hostile and unusual input share: a folder, the runner
// in this process, and the real program run as a user runs it.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "batch/BatchRun.h"
#include "document/NewImageDialog.h"
#include "raster/PixelPool.h"
#include "codec/BmpWriter.h"
#include "support/EncodedBmpFile.h"
#include "codec/PictureReader.h"
#include "store/StoreTestSupport.h"
#include "support/PictureTestFiles.h"

extern char** environ;

namespace rastrix::batch_inputs_test {

namespace fs = std::filesystem;
using testing::Bytes;
using testing::FileNames;
using testing::ReadBytes;

struct Outcome {
    int status = -1;
    std::string errors;
    long peakKiB = 0;  // the program's peak resident memory
};

inline Bytes Bmp24(const Bitmap& b) { return testing::EncodeBmpFile(b, 24, [](int) { return true; }).bytes; }

class BatchInputsTest : public ::testing::Test {
protected:
    std::string Put(const std::string& name, const Bytes& bytes) {
        testing::WriteBytes(dir.Path() / name, bytes);
        return PathOf(name);
    }
    std::string PathOf(const std::string& name) const { return (dir.Path() / name).string(); }
    Outcome Batch(std::vector<std::string> args) {
        ::testing::internal::CaptureStderr();
        const int status = batch::RunBatch(args);
        return {status, ::testing::internal::GetCapturedStderr()};
    }
    // The program itself, as a user runs it, with standard input from `input`; waits for it
    // unless `running` is given, which then gets its process id.
    Outcome Program(const std::vector<std::string>& args, const std::string& input = "/dev/null", pid_t* running = nullptr) {
        std::vector<std::string> all = {RASTRIX_BATCH_PROGRAM};
        all.insert(all.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (std::string& a : all) argv.push_back(a.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 0, input.c_str(), O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 1, outputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        posix_spawn_file_actions_addopen(&actions, 2, errorsFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        pid_t pid = 0;
        const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        EXPECT_EQ(spawned, 0);
        if (running) {
            *running = pid;
            return {};
        }
        return Wait(pid);
    }
    Outcome Wait(pid_t pid) {
        int status = 0;
        struct rusage usage {};
        ::wait4(pid, &status, 0, &usage);
        const Bytes errors = ReadBytes(errorsFile);
        return {WIFEXITED(status) ? WEXITSTATUS(status) : 1000 + WTERMSIG(status), std::string(errors.begin(), errors.end()),
                usage.ru_maxrss};
    }
    std::string Output() const {
        const Bytes out = ReadBytes(outputFile);
        return std::string(out.begin(), out.end());
    }

    testing::TempFolder dir;
    testing::TempFolder scratch;  // beside the outputs, so it never counts among them
    const std::string errorsFile = (scratch.Path() / "errors.txt").string();
    const std::string outputFile = (scratch.Path() / "output.bin").string();
    const Bitmap picture = testing::SmoothPicture(12, 8);
};

// A writer of a named pipe: `start`, then zeros until the reader closes it when `endless`.
// It waits for a reader only until `stop` is set, so a run that never opens the pipe does not
// leave it waiting.
inline std::thread PipeWriter(const fs::path& fifo, Bytes start, bool endless, const std::atomic<bool>& stop) {
    return std::thread([fifo, start, endless, &stop] {
        int fd = -1;
        while ((fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK)) < 0 && errno == ENXIO && !stop)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        if (fd < 0) return;
        ::fcntl(fd, F_SETFL, 0);
        const Bytes zeros(1 << 16, 0);
        bool open = ::write(fd, start.data(), start.size()) == ssize_t(start.size());
        while (open && endless) open = ::write(fd, zeros.data(), zeros.size()) > 0;  // until the reader is gone
        ::close(fd);
    });
}

}  // namespace rastrix::batch_inputs_test

#include "document/FileWrite.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>

#include "document/SaveErrorLines.h"

namespace rastrix {
namespace {

namespace fs = std::filesystem;

// Creating the file is reported under its own line; every later step under the write's.
static_assert(SaveErrorLine(FileWriteStep::Open) == 1075 && SaveErrorLine(FileWriteStep::Rename) == 1078);
using Bytes = std::vector<std::uint8_t>;

Bytes ReadAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

void WriteAll(const fs::path& p, const Bytes& b) {
    std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(b.data()), std::streamsize(b.size()));
}

std::vector<std::string> Names(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class FileWriteTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string("rastrix_fw_") + info->name();
        std::replace(name.begin(), name.end(), '/', '_');
        dir_ = fs::path(::testing::TempDir()) / name;
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    fs::path dir_;
    const Bytes oldBytes_ = {'o', 'l', 'd', 0, 1, 2, 3};
    Bytes NewBytes() const {
        Bytes b(100000);
        for (std::size_t i = 0; i < b.size(); ++i) b[i] = std::uint8_t(i * 7 + 3);
        return b;
    }
};

// Fails one step with a chosen errno; every other call goes to the real file system.
class FailingFileSystem : public PosixFileWriteCalls {
public:
    FailingFileSystem(FileWriteStep step, int error) : step_(step), error_(error) {}
    int CreateExclusive(const std::string& path, const std::string& like) override {
        if (step_ == FileWriteStep::Open) return errno = error_, -1;
        return PosixFileWriteCalls::CreateExclusive(path, like);
    }
    long Write(int fd, const void* data, std::size_t size) override {
        // Let a first part through so a half-written temporary file exists.
        if (step_ == FileWriteStep::Write && writes_++ > 0) return errno = error_, -1;
        return PosixFileWriteCalls::Write(fd, data, step_ == FileWriteStep::Write ? size / 2 : size);
    }
    int Sync(int fd) override {
        if (step_ == FileWriteStep::Flush) return errno = error_, -1;
        return PosixFileWriteCalls::Sync(fd);
    }
    int Close(int fd) override {
        const int r = PosixFileWriteCalls::Close(fd);
        ++closes_;
        if (step_ == FileWriteStep::Close) return errno = error_, -1;
        return r;
    }
    int Rename(const std::string& from, const std::string& to) override {
        if (step_ == FileWriteStep::Rename) return errno = error_, -1;
        return PosixFileWriteCalls::Rename(from, to);
    }
    int closes_ = 0;

private:
    FileWriteStep step_;
    int error_;
    int writes_ = 0;
};

class InjectedFailure : public FileWriteTest, public ::testing::WithParamInterface<std::tuple<FileWriteStep, int>> {};

TEST_P(InjectedFailure, OldFileIsUntouchedAndNoTemporaryFileRemains) {
    const auto [step, error] = GetParam();
    const fs::path target = dir_ / "picture.bmp";
    WriteAll(target, oldBytes_);
    FailingFileSystem failing(step, error);
    const Bytes fresh = NewBytes();
    const FileWriteResult r = WriteFileAtomically(target.string(), fresh, failing);
    EXPECT_EQ(r.step, step);
    EXPECT_EQ(r.error, error);
    EXPECT_FALSE(r.Ok());
    EXPECT_EQ(ReadAll(target), oldBytes_);
    EXPECT_EQ(Names(dir_), std::vector<std::string>{"picture.bmp"});
    if (step != FileWriteStep::Open) {
        EXPECT_EQ(failing.closes_, 1);  // the descriptor is not leaked
    }
}

TEST_P(InjectedFailure, NoFileAppearsWhenThereWasNone) {
    const auto [step, error] = GetParam();
    FailingFileSystem failing(step, error);
    const FileWriteResult r = WriteFileAtomically((dir_ / "new.bmp").string(), NewBytes(), failing);
    EXPECT_EQ(r.step, step);
    EXPECT_TRUE(Names(dir_).empty());
}

INSTANTIATE_TEST_SUITE_P(FileWrite, InjectedFailure,
                         ::testing::Values(std::tuple{FileWriteStep::Open, EACCES},
                                           std::tuple{FileWriteStep::Write, ENOSPC},
                                           std::tuple{FileWriteStep::Flush, EIO},
                                           std::tuple{FileWriteStep::Close, EDQUOT},
                                           std::tuple{FileWriteStep::Rename, EXDEV}));

TEST_F(FileWriteTest, ReplacesTheFileAndKeepsItsPermissions) {
    const fs::path target = dir_ / "picture.bmp";
    WriteAll(target, oldBytes_);
    ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
    const Bytes fresh = NewBytes();
    EXPECT_TRUE(WriteFileAtomically(target.string(), fresh).Ok());
    EXPECT_EQ(ReadAll(target), fresh);
    struct stat st {};
    ASSERT_EQ(::stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(Names(dir_), std::vector<std::string>{"picture.bmp"});
}

TEST_F(FileWriteTest, ReadOnlyFileIsNotReplaced) {
    if (::geteuid() == 0) GTEST_SKIP() << "root may write any file";
    const fs::path target = dir_ / "kept.bmp";
    WriteAll(target, oldBytes_);
    ASSERT_EQ(::chmod(target.c_str(), 0444), 0);
    const FileWriteResult r = WriteFileAtomically(target.string(), NewBytes());
    EXPECT_EQ(r.step, FileWriteStep::Open);
    EXPECT_EQ(r.error, EACCES);
    EXPECT_EQ(ReadAll(target), oldBytes_);
    EXPECT_EQ(Names(dir_), std::vector<std::string>{"kept.bmp"});
}

TEST_F(FileWriteTest, NewFileGetsTheUsualPermissions) {
    const mode_t old = ::umask(022);
    const fs::path target = dir_ / "new.bmp";
    const FileWriteResult r = WriteFileAtomically(target.string(), oldBytes_);
    ::umask(old);
    ASSERT_TRUE(r.Ok());
    struct stat st {};
    ASSERT_EQ(::stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0644u);
}

// Writes a few bytes at a time and is interrupted every other call.
class ChoppyFileSystem : public PosixFileWriteCalls {
public:
    long Write(int fd, const void* data, std::size_t size) override {
        if (++calls_ % 2 == 0) return errno = EINTR, -1;
        return PosixFileWriteCalls::Write(fd, data, std::min<std::size_t>(size, 7));
    }
    int calls_ = 0;
};

TEST_F(FileWriteTest, ShortAndInterruptedWritesStillWriteEverything) {
    ChoppyFileSystem choppy;
    Bytes fresh(1000);
    for (std::size_t i = 0; i < fresh.size(); ++i) fresh[i] = std::uint8_t(i);
    const fs::path target = dir_ / "a.bmp";
    ASSERT_TRUE(WriteFileAtomically(target.string(), fresh, choppy).Ok());
    EXPECT_EQ(ReadAll(target), fresh);
    EXPECT_GT(choppy.calls_, 200);
}

TEST_F(FileWriteTest, RealFailuresReportTheirStep) {
    const FileWriteResult missing = WriteFileAtomically((dir_ / "no" / "such.bmp").string(), oldBytes_);
    EXPECT_EQ(missing.step, FileWriteStep::Open);
    EXPECT_EQ(missing.error, ENOENT);

    fs::create_directories(dir_ / "folder.bmp" / "inside");
    const FileWriteResult overDir = WriteFileAtomically((dir_ / "folder.bmp").string(), oldBytes_);
    EXPECT_EQ(overDir.step, FileWriteStep::Rename);
    EXPECT_TRUE(fs::is_directory(dir_ / "folder.bmp" / "inside"));
    EXPECT_EQ(Names(dir_), std::vector<std::string>{"folder.bmp"});

    EXPECT_EQ(WriteFileAtomically("", oldBytes_).step, FileWriteStep::Open);
    EXPECT_EQ(WriteFileAtomically((dir_.string() + "/"), oldBytes_).step, FileWriteStep::Open);
}

TEST(FileWrite, BmpExtensionIsAddedUnlessPresent) {
    EXPECT_EQ(WithBmpExtension("picture"), "picture.bmp");
    EXPECT_EQ(WithBmpExtension("/tmp/photo.BMP"), "/tmp/photo.BMP");
    EXPECT_EQ(WithBmpExtension("a.bmp"), "a.bmp");
    EXPECT_EQ(WithBmpExtension(".bmp"), ".bmp.bmp");
    EXPECT_EQ(WithBmpExtension("x.bm"), "x.bm.bmp");
    EXPECT_EQ(WithBmpExtension("shot.bmpx"), "shot.bmpx.bmp");
}

}  // namespace
}  // namespace rastrix

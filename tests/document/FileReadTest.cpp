#include "document/FileRead.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <unistd.h>

namespace rastrix {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Counting(std::size_t n) {
    Bytes b(n);
    for (std::size_t i = 0; i < n; ++i) b[i] = std::uint8_t(i * 7 + 1);
    return b;
}

// Serves a file from memory and fails where told; counts opens and closes.
class ScriptedCalls : public FileCalls {
public:
    Bytes content = Counting(100);
    int openError = 0;
    int sizeError = 0;
    std::optional<std::int64_t> claimedSize;  // what Size reports, if not the content's size
    int failReadNumber = -1;                  // 0-based read call that fails
    int readError = EIO;
    std::size_t chunk = std::numeric_limits<std::size_t>::max();  // most bytes one read gives

    int opens = 0, closes = 0, reads = 0;

    FileCallResult Open(const std::string&) override {
        if (openError) return {0, openError};
        ++opens;
        position_ = 0;
        return {42, 0};
    }
    FileCallResult Size(std::int64_t handle) override {
        EXPECT_EQ(handle, 42);
        if (sizeError) return {0, sizeError};
        return {claimedSize.value_or(std::int64_t(content.size())), 0};
    }
    FileCallResult Read(std::int64_t handle, std::uint8_t* buffer, std::size_t count) override {
        EXPECT_EQ(handle, 42);
        if (reads++ == failReadNumber) return {0, readError};
        const std::size_t n = std::min({count, chunk, content.size() - position_});
        std::memcpy(buffer, content.data() + position_, n);
        position_ += n;
        return {std::int64_t(n), 0};
    }
    void Close(std::int64_t handle) override {
        EXPECT_EQ(handle, 42);
        ++closes;
    }

private:
    std::size_t position_ = 0;
};

TEST(ReadWholeFile, ShortReadsAreJoinedIntoTheWholeFile) {
    for (std::size_t chunk : {1u, 3u, 64u, 100u}) {
        ScriptedCalls calls;
        calls.chunk = chunk;
        const FileReadResult r = ReadWholeFile("x.bmp", calls);
        ASSERT_TRUE(r.bytes) << "chunk " << chunk;
        EXPECT_EQ(*r.bytes, calls.content) << "chunk " << chunk;
        EXPECT_EQ(calls.closes, 1);
    }
}

struct FailureCase {
    const char* name;
    void (*script)(ScriptedCalls&);
    FileReadStep step;
    int errorCode;
};

const FailureCase kFailures[] = {
    {"open", [](ScriptedCalls& c) { c.openError = ENOENT; }, FileReadStep::Open, ENOENT},
    {"size", [](ScriptedCalls& c) { c.sizeError = EIO; }, FileReadStep::Size, EIO},
    {"too_big",
     [](ScriptedCalls& c) { c.claimedSize = std::int64_t(kMaxReadableFileBytes + 1); },
     FileReadStep::Allocate, EFBIG},
    {"first_read", [](ScriptedCalls& c) { c.failReadNumber = 0; }, FileReadStep::Read, EIO},
    {"read_after_short_reads",
     [](ScriptedCalls& c) {
         c.chunk = 10;
         c.failReadNumber = 3;
         c.readError = EACCES;
     },
     FileReadStep::Read, EACCES},
};

class ReadFailureTest : public ::testing::TestWithParam<FailureCase> {};

TEST_P(ReadFailureTest, ReportsTheStepAndErrorAndClosesTheFile) {
    ScriptedCalls calls;
    GetParam().script(calls);
    const FileReadResult r = ReadWholeFile("x.bmp", calls);
    EXPECT_FALSE(r.bytes);
    EXPECT_EQ(r.error.step, GetParam().step);
    EXPECT_EQ(r.error.errorCode, GetParam().errorCode);
    EXPECT_EQ(calls.closes, calls.opens);
}

INSTANTIATE_TEST_SUITE_P(Steps, ReadFailureTest, ::testing::ValuesIn(kFailures),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ReadWholeFile, FileThatShrankGivesWhatItHolds) {
    ScriptedCalls calls;
    calls.claimedSize = 150;
    const FileReadResult r = ReadWholeFile("x.bmp", calls);
    ASSERT_TRUE(r.bytes);
    EXPECT_EQ(*r.bytes, calls.content);
}

TEST(ReadFileStart, ReadsAtMostTheBytesAsked) {
    ScriptedCalls calls;
    calls.chunk = 7;
    FileReadResult r = ReadFileStart("x.bmp", 30, calls);
    ASSERT_TRUE(r.bytes);
    EXPECT_EQ(*r.bytes, Bytes(calls.content.begin(), calls.content.begin() + 30));

    ScriptedCalls shortFile;
    shortFile.content = Counting(12);
    r = ReadFileStart("x.bmp", 138, shortFile);
    ASSERT_TRUE(r.bytes);
    EXPECT_EQ(*r.bytes, shortFile.content);

    ScriptedCalls huge;  // a header read does not care how big the file is
    huge.claimedSize = std::int64_t(kMaxReadableFileBytes) * 4;
    r = ReadFileStart("x.bmp", 20, huge);
    ASSERT_TRUE(r.bytes);
    EXPECT_EQ(r.bytes->size(), 20u);
}

class PosixReadTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() / ("rastrix-read-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::string Write(const char* name, const Bytes& content) {
        const auto path = dir_ / name;
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(content.data()),
                                                     std::streamsize(content.size()));
        return path.string();
    }
    std::filesystem::path dir_;
};

TEST_F(PosixReadTest, ReadsFilesWholeAndByTheirStart) {
    const Bytes content = Counting(300000);  // more than one typical read
    const std::string path = Write("a.bmp", content);
    FileReadResult r = ReadWholeFile(path);
    ASSERT_TRUE(r.bytes);
    EXPECT_EQ(*r.bytes, content);
    r = ReadFileStart(path, 138);
    ASSERT_TRUE(r.bytes);
    EXPECT_EQ(*r.bytes, Bytes(content.begin(), content.begin() + 138));
    r = ReadWholeFile(Write("empty.bmp", {}));
    ASSERT_TRUE(r.bytes);
    EXPECT_TRUE(r.bytes->empty());
}

TEST_F(PosixReadTest, MissingFileAndFolderFailToOpen) {
    FileReadResult r = ReadWholeFile((dir_ / "missing.bmp").string());
    EXPECT_FALSE(r.bytes);
    EXPECT_EQ(r.error.step, FileReadStep::Open);
    EXPECT_EQ(r.error.errorCode, ENOENT);
    r = ReadWholeFile(dir_.string());
    EXPECT_FALSE(r.bytes);
    EXPECT_EQ(r.error.step, FileReadStep::Open);
    EXPECT_EQ(r.error.errorCode, EISDIR);
}

}  // namespace
}  // namespace rastrix

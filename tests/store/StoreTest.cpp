#include "store/Store.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <optional>
#include <string>

#include "FaultInjectingFileSystem.h"
#include "TempFolder.h"

namespace rastrix {
namespace {

using testing::FaultInjectingFileSystem;
using testing::FileNames;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;
using Bytes = std::vector<std::uint8_t>;

TEST(StoreFolder, FollowsXdgConfigHomeThenHome) {
    EXPECT_EQ(Store::FolderFor("/x/cfg", "/home/u"), "/x/cfg/Orlane/Rastrix");
    EXPECT_EQ(Store::FolderFor(nullptr, "/home/u"), "/home/u/.config/Orlane/Rastrix");
    EXPECT_EQ(Store::FolderFor("", "/home/u"), "/home/u/.config/Orlane/Rastrix");
    // A relative XDG_CONFIG_HOME is not a valid setting and is skipped.
    EXPECT_EQ(Store::FolderFor("cfg", "/home/u"), "/home/u/.config/Orlane/Rastrix");
    EXPECT_EQ(Store::FolderFor(nullptr, "relative/home"), "");
    EXPECT_EQ(Store::FolderFor(nullptr, nullptr), "");
}

// Sets an environment variable for one scope and puts the old value back.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value) ::setenv(name, value, 1); else ::unsetenv(name);
    }
    ~ScopedEnv() {
        if (old_) ::setenv(name_, old_->c_str(), 1); else ::unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(StoreFolder, DefaultFolderReadsTheEnvironment) {
    TempFolder temp;
    {
        ScopedEnv xdg("XDG_CONFIG_HOME", temp.Path().c_str());
        EXPECT_EQ(Store::DefaultFolder(), temp.Path() / "Orlane" / "Rastrix");
    }
    ScopedEnv xdg("XDG_CONFIG_HOME", nullptr);
    ScopedEnv home("HOME", "/home/someone");
    EXPECT_EQ(Store::DefaultFolder(), "/home/someone/.config/Orlane/Rastrix");
}

class StoreTest : public ::testing::Test {
protected:
    TempFolder temp;
    std::filesystem::path folder = temp.Path() / "cfg" / "Orlane" / "Rastrix";
    Store store{folder};
};

TEST_F(StoreTest, MissingValueWithoutFolderIsMissingAndCreatesNothing) {
    const ReadResult result = store.Read("Settings");
    EXPECT_EQ(result.status, ReadStatus::Missing);
    EXPECT_TRUE(result.bytes.empty());
    EXPECT_FALSE(std::filesystem::exists(temp.Path() / "cfg"));
}

TEST_F(StoreTest, WriteCreatesPrivateFolderAndReadsBackExactly) {
    const Bytes value{0, 1, 2, 0xFF, 9, 0};
    ASSERT_TRUE(store.Write("Colors", value));
    EXPECT_EQ(ReadBytes(folder / "Colors"), value);
    EXPECT_EQ(FileNames(folder), std::vector<std::string>{"Colors"});
    EXPECT_EQ(std::filesystem::status(folder).permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_all);

    const ReadResult result = store.Read("Colors");
    EXPECT_EQ(result.status, ReadStatus::Found);
    EXPECT_EQ(result.bytes, value);
    EXPECT_EQ(result.storedSize, value.size());
}

TEST_F(StoreTest, ShorterValueReplacesTheWholeOldOne) {
    ASSERT_TRUE(store.Write("Recent", Bytes(100, 'a')));
    ASSERT_TRUE(store.Write("Recent", Bytes{'b', 0}));
    EXPECT_EQ(store.Read("Recent").bytes, (Bytes{'b', 0}));
}

TEST_F(StoreTest, EmptyValueIsFoundNotMissing) {
    ASSERT_TRUE(store.Write("Recent", Bytes{}));
    const ReadResult result = store.Read("Recent");
    EXPECT_EQ(result.status, ReadStatus::Found);
    EXPECT_TRUE(result.bytes.empty());
}

TEST_F(StoreTest, ValueOverTheLimitIsNotReadButItsSizeIsKnown) {
    ASSERT_TRUE(store.Write("Settings", Bytes(52, 7)));
    const ReadResult result = store.Read("Settings", 51);
    EXPECT_EQ(result.status, ReadStatus::TooLarge);
    EXPECT_EQ(result.storedSize, 52u);
    EXPECT_TRUE(result.bytes.empty());
    EXPECT_EQ(store.Read("Settings", 52).bytes, Bytes(52, 7));
}

TEST_F(StoreTest, NamesThatCouldLeaveTheFolderAreRefused) {
    for (std::string_view name : std::initializer_list<std::string_view>{
             "", "../escape", ".hidden", "a/b", std::string_view("a\0b", 3)}) {
        const WriteResult written = store.Write(name, Bytes{1});
        EXPECT_FALSE(written) << name;
        EXPECT_EQ(written.failure, (StoreFailure{StoreStep::Open, EINVAL})) << name;
        EXPECT_EQ(store.Read(name).status, ReadStatus::Failed) << name;
    }
    EXPECT_FALSE(std::filesystem::exists(temp.Path() / "cfg" / "Orlane" / "escape"));
    EXPECT_FALSE(std::filesystem::exists(folder));
}

TEST_F(StoreTest, StoreWithoutFolderNeverTouchesTheWorkingDirectory) {
    Store nowhere{std::filesystem::path{}};
    EXPECT_EQ(nowhere.Read("CMakeLists.txt").status, ReadStatus::Failed);
    const WriteResult written = nowhere.Write("Settings", Bytes{1});
    EXPECT_EQ(written.failure, (StoreFailure{StoreStep::CreateFolder, ENOENT}));
}

TEST_F(StoreTest, DirectoryOrFifoInPlaceOfAValueIsAReadFailure) {
    std::filesystem::create_directories(folder / "Settings");
    const ReadResult dir = store.Read("Settings");
    EXPECT_EQ(dir.status, ReadStatus::Failed);
    EXPECT_EQ(dir.failure, (StoreFailure{StoreStep::Size, EISDIR}));

    ASSERT_EQ(::mkfifo((folder / "Recent").c_str(), 0600), 0);
    const ReadResult fifo = store.Read("Recent");  // must not block waiting for a writer
    EXPECT_EQ(fifo.failure, (StoreFailure{StoreStep::Size, EINVAL}));
}

TEST_F(StoreTest, UnreadableValueReportsOpenFailure) {
    if (::geteuid() == 0) GTEST_SKIP() << "file permissions do not bind the superuser";
    WriteBytes(folder / "Colors", Bytes(64, 1));
    std::filesystem::permissions(folder / "Colors", std::filesystem::perms::none);
    const ReadResult result = store.Read("Colors");
    EXPECT_EQ(result.status, ReadStatus::Failed);
    EXPECT_EQ(result.failure, (StoreFailure{StoreStep::Open, EACCES}));
}

TEST_F(StoreTest, FolderBlockedByAFileIsReportedAtCreateFolder) {
    WriteBytes(temp.Path() / "cfg" / "Orlane", Bytes{1});
    const WriteResult written = store.Write("Settings", Bytes{1});
    EXPECT_EQ(written.failure, (StoreFailure{StoreStep::CreateFolder, ENOTDIR}));
    EXPECT_EQ(Describe(written.failure), "create folder: Not a directory");
}

struct WriteFault {
    const char* name;
    FaultInjectingFileSystem::Op op;
    StoreStep step;
    int error;
};

template <class Fault>
std::string FaultName(const ::testing::TestParamInfo<Fault>& info) { return info.param.name; }

class StoreWriteFault : public StoreTest, public ::testing::WithParamInterface<WriteFault> {
protected:
    FaultInjectingFileSystem files;
    Store faulty{folder, files};
};

TEST_P(StoreWriteFault, LeavesThePreviousValueAndNoTemporaryFile) {
    const Bytes previous{'o', 'l', 'd', 0};
    ASSERT_TRUE(faulty.Write("Recent", previous));

    files.FailAt(GetParam().op, GetParam().error);
    const WriteResult written = faulty.Write("Recent", Bytes(3000, 'n'));
    EXPECT_FALSE(written);
    EXPECT_EQ(written.failure, (StoreFailure{GetParam().step, GetParam().error}));
    EXPECT_EQ(ReadBytes(folder / "Recent"), previous);
    EXPECT_EQ(FileNames(folder), std::vector<std::string>{"Recent"});

    files.Heal();
    EXPECT_TRUE(faulty.Write("Recent", Bytes{'n', 0}));
    EXPECT_EQ(ReadBytes(folder / "Recent"), (Bytes{'n', 0}));
}

TEST_P(StoreWriteFault, LeavesAMissingValueMissing) {
    files.FailAt(GetParam().op, GetParam().error);
    EXPECT_FALSE(faulty.Write("Colors", Bytes(64, 3)));
    EXPECT_EQ(faulty.Read("Colors").status, ReadStatus::Missing);
    EXPECT_TRUE(FileNames(folder).empty());
}

using Op = FaultInjectingFileSystem::Op;
INSTANTIATE_TEST_SUITE_P(EveryStep, StoreWriteFault,
                         ::testing::Values(WriteFault{"CreateFolder", Op::CreateFolder, StoreStep::CreateFolder, EACCES},
                                           WriteFault{"CreateTemp", Op::CreateTemp, StoreStep::Open, ENOSPC},
                                           WriteFault{"Write", Op::Write, StoreStep::Write, ENOSPC},
                                           WriteFault{"Flush", Op::Flush, StoreStep::Flush, EIO},
                                           WriteFault{"Close", Op::Close, StoreStep::Close, EIO},
                                           WriteFault{"Rename", Op::Rename, StoreStep::Rename, EXDEV}),
                         FaultName<WriteFault>);

struct ReadFault {
    const char* name;
    FaultInjectingFileSystem::Op op;
    StoreStep step;
};

class StoreReadFault : public StoreTest, public ::testing::WithParamInterface<ReadFault> {};

TEST_P(StoreReadFault, IsReportedWithItsStepAndReturnsNoBytes) {
    ASSERT_TRUE(store.Write("Settings", Bytes(51, 1)));
    FaultInjectingFileSystem files;
    Store faulty{folder, files};
    files.FailAt(GetParam().op, EIO);
    const ReadResult result = faulty.Read("Settings");
    EXPECT_EQ(result.status, ReadStatus::Failed);
    EXPECT_EQ(result.failure, (StoreFailure{GetParam().step, EIO}));
    EXPECT_TRUE(result.bytes.empty());
}

INSTANTIATE_TEST_SUITE_P(EveryStep, StoreReadFault,
                         ::testing::Values(ReadFault{"OpenRead", Op::OpenRead, StoreStep::Open},
                                           ReadFault{"Size", Op::Size, StoreStep::Size},
                                           ReadFault{"Read", Op::Read, StoreStep::Read}),
                         FaultName<ReadFault>);

}  // namespace
}  // namespace rastrix

#include "store/Store.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>

#include "support/FaultInjectingFileSystem.h"
#include "StoreTestSupport.h"

namespace rastrix {
namespace {

using namespace rastrix::testing;
using Op = FaultInjectingFileSystem::Op;

TEST(StoreFolder, FollowsXdgConfigHomeThenHome) {
    EXPECT_EQ(Store::FolderFor("/x/cfg", "/home/u"), "/x/cfg/Orlane/Rastrix");
    EXPECT_EQ(Store::FolderFor("", "/home/u"), "/home/u/.config/Orlane/Rastrix");
    EXPECT_EQ(Store::FolderFor("cfg", "/home/u"), "/home/u/.config/Orlane/Rastrix");  // relative: skipped
    EXPECT_EQ(Store::FolderFor(nullptr, "relative/home"), "");
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

TEST_F(StoreTest, ReadingCreatesNothingAndWritingCreatesAPrivateFolder) {
    EXPECT_EQ(store.Read("Settings").status, ReadStatus::Missing);
    EXPECT_FALSE(std::filesystem::exists(temp.Path() / "cfg"));

    ASSERT_TRUE(store.Write("Colors", Bytes(100, 'a')));
    ASSERT_TRUE(store.Write("Colors", Bytes{0, 1, 0xFF}));  // shorter value replaces it whole
    const ReadResult result = store.Read("Colors");
    EXPECT_EQ(result.status, ReadStatus::Found);
    EXPECT_EQ(result.bytes, (Bytes{0, 1, 0xFF}));
    EXPECT_EQ(FileNames(folder), std::vector<std::string>{"Colors"});
    EXPECT_EQ(std::filesystem::status(folder).permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_all);
}

TEST_F(StoreTest, ValueOverTheLimitIsNotReadButItsSizeIsKnown) {
    ASSERT_TRUE(store.Write("Settings", Bytes(52, 7)));
    const ReadResult result = store.Read("Settings", 51);
    EXPECT_EQ(result.status, ReadStatus::TooLarge);
    EXPECT_EQ(result.storedSize, 52u);
    EXPECT_EQ(store.Read("Settings", 52).bytes, Bytes(52, 7));
}

TEST_F(StoreTest, NamesThatCouldLeaveTheFolderAndAnEmptyFolderAreRefused) {
    for (std::string_view name : {"", "../escape", ".hidden", "a/b"}) {
        EXPECT_EQ(store.Write(name, Bytes{1}).failure, (FileFailure{FileStep::Open, EINVAL})) << name;
        EXPECT_EQ(store.Read(name).status, ReadStatus::Failed) << name;
    }
    EXPECT_TRUE(FileNames(temp.Path()).empty());
    Store nowhere{std::filesystem::path{}};  // must not fall back to the working directory
    EXPECT_EQ(nowhere.Read("CMakeLists.txt").status, ReadStatus::Failed);
    EXPECT_EQ(nowhere.Write("Settings", Bytes{1}).failure, (FileFailure{FileStep::CreateFolder, ENOENT}));
}

TEST_F(StoreTest, DirectoryOrFifoInPlaceOfAValueIsAReadFailure) {
    std::filesystem::create_directories(folder / "Settings");
    EXPECT_EQ(store.Read("Settings").failure, (FileFailure{FileStep::Open, EISDIR}));
    ASSERT_EQ(::mkfifo((folder / "Recent").c_str(), 0600), 0);
    EXPECT_EQ(store.Read("Recent").failure, (FileFailure{FileStep::Size, EINVAL}));  // no hang
    WriteBytes(temp.Path() / "file", Bytes{1});
    EXPECT_EQ(Describe(Store(temp.Path() / "file" / "x").Write("Settings", Bytes{1}).failure),
              "create folder: Not a directory");
}

struct Fault {
    const char* name;
    Op op;
    FileStep step;
    int error;
};
std::string FaultName(const ::testing::TestParamInfo<Fault>& info) { return info.param.name; }

class StoreWriteFault : public StoreTest, public ::testing::WithParamInterface<Fault> {};

TEST_P(StoreWriteFault, LeavesThePreviousValueAndNoTemporaryFile) {
    FaultInjectingFileSystem files;
    Store faulty{folder, files};
    const Bytes previous{'o', 'l', 'd', 0};
    ASSERT_TRUE(faulty.Write("Recent", previous));

    files.FailAt(GetParam().op, GetParam().error);
    const WriteResult written = faulty.Write("Recent", Bytes(3000, 'n'));
    EXPECT_FALSE(written);
    EXPECT_EQ(written.failure, (FileFailure{GetParam().step, GetParam().error}));
    EXPECT_EQ(ReadBytes(folder / "Recent"), previous);
    EXPECT_EQ(FileNames(folder), std::vector<std::string>{"Recent"});
}

INSTANTIATE_TEST_SUITE_P(EveryStep, StoreWriteFault,
                         ::testing::Values(Fault{"CreateFolder", Op::CreateFolder, FileStep::CreateFolder, EACCES},
                                           Fault{"CreateTemp", Op::CreateTemp, FileStep::Open, ENOSPC},
                                           Fault{"Write", Op::Write, FileStep::Write, ENOSPC},
                                           Fault{"Flush", Op::Flush, FileStep::Flush, EIO},
                                           Fault{"Close", Op::Close, FileStep::Close, EIO},
                                           Fault{"Rename", Op::Rename, FileStep::Rename, EXDEV}),
                         FaultName);

class StoreReadFault : public StoreTest, public ::testing::WithParamInterface<Fault> {};

TEST_P(StoreReadFault, IsReportedWithItsStepAndReturnsNoBytes) {
    ASSERT_TRUE(store.Write("Settings", Bytes(51, 1)));
    FaultInjectingFileSystem files;
    files.FailAt(GetParam().op, GetParam().error);
    const ReadResult result = Store(folder, files).Read("Settings");
    EXPECT_EQ(result.status, ReadStatus::Failed);
    EXPECT_EQ(result.failure, (FileFailure{GetParam().step, GetParam().error}));
    EXPECT_TRUE(result.bytes.empty());
}

INSTANTIATE_TEST_SUITE_P(EveryStep, StoreReadFault,
                         ::testing::Values(Fault{"OpenRead", Op::OpenRead, FileStep::Open, EACCES},
                                           Fault{"Size", Op::Size, FileStep::Size, EIO},
                                           Fault{"Read", Op::Read, FileStep::Read, EIO}),
                         FaultName);

}  // namespace
}  // namespace rastrix

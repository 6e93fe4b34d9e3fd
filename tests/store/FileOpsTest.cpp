// Reading a file whole or by its start, and replacing a file safely, through the file seam.
#include "store/FileOps.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <thread>
#include <cerrno>
#include <span>
#include <tuple>

#include "StoreTestSupport.h"
#include "support/FaultInjectingFileSystem.h"

namespace rastrix {
namespace {

using namespace rastrix::testing;
using Op = FaultInjectingFileSystem::Op;
namespace fs = std::filesystem;

class FileOpsTest : public ::testing::Test {
protected:
    fs::path Put(const char* name, const Bytes& bytes) {
        WriteBytes(temp.Path() / name, bytes);
        return temp.Path() / name;
    }
    TempFolder temp;
    FaultInjectingFileSystem files;
    const Bytes content = Counting(100);
};

TEST_F(FileOpsTest, ShortReadsAreJoinedAndTheLimitIsKeptOrRefused) {
    const fs::path file = Put("a.bmp", content);
    for (std::size_t chunk : {1u, 3u, 64u, 100u}) {
        files.chunk = chunk;
        const FileBytesResult whole = ReadFileBytes(files, file, 1000, LongerFile::Refuse);
        ASSERT_TRUE(whole) << "chunk " << chunk;
        EXPECT_EQ(whole.bytes, content) << "chunk " << chunk;
        const FileBytesResult start = ReadFileBytes(files, file, 30, LongerFile::ReadStart);
        EXPECT_EQ(start.bytes, Bytes(content.begin(), content.begin() + 30)) << "chunk " << chunk;
    }
    const FileBytesResult refused = ReadFileBytes(files, file, 99, LongerFile::Refuse);
    EXPECT_FALSE(refused);
    EXPECT_EQ(refused.failure, (FileFailure{FileStep::Allocate, EFBIG}));
    EXPECT_EQ(refused.storedSize, 100u);
    EXPECT_TRUE(refused.bytes.empty());
    EXPECT_EQ(files.OpenHandles(), 0u);
}

TEST_F(FileOpsTest, AFileThatShrankOrGrewSinceItWasSizedGivesWhatTheSizeAllows) {
    const fs::path file = Put("a.bmp", content);
    files.reportedSize = 150;
    EXPECT_EQ(ReadFileBytes(files, file, 1000, LongerFile::Refuse).bytes, content);
    files.reportedSize = 40;
    EXPECT_EQ(ReadFileBytes(files, file, 1000, LongerFile::Refuse).bytes, Bytes(content.begin(), content.begin() + 40));
    files.reportedSize = std::uint64_t(1) << 40;  // a header read does not care how big the file is
    EXPECT_EQ(ReadFileBytes(files, file, 20, LongerFile::ReadStart).bytes.size(), 20u);
}

TEST_F(FileOpsTest, AMappedReadShowsTheFileAndFallsBackToReadingWhereNothingMaps) {
    const fs::path file = Put("a.bmp", content);
    FileBytesResult mapped = ReadFileBytes(PosixFileSystem(), file, 1000, LongerFile::Refuse, FileAccess::MapWhereAllowed);
    ASSERT_TRUE(mapped);
    ASSERT_TRUE(mapped.mapping);
    EXPECT_TRUE(mapped.bytes.empty());
    EXPECT_EQ(Bytes(mapped.View().begin(), mapped.View().end()), content);
    // The mapping stays valid once the file is gone, for as long as it is held.
    fs::remove(file);
    const FileBytesResult kept = std::move(mapped);
    EXPECT_EQ(Bytes(kept.View().begin(), kept.View().end()), content);

    // A file system that does not map (the test one) is read, with the same limits; an empty
    // file is read too.
    const fs::path again = Put("b.bmp", content);
    const FileBytesResult read = ReadFileBytes(files, again, 1000, LongerFile::Refuse, FileAccess::MapWhereAllowed);
    EXPECT_FALSE(read.mapping);
    EXPECT_EQ(Bytes(read.View().begin(), read.View().end()), content);
    EXPECT_FALSE(ReadFileBytes(PosixFileSystem(), again, 99, LongerFile::Refuse, FileAccess::MapWhereAllowed));
    const FileBytesResult empty = ReadFileBytes(PosixFileSystem(), Put("c.bmp", {}), 1000, LongerFile::Refuse, FileAccess::MapWhereAllowed);
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty.View().empty());
    EXPECT_EQ(files.OpenHandles(), 0u);
}

TEST_F(FileOpsTest, AMappedFileCutShortByAnotherProgramReadsAsZerosAndSaysSo) {
    const std::size_t pages = 3 * std::size_t(::sysconf(_SC_PAGESIZE));
    const Bytes whole = Counting(pages);
    const fs::path file = Put("a.bmp", whole);
    const FileBytesResult mapped =
        ReadFileBytes(PosixFileSystem(), file, pages, LongerFile::Refuse, FileAccess::MapWhereAllowed);
    ASSERT_TRUE(mapped.mapping);
    EXPECT_TRUE(mapped.Intact());
    fs::resize_file(file, 10);  // another program cuts it short
    const Bytes seen(mapped.View().begin(), mapped.View().end());  // no SIGBUS ends the program
    EXPECT_FALSE(mapped.Intact());
    EXPECT_EQ(Bytes(seen.begin(), seen.begin() + 10), Bytes(whole.begin(), whole.begin() + 10));
    EXPECT_EQ(Bytes(seen.end() - 100, seen.end()), Bytes(100, 0));
    // Another mapping of it is whole again.
    const FileBytesResult again =
        ReadFileBytes(PosixFileSystem(), file, pages, LongerFile::Refuse, FileAccess::MapWhereAllowed);
    ASSERT_TRUE(again);
    EXPECT_TRUE(again.Intact());
}

struct ReadFault {
    const char* name;
    Op op;
    int nth;
    FileStep step;
};

class ReadFaultTest : public FileOpsTest, public ::testing::WithParamInterface<ReadFault> {};

TEST_P(ReadFaultTest, ReportsTheStepAndErrorAndClosesTheFile) {
    const fs::path file = Put("a.bmp", content);
    files.chunk = 10;
    files.FailAt(GetParam().op, EACCES, GetParam().nth);
    const FileBytesResult r = ReadFileBytes(files, file, 1000, LongerFile::Refuse);
    EXPECT_FALSE(r);
    EXPECT_EQ(r.failure, (FileFailure{GetParam().step, EACCES}));
    EXPECT_TRUE(r.bytes.empty());
    EXPECT_EQ(files.OpenHandles(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Steps, ReadFaultTest,
                         ::testing::Values(ReadFault{"Open", Op::OpenRead, 0, FileStep::Open},
                                           ReadFault{"Size", Op::Size, 0, FileStep::Size},
                                           ReadFault{"FirstRead", Op::Read, 0, FileStep::Read},
                                           ReadFault{"ReadAfterShortReads", Op::Read, 3, FileStep::Read}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(FileOpsTest, FoldersAndPipesAreRefusedWithoutHanging) {
    FileBytesResult r = ReadFileBytes(files, temp.Path() / "missing.bmp", 10, LongerFile::Refuse);
    EXPECT_EQ(r.failure, (FileFailure{FileStep::Open, ENOENT}));
    r = ReadFileBytes(files, temp.Path(), 10, LongerFile::Refuse);
    EXPECT_EQ(r.failure, (FileFailure{FileStep::Open, EISDIR}));
    ASSERT_EQ(::mkfifo((temp.Path() / "pipe.bmp").c_str(), 0600), 0);
    r = ReadFileBytes(files, temp.Path() / "pipe.bmp", 10, LongerFile::Refuse);
    EXPECT_EQ(r.failure, (FileFailure{FileStep::Size, EINVAL}));
    EXPECT_EQ(files.OpenHandles(), 0u);
}

class AtomicWrite : public FileOpsTest {
protected:
    WriteResult Write(const fs::path& target, const Bytes& bytes) {
        return WriteFileAtomically(files, target, bytes, 0666);
    }
    const Bytes oldBytes = {'o', 'l', 'd', 0, 1, 2, 3};
    const Bytes fresh = Counting(100000);
};

class AtomicWriteFault : public AtomicWrite, public ::testing::WithParamInterface<std::tuple<Op, FileStep, int>> {};

TEST_P(AtomicWriteFault, LeavesTheOldFileOrNoFileAndNoTemporaryFile) {
    const auto [op, step, error] = GetParam();
    const fs::path target = Put("picture.bmp", oldBytes);
    files.FailAt(op, error);
    WriteResult r = Write(target, fresh);
    EXPECT_EQ(r.failure, (FileFailure{step, error}));
    EXPECT_EQ(ReadBytes(target), oldBytes);
    EXPECT_EQ(FileNames(temp.Path()), std::vector<std::string>{"picture.bmp"});
    EXPECT_EQ(files.OpenHandles(), 0u);

    files.FailAt(op, error);
    r = Write(temp.Path() / "new.bmp", fresh);
    EXPECT_FALSE(r);
    EXPECT_EQ(FileNames(temp.Path()), std::vector<std::string>{"picture.bmp"});
}

INSTANTIATE_TEST_SUITE_P(Steps, AtomicWriteFault,
                         ::testing::Values(std::tuple{Op::CreateTemp, FileStep::Open, EACCES},
                                           std::tuple{Op::Write, FileStep::Write, ENOSPC},
                                           std::tuple{Op::Flush, FileStep::Flush, EIO},
                                           std::tuple{Op::Close, FileStep::Close, EDQUOT},
                                           std::tuple{Op::Rename, FileStep::Rename, EXDEV}));

TEST_F(AtomicWrite, AFailureAfterSomeShortWritesStillCleansUp) {
    const fs::path target = Put("picture.bmp", oldBytes);
    files.chunk = 7;
    files.FailAt(Op::Write, ENOSPC, 5);
    EXPECT_EQ(Write(target, fresh).failure, (FileFailure{FileStep::Write, ENOSPC}));
    EXPECT_EQ(ReadBytes(target), oldBytes);
    EXPECT_EQ(FileNames(temp.Path()), std::vector<std::string>{"picture.bmp"});

    files.Heal();  // short writes alone still write everything
    ASSERT_TRUE(Write(target, fresh));
    EXPECT_EQ(ReadBytes(target), fresh);
    EXPECT_GT(files.Calls(Op::Write), 10000);
}

TEST_F(AtomicWrite, BytesMadeAsTheyAreWrittenGoInWholeOrNotAtAll) {
    const fs::path target = Put("picture.bmp", oldBytes);
    const auto thirds = [this] {
        return [this, next = std::size_t(0)]() mutable {
            const std::size_t from = next;
            next = std::min(fresh.size(), next + fresh.size() / 3 + 1);
            return std::span<const std::uint8_t>(fresh).subspan(from, next - from);
        };
    };
    files.FailAt(Op::Write, ENOSPC, 2);  // in the last piece
    EXPECT_EQ(WriteFileAtomically(files, target, thirds(), 0666).failure, (FileFailure{FileStep::Write, ENOSPC}));
    EXPECT_EQ(ReadBytes(target), oldBytes);
    EXPECT_EQ(FileNames(temp.Path()), std::vector<std::string>{"picture.bmp"});
    files.Heal();
    ASSERT_TRUE(WriteFileAtomically(files, target, thirds(), 0666));
    EXPECT_EQ(ReadBytes(target), fresh);
}

TEST_F(AtomicWrite, AReplacedFileKeepsItsPermissionsAndANewOneFollowsTheUmask) {
    const fs::path target = Put("picture.bmp", oldBytes);
    ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
    ASSERT_TRUE(Write(target, fresh));
    EXPECT_EQ(ReadBytes(target), fresh);
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all, fs::perms(0640));

    const mode_t old = ::umask(022);
    const WriteResult r = Write(temp.Path() / "new.bmp", oldBytes);
    ::umask(old);
    ASSERT_TRUE(r);
    EXPECT_EQ(fs::status(temp.Path() / "new.bmp").permissions() & fs::perms::all, fs::perms(0644));
    EXPECT_EQ(FileNames(temp.Path()), (std::vector<std::string>{"new.bmp", "picture.bmp"}));
}

// Every way a name can point elsewhere: the write replaces the file the link points at, beside
// it, with its permissions, and the link stays a link to it.
struct LinkCase {
    const char* name;
    const char* linkTo;  // what link.bmp holds; "@x" stands for the absolute path of x in the test folder
    const char* hopTo;   // when set, hop.bmp is a second link holding this
    const char* target;  // the file the write must land in, relative to the test folder
    bool targetExists;
    std::vector<std::string> topNames;    // what the test folder holds afterwards: no temporary file
    std::vector<std::string> otherNames;  // and its subfolder "other"
};

class AtomicWriteThroughLink : public AtomicWrite, public ::testing::WithParamInterface<LinkCase> {
protected:
    std::string Spelled(const char* to) const {
        return to[0] == '@' ? (temp.Path() / (to + 1)).string() : std::string(to);
    }
};

TEST_P(AtomicWriteThroughLink, ReplacesWhatTheLinkPointsAtAndKeepsTheLink) {
    const LinkCase& c = GetParam();
    fs::create_directories(temp.Path() / "other");
    const fs::path target = temp.Path() / c.target;
    if (c.targetExists) {
        WriteBytes(target, oldBytes);
        ASSERT_EQ(::chmod(target.c_str(), 0604), 0);
    }
    const fs::path link = temp.Path() / "link.bmp";
    fs::create_symlink(Spelled(c.linkTo), link);
    if (c.hopTo) fs::create_symlink(Spelled(c.hopTo), temp.Path() / "hop.bmp");

    ASSERT_TRUE(Write(link, fresh));
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(link)));
    EXPECT_EQ(fs::read_symlink(link), fs::path(Spelled(c.linkTo)));
    EXPECT_EQ(ReadBytes(target), fresh);
    if (c.targetExists) {
        EXPECT_EQ(fs::status(target).permissions() & fs::perms::all, fs::perms(0604));
    }
    EXPECT_EQ(FileNames(temp.Path()), c.topNames);
    EXPECT_EQ(FileNames(temp.Path() / "other"), c.otherNames);
}

INSTANTIATE_TEST_SUITE_P(
    Links, AtomicWriteThroughLink,
    ::testing::Values(
        LinkCase{"Absolute", "@target.bmp", nullptr, "target.bmp", true, {"link.bmp", "other", "target.bmp"}, {}},
        LinkCase{"Relative", "target.bmp", nullptr, "target.bmp", true, {"link.bmp", "other", "target.bmp"}, {}},
        LinkCase{"IntoAnotherFolder", "other/target.bmp", nullptr, "other/target.bmp", true, {"link.bmp", "other"},
                 {"target.bmp"}},
        LinkCase{"ThroughASecondLink", "hop.bmp", "other/target.bmp", "other/target.bmp", true,
                 {"hop.bmp", "link.bmp", "other"}, {"target.bmp"}},
        LinkCase{"Dangling", "other/missing.bmp", nullptr, "other/missing.bmp", false, {"link.bmp", "other"},
                 {"missing.bmp"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(AtomicWrite, ACircleOfLinksIsRefusedAndNothingIsWritten) {
    fs::create_symlink("b.bmp", temp.Path() / "a.bmp");
    fs::create_symlink("a.bmp", temp.Path() / "b.bmp");
    const WriteResult r = Write(temp.Path() / "a.bmp", fresh);
    EXPECT_FALSE(r);
    EXPECT_EQ(r.failure, (FileFailure{FileStep::Open, ELOOP}));
    EXPECT_EQ(FileNames(temp.Path()), (std::vector<std::string>{"a.bmp", "b.bmp"}));
}

// A device, a pipe or a socket in the target's place is never replaced by a file (as root,
// over /dev/null that would take the system's null device away), also through a link.
struct NodeCase {
    const char* name;
    bool socket;   // else a pipe
    bool viaLink;  // the target is a link to the node
};

class AtomicWriteOntoNode : public AtomicWrite, public ::testing::WithParamInterface<NodeCase> {};

TEST_P(AtomicWriteOntoNode, IsRefusedAndTheNodeStays) {
    const NodeCase& c = GetParam();
    const fs::path node = temp.Path() / "node.bmp";
    if (c.socket) {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        ASSERT_LT(node.string().size(), sizeof address.sun_path);
        std::copy_n(node.c_str(), node.string().size(), address.sun_path);
        ASSERT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
        ::close(fd);
    } else {
        ASSERT_EQ(::mkfifo(node.c_str(), 0600), 0);
    }
    fs::path target = node;
    if (c.viaLink) fs::create_symlink("node.bmp", target = temp.Path() / "link.bmp");
    const WriteResult r = Write(target, fresh);
    EXPECT_FALSE(r);
    EXPECT_EQ(r.failure, (FileFailure{FileStep::Open, kNotRegularFile}));
    EXPECT_EQ(Describe(r.failure), "open: not a regular file");
    EXPECT_EQ(fs::symlink_status(node).type(), c.socket ? fs::file_type::socket : fs::file_type::fifo);
    EXPECT_EQ(FileNames(temp.Path()).size(), c.viaLink ? 2u : 1u);  // no temporary file
}

INSTANTIATE_TEST_SUITE_P(Nodes, AtomicWriteOntoNode,
                         ::testing::Values(NodeCase{"Pipe", false, false}, NodeCase{"Socket", true, false},
                                           NodeCase{"PipeThroughALink", false, true}),
                         [](const auto& info) { return std::string(info.param.name); });

// Names of 241 to 255 bytes are legal, but with a temporary suffix added they would not be.
// Long names that share their first 246 bytes, written from several threads at once, still
// each get a temporary file of their own.
TEST_F(AtomicWrite, NamesUpToTheLongestLegalOneAreWrittenAlsoFromManyThreads) {
    std::vector<std::string> names;
    for (std::size_t length : {241u, 250u, 255u}) names.push_back(std::string(length - 4, 'n') + ".bmp");
    std::string accented;  // two bytes a letter: a cut must not split one
    while (accented.size() < 250) accented += "\xC3\xA9";
    names.push_back(accented + ".bmp");
    for (const std::string& name : names) {
        ASSERT_TRUE(Write(temp.Path() / name, fresh)) << name.size();
        EXPECT_EQ(ReadBytes(temp.Path() / name), fresh);
    }
    EXPECT_EQ(FileNames(temp.Path()).size(), names.size());  // no temporary file left

    const fs::path shared = temp.Path() / "threads";
    fs::create_directory(shared);
    std::vector<std::thread> writers;
    std::atomic<int> failures{0};
    for (int t = 0; t < 6; ++t)
        writers.emplace_back([&, t] {
            for (int i = 0; i < 20; ++i) {
                const std::string name = std::string(246, 'x') + char('a' + t) + char('a' + i) + ".bmp";
                if (!WriteFileAtomically(PosixFileSystem(), shared / name, oldBytes, 0666)) ++failures;
            }
        });
    for (std::thread& w : writers) w.join();
    EXPECT_EQ(failures, 0);
    EXPECT_EQ(FileNames(shared).size(), 120u);
}

TEST_F(AtomicWrite, AReadOnlyFileIsNotReplaced) {
    if (::geteuid() == 0) GTEST_SKIP() << "root may write any file";
    const fs::path target = Put("kept.bmp", oldBytes);
    ASSERT_EQ(::chmod(target.c_str(), 0444), 0);
    EXPECT_EQ(Write(target, fresh).failure, (FileFailure{FileStep::Open, EACCES}));
    EXPECT_EQ(ReadBytes(target), oldBytes);
    EXPECT_EQ(FileNames(temp.Path()), std::vector<std::string>{"kept.bmp"});
}

TEST_F(AtomicWrite, RealFailuresReportTheirStep) {
    EXPECT_EQ(Write(temp.Path() / "no" / "such.bmp", oldBytes).failure, (FileFailure{FileStep::Open, ENOENT}));
    fs::create_directories(temp.Path() / "folder.bmp" / "inside");
    EXPECT_EQ(Write(temp.Path() / "folder.bmp", oldBytes).failure.step, FileStep::Rename);
    EXPECT_TRUE(fs::is_directory(temp.Path() / "folder.bmp" / "inside"));
    EXPECT_EQ(FileNames(temp.Path()), std::vector<std::string>{"folder.bmp"});
    EXPECT_EQ(Write("", oldBytes).failure.step, FileStep::Open);
    EXPECT_EQ(Write(temp.Path().string() + "/", oldBytes).failure.step, FileStep::Open);
}

}  // namespace
}  // namespace rastrix

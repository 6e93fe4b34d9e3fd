#include "codec/FileRead.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>

#include "store/StoreTestSupport.h"
#include "support/FaultInjectingFileSystem.h"

namespace rastrix {
namespace {

using namespace rastrix::testing;

class ImageFileRead : public ::testing::Test {
protected:
    std::string Put(const char* name, const Bytes& content) {
        WriteBytes(temp.Path() / name, content);
        return (temp.Path() / name).string();
    }
    TempFolder temp;
    FileSystem& posix = PosixFileSystem();
};

TEST_F(ImageFileRead, ReadsFilesWholeAndByTheirStart) {
    const Bytes content = Counting(300000);  // more than one typical read
    const std::string path = Put("a.bmp", content);
    FileBytesResult r = ReadWholeFile(posix, path);
    ASSERT_TRUE(r);
    EXPECT_EQ(r.bytes, content);
    r = ReadFileStart(posix, path, 138);
    ASSERT_TRUE(r);
    EXPECT_EQ(r.bytes, Bytes(content.begin(), content.begin() + 138));
    // Mapped at once or as touched, the same bytes, also where pages were let go and are read
    // from the file again.
    for (const auto map : {MapWholeFile, MapWholeFileAsTouched}) {
        r = map(posix, path);
        ASSERT_TRUE(r);
        ASSERT_TRUE(r.mapping) << "this file system did not map the file";
        r.mapping->Release(200000);
        EXPECT_TRUE(std::equal(content.begin(), content.end(), r.View().begin(), r.View().end()));
    }
    r = ReadWholeFile(posix, Put("empty.bmp", {}));
    ASSERT_TRUE(r);
    EXPECT_TRUE(r.bytes.empty());
}

TEST_F(ImageFileRead, MissingFileAndFolderFailToOpenAndAHugeFileIsRefusedUnread) {
    FileBytesResult r = ReadWholeFile(posix, (temp.Path() / "missing.bmp").string());
    EXPECT_EQ(r.failure, (FileFailure{FileStep::Open, ENOENT}));
    r = ReadWholeFile(posix, temp.Path().string());
    EXPECT_EQ(r.failure, (FileFailure{FileStep::Open, EISDIR}));

    FaultInjectingFileSystem files;
    files.reportedSize = kMaxReadableFileBytes + 1;
    const std::string path = Put("a.bmp", Counting(60));
    r = ReadWholeFile(files, path);
    EXPECT_EQ(r.failure, (FileFailure{FileStep::Allocate, EFBIG}));
    EXPECT_EQ(files.Calls(FaultInjectingFileSystem::Op::Read), 0);
    EXPECT_EQ(ReadFileStart(files, path, 54).bytes, Counting(54));
}

}  // namespace
}  // namespace rastrix

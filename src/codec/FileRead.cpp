#include "codec/FileRead.h"

namespace rastrix {

FileBytesResult ReadWholeFile(FileSystem& files, const std::string& path) {
    return ReadFileBytes(files, path, std::size_t(kMaxReadableFileBytes), LongerFile::Refuse);
}

FileBytesResult MapWholeFile(FileSystem& files, const std::string& path) {
    return ReadFileBytes(files, path, std::size_t(kMaxReadableFileBytes), LongerFile::Refuse, FileAccess::MapWhereAllowed);
}

FileBytesResult MapWholeFileAsTouched(FileSystem& files, const std::string& path) {
    return ReadFileBytes(files, path, std::size_t(kMaxReadableFileBytes), LongerFile::Refuse,
                         FileAccess::MapAsTouchedWhereAllowed);
}

FileBytesResult ReadFileStart(FileSystem& files, const std::string& path, std::size_t count) {
    return ReadFileBytes(files, path, count, LongerFile::ReadStart);
}

}  // namespace rastrix

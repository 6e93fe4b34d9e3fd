#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace rastrix {

// The step of a file write that failed.
enum class FileWriteStep { None, Open, Write, Flush, Close, Rename };

struct FileWriteResult {
    FileWriteStep step = FileWriteStep::None;
    int error = 0;  // errno of the failing step
    bool Ok() const { return step == FileWriteStep::None; }
};

// The few file-system calls a safe write needs, so tests can make any of them fail.
// Each returns what its POSIX namesake returns and leaves errno set on failure.
class FileWriteCalls {
public:
    virtual ~FileWriteCalls() = default;
    // Creates path exclusively for writing, with the permissions of `like` when that file
    // exists, else the usual default; returns a descriptor or -1. Fails when `like` exists
    // but may not be written.
    virtual int CreateExclusive(const std::string& path, const std::string& like) = 0;
    virtual long Write(int fd, const void* data, std::size_t size) = 0;
    virtual int Sync(int fd) = 0;
    virtual int Close(int fd) = 0;
    virtual int Rename(const std::string& from, const std::string& to) = 0;
    virtual int Remove(const std::string& path) = 0;
    // Makes a rename in the folder durable; best effort.
    virtual int SyncFolder(const std::string& folder) = 0;
};

class PosixFileWriteCalls : public FileWriteCalls {
public:
    int CreateExclusive(const std::string& path, const std::string& like) override;
    long Write(int fd, const void* data, std::size_t size) override;
    int Sync(int fd) override;
    int Close(int fd) override;
    int Rename(const std::string& from, const std::string& to) override;
    int Remove(const std::string& path) override;
    int SyncFolder(const std::string& folder) override;
};

FileWriteCalls& DefaultFileWriteCalls();

// Writes bytes to path so that the old file is replaced only by a complete new one: the
// bytes go to a temporary file in the same folder, which is flushed to disk and renamed
// over the target. On any failure the target is as it was and the temporary file is gone.
FileWriteResult WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes,
                                    FileWriteCalls& fs = DefaultFileWriteCalls());

// The name a bitmap is saved under: ".bmp" is appended unless the name is longer than four
// characters and already ends in ".bmp" (in any case).
std::string WithBmpExtension(const std::string& path);

}  // namespace rastrix

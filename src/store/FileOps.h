#pragma once
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "store/FileSystem.h"

namespace rastrix {

// The step of a file read or write that failed. Allocate: the bytes could not be held (ENOMEM),
// or the file is longer than its reader takes (EFBIG).
enum class FileStep : std::uint8_t { CreateFolder, Open, Size, Allocate, Read, Write, Flush, Close, Rename };

std::string_view StepName(FileStep step);

struct FileFailure {
    FileStep step = FileStep::Open;
    int errorNumber = 0;  // errno
    friend bool operator==(const FileFailure&, const FileFailure&) = default;
};

// "rename: No such file or directory"; "open: not a regular file" for kNotRegularFile.
std::string Describe(const FileFailure& failure);

// A file's bytes mapped into memory; unmapped when the last holder lets go.
class FileMapping {
public:
    FileMapping(FileSystem& files, const std::uint8_t* data, std::size_t size) : files_(files), data_(data), size_(size) {}
    ~FileMapping() { files_.Unmap(data_, size_); }
    FileMapping(const FileMapping&) = delete;
    FileMapping& operator=(const FileMapping&) = delete;
    std::span<const std::uint8_t> Bytes() const { return {data_, size_}; }
    // False when the file was cut short while mapped: some of Bytes() are zeros, not the file.
    bool Intact() const { return !files_.MappedPagesLost(data_); }
    // The first `upTo` bytes are no longer needed (see FileSystem::ReleaseMapped).
    void Release(std::size_t upTo) const { files_.ReleaseMapped(data_, std::min(upTo, size_)); }

private:
    FileSystem& files_;
    const std::uint8_t* data_;
    std::size_t size_;
};

struct FileBytesResult {
    bool ok = false;
    std::vector<std::uint8_t> bytes;  // the bytes read, unless they were mapped
    std::shared_ptr<const FileMapping> mapping;  // the bytes mapped, when they were
    // The file's bytes however they were had.
    std::span<const std::uint8_t> View() const { return mapping ? mapping->Bytes() : std::span<const std::uint8_t>(bytes); }
    // The bytes View() showed were all the file's (a mapped file was not cut short meanwhile).
    bool Intact() const { return !mapping || mapping->Intact(); }
    std::uint64_t storedSize = 0;  // the file's size as the system gave it, once known
    FileFailure failure;
    explicit operator bool() const { return ok; }
};

// What to do with a file longer than the limit.
enum class LongerFile : std::uint8_t { ReadStart, Refuse };
// Whether the bytes may be mapped from the file instead of read (View() then shows them), and
// whether the mapping's pages are mapped at once or as touched (FileSystem::Pages).
enum class FileAccess : std::uint8_t { Read, MapWhereAllowed, MapAsTouchedWhereAllowed };

// Reads the file from its start: all of it when it holds at most limit bytes; otherwise its
// first limit bytes (ReadStart) or nothing, failing at Allocate with EFBIG (Refuse). Short
// reads are joined; a file that shrank since it was sized gives what it still holds. The
// file is closed on every way out.
FileBytesResult ReadFileBytes(FileSystem& files, const std::filesystem::path& file, std::size_t limit,
                              LongerFile longer, FileAccess access = FileAccess::Read);

// Makes room for n bytes in a buffer about to be filled. A large one is offered to the kernel
// for huge pages first, so that filling it takes a fault per 2 MiB instead of one per 4 KiB
// (page faults, not copying, are most of what a fresh 144 MB file buffer costs). Throws as
// reserve does.
void ReserveLargeBuffer(std::vector<std::uint8_t>& buffer, std::size_t n);

// The path as an absolute one, from the current folder; as given when it already is one or the
// current folder cannot be found. Nothing is resolved or checked on the disk.
std::string AbsolutePathOf(const std::string& path);

struct WriteResult {
    bool ok = true;
    FileFailure failure;
    explicit operator bool() const { return ok; }
};

// Replaces target by a file holding bytes, so that the old file is replaced only by a complete
// new one: the bytes go to a temporary file beside it, which is flushed and renamed over the
// target. On any failure the target is as it was and the temporary file is gone. A new file
// gets newMode less the umask; a replaced one keeps its permissions. A target that is a
// symbolic link is written where the link points, and the link is kept. A target that is a
// device, a pipe or a socket is never replaced: the write fails at Open with kNotRegularFile.
WriteResult WriteFileAtomically(FileSystem& files, const std::filesystem::path& target,
                                std::span<const std::uint8_t> bytes, unsigned newMode);

// A file's bytes handed out piece by piece: each call gives the next piece, an empty one at the
// end. A piece stays valid until the next call.
using ByteSource = std::function<std::span<const std::uint8_t>()>;

// The bytes as one piece (they must outlive the source).
ByteSource WholeBytes(std::span<const std::uint8_t> bytes);

// The same with bytes made as they are written, so a large file needs no buffer of its size.
WriteResult WriteFileAtomically(FileSystem& files, const std::filesystem::path& target, const ByteSource& pieces,
                                unsigned newMode);

}  // namespace rastrix

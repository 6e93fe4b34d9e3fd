#pragma once
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

namespace rastrix {

// The few file operations the store needs, behind one interface so tests can make any
// of them fail. Every operation returns 0 on success or the errno value of its failure.
class FileSystem {
public:
    using Handle = int;

    virtual ~FileSystem() = default;

    // Creates the folder and any missing parents (mode 0700); an existing folder is fine.
    virtual int CreateFolder(const std::filesystem::path& folder) = 0;
    virtual int OpenRead(const std::filesystem::path& file, Handle& handle) = 0;
    // Fails with EISDIR or EINVAL when the handle is not a regular file.
    virtual int Size(Handle handle, std::uint64_t& size) = 0;
    // Reads up to into.size() bytes; got == 0 means the end of the file.
    virtual int Read(Handle handle, std::span<std::uint8_t> into, std::size_t& got) = 0;
    // Creates a new, unique file in folder whose name starts with prefix.
    virtual int CreateTemp(const std::filesystem::path& folder, const std::string& prefix,
                           Handle& handle, std::filesystem::path& created) = 0;
    // Writes all of bytes.
    virtual int Write(Handle handle, std::span<const std::uint8_t> bytes) = 0;
    // Pushes the file's data to the disk.
    virtual int Flush(Handle handle) = 0;
    virtual int Close(Handle handle) = 0;
    // Replaces to by from in one step.
    virtual int Rename(const std::filesystem::path& from, const std::filesystem::path& to) = 0;
    virtual int Remove(const std::filesystem::path& file) = 0;
    // Makes a rename in the folder durable.
    virtual int FlushFolder(const std::filesystem::path& folder) = 0;
};

// The real POSIX implementation; one shared instance, it holds no state.
FileSystem& PosixFileSystem();

}  // namespace rastrix

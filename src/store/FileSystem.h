#pragma once
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>

namespace rastrix {

// Every file operation of the program (images, settings), behind one interface so tests can
// make any of them fail. Every operation returns 0 on success or the errno value of its failure.
class FileSystem {
public:
    using Handle = int;

    virtual ~FileSystem() = default;

    // Creates the folder and any missing parents (mode 0700); an existing folder is fine.
    virtual int CreateFolder(const std::filesystem::path& folder) = 0;
    // Opens an existing file for reading. A folder fails with EISDIR; a pipe does not block.
    virtual int OpenRead(const std::filesystem::path& file, Handle& handle) = 0;
    // Fails with EINVAL when the handle is not a regular file.
    virtual int Size(Handle handle, std::uint64_t& size) = 0;
    // Reads up to into.size() bytes; got == 0 means the end of the file.
    virtual int Read(Handle handle, std::span<std::uint8_t> into, std::size_t& got) = 0;
    // Maps the first `size` bytes of an open file read-only, so a large file is read without a
    // copy in fresh memory. The mapping outlives the handle. ENOTSUP where the file system does
    // not map (the caller then reads). Its pages are mapped at once (fastest to read whole) or
    // as they are touched, in order (for a reader that lets them go as it goes: see
    // ReleaseMapped; it then never holds the whole file).
    enum class Pages : std::uint8_t { AtOnce, AsTouched };
    virtual int Map(Handle handle, std::uint64_t size, Pages pages, const std::uint8_t*& data);
    virtual void Unmap(const std::uint8_t* data, std::uint64_t size);
    // Whether pages of the mapping at data were lost since it was made (the file was cut short
    // by another program); they read as zeros then.
    virtual bool MappedPagesLost(const std::uint8_t* data) const { (void)data; return false; }
    // Lets the system take back the whole pages among the first `size` bytes of the mapping at
    // data, so a reader that is done with them holds no memory for them; touched again, they
    // are read from the file again.
    virtual void ReleaseMapped(const std::uint8_t* data, std::uint64_t size) { (void)data; (void)size; }
    // Creates a new, unique file beside target, named "." + target's name + "." and a few
    // characters (the name cut short so the whole stays within 255 bytes), open for writing. When target is an existing regular file the new file takes
    // its permissions (and its owner and group, as far as the process may set them), and the
    // call fails with EACCES if target may not be written (renaming
    // over it would replace a file the user protected), and with kNotRegularFile when target is
    // there but is neither a regular file nor a folder. Otherwise the new file gets newMode
    // less the umask.
    virtual int CreateTemp(const std::filesystem::path& target, unsigned newMode, Handle& handle,
                           std::filesystem::path& created) = 0;
    // The file a name stands for: symbolic links in its last part are followed, however many,
    // so a write lands where the name points. A name that does not exist, or a link that points
    // at nothing, gives the name of the file a write would create. ELOOP for a circle of links.
    virtual int ResolveLinks(const std::filesystem::path& name, std::filesystem::path& file) = 0;
    // Writes up to bytes.size() bytes; put says how many went out (at least one on success).
    virtual int Write(Handle handle, std::span<const std::uint8_t> bytes, std::size_t& put) = 0;
    // Pushes the file's data to the disk.
    virtual int Flush(Handle handle) = 0;
    // Releases the handle, even when it reports a failure.
    virtual int Close(Handle handle) = 0;
    // Replaces to by from in one step.
    virtual int Rename(const std::filesystem::path& from, const std::filesystem::path& to) = 0;
    virtual int Remove(const std::filesystem::path& file) = 0;
    // Makes a rename in the folder durable.
    virtual int FlushFolder(const std::filesystem::path& folder) = 0;
};

// What CreateTemp gives for a target that is there but is not a regular file (a device, a pipe,
// a socket): renaming a file over it would put a file where the system keeps something else
// (as root, over /dev/null). Not an errno value; Describe (FileOps.h) words it.
inline constexpr int kNotRegularFile = 1 << 16;

// The real POSIX implementation; one shared instance, it holds no state.
FileSystem& PosixFileSystem();

}  // namespace rastrix

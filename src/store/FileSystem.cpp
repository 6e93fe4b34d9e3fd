#include "store/FileSystem.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <vector>

namespace rastrix {
namespace {

class Posix final : public FileSystem {
public:
    int CreateFolder(const std::filesystem::path& folder) override {
        if (folder.empty()) return ENOENT;
        std::filesystem::path partial;
        for (const auto& part : folder) {
            partial /= part;
            if (part.empty() || partial == partial.root_path()) continue;
            if (::mkdir(partial.c_str(), 0700) == 0) continue;
            const int error = errno;
            if (error != EEXIST) return error;
            struct stat info {};
            if (::stat(partial.c_str(), &info) != 0) return errno;
            if (!S_ISDIR(info.st_mode)) return ENOTDIR;
        }
        return 0;
    }

    int OpenRead(const std::filesystem::path& file, Handle& handle) override {
        // Non-blocking so that a FIFO in place of a value cannot hang the start-up.
        const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
        if (fd < 0) return errno;
        handle = fd;
        return 0;
    }

    int Size(Handle handle, std::uint64_t& size) override {
        struct stat info {};
        if (::fstat(handle, &info) != 0) return errno;
        if (S_ISDIR(info.st_mode)) return EISDIR;
        if (!S_ISREG(info.st_mode)) return EINVAL;
        size = static_cast<std::uint64_t>(info.st_size);
        return 0;
    }

    int Read(Handle handle, std::span<std::uint8_t> into, std::size_t& got) override {
        for (;;) {
            const ssize_t n = ::read(handle, into.data(), into.size());
            if (n >= 0) {
                got = static_cast<std::size_t>(n);
                return 0;
            }
            if (errno != EINTR) return errno;
        }
    }

    int CreateTemp(const std::filesystem::path& folder, const std::string& prefix, Handle& handle,
                   std::filesystem::path& created) override {
        std::string pattern = (folder / (prefix + "XXXXXX")).string();
        std::vector<char> name(pattern.begin(), pattern.end());
        name.push_back('\0');
        const int fd = ::mkostemp(name.data(), O_CLOEXEC);
        if (fd < 0) return errno;
        handle = fd;
        created = name.data();
        return 0;
    }

    int Write(Handle handle, std::span<const std::uint8_t> bytes) override {
        while (!bytes.empty()) {
            const ssize_t n = ::write(handle, bytes.data(), bytes.size());
            if (n < 0) {
                if (errno == EINTR) continue;
                return errno;
            }
            bytes = bytes.subspan(static_cast<std::size_t>(n));
        }
        return 0;
    }

    int Flush(Handle handle) override { return ::fsync(handle) == 0 ? 0 : errno; }

    int Close(Handle handle) override {
        // On Linux the descriptor is released even when close reports EINTR.
        if (::close(handle) == 0 || errno == EINTR) return 0;
        return errno;
    }

    int Rename(const std::filesystem::path& from, const std::filesystem::path& to) override {
        return std::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
    }

    int Remove(const std::filesystem::path& file) override {
        return ::unlink(file.c_str()) == 0 ? 0 : errno;
    }

    int FlushFolder(const std::filesystem::path& folder) override {
        const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) return errno;
        const int result = ::fsync(fd) == 0 ? 0 : errno;
        ::close(fd);
        return result;
    }
};

}  // namespace

FileSystem& PosixFileSystem() {
    static Posix instance;
    return instance;
}

}  // namespace rastrix

#include "store/FileSystem.h"

#include "store/MappedFileGuard.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <limits>
#include <string>

namespace rastrix {
namespace {

// At most this much per write call; some systems refuse single writes above 2 GB.
constexpr std::size_t kWriteChunk = std::size_t(1) << 30;
// Links followed before a name is taken for a circle of links, as the system itself allows.
constexpr int kMaxLinkHops = 40;

// Longest name of one folder entry on the systems the program runs on (NAME_MAX).
constexpr std::size_t kLongestName = 255;

// A name part that differs between calls, threads and processes.
std::string UniqueSuffix(unsigned attempt) {
    static std::atomic<unsigned> counter{0};
    const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
    char text[48];
    std::snprintf(text, sizeof text, "%lx%x%x", static_cast<unsigned long>(now) & 0xFFFFFFul,
                  unsigned(::getpid()) & 0xFFFFu, (++counter) * 131u + attempt);
    return text;
}

// "." + base + "." + suffix, with base cut short (at a character's start, not inside a UTF-8
// sequence) so that the whole stays a legal name however long base is.
std::string TempName(const std::string& base, const std::string& suffix) {
    std::size_t keep = std::min(base.size(), kLongestName - suffix.size() - 2);
    while (keep > 0 && keep < base.size() && (static_cast<unsigned char>(base[keep]) & 0xC0) == 0x80) --keep;
    return "." + base.substr(0, keep) + "." + suffix;
}

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
        // Non-blocking so that a pipe in place of a file cannot hang the program.
        int fd;
        do fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
        while (fd < 0 && errno == EINTR);
        if (fd < 0) return errno;
        // Opening a folder succeeds on POSIX; report it the way reading it would fail.
        struct stat info {};
        if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
            ::close(fd);
            return EISDIR;
        }
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

    // A file cut short by another program while it is mapped raises SIGBUS on the lost pages;
    // the range is guarded, so those pages read as zeros and the loss is reported instead.
    int Map(Handle handle, std::uint64_t size, Pages pages, const std::uint8_t*& data) override {
        if (size == 0 || size > std::numeric_limits<std::size_t>::max()) return EINVAL;
        const auto bytes = static_cast<std::size_t>(size);
        const int populate = pages == Pages::AtOnce ? MAP_POPULATE : 0;
        void* p = ::mmap(nullptr, bytes, PROT_READ, MAP_PRIVATE | populate, handle, 0);
        if (p == MAP_FAILED) return errno;
        if (pages == Pages::AsTouched) ::madvise(p, bytes, MADV_SEQUENTIAL);
        if (!RegisterMappedRange(p, bytes)) {
            ::munmap(p, bytes);
            return ENOTSUP;  // too many files mapped at once: this one is read instead
        }
        data = static_cast<const std::uint8_t*>(p);
        return 0;
    }

    void Unmap(const std::uint8_t* data, std::uint64_t size) override {
        UnregisterMappedRange(data);
        ::munmap(const_cast<std::uint8_t*>(data), static_cast<std::size_t>(size));
    }

    bool MappedPagesLost(const std::uint8_t* data) const override { return MappedRangeLost(data); }

    void ReleaseMapped(const std::uint8_t* data, std::uint64_t size) override {
        const auto page = static_cast<std::uint64_t>(::sysconf(_SC_PAGESIZE));
        const std::uint64_t whole = size / page * page;  // the mapping starts on a page
        if (whole > 0) ::madvise(const_cast<std::uint8_t*>(data), static_cast<std::size_t>(whole), MADV_DONTNEED);
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

    int CreateTemp(const std::filesystem::path& target, unsigned newMode, Handle& handle,
                   std::filesystem::path& created) override {
        const std::string base = target.filename().string();
        if (base.empty()) return target.empty() ? ENOENT : EISDIR;
        struct stat info {};
        const bool there = ::stat(target.c_str(), &info) == 0;
        if (there && !S_ISREG(info.st_mode) && !S_ISDIR(info.st_mode)) return kNotRegularFile;
        const bool replacing = there && S_ISREG(info.st_mode);
        if (replacing && ::access(target.c_str(), W_OK) != 0) return errno;
        const std::filesystem::path folder = target.parent_path();
        for (unsigned attempt = 0; attempt < 16; ++attempt) {
            const std::filesystem::path name = folder / TempName(base, UniqueSuffix(attempt));
            const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, newMode & 07777);
            if (fd < 0) {
                if (errno == EEXIST || errno == EINTR) continue;
                return errno;
            }
            // A replaced file keeps its permissions and, where the process may give them, its
            // owner and group; the umask only shapes new files.
            if (replacing) {
                if (::fchown(fd, info.st_uid, info.st_gid) != 0 && ::fchown(fd, uid_t(-1), info.st_gid) != 0) {
                    // Neither is ours to give: the new file keeps the process's owner and group.
                }
                (void)::fchmod(fd, info.st_mode & 07777);
            }
            handle = fd;
            created = name;
            return 0;
        }
        return EEXIST;
    }

    int ResolveLinks(const std::filesystem::path& name, std::filesystem::path& file) override {
        std::filesystem::path at = name;
        for (int hop = 0; hop < kMaxLinkHops; ++hop) {
            struct stat info {};
            if (::lstat(at.c_str(), &info) != 0) {
                if (errno != ENOENT) return errno;
                file = at;  // nothing there yet: a write creates it
                return 0;
            }
            if (!S_ISLNK(info.st_mode)) {
                file = at;
                return 0;
            }
            std::string to(std::max<std::size_t>(std::size_t(info.st_size), 1) + 1, '\0');
            const ssize_t n = ::readlink(at.c_str(), to.data(), to.size());
            if (n < 0) return errno;
            if (std::size_t(n) == to.size()) return ENAMETOOLONG;  // the link changed while it was read
            to.resize(std::size_t(n));
            const std::filesystem::path link(to);
            at = link.is_absolute() ? link : at.parent_path() / link;
        }
        return ELOOP;
    }

    int Write(Handle handle, std::span<const std::uint8_t> bytes, std::size_t& put) override {
        const std::size_t count = bytes.size() < kWriteChunk ? bytes.size() : kWriteChunk;
        for (;;) {
            const ssize_t n = ::write(handle, bytes.data(), count);
            if (n > 0) {
                put = static_cast<std::size_t>(n);
                return 0;
            }
            if (n == 0) return ENOSPC;
            if (errno != EINTR) return errno;
        }
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
        const std::filesystem::path where = folder.empty() ? std::filesystem::path(".") : folder;
        const int fd = ::open(where.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) return errno;
        const int result = ::fsync(fd) == 0 ? 0 : errno;
        ::close(fd);
        return result;
    }
};

}  // namespace

int FileSystem::Map(Handle, std::uint64_t, Pages, const std::uint8_t*&) { return ENOTSUP; }
void FileSystem::Unmap(const std::uint8_t*, std::uint64_t) {}

FileSystem& PosixFileSystem() {
    static Posix instance;
    return instance;
}

}  // namespace rastrix

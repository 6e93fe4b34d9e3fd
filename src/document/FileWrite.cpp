#include "document/FileWrite.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace rastrix {

int PosixFileWriteCalls::CreateExclusive(const std::string& path, const std::string& like) {
    struct stat st {};
    const bool keepMode = ::stat(like.c_str(), &st) == 0 && S_ISREG(st.st_mode);
    // Renaming needs only the folder's permission; a file we may not write stays refused,
    // as writing into it in place would be.
    if (keepMode && ::access(like.c_str(), W_OK) != 0) return -1;
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    // A replaced file keeps its permissions; the umask only shapes new files.
    if (fd >= 0 && keepMode) (void)::fchmod(fd, st.st_mode & 07777);
    return fd;
}

long PosixFileWriteCalls::Write(int fd, const void* data, std::size_t size) { return long(::write(fd, data, size)); }
int PosixFileWriteCalls::Sync(int fd) { return ::fsync(fd); }
int PosixFileWriteCalls::Close(int fd) { return ::close(fd); }
int PosixFileWriteCalls::Rename(const std::string& from, const std::string& to) {
    return std::rename(from.c_str(), to.c_str());
}
int PosixFileWriteCalls::Remove(const std::string& path) { return ::unlink(path.c_str()); }

int PosixFileWriteCalls::SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return -1;
    const int r = ::fsync(fd);
    ::close(fd);
    return r;
}

FileWriteCalls& DefaultFileWriteCalls() {
    static PosixFileWriteCalls fs;
    return fs;
}

namespace {

// At most this much per write call; some systems refuse single writes above 2 GB.
constexpr std::size_t kWriteChunk = std::size_t(1) << 30;

std::string TempName(const std::string& folder, const std::string& base, unsigned attempt) {
    static std::atomic<unsigned> counter{0};
    const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
    char suffix[64];
    std::snprintf(suffix, sizeof suffix, ".%lx-%x-%x.tmp", static_cast<unsigned long>(now) & 0xFFFFFFFFul,
                  unsigned(::getpid()), (++counter) * 131u + attempt);
    return folder + "." + base + suffix;
}

FileWriteResult Fail(FileWriteStep step, int error) { return {step, error != 0 ? error : EIO}; }

}  // namespace

FileWriteResult WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes,
                                    FileWriteCalls& fs) {
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    if (base.empty()) return Fail(FileWriteStep::Open, path.empty() ? ENOENT : EISDIR);

    std::string temp;
    int fd = -1;
    for (unsigned attempt = 0; attempt < 16 && fd < 0; ++attempt) {
        temp = TempName(folder, base, attempt);
        fd = fs.CreateExclusive(temp, path);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) return Fail(FileWriteStep::Open, errno);

    // Undo everything written so far; the target has not been touched yet.
    auto abandon = [&](FileWriteStep step, int error, bool closeFd) {
        if (closeFd) (void)fs.Close(fd);
        (void)fs.Remove(temp);
        return Fail(step, error);
    };

    const std::uint8_t* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const long n = fs.Write(fd, p, left < kWriteChunk ? left : kWriteChunk);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return abandon(FileWriteStep::Write, n == 0 ? ENOSPC : errno, true);
        p += n;
        left -= std::size_t(n);
    }
    if (fs.Sync(fd) != 0) return abandon(FileWriteStep::Flush, errno, true);
    // Some file systems report a failed write only when the file is closed.
    if (fs.Close(fd) != 0) return abandon(FileWriteStep::Close, errno, false);
    if (fs.Rename(temp, path) != 0) return abandon(FileWriteStep::Rename, errno, false);
    (void)fs.SyncFolder(folder.empty() ? std::string(".") : folder);
    return {};
}

std::string WithBmpExtension(const std::string& path) {
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
    if (path.size() > 4) {
        const std::string_view tail(path.data() + path.size() - 4, 4);
        bool bmp = true;
        for (std::size_t i = 0; i < 4; ++i) bmp = bmp && lower(tail[i]) == ".bmp"[i];
        if (bmp) return path;
    }
    return path + ".bmp";
}

}  // namespace rastrix

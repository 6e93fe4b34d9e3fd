#include "document/FileRead.h"

#include <cerrno>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace rastrix {

namespace {

class PosixCalls final : public FileCalls {
public:
    FileCallResult Open(const std::string& path) override {
        int fd;
        do fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        while (fd < 0 && errno == EINTR);
        if (fd < 0) return {0, errno};
        // Opening a folder succeeds on POSIX; report it the way reading it would fail.
        struct stat st;
        if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
            ::close(fd);
            return {0, EISDIR};
        }
        return {fd, 0};
    }
    FileCallResult Size(std::int64_t handle) override {
        struct stat st;
        if (::fstat(int(handle), &st) != 0) return {0, errno};
        return {std::int64_t(st.st_size), 0};
    }
    FileCallResult Read(std::int64_t handle, std::uint8_t* buffer, std::size_t count) override {
        ssize_t n;
        do n = ::read(int(handle), buffer, count);
        while (n < 0 && errno == EINTR);
        if (n < 0) return {0, errno};
        return {std::int64_t(n), 0};
    }
    void Close(std::int64_t handle) override { ::close(int(handle)); }
};

// Closes the handle on every way out.
class OpenFile {
public:
    OpenFile(FileCalls& calls, std::int64_t handle) : calls_(calls), handle_(handle) {}
    ~OpenFile() { calls_.Close(handle_); }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    std::int64_t Handle() const { return handle_; }

private:
    FileCalls& calls_;
    std::int64_t handle_;
};

FileReadResult Fail(FileReadStep step, int error) { return {std::nullopt, {step, error}}; }

// Fills `bytes` from the file, taking as many reads as the system needs; stops early at the end
// of the file (a file that shrank since it was sized gives what it still holds).
std::optional<int> ReadInto(FileCalls& calls, std::int64_t handle, std::vector<std::uint8_t>& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const FileCallResult r = calls.Read(handle, bytes.data() + done, bytes.size() - done);
        if (r.error != 0) return r.error;
        if (r.value <= 0) break;
        done += std::size_t(r.value);
    }
    bytes.resize(done);
    return std::nullopt;
}

FileReadResult ReadUpTo(const std::string& path, std::optional<std::size_t> limit, FileCalls& calls) {
    const FileCallResult opened = calls.Open(path);
    if (opened.error != 0) return Fail(FileReadStep::Open, opened.error);
    OpenFile file(calls, opened.value);

    const FileCallResult size = calls.Size(file.Handle());
    if (size.error != 0) return Fail(FileReadStep::Size, size.error);
    std::uint64_t wanted = size.value < 0 ? 0 : std::uint64_t(size.value);
    if (limit) {
        if (wanted > *limit) wanted = *limit;
    } else if (wanted > kMaxReadableFileBytes) {
        return Fail(FileReadStep::Allocate, EFBIG);
    }

    std::vector<std::uint8_t> bytes;
    try {
        bytes.resize(std::size_t(wanted));
    } catch (const std::bad_alloc&) {
        return Fail(FileReadStep::Allocate, ENOMEM);
    }
    if (std::optional<int> error = ReadInto(calls, file.Handle(), bytes)) return Fail(FileReadStep::Read, *error);
    return {std::move(bytes), {}};
}

}  // namespace

FileCalls& PosixFileCalls() {
    static PosixCalls calls;
    return calls;
}

FileReadResult ReadWholeFile(const std::string& path, FileCalls& calls) { return ReadUpTo(path, std::nullopt, calls); }

FileReadResult ReadFileStart(const std::string& path, std::size_t count, FileCalls& calls) {
    return ReadUpTo(path, count, calls);
}

}  // namespace rastrix

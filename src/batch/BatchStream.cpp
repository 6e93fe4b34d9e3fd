#include "batch/BatchStream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <new>

#include "batch/BatchFile.h"
#include "batch/BatchStop.h"
#include "store/FileOps.h"

namespace rastrix::batch {

std::string ReadStreamUpTo(int fd, std::size_t limit, std::vector<std::uint8_t>& bytes, const StreamCheck& check,
                           const std::string& tooLong) {
    std::uint8_t chunk[1 << 16];
    for (;;) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR && StopSignal() == 0) continue;
        if (StopSignal() != 0) return kStoppedText;
        if (n < 0) return Describe({FileStep::Read, errno});
        if (n == 0) return check ? check(bytes, true) : std::string();
        const std::size_t size = bytes.size() + std::size_t(n);
        if (size > limit) return tooLong;
        if (size > bytes.capacity()) {
            try {
                bytes.reserve(std::min(limit, std::max(size, 2 * bytes.capacity())));
            } catch (const std::bad_alloc&) {
                return Describe({FileStep::Allocate, ENOMEM});
            }
        }
        bytes.insert(bytes.end(), chunk, chunk + n);
        if (check)
            if (std::string why = check(bytes, false); !why.empty()) return why;
    }
}

std::string ReadNamedStream(const std::string& name, std::size_t limit, std::vector<std::uint8_t>& bytes,
                            const StreamCheck& check, const std::string& tooLong) {
    int fd;
    do fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
    while (fd < 0 && errno == EINTR && StopSignal() == 0);
    if (StopSignal() != 0) {
        if (fd >= 0) ::close(fd);
        return kStoppedText;
    }
    if (fd < 0) return Describe({FileStep::Open, errno});
    std::string reason = ReadStreamUpTo(fd, limit, bytes, check, tooLong);
    ::close(fd);
    return reason;
}

bool IsStream(const std::string& name) {
    struct stat info {};
    return ::stat(name.c_str(), &info) == 0 && (S_ISFIFO(info.st_mode) || S_ISSOCK(info.st_mode));
}

}  // namespace rastrix::batch

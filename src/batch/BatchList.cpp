#include "batch/BatchList.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <new>

namespace rastrix::batch {

namespace {

class ListReader {
public:
    ListReader(const std::string& list, bool nulSeparated, std::vector<std::string>& names)
        : list_(list), nul_(nulSeparated), names_(names) {}

    std::string Take(const char* data, std::size_t size) {
        for (std::size_t i = 0; i < size; ++i) {
            const char c = data[i];
            if (c == (nul_ ? '\0' : '\n')) {
                if (std::string e = End(); !e.empty()) return e;
                continue;
            }
            if (c == '\0')
                return "the list " + list_ + " holds a NUL byte, which no file name has; give -0 for a list of "
                       "names each ended by a NUL byte (find -print0)";
            if (name_.size() + 1 >= kLongestPath)
                return "the list " + list_ + " holds a name longer than " + std::to_string(kLongestPath - 1) +
                       " bytes, the longest path the system takes";
            name_ += c;
        }
        return {};
    }

    // The last name may end without its separator.
    std::string Finish() { return name_.empty() ? std::string() : End(); }

private:
    std::string End() {
        if (!nul_ && !name_.empty() && name_.back() == '\r') name_.pop_back();
        if (name_.empty()) {
            if (nul_) return "the list " + list_ + " holds an empty name";
            return {};
        }
        names_.push_back(std::move(name_));
        name_.clear();
        return {};
    }

    const std::string& list_;
    bool nul_;
    std::vector<std::string>& names_;
    std::string name_;
};

}  // namespace

std::string ReadNameList(const std::string& list, bool nulSeparated, std::vector<std::string>& names) {
    const int fd = list == "-" ? STDIN_FILENO : ::open(list.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return "cannot read the list " + list + ": " + std::strerror(errno);
    std::string error;
    try {
        ListReader reader(list, nulSeparated, names);
        char chunk[1 << 16];
        for (;;) {
            const ssize_t n = ::read(fd, chunk, sizeof chunk);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) {
                error = "cannot read the list " + list + ": " + std::strerror(errno);
                break;
            }
            if (n == 0) {
                error = reader.Finish();
                break;
            }
            if (error = reader.Take(chunk, std::size_t(n)); !error.empty()) break;
        }
    } catch (const std::bad_alloc&) {
        error = "there is not enough memory to hold the list " + list;
    }
    if (fd != STDIN_FILENO) ::close(fd);
    return error;
}

}  // namespace rastrix::batch

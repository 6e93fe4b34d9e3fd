#include "batch/BatchList.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <deque>
#include <new>
#include <string_view>
#include <unordered_set>

#include "batch/BatchStop.h"

namespace rastrix::batch {

namespace {

class ListReader {
public:
    ListReader(const std::string& list, bool nulSeparated, const std::vector<std::string>& given)
        : list_(list), nul_(nulSeparated) {
        for (const std::string& name : given) seen_.insert(name);
    }

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

    // The names met for the first time, in order, after those given; the names met again, each once.
    void Hand(std::vector<std::string>& names, std::vector<std::string>& repeated) {
        names.insert(names.end(), std::make_move_iterator(new_.begin()), std::make_move_iterator(new_.end()));
        repeated.insert(repeated.end(), repeated_.begin(), repeated_.end());
    }

private:
    std::string End() {
        if (!nul_ && !name_.empty() && name_.back() == '\r') name_.pop_back();
        if (name_.empty()) {
            if (nul_) return "the list " + list_ + " holds an empty name";
            return {};
        }
        // A name met before is not kept again, so an endless list of one name holds one.
        if (seen_.contains(name_)) {
            if (noted_.insert(name_).second) repeated_.push_back(name_);
        } else {
            new_.push_back(std::move(name_));
            seen_.insert(new_.back());
        }
        name_.clear();
        return {};
    }

    const std::string& list_;
    bool nul_;
    std::string name_;
    std::deque<std::string> new_;                 // names do not move here, so views of them stay valid
    std::unordered_set<std::string_view> seen_;   // views of the given names and of new_
    std::unordered_set<std::string> noted_;
    std::vector<std::string> repeated_;
};

}  // namespace

std::string ReadNameList(const std::string& list, bool nulSeparated, std::vector<std::string>& names,
                         std::vector<std::string>& repeated) {
    int fd = STDIN_FILENO;
    if (list != "-") {
        // A named pipe without a writer waits here; a stop ends the wait.
        do fd = ::open(list.c_str(), O_RDONLY | O_CLOEXEC);
        while (fd < 0 && errno == EINTR && StopSignal() == 0);
    }
    if (StopSignal() != 0) {
        if (fd >= 0 && fd != STDIN_FILENO) ::close(fd);
        return "stopped while the list " + list + " was read";
    }
    if (fd < 0) return "cannot read the list " + list + ": " + std::strerror(errno);
    std::string error;
    try {
        ListReader reader(list, nulSeparated, names);
        char chunk[1 << 16];
        for (;;) {
            const ssize_t n = ::read(fd, chunk, sizeof chunk);
            if (n < 0 && errno == EINTR && StopSignal() == 0) continue;
            if (StopSignal() != 0) {
                error = "stopped while the list " + list + " was read";
                break;
            }
            if (n < 0) {
                error = "cannot read the list " + list + ": " + std::strerror(errno);
                break;
            }
            if (n == 0) {
                error = reader.Finish();
                if (error.empty()) reader.Hand(names, repeated);
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

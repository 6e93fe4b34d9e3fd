#pragma once
// Forwards every file operation to the real file system, except that the test may make the
// nth call of one operation fail with an errno, cut reads and writes short, and count what was
// opened and not closed.
#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <limits>
#include <optional>
#include <set>

#include "store/FileSystem.h"

namespace rastrix::testing {

class FaultInjectingFileSystem final : public FileSystem {
public:
    enum class Op { CreateFolder, OpenRead, Size, Read, CreateTemp, Write, Flush, Close, Rename, Remove, FlushFolder, Count };

    // The nth call of op from now on (0 the next one) fails with error. A failing Write first
    // writes half of its bytes, so a part-written file exists; a failing Close still releases
    // the handle, as the system does.
    void FailAt(Op op, int error = EIO, int nth = 0) {
        fault_ = op, error_ = error, faultCall_ = calls_[int(op)] + nth, every_ = false;
    }
    // Every call of op from now on fails with error.
    void FailEvery(Op op, int error = EIO) { FailAt(op, error), every_ = true; }
    void Heal() { fault_.reset(); }
    // Every read and write moves at most this many bytes.
    std::size_t chunk = std::numeric_limits<std::size_t>::max();
    // What Size reports instead of the real size, to play a file that grows or shrinks.
    std::optional<std::uint64_t> reportedSize;

    int Calls(Op op) const { return calls_[int(op)]; }
    std::size_t OpenHandles() const { return open_.size(); }

    int CreateFolder(const std::filesystem::path& folder) override {
        return Hit(Op::CreateFolder) ? error_ : real_.CreateFolder(folder);
    }
    int OpenRead(const std::filesystem::path& file, Handle& handle) override {
        if (Hit(Op::OpenRead)) return error_;
        const int result = real_.OpenRead(file, handle);
        return Opened(result, handle);
    }
    int Size(Handle handle, std::uint64_t& size) override {
        if (Hit(Op::Size)) return error_;
        const int result = real_.Size(handle, size);
        if (result == 0 && reportedSize) size = *reportedSize;
        return result;
    }
    int Read(Handle handle, std::span<std::uint8_t> into, std::size_t& got) override {
        if (Hit(Op::Read)) return error_;
        return real_.Read(handle, into.first(std::min(into.size(), chunk)), got);
    }
    int ResolveLinks(const std::filesystem::path& name, std::filesystem::path& file) override {
        return real_.ResolveLinks(name, file);
    }
    int CreateTemp(const std::filesystem::path& target, unsigned newMode, Handle& handle,
                   std::filesystem::path& created) override {
        if (Hit(Op::CreateTemp)) return error_;
        const int result = real_.CreateTemp(target, newMode, handle, created);
        return Opened(result, handle);
    }
    int Write(Handle handle, std::span<const std::uint8_t> bytes, std::size_t& put) override {
        if (!Hit(Op::Write)) return real_.Write(handle, bytes.first(std::min(bytes.size(), chunk)), put);
        std::size_t ignored = 0;
        if (bytes.size() > 1) real_.Write(handle, bytes.first(bytes.size() / 2), ignored);
        return error_;
    }
    int Flush(Handle handle) override { return Hit(Op::Flush) ? error_ : real_.Flush(handle); }
    int Close(Handle handle) override {
        open_.erase(handle);
        const int result = real_.Close(handle);
        return Hit(Op::Close) ? error_ : result;
    }
    int Rename(const std::filesystem::path& from, const std::filesystem::path& to) override {
        return Hit(Op::Rename) ? error_ : real_.Rename(from, to);
    }
    int Remove(const std::filesystem::path& file) override { return Hit(Op::Remove) ? error_ : real_.Remove(file); }
    int FlushFolder(const std::filesystem::path& folder) override {
        return Hit(Op::FlushFolder) ? error_ : real_.FlushFolder(folder);
    }

private:
    bool Hit(Op op) {
        const int call = calls_[int(op)]++;
        return fault_ == op && (call == faultCall_ || (every_ && call > faultCall_));
    }
    int Opened(int result, Handle handle) {
        if (result == 0) open_.insert(handle);
        return result;
    }

    FileSystem& real_ = PosixFileSystem();
    std::optional<Op> fault_;
    int error_ = EIO;
    int faultCall_ = 0;
    bool every_ = false;
    int calls_[int(Op::Count)] = {};
    std::set<Handle> open_;
};

}  // namespace rastrix::testing

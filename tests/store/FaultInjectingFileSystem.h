#pragma once
#include <cerrno>
#include <optional>

#include "store/FileSystem.h"

namespace rastrix::testing {

// Forwards to the real file system, except that the chosen operation fails with the
// chosen errno (after the real call for Write, so a half-written temporary file exists).
class FaultInjectingFileSystem final : public FileSystem {
public:
    enum class Op { CreateFolder, OpenRead, Size, Read, CreateTemp, Write, Flush, Close, Rename };

    void FailAt(Op op, int error = EIO) { fault_ = op, error_ = error; }
    void Heal() { fault_.reset(); }
    int Calls(Op op) const { return calls_[static_cast<int>(op)]; }

    int CreateFolder(const std::filesystem::path& folder) override {
        return Hit(Op::CreateFolder) ? error_ : real_.CreateFolder(folder);
    }
    int OpenRead(const std::filesystem::path& file, Handle& handle) override {
        return Hit(Op::OpenRead) ? error_ : real_.OpenRead(file, handle);
    }
    int Size(Handle handle, std::uint64_t& size) override {
        return Hit(Op::Size) ? error_ : real_.Size(handle, size);
    }
    int Read(Handle handle, std::span<std::uint8_t> into, std::size_t& got) override {
        return Hit(Op::Read) ? error_ : real_.Read(handle, into, got);
    }
    int CreateTemp(const std::filesystem::path& folder, const std::string& prefix, Handle& handle,
                   std::filesystem::path& created) override {
        return Hit(Op::CreateTemp) ? error_ : real_.CreateTemp(folder, prefix, handle, created);
    }
    int Write(Handle handle, std::span<const std::uint8_t> bytes) override {
        if (!Hit(Op::Write)) return real_.Write(handle, bytes);
        real_.Write(handle, bytes.first(bytes.size() / 2));
        return error_;
    }
    int Flush(Handle handle) override { return Hit(Op::Flush) ? error_ : real_.Flush(handle); }
    int Close(Handle handle) override {
        // The descriptor is released even when close reports a failure.
        const int result = real_.Close(handle);
        return Hit(Op::Close) ? error_ : result;
    }
    int Rename(const std::filesystem::path& from, const std::filesystem::path& to) override {
        return Hit(Op::Rename) ? error_ : real_.Rename(from, to);
    }
    int Remove(const std::filesystem::path& file) override { return real_.Remove(file); }
    int FlushFolder(const std::filesystem::path& folder) override { return real_.FlushFolder(folder); }

private:
    bool Hit(Op op) {
        ++calls_[static_cast<int>(op)];
        return fault_ == op;
    }

    FileSystem& real_ = PosixFileSystem();
    std::optional<Op> fault_;
    int error_ = EIO;
    int calls_[9] = {};
};

}  // namespace rastrix::testing

#pragma once
// The store's file operations on files held in memory, one of which can be made to fail, so a
// fuzz input can run thousands of reads and writes a second without touching the disk.
#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <map>
#include <span>
#include <string>
#include <vector>

#include "store/FileSystem.h"

namespace rastrix::fuzz {

class MemoryFileSystem final : public FileSystem {
public:
    enum class Op { CreateFolder, OpenRead, Size, Read, CreateTemp, Write, Flush, Close, Rename, Count };

    // The nth call (from 0, counted from now) of op fails with EIO; a failing write keeps
    // half of its bytes.
    void FailAt(Op op, int nth) {
        faultOp_ = op, faultCall_ = nth;
        std::fill(std::begin(calls_), std::end(calls_), 0);
    }
    void Heal() { faultOp_ = Op::Count; }

    const std::map<std::filesystem::path, std::vector<std::uint8_t>>& Files() const { return files_; }
    std::size_t OpenHandles() const { return open_.size(); }

    int CreateFolder(const std::filesystem::path&) override { return Hit(Op::CreateFolder) ? EIO : 0; }
    int OpenRead(const std::filesystem::path& file, Handle& handle) override {
        if (Hit(Op::OpenRead)) return EIO;
        if (!files_.count(file)) return ENOENT;
        return Open(file, handle);
    }
    int Size(Handle handle, std::uint64_t& size) override {
        if (Hit(Op::Size)) return EIO;
        if (!open_.count(handle)) return EBADF;
        size = files_[open_[handle].file].size();
        return 0;
    }
    int Read(Handle handle, std::span<std::uint8_t> into, std::size_t& got) override {
        if (Hit(Op::Read)) return EIO;
        if (!open_.count(handle)) return EBADF;
        OpenFile& f = open_[handle];
        const std::vector<std::uint8_t>& bytes = files_[f.file];
        // Short reads, as a real file may give, so the reader's loop is exercised.
        got = std::min({into.size(), bytes.size() - f.position, std::size_t(1000)});
        std::copy_n(bytes.begin() + std::ptrdiff_t(f.position), got, into.begin());
        f.position += got;
        return 0;
    }
    int ResolveLinks(const std::filesystem::path& name, std::filesystem::path& file) override {
        file = name;  // no links in memory
        return 0;
    }
    int CreateTemp(const std::filesystem::path& target, unsigned, Handle& handle,
                   std::filesystem::path& created) override {
        if (Hit(Op::CreateTemp)) return EIO;
        created = target.parent_path() / ("." + target.filename().string() + "." + std::to_string(nextTemp_++));
        files_[created];
        return Open(created, handle);
    }
    int Write(Handle handle, std::span<const std::uint8_t> bytes, std::size_t& put) override {
        if (!open_.count(handle)) return EBADF;
        std::vector<std::uint8_t>& file = files_[open_[handle].file];
        const bool fail = Hit(Op::Write);
        // Short writes, as a real file may take, so the writer's loop is exercised.
        const std::size_t n = fail ? bytes.size() / 2 : std::min(bytes.size(), std::size_t(1000));
        file.insert(file.end(), bytes.begin(), bytes.begin() + std::ptrdiff_t(n));
        put = n;
        return fail ? EIO : 0;
    }
    int Flush(Handle handle) override { return Hit(Op::Flush) ? EIO : open_.count(handle) ? 0 : EBADF; }
    int Close(Handle handle) override {
        // The handle is released even when closing reports a failure.
        if (open_.erase(handle) == 0) return EBADF;
        return Hit(Op::Close) ? EIO : 0;
    }
    int Rename(const std::filesystem::path& from, const std::filesystem::path& to) override {
        if (Hit(Op::Rename)) return EIO;
        auto found = files_.find(from);
        if (found == files_.end()) return ENOENT;
        files_[to] = std::move(found->second);
        files_.erase(from);
        return 0;
    }
    int Remove(const std::filesystem::path& file) override { return files_.erase(file) ? 0 : ENOENT; }
    int FlushFolder(const std::filesystem::path&) override { return 0; }

private:
    struct OpenFile {
        std::filesystem::path file;
        std::size_t position = 0;
    };

    int Open(const std::filesystem::path& file, Handle& handle) {
        handle = nextHandle_++;
        open_[handle] = {file, 0};
        return 0;
    }
    bool Hit(Op op) {
        const int call = calls_[int(op)]++;
        return op == faultOp_ && call == faultCall_;
    }

    std::map<std::filesystem::path, std::vector<std::uint8_t>> files_;
    std::map<Handle, OpenFile> open_;
    Handle nextHandle_ = 3;
    int nextTemp_ = 0;
    Op faultOp_ = Op::Count;
    int faultCall_ = 0;
    int calls_[int(Op::Count)] = {};
};

}  // namespace rastrix::fuzz

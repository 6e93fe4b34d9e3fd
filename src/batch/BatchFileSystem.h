#pragma once
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "store/FileSystem.h"

namespace rastrix::batch {

// The file operations of one file's work: the system's, except that
// - once the run is asked to stop (StopSignal), every write fails with ECANCELED, so a file
//   being written is abandoned and its temporary file removed, never left behind;
// - a name given to Serve reads as the bytes given instead of the file (--join hands the
//   editor's Join a PNG or JPEG file as the bitmap it decodes to).
class BatchFileSystem final : public FileSystem {
public:
    explicit BatchFileSystem(FileSystem& system = PosixFileSystem()) : system_(system) {}

    void Serve(const std::string& name, std::vector<std::uint8_t> bytes);

    int CreateFolder(const std::filesystem::path& folder) override { return system_.CreateFolder(folder); }
    int OpenRead(const std::filesystem::path& file, Handle& handle) override;
    int Size(Handle handle, std::uint64_t& size) override;
    int Read(Handle handle, std::span<std::uint8_t> into, std::size_t& got) override;
    int Map(Handle handle, std::uint64_t size, Pages pages, const std::uint8_t*& data) override;
    void Unmap(const std::uint8_t* data, std::uint64_t size) override { system_.Unmap(data, size); }
    bool MappedPagesLost(const std::uint8_t* data) const override { return system_.MappedPagesLost(data); }
    void ReleaseMapped(const std::uint8_t* data, std::uint64_t size) override { system_.ReleaseMapped(data, size); }
    int CreateTemp(const std::filesystem::path& target, unsigned newMode, Handle& handle,
                   std::filesystem::path& created) override {
        return system_.CreateTemp(target, newMode, handle, created);
    }
    int ResolveLinks(const std::filesystem::path& name, std::filesystem::path& file) override {
        return system_.ResolveLinks(name, file);
    }
    int Write(Handle handle, std::span<const std::uint8_t> bytes, std::size_t& put) override;
    int Flush(Handle handle) override { return system_.Flush(handle); }
    int Close(Handle handle) override;
    int Rename(const std::filesystem::path& from, const std::filesystem::path& to) override;
    int Remove(const std::filesystem::path& file) override { return system_.Remove(file); }
    int FlushFolder(const std::filesystem::path& folder) override { return system_.FlushFolder(folder); }

private:
    struct Reading {
        const std::vector<std::uint8_t>* bytes;
        std::size_t at;
    };
    FileSystem& system_;
    std::map<std::string, std::vector<std::uint8_t>> served_;
    std::map<Handle, Reading> open_;  // handles of served names, below any the system gives
    Handle next_ = -2;
};

}  // namespace rastrix::batch

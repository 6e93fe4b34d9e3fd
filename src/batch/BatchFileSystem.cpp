#include "batch/BatchFileSystem.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "batch/BatchStop.h"

namespace rastrix::batch {

void BatchFileSystem::Serve(const std::string& name, std::vector<std::uint8_t> bytes) {
    served_[name] = std::move(bytes);
}

int BatchFileSystem::OpenRead(const std::filesystem::path& file, Handle& handle) {
    const auto served = served_.find(file.string());
    if (served == served_.end()) return system_.OpenRead(file, handle);
    handle = next_--;
    open_[handle] = {&served->second, 0};
    return 0;
}

int BatchFileSystem::Size(Handle handle, std::uint64_t& size) {
    const auto open = open_.find(handle);
    if (open == open_.end()) return system_.Size(handle, size);
    size = open->second.bytes->size();
    return 0;
}

int BatchFileSystem::Read(Handle handle, std::span<std::uint8_t> into, std::size_t& got) {
    const auto open = open_.find(handle);
    if (open == open_.end()) return system_.Read(handle, into, got);
    Reading& r = open->second;
    got = std::min(into.size(), r.bytes->size() - r.at);
    if (got > 0) std::memcpy(into.data(), r.bytes->data() + r.at, got);
    r.at += got;
    return 0;
}

int BatchFileSystem::Map(Handle handle, std::uint64_t size, Pages pages, const std::uint8_t*& data) {
    if (open_.count(handle) != 0) return ENOTSUP;  // the caller reads the bytes instead
    return system_.Map(handle, size, pages, data);
}

int BatchFileSystem::Write(Handle handle, std::span<const std::uint8_t> bytes, std::size_t& put) {
    if (StopSignal() != 0) return ECANCELED;
    return system_.Write(handle, bytes, put);
}

int BatchFileSystem::Close(Handle handle) {
    if (open_.erase(handle) != 0) return 0;
    return system_.Close(handle);
}

int BatchFileSystem::Rename(const std::filesystem::path& from, const std::filesystem::path& to) {
    // The last moment a stop can still leave the old file as it was.
    if (StopSignal() != 0) return ECANCELED;
    return system_.Rename(from, to);
}

}  // namespace rastrix::batch

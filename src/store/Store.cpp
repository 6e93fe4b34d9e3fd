#include "store/Store.h"

#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace rastrix {
namespace {

constexpr std::string_view kVendor = "Orlane";
constexpr std::string_view kProgram = "Rastrix";

ReadResult ReadFailure(StoreStep step, int error) {
    ReadResult result;
    result.status = ReadStatus::Failed;
    result.failure = {step, error};
    return result;
}

WriteResult WriteFailure(StoreStep step, int error) { return {false, {step, error}}; }

std::filesystem::path AbsoluteOrEmpty(const char* text) {
    if (text == nullptr || *text == '\0') return {};
    std::filesystem::path path(text);
    return path.is_absolute() ? path : std::filesystem::path{};
}

std::filesystem::path HomeFromPasswordDatabase() {
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found)
        return {};
    return AbsoluteOrEmpty(found->pw_dir);
}

}  // namespace

std::string_view StepName(StoreStep step) {
    switch (step) {
        case StoreStep::CreateFolder: return "create folder";
        case StoreStep::Open: return "open";
        case StoreStep::Size: return "size";
        case StoreStep::Read: return "read";
        case StoreStep::Write: return "write";
        case StoreStep::Flush: return "flush";
        case StoreStep::Close: return "close";
        case StoreStep::Rename: return "rename";
    }
    return "unknown step";
}

std::string Describe(const StoreFailure& failure) {
    std::string text(StepName(failure.step));
    text += ": ";
    text += std::strerror(failure.errorNumber);
    return text;
}

Store::Store(std::filesystem::path folder, FileSystem& files)
    : folder_(std::move(folder)), files_(&files) {}

std::filesystem::path Store::FolderFor(const char* xdgConfigHome, const char* home) {
    std::filesystem::path base = AbsoluteOrEmpty(xdgConfigHome);
    if (base.empty()) {
        const std::filesystem::path homePath = AbsoluteOrEmpty(home);
        if (homePath.empty()) return {};
        base = homePath / ".config";
    }
    return base / kVendor / kProgram;
}

std::filesystem::path Store::DefaultFolder() {
    std::filesystem::path folder = FolderFor(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
    if (!folder.empty()) return folder;
    const std::filesystem::path home = HomeFromPasswordDatabase();
    return home.empty() ? home : home / ".config" / kVendor / kProgram;
}

bool Store::IsValidName(std::string_view name) {
    return !name.empty() && name.size() <= 200 && name.front() != '.' &&
           name.find('/') == std::string_view::npos && name.find('\0') == std::string_view::npos;
}

ReadResult Store::Read(std::string_view name, std::size_t maxBytes) const {
    if (!IsValidName(name)) return ReadFailure(StoreStep::Open, EINVAL);
    // Without a folder a relative name would be looked up in the working directory.
    if (folder_.empty()) return ReadFailure(StoreStep::Open, ENOENT);

    FileSystem::Handle handle = -1;
    if (const int error = files_->OpenRead(folder_ / name, handle)) {
        if (error == ENOENT) return {};
        return ReadFailure(StoreStep::Open, error);
    }

    ReadResult result;
    std::uint64_t size = 0;
    if (const int error = files_->Size(handle, size)) {
        files_->Close(handle);
        return ReadFailure(StoreStep::Size, error);
    }
    result.storedSize = size;
    if (size > maxBytes) {
        files_->Close(handle);
        result.status = ReadStatus::TooLarge;
        return result;
    }

    result.bytes.resize(static_cast<std::size_t>(size));
    std::size_t total = 0;
    while (total < result.bytes.size()) {
        std::size_t got = 0;
        const int error = files_->Read(handle, std::span(result.bytes).subspan(total), got);
        if (error) {
            files_->Close(handle);
            return ReadFailure(StoreStep::Read, error);
        }
        if (got == 0) break;  // the file shrank since its size was taken
        total += got;
    }
    result.bytes.resize(total);
    files_->Close(handle);  // nothing was written, so a failing close loses nothing
    result.status = ReadStatus::Found;
    return result;
}

WriteResult Store::Write(std::string_view name, std::span<const std::uint8_t> bytes) {
    if (!IsValidName(name)) return WriteFailure(StoreStep::Open, EINVAL);
    if (const int error = files_->CreateFolder(folder_))
        return WriteFailure(StoreStep::CreateFolder, error);

    FileSystem::Handle handle = -1;
    std::filesystem::path temp;
    const std::string prefix = "." + std::string(name) + ".";
    if (const int error = files_->CreateTemp(folder_, prefix, handle, temp))
        return WriteFailure(StoreStep::Open, error);

    bool open = true;
    auto abandon = [&](StoreStep step, int error) {
        if (open) files_->Close(handle);
        files_->Remove(temp);
        return WriteFailure(step, error);
    };

    if (const int error = files_->Write(handle, bytes)) return abandon(StoreStep::Write, error);
    if (const int error = files_->Flush(handle)) return abandon(StoreStep::Flush, error);
    const int closeError = files_->Close(handle);
    open = false;
    if (closeError) return abandon(StoreStep::Close, closeError);
    if (const int error = files_->Rename(temp, folder_ / name))
        return abandon(StoreStep::Rename, error);

    // The new value is in place at this point; syncing the folder only makes the rename
    // survive a power cut sooner, and some file systems refuse it, so its result is ignored.
    files_->FlushFolder(folder_);
    return {};
}

}  // namespace rastrix

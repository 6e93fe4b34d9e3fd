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

ReadResult ReadFailure(FileStep step, int error) {
    ReadResult result;
    result.status = ReadStatus::Failed;
    result.failure = {step, error};
    return result;
}

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
    if (!IsValidName(name)) return ReadFailure(FileStep::Open, EINVAL);
    // Without a folder a relative name would be looked up in the working directory.
    if (folder_.empty()) return ReadFailure(FileStep::Open, ENOENT);

    FileBytesResult file = ReadFileBytes(*files_, folder_ / name, maxBytes, LongerFile::Refuse);
    ReadResult result;
    result.storedSize = file.storedSize;
    if (file) {
        result.status = ReadStatus::Found;
        result.bytes = std::move(file.bytes);
    } else if (file.failure == FileFailure{FileStep::Open, ENOENT} ||
               file.failure == FileFailure{FileStep::Open, ENOTDIR}) {
        // No such file, or a part of the folder's path is a plain file: nothing is stored.
        result.status = ReadStatus::Missing;
    } else if (file.failure == FileFailure{FileStep::Allocate, EFBIG}) {
        result.status = ReadStatus::TooLarge;
    } else {
        result.status = ReadStatus::Failed;
        result.failure = file.failure;
    }
    return result;
}

WriteResult Store::Write(std::string_view name, std::span<const std::uint8_t> bytes) {
    if (!IsValidName(name)) return {false, {FileStep::Open, EINVAL}};
    if (const int error = files_->CreateFolder(folder_)) return {false, {FileStep::CreateFolder, error}};
    // Settings are the user's own: a new value is readable by its owner only.
    return WriteFileAtomically(*files_, folder_ / name, bytes, 0600);
}

}  // namespace rastrix

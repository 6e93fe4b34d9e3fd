#pragma once
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "store/FileOps.h"
#include "store/FileSystem.h"

namespace rastrix {

enum class ReadStatus : std::uint8_t {
    Found,     // bytes holds the value
    Missing,   // no value of that name
    TooLarge,  // the value is longer than the reader accepts; storedSize says how long
    Failed,    // failure says which step failed and why
};

struct ReadResult {
    ReadStatus status = ReadStatus::Missing;
    std::vector<std::uint8_t> bytes;
    std::uint64_t storedSize = 0;
    FileFailure failure;
};

// Named binary values, one file per value in one folder. A write goes through a temporary
// file in the same folder that is flushed and then renamed over the value, so a crash
// leaves either the old value or the new one, never half of one.
class Store {
public:
    static constexpr std::size_t kDefaultReadLimit = 1 << 16;

    explicit Store(std::filesystem::path folder, FileSystem& files = PosixFileSystem());

    // $XDG_CONFIG_HOME/Orlane/Rastrix, or ~/.config/Orlane/Rastrix; empty if neither the
    // environment nor the password database names a home folder.
    static std::filesystem::path DefaultFolder();
    // The same rule on given values (either may be null); relative paths are ignored.
    static std::filesystem::path FolderFor(const char* xdgConfigHome, const char* home);

    const std::filesystem::path& Folder() const { return folder_; }

    // Reads the whole value; a value longer than maxBytes is not read (TooLarge).
    ReadResult Read(std::string_view name, std::size_t maxBytes = kDefaultReadLimit) const;
    // Creates the folder when missing, then replaces the value as a whole. On failure the
    // previous value is untouched and no temporary file is left behind.
    WriteResult Write(std::string_view name, std::span<const std::uint8_t> bytes);

    // A plain file name: not empty, no '/', no zero byte, not starting with '.' (the
    // temporary files start with '.'), at most 200 characters.
    static bool IsValidName(std::string_view name);

private:
    std::filesystem::path folder_;
    FileSystem* files_;
};

}  // namespace rastrix

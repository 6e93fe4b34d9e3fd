#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "document/BmpHeader.h"

namespace rastrix {

// Result of one operating-system call: `error` is 0 on success, else the errno value.
struct FileCallResult {
    std::int64_t value = 0;
    int error = 0;
};

// The system calls behind the file readers. PosixFileCalls() is the real one; tests pass their
// own to make opening, sizing or reading fail, or to hand out short reads.
class FileCalls {
public:
    virtual ~FileCalls() = default;
    virtual FileCallResult Open(const std::string& path) = 0;   // value: a handle
    virtual FileCallResult Size(std::int64_t handle) = 0;       // value: the byte count
    // value: bytes read, fewer than asked for at any time, 0 at the end of the file.
    virtual FileCallResult Read(std::int64_t handle, std::uint8_t* buffer, std::size_t count) = 0;
    virtual void Close(std::int64_t handle) = 0;
};

FileCalls& PosixFileCalls();

// The step at which reading a file failed.
enum class FileReadStep { Open, Size, Allocate, Read };

struct FileReadError {
    FileReadStep step = FileReadStep::Open;
    int errorCode = 0;  // errno value; ENOMEM or EFBIG when the buffer could not be had
};

struct FileReadResult {
    std::optional<std::vector<std::uint8_t>> bytes;
    FileReadError error;
};

// Files larger than this are refused at the Allocate step with EFBIG: no bitmap this program
// opens needs that many bytes (the largest bitmap at 32 bits, with generous room for headers).
inline constexpr std::uint64_t kMaxReadableFileBytes = std::uint64_t(kBmpMaxPixels) * 4 + (std::uint64_t(1) << 20);

// Reads the whole file. The file is always closed before returning.
FileReadResult ReadWholeFile(const std::string& path, FileCalls& calls = PosixFileCalls());

// Reads at most `count` bytes from the start of the file (fewer when the file is shorter).
FileReadResult ReadFileStart(const std::string& path, std::size_t count, FileCalls& calls = PosixFileCalls());

}  // namespace rastrix

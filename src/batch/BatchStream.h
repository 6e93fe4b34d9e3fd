#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace rastrix::batch {

// Looks at the bytes of a stream read so far (`whole` once it has ended) and says why they
// are refused, or nothing while they may go on.
using StreamCheck = std::function<std::string(std::span<const std::uint8_t> bytes, bool whole)>;

// Reads a stream (standard input, a pipe) to its end into `bytes`, holding at most `limit`
// bytes: the buffer grows by doubling but never past the limit, and a stream longer than it
// is refused with `tooLong`. `check` sees the bytes after every read. A stop signal ends the
// reading (kStoppedText). Returns why the stream was refused, empty when it was read whole.
std::string ReadStreamUpTo(int fd, std::size_t limit, std::vector<std::uint8_t>& bytes, const StreamCheck& check,
                           const std::string& tooLong);

// Opens a named pipe (or socket) for reading and reads it as above; the open waits for a
// writer but not past a stop signal.
std::string ReadNamedStream(const std::string& name, std::size_t limit, std::vector<std::uint8_t>& bytes,
                            const StreamCheck& check, const std::string& tooLong);

// Whether a name is a pipe or a socket (following links): a stream to read as one.
bool IsStream(const std::string& name);

}  // namespace rastrix::batch

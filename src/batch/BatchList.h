#pragma once
#include <string>
#include <vector>

namespace rastrix::batch {

// Reads the names of a --files-from list ("-" is standard input): one a line (a line end of
// "\r\n" counts as one; blank lines are skipped) or, with nulSeparated, each ended by a NUL
// byte as find -print0 writes them. A name that no file call could take whole is refused
// before any file is touched: a NUL byte inside a line, a name longer than the system's path
// limit, an empty name in a NUL-separated list. Returns why the list is refused, empty when
// the names were added. A name already among `names` or met before in the list is not kept
// again (an endless list of one name holds one name); `repeated` gets each such name once.
// A stop signal ends the reading, waiting for a pipe's writer included.
std::string ReadNameList(const std::string& list, bool nulSeparated, std::vector<std::string>& names,
                         std::vector<std::string>& repeated);

// The longest path the system takes, with its ending NUL (PATH_MAX).
inline constexpr std::size_t kLongestPath = 4096;

}  // namespace rastrix::batch

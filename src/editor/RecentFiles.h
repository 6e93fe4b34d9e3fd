#pragma once
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "editor/CommandIds.h"

namespace rastrix {

// The longest path an entry keeps when it is stored; longer paths live only for the run.
inline constexpr std::size_t kRecentPathMax = 255;

// The files most recently opened or saved under a new name, newest first. Entries may be
// empty anywhere, though the list is only ever filled from the front.
struct RecentFiles {
    std::array<std::string, kRecentCount> entries;
    // The position of the entry being reopened, or 15 when a load did not come from the list.
    int recentIndex = kRecentCount - 1;
};

// Puts path at the top after a successful load. When recentIndex is 15 the first entry
// equal to path (letters compared without case) moves up; otherwise the entry at
// recentIndex moves up, whatever it holds. A new path pushes the last entry out.
void MoveToFront(RecentFiles& recent, std::string_view path);

// The text of menu item RecentFileCommand(k): the entry itself, empty for an empty entry.
const std::string& RecentMenuText(const RecentFiles& recent, int k);

// The reopen command for position k (after any save prompt): marks where the load comes
// from and returns the path to load, which may be empty.
const std::string& BeginReopen(RecentFiles& recent, int k);

// Whether an entry can be written to and read back from the stored list unchanged.
bool IsStorableRecentPath(std::string_view path);

}  // namespace rastrix

#pragma once
#include <array>
#include <cstdint>
#include <iosfwd>

#include "editor/CommandList.h"

namespace rastrix {

// Command identifiers shared by menu items, tool-bar buttons, tool-tip strings, shortcut keys
// and the dispatch, one for each line of the command list (CommandList.h, which says why a
// number never changes). The selection shape and the current tool are held as the command that
// chooses them. A number that comes from outside (a stored value, a message) becomes an
// identifier only through CommandFromNumber (CommandTable.h).
enum class CommandId : std::uint16_t {
#define RASTRIX_COMMAND_ID(name, number, ...) name = number,
    RASTRIX_COMMANDS(RASTRIX_COMMAND_ID)
#undef RASTRIX_COMMAND_ID
};

// The number of a command, as it is stored and as messages carry it.
constexpr int NumberOf(CommandId id) { return static_cast<int>(id); }

// Writes the number (for diagnostics and test messages).
std::ostream& operator<<(std::ostream& os, CommandId id);

inline constexpr int kRecentCount = 16;

// The reopen commands of the recent list, by position: the newest first.
inline constexpr std::array<CommandId, kRecentCount> kRecentFileCommands{
    CommandId::RecentFile0,  CommandId::RecentFile1,  CommandId::RecentFile2,  CommandId::RecentFile3,
    CommandId::RecentFile4,  CommandId::RecentFile5,  CommandId::RecentFile6,  CommandId::RecentFile7,
    CommandId::RecentFile8,  CommandId::RecentFile9,  CommandId::RecentFile10, CommandId::RecentFile11,
    CommandId::RecentFile12, CommandId::RecentFile13, CommandId::RecentFile14, CommandId::RecentFile15};

// The reopen command of recent-list position k, 0 <= k < kRecentCount.
constexpr CommandId RecentFileCommand(int k) { return kRecentFileCommands[static_cast<std::size_t>(k)]; }

// The recent-list position a command stands for, or -1 when it is not a reopen command.
constexpr int RecentPositionOf(CommandId id) {
    for (int k = 0; k < kRecentCount; ++k)
        if (kRecentFileCommands[static_cast<std::size_t>(k)] == id) return k;
    return -1;
}

// Every identifier's number lies in this closed range; not every number inside it is a command.
inline constexpr int kFirstCommandId = 257;
inline constexpr int kLastCommandId = 383;

constexpr bool InCommandRange(int number) { return number >= kFirstCommandId && number <= kLastCommandId; }

}  // namespace rastrix

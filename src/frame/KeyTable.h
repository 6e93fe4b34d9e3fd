#pragma once
#include <array>
#include <cstdint>
#include <optional>

#include "editor/CommandTable.h"

namespace rastrix {

struct KeyBinding {
    std::uint8_t virtualKey;
    CommandId command;
};

namespace key_table_detail {
constexpr std::size_t CountKeys() {
    std::size_t n = 0;
    for (const CommandInfo& c : kCommandTable) n += c.key != 0 ? 1 : 0;
    return n;
}
}  // namespace key_table_detail

// The frame's key table, by key code, taken from the command table.
inline constexpr auto kKeyTable = [] {
    std::array<KeyBinding, key_table_detail::CountKeys()> keys{};
    std::size_t n = 0;
    for (int vk = 0; vk < 256; ++vk)
        for (const CommandInfo& c : kCommandTable)
            if (c.key != 0 && c.key == vk) keys[n++] = {c.key, c.id};
    return keys;
}();

// The command a key at the frame gives, or nullopt when the key is not in the table. Only the
// low byte of the key code counts, and modifiers are not consulted: C alone copies just as
// Ctrl+C does.
constexpr std::optional<CommandId> CommandForKey(std::uint32_t virtualKey) {
    const auto vk = static_cast<std::uint8_t>(virtualKey & 0xFFu);
    for (const KeyBinding& k : kKeyTable)
        if (k.virtualKey == vk) return k.command;
    return std::nullopt;
}

}  // namespace rastrix

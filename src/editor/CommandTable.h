#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "editor/CommandIds.h"

#include "editor/KeyCodes.h"

namespace rastrix {

// Tool-bar button state bits. The program shows a disabled
// button as indeterminate rather than by clearing the enabled bit.
namespace ButtonBits {
inline constexpr std::uint8_t Checked = 0x01;
inline constexpr std::uint8_t Pressed = 0x02;
inline constexpr std::uint8_t Enabled = 0x04;
inline constexpr std::uint8_t Hidden = 0x08;
inline constexpr std::uint8_t Indeterminate = 0x10;
}  // namespace ButtonBits

enum class ToolBarKind : std::uint8_t { None, Main, Drawing };

// The pop-ups of the menu bar, for the commands added after the first menus: their items go at
// the end of their pop-up (MenuModel.h). None: one of the menus' older items, or no item.
enum class Popup : std::uint8_t { None, File, View, Edit, Tools, Help };

// One command: its menu item, its tool-bar button and tool-tip, and its shortcut key.
// Texts are UTF-8; "&" marks the mnemonic and "\t" separates the accelerator label.
struct CommandInfo {
    CommandId id;
    std::string_view menuText;  // empty: the command has no menu item
    bool menuStartsEnabled;     // false: the item starts greyed
    ToolBarKind bar;            // the bar carrying its button, if any
    int image;                  // index in that bar's image strip; -1 without a button
    std::uint8_t buttonState;   // initial ButtonBits of the button; 0 without a button
    std::string_view toolTip;   // empty without a button
    std::uint8_t key;           // key code of its shortcut, 0 for none
    Popup addedTo;              // the pop-up an added command's item ends
    bool ownRecord;             // its record is in its own source (NameRecord()), not in a layer's list

    constexpr bool HasMenuItem() const { return !menuText.empty(); }
    constexpr bool HasButton() const { return bar != ToolBarKind::None; }
};

namespace command_table_detail {
inline constexpr bool On = true;
inline constexpr bool Grey = false;
inline constexpr ToolBarKind No = ToolBarKind::None;
inline constexpr ToolBarKind M = ToolBarKind::Main;
inline constexpr ToolBarKind D = ToolBarKind::Drawing;
inline constexpr std::uint8_t E = ButtonBits::Enabled;
inline constexpr std::uint8_t I = ButtonBits::Indeterminate;
inline constexpr bool Layer = false;
inline constexpr bool Own = true;
}  // namespace command_table_detail

// One row for each line of the command list (CommandList.h), in its order: sorted by id.
inline constexpr auto kCommandTable = [] {
    using namespace command_table_detail;
    return std::array{
#define RASTRIX_COMMAND_ROW(name, number, menuText, starts, bar, image, state, toolTip, key, addedTo, record) \
    CommandInfo{CommandId::name, menuText, starts, bar, image, state, toolTip, key, Popup::addedTo, record},
        RASTRIX_COMMANDS(RASTRIX_COMMAND_ROW)
#undef RASTRIX_COMMAND_ROW
    };
}();

inline constexpr std::size_t kCommandCount = kCommandTable.size();

namespace command_table_detail {
// Position in kCommandTable of each number of the range, -1 for numbers that are no command.
inline constexpr auto kIndexOfNumber = [] {
    std::array<std::int8_t, kLastCommandId - kFirstCommandId + 1> index{};
    index.fill(-1);
    for (std::size_t i = 0; i < kCommandTable.size(); ++i)
        index[static_cast<std::size_t>(NumberOf(kCommandTable[i].id) - kFirstCommandId)] =
            static_cast<std::int8_t>(i);
    return index;
}();

constexpr int IndexOfNumber(int number) {
    if (!InCommandRange(number)) return -1;
    return kIndexOfNumber[static_cast<std::size_t>(number - kFirstCommandId)];
}
}  // namespace command_table_detail

// The position of a command in kCommandTable: the one index of every table kept per command.
// -1 only for a value that names no command (one made by casting a number).
constexpr int CommandIndex(CommandId id) { return command_table_detail::IndexOfNumber(NumberOf(id)); }

constexpr bool IsCommand(CommandId id) { return CommandIndex(id) >= 0; }

// The command a number from outside stands for (a message, a stored value, a test's raw
// number); nullopt for numbers that are no command, inside the range or outside it.
constexpr std::optional<CommandId> CommandFromNumber(int number) {
    const int i = command_table_detail::IndexOfNumber(number);
    if (i < 0) return std::nullopt;
    return kCommandTable[static_cast<std::size_t>(i)].id;
}

// The table row of a command, or nullptr for a value that names no command.
constexpr const CommandInfo* FindCommand(CommandId id) {
    const int i = CommandIndex(id);
    return i < 0 ? nullptr : &kCommandTable[static_cast<std::size_t>(i)];
}

// The tool-tip shown for the button of this id; empty when no button carries it.
constexpr std::string_view ToolTipText(CommandId id) {
    const CommandInfo* c = FindCommand(id);
    return c == nullptr ? std::string_view{} : c->toolTip;
}

}  // namespace rastrix

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
}  // namespace command_table_detail

// Sorted by id. The texts are the resource texts, kept letter for letter.
inline constexpr auto kCommandTable = [] {
    using namespace command_table_detail;
    return std::array<CommandInfo, 73>{{
        {CommandId::New, "&New", On, M, 0, E, "Create a new file", 0},
        {CommandId::Open, "&Open\tCtrl+O", On, M, 1, E, "Open an existing file", 'O'},
        {CommandId::JoinFiles, "&Join Files\tCtrl+J", On, No, -1, 0, "", 'J'},
        {CommandId::Save, "&Save\tCtrl+S", Grey, M, 2, I, "Save current file", 'S'},
        {CommandId::SaveAs, "S&ave As", Grey, No, -1, 0, "", 0},
        {CommandId::ExportForDevice, "Export for &Device...", Grey, No, -1, 0, "", 0},
        {CommandId::OpenNamed, "", Grey, No, -1, 0, "", 0},
        {CommandId::Exit, "E&xit", On, No, -1, 0, "", 0},
        {CommandId::ToggleReservedFlag, "", Grey, No, -1, 0, "", 0},
        {CommandId::ShowDrawingTools, "Show Drawing Tools", On, M, 4, E, "Show drawing tools", 0},
        {CommandId::FitToWindow, "&Fit to Window", On, M, 5, E, "Fit image to window", 0},
        {CommandId::ActualSize, "&Actual Size", On, M, 6, E, "View actual size", 0},
        {CommandId::Magnify2, "x&2", On, M, 7, E, "Magnify by 2", 0},
        {CommandId::Magnify4, "x&4", On, M, 8, E, "Magnify by 4", 0},
        {CommandId::Magnify8, "x&8", On, M, 9, E, "Magnify by 8", 0},
        {CommandId::Undo, "&Undo\tCtrl+Z", Grey, M, 10, I, "Undo last change", 'Z'},
        {CommandId::Cut, "C&ut\tCtrl+X", Grey, M, 11, I, "Cut to clipboard", 'X'},
        {CommandId::Copy, "&Copy\tCtrl+C", Grey, M, 12, I, "Copy to clipboard", 'C'},
        {CommandId::Paste, "&Paste\tCtrl+V", On, M, 13, E, "Paste from clipboard", 'V'},
        // The button starts enabled while the menu item starts greyed.
        {CommandId::AdjustSelection, "Adjust Selection", Grey, M, 14, E, "Adjust selection", 0},
        {CommandId::Crop, "C&rop", Grey, M, 15, I, "Crop image", 0},
        {CommandId::MarkBorder, "Mark &Border\tCtrl+B", Grey, M, 16, I, "Mark border", 'B'},
        {CommandId::RestoreSelection, "Restore Selction\tCtrl+R", Grey, M, 17, I, "Restore selection", 'R'},
        {CommandId::Unselect, "&Unselect\tCtrl+U", Grey, M, 18, I, "Unselect", 'U'},
        {CommandId::PasteIntoNewFile, "&Paste into New File", On, No, -1, 0, "", 0},
        {CommandId::RotateClockwise, "Rotate 90° clockwise", Grey, M, 19, I, "Rotate 90° clockwise", 0},
        {CommandId::RotateCounterClockwise, "Rotate 90° counter clockwise", Grey, M, 20, I,
         "Rotate 90° counter clockwise", 0},
        {CommandId::Rotate180, "Rotate 180°", Grey, M, 21, I, "Rotate 180°", 0},
        {CommandId::FlipHorizontal, "Flip horizontal", Grey, M, 22, I, "Flip horizontal", 0},
        {CommandId::FlipVertical, "Flip vertical", Grey, M, 23, I, "Flip vertical", 0},
        {CommandId::ShiftLeft, "Shift left", Grey, M, 24, I, "Shift left", 0},
        {CommandId::ShiftRight, "Shift right", Grey, M, 25, I, "Shift right", 0},
        {CommandId::ShiftUp, "Shift up", Grey, M, 26, I, "Shift up", 0},
        {CommandId::ShiftDown, "Shift down", Grey, M, 27, I, "Shift down", 0},
        {CommandId::ChangeImageSize, "Change Image Size", Grey, No, -1, 0, "", 0},
        {CommandId::ScaleImage, "Scale &Image...", Grey, No, -1, 0, "", 0},
        {CommandId::ReduceColors, "Reduce C&olours...", Grey, No, -1, 0, "", 0},
        {CommandId::Pen, "&Pen", On, D, 0, E, "Change Pixels", 0},
        {CommandId::Bucket, "&Bucket", On, D, 1, E, "Change All", 0},
        {CommandId::PickColor, "Pick Color", On, D, 2, E, "Select Color", 0},
        {CommandId::RectangleSelection, "&Rectangle", On, D, 3, E, "Rectangular Selection", 0},
        {CommandId::RoundedRectangleSelection, "Rounded Rectangle", On, D, 4, E, "Rounded Rectangle Selection", 0},
        {CommandId::EllipseSelection, "&Ellipse", On, D, 5, E, "Elliptical Selection", 0},
        {CommandId::LineSelection, "&Line", On, D, 6, E, "Line Selection", 0},
        {CommandId::SetForegroundColor, "Set &Foreground Color", On, No, -1, 0, "", 0},
        {CommandId::SetBackgroundColor, "Set &Background Color", On, No, -1, 0, "", 0},
        {CommandId::SetLineStyle, "Set Line Style", On, D, 7, E, "Set Line Style", 0},
        {CommandId::SetFillStyle, "Set Fill Style", On, D, 8, E, "Set Fill Style", 0},
        {CommandId::FillLine, "Fill Line/Perimeter", Grey, D, 9, I, "Fill Line/Perimeter", 0},
        {CommandId::FillSolid, "Fill Solid", Grey, D, 10, I, "Fill Solid", 0},
        {CommandId::FillTwoColor, "Fill 2-Color", Grey, D, 11, I, "Fill 2-Color", 0},
        {CommandId::FillInterior, "Fill Interior", Grey, D, 12, I, "Fill Interior", 0},
        {CommandId::FillExterior, "Fill Exterior", Grey, D, 13, I, "Fill Exterior", 0},
        {CommandId::HelpContents, "&Contents\tF1", On, No, -1, 0, "", Key::F1},
        {CommandId::ShortcutKeys, "&Shortcut Keys", On, No, -1, 0, "", 0},
        {CommandId::VisitWebsite, "&Visit Website", On, No, -1, 0, "", 0},
        {CommandId::About, "&About...", On, No, -1, 0, "", 0},
        // Placeholders until the recent list writes its paths into them; F5 reloads.
        {CommandId::RecentFile0, "Recent File &0", On, No, -1, 0, "", Key::F5},
        {CommandId::RecentFile1, "Recent File &1", On, No, -1, 0, "", 0},
        {CommandId::RecentFile2, "Recent File &2", On, No, -1, 0, "", 0},
        {CommandId::RecentFile3, "Recent File &3", On, No, -1, 0, "", 0},
        {CommandId::RecentFile4, "Recent File &4", On, No, -1, 0, "", 0},
        {CommandId::RecentFile5, "Recent File &5", On, No, -1, 0, "", 0},
        {CommandId::RecentFile6, "Recent File &6", On, No, -1, 0, "", 0},
        {CommandId::RecentFile7, "Recent File &7", On, No, -1, 0, "", 0},
        {CommandId::RecentFile8, "Recent File &8", On, No, -1, 0, "", 0},
        {CommandId::RecentFile9, "Recent File &9", On, No, -1, 0, "", 0},
        {CommandId::RecentFile10, "Recent File 10", On, No, -1, 0, "", 0},
        {CommandId::RecentFile11, "Recent File 11", On, No, -1, 0, "", 0},
        {CommandId::RecentFile12, "Recent File 12", On, No, -1, 0, "", 0},
        {CommandId::RecentFile13, "Recent File 13", On, No, -1, 0, "", 0},
        {CommandId::RecentFile14, "Recent File 14", On, No, -1, 0, "", 0},
        {CommandId::RecentFile15, "Recent File 15", On, No, -1, 0, "", 0},
    }};
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

#pragma once
#include <array>
#include <cstdint>
#include <string_view>

#include "editor/CommandIds.h"

#include "editor/VirtualKeys.h"

namespace rastrix {

// Tool-bar button states, with the platform's bit values. The program shows a disabled
// button as indeterminate rather than by clearing the enabled bit.
inline constexpr std::uint8_t TBSTATE_CHECKED = 0x01;
inline constexpr std::uint8_t TBSTATE_PRESSED = 0x02;
inline constexpr std::uint8_t TBSTATE_ENABLED = 0x04;
inline constexpr std::uint8_t TBSTATE_HIDDEN = 0x08;
inline constexpr std::uint8_t TBSTATE_INDETERMINATE = 0x10;

// Virtual-key codes of the function keys used as shortcuts.

enum class ToolBarKind : std::uint8_t { None, Main, Drawing };

// One command: its menu item, its tool-bar button and tool-tip, and its shortcut key.
// Texts are UTF-8; "&" marks the mnemonic and "\t" separates the accelerator label.
struct CommandInfo {
    int id;
    std::string_view menuText;  // empty: the command has no menu item
    bool menuStartsEnabled;     // false: the item starts greyed
    ToolBarKind bar;            // the bar carrying its button, if any
    int image;                  // index in that bar's image strip; -1 without a button
    std::uint8_t buttonState;   // initial TBSTATE_* of the button; 0 without a button
    std::string_view toolTip;   // empty without a button
    std::uint8_t key;           // virtual-key code of its shortcut, 0 for none

    constexpr bool HasMenuItem() const { return !menuText.empty(); }
    constexpr bool HasButton() const { return bar != ToolBarKind::None; }
};

namespace command_table_detail {
inline constexpr bool On = true;
inline constexpr bool Grey = false;
inline constexpr ToolBarKind No = ToolBarKind::None;
inline constexpr ToolBarKind M = ToolBarKind::Main;
inline constexpr ToolBarKind D = ToolBarKind::Drawing;
inline constexpr std::uint8_t E = TBSTATE_ENABLED;
inline constexpr std::uint8_t I = TBSTATE_INDETERMINATE;
}  // namespace command_table_detail

// Sorted by id. The texts are the resource texts, kept letter for letter.
inline constexpr auto kCommandTable = [] {
    using namespace command_table_detail;
    return std::array<CommandInfo, 72>{{
        {IDM_NEW, "&New", On, M, 0, E, "Create a new file", 0},
        {IDM_OPEN, "&Open\tCtrl+O", On, M, 1, E, "Open an existing file", 'O'},
        {IDM_JOIN, "&Join Files\tCtrl+J", On, No, -1, 0, "", 'J'},
        {IDM_SAVE, "&Save\tCtrl+S", Grey, M, 2, I, "Save current file", 'S'},
        {IDM_SAVEAS, "S&ave As", Grey, No, -1, 0, "", 0},
        {IDM_OPEN_NAMED, "", Grey, No, -1, 0, "", 0},
        {IDM_EXIT, "E&xit", On, No, -1, 0, "", 0},
        {IDM_TOOLBAR_272, "", Grey, No, -1, 0, "", 0},
        {IDM_DRAWTOOLS, "Show Drawing Tools", On, M, 4, E, "Show drawing tools", 0},
        {IDM_FIT, "&Fit to Window", On, M, 5, E, "Fit image to window", 0},
        {IDM_ACTUAL, "&Actual Size", On, M, 6, E, "View actual size", 0},
        {IDM_ZOOM2, "x&2", On, M, 7, E, "Magnify by 2", 0},
        {IDM_ZOOM4, "x&4", On, M, 8, E, "Magnify by 4", 0},
        {IDM_ZOOM8, "x&8", On, M, 9, E, "Magnify by 8", 0},
        {IDM_UNDO, "&Undo\tCtrl+Z", Grey, M, 10, I, "Undo last change", 'Z'},
        {IDM_CUT, "C&ut\tCtrl+X", Grey, M, 11, I, "Cut to clipboard", 'X'},
        {IDM_COPY, "&Copy\tCtrl+C", Grey, M, 12, I, "Copy to clipboard", 'C'},
        {IDM_PASTE, "&Paste\tCtrl+V", On, M, 13, E, "Paste from clipboard", 'V'},
        // The button starts enabled while the menu item starts greyed.
        {IDM_ADJUST, "Adjust Selection", Grey, M, 14, E, "Adjust selection", 0},
        {IDM_CROP, "C&rop", Grey, M, 15, I, "Crop image", 0},
        {IDM_MARKBORDER, "Mark &Border\tCtrl+B", Grey, M, 16, I, "Mark border", 'B'},
        {IDM_RESTORESEL, "Restore Selction\tCtrl+R", Grey, M, 17, I, "Restore selection", 'R'},
        {IDM_UNSELECT, "&Unselect\tCtrl+U", Grey, M, 18, I, "Unselect", 'U'},
        {IDM_PASTENEW, "&Paste into New File", On, No, -1, 0, "", 0},
        {IDM_ROT90CW, "Rotate 90° clockwise", Grey, M, 19, I, "Rotate 90° clockwise", 0},
        {IDM_ROT90CCW, "Rotate 90° counter clockwise", Grey, M, 20, I,
         "Rotate 90° counter clockwise", 0},
        {IDM_ROT180, "Rotate 180°", Grey, M, 21, I, "Rotate 180°", 0},
        {IDM_FLIPH, "Flip horizontal", Grey, M, 22, I, "Flip horizontal", 0},
        {IDM_FLIPV, "Flip vertical", Grey, M, 23, I, "Flip vertical", 0},
        {IDM_SHIFTL, "Shift left", Grey, M, 24, I, "Shift left", 0},
        {IDM_SHIFTR, "Shift right", Grey, M, 25, I, "Shift right", 0},
        {IDM_SHIFTU, "Shift up", Grey, M, 26, I, "Shift up", 0},
        {IDM_SHIFTD, "Shift down", Grey, M, 27, I, "Shift down", 0},
        {IDM_CHGSIZE, "Change Image Size", Grey, No, -1, 0, "", 0},
        {kScaleImageCommand, "Scale &Image...", Grey, No, -1, 0, "", 0},
        {kReduceColoursCommand, "Reduce C&olours...", Grey, No, -1, 0, "", 0},
        {IDM_PEN, "&Pen", On, D, 0, E, "Change Pixels", 0},
        {IDM_BUCKET, "&Bucket", On, D, 1, E, "Change All", 0},
        {IDM_PICK, "Pick Color", On, D, 2, E, "Select Color", 0},
        {IDM_RECT, "&Rectangle", On, D, 3, E, "Rectangular Selection", 0},
        {IDM_ROUNDRECT, "Rounded Rectangle", On, D, 4, E, "Rounded Rectangle Selection", 0},
        {IDM_ELLIPSE, "&Ellipse", On, D, 5, E, "Elliptical Selection", 0},
        {IDM_LINE, "&Line", On, D, 6, E, "Line Selection", 0},
        {IDM_FGCOLOR, "Set &Foreground Color", On, No, -1, 0, "", 0},
        {IDM_BGCOLOR, "Set &Background Color", On, No, -1, 0, "", 0},
        {IDM_LINESTYLE, "Set Line Style", On, D, 7, E, "Set Line Style", 0},
        {IDM_FILLSTYLE, "Set Fill Style", On, D, 8, E, "Set Fill Style", 0},
        {IDM_FILLLINE, "Fill Line/Perimeter", Grey, D, 9, I, "Fill Line/Perimeter", 0},
        {IDM_FILLSOLID, "Fill Solid", Grey, D, 10, I, "Fill Solid", 0},
        {IDM_FILL2COLOR, "Fill 2-Color", Grey, D, 11, I, "Fill 2-Color", 0},
        {IDM_FILLINTERIOR, "Fill Interior", Grey, D, 12, I, "Fill Interior", 0},
        {IDM_FILLEXTERIOR, "Fill Exterior", Grey, D, 13, I, "Fill Exterior", 0},
        {IDM_HELP, "&Contents\tF1", On, No, -1, 0, "", VK_F1},
        {IDM_SHORTCUTS, "&Shortcut Keys", On, No, -1, 0, "", 0},
        {IDM_WEBSITE, "&Visit Website", On, No, -1, 0, "", 0},
        {IDM_ABOUT, "&About...", On, No, -1, 0, "", 0},
        // Placeholders until the recent list writes its paths into them; F5 reloads.
        {IDM_RECENT0 + 0, "Recent File &0", On, No, -1, 0, "", VK_F5},
        {IDM_RECENT0 + 1, "Recent File &1", On, No, -1, 0, "", 0},
        {IDM_RECENT0 + 2, "Recent File &2", On, No, -1, 0, "", 0},
        {IDM_RECENT0 + 3, "Recent File &3", On, No, -1, 0, "", 0},
        {IDM_RECENT0 + 4, "Recent File &4", On, No, -1, 0, "", 0},
        {IDM_RECENT0 + 5, "Recent File &5", On, No, -1, 0, "", 0},
        {IDM_RECENT0 + 6, "Recent File &6", On, No, -1, 0, "", 0},
        {IDM_RECENT0 + 7, "Recent File &7", On, No, -1, 0, "", 0},
        {IDM_RECENT0 + 8, "Recent File &8", On, No, -1, 0, "", 0},
        {IDM_RECENT0 + 9, "Recent File &9", On, No, -1, 0, "", 0},
        {IDM_RECENT0 + 10, "Recent File 10", On, No, -1, 0, "", 0},
        {IDM_RECENT0 + 11, "Recent File 11", On, No, -1, 0, "", 0},
        {IDM_RECENT0 + 12, "Recent File 12", On, No, -1, 0, "", 0},
        {IDM_RECENT0 + 13, "Recent File 13", On, No, -1, 0, "", 0},
        {IDM_RECENT0 + 14, "Recent File 14", On, No, -1, 0, "", 0},
        {IDM_RECENT0 + 15, "Recent File 15", On, No, -1, 0, "", 0},
    }};
}();

namespace command_table_detail {
// Position of each id in kCommandTable, -1 for numbers that are no command.
inline constexpr auto kIndexOfId = [] {
    std::array<std::int8_t, kCommandIdSpan> index{};
    index.fill(-1);
    for (std::size_t i = 0; i < kCommandTable.size(); ++i)
        index[static_cast<std::size_t>(kCommandTable[i].id - kFirstCommandId)] =
            static_cast<std::int8_t>(i);
    return index;
}();
}  // namespace command_table_detail

// Position of a command in kCommandTable, or -1 when the number is no command.
constexpr int CommandIndex(int id) {
    if (!InCommandRange(id)) return -1;
    return command_table_detail::kIndexOfId[static_cast<std::size_t>(id - kFirstCommandId)];
}

constexpr bool IsCommand(int id) { return CommandIndex(id) >= 0; }

// The table row of a command, or nullptr when the number is no command.
constexpr const CommandInfo* FindCommand(int id) {
    const int i = CommandIndex(id);
    return i < 0 ? nullptr : &kCommandTable[static_cast<std::size_t>(i)];
}

// The tool-tip shown for the button of this id; empty when no button carries it.
constexpr std::string_view ToolTipText(int id) {
    const int i = CommandIndex(id);
    return i < 0 ? std::string_view{} : kCommandTable[static_cast<std::size_t>(i)].toolTip;
}

}  // namespace rastrix

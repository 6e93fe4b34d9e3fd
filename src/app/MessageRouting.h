#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "app/VirtualKeys.h"
#include "raster/Color.h"

namespace rastrix {

// Commands the status bar starts. They match the program's command table.
namespace status_commands {
inline constexpr std::uint16_t IDM_ADJUST = 292;
inline constexpr std::uint16_t IDM_FGCOLOR = 330;
inline constexpr std::uint16_t IDM_BGCOLOR = 331;
}  // namespace status_commands

// ---- Keys -------------------------------------------------------------------------------

// Where a key press goes before anyone handles it.
enum class KeyRoute {
    AdjustDialog,   // the Adjust Selection dialog has the focus and takes the key itself
    FrameShortcut,  // to the frame's key table; the focus stays where it is
    ImageWindow,    // a navigation key for the image window
    Dropped,        // a navigation key while there is no image window
    FocusFrame,     // the focus moves to the frame, then the key goes to its key table
    Unchanged,      // stays with the window that has the focus
};

struct KeyPress {
    VirtualKey key = 0;
    bool ctrlDown = false;
    bool altDown = false;
    bool adjustDialogHasFocus = false;  // a control of the Adjust Selection dialog has the focus
    bool imageWindowExists = false;
};

// System keys (F10 and keys pressed with Alt but without Ctrl) work the menu, not the program's
// shortcuts, so they are never re-targeted.
bool IsSystemKey(const KeyPress& press);

KeyRoute RouteKeyDown(const KeyPress& press);

// ---- Status bar mouse -------------------------------------------------------------------

enum class StatusHover { Blank, ForeSwatch, BackSwatch };

// A mouse position over the status bar, in the status bar's own coordinates. Edges are strict:
// a pointer exactly on a part edge, or on the bar's top border row, is over no part.
// Moves that the frame gets over its own area are never over the status bar: use Blank.
StatusHover StatusBarHover(const std::array<int, 5>& statusPartEdges, int x, int y);

// The text status part 1 shows for a hover: the swatch colour as "RGB=r,g,b", or one space.
std::string StatusHoverText(StatusHover hover, Color foreColor, Color backColor);

// "RGB=%u,%u,%u" of a colour, red first.
std::string FormatRgbText(Color color);

// The command a left press on the status bar starts: part 2 sets the foreground colour, part 3
// the background colour, part 4 opens the Adjust Selection dialog; parts 0 and 1 and the edges
// start nothing.
std::optional<std::uint16_t> StatusBarClickCommand(const std::array<int, 5>& statusPartEdges, int x,
                                                   int y);

}  // namespace rastrix

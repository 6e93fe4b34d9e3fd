#pragma once
#include <array>
#include <cstdint>
#include <iosfwd>

namespace rastrix {

// Command identifiers shared by menu items, tool-bar buttons, tool-tip strings, shortcut keys
// and the dispatch. The selection shape and the current tool are held as the command that
// chooses them. The settings file stores the view mode as its command's number
// (FitToWindow..Magnify8, see ViewModes.h), so every number keeps the value it has always had:
// a command may be renamed, never renumbered, or settings files written before would read as
// a different view mode. A number that comes from outside (a stored value, a message) becomes
// an identifier only through CommandFromNumber (CommandTable.h).
enum class CommandId : std::uint16_t {
    New = 257,
    Open = 258,
    JoinFiles = 259,
    Save = 260,
    SaveAs = 261,
    // Added later, a free number of the File menu's range; not stored in files.
    ExportForDevice = 262,
    OpenNamed = 265,  // sent once at start-up for the command-line file
    Exit = 271,
    // No menu item, button or key carries 272; the command is kept because it still has a handler
    // (it flips the stored reservedFlag), so a message that names it behaves as it always has.
    ToggleReservedFlag = 272,
    ShowDrawingTools = 273,
    FitToWindow = 274,
    ActualSize = 275,
    Magnify2 = 276,
    Magnify4 = 277,
    Magnify8 = 278,
    Undo = 288,
    Cut = 289,
    Copy = 290,
    Paste = 291,
    AdjustSelection = 292,
    Crop = 293,
    MarkBorder = 295,
    RestoreSelection = 296,
    Unselect = 297,
    PasteIntoNewFile = 298,
    RotateClockwise = 304,
    RotateCounterClockwise = 305,
    Rotate180 = 306,
    FlipHorizontal = 307,
    FlipVertical = 308,
    ShiftLeft = 309,
    ShiftRight = 310,
    ShiftUp = 311,
    ShiftDown = 312,
    ChangeImageSize = 316,
    // Added commands take free numbers in the range; the numbers are not stored in files.
    ScaleImage = 317,
    ReduceColors = 318,
    Pen = 320,
    Bucket = 321,
    PickColor = 322,
    RectangleSelection = 323,
    RoundedRectangleSelection = 324,
    EllipseSelection = 325,
    LineSelection = 326,
    SetForegroundColor = 330,
    SetBackgroundColor = 331,
    SetLineStyle = 332,
    SetFillStyle = 333,
    FillLine = 336,
    FillSolid = 337,
    FillTwoColor = 338,
    FillInterior = 339,
    FillExterior = 340,
    HelpContents = 352,
    ShortcutKeys = 353,
    VisitWebsite = 354,
    About = 355,
    RecentFile0 = 368,  // F5 reloads the newest
    RecentFile1 = 369,
    RecentFile2 = 370,
    RecentFile3 = 371,
    RecentFile4 = 372,
    RecentFile5 = 373,
    RecentFile6 = 374,
    RecentFile7 = 375,
    RecentFile8 = 376,
    RecentFile9 = 377,
    RecentFile10 = 378,
    RecentFile11 = 379,
    RecentFile12 = 380,
    RecentFile13 = 381,
    RecentFile14 = 382,
    RecentFile15 = 383,
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

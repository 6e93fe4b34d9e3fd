#pragma once

namespace rastrix {

// Command identifiers shared by menu items, tool-bar buttons, tool-tip strings, shortcut keys
// and the dispatch. They are plain ints, as the tables are indexed by them and the selection
// shape, the current tool and the view mode are held as them. The settings file stores the
// view mode as its command's number (FitToWindow..Magnify8), so every number keeps the value it
// has always had: a command may be renamed, never renumbered, or settings files written before
// would read as a different view mode.
namespace CommandId {
inline constexpr int New = 257;
inline constexpr int Open = 258;
inline constexpr int JoinFiles = 259;
inline constexpr int Save = 260;
inline constexpr int SaveAs = 261;
// Added later, a free number of the File menu's range; not stored in files.
inline constexpr int ExportForDevice = 262;
inline constexpr int OpenNamed = 265;  // sent once at start-up for the command-line file
inline constexpr int Exit = 271;
// No menu item, button or key carries 272; the command is kept because it still has a handler
// (it flips the stored reservedFlag), so a message that names it behaves as it always has.
inline constexpr int ToggleReservedFlag = 272;
inline constexpr int ShowDrawingTools = 273;
inline constexpr int FitToWindow = 274;
inline constexpr int ActualSize = 275;
inline constexpr int Magnify2 = 276;
inline constexpr int Magnify4 = 277;
inline constexpr int Magnify8 = 278;
inline constexpr int Undo = 288;
inline constexpr int Cut = 289;
inline constexpr int Copy = 290;
inline constexpr int Paste = 291;
inline constexpr int AdjustSelection = 292;
inline constexpr int Crop = 293;
inline constexpr int MarkBorder = 295;
inline constexpr int RestoreSelection = 296;
inline constexpr int Unselect = 297;
inline constexpr int PasteIntoNewFile = 298;
inline constexpr int RotateClockwise = 304;
inline constexpr int RotateCounterClockwise = 305;
inline constexpr int Rotate180 = 306;
inline constexpr int FlipHorizontal = 307;
inline constexpr int FlipVertical = 308;
inline constexpr int ShiftLeft = 309;
inline constexpr int ShiftRight = 310;
inline constexpr int ShiftUp = 311;
inline constexpr int ShiftDown = 312;
inline constexpr int ChangeImageSize = 316;
// Added commands take free numbers in the range; the numbers are not stored in files.
inline constexpr int ScaleImage = 317;
inline constexpr int ReduceColors = 318;
inline constexpr int Pen = 320;
inline constexpr int Bucket = 321;
inline constexpr int PickColor = 322;
inline constexpr int RectangleSelection = 323;
inline constexpr int RoundedRectangleSelection = 324;
inline constexpr int EllipseSelection = 325;
inline constexpr int LineSelection = 326;
inline constexpr int SetForegroundColor = 330;
inline constexpr int SetBackgroundColor = 331;
inline constexpr int SetLineStyle = 332;
inline constexpr int SetFillStyle = 333;
inline constexpr int FillLine = 336;
inline constexpr int FillSolid = 337;
inline constexpr int FillTwoColor = 338;
inline constexpr int FillInterior = 339;
inline constexpr int FillExterior = 340;
inline constexpr int HelpContents = 352;
inline constexpr int ShortcutKeys = 353;
inline constexpr int VisitWebsite = 354;
inline constexpr int About = 355;
inline constexpr int FirstRecentFile = 368;  // FirstRecentFile + k for recent file k, k = 0..15
}  // namespace CommandId
inline constexpr int kRecentCount = 16;

// Every identifier lies in this closed range; not every number inside it is a command.
inline constexpr int kFirstCommandId = 257;
inline constexpr int kLastCommandId = 383;
inline constexpr int kCommandIdSpan = kLastCommandId - kFirstCommandId + 1;

constexpr bool InCommandRange(int id) { return id >= kFirstCommandId && id <= kLastCommandId; }

}  // namespace rastrix

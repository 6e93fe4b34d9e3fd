#pragma once

namespace rastrix {

// Command identifiers shared by menu items, tool-bar buttons, tool-tip strings, shortcut keys
// and the dispatch. The view mode, the current tool and the selection shape are stored as these.
inline constexpr int IDM_NEW = 257;
inline constexpr int IDM_OPEN = 258;
inline constexpr int IDM_JOIN = 259;
inline constexpr int IDM_SAVE = 260;
inline constexpr int IDM_SAVEAS = 261;
inline constexpr int IDM_OPEN_NAMED = 265;  // sent once at start-up for the command-line file
inline constexpr int IDM_EXIT = 271;
// No menu item, button or key carries 272; the command is kept because it still has a handler
// (it flips the stored reservedFlag), so a message that names it behaves as it always has.
inline constexpr int IDM_TOOLBAR_272 = 272;
inline constexpr int IDM_DRAWTOOLS = 273;
inline constexpr int IDM_FIT = 274;
inline constexpr int IDM_ACTUAL = 275;
inline constexpr int IDM_ZOOM2 = 276;
inline constexpr int IDM_ZOOM4 = 277;
inline constexpr int IDM_ZOOM8 = 278;
inline constexpr int IDM_UNDO = 288;
inline constexpr int IDM_CUT = 289;
inline constexpr int IDM_COPY = 290;
inline constexpr int IDM_PASTE = 291;
inline constexpr int IDM_ADJUST = 292;
inline constexpr int IDM_CROP = 293;
inline constexpr int IDM_MARKBORDER = 295;
inline constexpr int IDM_RESTORESEL = 296;
inline constexpr int IDM_UNSELECT = 297;
inline constexpr int IDM_PASTENEW = 298;
inline constexpr int IDM_ROT90CW = 304;
inline constexpr int IDM_ROT90CCW = 305;
inline constexpr int IDM_ROT180 = 306;
inline constexpr int IDM_FLIPH = 307;
inline constexpr int IDM_FLIPV = 308;
inline constexpr int IDM_SHIFTL = 309;
inline constexpr int IDM_SHIFTR = 310;
inline constexpr int IDM_SHIFTU = 311;
inline constexpr int IDM_SHIFTD = 312;
inline constexpr int IDM_CHGSIZE = 316;
// Added commands take free numbers in the range; the numbers are not stored in files.
inline constexpr int kScaleImageCommand = 317;
inline constexpr int kReduceColoursCommand = 318;
inline constexpr int IDM_PEN = 320;
inline constexpr int IDM_BUCKET = 321;
inline constexpr int IDM_PICK = 322;
inline constexpr int IDM_RECT = 323;
inline constexpr int IDM_ROUNDRECT = 324;
inline constexpr int IDM_ELLIPSE = 325;
inline constexpr int IDM_LINE = 326;
inline constexpr int IDM_FGCOLOR = 330;
inline constexpr int IDM_BGCOLOR = 331;
inline constexpr int IDM_LINESTYLE = 332;
inline constexpr int IDM_FILLSTYLE = 333;
inline constexpr int IDM_FILLLINE = 336;
inline constexpr int IDM_FILLSOLID = 337;
inline constexpr int IDM_FILL2COLOR = 338;
inline constexpr int IDM_FILLINTERIOR = 339;
inline constexpr int IDM_FILLEXTERIOR = 340;
inline constexpr int IDM_HELP = 352;
inline constexpr int IDM_SHORTCUTS = 353;
inline constexpr int IDM_WEBSITE = 354;
inline constexpr int IDM_ABOUT = 355;
inline constexpr int IDM_RECENT0 = 368;  // IDM_RECENT0 + k for recent file k, k = 0..15
inline constexpr int kRecentCount = 16;

// Every identifier lies in this closed range; not every number inside it is a command.
inline constexpr int kFirstCommandId = 257;
inline constexpr int kLastCommandId = 383;
inline constexpr int kCommandIdSpan = kLastCommandId - kFirstCommandId + 1;

constexpr bool InCommandRange(int id) { return id >= kFirstCommandId && id <= kLastCommandId; }

}  // namespace rastrix

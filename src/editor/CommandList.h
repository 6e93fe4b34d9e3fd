#pragma once

// Every command of the program, one line each, sorted by number. A line declares the command's
// identifier (CommandId::Name) with its number and its row of the command table
// (CommandTable.h): the menu item's text, whether the item starts enabled, the tool-bar button
// (bar, image in the bar's strip, start state, tool-tip) and the shortcut key. The last column
// says at the end of which pop-up the item of a command added after the first menus goes (the
// menus' older items keep their places, MenuModel.h); the older commands and those without a
// menu item say None there. What the command does and when it can run is its record (Command.h):
// the last column says where that is. Layer: in the list of the layer that owns it, as the older
// commands and the families sharing one handler keep theirs. Own: in the command's own source,
// beside its run, as `Command NameRecord()` (Command.h declares it, the frame enters it; a
// command that says Own and has no such function does not link).
//
// Numbers: the settings file stores the view mode as its command's number (FitToWindow..Magnify8,
// see ViewModes.h), and messages carry numbers, so every number keeps the value it has always had:
// a command may be renamed, never renumbered. A new command takes a free number of its menu's
// range (257.. File, 273.. View, 288.. Edit, 320.. Tools, 352.. Help); the added ones are not
// stored in files.
//
// Columns: C(Name, number, menu text, menu item starts On or Grey, bar No/M(ain)/D(rawing),
// image, button start state E(nabled)/I(ndeterminate) or 0, tool-tip, key, added to pop-up,
// record Layer/Own).
// Texts are UTF-8, kept letter for letter; "&" marks the mnemonic and "\t" the accelerator label.
// Comments inside the list are /* */, as every line continues the macro.
#define RASTRIX_COMMANDS(C)                                                                                     \
    C(New, 257, "&New", On, M, 0, E, "Create a new file", 0, None, Layer)                                       \
    C(Open, 258, "&Open\tCtrl+O", On, M, 1, E, "Open an existing file", 'O', None, Layer)                       \
    C(JoinFiles, 259, "&Join Files\tCtrl+J", On, No, -1, 0, "", 'J', None, Layer)                               \
    C(Save, 260, "&Save\tCtrl+S", Grey, M, 2, I, "Save current file", 'S', None, Layer)                         \
    C(SaveAs, 261, "S&ave As", Grey, No, -1, 0, "", 0, None, Layer)                                             \
    C(ExportForDevice, 262, "Export for &Device...", Grey, No, -1, 0, "", 0, File, Own)                         \
    /* Sent once at start-up for the file named on the command line; no menu item. */                           \
    C(OpenNamed, 265, "", Grey, No, -1, 0, "", 0, None, Layer)                                                  \
    C(Exit, 271, "E&xit", On, No, -1, 0, "", 0, None, Layer)                                                    \
    /* No menu item, button or key carries 272; the command is kept because it still has a handler */           \
    /* (it flips the stored reservedFlag), so a message that names it behaves as it always has. */              \
    C(ToggleReservedFlag, 272, "", Grey, No, -1, 0, "", 0, None, Layer)                                         \
    C(ShowDrawingTools, 273, "Show Drawing Tools", On, M, 4, E, "Show drawing tools", 0, None, Layer)           \
    C(FitToWindow, 274, "&Fit to Window", On, M, 5, E, "Fit image to window", 0, None, Layer)                   \
    C(ActualSize, 275, "&Actual Size", On, M, 6, E, "View actual size", 0, None, Layer)                         \
    C(Magnify2, 276, "x&2", On, M, 7, E, "Magnify by 2", 0, None, Layer)                                        \
    C(Magnify4, 277, "x&4", On, M, 8, E, "Magnify by 4", 0, None, Layer)                                        \
    C(Magnify8, 278, "x&8", On, M, 9, E, "Magnify by 8", 0, None, Layer)                                        \
    C(Undo, 288, "&Undo\tCtrl+Z", Grey, M, 10, I, "Undo last change", 'Z', None, Layer)                         \
    C(Cut, 289, "C&ut\tCtrl+X", Grey, M, 11, I, "Cut to clipboard", 'X', None, Layer)                           \
    C(Copy, 290, "&Copy\tCtrl+C", Grey, M, 12, I, "Copy to clipboard", 'C', None, Layer)                        \
    C(Paste, 291, "&Paste\tCtrl+V", On, M, 13, E, "Paste from clipboard", 'V', None, Layer)                     \
    /* The button starts enabled while the menu item starts greyed. */                                          \
    C(AdjustSelection, 292, "Adjust Selection", Grey, M, 14, E, "Adjust selection", 0, None, Layer)             \
    C(Crop, 293, "C&rop", Grey, M, 15, I, "Crop image", 0, None, Layer)                                         \
    C(MarkBorder, 295, "Mark &Border\tCtrl+B", Grey, M, 16, I, "Mark border", 'B', None, Layer)                 \
    C(RestoreSelection, 296, "Restore Selction\tCtrl+R", Grey, M, 17, I, "Restore selection", 'R', None, Layer) \
    C(Unselect, 297, "&Unselect\tCtrl+U", Grey, M, 18, I, "Unselect", 'U', None, Layer)                         \
    C(PasteIntoNewFile, 298, "&Paste into New File", On, No, -1, 0, "", 0, None, Layer)                         \
    C(RotateClockwise, 304, "Rotate 90° clockwise", Grey, M, 19, I, "Rotate 90° clockwise", 0, None, Layer)     \
    C(RotateCounterClockwise, 305, "Rotate 90° counter clockwise", Grey, M, 20, I,                              \
      "Rotate 90° counter clockwise", 0, None, Layer)                                                           \
    C(Rotate180, 306, "Rotate 180°", Grey, M, 21, I, "Rotate 180°", 0, None, Layer)                             \
    C(FlipHorizontal, 307, "Flip horizontal", Grey, M, 22, I, "Flip horizontal", 0, None, Layer)                \
    C(FlipVertical, 308, "Flip vertical", Grey, M, 23, I, "Flip vertical", 0, None, Layer)                      \
    C(ShiftLeft, 309, "Shift left", Grey, M, 24, I, "Shift left", 0, None, Layer)                               \
    C(ShiftRight, 310, "Shift right", Grey, M, 25, I, "Shift right", 0, None, Layer)                            \
    C(ShiftUp, 311, "Shift up", Grey, M, 26, I, "Shift up", 0, None, Layer)                                     \
    C(ShiftDown, 312, "Shift down", Grey, M, 27, I, "Shift down", 0, None, Layer)                               \
    C(ChangeImageSize, 316, "Change Image Size", Grey, No, -1, 0, "", 0, None, Layer)                           \
    C(ScaleImage, 317, "Scale &Image...", Grey, No, -1, 0, "", 0, Edit, Own)                                    \
    C(ReduceColors, 318, "Reduce C&olours...", Grey, No, -1, 0, "", 0, Edit, Own)                               \
    C(Pen, 320, "&Pen", On, D, 0, E, "Change Pixels", 0, None, Layer)                                           \
    C(Bucket, 321, "&Bucket", On, D, 1, E, "Change All", 0, None, Layer)                                        \
    C(PickColor, 322, "Pick Color", On, D, 2, E, "Select Color", 0, None, Layer)                                \
    C(RectangleSelection, 323, "&Rectangle", On, D, 3, E, "Rectangular Selection", 0, None, Layer)              \
    C(RoundedRectangleSelection, 324, "Rounded Rectangle", On, D, 4, E, "Rounded Rectangle Selection", 0,       \
      None, Layer)                                                                                              \
    C(EllipseSelection, 325, "&Ellipse", On, D, 5, E, "Elliptical Selection", 0, None, Layer)                   \
    C(LineSelection, 326, "&Line", On, D, 6, E, "Line Selection", 0, None, Layer)                               \
    C(SetForegroundColor, 330, "Set &Foreground Color", On, No, -1, 0, "", 0, None, Layer)                      \
    C(SetBackgroundColor, 331, "Set &Background Color", On, No, -1, 0, "", 0, None, Layer)                      \
    C(SetLineStyle, 332, "Set Line Style", On, D, 7, E, "Set Line Style", 0, None, Layer)                       \
    C(SetFillStyle, 333, "Set Fill Style", On, D, 8, E, "Set Fill Style", 0, None, Layer)                       \
    C(FillLine, 336, "Fill Line/Perimeter", Grey, D, 9, I, "Fill Line/Perimeter", 0, None, Layer)               \
    C(FillSolid, 337, "Fill Solid", Grey, D, 10, I, "Fill Solid", 0, None, Layer)                               \
    C(FillTwoColor, 338, "Fill 2-Color", Grey, D, 11, I, "Fill 2-Color", 0, None, Layer)                        \
    C(FillInterior, 339, "Fill Interior", Grey, D, 12, I, "Fill Interior", 0, None, Layer)                      \
    C(FillExterior, 340, "Fill Exterior", Grey, D, 13, I, "Fill Exterior", 0, None, Layer)                      \
    C(HelpContents, 352, "&Contents\tF1", On, No, -1, 0, "", Key::F1, None, Layer)                              \
    C(ShortcutKeys, 353, "&Shortcut Keys", On, No, -1, 0, "", 0, None, Layer)                                   \
    C(VisitWebsite, 354, "&Visit Website", On, No, -1, 0, "", 0, None, Layer)                                   \
    C(About, 355, "&About...", On, No, -1, 0, "", 0, None, Layer)                                               \
    /* Placeholders until the recent list writes its paths into them, the newest first; F5 reloads */           \
    /* the newest. */                                                                                           \
    C(RecentFile0, 368, "Recent File &0", On, No, -1, 0, "", Key::F5, None, Layer)                              \
    C(RecentFile1, 369, "Recent File &1", On, No, -1, 0, "", 0, None, Layer)                                    \
    C(RecentFile2, 370, "Recent File &2", On, No, -1, 0, "", 0, None, Layer)                                    \
    C(RecentFile3, 371, "Recent File &3", On, No, -1, 0, "", 0, None, Layer)                                    \
    C(RecentFile4, 372, "Recent File &4", On, No, -1, 0, "", 0, None, Layer)                                    \
    C(RecentFile5, 373, "Recent File &5", On, No, -1, 0, "", 0, None, Layer)                                    \
    C(RecentFile6, 374, "Recent File &6", On, No, -1, 0, "", 0, None, Layer)                                    \
    C(RecentFile7, 375, "Recent File &7", On, No, -1, 0, "", 0, None, Layer)                                    \
    C(RecentFile8, 376, "Recent File &8", On, No, -1, 0, "", 0, None, Layer)                                    \
    C(RecentFile9, 377, "Recent File &9", On, No, -1, 0, "", 0, None, Layer)                                    \
    C(RecentFile10, 378, "Recent File 10", On, No, -1, 0, "", 0, None, Layer)                                   \
    C(RecentFile11, 379, "Recent File 11", On, No, -1, 0, "", 0, None, Layer)                                   \
    C(RecentFile12, 380, "Recent File 12", On, No, -1, 0, "", 0, None, Layer)                                   \
    C(RecentFile13, 381, "Recent File 13", On, No, -1, 0, "", 0, None, Layer)                                   \
    C(RecentFile14, 382, "Recent File 14", On, No, -1, 0, "", 0, None, Layer)                                   \
    C(RecentFile15, 383, "Recent File 15", On, No, -1, 0, "", 0, None, Layer)

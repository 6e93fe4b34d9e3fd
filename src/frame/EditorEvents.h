#pragma once
// The one door from the front end into the core: one call per event. After each call the
// front end reads what it shows from the Editor (command states, status texts, caption,
// frame layout, view state, surface, cursors) and repaints what changed.
#include <optional>
#include <string>

#include "draw/ColorBar.h"            // the colour bar: RenderColorBar and its mouse events
#include "editor/Editor.h"
#include "editor/FrameState.h"
#include "frame/MessageRouting.h"
#include "selection/AdjustDialog.h"  // the modeless Adjust Selection dialog and AdjustDialogMoved
#include "view/Scrolling.h"          // the scroll bars' kinds and requests

namespace rastrix {

class Store;

// Start-up after the frame exists: reads the settings, recent list and custom colours and sets
// the start-up checks.
void StartUp(Editor& ed, const Store& store, const FrameMetrics& metrics);
// Then, once the frame is on screen, opens the file named on the command line, if any; a file
// that cannot be opened is reported in front of the frame.
void OpenStartFile(Editor& ed, const std::string& argument);

// A file dropped on the frame: opened as if chosen in the Open dialog.
void FileDropped(Editor& ed, const std::string& path);

// A command from the menu, a tool-bar button, the key table or a status-bar click.
void RunCommand(Editor& ed, CommandId id);

// A key pressed while the frame or one of its children has the focus. Returns where it went.
KeyRoute FrameKeyDown(Editor& ed, const KeyPress& press);

// The frame's client area changed size (or the frame asks for a new layout pass).
void FrameResized(Editor& ed, SizeKind kind, int clientWidth, int clientHeight,
                  std::optional<WindowRect> frameRect = std::nullopt);
void FrameMoved(Editor& ed, const WindowRect& frameRect);
// A left-button release on the frame's own client area: a new layout pass.
void FrameButtonUp(Editor& ed);
// The clipboard may hold something else now (at start, when another program changed it, when
// the frame becomes active again): Paste follows whether it holds a bitmap.
void ClipboardMayHaveChanged(Editor& ed);

// Mouse over the status bar, in the status bar's own coordinates (the rules they apply are
// StatusHoverAt and StatusClickAt).
void StatusBarMouseMove(Editor& ed, int x, int y);
void StatusBarLeftDown(Editor& ed, int x, int y);

// Mouse over the image window's image part, in its own client coordinates.
void ImageMouseMove(Editor& ed, int x, int y, bool leftHeld, bool rightHeld);
void ImageButtonDown(Editor& ed, int x, int y, bool left);
void ImageButtonUp(Editor& ed, bool left);
void ImageScroll(Editor& ed, ScrollBarKind bar, ScrollRequest request, int thumbPosition);

// Paints the image window into ed.surface (the size of its client area): the image at the
// view's zoom and scroll origin, white where it does not reach, and the selection outline. It
// only draws; the command states, status texts and scroll bars are read off the editor.
void PaintImageWindow(Editor& ed);
// That paint has reached the screen: work left until the picture was seen starts now.
void ImageWindowShown(Editor& ed);

// The close box or Exit. True when the frame may close (the user did not cancel).
bool RequestClose(Editor& ed);
// The frame is going: release the document and write the settings. Returns the message to
// show when the settings could not be written, or nullopt.
std::optional<std::string> Shutdown(Editor& ed, Store& store);

}  // namespace rastrix

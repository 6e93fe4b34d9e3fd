#pragma once
#include <QCursor>
#include <QIcon>

namespace rastrix::gui {

// Number of images in each tool bar's strip; the button tables give each button an image index.
inline constexpr int mainToolBarImageCount = 28;     // 16 x 16 each
inline constexpr int drawingToolBarImageCount = 14;  // 20 x 20 each

// Image imageIndex of a strip; a null icon when the index is outside the strip.
// The disabled (greyed) look comes from QIcon's own disabled mode.
QIcon MainToolBarIcon(int imageIndex);
QIcon DrawingToolBarIcon(int imageIndex);

// The tool cursors, 32 x 32, with their hot spot on the drawing tip:
// pen (9, 19), bucket (10, 23), picker (8, 23).
QCursor PenCursor();
QCursor BucketCursor();
QCursor PickerCursor();

// The program's window icon, at 16, 32 and 48 pixels.
QIcon ProgramIcon();

}  // namespace rastrix::gui

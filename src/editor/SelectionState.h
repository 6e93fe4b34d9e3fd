#pragma once
#include <cstdint>

#include "editor/CommandIds.h"
#include "raster/Geometry.h"

namespace rastrix {

// The commands that choose a selection shape (and the tool that marks it).
constexpr bool IsSelectionShape(CommandId id) {
    switch (id) {
        case CommandId::RectangleSelection:
        case CommandId::RoundedRectangleSelection:
        case CommandId::EllipseSelection:
        case CommandId::LineSelection: return true;
        default: return false;
    }
}

// The one selection of the program: a rectangle of image pixels (right and bottom exclusive),
// standing for the shape inscribed in it. The rectangle stays in place when the selection is
// removed, so Restore Selection can bring it back.
//
// Only a drag, the Adjust Selection dialog and Mark Border change the rectangle; everything
// else reads it.
struct Selection {
    std::uint8_t active = 0;    // a selection is shown and the selection commands work on it
    std::uint8_t dragging = 0;  // a drag that marks it is in progress
    // The shape, as the command that chooses it (IsSelectionShape).
    CommandId shape = CommandId::RectangleSelection;
    Rect rect;                  // 0 <= left <= right <= imageWidth, 0 <= top <= bottom <= imageHeight after a drag step
    bool lineReversed = false;  // a line runs from (right, top) to (left, bottom) instead of (left, top) to (right, bottom)
    Point anchor;               // image pixel where the drag began
    Point drag;                 // image pixel of the last drag step that changed the rectangle

    // Two states the commands remember from past events rather than read off the selection:
    // Restore Selection is offered: set when a selection ends with a rectangle worth
    // restoring, cleared when a selection begins (an end with an empty one leaves it).
    bool restoreOffered = false;
    // The Adjust Selection button follows the selection from the first time one begins or
    // ends; until then it is enabled, as the tool bar is made, while the menu item is greyed.
    bool adjustButtonFollows = false;
};

}  // namespace rastrix

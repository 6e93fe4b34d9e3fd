#pragma once
#include <optional>

#include "editor/CommandIds.h"
#include "raster/Geometry.h"

namespace rastrix {

struct Editor;

// A marked shape as the drawing tools use it: the selection rectangle in image pixels (right
// and bottom exclusive), the shape inscribed in it as the command that chooses it
// (IsSelectionShape)
// and, for a line, whether it runs from the bottom-left corner to the top-right one.
struct MarkedShape {
    Rect rect;
    CommandId shape = CommandId::RectangleSelection;
    bool lineReversed = false;
};

// The active selection as a marked shape, or nullopt when no selection is active.
std::optional<MarkedShape> ActiveShape(const Editor& ed);

}  // namespace rastrix

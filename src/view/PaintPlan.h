#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "editor/SettingsRecord.h"
#include "editor/ViewState.h"
#include "raster/Geometry.h"
#include "view/RenderPlan.h"

namespace rastrix {

enum class OutlineKind {
    PatternFrame,  // one-pixel frame painted with the selection pattern brush
    RoundRect,     // dotted red pen, hollow brush, corner ellipse cornerWidth x cornerHeight
    Ellipse,       // dotted red pen, hollow brush
    Line,          // dotted red pen from `from` to `to`
};

// The selection outline in window coordinates.
struct SelectionOutline {
    OutlineKind kind = OutlineKind::PatternFrame;
    Rect box;
    std::int32_t cornerWidth = 0;
    std::int32_t cornerHeight = 0;
    Point from;
    Point to;
    friend bool operator==(const SelectionOutline&, const SelectionOutline&) = default;
};

// Converts the selection's sides to window coordinates at the current zoom and origin. A
// line runs from the top-left to the bottom-right corner, or from the top-right to the
// bottom-left when lineReversed is set. nullopt for an unknown shape.
std::optional<SelectionOutline> ComputeSelectionOutline(const Rect& selection, CommandId selectionShape,
                                                        bool lineReversed, const ViewState& view,
                                                        std::int32_t zoomPercent);

// What one paint of the image window needs from the rest of the program.
struct ImagePaintInputs {
    bool hasImage = false;  // an image is loaded (fileSize is not 0)
    std::int32_t imageWidth = 0;
    std::int32_t imageHeight = 0;
    std::int32_t imageBitDepth = 0;
    bool hasSelection = false;
    CommandId selectionShape = CommandId::RectangleSelection;
    Rect selection;  // the selection's rectangle; read when hasSelection is set
    bool lineReversed = false;
};

// Everything a paint shows besides the pixels themselves. The status bar and the commands
// are read off the editor, not set by a paint.
struct ImagePaintPlan {
    bool paintsImage = false;  // false: nothing is drawn
    RenderPlan render;
    std::optional<SelectionOutline> outline;
};

// One paint: plans the image and the outline from the view as the last event left it (its
// scroll bars included), and ends by putting restoreCursor back and clearing repaintNeeded.
ImagePaintPlan PlanImageWindowPaint(ViewState& view, const SettingsRecord& settings, const ImagePaintInputs& inputs);

}  // namespace rastrix

#pragma once
#include "draw/MarkedShape.h"
#include "editor/Command.h"
#include "editor/SettingsRecord.h"
#include "raster/Bitmap.h"

namespace rastrix {

struct Editor;

// The five fills, in the order of their commands (Fill Line/Perimeter first).
enum class FillKind { Line, Solid, TwoColor, Interior, Exterior };

// The command of each fill.
constexpr CommandId FillCommandOf(FillKind kind) {
    switch (kind) {
        case FillKind::Line: return CommandId::FillLine;
        case FillKind::Solid: return CommandId::FillSolid;
        case FillKind::TwoColor: return CommandId::FillTwoColor;
        case FillKind::Interior: return CommandId::FillInterior;
        case FillKind::Exterior: return CommandId::FillExterior;
    }
    return CommandId::FillLine;
}

// Whether a fill of this kind can run now: each needs an active selection, and of a line only
// Fill Line/Perimeter is drawn (the fill commands' rule).
Availability FillRule(const Editor& ed, FillKind kind);

// A fill of the active selection, one undo level. Line/Perimeter, Solid, 2-Color and
// Interior draw the shape and end the selection (its rectangle kept for Restore Selection);
// Exterior makes every pixel outside the selected rectangle, rounded rectangle or ellipse
// foreColor, the shape, outline included, keeping its pixels. FillRule must allow it (the
// dispatch asks).
void RunFill(Editor& ed, FillKind kind);

// The drawing itself, on any bitmap:
//  - Line/Perimeter: the outline with the line style, width and foreColor, inside untouched.
//  - Solid: outline and inside in foreColor (solid pen of the line width).
//  - 2-Color: the styled outline in foreColor, inside backColor or the hatch in backColor on
//    white; hatches line up with the bitmap's origin.
//  - Interior: no outline; the figure over the box moved in by one at the left and top and
//    shrunk by one at the right and bottom, in backColor or the hatch.
//  - A line runs from the top-left corner toward the bottom-right one, or, reversed, from
//    (left, bottom - 1) toward (right, top - 1), with the chosen style, width and foreColor.
// Styled pens wider than one pixel draw solid; gaps of styled pens are white. Exterior draws
// nothing here (DrawExteriorFill).
void DrawShapeFill(Bitmap& image, const MarkedShape& shape, FillKind kind, const SettingsRecord& settings);
// The four strips around the rectangle, then, for a rounded rectangle or ellipse, each row's
// runs outside the shape mask.
void DrawExteriorFill(Bitmap& image, const MarkedShape& shape, Color color);

}  // namespace rastrix

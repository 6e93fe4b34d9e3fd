#include "selection/Selection.h"

#include <algorithm>

#include "editor/Editor.h"
#include "selection/AdjustDialog.h"
#include "view/EditorView.h"
#include "view/PaintPlan.h"

namespace rastrix {

void BeginSelection(Editor& ed) {
    ed.selection.active = 1;
    ed.selection.restoreOffered = false;
    ed.selection.adjustButtonFollows = true;
}

void EndSelection(Editor& ed) {
    ed.selection.active = 0;
    CloseAdjustDialog(ed);
    // A rectangle of width 0 but some height (or the other way round) is still worth restoring.
    const Rect& r = ed.selection.rect;
    if (r.right != r.left || r.bottom != r.top) ed.selection.restoreOffered = true;
    ed.selection.adjustButtonFollows = true;
}

void ClampSelectionSidesToImage(Editor& ed) {
    Rect& r = ed.selection.rect;
    const int w = std::max(ed.doc.imageWidth, 0);
    const int h = std::max(ed.doc.imageHeight, 0);
    r.left = std::clamp(r.left, 0, w), r.right = std::clamp(r.right, 0, w);
    r.top = std::clamp(r.top, 0, h), r.bottom = std::clamp(r.bottom, 0, h);
}

void ClampActiveSelectionSidesToImage(Editor& ed) {
    if (HasSelection(ed)) ClampSelectionSidesToImage(ed);
}

bool HasSelection(const Editor& ed) { return ed.selection.active != 0; }

Availability SelectionRule(const Editor& ed) {
    if (!HasImage(ed)) return {Availability::Kind::NeedsImage};
    return HasSelection(ed) ? kCanRun : Availability{Availability::Kind::NeedsSelection};
}

Availability RectangleRule(const Editor& ed) {
    const Availability selected = SelectionRule(ed);
    if (!selected.Ok() || ed.selection.shape == CommandId::RectangleSelection) return selected;
    return {Availability::Kind::NeedsRectangleSelection, ed.selection.shape};
}

Availability TurnRule(const Editor& ed) { return HasSelection(ed) ? RectangleRule(ed) : ImageRule(ed); }

}  // namespace rastrix

#include "selection/Selection.h"

#include "app/EnableGroups.h"
#include "app/Editor.h"
#include "selection/AdjustDialog.h"

namespace rastrix {

void BeginSelection(Editor& ed) {
    ed.settings.hasSelection = 1;
    BeginSelectionStates(ed.commands, ed.settings.selectionShape);
}

void EndSelection(Editor& ed) {
    ed.settings.hasSelection = 0;
    CloseAdjustDialog(ed);
    // A rectangle of width 0 but some height (or the other way round) is still worth restoring.
    const Rect& r = ed.selection.rect;
    EndSelectionStates(ed.commands, r.right != r.left || r.bottom != r.top);
}

bool HasSelection(const Editor& ed) { return ed.settings.hasSelection != 0; }

}  // namespace rastrix

#include "selection/SelectionDrag.h"

#include "editor/Editor.h"
#include "selection/AdjustDialog.h"
#include "selection/Selection.h"
#include "view/EditorView.h"
#include "view/MouseRouting.h"

namespace rastrix {

void SelectionDragStart(Editor& ed, Point imagePixel) {
    ed.selection.anchor = imagePixel;
    ed.selection.dragging = 1;
}

void SelectionDragStep(Editor& ed, Point imagePixel) {
    if (ed.selection.dragging == 0) return;
    CloseAdjustDialog(ed);
    Selection& s = ed.selection;
    if (!HasSelection(ed))
        BeginSelection(ed);
    else if (imagePixel == s.drag)
        return;
    s.drag = imagePixel;

    Rect& r = s.rect;
    // The line follows the drag's diagonal: reversed exactly when the drag went up-and-right
    // or down-and-left.
    if (s.drag.x > s.anchor.x) {
        r.left = s.anchor.x, r.right = s.drag.x;
        s.lineReversed = false;
    } else {
        r.left = s.drag.x, r.right = s.anchor.x;
        s.lineReversed = true;
    }
    if (s.drag.y > s.anchor.y) {
        r.top = s.anchor.y, r.bottom = s.drag.y;
    } else {
        r.top = s.drag.y, r.bottom = s.anchor.y;
        s.lineReversed = !s.lineReversed;
    }
    // Every side is held inside the image, not only the far ones: a press beyond the image's
    // last column (the window can be a little wider than the picture) must not leave
    // left > right.
    ClampSelectionSidesToImage(ed);
    InvalidateImageWindow(ed);
}

void SelectionButtonUp(Editor& ed, bool left) {
    if (HandleImageButtonUp(ed.view, ed.selection, left)) OpenAdjustDialog(ed);
}

}  // namespace rastrix

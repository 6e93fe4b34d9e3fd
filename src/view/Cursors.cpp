#include "view/Cursors.h"

namespace rastrix {

CursorKind SetCursorForHitTest(ViewState& view, bool overClientArea) {
    view.shownCursor = overClientArea ? view.toolCursor : CursorKind::Arrow;
    return view.shownCursor;
}

void ShowWaitCursor(ViewState& view) {
    if (view.shownCursor != CursorKind::Wait) view.restoreCursor = view.shownCursor;
    view.shownCursor = CursorKind::Wait;
}

void RestoreCursorAfterPaint(ViewState& view) { view.shownCursor = view.restoreCursor; }

}  // namespace rastrix

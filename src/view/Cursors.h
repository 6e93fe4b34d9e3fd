#pragma once
#include "editor/ViewState.h"

namespace rastrix {

// The mouse entered or moved over the image window: the tool's cursor over the image part,
// the arrow elsewhere (over the scroll bars). Sets and returns shownCursor.
CursorKind SetCursorForHitTest(ViewState& view, bool overClientArea);

// A long operation begins: the wait cursor shows, and the cursor it replaces is kept in
// restoreCursor unless that was already the wait cursor.
void ShowWaitCursor(ViewState& view);

// Every paint of the image window ends by putting restoreCursor back, which takes the wait
// cursor away after a long operation.
void RestoreCursorAfterPaint(ViewState& view);

}  // namespace rastrix

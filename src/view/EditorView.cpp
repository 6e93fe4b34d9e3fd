#include "view/EditorView.h"

#include "editor/Editor.h"
#include "view/Cursors.h"
#include "view/Layout.h"
#include "view/Scrolling.h"

namespace rastrix {

ViewArea CurrentViewArea(const Editor& ed) {
    const FrameLayout& l = ed.frame.layout;
    return {l.viewAreaWidth, l.viewAreaHeight, l.viewAreaTop, ed.frame.vScrollWidth, ed.frame.hScrollHeight};
}

bool HasImage(const Editor& ed) { return ed.doc.fileSize != 0; }

Availability ImageRule(const Editor& ed) {
    return HasImage(ed) ? kCanRun : Availability{Availability::Kind::NeedsImage};
}

void LayoutImageWindow(Editor& ed) {
    if (!HasImage(ed)) return;
    RelayoutImageWindow(ed.view, ed.settings, CurrentViewArea(ed), ed.doc.imageWidth, ed.doc.imageHeight);
    InvalidateImageWindow(ed);
}

void InvalidateImageWindow(Editor& ed) {
    ed.view.repaintNeeded = true;
    // The scroll bars follow the image as it will be painted.
    if (HasImage(ed)) UpdateScrollBars(ed.view, ed.settings, ed.doc.imageWidth, ed.doc.imageHeight);
}

void ShowWaitCursor(Editor& ed) {
    ShowWaitCursor(ed.view);
    ed.host.ShowWaitCursorNow();
}

}  // namespace rastrix

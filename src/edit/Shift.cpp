#include "edit/Shift.h"

#include "edit/EditArea.h"
#include "editor/CommandIds.h"
#include "editor/Editor.h"
#include "editor/ImageStack.h"
#include "raster/Blit.h"
#include "selection/Selection.h"
#include "view/EditorView.h"

namespace rastrix {

void ShiftSelection(Editor& ed, int id) {
    if (id < CommandId::ShiftLeft || id > CommandId::ShiftDown || !HasImage(ed) || !HasSelection(ed)) return;
    const Rect a = SelectedArea(ed);
    if (a.IsEmpty()) return;  // the kept rectangle lies wholly outside the image
    if (!PushCopy(ed)) return;
    // One overlapping copy inside the new level: the row or column at the trailing edge is
    // not overwritten, so it stays and shows twice.
    Bitmap& img = CurrentImage(ed);
    const int w = a.Width(), h = a.Height();
    switch (id) {
        case CommandId::ShiftLeft: CopyPixels(img, a.left, a.top, w - 1, h, img, a.left + 1, a.top); break;
        case CommandId::ShiftRight: CopyPixels(img, a.left + 1, a.top, w - 1, h, img, a.left, a.top); break;
        case CommandId::ShiftUp: CopyPixels(img, a.left, a.top, w, h - 1, img, a.left, a.top + 1); break;
        case CommandId::ShiftDown: CopyPixels(img, a.left, a.top + 1, w, h - 1, img, a.left, a.top); break;
    }
    InvalidateImageWindow(ed);
}

}  // namespace rastrix

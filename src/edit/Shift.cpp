#include "edit/Shift.h"

#include "edit/EditArea.h"
#include "editor/Editor.h"
#include "editor/ImageStack.h"
#include "raster/Blit.h"
#include "selection/Selection.h"
#include "view/EditorView.h"

namespace rastrix {

void RunShift(Editor& ed, ShiftDirection direction) {
    const Rect a = SelectedArea(ed);
    if (a.IsEmpty()) return;  // the kept rectangle lies wholly outside the image
    if (!PushCopy(ed)) return;
    // One overlapping copy inside the new level: the row or column at the trailing edge is
    // not overwritten, so it stays and shows twice.
    Bitmap& img = CurrentImage(ed);
    const int w = a.Width(), h = a.Height();
    switch (direction) {
        case ShiftDirection::Left: CopyPixels(img, a.left, a.top, w - 1, h, img, a.left + 1, a.top); break;
        case ShiftDirection::Right: CopyPixels(img, a.left + 1, a.top, w - 1, h, img, a.left, a.top); break;
        case ShiftDirection::Up: CopyPixels(img, a.left, a.top, w, h - 1, img, a.left, a.top + 1); break;
        case ShiftDirection::Down: CopyPixels(img, a.left, a.top + 1, w, h - 1, img, a.left, a.top); break;
    }
    InvalidateImageWindow(ed);
}

}  // namespace rastrix

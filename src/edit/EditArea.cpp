#include "edit/EditArea.h"

#include "editor/Editor.h"
#include "selection/Selection.h"

namespace rastrix {

Rect SelectedArea(const Editor& ed) {
    const Rect image{0, 0, ed.doc.imageWidth, ed.doc.imageHeight};
    if (!HasSelection(ed)) return image;
    const Rect r = ed.selection.rect.Normalized().Intersect(image);
    return r.IsEmpty() ? Rect{} : r;
}

}  // namespace rastrix

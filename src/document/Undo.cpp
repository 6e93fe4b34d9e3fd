#include "document/Undo.h"

#include "editor/Editor.h"
#include "editor/ImageStack.h"
#include "selection/Selection.h"
#include "view/EditorView.h"

namespace rastrix {

void Undo(Editor& ed) {
    const int oldWidth = ed.doc.imageWidth;
    const int oldHeight = ed.doc.imageHeight;
    if (!PopLevel(ed)) return;
    if (ed.doc.imageWidth != oldWidth || ed.doc.imageHeight != oldHeight) {
        ClampActiveSelectionSidesToImage(ed);
        LayoutImageWindow(ed);
    }
    InvalidateImageWindow(ed);
}

}  // namespace rastrix

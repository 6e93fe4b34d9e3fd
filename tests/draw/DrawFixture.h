#pragma once
// An editor holding a plain image, with the two current colours set to the picture colours:
// in Picture(), 'P' is foreColor, 'b' backColor, '.' the untouched paper and 'w' white.
#include <string>

#include "editor/ImageStack.h"
#include "raster/Picture.h"
#include "selection/Selection.h"
#include "support/EditorFixture.h"

namespace rastrix::test {

class DrawTest : public EditorTest {
protected:
    DrawTest() {
        ed.settings.foreColor = kPen;
        ed.settings.backColor = kInk;
    }

    void NewImage(int w, int h, Color fill = kPaper) {
        ClearImageStack(ed);
        SetBaseLevel(ed, Bitmap(w, h, fill));
        ed.doc.fileSize = 1;  // an image exists
    }
    // Marks a shape as a finished drag leaves it.
    void Select(Rect r, CommandId shape, bool lineReversed = false) {
        ed.selection.rect = r;
        ed.selection.lineReversed = lineReversed;
        ed.selection.shape = shape;
        BeginSelection(ed);
    }
    Bitmap& Image() { return CurrentImage(ed); }
    std::string Pic() { return Picture(Image()); }
    int Depth() const { return ed.doc.undoDepth; }
    bool Modified() const { return ed.doc.modified != 0; }
};

}  // namespace rastrix::test

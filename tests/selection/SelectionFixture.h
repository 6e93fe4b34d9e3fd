#pragma once
// An Editor holding an image, with helpers to drag selections as the image window would.
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <utility>

#include "editor/CommandStateSnapshot.h"
#include "editor/ImageStack.h"
#include "frame/CommandDispatch.h"
#include "selection/AdjustDialog.h"
#include "selection/Selection.h"
#include "selection/SelectionDrag.h"
#include "support/EditorFixture.h"
#include "view/EditorView.h"
#include "view/PaintPlan.h"
#include "view/ViewPrinters.h"

namespace rastrix::test {

// An image whose every pixel tells where it came from.
inline Color PositionColor(int x, int y) { return ColorFromRgb(x & 0xFF, y & 0xFF, (x >> 8) * 16 + (y >> 8)); }

inline Bitmap PositionImage(int w, int h) {
    Bitmap bmp(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) bmp.SetPixel(x, y, PositionColor(x, y));
    return bmp;
}

class SelectionTest : public EditorTest {
protected:
    // What opening a file does to the document and the commands.
    void LoadImage(Bitmap image) {
        EndSelection(ed);
        ClearImageStack(ed);
        SetBaseLevel(ed, std::move(image));
        ed.doc.fileSize = 1;
        ed.doc.imageBitDepth = 24;
        LayoutImageWindow(ed);
    }
    void LoadImage(int w, int h) { LoadImage(PositionImage(w, h)); }

    // Left button down at `from`, a move through each step, then the left button up.
    void Drag(Point from, std::initializer_list<Point> steps) {
        SelectionDragStart(ed, from);
        for (Point p : steps) SelectionDragStep(ed, p);
        SelectionButtonUp(ed, true);
    }
    void Drag(Point from, Point to) { Drag(from, {to}); }

    AdjustSelectionDialog& Dialog() {
        AdjustSelectionDialog* d = OpenAdjustDialogModel(ed);
        if (!d) throw std::logic_error("the Adjust Selection dialog is not open");
        return *d;
    }
    // The four fields as the dialog shows them: "In,Down,Width,Height".
    std::string Fields() {
        AdjustSelectionDialog& d = Dialog();
        return d.Text(ControlId::AdjustLeft) + "," + d.Text(ControlId::AdjustTop) + "," + d.Text(ControlId::AdjustWidth) + "," +
               d.Text(ControlId::AdjustHeight);
    }
    testing_support::Snapshot States() const { return testing_support::Take(ShownCommandStates(ed)); }

    const Rect& Sel() const { return ed.selection.rect; }
    bool Active() const { return ed.selection.active != 0; }
};

}  // namespace rastrix::test

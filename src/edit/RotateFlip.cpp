#include "edit/RotateFlip.h"

#include <utility>

#include "edit/EditArea.h"
#include "raster/Turn.h"
#include "editor/Editor.h"
#include "editor/ImageStack.h"
#include "editor/ReportError.h"
#include "selection/Selection.h"
#include "view/EditorView.h"

namespace rastrix {
namespace {

// The selection's pixels turn in place on a copy of the image; the level below is left as
// it was and is the source.
void TurnSelection(Editor& ed, Rect area, Turn turn) {
    if (!PushCopy(ed)) return;
    ShowWaitCursor(ed);
    const Bitmap& before = ed.doc.stack.levels[ed.doc.undoDepth - 1];
    TurnArea(before, area, CurrentImage(ed), {area.left, area.top}, turn);
    InvalidateImageWindow(ed);
}

// The whole image turns into a new level of the turned size, built before it is pushed so
// that a failed allocation changes nothing.
void TurnImage(Editor& ed, Turn turn) {
    const Bitmap& before = CurrentImage(ed);
    const Rect turned = TurnedArea(before.Bounds(), {}, turn);
    std::optional<Bitmap> level = AllocateLevel(ed, turned.Width(), turned.Height(), Bitmap::NewPixels::Unset);
    if (!level) return;
    ShowWaitCursor(ed);
    TurnArea(before, before.Bounds(), *level, {}, turn);
    const bool sizeChanged = level->Width() != before.Width();
    PushLevel(ed, std::move(*level));
    if (sizeChanged)
        LayoutImageWindow(ed);
    else
        InvalidateImageWindow(ed);
}

}  // namespace

void RunRotateFlip(Editor& ed, Turn turn) {
    if (!HasSelection(ed)) {
        TurnImage(ed, turn);
        return;
    }
    const Rect area = SelectedArea(ed);
    if (SwapsSides(turn) && area.Width() != area.Height()) {
        NoteProblem(ed, {Problem::Kind::Refusal, 0, 0, {}, std::string(kSelectionNotSquareText)});
        ed.host.ShowMessage(kSelectionNotSquareText, std::nullopt, MsgButtons::Ok, MsgIcon::None);
        return;
    }
    if (area.IsEmpty()) return;  // the kept rectangle lies wholly outside the image
    TurnSelection(ed, area, turn);
}

}  // namespace rastrix

#include "document/ScaleImage.h"

#include <utility>

#include "editor/Editor.h"
#include "editor/ImageStack.h"
#include "selection/Selection.h"
#include "view/EditorView.h"

namespace rastrix {

bool ScaleImage(Editor& ed, int width, int height, ScaleFit fit, ScaleFilter filter) {
    if (!HasImage(ed)) return false;
    std::optional<Bitmap> level = ScaleBitmap(CurrentImage(ed), width, height, fit, filter, ColorToPixel(ed.settings.backColor));
    if (!level) return false;
    PushLevel(ed, std::move(*level));
    ClampActiveSelectionSidesToImage(ed);
    LayoutImageWindow(ed);
    InvalidateImageWindow(ed);
    return true;
}

}  // namespace rastrix

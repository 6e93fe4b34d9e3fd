#include "document/ChangeSize.h"

#include <utility>

#include "document/ChangeSizeDialog.h"
#include "editor/Editor.h"
#include "editor/Host.h"
#include "editor/ImageStack.h"
#include "raster/Blit.h"
#include "selection/Selection.h"
#include "view/EditorView.h"

namespace rastrix {

void ChangeSizeCommand(Editor& ed) {
    if (!HasImage(ed)) return;  // reachable by key while greyed
    ChangeSizeDialog dialog(ed, ed.doc.imageWidth, ed.doc.imageHeight);
    if (ed.host.RunModal(dialog) != DialogAnswer::Ok) return;
    const int width = int(dialog.Width()), height = int(dialog.Height());
    std::optional<Bitmap> level = AllocateLevel(ed, width, height);
    if (!level) return;
    level->Fill(ed.settings.backColor);
    CopyPixels(*level, 0, 0, width, height, CurrentImage(ed), 0, 0);  // clipped to the old image
    PushLevel(ed, std::move(*level));
    ClampActiveSelectionSidesToImage(ed);
    LayoutImageWindow(ed);
    InvalidateImageWindow(ed);
}

}  // namespace rastrix

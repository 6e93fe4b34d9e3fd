#include "document/ChangeSize.h"

#include <string>
#include <utility>

#include "document/ChangeSizeDialog.h"
#include "document/NewImageDialog.h"
#include "editor/Editor.h"
#include "editor/Host.h"
#include "editor/ImageStack.h"
#include "editor/ReportError.h"
#include "raster/Blit.h"
#include "selection/Selection.h"
#include "view/EditorView.h"

namespace rastrix {

bool RunChangeImageSize(Editor& ed, const ChangeSizeParams& params) {
    if (!HasImage(ed)) {
        ReportProblem(ed, "There is no image to change the size of.");
        return false;
    }
    if (!AcceptImageSize(ed, params.width, params.height)) return false;
    std::optional<Bitmap> level = AllocateLevel(ed, params.width, params.height);
    if (!level) return false;
    level->Fill(ed.settings.backColor);
    CopyPixels(*level, 0, 0, params.width, params.height, CurrentImage(ed), 0, 0);  // clipped to the old image
    PushLevel(ed, std::move(*level));
    ClampActiveSelectionSidesToImage(ed);
    LayoutImageWindow(ed);
    InvalidateImageWindow(ed);
    return true;
}

void ChangeSizeCommand(Editor& ed) {
    ChangeSizeDialog dialog(ed, ed.doc.imageWidth, ed.doc.imageHeight);
    if (ed.host.RunModal(dialog) != DialogAnswer::Ok) return;
    RunChangeImageSize(ed, dialog.Params());
}

}  // namespace rastrix

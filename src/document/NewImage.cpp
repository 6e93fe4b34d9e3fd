#include "document/NewImage.h"

#include <utility>

#include "codec/BmpLayout.h"
#include "document/NewImageDialog.h"
#include "document/SavePrompt.h"
#include "editor/Editor.h"
#include "editor/Host.h"
#include "editor/ImageStack.h"
#include "selection/Selection.h"
#include "view/EditorView.h"

namespace rastrix {

std::uint32_t UntitledFileSize(int width, int height, int bitDepth) {
    // Within the size limits the largest file (24 bits) stays far below 4 GiB.
    return std::uint32_t(ComputeFileLayout(width, height, bitDepth).fileSize);
}

void MakeUntitledImage(Editor& ed, Bitmap image, std::uint32_t bitDepth, std::uint32_t fileSize) {
    EndSelection(ed);  // the selection belonged to the image being replaced
    ClearImageStack(ed);
    ed.doc.imageBitDepth = bitDepth;
    ed.doc.fileSize = fileSize;
    ed.doc.needsSaveAs = 1;
    ed.doc.currentPath = kUntitledName;
    UpdateTitle(ed, false);
    SetBaseLevel(ed, std::move(image));
    LayoutImageWindow(ed);
    InvalidateImageWindow(ed);
}

void NewCommand(Editor& ed) {
    if (ed.doc.modified && AskToSave(ed) == DialogAnswer::Cancel) return;
    NewImageDialog dialog(ed);
    if (ed.host.RunModal(dialog) != DialogAnswer::Ok) return;
    const int width = int(dialog.Width()), height = int(dialog.Height());
    std::optional<Bitmap> image = AllocateLevel(ed, width, height);
    if (!image) return;
    image->Fill(ed.settings.backColor);
    MakeUntitledImage(ed, std::move(*image), std::uint32_t(dialog.BitDepth()),
                      UntitledFileSize(width, height, dialog.BitDepth()));
}

}  // namespace rastrix

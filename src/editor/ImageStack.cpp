#include "editor/ImageStack.h"

#include <cstring>
#include <utility>

#include "editor/CommandIds.h"
#include "editor/Editor.h"
#include "editor/ReportError.h"
#include "editor/Text.h"
#include "raster/Bands.h"

namespace rastrix {

Bitmap& CurrentImage(Editor& ed) { return ed.doc.stack.levels[ed.doc.undoDepth]; }
const Bitmap& CurrentImage(const Editor& ed) { return ed.doc.stack.levels[ed.doc.undoDepth]; }

void ClearImageStack(Editor& ed) {
    for (auto& level : ed.doc.stack.levels) level = Bitmap();
    ed.doc.undoDepth = 0;
    ++ed.doc.stack.topSerial;
    ClearModified(ed);
}

void SetBaseLevel(Editor& ed, Bitmap image) {
    ed.doc.imageWidth = image.Width();
    ed.doc.imageHeight = image.Height();
    ed.doc.stack.levels[ed.doc.undoDepth] = std::move(image);
    ++ed.doc.stack.topSerial;
}

void PushLevel(Editor& ed, Bitmap newTop) {
    auto& stack = ed.doc.stack;
    auto& depth = ed.doc.undoDepth;
    stack.levelWidth[depth] = ed.doc.imageWidth;
    stack.levelHeight[depth] = ed.doc.imageHeight;
    ++depth;
    ++stack.topSerial;
    if (depth == ImageStack::kLevels) {
        // The stack was full: the oldest version goes.
        for (int i = 0; i + 1 < ImageStack::kLevels; ++i) {
            stack.levels[i] = std::move(stack.levels[i + 1]);
            stack.levelWidth[i] = stack.levelWidth[i + 1];
            stack.levelHeight[i] = stack.levelHeight[i + 1];
        }
        depth = ImageStack::kLevels - 1;
    }
    ed.doc.imageWidth = newTop.Width();
    ed.doc.imageHeight = newTop.Height();
    stack.levels[depth] = std::move(newTop);
    SetModified(ed);
}

void DropUndoLevels(Editor& ed) {
    auto& stack = ed.doc.stack;
    auto& depth = ed.doc.undoDepth;
    if (depth == 0) return;
    stack.levels[0] = std::move(stack.levels[depth]);
    for (int i = 1; i < ImageStack::kLevels; ++i) stack.levels[i] = Bitmap();
    depth = 0;
    ++stack.topSerial;
}

std::optional<Bitmap> AllocateLevel(Editor& ed, int width, int height, Bitmap::NewPixels pixels) {
    // A full stack drops its oldest level at the push: that level's memory becomes the new
    // one's first, so a full stack never holds a fifth image and needs no fresh memory.
    if (ed.doc.undoDepth == ImageStack::kLevels - 1)
        if (auto reused = Bitmap::TryReuse(ed.doc.stack.levels[0], width, height, pixels)) return reused;
    auto level = Bitmap::TryCreate(width, height, pixels);
    if (!level) ReportProblem(ed, kOutOfMemoryText);
    return level;
}

bool PushCopy(Editor& ed) {
    const Bitmap& top = CurrentImage(ed);
    std::optional<Bitmap> copy = AllocateLevel(ed, top.Width(), top.Height(), Bitmap::NewPixels::Unset);
    if (!copy) return false;
    // In bands across the cores: each thread also gets the pages of its part of a fresh level.
    const std::size_t rowBytes = std::size_t(top.Width()) * sizeof(Pixel);
    if (rowBytes != 0)
        ForEachBand(top.Height(), 1, BandItems(top.Width()), [&](int first, int last) {
            std::memcpy(copy->Row(first), top.Row(first), rowBytes * std::size_t(last - first));
        });
    PushLevel(ed, std::move(*copy));
    return true;
}

void PrepareSpareLevel(const Editor& ed) {
    if (ed.doc.fileSize == 0) return;
    Bitmap::PrepareSpare(ed.doc.imageWidth, ed.doc.imageHeight, ImageStack::kLevels - ed.doc.undoDepth);
}

bool PopLevel(Editor& ed) {
    auto& depth = ed.doc.undoDepth;
    if (depth == 0) return false;
    ed.doc.stack.levels[depth] = Bitmap();
    --depth;
    ++ed.doc.stack.topSerial;
    ed.doc.imageWidth = ed.doc.stack.levelWidth[depth];
    ed.doc.imageHeight = ed.doc.stack.levelHeight[depth];
    return true;
}

void SetModified(Editor& ed) {
    ed.doc.modified = 1;
}

void ClearModified(Editor& ed) {
    ed.doc.modified = 0;
}

void UpdateTitle(Editor& ed, bool showSize) {
    std::string text = "Rastrix - " + ed.doc.currentPath;
    if (showSize) text += "  " + InsertThousandsSeparators(std::to_string(ed.doc.fileSize)) + " bytes";
    ed.doc.caption = std::move(text);
    ed.doc.fileTitle = FileTitleOf(ed.doc.currentPath);
}

}  // namespace rastrix

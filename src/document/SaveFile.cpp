#include "document/SaveFile.h"

#include <vector>

#include "codec/BmpDirectWriter.h"
#include "codec/BmpWriter.h"
#include "document/FileWrite.h"
#include "document/OpenFile.h"
#include "document/SaveErrorLines.h"
#include "document/SavePrompt.h"
#include "editor/Editor.h"
#include "editor/ImageStack.h"
#include "editor/RecentFiles.h"
#include "editor/ReportError.h"
#include "store/FileOps.h"
#include "view/EditorView.h"

namespace rastrix {

namespace {

// Save As filter k (1-based) writes this depth; the preselected filter follows the image's
// depth (1, 4 and 8 their own, any other the 24-bit filter). The 16- and 32-bit filters come
// after the four first ones.
int DepthOfFilter(int filterIndex) {
    switch (filterIndex) {
        case 1: return 1;
        case 2: return 4;
        case 3: return 8;
        case 5: return 16;
        case 6: return kSaveDepth555;
        case 7: return 32;
        default: return 24;
    }
}

int FilterOfDepth(std::uint32_t depth) {
    switch (depth) {
        case 1: return 1;
        case 4: return 2;
        case 8: return 3;
        default: return 4;
    }
}

bool IsDirectDepth(int depth) { return depth == 16 || depth == kSaveDepth555 || depth == 32; }

DirectDepth DirectDepthOf(int depth) {
    return depth == 32 ? DirectDepth::Bgra32 : depth == kSaveDepth555 ? DirectDepth::Rgb555 : DirectDepth::Rgb565;
}

// The depth an image read back from a file written at this save depth counts as.
std::uint32_t BitDepthOfSave(int depth) { return depth == kSaveDepth555 ? 16u : std::uint32_t(depth); }

}  // namespace

int PlainSaveDepth(std::uint32_t imageBitDepth) {
    return (imageBitDepth == 1 || imageBitDepth == 4 || imageBitDepth == 8) ? int(imageBitDepth) : 24;
}

std::string ColorLossText(int paletteCapacity) {
    return std::string(kColorLossTextBefore) + std::to_string(paletteCapacity) + std::string(kColorLossTextAfter);
}

ColorLossQuestion AskUserAboutColorLoss(Editor& ed) {
    return [&ed](int capacity) {
        return ed.host.ShowMessage(ColorLossText(capacity), std::string(kColorLossCaption), MsgButtons::YesNo,
                                  MsgIcon::Warning) == DialogAnswer::Yes;
    };
}

BmpFileBytes EncodeCurrentImage(Editor& ed, int depth, const ColorLossQuestion& ask, std::vector<std::uint8_t>& buffer,
                                const KeptAlpha& kept) {
    const Bitmap& image = CurrentImage(ed);
    if (IsDirectDepth(depth)) return EncodeBmpDirect(image, DirectDepthOf(depth), kept.alpha, kept.background, buffer);
    const std::vector<Pixel>& palette = CurrentPalette(ed);
    if ((depth == 1 || depth == 4 || depth == 8) && !palette.empty() && palette.size() <= (std::size_t(1) << depth)) {
        BmpFileBytes file = EncodePaletteBmpPieces(image, palette, depth, buffer);
        if (file.status != EncodeStatus::NotInPalette) return file;
        // An edit brought in another colour: the table is built from the image as always.
    }
    return EncodeBmpPieces(image, depth, ask, buffer);
}

WriteResult WriteImageFile(Editor& ed, const std::string& path, const BmpFileBytes& file) {
    return WriteFileAtomically(*ed.files, path, file.pieces, kNewImageFileMode);
}

std::optional<SavedFile> SaveImageFile(Editor& ed, bool withDialog) {
    // Ctrl+S reaches here even while Save is greyed; with no image there is nothing to write.
    if (!HasImage(ed)) return std::nullopt;
    std::string target = ed.doc.currentPath;
    int depth = PlainSaveDepth(ed.doc.imageBitDepth);
    if (withDialog) {
        FileDialogRequest request;
        request.title = kSaveAsTitle;
        request.filters = {{"Monochrome Bitmap", "*.bmp"},
                           {"4-bit Bitmap", "*.bmp"},
                           {"8-bit Bitmap", "*.bmp"},
                           {"24-bit Bitmap", "*.bmp"},
                           {kSave565FilterName, "*.bmp"},
                           {kSave555FilterName, "*.bmp"},
                           {kSave32FilterName, "*.bmp"}};
        request.filterIndex = FilterOfDepth(ed.doc.imageBitDepth);
        const std::string title = ed.doc.currentPath.substr(ed.doc.fileTitle);
        // An image without a BMP file of its own (a new one, or an opened PNG or JPEG picture)
        // proposes its name ending in .bmp; a BMP file's own name is proposed as it is.
        request.initialName = ed.doc.needsSaveAs ? BmpNameOf(title) : title;
        request.confirmOverwrite = true;
        const auto chosen = ed.host.SaveFileDialog(request);
        if (!chosen) return std::nullopt;
        target = chosen->path;
        depth = DepthOfFilter(chosen->filterIndex);
    }
    ShowWaitCursor(ed);
    InvalidateImageWindow(ed);  // the next paint puts the cursor back

    std::vector<std::uint8_t> buffer;  // the whole file at 1, 4 and 8 bits; 24-bit rows go as made
    const BmpFileBytes file = EncodeCurrentImage(ed, depth, AskUserAboutColorLoss(ed), buffer);
    if (file.status == EncodeStatus::Declined) return std::nullopt;
    if (file.status != EncodeStatus::Ok) {
        ReportProblem(ed, std::string(EncodeStatusMessage(file.status)));
        return std::nullopt;
    }

    target = WithBmpExtension(target);
    const WriteResult written = WriteImageFile(ed, target, file);
    if (!written) {
        if (written.failure.errorNumber == kNotRegularFile)
            ReportProblem(ed, target + " is not a regular file, so it cannot be replaced by a bitmap.");
        else
            ReportError(ed, SaveErrorLine(written.failure.step), written.failure.errorNumber);
        return std::nullopt;
    }
    ed.doc.fileSize = std::uint32_t(file.size);
    ClearModified(ed);
    ed.doc.needsSaveAs = 0;
    return SavedFile{target, depth};
}

namespace {

// The image now has the written file as its own: its name, size and depth, with the image and
// its undo levels kept as they are. Without this the next Save would go to the old name.
void AdoptSavedFile(Editor& ed, const SavedFile& written) {
    ed.doc.currentPath = written.path;
    ed.doc.imageBitDepth = BitDepthOfSave(written.depth);
    UpdateTitle(ed, true);
    MoveToFront(ed.recent, AbsolutePathOf(ed.doc.currentPath));
}

}  // namespace

void SaveAsCommand(Editor& ed) {
    std::vector<Pixel> palette = CurrentPalette(ed);
    const auto written = SaveImageFile(ed, true);
    if (!written) return;
    ed.recent.recentIndex = kRecentCount - 1;
    if (LoadImageFile(ed, written->path)) {
        // The image read back keeps the palette it was reduced to, so the next Save writes the
        // same table (a file written at 1, 4 or 8 bits holds it as its table already).
        SetCurrentPalette(ed, std::move(palette));
        return;
    }
    // Written but not read back (the user has been told): the file is the image's all the same.
    AdoptSavedFile(ed, *written);
}

void SaveCommand(Editor& ed) {
    if (ed.doc.needsSaveAs) {
        SaveAsCommand(ed);
        return;
    }
    SaveImageFile(ed, false);
    UpdateTitle(ed, true);
}

int AskToSave(Editor& ed) {
    const std::string text =
        ed.doc.currentPath.substr(ed.doc.fileTitle) + " has been modified.\nWould you like to save it?";
    const int answer =
        ed.host.ShowMessage(text, std::string("Warning"), MsgButtons::YesNoCancel, MsgIcon::Warning);
    if (answer != DialogAnswer::Yes) return answer;
    // A wanted save that did not happen must not let the caller throw the image away.
    const bool named = ed.doc.needsSaveAs != 0;
    const auto written = SaveImageFile(ed, named);
    if (!written) return DialogAnswer::Cancel;
    // The image now has a file of its own. Should the caller not replace it after all (its
    // dialog cancelled, its file unreadable), a plain Save must go to that file, not to the
    // made-up name the image had before.
    if (named) AdoptSavedFile(ed, *written);
    return DialogAnswer::Yes;
}

}  // namespace rastrix

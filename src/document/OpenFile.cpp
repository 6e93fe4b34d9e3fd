#include "document/OpenFile.h"

#include "codec/ExifOrientation.h"
#include "codec/FileRead.h"
#include "codec/JpegDecoder.h"
#include "codec/PictureReader.h"
#include "codec/PngDecoder.h"
#include "document/FileErrorLines.h"
#include "document/SavePrompt.h"
#include "editor/CommandIds.h"
#include "editor/Editor.h"
#include "editor/ImageStack.h"
#include "editor/RecentFiles.h"
#include "editor/ReportError.h"
#include "selection/Selection.h"
#include "store/FileOps.h"
#include "view/EditorView.h"
#include "view/Layout.h"

namespace rastrix {

namespace {

// Asks to save a modified image first; false when the user cancelled (or a wanted save failed).
bool MayReplaceImage(Editor& ed) { return !ed.doc.modified || AskToSave(ed) != DialogAnswer::Cancel; }

void ReportUnopened(Editor& ed, const std::string& path, std::string_view why) {
    ReportProblem(ed, "Cannot open \"" + path + "\".\n" + std::string(why));
    InvalidateImageWindow(ed);  // the paint takes the wait cursor away
}

}  // namespace

bool LoadImageFile(Editor& ed, const std::string& path) {
    FileBytesResult file = MapWholeFile(*ed.files, path);
    if (!file) {
        ReportFileError(ed, LoadErrorLine(file.failure.step), file.failure.errorNumber, path);
        return false;
    }
    ShowWaitCursor(ed);
    const std::span<const std::uint8_t> bytes = file.View();
    BmpReadResult decoded = DecodePicture(bytes);
    // A PNG or JPEG picture is not a BMP file: the image has none until it is saved as one.
    const bool picture = IsPng(bytes) || IsJpeg(bytes);
    const int orientation = IsJpeg(bytes) ? ReadExifOrientation(bytes) : kUprightOrientation;
    const std::size_t fileBytes = bytes.size();
    const bool intact = file.Intact();
    file = {};  // the file's pages are of no more use
    if (!decoded.image || !intact) {
        const std::string_view why = intact ? decoded.Message() : kFileCutShortText;
        ReportUnopened(ed, path, why);
        return false;
    }
    // A photo stands as the camera was held.
    if (!TurnUpright(decoded.image->bitmap, orientation)) {
        ReportUnopened(ed, path, BmpErrorMessage(BmpError::OutOfMemory));
        return false;
    }

    MakeOpenedImage(ed, path, std::uint32_t(fileBytes), std::move(*decoded.image));
    // Save then asks for a BMP name, so the picture's own file is never written over.
    if (picture) ed.doc.needsSaveAs = 1;
    return true;
}

void MakeOpenedImage(Editor& ed, const std::string& path, std::uint32_t fileSize, BmpImage image) {
    ed.doc.currentPath = path;
    ed.doc.fileSize = fileSize;
    UpdateTitle(ed, true);
    // The caption keeps the name as given; the list keeps the whole path, so the entry still
    // opens when the program is later started from another folder.
    MoveToFront(ed.recent, AbsolutePathOf(path));
    EndSelection(ed);
    ClearImageStack(ed);
    ed.doc.needsSaveAs = 0;
    ed.doc.imageBitDepth = std::uint32_t(image.bitDepth);
    SetBaseLevel(ed, std::move(image.bitmap));
    LayoutImageWindow(ed);
    InvalidateImageWindow(ed);
}

void OpenCommand(Editor& ed) {
    if (!MayReplaceImage(ed)) return;
    ed.recent.recentIndex = kRecentCount - 1;
    FileDialogRequest request;
    request.title = kOpenDialogTitle;
    // Bitmaps stay the filter first shown; the second also shows the pictures Open reads.
    request.filters = {{"Bitmap Files", "*.bmp"}, {kPictureFilterName, kPictureFilterPattern}};
    request.filterIndex = 1;
    const auto chosen = ed.host.OpenFileDialog(request);
    if (!chosen) return;
    LoadImageFile(ed, chosen->path);
}

void OpenFileByName(Editor& ed, const std::string& path) {
    if (!MayReplaceImage(ed)) return;
    ed.recent.recentIndex = kRecentCount - 1;
    LoadImageFile(ed, path);
}

void OpenNamedCommand(Editor& ed) { OpenFileByName(ed, std::string(ed.doc.currentPath)); }

void OpenRecentCommand(Editor& ed, int id) {
    const int k = RecentPositionOf(id);
    if (k < 0) return;
    if (id == CommandId::FirstRecentFile) SaveViewCenter(ed.view, ed.settings);
    if (!MayReplaceImage(ed)) return;
    // An empty entry is loaded as the empty name, so the user is told it names no file.
    const std::string path = BeginReopen(ed.recent, k);
    LoadImageFile(ed, path);
}

}  // namespace rastrix

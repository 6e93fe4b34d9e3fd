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
#include "store/Store.h"
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
    // A photo stands as the camera was held: one that lies on its side is turned as it is
    // decoded, on the second core.
    const int orientation = IsJpeg(bytes) ? ReadExifOrientation(bytes) : kUprightOrientation;
    PictureOptions options;
    options.overlapRows = true;
    BmpReadResult decoded = DecodeUpright(bytes, orientation, options);
    // A PNG or JPEG picture is not a BMP file: the image has none until it is saved as one.
    const bool picture = IsPng(bytes) || IsJpeg(bytes);
    const std::size_t fileBytes = bytes.size();
    const bool intact = file.Intact();
    file = {};  // the file's pages are of no more use
    if (!decoded.image || !intact) {
        const std::string_view why = intact ? decoded.Message() : kFileCutShortText;
        ReportUnopened(ed, path, why);
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

int RememberedOpenFilter(const Editor& ed, int filters) {
    if (ed.settingsFolder.empty()) return 1;
    const ReadResult read = Store(ed.settingsFolder, *ed.files).Read(kOpenFilterValueName, 4);
    if (read.status != ReadStatus::Found || read.bytes.size() != 1) return 1;
    const int index = read.bytes[0] - '0';
    return index >= 1 && index <= filters ? index : 1;
}

void RememberOpenFilter(Editor& ed, int filterIndex) {
    if (ed.settingsFolder.empty() || filterIndex < 1 || filterIndex > 9) return;
    // Not worth a report: at worst the next Open starts on the bitmaps again.
    const std::uint8_t digit = std::uint8_t('0' + filterIndex);
    Store(ed.settingsFolder, *ed.files).Write(kOpenFilterValueName, std::span<const std::uint8_t>(&digit, 1));
}

void OpenCommand(Editor& ed) {
    if (!MayReplaceImage(ed)) return;
    ed.recent.recentIndex = kRecentCount - 1;
    FileDialogRequest request;
    request.title = kOpenDialogTitle;
    // Bitmaps stay the filter first shown; the second also shows the pictures Open reads.
    request.filters = {{"Bitmap Files", "*.bmp"}, {kPictureFilterName, kPictureFilterPattern}};
    // The filter last chosen, kept beside the settings; the bitmaps the first time.
    request.filterIndex = RememberedOpenFilter(ed, int(request.filters.size()));
    const auto chosen = ed.host.OpenFileDialog(request);
    if (!chosen) return;
    RememberOpenFilter(ed, chosen->filterIndex);
    LoadImageFile(ed, chosen->path);
}

void OpenFileByName(Editor& ed, const std::string& path) {
    if (!MayReplaceImage(ed)) return;
    ed.recent.recentIndex = kRecentCount - 1;
    LoadImageFile(ed, path);
}

void OpenNamedCommand(Editor& ed) { OpenFileByName(ed, std::string(ed.doc.currentPath)); }

void OpenRecentCommand(Editor& ed, CommandId id) {
    const int k = RecentPositionOf(id);
    if (k < 0) return;
    if (id == CommandId::RecentFile0) SaveViewCenter(ed.view, ed.settings);
    if (!MayReplaceImage(ed)) return;
    // An empty entry is loaded as the empty name, so the user is told it names no file.
    const std::string path = BeginReopen(ed.recent, k);
    LoadImageFile(ed, path);
}

}  // namespace rastrix

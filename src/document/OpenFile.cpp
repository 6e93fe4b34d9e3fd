#include "document/OpenFile.h"

#include "codec/BmpReader.h"
#include "codec/FileRead.h"
#include "document/FileErrorLines.h"
#include "document/SavePrompt.h"
#include "editor/CommandIds.h"
#include "editor/Editor.h"
#include "editor/EnableGroups.h"
#include "editor/ImageStack.h"
#include "editor/RecentFiles.h"
#include "editor/ReportError.h"
#include "selection/Selection.h"
#include "view/EditorView.h"
#include "view/Layout.h"

namespace rastrix {

namespace {

// Asks to save a modified image first; false when the user cancelled (or a wanted save failed).
bool MayReplaceImage(Editor& ed) { return !ed.settings.modified || AskToSave(ed) != IDCANCEL; }

}  // namespace

bool LoadImageFile(Editor& ed, const std::string& path) {
    FileBytesResult file = ReadWholeFile(*ed.files, path);
    if (!file) {
        ReportError(ed, LoadErrorLine(file.failure.step), file.failure.errorNumber);
        return false;
    }
    ShowWaitCursor(ed);
    BmpReadResult decoded = DecodeBmp(file.bytes);
    if (!decoded.image) {
        ReportProblem(ed, "Cannot open \"" + path + "\".\n" + std::string(decoded.Message()));
        InvalidateImageWindow(ed);  // the paint takes the wait cursor away
        return false;
    }

    MakeOpenedImage(ed, path, std::uint32_t(file.bytes.size()), std::move(*decoded.image));
    return true;
}

void MakeOpenedImage(Editor& ed, const std::string& path, std::uint32_t fileSize, BmpImage image) {
    ed.doc.currentPath = path;
    ed.doc.fileSize = fileSize;
    UpdateTitle(ed, true);
    MoveToFront(ed.recent, ed.doc.currentPath);
    EnableImageCommands(ed.commands);
    EndSelection(ed);
    ClearImageStack(ed);
    ed.settings.needsSaveAs = 0;
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
    request.filters = {{"Bitmap Files", "*.bmp"}};
    request.filterIndex = 1;
    const auto chosen = ed.host.OpenFileDialog(request);
    if (!chosen) return;
    LoadImageFile(ed, chosen->path);
}

void OpenNamedCommand(Editor& ed) {
    if (!MayReplaceImage(ed)) return;
    ed.recent.recentIndex = kRecentCount - 1;
    const std::string path = ed.doc.currentPath;
    LoadImageFile(ed, path);
}

void OpenRecentCommand(Editor& ed, int id) {
    const int k = RecentPositionOf(id);
    if (k < 0) return;
    if (id == IDM_RECENT0) SaveViewCenter(ed.view, ed.settings);
    if (!MayReplaceImage(ed)) return;
    const std::string path = BeginReopen(ed.recent, k);
    if (path.empty()) return;  // an empty entry names no file
    LoadImageFile(ed, path);
}

}  // namespace rastrix

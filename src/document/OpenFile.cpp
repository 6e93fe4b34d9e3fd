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
#include "store/FileOps.h"
#include "view/EditorView.h"
#include "view/Layout.h"

namespace rastrix {

namespace {

// Asks to save a modified image first; false when the user cancelled (or a wanted save failed).
bool MayReplaceImage(Editor& ed) { return !ed.settings.modified || AskToSave(ed) != IDCANCEL; }

}  // namespace

bool LoadImageFile(Editor& ed, const std::string& path) {
    FileBytesResult file = MapWholeFile(*ed.files, path);
    if (!file) {
        ReportError(ed, LoadErrorLine(file.failure.step), file.failure.errorNumber);
        return false;
    }
    ShowWaitCursor(ed);
    BmpReadResult decoded = DecodeBmp(file.View());
    const std::size_t fileBytes = file.View().size();
    const bool intact = file.Intact();
    file = {};  // the file's pages are of no more use
    if (!decoded.image || !intact) {
        const std::string_view why = intact ? decoded.Message() : kFileCutShortText;
        ReportProblem(ed, "Cannot open \"" + path + "\".\n" + std::string(why));
        InvalidateImageWindow(ed);  // the paint takes the wait cursor away
        return false;
    }

    MakeOpenedImage(ed, path, std::uint32_t(fileBytes), std::move(*decoded.image));
    return true;
}

void MakeOpenedImage(Editor& ed, const std::string& path, std::uint32_t fileSize, BmpImage image) {
    ed.doc.currentPath = path;
    ed.doc.fileSize = fileSize;
    UpdateTitle(ed, true);
    // The caption keeps the name as given; the list keeps the whole path, so the entry still
    // opens when the program is later started from another folder.
    MoveToFront(ed.recent, AbsolutePathOf(path));
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

void OpenFileByName(Editor& ed, const std::string& path) {
    if (!MayReplaceImage(ed)) return;
    ed.recent.recentIndex = kRecentCount - 1;
    LoadImageFile(ed, path);
}

void OpenNamedCommand(Editor& ed) { OpenFileByName(ed, std::string(ed.doc.currentPath)); }

void OpenRecentCommand(Editor& ed, int id) {
    const int k = RecentPositionOf(id);
    if (k < 0) return;
    if (id == IDM_RECENT0) SaveViewCenter(ed.view, ed.settings);
    if (!MayReplaceImage(ed)) return;
    // An empty entry is loaded as the empty name, so the user is told it names no file.
    const std::string path = BeginReopen(ed.recent, k);
    LoadImageFile(ed, path);
}

}  // namespace rastrix

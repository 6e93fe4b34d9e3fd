#include "document/DeviceExportCommand.h"

#include <filesystem>

#include "document/DeviceExportDialog.h"
#include "document/FileWrite.h"
#include "editor/Command.h"
#include "editor/Editor.h"
#include "editor/Host.h"
#include "editor/ImageStack.h"
#include "editor/ReportError.h"
#include "store/Store.h"
#include "view/EditorView.h"

namespace rastrix {

namespace {

// The save dialog's filter for each container, in the containers' order.
constexpr const char* kFilterNames[] = {"BMP files", "C headers", "Raw binaries", "X bitmaps", "LVGL images", "LVGL C sources"};

std::string Text(const ReadResult& read) { return {read.bytes.begin(), read.bytes.end()}; }

// The user's profiles from the settings folder; a file that cannot be used is told, and the
// built-in profiles are offered alone.
UserProfiles OfferedUserProfiles(Editor& ed, const Store& store) {
    UserProfiles user = ReadUserProfiles(store);
    if (!user.problem.Ok())
        ReportProblem(ed, "Your device profiles in \"" + (store.Folder() / kUserProfilesValueName).string() +
                              "\" were not read, so only the built-in ones are offered.\n" +
                              ProfileFileProblemText(user.problem));
    return user;
}

// The file's name proposed: the image's, with the container's extension.
std::string ProposedName(const Editor& ed, std::string_view extension) {
    const std::filesystem::path current = ed.doc.currentPath.empty() ? "image" : ed.doc.currentPath;
    return current.filename().replace_extension(extension).string();
}

// A name the user typed without an extension gets the container's.
std::string WithExtension(const std::string& path, std::string_view extension) {
    return std::filesystem::path(path).has_extension() ? path : path + std::string(extension);
}

}  // namespace

bool RunExportForDevice(Editor& ed, const DeviceExport& e, const std::string& path) {
    if (!HasImage(ed)) {
        ReportProblem(ed, "There is no image to export.");
        return false;
    }
    if (const ExportProblem why = CheckDeviceExport(e); !why.Ok()) {
        ReportProblem(ed, "The file cannot be made: " + ExportProblemText(why, kDeviceDialogFieldNames) + ".");
        return false;
    }
    ShowWaitCursor(ed);
    InvalidateImageWindow(ed);  // the next paint puts the cursor back
    const DeviceFile file = ExportForDevice(CurrentImage(ed), e);
    if (!file.problem.Ok()) {
        ReportProblem(ed, "The file cannot be made: " + DeviceFileProblemText(file.problem) + ".");
        return false;
    }
    const WriteResult written = WriteFileAtomically(*ed.files, path, file.bytes, kNewImageFileMode);
    if (!written) {
        ReportProblem(ed, "Cannot write \"" + path + "\".\n" + Describe(written.failure));
        return false;
    }
    return true;
}

namespace {

// The dialog, starting with the last export's settings (or the user's profiles beside the
// built-in ones), then the save dialog for the file's name, then the file. The settings are
// remembered once the file is written.
void AskAndExport(Editor& ed) {
    const bool remembers = !ed.settingsFolder.empty();
    Store store(ed.settingsFolder, *ed.files);
    ExportChoice last;
    if (remembers)
        if (const ReadResult read = store.Read(kDeviceExportValueName); read.status == ReadStatus::Found) last = DecodeChoice(Text(read));
    DeviceExportDialog dialog(ed, remembers ? OfferedUserProfiles(ed, store) : UserProfiles{}, last,
                              IdentifierFromFileName(ed.doc.currentPath));
    if (ed.host.RunModal(dialog) != DialogAnswer::Ok) return;
    const DeviceExport& e = dialog.Export();
    const std::string_view extension = ExportExtension(e);
    FileDialogRequest request;
    request.title = kDeviceExportTitle;
    request.filters = {{std::string(kFilterNames[std::size_t(e.container)]) + " (*" + std::string(extension) + ")",
                        "*" + std::string(extension)},
                       {"All Files", "*"}};
    request.initialName = ProposedName(ed, extension);
    request.confirmOverwrite = true;
    const auto chosen = ed.host.SaveFileDialog(request);
    if (!chosen) return;
    if (!RunExportForDevice(ed, e, WithExtension(chosen->path, extension))) return;
    if (remembers) store.Write(kDeviceExportValueName, [&] {
        const std::string text = EncodeChoice(dialog.Choice());
        return std::vector<std::uint8_t>(text.begin(), text.end());
    }());
}

}  // namespace

// File > Export for Device...: asks for the export and the file's name, then writes it; it needs
// an image.
Command ExportForDeviceRecord() { return {.run = AskAndExport, .canRun = ImageRule}; }

}  // namespace rastrix

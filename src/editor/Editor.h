#pragma once
#include <array>
#include <functional>
#include <map>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "editor/DialogModel.h"
#include "editor/DocumentState.h"
#include "editor/DrawState.h"
#include "editor/FrameState.h"
#include "editor/Host.h"
#include "editor/Problem.h"
#include "editor/RecentFiles.h"
#include "editor/SelectionState.h"
#include "editor/SettingsRecord.h"
#include "editor/ViewState.h"
#include "raster/Bitmap.h"
#include "store/FileSystem.h"

namespace rastrix {

// The five parts of the status bar: image, pointer, foreground swatch, background swatch, selection.
using StatusTexts = std::array<std::string, 5>;

// The program-wide state. The operations that change it are free functions grouped by
// subsystem, each taking the Editor it works on; a test makes one, drives it and drops it.
struct Editor {
    explicit Editor(Host& h) : host(h) {}
    Editor(const Editor&) = delete;
    Editor& operator=(const Editor&) = delete;

    Host& host;
    // Every file the commands open, read or write goes through here; tests put in their own.
    FileSystem* files = &PosixFileSystem();
    // The settings folder the start read from (empty: none); the commands that keep values of
    // their own beside the stored settings (Export for Device's last choice) use it.
    std::filesystem::path settingsFolder;
    SettingsRecord settings;
    // Stored settings values the start could not read; the exit leaves them as they are.
    UnreadSettings unreadSettings;
    FrameState frame;
    DocumentState doc;
    ViewState view;
    RecentFiles recent;
    // The pointer part of the status bar (part 1): the position and colour under the mouse,
    // or a colour of the colour bar, as the last mouse move over them left it. The other
    // parts are read off the editor (ShownStatus in frame/).
    std::string pointerStatus;
    // Whether the clipboard holds a bitmap, as last seen: assumed at start, read again when
    // the frame is painted (another program may have changed it), set by Copy and Cut.
    // Paste and Paste into New File follow it.
    bool clipboardHasBitmap = true;
    DrawState draw;  // pen, press colour and status swatches
    Selection selection;
    // The Adjust Selection dialog's model, made when the dialog first opens and kept (open or
    // closed) from then on, so the front end may read it after the dialog closes itself.
    std::unique_ptr<DialogModel> adjustDialog;
    // The fields the newer commands' dialogs were last accepted with, by dialog, so that the
    // next use starts from them while the program runs (the stored settings are not touched).
    std::map<std::string, std::vector<std::string>, std::less<>> dialogMemory;
    // The first problem a command reported since the front end last took it (TakeProblem). The
    // window has shown it already and never takes it; rastrix-batch takes it after every step.
    std::optional<Problem> problem;
    // Exit was chosen: the front end closes the frame, which asks RequestClose.
    bool closeRequested = false;
    // The image window's client area as last painted; the front end copies it to the screen.
    Bitmap surface;
};

}  // namespace rastrix

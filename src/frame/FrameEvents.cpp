// Events that reach the frame: start-up and shutdown, commands, keys, resizes, the status bar.
#include <string>

#include "document/OpenFile.h"
#include "document/SavePrompt.h"
#include "draw/Colors.h"
#include "editor/CommandIds.h"
#include "editor/ImageStack.h"
#include "frame/CommandDispatch.h"
#include "frame/EditorEvents.h"
#include "frame/FrameClose.h"
#include "frame/FrameSizing.h"
#include "frame/KeyTable.h"
#include "frame/SettingsCodec.h"
#include "frame/StatusBarRules.h"
#include "store/Store.h"
#include "view/EditorView.h"

namespace rastrix {

void StartUp(Editor& ed, const Store& store, const FrameMetrics& metrics) {
    ed.unreadSettings = ReadSettings(ed.settings, ed.recent, store);
    ed.settingsFolder = store.Folder();
    ed.frame = InitFrameState(ed.settings, metrics);
    ed.doc.caption = "Rastrix";
}

void OpenStartFile(Editor& ed, const std::string& argument) {
    if (argument.empty()) return;
    ed.doc.currentPath = argument;
    RunCommand(ed, CommandId::OpenNamed);
}

void FileDropped(Editor& ed, const std::string& path) {
    OpenFileByName(ed, path);
    PrepareSpareLevel(ed);
}

void RunCommand(Editor& ed, CommandId id) {
    Dispatch(ed, id);
    PrepareSpareLevel(ed);
}

KeyRoute FrameKeyDown(Editor& ed, const KeyPress& press) {
    const KeyRoute route = RouteKeyDown(press);
    // A key the routing leaves alone still reaches the frame when the frame has the focus.
    const bool atFrame = route == KeyRoute::FrameShortcut || route == KeyRoute::FocusFrame ||
                         (route == KeyRoute::Unchanged && press.frameHasFocus && !IsSystemKey(press));
    if (atFrame) {
        // The key table looks at the key alone, as the platform's accelerators do here; a key
        // it does not hold blanks the pointer part of the status bar.
        if (const std::optional<CommandId> id = CommandForKey(press.key))
            RunCommand(ed, *id);
        else
            ed.pointerStatus.assign(1, ' ');
    }
    // Navigation keys reach the image window, which leaves them alone: there is no
    // keyboard scrolling.
    return route;
}

void FrameResized(Editor& ed, SizeKind kind, int clientWidth, int clientHeight, std::optional<WindowRect> frameRect) {
    if (OnFrameResize(ed.frame, kind, clientWidth, clientHeight, frameRect)) LayoutImageWindow(ed);
}

void FrameMoved(Editor& ed, const WindowRect& frameRect) { OnFrameMoved(ed.frame, frameRect); }

void FrameButtonUp(Editor& ed) { FrameResized(ed, SizeKind::Relayout, 0, 0); }

void ClipboardMayHaveChanged(Editor& ed) {
    if (!ed.host.OpenClipboard()) return;  // Paste keeps what was last seen
    ed.clipboardHasBitmap = ed.host.ClipboardHasBitmap();
}

namespace {

// Status-bar messages reach the frame with the bar's height above them added to y.
std::int32_t StatusThreshold(const Editor& ed) {
    return ed.frame.layout.viewAreaHeight + ed.frame.drawingBarHeight;
}

std::uint16_t Word(int v) { return std::uint16_t(v); }

}  // namespace

void StatusBarMouseMove(Editor& ed, int x, int y) {
    const std::int32_t threshold = StatusThreshold(ed);
    switch (StatusHoverAt(ed.frame.layout.statusPartEdges, Word(x), Word(y + threshold), threshold)) {
        case StatusHover::ShowForeColor: ShowColor(ed, ed.settings.foreColor); break;
        case StatusHover::ShowBackColor: ShowColor(ed, ed.settings.backColor); break;
        case StatusHover::Blank: ed.pointerStatus.assign(1, ' '); break;  // (a literal trips a false -Wrestrict in GCC 12)
    }
}

void StatusBarLeftDown(Editor& ed, int x, int y) {
    const std::int32_t threshold = StatusThreshold(ed);
    const StatusClick click =
        StatusClickAt(ed.frame.layout.statusPartEdges, Word(x), Word(y + threshold), threshold);
    if (click.overStatusBar && click.command) RunCommand(ed, *click.command);
}

bool RequestClose(Editor& ed) {
    return RequestClose(ed.doc, [&ed] { return AskToSave(ed); }) == CloseOutcome::Closed;
}

std::optional<std::string> Shutdown(Editor& ed, Store& store) {
    std::optional<std::string> problem;
    RunShutdown(ed.frame, ed.settings,
                {[] {}, [&ed] { ClearImageStack(ed); },
                 [&] {
                     const UnreadSettings& kept = ed.unreadSettings;
                     const SettingsWriteResult written = WriteSettings(ed.settings, ed.recent, store, kept);
                     if (!written)
                         problem = "The settings could not be saved (" + std::string(written.valueName) +
                                   ": " + Describe(written.failure) + ").";
                     else if (kept.Any())
                         problem = "The settings could not be read at start (" + std::string(kept.firstName) +
                                   ": " + Describe(kept.firstFailure) +
                                   "), so what is stored was kept and this session's changes to it were not saved.";
                 }});
    return problem;
}

}  // namespace rastrix

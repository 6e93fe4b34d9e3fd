#include "frame/FrameClose.h"

#include "editor/Host.h"

namespace rastrix {

CloseOutcome RequestClose(const DocumentState& doc, const AskToSaveFn& askToSave) {
    if (doc.modified == 0) return CloseOutcome::Closed;
    // Without a way to ask, a modified image is never dropped unasked.
    if (!askToSave || askToSave() == DialogAnswer::Cancel) return CloseOutcome::StaysOpen;
    return CloseOutcome::Closed;
}

void RecordFramePlacement(const FrameState& state, SettingsRecord& settings) {
    settings.maximized = state.maximizedNow;
    if (state.maximizedNow == 0) settings.windowRect = state.restoredRect;
}

void RunShutdown(const FrameState& state, SettingsRecord& settings, const ShutdownHooks& hooks) {
    if (hooks.releaseFile) hooks.releaseFile();
    if (hooks.clearImageStack) hooks.clearImageStack();
    RecordFramePlacement(state, settings);
    if (hooks.writeSettings) hooks.writeSettings();
}

CloseOutcome CloseFrame(const FrameState& state, const DocumentState& doc, SettingsRecord& settings, const AskToSaveFn& askToSave,
                        const ShutdownHooks& hooks) {
    const CloseOutcome outcome = RequestClose(doc, askToSave);
    if (outcome == CloseOutcome::Closed) RunShutdown(state, settings, hooks);
    return outcome;
}

}  // namespace rastrix

#pragma once
#include <functional>

#include "editor/FrameState.h"
#include "editor/DocumentState.h"
#include "editor/SettingsRecord.h"

namespace rastrix {

// Asks whether to save the modified image and returns the message-box answer (DialogAnswer::Yes,
// DialogAnswer::No or DialogAnswer::Cancel). Yes saves before it returns; a save that fails should
// answer DialogAnswer::Cancel, so the frame stays open and nothing is lost.
using AskToSaveFn = std::function<int()>;

// The steps of shutting down that belong to other parts of the program, in the order they run.
struct ShutdownHooks {
    std::function<void()> releaseFile;      // close an open file, free the file buffer
    std::function<void()> clearImageStack;  // release every image level
    std::function<void()> writeSettings;    // settings, recent list and custom colours
};

enum class CloseOutcome { StaysOpen, Closed };

// The close request, from the window's close box, the system menu or the Exit command. A
// modified image is offered for saving first; Cancel keeps the frame open.
// A modified image with no askToSave supplied keeps the frame open.
CloseOutcome RequestClose(const DocumentState& doc, const AskToSaveFn& askToSave);

// Copies the frame's placement into the settings before they are written: maximized follows
// maximizedNow; a frame that is not maximised records its last restored rectangle, which is
// also right when it is closed minimised. A maximised frame keeps the rectangle it started with.
void RecordFramePlacement(const FrameState& state, SettingsRecord& settings);

// Shutdown after the frame is gone: release the file, clear the image stack, record the
// placement, write the settings. Hooks left empty are skipped.
void RunShutdown(const FrameState& state, SettingsRecord& settings, const ShutdownHooks& hooks);

// The whole close path: the save prompt, then the shutdown when the frame goes.
CloseOutcome CloseFrame(const FrameState& state, const DocumentState& doc, SettingsRecord& settings, const AskToSaveFn& askToSave,
                        const ShutdownHooks& hooks);

}  // namespace rastrix

#pragma once
// The invariants a random session checks after every step, and our own model of the undo
// stack that they are checked against.
#include <cstdint>
#include <deque>
#include <optional>
#include <string>

#include "editor/Editor.h"

namespace rastrix::session {

// What one step was, as far as the checks need to know.
struct StepKind {
    bool undo = false;
    // The step may replace the image (open, new, join, paste into a new image, save as).
    bool mayReplace = false;
    // A move with a button held while the pen draws: it may change the current level in
    // place, when the press of the same stroke found the level to draw on.
    bool penMove = false;
    bool penPress = false;
    bool buttonUp = false;
};

// The document as it was before a step.
struct Before {
    int depth = 0;
    const void* top = nullptr;  // the current level's pixels, to tell a new level from an edited one
    Bitmap image;
    std::uint32_t bitDepth = 0;
    bool hadImage = false;
};

Before TakeBefore(const Editor& ed);

// How often the session reached the states its checks are about, so a test can tell that a
// run really exercised them.
struct Coverage {
    int undos = 0;            // Undo with a level to go back to
    int pushesWhenFull = 0;   // an edit that dropped the oldest level
    int newImages = 0;        // open, New, Join, paste into a new image, Save As
    int inPlaceStrokes = 0;   // pen moves drawing into their stroke's level
    int savesAt24 = 0;        // files saved at 24 bits and read back
    int savesBelow24 = 0;     // files saved at 1, 4 or 8 bits and read back
    int selectedSteps = 0;    // steps that ended with a selection active
    int scales = 0;           // Scale Image runs that made a new level
    int reductions = 0;       // Reduce Colours runs that made a new level
};

// The images below the current one, oldest first, as the session saw them before each
// undoable change.
class UndoModel {
public:
    // Compares the step's effect on the image stack with the model and updates the model.
    // Returns a description of the first fault, or an empty string.
    std::string Advance(const Editor& ed, const Before& before, const StepKind& step, Coverage& seen);

private:
    std::deque<Bitmap> below_;
    bool strokeLive_ = false;  // a pen stroke has its level and may draw into it in place
};

// Everything else that must hold after any step: depth, sizes, the selection inside the image,
// the command states agreeing with the document. Empty when all hold.
// Every file of the session lives in `folder`, so a document with a file of its own (no Save As
// needed) must have its path there: a plain Save never writes anywhere the user did not choose.
std::string CheckDocumentAndStates(Editor& ed, const std::string& folder);

// After Reduce Colours made a level: it carries a palette of 1..256 colours and every pixel is
// one of them (a save at 1, 4 or 8 bits writes that palette as its table). Empty when so.
std::string CheckReducedLevel(const Editor& ed);

// One line of what the document looks like, for failure reports.
std::string DescribeState(const Editor& ed);

// A save at `depth` wrote `path`: the file reads back at that depth and size, and at 24 bits
// with exactly the pixels of `image`. When `reloaded`, the editor now shows the file.
std::string CheckSavedFile(const Editor& ed, const std::string& path, int depth, const Bitmap& image, bool reloaded);

}  // namespace rastrix::session

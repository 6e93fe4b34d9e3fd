#pragma once
#include "raster/Bitmap.h"

namespace rastrix {

struct Editor;

// The image shown, edited and saved: the top level of the stack.
Bitmap& CurrentImage(Editor& ed);
const Bitmap& CurrentImage(const Editor& ed);

// Drops every level; Save and Undo become unavailable. The caller makes level 0.
void ClearImageStack(Editor& ed);

// Makes `image` level 0 of a cleared stack and takes its size as the image size.
void SetBaseLevel(Editor& ed, Bitmap image);

// Pushes `newTop` as the new current level (its size becomes the image size), keeping the
// previous one for Undo; when four levels would exist the oldest is dropped. Marks the
// document modified. The caller builds the new level first, so a failed allocation never
// leaves the stack half changed.
void PushLevel(Editor& ed, Bitmap newTop);

// Pushes a copy of the current level, to be edited in place. False, with the user told and
// nothing changed, when the memory for the copy cannot be had.
bool PushCopy(Editor& ed);

// Keeps only the level shown, as level 0, and frees the ones below it; Undo becomes
// unavailable. For a caller that never undoes (rastrix-batch), so one image is held at a time.
void DropUndoLevels(Editor& ed);
// Allocates a level of the given size (black, or unset for a caller that writes every pixel);
// on failure tells the user and returns nullopt, with nothing changed. The caller pushes what
// it gets at once: on a full stack it is made in the oldest level's memory, which the push
// drops in any case.
std::optional<Bitmap> AllocateLevel(Editor& ed, int width, int height,
                                    Bitmap::NewPixels pixels = Bitmap::NewPixels::Black);

// After a command: has spare levels of the image's size made ready in the background, so the
// next commands on a large image find memory whose pages are already mapped: one for each
// level the stack may still grow by and one more, the spare a full stack keeps (four after an
// open, one on a full stack: never more than four levels and a spare together).
void PrepareSpareLevel(const Editor& ed);

// Throws the current level away and makes the one below current, with its size as the image
// size. False, with nothing changed, at depth 0. Undo (document/Undo.h) then fits the selection
// and the view to the level shown.
bool PopLevel(Editor& ed);

void SetModified(Editor& ed);
void ClearModified(Editor& ed);

// Caption "Rastrix - <path>", with "  <size> bytes" when showSize; refreshes fileTitle.
void UpdateTitle(Editor& ed, bool showSize);

inline constexpr const char* kOutOfMemoryText =
    "There is not enough memory for an image of this size. The image is unchanged.";

}  // namespace rastrix

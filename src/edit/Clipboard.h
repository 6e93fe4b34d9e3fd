#pragma once
#include "editor/CommandIds.h"

namespace rastrix {

struct Editor;

// Cut (CommandId::Cut) and Copy (CommandId::Copy): the copy region goes to the clipboard. The
// region is the active selection's rectangle, except for a line selection, or else the whole image;
// for a rounded rectangle or an ellipse everything outside the shape is backColor on the copy.
// Cut then erases the whole selection rectangle in backColor (one undo level) and ends the
// selection; without an active selection it erases nothing. Both do nothing without an image.
void CopySelection(Editor& ed, CommandId id);

// Paste (CommandId::Paste) and Paste into New File (CommandId::PasteIntoNewFile). Paste places the
// clipboard bitmap at the copy region's top-left corner, cut to the region (and to the shape of a
// rounded rectangle or ellipse), as one undo level; without an image it makes a new one instead.
// Paste into New File first offers to save a modified image (Cancel stops it), then makes a new
// image, "Untitled.bmp", of the clipboard bitmap's size and bit depth. A clipboard bitmap
// that cannot be read, has no pixels, or is too large for a new image is refused with a message.
void PasteClipboard(Editor& ed, CommandId id);

inline constexpr const char* kCannotOpenClipboardText = "Cannot open Clipboard.";
inline constexpr const char* kClipboardWriteFailedText =
    "The image could not be put on the Clipboard. The image is unchanged.";
inline constexpr const char* kClipboardUnreadableText =
    "The image on the Clipboard could not be read. Nothing was pasted.";
inline constexpr const char* kClipboardEmptyImageText =
    "The image on the Clipboard has no pixels. Nothing was pasted.";
inline constexpr const char* kClipboardTooLargeText =
    "The image on the Clipboard is too large: this program makes images of at most 65535 pixels a "
    "side and 268,435,456 pixels in all. Nothing was pasted.";

}  // namespace rastrix

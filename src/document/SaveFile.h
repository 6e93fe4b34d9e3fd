#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "codec/BmpWriter.h"
#include "store/FileOps.h"

namespace rastrix {

struct Editor;

struct SavedFile {
    std::string path;  // ".bmp" added where missing
    int depth = 24;
};

// Writes the current image as a BMP file: without the dialog to currentPath at the image's
// depth, with it to the chosen name at the chosen depth. Returns what was written, or nullopt
// when nothing was: dialog cancelled, colour loss declined, or a failure the user has been
// told about. A failed write leaves any old file as it was and the document modified.
std::optional<SavedFile> SaveImageFile(Editor& ed, bool withDialog);

// The question Save asks when the image has more colours than the depth's table holds: the
// host's warning with Yes and No, Yes to write the nearest colours.
ColorLossQuestion AskUserAboutColorLoss(Editor& ed);

// The current image as the BMP file Save writes at depth (1, 4 or 8; else 24 bits), the colour
// loss answered by ask; see EncodeBmpPieces. rastrix-batch answers with a question of its own.
BmpFileBytes EncodeCurrentImage(Editor& ed, int depth, const ColorLossQuestion& ask, std::vector<std::uint8_t>& buffer);

// Writes a file's bytes to path as Save does: whole or not at all, by a temporary file renamed
// over it, with the mode of a new image file.
WriteResult WriteImageFile(Editor& ed, const std::string& path, const BmpFileBytes& file);

// The depth a plain Save writes for the image's depth: 1, 4 and 8 as they are, else 24.
int PlainSaveDepth(std::uint32_t imageBitDepth);

// Save (260) and Save As (261).
void SaveCommand(Editor& ed);
void SaveAsCommand(Editor& ed);

inline constexpr const char* kSaveAsTitle = "Save As";

}  // namespace rastrix

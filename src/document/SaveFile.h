#pragma once
#include <cstdint>
#include <optional>
#include <string>

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

// The depth a plain Save writes for the image's depth: 1, 4 and 8 as they are, else 24.
int PlainSaveDepth(std::uint32_t imageBitDepth);

// Save (260) and Save As (261).
void SaveCommand(Editor& ed);
void SaveAsCommand(Editor& ed);

inline constexpr const char* kSaveAsTitle = "Save As";

}  // namespace rastrix

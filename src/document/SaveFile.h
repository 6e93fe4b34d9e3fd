#pragma once
#include <optional>
#include <string>

namespace rastrix {

struct Editor;

// Writes the current image as a BMP file: without the dialog to currentPath at the image's
// depth, with it to the chosen name at the chosen depth. Returns the name written (".bmp"
// added where missing), or nullopt when nothing was written: dialog cancelled, colour loss
// declined, or a failure the user has been told about. A failed write leaves any old file as
// it was and the document modified.
std::optional<std::string> SaveImageFile(Editor& ed, bool withDialog);

// Save (260) and Save As (261).
void SaveCommand(Editor& ed);
void SaveAsCommand(Editor& ed);

inline constexpr const char* kSaveAsTitle = "Save As";

}  // namespace rastrix

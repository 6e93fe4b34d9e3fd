#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "codec/BmpReader.h"
#include "editor/CommandIds.h"

namespace rastrix {

struct Editor;

// Reads a BMP, PNG or JPEG file and makes it the image: level 0 of a fresh stack, the caption
// with its size, the file at the top of the recent list. Uses ed.recent.recentIndex as its
// caller set it. A PNG or JPEG picture is laid on white, a JPEG photo turned upright as its EXIF
// orientation says, and the image then needs Save As: it has no BMP file of its own yet.
// On any failure the user is told and the image, its undo levels, path, size, caption, recent
// list and flags are left exactly as they were. Returns whether the file became the image.
bool LoadImageFile(Editor& ed, const std::string& path);

// The second half of LoadImageFile, once the file has been read and decoded (by it, or by a
// caller that reads pictures of its own): the picture becomes the image as path, fileSize
// bytes, at the depth it counts as.
void MakeOpenedImage(Editor& ed, const std::string& path, std::uint32_t fileSize, BmpImage image);

// File > Open: asks to save a modified image, then for a file, then loads it. The dialog starts
// on the filter last chosen (kept in the settings folder as the value "OpenFilter", one digit),
// on the bitmaps when there is none.
void OpenCommand(Editor& ed);
inline constexpr std::string_view kOpenFilterValueName = "OpenFilter";
// The filter Open starts on (1-based, 1..filters) and the one to start on next time.
int RememberedOpenFilter(const Editor& ed, int filters);
void RememberOpenFilter(Editor& ed, int filterIndex);
// A file named without the Open dialog (the command line, a drop on the frame): asks to save a
// modified image, then loads it as File > Open does.
void OpenFileByName(Editor& ed, const std::string& path);
// The file named on the command line (already in currentPath).
void OpenNamedCommand(Editor& ed);
// A recent file, 368..383; 368 is also F5, which keeps the view centred on the same point.
void OpenRecentCommand(Editor& ed, CommandId id);

inline constexpr const char* kOpenDialogTitle = "Open a file";
// The Open dialog's second filter: every kind of file Open reads.
inline constexpr const char* kPictureFilterName = "Pictures";
inline constexpr const char* kPictureFilterPattern = "*.bmp;*.png;*.jpg;*.jpeg";

}  // namespace rastrix

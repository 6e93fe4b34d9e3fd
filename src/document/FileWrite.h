#pragma once
#include <string>

namespace rastrix {

// A new image file may be read and written by everyone the umask allows, like any document.
inline constexpr unsigned kNewImageFileMode = 0666;

// The name a bitmap is saved under: ".bmp" is appended unless the name is longer than four
// characters and already ends in ".bmp" (in any case).
std::string WithBmpExtension(const std::string& path);

// The name proposed for a picture that has no BMP file yet: its file name with the ending after
// the last dot (if any, and not a leading one) made ".bmp": photo.png gives photo.bmp.
std::string BmpNameOf(const std::string& fileName);

}  // namespace rastrix

#pragma once
#include <string>

namespace rastrix {

// A new image file may be read and written by everyone the umask allows, like any document.
inline constexpr unsigned kNewImageFileMode = 0666;

// The name a bitmap is saved under: ".bmp" is appended unless the name is longer than four
// characters and already ends in ".bmp" (in any case).
std::string WithBmpExtension(const std::string& path);

}  // namespace rastrix

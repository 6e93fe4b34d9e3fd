#pragma once
#include <cstdint>

#include "raster/Bitmap.h"

namespace rastrix {

struct Editor;

// The name of an image made in the program until it is first saved.
inline constexpr const char* kUntitledName = "Untitled.bmp";

// The size the image would have as a file of the given depth.
std::uint32_t UntitledFileSize(int width, int height, int bitDepth);

// Makes `image` the one level of a fresh stack as an image without a file of its own:
// "Untitled.bmp", Save leads to Save As, the caption without a size, the image commands
// available, the window laid out again. Unmodified; the caller marks it modified if it should be.
void MakeUntitledImage(Editor& ed, Bitmap image, std::uint32_t bitDepth, std::uint32_t fileSize);

// File > New: asks to save a modified image, asks for the size and depth, and makes a blank
// image in the background colour. Nothing changes on Cancel or when memory runs short.
void NewCommand(Editor& ed);

}  // namespace rastrix

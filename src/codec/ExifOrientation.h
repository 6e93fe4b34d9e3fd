#pragma once
#include <cstdint>
#include <span>

#include <optional>

#include "raster/Bitmap.h"
#include "raster/Turn.h"

namespace rastrix {

// How a camera says its picture must be turned to stand upright: the EXIF orientation tag,
// 1..8. 1 is "as stored"; 2 mirrors left and right; 3 is a half turn; 4 mirrors top and bottom;
// 5 swaps rows and columns; 6 is a quarter turn clockwise; 7 swaps rows and columns the other
// way; 8 is a quarter turn counter-clockwise.
inline constexpr int kUprightOrientation = 1;

// The orientation a JPEG file's EXIF data (its APP1 "Exif" segment, before the picture data)
// give, read from the file's bytes. Every length and offset is checked against the bytes, so
// damaged or hostile data never read outside them: a file without the tag, with a value
// outside 1..8, or with EXIF data that cannot be followed counts as upright (1).
int ReadExifOrientation(std::span<const std::uint8_t> jpeg);

// Turns the picture as `orientation` says, so that it stands upright; orientations 5 to 8 swap
// its width and height. An orientation outside 2..8 leaves it as it is. Returns false, with the
// picture left as it was, when there is no memory for the turned picture (2..4 turn in place
// and need none).
bool TurnUpright(Bitmap& picture, int orientation);

// The turn of orientations 5 to 8, which swap the picture's width and height; nullopt for the
// others.
std::optional<Turn> SideSwappingTurn(int orientation);

}  // namespace rastrix

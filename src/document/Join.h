#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "raster/Geometry.h"

namespace rastrix {

struct Editor;

// The four places of a joined image, two by two.
inline constexpr int kJoinPositions = 4;
enum JoinPosition : int { kTopLeft = 0, kTopRight = 1, kBottomLeft = 2, kBottomRight = 3 };

// Canvas size and where each position's file goes. Sizes are 16-bit signed values, and each
// column's width and each row's height is the larger of its two, so an empty position (0)
// never narrows the canvas.
struct JoinCanvas {
    int width = 0;
    int height = 0;
    std::array<Point, kJoinPositions> offsets{};
};

JoinCanvas ComputeJoinCanvas(const std::array<std::int16_t, kJoinPositions>& widths,
                             const std::array<std::int16_t, kJoinPositions>& heights);

// What the join dialog hands to the join: the canvas, the file named at each position (empty
// for none) and the depth of the new image.
struct JoinPlan {
    JoinCanvas canvas;
    std::array<std::string, kJoinPositions> paths;
    std::uint32_t bitDepth = 1;
};

// Makes the joined image: a canvas in the background colour with each named file drawn at its
// offset in position order (cut off where it overhangs the canvas). The first file that cannot
// be read or decoded is reported and ends the drawing; what was drawn becomes the image all
// the same (the user was offered to save the old one before the dialog). The result is
// "Untitled.bmp", modified, with no file of its own. Nothing changes when the canvas cannot be
// allocated.
void JoinFiles(Editor& ed, const JoinPlan& plan);

// File > Join Files: asks to save a modified image, then runs the join dialog and joins.
void JoinCommand(Editor& ed);

}  // namespace rastrix

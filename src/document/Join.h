#pragma once
#include <array>
#include <cstdint>
#include <optional>
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

// What Join Files is asked to join; both front ends fill one in and call RunJoin. Each place
// has the file drawn there (empty for none) and the size its header gave when the file was put
// there by PlaceJoinFile (kept as 16-bit signed values, 0 x 0 for a name typed by hand, whose
// size does not count); the depth is the deepest of those files'.
struct JoinParams {
    std::array<std::string, kJoinPositions> paths;
    std::array<std::int16_t, kJoinPositions> widths{};
    std::array<std::int16_t, kJoinPositions> heights{};
    std::uint32_t bitDepth = 1;
};

// Puts the file at path in a place, as the join dialog's Browse does: the name is kept, and the
// file's header is read at once for its size and depth. When the header cannot be read the user
// is told why, the place keeps the size it had, and false is returned.
bool PlaceJoinFile(Editor& ed, JoinParams& params, int position, const std::string& path);

// A place's size as the dialog shows it, "width x height", or empty while no size is known.
std::string JoinSizeText(const JoinParams& params, int position);

// Why the places cannot be joined, for the user: no size known at all, a size more than 16 bits
// signed, or a canvas too large. nullopt when they can.
std::optional<std::string> RefuseJoin(const JoinParams& params);

// Joins the places (see JoinFiles). When RefuseJoin refuses, the user is told why and nothing
// changes (false).
bool RunJoin(Editor& ed, const JoinParams& params);

// File > Join Files: asks to save a modified image, then runs the join dialog and joins.
void JoinCommand(Editor& ed);

}  // namespace rastrix

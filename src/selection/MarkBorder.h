#pragma once
#include <cstdint>
#include <vector>

#include "raster/Bitmap.h"
#include "raster/Color.h"
#include "raster/Geometry.h"

namespace rastrix {

struct Editor;

// A pixel differs from the border colour when the squared distance of their red, green and
// blue values is greater than this.
inline constexpr int kBorderDistanceThreshold = 300;

bool PixelDiffersFromBorder(Pixel pixel, Color borderReference);

// How many pixels of each column and of each row differ from the border colour; counted in
// one pass over the rows.
struct BorderCounts {
    std::vector<std::uint32_t> columns;  // one per column, over all rows
    std::vector<std::uint32_t> rows;     // one per row, over all columns
};

BorderCounts CountDifferingPixels(const Bitmap& image, Color borderReference);

// A column is border when at most a quarter of its pixels (imageHeight / 4, truncated)
// differ; a row when at most imageWidth / 4 do.
bool IsBorderColumn(const BorderCounts& counts, int x);
bool IsBorderRow(const BorderCounts& counts, int y);

// The part of the image inside its plain border, whose colour is that of the top-left pixel:
// border columns are taken off the left, then the right, border rows off the top, then the
// bottom, each scan stopping at the first column or row that is not border.
Rect FindPictureInsideBorder(const Bitmap& image);

// Mark Border: selects the part of the image inside its border as a rectangle (the current
// tool stays), and opens the Adjust Selection dialog afresh to show it.
void MarkBorder(Editor& ed);

}  // namespace rastrix

#include "codec/PaletteSearch.h"

#include <algorithm>
#include <cstdlib>

namespace rastrix {

PaletteSearch::PaletteSearch(std::span<const std::uint32_t> palette)
    : count_(int(std::min<std::size_t>(palette.size(), 256))),
      keys_(65536, 0xFFFFFFFFu),
      values_(65536, 0),
      cellStart_(kCells, -1),
      cellCount_(kCells, 0) {
    for (int j = 0; j < count_; ++j) {
        red_[j] = std::int32_t((palette[std::size_t(j)] >> 16) & 0xFF);
        green_[j] = std::int32_t((palette[std::size_t(j)] >> 8) & 0xFF);
        blue_[j] = std::int32_t(palette[std::size_t(j)] & 0xFF);
    }
}

namespace {

// Squared distances from v to the nearest and the farthest value of [lo, lo + 15].
inline std::int32_t NearSquare(std::int32_t v, std::int32_t lo) {
    const std::int32_t d = v < lo ? lo - v : v > lo + 15 ? v - lo - 15 : 0;
    return d * d;
}
inline std::int32_t FarSquare(std::int32_t v, std::int32_t lo) {
    const std::int32_t d = std::max(std::abs(v - lo), std::abs(v - lo - 15));
    return d * d;
}

}  // namespace

void PaletteSearch::BuildCell(int cell) {
    const std::int32_t r0 = (cell >> 8) * 16, g0 = ((cell >> 4) & 15) * 16, b0 = (cell & 15) * 16;
    // Every colour of the cell is within `bound` of some entry; an entry nearer than that to no
    // colour of the cell can never be the nearest there. Equal distances stay, for the tie rule.
    std::int32_t bound = 0x7FFFFFFF;
    for (int j = 0; j < count_; ++j)
        bound = std::min(bound, FarSquare(red_[j], r0) + FarSquare(green_[j], g0) + FarSquare(blue_[j], b0));
    cellStart_[std::size_t(cell)] = std::int32_t(candidates_.size());
    for (int j = 0; j < count_; ++j)
        if (NearSquare(red_[j], r0) + NearSquare(green_[j], g0) + NearSquare(blue_[j], b0) <= bound)
            candidates_.push_back(std::uint8_t(j));
    cellCount_[std::size_t(cell)] = std::uint16_t(std::int32_t(candidates_.size()) - cellStart_[std::size_t(cell)]);
}

int PaletteSearch::Search(std::uint32_t rgb) {
    const std::int32_t r = std::int32_t((rgb >> 16) & 0xFF), g = std::int32_t((rgb >> 8) & 0xFF),
                       b = std::int32_t(rgb & 0xFF);
    const int cell = (r >> 4) << 8 | (g >> 4) << 4 | (b >> 4);
    if (cellStart_[std::size_t(cell)] < 0) BuildCell(cell);
    const std::uint8_t* list = candidates_.data() + cellStart_[std::size_t(cell)];
    // The distance (at most 3 x 255^2, under 2^18) above the index in one key: the smallest key
    // is the nearest entry and, among equals, the earliest.
    std::int32_t best = 0x7FFFFFFF;
    for (int k = 0, n = cellCount_[std::size_t(cell)]; k < n; ++k) {
        const int j = list[k];
        const std::int32_t dr = red_[j] - r, dg = green_[j] - g, db = blue_[j] - b;
        best = std::min(best, ((dr * dr + dg * dg + db * db) << 8) | j);
    }
    return best & 0xFF;
}

bool AllGrey(std::span<const std::uint32_t> palette) {
    return std::all_of(palette.begin(), palette.end(), [](std::uint32_t c) {
        return ((c >> 16) & 0xFF) == ((c >> 8) & 0xFF) && ((c >> 8) & 0xFF) == (c & 0xFF);
    });
}

std::vector<std::uint8_t> GreyIndexTable(std::span<const std::uint32_t> palette) {
    std::vector<std::uint8_t> table(256, 0);
    for (int level = 0; level < 256; ++level) {
        int best = 0, bestDistance = 1 << 30;
        for (std::size_t j = 0; j < palette.size() && j < 256; ++j) {
            const int d = std::abs(int(palette[j] & 0xFF) - level);
            if (d < bestDistance) bestDistance = d, best = int(j);
        }
        table[std::size_t(level)] = std::uint8_t(best);
    }
    return table;
}

}  // namespace rastrix

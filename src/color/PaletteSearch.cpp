#include "color/PaletteSearch.h"

#include <algorithm>
#include <cstdlib>

namespace rastrix {

PaletteSearch::PaletteSearch(std::span<const Pixel> palette)
    : count_(int(std::min<std::size_t>(palette.size(), 256))),
      keys_(65536, 0xFFFFFFFFu),
      values_(65536, 0),
      cellStart_(kCells, -1),
      cellCount_(kCells, 0) {
    for (int j = 0; j < count_; ++j) {
        red_[j] = RedOf(palette[std::size_t(j)]);
        green_[j] = GreenOf(palette[std::size_t(j)]);
        blue_[j] = BlueOf(palette[std::size_t(j)]);
    }
}

namespace {

// Squared distances from v to the nearest and the farthest value of [lo, hi].
inline std::int32_t NearSquare(std::int32_t v, std::int32_t lo, std::int32_t hi) {
    const std::int32_t d = v < lo ? lo - v : v > hi ? v - hi : 0;
    return d * d;
}
inline std::int32_t FarSquare(std::int32_t v, std::int32_t lo, std::int32_t hi) {
    const std::int32_t d = std::max(std::abs(v - lo), std::abs(v - hi));
    return d * d;
}

}  // namespace

void PaletteSearch::BuildCell(int cell) {
    constexpr int n = kCellsPerAxis, side = 1 << kCellShift;
    const std::int32_t r0 = (cell / (n * n)) * side, g0 = (cell / n % n) * side, b0 = (cell % n) * side;
    const std::int32_t r1 = r0 + side - 1, g1 = g0 + side - 1, b1 = b0 + side - 1;
    // Every colour of the cell is within `bound` of some entry; an entry nearer than that to no
    // colour of the cell can never be the nearest there. Equal distances stay, for the tie rule.
    std::int32_t bound = 0x7FFFFFFF;
    for (int j = 0; j < count_; ++j)
        bound = std::min(bound, FarSquare(red_[j], r0, r1) + FarSquare(green_[j], g0, g1) + FarSquare(blue_[j], b0, b1));
    cellStart_[std::size_t(cell)] = std::int32_t(candidates_.size());
    for (int j = 0; j < count_; ++j)
        if (NearSquare(red_[j], r0, r1) + NearSquare(green_[j], g0, g1) + NearSquare(blue_[j], b0, b1) <= bound)
            candidates_.push_back(std::uint8_t(j));
    cellCount_[std::size_t(cell)] = std::uint16_t(std::int32_t(candidates_.size()) - cellStart_[std::size_t(cell)]);
}

int PaletteSearch::Search(std::uint32_t rgb) {
    const std::int32_t r = std::int32_t((rgb >> 16) & 0xFF), g = std::int32_t((rgb >> 8) & 0xFF),
                       b = std::int32_t(rgb & 0xFF);
    const int cell = ((r >> kCellShift) * kCellsPerAxis + (g >> kCellShift)) * kCellsPerAxis + (b >> kCellShift);
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

bool AllGrey(std::span<const Pixel> palette) {
    return std::all_of(palette.begin(), palette.end(),
                       [](Pixel c) { return RedOf(c) == GreenOf(c) && GreenOf(c) == BlueOf(c); });
}

std::vector<std::uint8_t> GreyIndexTable(std::span<const Pixel> palette) {
    std::vector<std::uint8_t> table(256, 0);
    for (int level = 0; level < 256; ++level) {
        int best = 0, bestDistance = 1 << 30;
        for (std::size_t j = 0; j < palette.size() && j < 256; ++j) {
            const int d = std::abs(int(BlueOf(palette[j])) - level);
            if (d < bestDistance) bestDistance = d, best = int(j);
        }
        table[std::size_t(level)] = std::uint8_t(best);
    }
    return table;
}

}  // namespace rastrix

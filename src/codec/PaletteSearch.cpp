#include "codec/PaletteSearch.h"

#include <algorithm>
#include <cstdlib>

namespace rastrix {

PaletteSearch::PaletteSearch(std::span<const std::uint32_t> palette)
    : count_(int(std::min<std::size_t>(palette.size(), 256))), keys_(65536, 0xFFFFFFFFu), values_(65536, 0) {
    for (int j = 0; j < count_; ++j) {
        red_[j] = std::int32_t((palette[std::size_t(j)] >> 16) & 0xFF);
        green_[j] = std::int32_t((palette[std::size_t(j)] >> 8) & 0xFF);
        blue_[j] = std::int32_t(palette[std::size_t(j)] & 0xFF);
    }
}

int PaletteSearch::Search(std::uint32_t rgb) const {
    const std::int32_t r = std::int32_t((rgb >> 16) & 0xFF), g = std::int32_t((rgb >> 8) & 0xFF),
                       b = std::int32_t(rgb & 0xFF);
    // The distance (at most 3 x 255^2, under 2^18) above the index in one key: the smallest key
    // is the nearest entry and, among equals, the earliest. A plain minimum the compiler can
    // run over several entries at once.
    std::int32_t best = 0x7FFFFFFF;
    for (int j = 0; j < count_; ++j) {
        const std::int32_t dr = red_[j] - r, dg = green_[j] - g, db = blue_[j] - b;
        const std::int32_t key = ((dr * dr + dg * dg + db * db) << 8) | j;
        best = std::min(best, key);
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

#include "document/PaletteNearest.h"

#include <algorithm>
#include <climits>

namespace rastrix {

NearestColor::NearestColor(const std::uint32_t* entries, int count)
    : count_(std::clamp(count, 0, 256)) {
    for (int j = 0; j < count_; ++j) {
        blue_[j] = std::int32_t(entries[j] & 0xFF);
        green_[j] = std::int32_t((entries[j] >> 8) & 0xFF);
        red_[j] = std::int32_t((entries[j] >> 16) & 0xFF);
    }
}

int NearestColor::Find(std::uint32_t quad) const {
    const std::int32_t qb = std::int32_t(quad & 0xFF);
    const std::int32_t qg = std::int32_t((quad >> 8) & 0xFF);
    const std::int32_t qr = std::int32_t((quad >> 16) & 0xFF);
    // One branch-free pass the compiler can vectorise. The distance goes in the high bits
    // and the index in the low 8, so the smallest key is the nearest entry and, among equals,
    // the earliest. The first entry within the exact-enough distance is tracked alongside,
    // which is what an early return in index order would have found.
    std::int32_t bestKey = INT_MAX;
    std::int32_t firstClose = INT_MAX;
    for (int j = 0; j < count_; ++j) {
        const std::int32_t db = blue_[j] - qb;
        const std::int32_t dg = green_[j] - qg;
        const std::int32_t dr = red_[j] - qr;
        const std::int32_t d = db * db + dg * dg + dr * dr;
        const std::int32_t key = (d << 8) | j;
        bestKey = key < bestKey ? key : bestKey;
        const std::int32_t close = d <= kNearestExactEnough ? j : INT_MAX;
        firstClose = close < firstClose ? close : firstClose;
    }
    if (firstClose != INT_MAX) return firstClose;
    if (count_ > 0 && (bestKey >> 8) < kNearestStartDistance) return bestKey & 0xFF;
    return 0;
}

}  // namespace rastrix

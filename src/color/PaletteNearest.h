#pragma once
#include <cstdint>

namespace rastrix {

// The nearest-colour rule of a full colour table. Entries and the colour are quads
// (0x00RRGGBB, stored in a file as blue, green, red, 0). Distances are the sum of the
// squared byte differences. The first entry within distance 3 wins at once; otherwise the
// nearest entry below the starting distance 195000, the earlier one on a tie; when every
// entry is at least that far, entry 0.
class NearestColor {
public:
    NearestColor() = default;
    NearestColor(const std::uint32_t* entries, int count);

    int Find(std::uint32_t quad) const;

private:
    // Channel planes, so the distance loop runs over plain arrays.
    std::int32_t blue_[256] = {};
    std::int32_t green_[256] = {};
    std::int32_t red_[256] = {};
    int count_ = 0;
};

inline constexpr std::int32_t kNearestStartDistance = 195000;
inline constexpr std::int32_t kNearestExactEnough = 3;

}  // namespace rastrix

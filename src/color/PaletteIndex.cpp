#include "color/PaletteIndex.h"

#include <algorithm>

namespace rastrix {

PaletteIndex::PaletteIndex(std::span<const Pixel> palette) {
    keys_.fill(kEmpty);
    const std::size_t n = std::min<std::size_t>(palette.size(), 256);
    for (std::size_t i = 0; i < n; ++i) {
        const std::uint32_t rgb = ValueOf(palette[i]) & 0x00FFFFFFu;
        std::uint32_t slot = SlotOf(rgb);
        while (keys_[slot] != kEmpty && keys_[slot] != rgb) slot = (slot + 1) & (kSlots - 1);
        if (keys_[slot] == rgb) continue;  // listed before: the first index stays
        keys_[slot] = rgb;
        values_[slot] = std::uint8_t(i);
    }
}

}  // namespace rastrix

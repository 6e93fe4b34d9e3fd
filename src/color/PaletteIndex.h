#pragma once
#include <array>
#include <cstdint>
#include <span>

#include "raster/Color.h"

namespace rastrix {

// The index of each colour of a palette (1..256 entries), for an image whose pixels should all
// be palette colours already: a colour listed twice answers with its first index, and any
// other colour with none. An open-addressed table of 1024 slots, so a lookup is a multiply and
// a load or two.
class PaletteIndex {
public:
    explicit PaletteIndex(std::span<const Pixel> palette);

    // The first index of the pixel's colour (its top byte ignored), or -1 for a colour that is
    // not in the palette.
    int Find(Pixel p) const {
        const std::uint32_t rgb = ValueOf(p) & 0x00FFFFFFu;
        for (std::uint32_t slot = SlotOf(rgb);; slot = (slot + 1) & (kSlots - 1)) {
            if (keys_[slot] == rgb) return values_[slot];
            if (keys_[slot] == kEmpty) return -1;
        }
    }

private:
    static constexpr std::uint32_t kSlots = 1024;  // at most a quarter full
    static constexpr std::uint32_t kEmpty = 0xFFFFFFFFu;  // no 24-bit colour
    static std::uint32_t SlotOf(std::uint32_t rgb) { return (rgb * 0x9E3779B1u) >> 22; }

    std::array<std::uint32_t, kSlots> keys_;
    std::array<std::uint8_t, kSlots> values_{};
};

}  // namespace rastrix

#pragma once
#include <cstdint>
#include <optional>

#include "color/PaletteMapping.h"
#include "raster/Bitmap.h"

namespace rastrix {

// The bits of each channel in a packed colour word: 5-6-5 for 16-bit screens, 3-3-2 for
// 8-bit ones. Each from 1 to 8.
struct ChannelBits {
    int red = 8, green = 8, blue = 8;
};

// What level `level` of a channel of `bits` bits shows as 8 bits: its bits repeated down to the
// lowest (5 bits 10110 -> 10110101), the usual widening, so 0 is 0 and the top level is 255.
constexpr int LevelValue(int level, int bits) {
    int v = 0;
    for (int shift = 8 - bits; shift > -bits; shift -= bits) v |= shift >= 0 ? level << shift : level >> -shift;
    return v & 0xFF;
}

// Maps every pixel to the nearest colour whose channels are levels of the given depths, with the
// dithering asked for (the same loops as a palette's: Floyd-Steinberg, Atkinson, the 8 x 8
// pattern spanning one level of each channel, or none: the nearest level). The result's pixels
// hold the levels as they show (LevelValue), so a channel's top `bits` bits are its level.
// Nullopt when there is no memory for the result.
std::optional<Bitmap> MapToLevels(const Bitmap& image, ChannelBits bits, Dither dither);

}  // namespace rastrix

#pragma once
#include <cstdint>

#include "raster/Color.h"

namespace rastrix {

// Pictures that come from outside the bitmap world (the clipboard, PNG and JPEG files) are
// turned into opaque pixels and a bit depth by the same rules, so a picture looks and saves
// the same whichever way it came in.

// A colour with an alpha value laid on paper of the given colour (0x00RRGGBB): a bitmap has no
// alpha, and the colour under a fully transparent pixel is often black or left over.
// Channels are 0..255.
constexpr Pixel OnBackground(unsigned r, unsigned g, unsigned b, unsigned a, Pixel paper) {
    const unsigned keep = 255u - a;
    return Pixel{(((r * a + RedOf(paper) * keep + 127u) / 255u) << 16) |
                 (((g * a + GreenOf(paper) * keep + 127u) / 255u) << 8) | ((b * a + BlueOf(paper) * keep + 127u) / 255u)};
}

// The same on white, the paper pictures are laid on unless asked otherwise.
constexpr Pixel OnWhite(unsigned r, unsigned g, unsigned b, unsigned a) { return OnBackground(r, g, b, a, Pixel{0x00FFFFFFu}); }

// A 16-bit channel narrowed to 8 bits, rounded to nearest.
constexpr unsigned Narrow16(unsigned v) { return (v * 255u + 32767u) / 65535u; }

// The bit depth a picture counts as (the document's depth, which a plain Save keeps), from the
// bits each of its pixels holds: 1, 4 and 8 bits (indexes or grey) keep their depth, rounded up;
// deeper pictures count as 24, or 32 when they carry transparency. A depth not known (0 or
// less) counts as 24.
constexpr int PictureBitDepth(int bitsPerPixel, bool hasAlpha) {
    if (bitsPerPixel > 8) return hasAlpha ? 32 : 24;
    if (bitsPerPixel <= 0) return 24;
    if (bitsPerPixel <= 1) return 1;
    return bitsPerPixel <= 4 ? 4 : 8;
}

}  // namespace rastrix

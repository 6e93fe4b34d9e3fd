#pragma once
#include <cstdint>
#include <vector>

#include "codec/BmpWriter.h"
#include "raster/Bitmap.h"

namespace rastrix {

// The direct-colour forms written besides the 1, 4, 8 and 24-bit files: no colour table, each
// pixel its own colour in bit fields that the header names.
enum class DirectDepth {
    Rgb565,  // 16 bits, red 5, green 6, blue 5: the form of small TFT and LCD screens
    Rgb555,  // 16 bits, red, green and blue 5 each, the top bit 0
    Bgra32,  // 32 bits, blue, green, red and alpha bytes
};

// Bits a pixel of the form takes: 16 or 32.
int DirectBitCount(DirectDepth depth);

// How the header names a form, chosen for what small readers take (each a form the format
// allows):
enum class DirectForm {
    // The 40-byte info header alone, compression 0: 16 bits are then 5-5-5 by definition, and
    // 32 bits blue, green, red and a fourth byte, which is written 255 (opaque) for the
    // readers that take it as alpha. 5-5-5 and opaque 32-bit files.
    Plain,
    // The 40-byte header with compression 3 (bit fields) and the three colour masks after it,
    // which is how readers on microcontrollers tell 5-6-5 apart. 5-6-5 files.
    BitFields,
    // The 124-byte header that names an alpha mask as well (0xFF000000), so Pillow, GIMP and
    // browsers read the transparency back. 32-bit files with a pixel that is not opaque.
    AlphaHeader,
};
DirectForm DirectFormOf(DirectDepth depth, const Bitmap* alpha);
// True when some pixel of an alpha plane (alpha in the low byte) is not fully opaque.
bool AnyTransparent(const Bitmap& alpha);

inline constexpr std::uint64_t kPlainPixelOffset = 14 + 40;
inline constexpr std::uint64_t kBitFieldsPixelOffset = 14 + 40 + 12;
inline constexpr std::uint64_t kAlphaHeaderPixelOffset = 14 + 124;
std::uint64_t PixelOffsetOf(DirectForm form);

// Channels go from 8 bits to 5 or 6 rounded to the nearest level (a reader widens them back
// by repeating their top bits). `alpha`, when given, must be the image's size; its low byte
// per pixel is the alpha, 255 opaque, and it is written only at 32 bits, when some pixel is
// not opaque (else the file takes the plain form). `image` then holds
// the colours already laid on `background` (as the readers hand them out): each is taken back
// off it, so a scaled or edited picture keeps the edges it had. Without an alpha every pixel
// is opaque. Rows are stored bottom row first. The whole file is built into `buffer`, which
// the one piece then is. Never throws.
BmpFileBytes EncodeBmpDirect(const Bitmap& image, DirectDepth depth, const Bitmap* alpha, Pixel background,
                             std::vector<std::uint8_t>& buffer);

// One colour taken back off the background it was laid on with this alpha (0..255 each):
// the straight colour that gives the same picture when laid on it again, to within a level.
// A fully transparent pixel gives the background.
Pixel OffBackground(Pixel laid, unsigned alpha, Pixel background);

}  // namespace rastrix

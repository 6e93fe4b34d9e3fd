#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "color/FixedPalettes.h"
#include "color/IndexImage.h"
#include "raster/Bitmap.h"

namespace rastrix {

// How a picture's pixels are laid out in the bytes a display library takes. Rows go top row
// first; a row that ends inside a byte is padded to the byte with zero bits.
enum class DeviceLayout : std::uint8_t {
    Mono,           // 1 bit, rows left to right, the leftmost pixel in the top bit (0x80)
    MonoLsb,        // 1 bit, rows left to right, the leftmost pixel in the lowest bit (XBM order)
    MonoPages,      // 1 bit, pages of 8 rows: a byte is a column of 8 pixels, the top one in bit 0
    Grey2,          // 2 bits, 4 greys, 0 black, leftmost pixel in the top bits
    Grey4,          // 4 bits, 16 greys, 0 black, leftmost pixel in the top bits
    Grey8,          // 8 bits, 256 greys (luminance), 0 black
    Index1,         // 1 bit, an index into the palette, leftmost pixel in the top bit
    Index2,         // 2 bits, an index into the palette, leftmost pixel in the top bits
    Index4,         // 4 bits, an index into the palette, leftmost pixel in the top bits
    Index8,         // 8 bits, an index into the palette
    Planes,         // two 1-bit planes as Mono, black then the third ink; a 0 bit marks the ink
    Rgb565,         // 16-bit words rrrrrggg gggbbbbb, low byte first
    Rgb565Swapped,  // the same words, high byte first
    Rgb332,         // 8 bits rrrgggbb
    Rgb888,         // 24-bit words 0xRRGGBB, low byte first: blue, green, red
    Xrgb8888,       // 32-bit words 0xFFRRGGBB, low byte first: blue, green, red, 255
    Argb8888,       // 32-bit words 0xAARRGGBB, low byte first: blue, green, red, alpha
    Rgb565A8,       // Rgb565 words, then a plane of one alpha byte a pixel
};

enum class LayoutKind : std::uint8_t {
    Mono,    // black and white
    Grey,    // evenly spaced greys from black
    Index,   // indexes into a palette the file carries
    Planes,  // black, white and a third ink
    Color,   // the colour itself
};

struct LayoutInfo {
    DeviceLayout layout;
    std::string_view name;  // as rastrix-batch's --layout takes it
    LayoutKind kind;
    int bits;               // bits a pixel in the first plane
    int wordBytes;          // the element of a C array: 1 (bytes), 2 or 4 (words)
    bool alpha;             // keeps a picture's transparency
    std::string_view description;
};

std::span<const LayoutInfo> DeviceLayouts();
const LayoutInfo& InfoOf(DeviceLayout layout);
std::optional<DeviceLayout> LayoutByName(std::string_view name);
// "mono, mono-lsb, ...": every layout's name, for messages and help texts.
std::string LayoutNames();

// The colours a Mono, Grey or Planes layout stands for, in index order (black first); empty for
// Index and Color layouts, whose colours come from a palette or the picture.
PaletteColors LayoutPalette(DeviceLayout layout);
// The most palette entries an Index layout holds (2, 4, 16, 256); 0 for the others.
int IndexCapacity(DeviceLayout layout);

// One array of a packed picture: its part of the bytes, the bytes a row takes, and the name a C
// file gives it after the picture's ("", "_black", "_color", "_alpha").
struct PackedPlane {
    std::string_view suffix;
    std::size_t offset = 0;
    std::size_t size = 0;
    int stride = 0;
    int wordBytes = 1;
};

struct PackedImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> bytes;  // the planes one after the other
    std::vector<PackedPlane> planes;
};

// What a layout packs: for Mono, Grey, Index and Planes layouts the picture as indexes into
// `palette` (LayoutPalette for the first three, the palette chosen for Index); for Color
// layouts the pixels, each channel's top bits taken, and for those with alpha the alpha (the low
// byte of each word; none: opaque).
struct MappedImage {
    IndexImage indexes;
    PaletteColors palette;
    std::optional<Bitmap> pixels;
    std::optional<Bitmap> alpha;
};

// The bytes of the picture in the layout. `invert` flips every bit of Mono and Planes layouts
// (1 then marks black, or the ink) and every Grey value (0 is then white). Nullopt when there
// is no memory for them.
std::optional<PackedImage> PackLayout(const MappedImage& image, DeviceLayout layout, bool invert);

}  // namespace rastrix

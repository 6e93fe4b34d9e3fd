#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "device/DeviceLayout.h"

namespace rastrix {

// The kind of file the packed bytes go into.
enum class DeviceContainer : std::uint8_t {
    Bmp,         // a BMP file, for readers that load pictures from a card or flash file system
    CSource,     // a C header: the bytes as const arrays with width and height macros
    Binary,      // the bytes alone
    Xbm,         // an X bitmap: C text of 1-bit rows, the leftmost pixel in the lowest bit
    LvglBinary,  // an LVGL v9 image file: its 12-byte header, then the palette and the pixels
    LvglC,       // an LVGL v9 image as C source: the bytes and an lv_image_dsc_t
};

struct ContainerInfo {
    DeviceContainer container;
    std::string_view name;       // as rastrix-batch's --format takes it
    std::string_view extension;  // of the file written, with its dot
    std::string_view description;
};

std::span<const ContainerInfo> DeviceContainers();
const ContainerInfo& InfoOf(DeviceContainer container);
std::optional<DeviceContainer> ContainerByName(std::string_view name);
std::string ContainerNames();

// Whether the container can hold the layout (Binary and CSource hold all; the others their few).
bool ContainerTakes(DeviceContainer container, DeviceLayout layout);
// The layouts it takes, for a message: "mono-lsb" or "mono, grey2, ...".
std::string LayoutsOf(DeviceContainer container);

// A C identifier made from a file name: its name without folders and extension, every character
// that is not a letter, digit or underscore made an underscore, "image_" before a leading digit
// and "_" after a C keyword; "image" for an empty name.
std::string IdentifierFromFileName(std::string_view path);
// Whether the text is a C identifier that is no keyword (at most 63 characters).
bool IsCIdentifier(std::string_view name);

// What a C header says about its picture besides the bytes.
struct CSourceNotes {
    std::string name;          // the identifier; macros take it in capitals
    std::string layoutText;    // the layout's name and description
    std::string valuesText;    // what the values mean (palette or colours), or empty
    std::string function;      // the library call that takes it, or empty
    bool progmem = false;      // PROGMEM after each array (defined empty where it is unknown)
    PaletteColors palette;     // written as NAME_palette, 0xRRGGBB words, for Index layouts
};

// The C header: the planes as const arrays (uint8_t, or uint16_t / uint32_t words of the bytes
// read low byte first), NAME_WIDTH and NAME_HEIGHT, a guard, and a comment saying what it holds.
std::string CSourceText(const PackedImage& packed, const CSourceNotes& notes);

// An X bitmap of a MonoLsb picture: name_width, name_height and name_bits.
std::string XbmText(const PackedImage& packed, std::string_view name);

// LVGL's colour format for the layout (Mono and Grey2/Grey4 as I1/I2/I4 with their colours in
// the palette), nullopt for layouts LVGL has none for.
std::optional<std::uint8_t> LvglColorFormat(DeviceLayout layout);

// The palette an LVGL image of the layout carries, one entry per value: what each Mono or Grey
// value shows (after `invert`), or the given palette padded with transparent white. Empty for
// layouts without one.
PaletteColors LvglPalette(DeviceLayout layout, std::span<const Pixel> palette, bool invert);

// An LVGL image file (.bin) and the same as C source (.c), byte for byte as LVGL's own image
// converter writes them for these pixels.
std::vector<std::uint8_t> LvglBinary(const PackedImage& packed, DeviceLayout layout, std::span<const Pixel> palette);
std::string LvglCText(const PackedImage& packed, DeviceLayout layout, std::span<const Pixel> palette, std::string_view name);

}  // namespace rastrix

#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "color/FixedPalettes.h"
#include "color/IndexImage.h"
#include "raster/Bitmap.h"

namespace rastrix {

// How the colours between a palette's entries are shown.
enum class Dither : std::uint8_t {
    None,            // each pixel takes its nearest entry
    FloydSteinberg,  // error diffusion: 7/16 right, 3/16, 5/16, 1/16 on the row below
    Atkinson,        // error diffusion of 6/8 of the error, 1/8 to each of six neighbours
    Ordered,         // an 8 x 8 Bayer threshold pattern, the same wherever the image is
};

// The kinds' names, in the order lists and messages give them: fs, atkinson, ordered, none.
inline constexpr std::string_view kDitherNames[] = {"fs", "atkinson", "ordered", "none"};
// The kind of one of those names; nullopt for anything else.
std::optional<Dither> DitherByName(std::string_view name);
// The name DitherByName takes for it.
std::string_view DitherName(Dither dither);

struct MapOptions {
    Dither dither = Dither::None;
    // 0..100, or -1 for none: with a palette of two colours, a pixel whose luminance is at
    // least this share of white takes the lighter entry, any other the darker. No dithering.
    int thresholdPercent = -1;
};

// Why an image was not mapped to a palette.
struct MapProblem {
    enum class Kind : std::uint8_t {
        None,
        PaletteSize,      // the palette's `colors` are not within `limits`
        ThresholdColors,  // a threshold with a palette of `colors`, not two
        ThresholdRange,   // `thresholdPercent` is not within `limits`
        ThresholdDither,  // a threshold and dithering together
        NoMemory,         // no room for the indexes
    };
    Kind kind = Kind::None;
    std::size_t colors = 0;    // the palette's entries
    int thresholdPercent = 0;  // the threshold asked for
    Limits limits{};           // PaletteSize: entries a palette may have; ThresholdRange: a threshold's bounds
    friend bool operator==(const MapProblem&, const MapProblem&) = default;
};

struct MapResult {
    std::optional<IndexImage> image;
    MapProblem problem;  // kind None when image is set
};

// Maps every pixel of an image to an entry of the palette (1..256 colours, kept in order).
// When every entry is a grey the image is mapped by its luminance (see Luminance16), otherwise
// by the distance between colours (see PaletteSearch). Rows go top row first, each from the
// left; diffused error that would fall outside the image is dropped. Exact integer arithmetic:
// the same image and palette always give the same indexes, and an image whose every pixel is an
// entry maps each pixel to that entry's first index (with every dithering but ordered).
// Ordered dithering moves a grey by the pattern's offset, about one step between the palette's
// greys wide; with colours, each pixel takes one of 64 entries chosen for its colour (their mean
// near it in every channel), the pattern's rank at its place naming which.
MapResult MapToPalette(const Bitmap& image, std::span<const Pixel> palette, const MapOptions& options);

// The image of palette colours the indexes stand for; nullopt when there is no memory for it.
std::optional<Bitmap> PaletteBitmap(const IndexImage& image, std::span<const Pixel> palette);

// The 8 x 8 Bayer pattern: 0..63, each once; adjacent ranks lie far apart.
int BayerRank(int x, int y);

}  // namespace rastrix

#include "color/PaletteMapping.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <new>
#include <vector>

#include "color/MappingLoops.h"
#include "color/PaletteSearch.h"

namespace rastrix {

namespace {

// Picks entries by luminance, for palettes of greys: one value a pixel.
class GreyMapper {
public:
    static constexpr int kChannels = 1;
    static constexpr int kTop = 255;
    using Code = int;
    explicit GreyMapper(std::span<const Pixel> palette) : table_(GreyIndexTable(palette)) {
        for (std::size_t j = 0; j < palette.size(); ++j) level_[j] = BlueOf(palette[j]);
    }
    static void Read(Pixel p, int* v) { v[0] = Luminance(ValueOf(p)); }
    int Pick(const int* v) { return table_[std::size_t(v[0])]; }
    void Entry(int index, int* e) const { e[0] = level_[index]; }

private:
    std::vector<std::uint8_t> table_;
    int level_[256] = {};
};

// Picks entries by the distance between colours: red, green, blue a pixel.
class ColorMapper {
public:
    static constexpr int kChannels = 3;
    static constexpr int kTop = 255;
    using Code = int;
    explicit ColorMapper(std::span<const Pixel> palette) : search_(palette) {
        for (std::size_t j = 0; j < palette.size(); ++j)
            for (int c = 0; c < 3; ++c) entries_[j][c] = int((ValueOf(palette[j]) >> (16 - 8 * c)) & 0xFF);
    }
    static void Read(Pixel p, int* v) {
        v[0] = RedOf(p), v[1] = GreenOf(p), v[2] = BlueOf(p);
    }
    int Pick(const int* v) { return search_.Find(std::uint32_t(v[0]) << 16 | std::uint32_t(v[1]) << 8 | std::uint32_t(v[2])); }
    void Entry(int index, int* e) const { e[0] = entries_[index][0], e[1] = entries_[index][1], e[2] = entries_[index][2]; }

private:
    PaletteSearch search_;
    int entries_[256][3] = {};
};

// How far the pattern moves a value: the mean distance from each entry to its nearest other
// entry (per channel, for colours), so that the pattern spans about one step between entries.
template <class Mapper>
int OrderedSpread(std::span<const Pixel> palette, const Mapper& mapper) {
    constexpr int C = Mapper::kChannels;
    if (palette.size() < 2) return 0;
    double sum = 0;
    for (std::size_t i = 0; i < palette.size(); ++i) {
        int a[C], b[C];
        mapper.Entry(int(i), a);
        long nearest = -1;
        for (std::size_t j = 0; j < palette.size(); ++j) {
            mapper.Entry(int(j), b);
            long d = 0;
            for (int c = 0; c < C; ++c) d += long(a[c] - b[c]) * (a[c] - b[c]);
            if (j != i && d > 0 && (nearest < 0 || d < nearest)) nearest = d;
        }
        if (nearest > 0) sum += std::sqrt(double(nearest) / C);
    }
    return int(std::lround(sum / double(palette.size())));
}

void Threshold(const Bitmap& image, std::span<const Pixel> palette, int percent, IndexImage& out) {
    // The lighter entry is the one of greater luminance; entry 1 when both are equal.
    const std::uint8_t light = Luminance16(ValueOf(palette[0])) > Luminance16(ValueOf(palette[1])) ? 0 : 1;
    const std::uint8_t dark = std::uint8_t(1 - light);
    // Luminance16 * 100 >= percent * 255 * 65536, without division.
    const std::uint64_t limit = std::uint64_t(percent) * 255u * 65536u;
    for (int y = 0; y < image.Height(); ++y) {
        const Pixel* src = image.Row(y);
        std::uint8_t* dst = out.Row(y);
        for (int x = 0; x < image.Width(); ++x)
            dst[x] = std::uint64_t(Luminance16(ValueOf(src[x]))) * 100u >= limit ? light : dark;
    }
}

template <class Mapper>
void MapWith(const Bitmap& image, std::span<const Pixel> palette, Dither dither, IndexImage& out) {
    using namespace mapping_loops;
    Mapper mapper(palette);
    switch (dither) {
        case Dither::None:
            Nearest(image, mapper, out);
            break;
        case Dither::FloydSteinberg:
            Diffuse<FloydSteinbergKernel>(image, mapper, out);
            break;
        case Dither::Atkinson:
            Diffuse<AtkinsonKernel>(image, mapper, out);
            break;
        case Dither::Ordered: {
            int spread[Mapper::kChannels];
            std::fill(std::begin(spread), std::end(spread), OrderedSpread(palette, mapper));
            Ordered(image, mapper, spread, out);
            break;
        }
    }
}

}  // namespace

std::optional<Dither> DitherByName(std::string_view name) {
    if (name == "none") return Dither::None;
    if (name == "fs") return Dither::FloydSteinberg;
    if (name == "atkinson") return Dither::Atkinson;
    if (name == "ordered") return Dither::Ordered;
    return std::nullopt;
}

std::string_view DitherName(Dither dither) {
    switch (dither) {
        case Dither::None: return "none";
        case Dither::FloydSteinberg: return "fs";
        case Dither::Atkinson: return "atkinson";
        case Dither::Ordered: return "ordered";
    }
    return "none";
}

int BayerRank(int x, int y) {
    // Bit b of x xor y and of y, from the lowest, become the rank's bits from the highest pair.
    int rank = 0;
    for (int b = 0; b < 3; ++b) rank = rank << 2 | (((x ^ y) >> b) & 1) << 1 | ((y >> b) & 1);
    return rank;
}

MapResult MapToPalette(const Bitmap& image, std::span<const Pixel> palette, const MapOptions& options) {
    MapResult r;
    if (palette.empty() || palette.size() > 256) {
        r.error = "a palette needs from 1 to 256 colours";
        return r;
    }
    if (options.thresholdPercent >= 0) {
        if (palette.size() != 2) r.error = "a threshold needs a palette of two colours";
        else if (options.thresholdPercent > 100) r.error = "a threshold is a share from 0% to 100%";
        else if (options.dither != Dither::None) r.error = "a threshold and dithering cannot be used together";
        if (!r.error.empty()) return r;
    }
    IndexImage out;
    try {
        out.indexes.resize(std::size_t(image.Width()) * std::size_t(image.Height()));
    } catch (const std::bad_alloc&) {
        r.error = "there is not enough memory to map the image to the palette";
        return r;
    }
    out.width = image.Width();
    out.height = image.Height();
    if (options.thresholdPercent >= 0)
        Threshold(image, palette, options.thresholdPercent, out);
    else if (AllGrey(palette))
        MapWith<GreyMapper>(image, palette, options.dither, out);
    else
        MapWith<ColorMapper>(image, palette, options.dither, out);
    r.image = std::move(out);
    return r;
}

std::optional<Bitmap> PaletteBitmap(const IndexImage& image, std::span<const Pixel> palette) {
    std::optional<Bitmap> out = Bitmap::TryCreate(image.width, image.height, Bitmap::NewPixels::Unset);
    if (!out) return std::nullopt;
    for (int y = 0; y < image.height; ++y) {
        const std::uint8_t* src = image.Row(y);
        Pixel* dst = out->Row(y);
        for (int x = 0; x < image.width; ++x) dst[x] = src[x] < palette.size() ? palette[src[x]] : Pixel{0};
    }
    return out;
}

}  // namespace rastrix

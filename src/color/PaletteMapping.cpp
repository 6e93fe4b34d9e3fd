#include "color/PaletteMapping.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <new>
#include <vector>

#include "color/FixedPalettes.h"
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

// How far the pattern moves a grey: the mean distance from each entry to its nearest other entry,
// so that the pattern spans about one step between entries.
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

// Ordered dithering with a palette of colours. Moving all three channels by one amount would
// walk along the grey axis (a red turning orange among inks, colours turning grey among 16), so
// each colour gets 64 entries of its own, one for each rank of the pattern: the k-th is the
// entry nearest to the colour plus 5/8 of the error the first k - 1 leave (the colour times their
// count less their sum), so their mean comes near the colour in every channel, each channel
// spread as far as the palette's entries lie apart there. The 64 are put in order of lightness
// (then of index), and a pixel takes the one its place's rank names. Colours are taken in cells
// of 4 levels a side (the list is made for the cell's colour at 2 past its lowest levels), so a
// photo's grain does not make a list for nearly every pixel; lists are kept in a direct-mapped
// cache of 16384 cells. A pixel whose colour is an entry takes that entry everywhere.
class ColorPattern {
public:
    static constexpr int kRanks = 64;
    ColorPattern(std::span<const Pixel> palette, ColorMapper& mapper)
        : mapper_(mapper), keys_(kSlots, 0xFFFFFFFFu), lists_(std::size_t(kSlots) * kRanks) {
        std::vector<int> order(palette.size());
        for (std::size_t i = 0; i < palette.size(); ++i) order[i] = int(i);
        std::sort(order.begin(), order.end(), [&](int a, int b) {
            const std::uint32_t la = Luminance16(ValueOf(palette[std::size_t(a)]));
            const std::uint32_t lb = Luminance16(ValueOf(palette[std::size_t(b)]));
            return la != lb ? la < lb : a < b;
        });
        for (std::size_t r = 0; r < order.size(); ++r) lightRank_[order[r]] = int(r);
    }

    // The 64 entries for a colour's cell, in order of lightness.
    const std::uint8_t* For(std::uint32_t rgb) {
        const std::uint32_t cell = rgb & 0xFCFCFCu;
        const std::uint32_t slot = (cell * 0x9E3779B1u) >> (32 - kSlotBits);
        std::uint8_t* list = lists_.data() + std::size_t(slot) * kRanks;
        if (keys_[slot] == cell) return list;
        const std::uint32_t middle = cell | 0x020202u;
        const int v[3] = {int(middle >> 16 & 0xFF), int(middle >> 8 & 0xFF), int(middle & 0xFF)};
        int error[3] = {0, 0, 0};
        for (int k = 0; k < kRanks; ++k) {
            int goal[3], e[3];
            for (int c = 0; c < 3; ++c) goal[c] = std::clamp(v[c] + ((5 * error[c]) >> 3), 0, 255);
            const int index = mapper_.Pick(goal);
            list[k] = std::uint8_t(index);
            mapper_.Entry(index, e);
            for (int c = 0; c < 3; ++c) error[c] += v[c] - e[c];
        }
        std::sort(list, list + kRanks, [this](std::uint8_t a, std::uint8_t b) { return lightRank_[a] < lightRank_[b]; });
        keys_[slot] = cell;
        return list;
    }

private:
    static constexpr int kSlotBits = 14;
    static constexpr int kSlots = 1 << kSlotBits;
    ColorMapper& mapper_;
    int lightRank_[256] = {};
    std::vector<std::uint32_t> keys_;  // 0xFFFFFFFF: empty
    std::vector<std::uint8_t> lists_;
};

void OrderedColors(const Bitmap& image, std::span<const Pixel> palette, ColorMapper& mapper, IndexImage& out) {
    ColorPattern pattern(palette, mapper);
    int rank[8][8];
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) rank[y][x] = BayerRank(x, y);
    for (int y = 0; y < image.Height(); ++y) {
        const Pixel* src = image.Row(y);
        std::uint8_t* dst = out.Row(y);
        const int* row = rank[y & 7];
        for (int x = 0; x < image.Width(); ++x) {
            int v[3];
            ColorMapper::Read(src[x], v);
            const int nearest = mapper.Pick(v);
            dst[x] = palette[std::size_t(nearest)] == src[x] ? std::uint8_t(nearest)
                                                              : pattern.For(ValueOf(src[x]))[row[x & 7]];
        }
    }
}

template <class Mapper>
void Nearest(const Bitmap& image, Mapper& mapper, IndexImage& out) {
    for (int y = 0; y < image.Height(); ++y) {
        const Pixel* src = image.Row(y);
        std::uint8_t* dst = out.Row(y);
        for (int x = 0; x < image.Width(); ++x) {
            int v[Mapper::kChannels];
            Mapper::Read(src[x], v);
            dst[x] = std::uint8_t(mapper.Pick(v));
        }
    }
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
            if constexpr (Mapper::kChannels == 3) {
                OrderedColors(image, palette, mapper, out);
            } else {
                int spread[Mapper::kChannels];
                std::fill(std::begin(spread), std::end(spread), OrderedSpread(palette, mapper));
                Ordered(image, mapper, spread, out);
            }
            break;
        }
    }
}

}  // namespace

namespace {
// The kind each of kDitherNames stands for.
constexpr Dither kDitherOfName[] = {Dither::FloydSteinberg, Dither::Atkinson, Dither::Ordered, Dither::None};
static_assert(std::size(kDitherOfName) == std::size(kDitherNames));
}  // namespace

std::optional<Dither> DitherByName(std::string_view name) {
    for (std::size_t i = 0; i < std::size(kDitherNames); ++i)
        if (kDitherNames[i] == name) return kDitherOfName[i];
    return std::nullopt;
}

std::string_view DitherName(Dither dither) {
    for (std::size_t i = 0; i < std::size(kDitherOfName); ++i)
        if (kDitherOfName[i] == dither) return kDitherNames[i];
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
    using Kind = MapProblem::Kind;
    const auto fail = [&](Kind kind, Limits limits = {}) {
        r.problem = {kind, palette.size(), options.thresholdPercent, limits};
        return std::move(r);
    };
    if (palette.empty() || palette.size() > std::size_t(kMaxPaletteColors)) return fail(Kind::PaletteSize, {1, kMaxPaletteColors});
    if (options.thresholdPercent >= 0) {
        if (palette.size() != 2) return fail(Kind::ThresholdColors);
        if (!kThresholdLimits.Hold(options.thresholdPercent)) return fail(Kind::ThresholdRange, kThresholdLimits);
        if (options.dither != Dither::None) return fail(Kind::ThresholdDither);
    }
    IndexImage out;
    try {
        out.indexes.resize(std::size_t(image.Width()) * std::size_t(image.Height()));
    } catch (const std::bad_alloc&) {
        return fail(Kind::NoMemory);
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
